// The ground line of a fit from each of its formats, and what is refused.
#include <gtest/gtest.h>

#include "core/fit/ground_text.h"
#include "core/formats/input_file.h"

namespace ravo {
namespace {

TEST(GroundText, ReadsCsvPlainAndLandXml)
{
    const std::vector<GroundPoint> expected{{0, 100}, {1250, 101.5}, {2000, 99}};
    const char* texts[] = {
        "station,elevation\r\n0,100\r\n12+50,101.5\r\n\r\n2000,99\r\n",
        "# ground\n0 100\n1250 101.5\n2000\t99\n",
        "station;elevation\n0;100\n2000;99\n1250;101.5\n",
        R"(<?xml version="1.0"?><LandXML xmlns="http://www.landxml.org/schema/LandXML-1.2">
<Alignments><Alignment name="A"><Profile><ProfSurf name="EG"><PntList2D>0 100 1250 101.5
2000 99</PntList2D></ProfSurf></Profile></Alignment></Alignments></LandXML>)",
    };
    for (const char* text : texts)
        EXPECT_EQ(GroundFromBytes(text).Points(), expected) << text;
}

TEST(GroundText, RefusesWhatMakesNoGroundLine)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"station,elevation\n0,100\n50,abc\n", "line 3: "},
        {"0,100\n50\n", "line 2: a ground point needs a station and an elevation"},
        {"0 100\n", "the ground line needs at least two points at different stations"},
        {"0 100\n0 101\n", "the ground line needs at least two points at different stations"},
        {"<LandXML><Alignments/></LandXML>", "the LandXML file holds no ground line (ProfSurf)"},
        {"<LandXML><ProfSurf><PntList2D>0 1 2</PntList2D></ProfSurf></LandXML>", ""},
    };
    for (const auto& c : cases) {
        try {
            (void)GroundFromBytes(c.text);
            ADD_FAILURE() << c.text;
        } catch (const InputFileError& e) {
            EXPECT_EQ(std::string(e.what()).substr(0, std::string(c.message).size()), c.message);
        }
    }
}

}  // namespace
}  // namespace ravo
