// A file that does not load is named as editors take it, FILE:LINE: message,
// wherever the reader knows the line; LandXML curves that overlap at a joint
// are snapped under --joint-tolerance, and a real overlap refuses the load but
// is a finding of check.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "calc_run.h"
#include "profile_source.h"
#include "support/file_test_support.h"
#include "support/landxml_samples.h"

namespace ravo::calc {
namespace {

TEST(LoadErrorLine, PutsTheFileAndLineFirstWhenTheReaderKnowsTheLine)
{
    const struct {
        const char* file;
        const char* what;
        const char* line;
    } cases[] = {
        {"a.csv", "line 3: station \"x\" is not a number",
         "a.csv:3: station \"x\" is not a number"},
        {"r.xml", "line 12, PVI: the attribute x is missing",
         "r.xml:12: PVI: the attribute x is missing"},
        {"-", "line 2: two\nlines", "standard input:2: two\nlines"},
        {"a.in", "the file ends before the title",
         "ravo-calc: the input file a.in does not load: the file ends before the title"},
        {"a.in", "a.in: No such file or directory", "ravo-calc: a.in: No such file or directory"},
        {"a.in", "lines 2 to 3 overlap",
         "ravo-calc: the input file a.in does not load: lines 2 to 3 overlap"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadErrorLine(c.file, c.what), c.line) << c.what;
}

// Parabolas about 100 and 200 whose joint at 150 is written with the second
// beginning `overlap` before the first ends.
std::string Joint(const std::string& secondLength)
{
    return samples::InOneProfile(
        "<PVI>0 100</PVI><ParaCurve length=\"100\">100 103</ParaCurve>"
        "<ParaCurve length=\"" +
        secondLength + "\">200 101</ParaCurve><PVI>300 102</PVI>");
}

TEST(LandXmlJoints, SnappedWithinTheToleranceListedByCheckBeyondIt)
{
    test::TempFolder dir;
    const auto file = [&dir](const std::string& name, const std::string& text) {
        std::ofstream(dir.path() / name, std::ios::binary) << text;
        return (dir.path() / name).string();
    };
    const std::string noise = file("noise.xml", Joint("100.0016"));  // 0.8 mm
    const std::string overlap = file("overlap.xml", Joint("101"));   // 0.5 m
    const std::string table = file("noise.csv",
                                   "station,elevation,length\n0,100,\n100,103,100\n"
                                   "200,101,100.0016\n300,102,\n");
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out;  // a part of each, when not empty
        std::string err;
    } cases[] = {
        {{"curves", noise},
         ExitSuccess,
         "",
         "1 joint between curves was closer than the joint "
         "tolerance of 0.001 and snapped to one station"},
        {{"curves", noise, "--joint-tolerance", "0"}, ExitUsageOrLoad, "", "does not load"},
        {{"curves", overlap}, ExitUsageOrLoad, "", "overlap: the first reaches station 150"},
        {{"curves", overlap, "--joint-tolerance", "0.6"}, ExitSuccess, "", "the largest snap was"},
        {{"check", overlap}, ExitFaultsFound, " overlap from ", ""},
        {{"curves", table}, ExitSuccess, "", "the largest snap was 0.0008"},
        {{"check", noise}, ExitSuccess, "No faults found.", "snapped to one station"},
        {{"curves", noise, "--joint-tolerance", "-1"}, ExitUsageOrLoad, "", "cannot be negative"},
        {{"check", noise, "--joint-tolerance", "1mm"}, ExitUsageOrLoad, "", "--joint-tolerance"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        const CalcResult r = Calc(c.args);
        EXPECT_EQ(r.status, c.status) << r.out << r.err;
        EXPECT_TRUE(Has(r.out, c.out)) << r.out;
        EXPECT_TRUE(Has(r.err, c.err)) << r.err;
    }
}

}  // namespace
}  // namespace ravo::calc
