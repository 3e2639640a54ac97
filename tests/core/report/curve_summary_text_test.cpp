// Tests of the printed curve summaries.
#include "core/report/curve_summary_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/formats/profile_file.h"
#include "support/input_profiles.h"

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

// Segments stand apart as curves do: a blank line between each two.
TEST(WriteCurves, ABlankLineBetweenSegments)
{
    std::ostringstream out;
    WriteCurves(
        out,
        test::StateOf(test::ProfileOf("", {}, {{-0.02f, 0, 0, 0, 100}, {0.02f, 0, 0, 100, 200}})),
        false);
    EXPECT_NE(out.str().find("\n\nSUPERELEVATION SEGMENT 2\n"), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("\n\nSUPERELEVATION SEGMENT 1\n"), std::string::npos) << out.str();
}

// The lines of a curve row's ends, for a row from station1 to station2.
std::string EndLines(float station1, float station2, bool plus)
{
    std::ostringstream out;
    WriteCurves(out, test::StateOf(test::ProfileOf("", {{100, 0, 0, station1, station2}}, {})),
                plus);
    const std::string text = out.str();
    const std::size_t from = text.find("STA 1");
    return text.substr(from, text.find("GRADE 1") - from);
}

// Each end reads back as the row's own float: three decimals when they do,
// otherwise as many more as it takes, in either notation.
TEST(WriteCurves, EndsReadBackAsTheRowsOwnStations)
{
    const struct {
        float station;
        const char* plain;
        const char* plus;
    } cases[] = {
        {1200, "1200.000", "12+00.000"},
        {1249.9996f, "1249.9996", "12+49.9996"},  // "1250.000" would lie beyond the row
        {5.0001f, "5.0001", "0+05.0001"},
        {-0.0004f, "-0.0004", "-0+00.0004"},
        {1e-7f, "0.0000001", "0+00.0000001"},
        {70200.3f, "70200.297", "702+00.297"},  // 70200.296875: three decimals read back
        {-123456.7f, "-123456.703", "-1234+56.703"},
    };
    for (const auto& c : cases) {
        for (const bool plus : {false, true}) {
            const std::string end = plus ? c.plus : c.plain;
            const std::string lines = EndLines(c.station, c.station, plus);
            EXPECT_NE(lines.find("STA 1         " + end + " "), std::string::npos) << lines;
            EXPECT_NE(lines.find("STA 2         " + end + " "), std::string::npos) << lines;
        }
    }
}

}  // namespace
}  // namespace ravo
