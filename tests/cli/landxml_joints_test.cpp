// ravo-calc on LandXML curves that overlap at a joint: rounding noise is
// snapped under --joint-tolerance, a real overlap refuses the load but is a
// finding of check.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "calc_run.h"
#include "support/file_test_support.h"

namespace ravo::calc {
namespace {

// Parabolas about 100 and 200 whose joint at 150 is written with the second
// beginning `overlap` before the first ends.
std::string Joint(const std::string& secondLength)
{
    return "<LandXML><Alignments><Alignment name=\"A\"><Profile><ProfAlign name=\"P\">"
           "<PVI>0 100</PVI><ParaCurve length=\"100\">100 103</ParaCurve>"
           "<ParaCurve length=\"" +
           secondLength +
           "\">200 101</ParaCurve><PVI>300 102</PVI>"
           "</ProfAlign></Profile></Alignment></Alignments></LandXML>";
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
