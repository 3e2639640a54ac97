// ravo-calc in a shell pipeline: "-" reads standard input or writes standard
// output, and a pipe or a process substitution is read like a file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "shell_run.h"
#include "support/file_test_support.h"

namespace {

namespace fs = std::filesystem;
using ravo::calc::ShellResult;
using ravo::test::Contents;

// Runs `script` in bash with $CALC the program and $EXAMPLES the examples
// folder; standard error goes to /dev/null.
ShellResult RunBash(const std::string& script)
{
    setenv("CALC", RAVO_CALC_PROGRAM, 1);
    setenv("EXAMPLES", RAVO_EXAMPLES_DIR, 1);
    setenv("RAVO_SCRIPT", script.c_str(), 1);
    return ravo::calc::RunShell("bash -c \"$RAVO_SCRIPT\" 2>/dev/null");
}

TEST(RavoCalcPipes, EveryCommandReadsStandardInputAndPipesAsItReadsTheFile)
{
    const std::string table = " --from 0 --to 1000 --step 250 --offset 3";
    const struct {
        std::string command;  // FILE stands for where the profile comes from
        std::string args;
    } commands[] = {
        {"table", table}, {"table", table + " --csv"}, {"curves", " --design-speed 80 --units m"},
        {"check", ""},    {"convert", " -"},           {"convert", " - --format landxml"},
    };
    for (const char* file : {"ridge-road.in", "ridge-road.xml"}) {
        for (const auto& c : commands) {
            const std::string tail = " " + c.args;
            const std::string path = std::string("\"$EXAMPLES/") + file + "\"";
            const ShellResult expected = RunBash("\"$CALC\" " + c.command + " " + path + tail);
            ASSERT_FALSE(expected.out.empty()) << c.command << c.args;
            EXPECT_EQ(RunBash("cat " + path + " | \"$CALC\" " + c.command + " -" + tail), expected)
                << file << ": " << c.command << " -" << c.args;
            EXPECT_EQ(RunBash("\"$CALC\" " + c.command + " <(cat " + path + ")" + tail), expected)
                << file << ": " << c.command << " <(...)" << c.args;
            EXPECT_EQ(RunBash("cat " + path + " | \"$CALC\" " + c.command + " /dev/stdin" + tail),
                      expected)
                << file << ": " << c.command << " /dev/stdin" << c.args;
        }
    }
    // With standard input closed, a pipe opened as descriptor 0 is read all the same.
    EXPECT_EQ(RunBash("\"$CALC\" table <(cat \"$EXAMPLES/ridge-road.in\")" + table + " <&-"),
              RunBash("\"$CALC\" table \"$EXAMPLES/ridge-road.in\"" + table));
}

// The report from a pipe to standard output, with no file left behind.
TEST(RavoCalcPipes, ReportFromStandardInputToStandardOutput)
{
    const ravo::test::TempFolder dir;
    const ShellResult report = RunBash("cd '" + dir.path().string() +
                                       "' && cat \"$EXAMPLES/ridge-road.in\" | SOURCE_DATE_EPOCH=0 "
                                       "\"$CALC\" report - -o - --from 0 --to 100 --step 50");
    EXPECT_EQ(report.status, 0) << report;
    for (const char* part : {"Input file  = -\r\n", "Output file = -\r\n", "1/01/70"})
        EXPECT_NE(report.out.find(part), std::string::npos) << part << "\n" << report.out;
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(RavoCalcPipes, ConvertToStandardOutputWritesWhatTheFileWouldHold)
{
    const ravo::test::TempFolder dir;
    const struct {
        std::string out;
        std::string format;
    } cases[] = {{"r.xml", "landxml"}, {"r.csv", "csv"}, {"r.in", "input"}};
    for (const auto& c : cases) {
        const std::string file = (dir / c.out).string();
        const ShellResult wrote =
            RunBash("\"$CALC\" convert \"$EXAMPLES/ridge-road.in\" '" + file + "'");
        ASSERT_EQ(wrote.status, 0) << c.out;
        const ShellResult piped =
            RunBash("\"$CALC\" convert \"$EXAMPLES/ridge-road.in\" - --format " + c.format);
        EXPECT_EQ(piped, (ShellResult{0, Contents(file)})) << c.format;
        // --format wins over the name of a file as well.
        const std::string other = (dir / ("other-" + c.format)).string();
        RunBash("\"$CALC\" convert \"$EXAMPLES/ridge-road.in\" '" + other + "' --format " +
                c.format);
        EXPECT_EQ(Contents(other), Contents(file)) << c.format;
    }
    // -o names the output as OUT does; one of them, not both.
    const std::string viaOption = (dir / "o.xml").string();
    EXPECT_EQ(
        RunBash("\"$CALC\" convert \"$EXAMPLES/ridge-road.in\" -o '" + viaOption + "'").status, 0);
    EXPECT_EQ(Contents(viaOption), Contents(dir / "r.xml"));
    EXPECT_EQ(RunBash("\"$CALC\" convert \"$EXAMPLES/ridge-road.in\" -o - --format csv").out,
              Contents(dir / "r.csv"));
    EXPECT_EQ(RunBash("\"$CALC\" convert \"$EXAMPLES/ridge-road.in\"").status, 2);
    EXPECT_EQ(RunBash("\"$CALC\" convert \"$EXAMPLES/ridge-road.in\" a.in -o b.in").status, 2);
    // Without --format, standard output takes a Ravo input file, and nothing else.
    EXPECT_EQ(RunBash("\"$CALC\" convert \"$EXAMPLES/ridge-road.in\" -").out,
              Contents(dir / "r.in"));
}

}  // namespace
