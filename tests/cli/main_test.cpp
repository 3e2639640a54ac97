// Runs the ravo-calc program itself, for what only a real process shows: the
// exit status and the bytes on standard output.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "shell_run.h"
#include "support/file_test_support.h"

namespace {

namespace fs = std::filesystem;

using ravo::calc::ShellResult;

// Standard error goes to /dev/null, or with `withErrors` into `out`; the
// messages are tested in-process.
ShellResult RunProgram(const std::string& args, bool withErrors = false)
{
    return ravo::calc::RunShell(std::string("'") + RAVO_CALC_PROGRAM + "' " + args +
                                (withErrors ? " 2>&1" : " 2>/dev/null"));
}

class RavoCalcProgram : public testing::Test {
protected:
    std::string File(const std::string& name, const std::string& text) const
    {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << text;
        return "'" + path.string() + "'";
    }

    std::string Out() const { return "'" + (dir_ / "r.out").string() + "'"; }

    ravo::test::TempFolder dir_;
};

const std::string MainStreet = "'" RAVO_EXAMPLES_DIR "/main-street.in'";

TEST_F(RavoCalcProgram, WorkedExampleTable)
{
    const ShellResult o =
        RunProgram("table " + MainStreet + " --from 1000 --to 1250 --step 50 --offset 12");
    EXPECT_EQ(o.status, 3);  // 1250 lies beyond the curve
    EXPECT_EQ(o.out, "STATION       OFFSET         SUPER          ELEVATION\n" +
                         std::string(67, '-') +
                         "\n"
                         "1000.000      12.000         -0.02          99.760\n"
                         "1050.000      12.000         0.             100.813\n"
                         "1100.000      12.000         0.02           101.490\n"
                         "1150.000      12.000         0.             101.313\n"
                         "1200.000      12.000         0.             101.000\n"
                         "1250.000      12.000         0.             no curve\n");
}

TEST_F(RavoCalcProgram, ExitStatuses)
{
    const std::string faulty = File("faulty.in", "\"f\"\n2\n100,0,0,0,100\n100,0,0,50,50\n0\n");
    const std::string truncated = File("truncated.in", "\"t\"\n2\n100,0,0,0,100\n");
    struct Case {
        std::string args;
        int status;
    };
    const std::vector<Case> cases = {
        {"check " + faulty, 1},
        {"check " + truncated, 2},
        {"table " + faulty + " --from 0 --to 100 --step 50", 1},  // Invalid Entry at 50
        {"table " + MainStreet + " --from 12+ --to 1250 --step 50", 2},
        {"table " + MainStreet + " --from 1000 --to 1200 --step 50", 0},
        {"table " + MainStreet + " --from 1000 --to 1250", 2},  // CLI11: a missing option
        {"report " + MainStreet + " -o " + Out() + " --from 0 --to 100 --step 50", 0},
        {"report " + MainStreet + " -o " + Out(), 0},  // the input echo alone
        {"report " + MainStreet + " -o -", 0},
        {"report " + faulty + " -o " + Out() + " --from 0 --to 100 --step 50", 1},
        {"report " + File("flat.in", "\"f\"\n0\n0\n") + " -o " + Out(), 2},  // no curves
        {"report " + MainStreet + " -o /", 2},
        {"", 2},
        {"--help", 0},
        {"--version", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RunProgram(c.args).status, c.status) << c.args;
    // Without a command the program says how it is used, not that its own name is unknown.
    EXPECT_TRUE(RunProgram("", true).out.starts_with("ravo-calc: finished road elevations"));
}

// Under a file-size limit the program is not ended by SIGXFSZ: the write
// fails, the program says so and removes its temporary.
TEST_F(RavoCalcProgram, AFileSizeLimitFailsTheWriteWithAMessage)
{
    const fs::path err = dir_ / "err.txt";
    const fs::path xml = dir_ / "out.xml";
    const pid_t child = ::fork();
    if (child == 0) {
        const int errFile = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const rlimit limit{400, 400};  // the message fits, the LandXML file does not
        if (errFile < 0 || ::dup2(errFile, 2) < 0 || ::setrlimit(RLIMIT_FSIZE, &limit) != 0 ||
            std::signal(SIGXFSZ, SIG_DFL) == SIG_ERR)
            ::_exit(100);
        ::execl(RAVO_CALC_PROGRAM, RAVO_CALC_PROGRAM, "convert",
                RAVO_EXAMPLES_DIR "/main-street.in", xml.c_str(), static_cast<char*>(nullptr));
        ::_exit(101);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_EQ(ravo::test::Contents(err), "ravo-calc convert: " + xml.string() +
                                             " was not written: " + xml.string() +
                                             ": File too large\n");
    EXPECT_EQ(dir_.Names(), std::vector<std::string>{"err.txt"});
}

}  // namespace
