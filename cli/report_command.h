// ravo-calc report: the output report that the desktop program writes for an
// input file, its input data echo and optionally an elevation log, made
// without the window.
#pragma once

#include <ctime>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>

#include "elevation_table.h"

namespace ravo::calc {

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
    std::string outputPath;
    std::optional<StationWalk> stations;  // the log's stations; no log when empty
    float offset = 0;
    std::tm time{};
};

// Loads the input file and writes the report as the desktop program does
// after loading it, choosing the output file and writing the echo; with
// stations, then starting the log and logging each station at the offset.
// A station where the desktop program says "Invalid Entry" is left out of the
// log, with a line on err. Returns the number of such stations. Throws
// InputFileError when the file does not load, ReportRequestError when the
// report is refused, ReportFileError when it cannot be written.
std::uint64_t WriteReport(const ReportRequest& request, std::ostream& err);

}  // namespace ravo::calc
