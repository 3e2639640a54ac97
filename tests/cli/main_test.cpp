// Runs the ravo-calc program itself, for what only a real process shows: the
// exit status, the bytes on standard output, pipes, and the progress line that
// only a terminal gets.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "progress.h"
#include "shell_run.h"
#include "support/file_test_support.h"

namespace ravo::calc {
namespace {

namespace fs = std::filesystem;

// Runs `script` in bash with $CALC the program, $EXAMPLES the examples folder,
// $ROAD and $MAIN the ridge road's and Main Street's input files; standard
// error goes to /dev/null unless the script sends it elsewhere. The messages
// are tested in-process.
ShellResult RunBash(const std::string& script)
{
    setenv("CALC", RAVO_CALC_PROGRAM, 1);
    setenv("EXAMPLES", RAVO_EXAMPLES_DIR, 1);
    setenv("ROAD", RAVO_EXAMPLES_DIR "/ridge-road.in", 1);
    setenv("MAIN", RAVO_EXAMPLES_DIR "/main-street.in", 1);
    setenv("RAVO_SCRIPT", script.c_str(), 1);
    return RunShell("bash -c \"$RAVO_SCRIPT\" 2>/dev/null");
}

TEST(RavoCalcProgram, ExitStatuses)
{
    const test::TempFolder dir;
    const auto run = [&](const std::string& args) {
        return RunBash("cd '" + dir.path().string() + "' && \"$CALC\" " + args);
    };
    const ShellResult table = run("table \"$MAIN\" --from 1000 --to 1250 --step 50 --offset 12");
    EXPECT_EQ(table.status, 3);  // 1250 lies beyond the curve
    EXPECT_EQ(table.out, "STATION       OFFSET         SUPER          ELEVATION\n" +
                             std::string(67, '-') +
                             "\n"
                             "1000.000      12.000         -0.02          99.760\n"
                             "1050.000      12.000         0.             100.813\n"
                             "1100.000      12.000         0.02           101.490\n"
                             "1150.000      12.000         0.             101.313\n"
                             "1200.000      12.000         0.             101.000\n"
                             "1250.000      12.000         0.             no curve\n");

    test::Put(dir / "faulty.in", "\"f\"\n2\n100,0,0,0,100\n100,0,0,50,50\n0\n");
    test::Put(dir / "flat.in", "\"f\"\n0\n0\n");
    const std::vector<std::pair<std::string, int>> cases = {
        {"table faulty.in --from 0 --to 100 --step 50", 1},  // Invalid Entry at 50
        {"table \"$MAIN\" --from 12+ --to 1250 --step 50", 2},
        {"table \"$MAIN\" --from 1000 --to 1250", 2},  // CLI11: a missing option
        {"report \"$MAIN\" -o r.out", 0},              // the input echo alone
        {"report \"$MAIN\" -o -", 0},
        {"report faulty.in -o r.out --from 0 --to 100 --step 50", 1},
        {"report flat.in -o r.out", 2},  // no curves
        {"report \"$MAIN\" -o /", 2},
        {"", 2},
        {"--help", 0},
        {"--version", 0},
    };
    for (const auto& [args, status] : cases)
        EXPECT_EQ(run(args).status, status) << args;
    // Without a command the program says how it is used, not that its own name is unknown.
    EXPECT_TRUE(run("2>&1").out.starts_with("ravo-calc: finished road elevations"));
}

// Under a file-size limit (1024 bytes; the LandXML file needs more) the
// program is not ended by SIGXFSZ: the write fails, the program says so and
// removes its temporary.
TEST(RavoCalcProgram, AFileSizeLimitFailsTheWriteWithAMessage)
{
    const test::TempFolder dir;
    const std::string xml = (dir / "out.xml").string();
    EXPECT_EQ(RunBash("ulimit -f 1; \"$CALC\" -q convert \"$ROAD\" '" + xml + "' 2>&1"),
              (ShellResult{2, "ravo-calc convert: " + xml + " was not written: " + xml +
                                  ": File too large\n"}));
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

// "-" reads standard input, and a pipe or a process substitution is read like a file.
TEST(RavoCalcPipes, EveryCommandReadsStandardInputAndPipesAsItReadsTheFile)
{
    const std::string table = " --from 0 --to 1000 --step 250 --offset 3";
    for (const char* file : {"ridge-road.in", "ridge-road.xml"}) {
        for (const std::string& tail :
             {"table FILE" + table + " --csv",
              std::string("curves FILE --design-speed 80 --units m"), std::string("check FILE"),
              std::string("convert FILE - --format landxml")}) {
            const auto with = [&](const std::string& source) {
                return "\"$CALC\" " + tail.substr(0, tail.find("FILE")) + source +
                       tail.substr(tail.find("FILE") + 4);
            };
            const std::string path = std::string("\"$EXAMPLES/") + file + "\"";
            const ShellResult expected = RunBash(with(path));
            ASSERT_FALSE(expected.out.empty()) << tail;
            for (const std::string& piped :
                 {"cat " + path + " | " + with("-"), with("<(cat " + path + ")"),
                  "cat " + path + " | " + with("/dev/stdin")})
                EXPECT_EQ(RunBash(piped), expected) << file << ": " << piped;
        }
    }
    // With standard input closed, a pipe opened as descriptor 0 is read all the same.
    EXPECT_EQ(RunBash("\"$CALC\" table <(cat \"$ROAD\")" + table + " <&-"),
              RunBash("\"$CALC\" table \"$ROAD\"" + table));
}

// The report from a pipe to standard output, with no file left behind.
TEST(RavoCalcPipes, ReportFromStandardInputToStandardOutput)
{
    const test::TempFolder dir;
    const ShellResult report = RunBash("cd '" + dir.path().string() +
                                       "' && cat \"$ROAD\" | SOURCE_DATE_EPOCH=0 "
                                       "\"$CALC\" report - -o - --from 0 --to 100 --step 50");
    EXPECT_EQ(report.status, 0) << report;
    for (const char* part : {"Input file  = -\r\n", "Output file = -\r\n", "1/01/70"})
        EXPECT_NE(report.out.find(part), std::string::npos) << part << "\n" << report.out;
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

// What err holds after `total` units of work, with a message written halfway.
std::string Drawn(std::uint64_t total, bool shown)
{
    std::ostringstream err;
    {
        Progress progress(err, "work", total, shown);
        for (std::uint64_t done = 1; done <= total; ++done) {
            progress.Advance(done);
            if (done == total / 2) {
                progress.Clear();
                err << "message\n";
            }
        }
    }
    return err.str();
}

// The progress line is drawn as the percentage changes, and cleared for
// messages and at the end; under `script` standard error is a terminal.
TEST(Progress, DrawsEachPercentageOnceOnATerminalOnly)
{
    const auto each = [](int from, int to) {
        std::string lines;
        for (int percent = from; percent <= to; ++percent)
            lines += "\rwork: " + std::to_string(percent) + "%";
        return lines + "\r" + std::string(std::string("work").size() + 6, ' ') + "\r";
    };
    EXPECT_EQ(Drawn(Progress::MinimumTotal * 2, true),
              each(0, 50) + "message\n" + each(50, 100));  // 50 % again after the message
    // Too short to be worth a line, or not a terminal: the message alone.
    EXPECT_EQ(Drawn(Progress::MinimumTotal - 1, true), "message\n");
    EXPECT_EQ(Drawn(Progress::MinimumTotal, false), "message\n");

    const std::string walk = "\"$CALC\" table \"$ROAD\" --from 0 --to 4500 --step 0.03";
    EXPECT_EQ(RunBash(walk + " 2>&1 >/dev/null").out, "");
    const std::string onTerminal = RunBash("script -qec '" + walk + " >/dev/null' /dev/null").out;
    EXPECT_NE(onTerminal.find("\rravo-calc table: 50%"), std::string::npos) << onTerminal;
}

}  // namespace
}  // namespace ravo::calc
