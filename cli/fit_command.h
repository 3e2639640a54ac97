// ravo-calc fit: the grade line of least earthwork over a ground line, its
// options, the earthwork it prints and the profile it writes.
#pragma once

#include <CLI/CLI.hpp>

#include <ostream>
#include <string>
#include <vector>

#include "profile_source.h"

namespace ravo::calc {

struct FitArgs {
    std::string ground;
    std::string from, to, speed, units, maxGrade;
    std::vector<std::string> fixed;    // STA:ELEV
    std::vector<std::string> windows;  // A:B:LOW:HIGH
    bool balance = false;
    std::string balanceTolerance, cutFactor;
    std::string width = "10", fillSlope = "2", cutSlope = "2", depth;
    std::string cutCost, fillCost, piece, curveStep, maxPvis;
    std::string output;
    SourceArgs compare;  // the design to compare, when --compare names one
};

void AddFitOptions(CLI::App* command, FitArgs& args);

// Exit status 0, or 1 when no grade line meets the criteria. Throws
// UsageError for a value that cannot be used, InputFileError for a ground
// line or design that does not load.
int RunFit(const FitArgs& args, std::ostream& out, std::ostream& err);

}  // namespace ravo::calc
