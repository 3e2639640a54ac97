// Tests of the report commands apart from any window.
#include "core/report/report_session.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <tuple>

#include "core/profile/elevation.h"
#include "core/report/report_file.h"
#include "core/text/numbers.h"
#include "support/error_text.h"
#include "support/file_test_support.h"
#include "support/worked_examples.h"

namespace ravo {
namespace {

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
    EXPECT_THROW(
        {
            logHeld(kLines);
            session_.SyncLog();
        },
        ReportFileError);
    ::setrlimit(RLIMIT_FSIZE, &disk);
    const std::string written = Contents(report_).substr(before);
    EXPECT_GT(written.size(), 0u);
    EXPECT_TRUE(log.starts_with(written) && written.size() % kLine1000.size() == 0)
        << written.size() << " bytes";
    EXPECT_EQ(std::pair(int{state_.OutputFileNum}, state_.LoggingOn), std::pair(0, 0));
}

// Open reports hold the lowest numbers free when they were opened.
TEST(ReportFile, TakesTheLowestFreeNumber)
{
    const TempFolder folder;
    ReportFile first, second, third;
    first.OpenForAppending((folder / "1.out").string());
    second.OpenForAppending((folder / "2.out").string());
    EXPECT_EQ(std::pair(first.Number(), second.Number()),
              (std::pair<std::int16_t, std::int16_t>(1, 2)));
    first.Close();
    third.OpenForAppending((folder / "3.out").string());
    EXPECT_EQ(std::pair(first.Number(), third.Number()),
              (std::pair<std::int16_t, std::int16_t>(0, 1)));
}

}  // namespace
}  // namespace ravo
