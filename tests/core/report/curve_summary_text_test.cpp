// Tests of the printed curve summaries.
#include "core/report/curve_summary_text.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/formats/profile_file.h"

namespace ravo {
namespace {

TEST(WriteCurves, WorkedExample)
{
    std::ostringstream out;
    WriteCurves(out, LoadProfile(RAVO_EXAMPLES_DIR "/main-street.in"), true);
    EXPECT_EQ(out.str(), R"(Main Street profile

VERTICAL CURVE 1 (crest)
STA 1         10+00.000      ELEV 1         100.000
STA 2         12+00.000      ELEV 2         101.000
GRADE 1       0.02           GRADE 2        -0.01
LENGTH        200.000        RATE           -0.00015
K             66.667
PVI           11+00.000      ELEV           102.000
HIGH POINT    11+33.333      ELEV           101.333

SUPERELEVATION SEGMENT 1
STA 1         10+00.000      SUPER 1        -0.02
STA 2         11+00.000      SUPER 2        0.02
)");
}

}  // namespace
}  // namespace ravo
