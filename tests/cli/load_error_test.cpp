// A file that does not load is named as editors take it, FILE:LINE: message,
// wherever the reader knows the line.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "profile_source.h"
#include "ravo_calc_app.h"
#include "support/file_test_support.h"

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

TEST(LoadErrorLine, EveryReaderGivesTheLineOfItsFault)
{
    const ravo::test::TempFolder dir;
    const struct {
        const char* name;
        const char* text;
        const char* line;  // what follows the path
    } cases[] = {
        {"bad.csv", "station,elevation,length\n0,1,\nx,2,\n", ":3: "},
        {"bad.in", "\"t\"\n1\n1,0,0,1e999,10\n0\n", ":3: "},
        {"bad.xml",
         "<LandXML>\n<Alignments>\n<Alignment name=\"A\">\n<Profile>\n<ProfAlign "
         "name=\"P\">\n<PVI>0 x</PVI>\n</ProfAlign></Profile></Alignment></Alignments></LandXML>\n",
         ":6: "},
    };
    for (const auto& c : cases) {
        const std::string path = (dir / c.name).string();
        std::ofstream(path, std::ios::binary) << c.text;
        std::ostringstream out, err;
        EXPECT_EQ(RunRavoCalc({"check", path}, out, err), 2);
        EXPECT_EQ(err.str().rfind(path + c.line, 0), 0u) << err.str();
    }
}

}  // namespace
}  // namespace ravo::calc
