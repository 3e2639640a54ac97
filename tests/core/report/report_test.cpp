// Tests of the report: the line layout, the input data echo, the printed
// curve summaries and the report commands apart from any window.
#include "core/report/report.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/formats/profile_file.h"
#include "core/profile/elevation.h"
#include "core/profile/profile_state.h"
#include "core/report/curve_summary_text.h"
#include "core/report/report_file.h"
#include "core/report/report_layout.h"
#include "core/report/report_session.h"
#include "core/text/numbers.h"
#include "support/error_text.h"
#include "support/file_test_support.h"
#include "support/input_profiles.h"
#include "support/worked_examples.h"

namespace ravo {
namespace {

const std::tm kEchoTime = fixtures::WorkedExampleTime();

std::vector<std::string> EchoLines(const ProfileState& state, bool segmentTable)
{
    std::vector<std::string> lines;
    WriteEchoLines(state, kEchoTime, segmentTable,
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

using namespace fixtures;
using namespace test;

const std::string kLine1000 = WithCrLf("1000.000      12.000         -0.02          99.760\n");

class ReportSessionTest : public testing::Test {
protected:
    void SetUp() override
    {
        state_ = WorkedExampleProfile();
        state_.OutputTitle = "Main Street profile";
        state_.InputFileTitle = "main.in";
        session_.SetClock(WorkedExampleTime);
        session_.Choose(report_, "main.out");
    }
    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

    // A press of "Next" after the station box was set to text: the box's
    // change handler has calculated the point first.
    std::string Press(const std::string& text)
    {
        state_.CalcStation = ToFloat(LeadingNumber(text));
        CalculateElevation(state_);
        return session_.Next(text);
    }

    ReportRefusal Echo() { return session_.Echo("1", "1"); }

    TempFolder folder_;
    const std::string report_ = PathOf("main.out");
    ProfileState state_;
    ReportSession session_{state_};
};

TEST_F(ReportSessionTest, TheWorkedExampleThenAnEchoWhileLoggingAndASecondStart)
{
    Echo();
    session_.StartLogging();
    // The first press steps by the station itself, later ones by the distance
    // from the previous press.
    EXPECT_EQ(Press("1000"), " 2000");
    EXPECT_EQ(Press("1100"), " 1200");
    EXPECT_EQ(Press(" 1200"), " 1300");
    EXPECT_EQ(Contents(report_), EchoOfWorkedExample + LogOfWorkedExample);

    // An echo while logging replaces the log and lines follow it; a second
    // start appends a second header; stopping writes nothing more but still
    // steps on.
    Echo();
    Press("1000");
    session_.StartLogging();
    session_.StopLogging();
    EXPECT_EQ(Press("1300"), " 1600");
    EXPECT_EQ(Contents(report_), EchoOfWorkedExample + kLine1000 + LogHeader);
    // The station box gets every digit of the float, so that steps never drift.
    Press("12335.678");
    EXPECT_EQ(Press("12345.678"), " 12355.678");
}

TEST_F(ReportSessionTest, AnotherReportChosenAndRefusals)
{
    // Choosing the same name closes the report, another keeps it open.
    session_.StartLogging();
    session_.Choose(PathOf("b.out"), "b.out");
    Press("1000");  // still into the open main.out
    EXPECT_EQ(state_.OutputFileNum, 1);
    session_.Choose(PathOf("b.out"), "b.out");
    EXPECT_EQ(state_.OutputFileNum, 0);
    Press("1100");  // logging is on: the line opens the chosen report again
    EXPECT_EQ(Contents(report_), LogHeader + kLine1000);
    EXPECT_EQ(Contents(PathOf("b.out")),
              WithCrLf("1100.000      12.000         0.02           101.490\n"));
    session_.Close();
    // Viewing closes the file, not the log.
    EXPECT_EQ(std::pair(int{state_.OutputFileNum}, state_.LoggingOn), std::pair(0, 1));

    session_.Choose(report_, "main.out");
    // A count too large to read is no zero; a segment count of 0 leaves the table out.
    using enum ReportRefusal;
    for (const auto& [curves, segments, expected, segmentTable] :
         {std::tuple{"0", "1", NoCurves, false},
          {"1e999", "0", None, false},
          {"2", "1", None, true}}) {
        std::filesystem::remove(report_);
        EXPECT_EQ(session_.Echo(curves, segments), expected) << curves;
        EXPECT_EQ(Contents(report_).find("SUPER 1") != std::string::npos, segmentTable) << curves;
    }
}

TEST_F(ReportSessionTest, AFailedWriteKeepsTheReportAsItWas)
{
    Echo();
    session_.StartLogging();
    Press("1000");
    const std::string before = Contents(report_);
    const rlimit disk = LimitFileSize(before.size() + 20);  // room for part of a log line
    EXPECT_THROW(Press("1100"), ReportFileError);
    ::setrlimit(RLIMIT_FSIZE, &disk);
    EXPECT_EQ(Contents(report_), before);
    EXPECT_EQ(state_.PrevStation, 1000);  // a repeat keeps the step
    EXPECT_EQ(std::pair(int{state_.OutputFileNum}, state_.LoggingOn), std::pair(0, 0));

    // Not a regular file: refused at once, without waiting for a reader. The
    // system's reason follows the program's words.
    const std::string fifo = PathOf("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string missing = PathOf("no such folder/r.out");
    for (const auto& [path, reason] :
         {std::pair{fifo, "No such device or address"}, {missing, "No such file or directory"}}) {
        session_.Choose(path, "x" + path);
        EXPECT_THROW(Echo(), ReportFileError) << path;
        EXPECT_EQ(ErrorText<ReportFileError>([&] { session_.StartLogging(); }),
                  "Cannot open the report file \"" + path + "\" for appending: " + reason);
    }
}

// The input file is never written as the report, under its own name, through
// a link or under a second name; nothing is written and the input stays.
TEST_F(ReportSessionTest, TheInputFileIsNeverTakenAsTheReport)
{
    const std::string input = PathOf("main.in");
    Put(input, "the profile");
    state_.InputPath = input;
    std::filesystem::create_symlink("main.in", PathOf("link.out"));
    std::filesystem::create_hard_link(input, PathOf("second.out"));
    for (const std::string name : {"main.in", "link.out", "second.out"}) {
        session_.Choose(PathOf(name), name);
        EXPECT_EQ(ErrorText<ReportFileError>([&] { Echo(); }),
                  "The report \"" + PathOf(name) + "\" is the input file \"" + input +
                      "\"; nothing was written. Choose another output file.");
        EXPECT_THROW(session_.StartLogging(), ReportFileError) << name;
        EXPECT_EQ(Contents(input), "the profile") << name;
    }
}

// Lines logged for one sync reach the file whole: all of them at the sync or
// when the report is closed, and under a full disk whole lines up to the
// failure, never a torn one.
TEST_F(ReportSessionTest, HeldLogLinesReachTheFileWhole)
{
    constexpr int kLines = 3000;  // several writes of held lines
    const auto logHeld = [&](int lines) {
        state_.CalcStation = 1000;
        CalculateElevation(state_);
        for (int i = 0; i < lines; ++i)
            session_.LogPoint(ReportSession::LineSync::AtSync);
    };
    std::string log;
    for (int i = 0; i < kLines; ++i)
        log += kLine1000;
    Echo();
    session_.StartLogging();
    logHeld(kLines);
    session_.SyncLog();
    EXPECT_TRUE(Contents(report_) == EchoOfWorkedExample + LogHeader + log);
    logHeld(2);
    session_.Close();
    EXPECT_TRUE(Contents(report_) == EchoOfWorkedExample + LogHeader + log + kLine1000 + kLine1000);

    Echo();
    session_.StartLogging();
    const std::size_t before = Contents(report_).size();
    const rlimit disk = LimitFileSize(before + kLines * kLine1000.size() / 2 + 7);
    EXPECT_THROW((logHeld(kLines), session_.SyncLog()), ReportFileError);
    ::setrlimit(RLIMIT_FSIZE, &disk);
    const std::string written = Contents(report_).substr(before);
    EXPECT_GT(written.size(), 0u);
    EXPECT_TRUE(log.starts_with(written) && written.size() % kLine1000.size() == 0)
        << written.size() << " bytes";
    EXPECT_EQ(std::pair(int{state_.OutputFileNum}, state_.LoggingOn), std::pair(0, 0));
}

}  // namespace
}  // namespace ravo
