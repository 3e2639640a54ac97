// Where ravo-calc's commands get the existing ground (--ground FILE|NAME) and
// the section template of the earthwork (--width, --fill-slope, ...), and the
// earthwork command itself.
#pragma once

#include <CLI/CLI.hpp>

#include <ostream>
#include <string>
#include <vector>

#include "core/formats/ground_line.h"
#include "core/ground/earthwork.h"
#include "core/ground/ground_profile.h"
#include "profile_source.h"

namespace ravo::calc {

// The ground named by --ground: a ground line of the profile file itself
// (LandXML ProfSurf) when one has that name, otherwise a ground file (CSV,
// a plain "station elevation" list or LandXML). Its notes (points sorted or
// merged) go to err unless quiet. Throws UsageError naming the ground file
// and, for a fault in it, the line.
GroundProfile LoadGround(const std::string& value, const std::vector<GroundLine>& profileGround,
                         bool quiet, std::ostream& err);

struct SectionArgs {
    std::string width, fillSlope, cutSlope;
    std::string pavementDepth = "0";
    std::string cutFactor = "1";
    std::string interval = "20";
};

// --width, --fill-slope, --cut-slope, --pavement-depth, --cut-factor and
// --interval; the first three are required when `required` is set, and
// otherwise each needs `ground`.
void AddSectionOptions(CLI::App* command, SectionArgs& args, bool required,
                       CLI::Option* ground = nullptr);

// The request the options make. Throws UsageError for a value that is not a
// number.
EarthworkRequest EarthworkRequestOf(const SectionArgs& args);

// The one line that names the section of an earthwork table.
std::string SectionLine(const SectionTemplate& section, double interval);

struct EarthworkArgs {
    SourceArgs source;
    std::string ground;
    SectionArgs section;
    std::string from, to;
    bool csv = false;
    bool plus = false;
};

void AddEarthworkOptions(CLI::App* command, EarthworkArgs& args);
int RunEarthwork(const EarthworkArgs& args, std::ostream& out, std::ostream& err);

}  // namespace ravo::calc
