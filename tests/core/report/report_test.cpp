#include "core/report/report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/profile/profile_state.h"
#include "support/worked_examples.h"

namespace ravo {
namespace {

const std::tm WorkedExampleTime = fixtures::WorkedExampleTime();

TEST(ReportLine, FieldsStartAtTheirColumnOrOnANewLine)
{
    struct Case {
        ReportLine line;
        std::vector<std::string> expected;
    };
    const std::string fourteen = "ABCDEFGHIJKLMN";
    const std::string blanks14(14, ' ');
    const std::vector<Case> cases = {
        {ReportLine("AB").At(15, "X"), {"AB" + std::string(12, ' ') + "X"}},
        {ReportLine(fourteen).At(15, "X"), {fourteen + "X"}},
        {ReportLine(fourteen + "O").At(15, "X"), {fourteen + "O", blanks14 + "X"}},
        // Each overflow continues on the new line, which then overflows again.
        {ReportLine(std::string(20, 'a')).At(15, std::string(20, 'b')).At(30, "c").At(45, "d"),
         {std::string(20, 'a'), blanks14 + std::string(20, 'b'),
          std::string(29, ' ') + "c" + std::string(14, ' ') + "d"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.line.PhysicalLines(), c.expected) << c.expected.front();
    EXPECT_EQ(ReportLine(fourteen + "O").At(15, "X").Text(), fourteen + "O\r\n" + blanks14 + "X");
}

TEST(EchoLines, WithoutTitleInputFileCurvesOrSegmentTable)
{
    ProfileState state;
    state.OutputFileTitle = "a.out";
    const std::vector<std::string> lines = EchoLines(state, WorkedExampleTime, false);
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
    const std::vector<std::string> lines = EchoLines(state, WorkedExampleTime, false);
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
