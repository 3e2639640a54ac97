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

#include "core/design/design_speed.h"
#include "core/design/profile_check.h"
#include "core/formats/profile_file.h"
#include "core/profile/profile_state.h"

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
};

// FILE, --alignment, --profile and --pvi.
void AddSourceOptions(CLI::App* command, SourceArgs& args);

// Which profile of the file the options ask for, and how to read it.
ProfileSource SourceOf(const SourceArgs& args);

// The profile of the file; its notes (what an import left out or approximated)
// go to err, one a line.
ProfileState LoadSource(const SourceArgs& args, std::ostream& err);

// The same with the unit of the rows, the unit given for a file that names none.
LoadedProfile LoadSourceWithUnit(const SourceArgs& args, std::optional<LengthUnit> unit,
                                 std::ostream& err);

struct DesignArgs {
    std::string speed;
    std::string units;
    std::string minLength;
};

// --design-speed and --units; with minLength also --min-length.
void AddDesignOptions(CLI::App* command, DesignArgs& args, bool minLength);

std::optional<DesignSpeed> DesignSpeedOf(const DesignArgs& args);
DesignCriteria DesignCriteriaOf(const DesignArgs& args);

struct ConvertArgs {
    SourceArgs source;
    std::string output;
    std::string units;    // the unit of FILE when it names none: m, ft or usft
    std::string toUnits;  // the unit to convert to, when asked
};

void AddConvertOptions(CLI::App* command, ConvertArgs& args);
int RunConvert(const ConvertArgs& args, std::ostream& out, std::ostream& err);

}  // namespace ravo::calc
