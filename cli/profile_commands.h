// The commands over one profile: table, report, curves and check, each from
// its parsed options to its output and exit status.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "core/design/profile_check.h"
#include "core/text/numbers.h"
#include "ground_source.h"
#include "profile_source.h"

namespace ravo::calc {

struct TableArgs {
    SourceArgs source;
    std::string from, to, step;
    std::vector<std::string> offsets;
    std::string ground;
    bool csv = false;
    bool plus = false;
};

struct ReportArgs {
    SourceArgs source;
    std::string output, from, to, step;
    std::string offset = "0";
    std::string ground;
    SectionArgs section;
};

struct CurvesArgs {
    SourceArgs source;
    DesignArgs design;
    bool plus = false;
    bool json = false;
    bool csv = false;
};

struct CheckArgs {
    SourceArgs source;
    DesignArgs design;
    std::string tolerance = ShortestText(Tolerances{}.elevation);
    std::string gradeTolerance = ShortestText(Tolerances{}.grade);
    bool plus = false;
    bool json = false;
    bool csv = false;
};

int RunTable(const TableArgs& a, std::ostream& out, std::ostream& err);
int RunReport(const ReportArgs& a, std::ostream& out, std::ostream& err);
int RunCurves(const CurvesArgs& a, std::ostream& out, std::ostream& err);
int RunCheck(const CheckArgs& a, std::ostream& out, std::ostream& err);

}  // namespace ravo::calc
