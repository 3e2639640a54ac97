// Tests of the input data echo and the elevation log lines.
#include "core/report/report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/profile/profile_state.h"
#include "support/worked_examples.h"

namespace ravo {
namespace {

const std::tm WorkedExampleTime = fixtures::WorkedExampleTime();

std::vector<std::string> EchoLines(const ProfileState& state, bool segmentTable)
{
    std::vector<std::string> lines;
    WriteEchoLines(state, WorkedExampleTime, segmentTable,
                   [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

TEST(EchoLines, WithoutTitleInputFileCurvesOrSegmentTable)
{
    ProfileState state;
    state.OutputFileTitle = "a.out";
    const std::vector<std::string> lines = EchoLines(state, false);
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines.front(), "* * * * * * * * * * * * * * * * * * * * * * * * * * * * * * * * *");
    const std::vector<std::string> rest(lines.begin() + 8, lines.end());
    EXPECT_EQ(rest,
              (std::vector<std::string>{
                  "", "Output file = a.out", "",
                  "Number of vertical curves = ",  // "##" writes nothing for 0
                  "", "ELEV 1        GRADE 1        GRADE 2        STA 1          STA 2",
                  std::string(67, '-'), "", "", "Number of superelevation segments =  0", ""}));
}

TEST(EchoLines, TableValuesAndAValueTooWideForItsColumn)
{
    ProfileState state =
        fixtures::ProfileOf({{0, 0, 0.12345678f, 0, 12.5f}, {-5.5f, -0.0125f, 2, 1e12f, 1}});
    state.NumVC = 3;  // more than the tables hold: the walk stops at their end
    const std::vector<std::string> lines = EchoLines(state, false);
    const std::vector<std::string> rows(lines.begin() + 16, lines.begin() + 19);
    EXPECT_EQ(rows, (std::vector<std::string>{
                        ".000          0.             0.12345678     .000           12.500",
                        "-5.500        -0.0125        2.             999999995904.000",
                        std::string(59, ' ') + "1.000"}));
    EXPECT_EQ(lines[19], "");
    EXPECT_EQ(lines[20], "Number of superelevation segments =  0");
}

}  // namespace
}  // namespace ravo
