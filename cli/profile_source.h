// What every ravo-calc command shares about its input: the file (a Ravo input
// file, a LandXML file or a PVI table, told apart by content), the choice of
// alignment and profile in a LandXML file, the plain PVI format; and the
// design speed options of curves and check, and the convert command.
#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/design/design_speed.h"
#include "core/design/profile_check.h"
#include "core/formats/profile_file.h"
#include "core/formats/pvi_mapping.h"
#include "core/profile/profile_state.h"
#include "core/text/numbers.h"

namespace ravo::calc {

// A value on the command line that cannot be used.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct SourceArgs {
    std::string file;
    std::string alignment;
    std::string profile;
    bool pvi = false;
    bool quiet = false;  // -q: no notes
    std::string jointTolerance = ShortestText(DefaultJointTolerance);
    bool keepFaults = false;  // for check: an overlap of curves is a finding, not a refusal
};

// FILE, --alignment, --profile, --pvi and --joint-tolerance.
void AddSourceOptions(CLI::App* command, SourceArgs& args);

// Which profile of the file the options ask for, and how to read it. Throws
// UsageError for a joint tolerance that is not a number of 0 or more.
ProfileSource SourceOf(const SourceArgs& args);

// How messages name FILE: "standard input" for "-".
std::string SourceName(const std::string& file);

// The bytes of FILE: standard input for "-", a regular file, or a pipe such as
// a process substitution, each held to the input file size limit. Throws
// InputFileError naming the file.
std::string SourceBytes(const std::string& file);

// The line that says FILE did not load, given the reader's message `what`: a
// fault at a line of the file as editors take it, "road.in:12: what" (from the
// reader's "line 12: what" or "line 12, Element: what"); otherwise
// "ravo-calc: " and the reader's own words when they name the file, or those
// words in "the input file FILE does not load: what".
std::string LoadErrorLine(const std::string& file, const std::string& what);

// The profile of the file ("-": standard input); its notes (what an import left out or
// approximated) go to err, one a line.
// With `notes`, the notes go there instead (for a JSON answer).
ProfileState LoadSource(const SourceArgs& args, std::ostream& err,
                        std::vector<std::string>* notes = nullptr);

// Loads the file with the unit given for a file that names none; its notes go
// to err unless quiet, or into notes when notes is given.
LoadedProfile LoadAndTell(const SourceArgs& args, std::optional<LengthUnit> unit, std::ostream& err,
                          std::vector<std::string>* notes);

// --units means one thing in every command: the unit of FILE's lengths when
// the file names none (m, ft or usft; metres when not given).
void AddUnitsOption(CLI::App* command, std::string& units);

// Throws UsageError when --units names another unit than the file's own
// (a LandXML file's Units), with the advice.
void RequireUnitsOfFile(const std::string& units, const LoadedProfile& loaded, const char* advice);

struct DesignArgs {
    std::string speed;
    std::string units;  // --units
    std::string minLength;
};

// --design-speed and --units; with minLength also --min-length.
void AddDesignOptions(CLI::App* command, DesignArgs& args, bool minLength);

// The design speed in the tables of the profile's unit: km/h for metres, mph
// for feet and US survey feet. A design speed needs a unit, the file's own or
// --units. Throws UsageError.
std::optional<DesignSpeed> DesignSpeedOf(const DesignArgs& args, const LoadedProfile& loaded);
DesignCriteria DesignCriteriaOf(const DesignArgs& args, const LoadedProfile& loaded);

struct ConvertArgs {
    SourceArgs source;
    std::string output;   // "-": standard output
    std::string units;    // the unit of FILE when it names none: m, ft or usft
    std::string toUnits;  // the unit to convert to, when asked
    std::string format;   // landxml, csv, input; empty: as the name of the output says
};

void AddConvertOptions(CLI::App* command, ConvertArgs& args);
int RunConvert(const ConvertArgs& args, std::ostream& out, std::ostream& err);

}  // namespace ravo::calc
