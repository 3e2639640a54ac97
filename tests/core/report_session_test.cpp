#include "core/report_session.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <string>
#include <vector>

#include "core/elevation.h"
#include "core/numbers.h"
#include "file_test_support.h"
#include "worked_examples.h"

namespace ravo {
namespace {

using fixtures::EchoOfWorkedExample;
using fixtures::LogHeader;
using fixtures::LogOfWorkedExample;
using fixtures::WithCrLf;
using test::Contents;
namespace fs = std::filesystem;

// While it lives, no file that this process writes grows beyond the limit: a
// disk that fills, which not even root can write past.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uintmax_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead of ending the process
        rlimit limit = previous_;
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &previous_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
};

class ReportSessionTest : public testing::Test {
protected:
    void SetUp() override
    {
        state_ = fixtures::WorkedExampleProfile();
        state_.OutputTitle = "Main Street profile";
        state_.InputFileTitle = "main.in";
        session_.SetClock(fixtures::WorkedExampleTime);
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

    void ExpectClosedAndNotLogging() const
    {
        EXPECT_EQ(state_.OutputFileNum, 0);
        EXPECT_EQ(state_.LoggingOn, 0);
    }

    test::TempFolder folder_;
    ProfileState state_;
    ReportSession session_{state_};
};

TEST_F(ReportSessionTest, TheWorkedExamplesEchoAndLog)
{
    const std::string report = PathOf("main.out");
    session_.Choose(report, "main.out");
    EXPECT_EQ(Echo(), ReportRefusal::None);
    EXPECT_EQ(Contents(report), EchoOfWorkedExample);
    EXPECT_EQ(state_.VersionText, " 1.21");
    EXPECT_EQ(state_.OutputFileNum, 1);  // left open for appending
    EXPECT_EQ(session_.StartLogging(), ReportRefusal::None);
    EXPECT_EQ(state_.LoggingOn, 1);
    // The first press steps by the station itself, later ones by the distance
    // from the previous press.
    EXPECT_EQ(Press("1000"), " 2000");
    EXPECT_EQ(Press("1100"), " 1200");
    EXPECT_EQ(Press(" 1200"), " 1300");
    EXPECT_EQ(Contents(report), EchoOfWorkedExample + LogOfWorkedExample);

    // A second start appends a second header; stopping writes nothing more
    // but still steps on.
    session_.StartLogging();
    session_.StopLogging();
    EXPECT_EQ(Press("1300"), " 1400");
    EXPECT_EQ(Contents(report), EchoOfWorkedExample + LogOfWorkedExample + LogHeader);
    // The station box gets every digit of the float, so that steps never drift.
    Press("12335.678");
    EXPECT_EQ(Press("12345.678"), " 12355.678");
    EXPECT_EQ(Press(" 12355.678"), " 12365.678");
}

TEST_F(ReportSessionTest, Refusals)
{
    struct Case {
        std::string curveText, segmentText;
        ReportRefusal expected;
        bool segmentTable;
    };
    using enum ReportRefusal;
    const std::vector<Case> cases = {
        {"0", "1", NoCurves, false}, {"", "1", NoCurves, false}, {"abc", "1", NoCurves, false},
        {"1e999", "0", None, false}, {" 1", "x", None, false},   {"2", "1", None, true},
    };
    EXPECT_EQ(Echo(), ReportRefusal::NoOutputFile);
    EXPECT_EQ(session_.StartLogging(), ReportRefusal::NoOutputFile);
    const std::string report = PathOf("r.out");
    session_.Choose(report, "r.out");
    for (const Case& c : cases) {
        fs::remove(report);
        EXPECT_EQ(session_.Echo(c.curveText, c.segmentText), c.expected) << c.curveText;
        EXPECT_EQ(Contents(report).find("SUPER 1") != std::string::npos, c.segmentTable)
            << c.curveText;
    }
    EXPECT_EQ(state_.LoggingOn, 0);
}

TEST_F(ReportSessionTest, ChoosingTheSameNameClosesTheReportAnotherKeepsItOpen)
{
    const std::string first = PathOf("a.out");
    session_.Choose(first, "a.out");
    session_.StartLogging();
    EXPECT_FALSE(session_.IsCurrentName("b.out"));
    session_.Choose(PathOf("b.out"), "b.out");
    Press("1000");  // still into the open a.out
    EXPECT_EQ(state_.OutputFileNum, 1);
    EXPECT_TRUE(session_.IsCurrentName("b.out"));
    session_.Choose(PathOf("b.out"), "b.out");
    EXPECT_EQ(state_.OutputFileNum, 0);
    Press("1100");  // logging is on: the line opens the chosen report again
    EXPECT_EQ(Contents(first),
              LogHeader + WithCrLf("1000.000      12.000         -0.02          99.760\n"));
    EXPECT_EQ(Contents(PathOf("b.out")),
              WithCrLf("1100.000      12.000         0.02           101.490\n"));
    session_.Close();
    EXPECT_EQ(state_.OutputFileNum, 0);
    EXPECT_EQ(state_.LoggingOn, 1);  // viewing closes the file, not the log
}

TEST_F(ReportSessionTest, EchoWhileLoggingReplacesTheLogAndLinesFollowIt)
{
    const std::string report = PathOf("main.out");
    session_.Choose(report, "main.out");
    session_.StartLogging();
    Press("900");
    Echo();
    Press("1000");
    EXPECT_EQ(
        Contents(report),
        EchoOfWorkedExample + WithCrLf("1000.000      12.000         -0.02          99.760\n"));
}

TEST_F(ReportSessionTest, AFailedEchoKeepsThePreviousReportAndStopsLogging)
{
    const std::string report = PathOf("main.out");
    session_.Choose(report, "main.out");
    session_.StartLogging();
    const std::string before = Contents(report);
    {
        const FileSizeLimit fullDisk(100);
        EXPECT_THROW(Echo(), ReportFileError);
    }
    EXPECT_EQ(Contents(report), before);
    ExpectClosedAndNotLogging();
    EXPECT_EQ(fs::directory_iterator(folder_.path())->path().filename(),
              "main.out");  // nothing beside

    // Not a regular file: refused at once, without waiting for a reader.
    const std::string fifo = PathOf("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string missing = PathOf("no such folder/r.out");
    for (const std::string& path :
         {fifo, folder_.path().string(), std::string("/dev/null"), missing}) {
        session_.Choose(path, "x" + path);
        EXPECT_THROW(Echo(), ReportFileError) << path;
        try {
            session_.StartLogging();
            ADD_FAILURE() << "logging into " << path;
        } catch (const ReportFileError& error) {
            const std::string what = error.what();
            EXPECT_NE(what.find(path), std::string::npos) << what;
            // The system's reason follows the program's words.
            EXPECT_EQ(what.find("No such file or directory") != std::string::npos, path == missing)
                << what;
        }
        ExpectClosedAndNotLogging();
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(ReportSessionTest, ALogLineThatDoesNotFitIsTakenBackAndNotStepped)
{
    const std::string report = PathOf("main.out");
    session_.Choose(report, "main.out");
    Echo();
    session_.StartLogging();
    Press("1000");
    const std::string before = Contents(report);
    {
        const FileSizeLimit fullDisk(before.size() + 20);  // room for part of a line
        EXPECT_THROW(Press("1100"), ReportFileError);
    }
    EXPECT_EQ(Contents(report), before);
    EXPECT_EQ(state_.PrevStation, 1000);  // a repeat keeps the step
    ExpectClosedAndNotLogging();

    EXPECT_THROW(session_.Next("2e38"), OverflowError);  // 2e38 + 2e38 is beyond the float range
    EXPECT_EQ(state_.PrevStation, 1000);
    EXPECT_EQ(session_.Next(""), "-1000");  // an empty box is station 0
}

}  // namespace
}  // namespace ravo
