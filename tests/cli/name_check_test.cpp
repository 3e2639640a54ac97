// Mistyped commands and options get the nearest name; -q leaves out the notes
// and the "Wrote ..." lines and nothing else.
#include "name_check.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "calc_run.h"
#include "support/file_test_support.h"

namespace ravo::calc {
namespace {

TEST(NameCheck, EditDistanceCountsInsertionsDeletionsReplacementsAndSwaps)
{
    const struct {
        const char* a;
        const char* b;
        std::size_t distance;
    } cases[] = {
        {"", "", 0},           {"table", "table", 0},
        {"", "abc", 3},        {"abc", "", 3},
        {"tabel", "table", 1},  // swapped neighbours
        {"atble", "table", 1},  // swapped at the start
        {"tble", "table", 1},  {"tablee", "table", 1},
        {"toble", "table", 1}, {"curves", "check", 5},
        {"ca", "abc", 3},  // no swap across an insertion
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EditDistance(c.a, c.b), c.distance) << c.a << " / " << c.b;
        EXPECT_EQ(EditDistance(c.b, c.a), c.distance) << c.b << " / " << c.a;
    }
}

const std::string Example = RAVO_EXAMPLES_DIR "/main-street.in";

TEST(NameCheck, UnknownNamesAreRefusedWithTheNearestKnownOne)
{
    const struct {
        std::vector<std::string> args;
        std::string firstLine;  // "" : the command line is taken
    } cases[] = {
        {{"tabel", Example}, R"(ravo-calc: unknown command "tabel" (did you mean "table"?))"},
        {{"chek", Example}, R"(ravo-calc: unknown command "chek" (did you mean "check"?))"},
        {{"frobnicate"}, R"(ravo-calc: unknown command "frobnicate")"},
        {{"--verison"}, R"(ravo-calc: unknown option "--verison" (did you mean "--version"?))"},
        {{"table", Example, "--form", "0", "--to", "1", "--step", "1"},
         R"(ravo-calc table: unknown option "--form" (did you mean "--from"?))"},
        {{"report", Example, "--ouput=r.out"},
         R"(ravo-calc report: unknown option "--ouput" (did you mean "--output"?))"},
        {{"check", Example, "--tolerence", "1"},
         R"(ravo-calc check: unknown option "--tolerence" (did you mean "--tolerance"?))"},
        // A name is near within a third of its letters changed.
        {{"curves", Example, "--jxint-txlxrxnxe"},
         R"(ravo-calc curves: unknown option "--jxint-txlxrxnxe" (did you mean "--joint-tolerance"?))"},
        {{"curves", Example, "--jxint-txlxrxxxe"},
         R"(ravo-calc curves: unknown option "--jxint-txlxrxxxe")"},
        // An option of another command is unknown here, and has no near name.
        {{"curves", Example, "--offset"}, R"(ravo-calc curves: unknown option "--offset")"},
        // Values are not names, whatever they begin with; "--" ends the options.
        {{"table", Example, "--from", "--x", "--to", "1", "--step", "1"}, ""},
        {{"curves", "--", "--not-an-option"}, ""},
    };
    for (const auto& c : cases) {
        const CalcResult run = Calc(c.args);
        const std::string firstLine = run.err.substr(0, run.err.find('\n'));
        if (c.firstLine.empty()) {
            EXPECT_EQ(firstLine.find("unknown"), std::string::npos) << run.err;
            continue;
        }
        EXPECT_EQ(run.status, 2) << c.firstLine;
        EXPECT_EQ(firstLine, c.firstLine);
        EXPECT_EQ(run.out, "");
    }
}

TEST(NameCheck, QuietLeavesOutNotesAndWroteLinesButNotTheAnswerOrErrors)
{
    const ravo::test::TempFolder dir;
    const std::string xml = RAVO_EXAMPLES_DIR "/ridge-road.xml";
    const std::string out = (dir / "r.in").string();
    const CalcResult loud = Calc({"convert", xml, out});
    EXPECT_NE(loud.err, "");
    EXPECT_EQ(loud.out, "Wrote " + out + " (13 curve rows).\n");
    const std::string one = (dir / "one.csv").string();
    std::ofstream(one) << "station,elevation,length\n0,100,\n100,101,\n";
    EXPECT_EQ(Calc({"convert", one, out}).out, "Wrote " + out + " (1 curve row).\n");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-q", "convert", xml, out}, {"convert", "--quiet", xml, out}}) {
        const CalcResult quiet = Calc(args);
        EXPECT_EQ(quiet.status, 0);
        EXPECT_EQ(quiet.out + quiet.err, "");
    }
    const CalcResult curves = Calc({"curves", xml, "-q"});
    EXPECT_EQ(curves.out, Calc({"curves", xml}).out);
    EXPECT_EQ(curves.err, "");
    const CalcResult missing = Calc({"-q", "check", (dir / "missing.in").string()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("missing.in"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace ravo::calc
