// Tests of the one-pass LandXML reading: for every file it takes, it gives
// what the tree reading gives; every file it leaves goes to the tree.
#include "core/formats/landxml_scan.h"

#include <gtest/gtest.h>

#include <string>

namespace ravo {
namespace {

// Shaped like a real export: a namespace, comments, CRLF, two alignments,
// ground lines, every kind of point; and a second Units, which does not count.
const std::string Export =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<!-- written by a design program -->\r\n"
    "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" version='1.2'>\r\n"
    " <Units><Metric linearUnit=\"meter\" areaUnit=\"squareMeter\"/></Units>\r\n"
    " <Units><Imperial linearUnit=\"USSurveyFoot\"/></Units>\r\n"
    " <Alignments>\r\n"
    "  <Alignment name=\"Main St\" staStart=\"0\"><StaEquation staAhead=\"1\"/>\r\n"
    "   <CoordGeom><Line><Start>0 0</Start></Line></CoordGeom>\r\n"
    "   <Profile name=\"Main profile\"><ProfSurf name=\"EG\" state=\"existing\">\r\n"
    "     <PntList2D>0 100.5 50 101.25\r\n 100 99.75</PntList2D></ProfSurf>\r\n"
    "    <ProfAlign><PVI desc=\"start\">0 100</PVI><![CDATA[ ignored ]]>\r\n"
    "     <ParaCurve length=\"40\">100 103</ParaCurve>\r\n"
    "     <UnsymParaCurve lengthIn=\"10\" lengthOut=\"30\">200 99</UnsymParaCurve>\r\n"
    "     <CircCurve length=\"20\" radius=\"3000\">300 100 </CircCurve>\r\n"
    "     <PVI >400 +1e2</PVI ></ProfAlign>\r\n"
    "    <ProfSurf name=\"Survey\"><PntList2D/><PntList2D>10 1</PntList2D></ProfSurf>\r\n"
    "   </Profile>\r\n"
    "   <Superelevation><Other><Superelevation/></Other></Superelevation>\r\n"
    "  </Alignment>\r\n"
    "  <Alignment name=\"Ramp\"><Profile name=\"R\"><ProfAlign name=\"Final\"/></Profile>"
    "<Profile/></Alignment>\r\n"
    " </Alignments>\r\n"
    "</LandXML>\r\n<!-- end -->\r\n";

TEST(ScanLandXml, ReadsWhatTheTreeReadsOrLeavesTheFileToIt)
{
    const std::string head = "<LandXML><Alignments><Alignment name=\"A\"><Profile><ProfAlign>";
    const std::string tail = "</ProfAlign></Profile></Alignment></Alignments></LandXML>";
    const struct {
        std::string text;
        bool onePass;
    } cases[] = {
        {Export, true},
        {"<x:LandXML xmlns:x=\"u\"><x:Alignments><x:Alignment name=\"A\"><x:Profile><x:ProfAlign>"
         "<x:PVI>0 1</x:PVI><x:PVI>9 2</x:PVI></x:ProfAlign></x:Profile></x:Alignment>"
         "</x:Alignments></x:LandXML>",
         true},
        {head + "<PVI>0 1</PVI>" + tail, true},
        {"<!DOCTYPE LandXML>" + head + "<PVI>0 1</PVI>" + tail, false},
        {"<LandXML><Alignments><Alignment name=\"A &amp; B\"><Profile><ProfAlign>"
         "<PVI>0 1</PVI>" +
             tail,
         false},
        {head + "<PVI desc=\"a\tb\">0 1</PVI>" + tail, false},
        {head + "<PVI>0 <!-- c --> 1</PVI>" + tail, false},
        {head + "<PVI>0 1 2</PVI>" + tail, false},
        {head + "<PVI>0 x</PVI>" + tail, false},
        {head + "<ParaCurve>0 1</ParaCurve>" + tail, false},
        {head + "<PVI>0 &#49;</PVI>" + tail, false},
        {head + "<PVI>0 1</PVX>" + tail, false},
        {head + "<?pi?><PVI>0 1</PVI>" + tail, false},
        {head + "<PVI a=\"1\"b=\"2\">0 1</PVI>" + tail, false},
        {head + "<PVI>0 1</PVI>" + tail + "<LandXML/>", false},
        {head + "<PVI>0 1</PVI>", false},
        {"<Other/>", false},
        {"", false},
        {std::string("<LandXML>\0</LandXML>", 20), false},
    };
    for (const auto& c : cases) {
        const std::optional<LandXmlFile> scanned = ScanLandXml(c.text);
        EXPECT_EQ(scanned.has_value(), c.onePass) << c.text;
        if (scanned) {
            EXPECT_EQ(*scanned, ParseLandXmlTree(c.text)) << c.text;
        }
    }
}

TEST(ScanLandXml, KeepsTheLinesUnitsAndGroundOfAnExport)
{
    const LandXmlFile file = ScanLandXml(Export).value();
    EXPECT_EQ(file.unitSystem, "Metric");
    EXPECT_EQ(file.linearUnit, "meter");
    ASSERT_EQ(file.profiles.size(), 2u);
    const LandXmlProfile& main = file.profiles[0];
    EXPECT_EQ(main.profile, "Main profile");
    EXPECT_EQ(main.superelevations, 2);
    EXPECT_EQ(main.stationEquations, 1);
    ASSERT_EQ(main.points.size(), 5u);
    EXPECT_EQ(main.points[1].line, 13);
    EXPECT_EQ(main.points[4].elevation, 100);
    ASSERT_EQ(main.ground.size(), 2u);
    EXPECT_EQ(main.ground[0].points.size(), 3u);
    EXPECT_EQ(main.ground[1].points, (std::vector<GroundPoint>{{10, 1}}));
    EXPECT_EQ(file.profiles[1].profile, "Final");
    EXPECT_EQ(file.profiles[1].alignmentNumber, 2);
}

}  // namespace
}  // namespace ravo
