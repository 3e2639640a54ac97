// ravo-calc report: the output report that the desktop program writes for an
// input file, its input data echo and optionally an elevation log, made
// without the window.
#pragma once

#include <ctime>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>

#include "core/formats/profile_file.h"
#include "core/ground/earthwork.h"
#include "elevation_table.h"

namespace ravo::calc {

// The help text of the command, below its options.
inline constexpr const char* ReportHelp =
    R"(Writes the output report that the desktop program writes after loading FILE,
choosing OUTPUT as the output file and running "Input Data Echo": the title,
the version and date, "Input file  = " and "Output file = " with the two file
names, and the tables. OUTPUT is replaced only once the whole echo is written.
With --from, --to and --step (stations walked as by "table"), the elevation
log follows: one header and one line per station at the one offset --offset
(default 0), as "Start Printing Elevations" and presses of "Next" write them.
A station where the desktop program says "Invalid Entry" is left out of the
log, a line on standard error says why, and the exit status is 1.

With --ground and the section (--width, --fill-slope, --cut-slope and
optionally --pavement-depth, --cut-factor, --interval), the earthwork table
and its totals follow the echo, before any log, as "ravo-calc earthwork"
writes them; a ground that does not load or meet the grade line leaves
OUTPUT untouched.

The report is dated now, or, when the environment variable SOURCE_DATE_EPOCH
is set, at that many seconds after 1970 in UTC, so that a report can be
reproduced byte for byte.

FILE "-" reads the profile from standard input, and -o - writes the report to
standard output as it is made (the echo names the output file "-").)";

// A report that cannot be made as asked; the message says why.
class ReportRequestError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The moment that dates the report: the local time now, or, when
// sourceDateEpoch is given (the SOURCE_DATE_EPOCH convention of reproducible
// builds), that many seconds after 1970 in UTC. Throws ReportRequestError for
// a text that is not a whole number of seconds.
std::tm ReportTime(const char* sourceDateEpoch);

struct ReportRequest {
    std::string inputPath;
    ProfileSource source;  // which profile of a LandXML file, the plain PVI format
    std::string outputPath;
    std::optional<StationWalk> stations;  // the log's stations; no log when empty
    float offset = 0;
    std::tm time{};
    // With a ground, the earthwork table after the echo.
    struct Earthwork {
        std::string ground;  // --ground FILE|NAME
        EarthworkRequest request;
        bool quiet = false;
    };
    std::optional<Earthwork> earthwork{};
};

// Loads the input file and writes the report as the desktop program does
// after loading it, choosing the output file and writing the echo; with
// stations, then starting the log and logging each station at the offset.
// A station where the desktop program says "Invalid Entry" is left out of the
// log, with a line on err. Returns the number of such stations. Throws
// InputFileError when the file does not load, ReportRequestError when the
// report is refused, ReportFileError when it cannot be written.
std::uint64_t WriteReport(const ReportRequest& request, std::ostream& err);

// The same, and when the output is "-", the report goes to out as it is made,
// without a file of its own. The input "-" is standard input.
std::uint64_t WriteReport(const ReportRequest& request, std::ostream& out, std::ostream& err);

}  // namespace ravo::calc
