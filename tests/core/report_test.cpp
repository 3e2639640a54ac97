#include "core/report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/profile_state.h"
#include "worked_examples.h"

namespace ravo {
namespace {

std::tm Clock(int year, int month, int day, int hour, int minute)
{
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    return time;
}

const std::tm WorkedExampleTime = fixtures::WorkedExampleTime();

using fixtures::SetRow;

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
        {ReportLine().At(15, "X"), {blanks14 + "X"}},
        // Each overflow continues on the new line, which then overflows again.
        {ReportLine(std::string(20, 'a')).At(15, std::string(20, 'b')).At(30, "c").At(45, "d"),
         {std::string(20, 'a'), blanks14 + std::string(20, 'b'),
          std::string(29, ' ') + "c" + std::string(14, ' ') + "d"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.line.PhysicalLines(), c.expected) << c.expected.front();
    EXPECT_EQ(ReportLine(fourteen + "O").At(15, "X").Text(), fourteen + "O\r\n" + blanks14 + "X");
}

TEST(DateTimeText, TwelveHourClockWithTwoDigitDayYearAndMinutes)
{
    const std::vector<std::pair<std::tm, std::string>> cases = {
        {WorkedExampleTime, "3/05/26, 2:07 pm"},
        {Clock(2026, 3, 5, 0, 0), "3/05/26, 12:00 am"},
        {Clock(2026, 3, 5, 12, 0), "3/05/26, 12:00 pm"},
        {Clock(2026, 3, 5, 9, 5), "3/05/26, 9:05 am"},
        {Clock(1999, 12, 31, 23, 59), "12/31/99, 11:59 pm"},
        {Clock(2000, 1, 1, 11, 30), "1/01/00, 11:30 am"},
    };
    for (const auto& [time, expected] : cases)
        EXPECT_EQ(DateTimeText(time), expected);
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
    ProfileState state;
    RecreateTables(state, SegmentKind::VerticalCurve, 2);
    SetRow(state, SegmentKind::VerticalCurve, 1, {0, 0, 0.12345678f, 0, 12.5f});
    SetRow(state, SegmentKind::VerticalCurve, 2, {-5.5f, -0.0125f, 2, 1e12f, 1});
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
