// Mistyped commands and options get the nearest name; -q leaves out the notes
// and the "Wrote ..." lines and nothing else.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc_run.h"
#include "support/file_test_support.h"

namespace ravo::calc {
namespace {

const std::string Example = RAVO_EXAMPLES_DIR "/main-street.in";

// The nearest name is within a third of its letters inserted, deleted,
// replaced or swapped with a neighbour.
TEST(NameCheck, UnknownNamesAreRefusedWithTheNearestKnownOne)
{
    const struct {
        std::vector<std::string> args;
        std::string firstLine;  // "" : the command line is taken
    } cases[] = {
        {{"tabel", Example}, R"(ravo-calc: unknown command "tabel" (did you mean "table"?))"},
        {{"atble", Example}, R"(ravo-calc: unknown command "atble" (did you mean "table"?))"},
        {{"frobnicate"}, R"(ravo-calc: unknown command "frobnicate")"},
        {{"--verison"}, R"(ravo-calc: unknown option "--verison" (did you mean "--version"?))"},
        {{"table", Example, "--form", "0", "--to", "1", "--step", "1"},
         R"(ravo-calc table: unknown option "--form" (did you mean "--from"?))"},
        {{"report", Example, "--ouput=r.out"},
         R"(ravo-calc report: unknown option "--ouput" (did you mean "--output"?))"},
        {{"check", Example, "--tolerence", "1"},
         R"(ravo-calc check: unknown option "--tolerence" (did you mean "--tolerance"?))"},
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
            EXPECT_FALSE(Has(firstLine, "unknown")) << run.err;
            continue;
        }
        EXPECT_EQ(run.status, 2) << c.firstLine;
        EXPECT_EQ(firstLine, c.firstLine);
        EXPECT_EQ(run.out, "");
    }
}

TEST(NameCheck, QuietLeavesOutNotesAndWroteLinesButNotTheAnswerOrErrors)
{
    const test::TempFolder dir;
    const std::string xml = RAVO_EXAMPLES_DIR "/ridge-road.xml";
    const std::string out = (dir / "r.in").string(), one = (dir / "one.csv").string();
    const CalcResult loud = Calc({"convert", xml, out});
    EXPECT_NE(loud.err, "");
    EXPECT_EQ(loud.out, "Wrote " + out + " (13 curve rows).\n");
    test::Put(one, "station,elevation,length\n0,100,\n100,101,\n");
    EXPECT_EQ(Calc({"convert", one, out}).out, "Wrote " + out + " (1 curve row).\n");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-q", "convert", xml, out}, {"convert", "--quiet", xml, out}}) {
        const CalcResult quiet = Calc(args);
        EXPECT_EQ(quiet.status, 0);
        EXPECT_EQ(quiet.out + quiet.err, "");
    }
    const CalcResult curves = Calc({"curves", xml, "-q"});
    EXPECT_EQ(curves.out + curves.err, Calc({"curves", xml}).out);
    const CalcResult missing = Calc({"-q", "check", (dir / "missing.in").string()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(Has(missing.err, "missing.in")) << missing.err;
}

}  // namespace
}  // namespace ravo::calc
