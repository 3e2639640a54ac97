// Tests of reading LandXML profiles and writing them back, and of the
// one-pass reading: for every file it takes, it gives what the tree reading
// gives; every file it leaves goes to the tree.
#include "core/formats/landxml_read.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/formats/landxml_scan.h"
#include "core/formats/landxml_write.h"
#include "core/formats/profile_file.h"
#include "support/error_text.h"
#include "support/input_profiles.h"
#include "support/landxml_samples.h"

namespace ravo {
namespace {

std::string ErrorOf(const std::string& text, const ProfileSelection& selection = {})
{
    return test::ErrorText<InputFileError>([&] { ImportLandXml(text, selection); });
}

using samples::InOneProfile;
using test::StateOf;

TEST(ImportLandXml, ChoosesTheProfileAndSaysWhatItLeftOut)
{
    // The choice among profiles of one name is ProfilesOfTheSameNamesAreChosenByNumber's.
    EXPECT_EQ(ImportLandXml(samples::LandXml, {"", "Final"}).profile.title, "Ramp - Final");
    EXPECT_EQ(ErrorOf(samples::LandXml, {"Side", ""}),
              "no profile matches alignment \"Side\", profile \"\"; the file holds:\n  alignment "
              "\"Main\", profile \"Design\"\n  alignment \"Ramp\", profile \"Prelim\"\n  "
              "alignment \"Ramp\", profile \"Final\"");
    const ImportedProfile main = ImportLandXml(samples::LandXml, {"Main", ""});
    // 4 tangents and 1 + 2 + 2 curve rows: the arc's tangent points lie 1.4 mm
    // closer to the PVI before it than after it, since its grades differ.
    EXPECT_EQ(main.profile.numVC, 9);
    ASSERT_EQ(main.notes.size(), 5u);
    EXPECT_EQ(main.notes[0],
              "1 circular curve was placed from radius and grades as parabolas through the "
              "arcs' tangent points; their elevations differ from the arcs by at most 0.0000 "
              "(at station 1750).");
    // A radius of 11111 over 0.9% makes an arc of 99.9981: the length 100 is
    // neither it nor the horizontal length.
    EXPECT_EQ(main.notes[1],
              "1 circular curve was written with a length that is neither the arc length nor "
              "the horizontal length; the length was not used, the largest difference is 0.0019 "
              "(at station 1750).");
    EXPECT_EQ(main.notes[2],
              "The superelevation of the alignment (2 Superelevation elements) was not imported: "
              "Ravo's superelevation segments cannot hold LandXML's transitions faithfully.");
    EXPECT_EQ(main.notes[3],
              "The alignment's 1 station equations (StaEquation) were not applied: "
              "stations are taken as written.");
    // The last, the unit, is the import's in the window and the command line.

    // Elements are matched by local name: a national variant with its own
    // namespace URI and a prefix reads the same as plain LandXML.
    const std::string prefixed =
        "<?xml version=\"1.0\"?>\n<im:LandXML xmlns:im=\"http://buildingsmart.fi/inframodel/404\">"
        "<im:Alignments><im:Alignment name=\"Ramp\"><im:Profile><im:ProfAlign name=\"Final\">"
        "<im:PVI>0 10</im:PVI><im:ParaCurve length=\"40\">50 11</im:ParaCurve>"
        "<im:PVI>100 10.5</im:PVI></im:ProfAlign></im:Profile></im:Alignment></im:Alignments>"
        "</im:LandXML>";
    const ImportedProfile plain = ImportLandXml(samples::LandXml, {"Ramp", "Final"});
    EXPECT_EQ(plain.notes.size(), 1u);  // only the unit: nothing left out
    const ImportedProfile prefixedProfile = ImportLandXml(prefixed, {});
    EXPECT_EQ(prefixedProfile.profile, plain.profile);
    EXPECT_EQ(prefixedProfile.notes.size(), 1u);
    EXPECT_TRUE(LooksLikeLandXml(prefixed));
    // The sample's ground line belongs to Main's profile, not to Ramp's.
    EXPECT_EQ(main.ground.size(), 1u);
    EXPECT_TRUE(plain.ground.empty());
}

TEST(ImportLandXml, MalformedFilesNameTheLineAndTheFault)
{
    const auto ground = [](const std::string& list) {
        return "<LandXML>\n<Alignments><Alignment><Profile><ProfSurf>\n<PntList2D>" + list +
               "</PntList2D></ProfSurf><ProfAlign><PVI>0 1</PVI><PVI>1 1</PVI>"
               "</ProfAlign></Profile></Alignment></Alignments></LandXML>";
    };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"<LandXML>\n<Alignments>\n<Alignment>\n</Alignments>\n</LandXML>",
         "line 4: the XML is malformed: Start-end tags mismatch"},
        {"<Other/>", "not a LandXML file: the root element is \"Other\""},
        {InOneProfile("<PVI>0 10</PVI>\n<PVI>100 abc</PVI>"),
         "line 5, PVI: \"100 abc\" is not a station and an elevation"},
        {InOneProfile("<PVI>0 10</PVI>\n<PVI>100 1e999</PVI>"),
         "line 5, PVI: \"100 1e999\" is not a station and an elevation"},
        {InOneProfile("<PVI>0 10</PVI>\n<ParaCurve>50 11</ParaCurve><PVI>100 10</PVI>"),
         "line 5, ParaCurve: the attribute length is missing"},
        {InOneProfile("<PVI>0 10</PVI>\n<UnsymParaCurve lengthIn=\"x\" lengthOut=\"1\">50 11"
                      "</UnsymParaCurve><PVI>100 10</PVI>"),
         "line 5, UnsymParaCurve: lengthIn=\"x\" is not a number"},
        {InOneProfile("<PVI>0 10</PVI><ParaCurve length=\"80\">50 11</ParaCurve>\n"
                      "<ParaCurve length=\"40\">90 11</ParaCurve><PVI>200 10</PVI>"),
         "alignment \"A\", profile \"P\": the curves at point 2 (line 4) and point 3 (line 5) "
         "overlap: the first reaches station 90 and the second begins at 70"},
        {"<LandXML><Alignments/></LandXML>", "the file holds no design profile (ProfAlign)"},
        {ground("1 2 3"), "line 3, PntList2D: 3 numbers, not station and elevation pairs"},
        {ground("1 2 3 x"), "line 3, PntList2D: \"x\" is not a number"},
    };
    for (const auto& [text, error] : cases)
        EXPECT_EQ(ErrorOf(text), error);
}

TEST(LooksLikeLandXml, ByTheRootElementAlone)
{
    EXPECT_TRUE(
        LooksLikeLandXml("\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<!-- a -- b -->\n<LandXML>"));
    EXPECT_TRUE(LooksLikeLandXml("  <?xml-stylesheet href=\"a\"?><LandXML\n>"));
    for (const char* text :
         {"<LandXMLish/>", "<!-- never closed <LandXML>", "\"T\"\n1\n1,0,0,0,1\n0\n"})
        EXPECT_FALSE(LooksLikeLandXml(text)) << text;
}

// Shaped like a real export: a namespace, comments, CRLF, US survey feet (and
// a second Units, which does not count), two alignments, every kind of point,
// ground lines beside the design profile, their points out of station order.
const std::string Export =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<!-- written by a design program -->\r\n"
    "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" version='1.2'>\r\n"
    " <Units><Imperial linearUnit=\"USSurveyFoot\" areaUnit=\"squareFoot\"/></Units>\r\n"
    " <Units><Metric linearUnit=\"meter\"/></Units>\r\n"
    " <Alignments>\r\n"
    "  <Alignment name=\"Main St\" staStart=\"0\"><StaEquation staAhead=\"1\"/>\r\n"
    "   <CoordGeom><Line><Start>0 0</Start></Line></CoordGeom>\r\n"
    "   <Profile name=\"Main profile\"><ProfSurf name=\"EG\" state=\"existing\">\r\n"
    "     <PntList2D>10 100.5 20000.123456789 101.25\r\n 15 +99.75</PntList2D></ProfSurf>\r\n"
    "    <ProfAlign><PVI desc=\"start\">0 100</PVI><![CDATA[ ignored ]]>\r\n"
    "     <ParaCurve length=\"40\">100 103</ParaCurve>\r\n"
    "     <UnsymParaCurve lengthIn=\"10\" lengthOut=\"30\">200 99</UnsymParaCurve>\r\n"
    "     <CircCurve length=\"20\" radius=\"3000\">300 100 </CircCurve>\r\n"
    "     <PVI >400 +1e2</PVI ></ProfAlign>\r\n"
    "    <ProfSurf name=\"Survey\"><PntList2D/><PntList2D>10 1</PntList2D></ProfSurf>\r\n"
    "    <ProfSurf name=\"Rock\" state=\"proposed\"></ProfSurf>\r\n"
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
        {head +
             "<PVI>0 1</PVI><CircCurve length=\"20\">50 2</CircCurve>"
             "<ParaCurve length=\"20\" radius=\"9\">80 1</ParaCurve><PVI>100 1</PVI>" +
             tail,
         true},
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

// What an export holds beside its rows is kept, and written again it reads
// back the same, rows of every kind bit for bit, in the same bytes each time.
TEST(ImportLandXml, AnExportKeepsItsUnitGroundAndNotesThroughAWrite)
{
    const LoadedProfile first = AnyProfileFromBytes(Export, {{"Main St", ""}});
    EXPECT_EQ(first.unit, LengthUnit::UsSurveyFoot);
    EXPECT_EQ(first.profile.curves[0].back(), 100);  // +1e2
    EXPECT_EQ(
        first.ground.at(0),
        (GroundLine{"EG", "existing", {{10, 100.5}, {20000.123456789, 101.25}, {15, 99.75}}}));
    EXPECT_EQ(GroundLineNotes(first.ground),
              (std::vector<std::string>{
                  "Ground line \"EG\" (existing): 3 points from station 10 to 20000.123456789.",
                  "Ground line \"Survey\": 1 point from station 10 to 10.",
                  "Ground line \"Rock\" (proposed): no points."}));
    std::string notes;  // nested Superelevation elements count too
    for (const std::string& note : first.notes)
        notes += note + "\n";
    EXPECT_NE(notes.find("(2 Superelevation elements)"), std::string::npos) << notes;

    const LandXmlExport exported =
        LandXmlText(StateOf(first.profile), first.unit, {}, first.ground);
    EXPECT_TRUE(exported.notes.empty());
    const std::string& written = exported.text;
    const LoadedProfile again = AnyProfileFromBytes(written);
    EXPECT_EQ(again.ground, first.ground);
    EXPECT_EQ(again.unit, LengthUnit::UsSurveyFoot);
    test::ExpectSameBits(again.profile, first.profile);
    // The ground lines stand beside the design profile, before it.
    EXPECT_LT(written.find("</ProfSurf>"), written.find("<ProfAlign"));
    EXPECT_EQ(LandXmlText(StateOf(again.profile), again.unit, {}, again.ground).text, written);
}

TEST(LandXmlText, WritesOneAlignmentWithAPlaceholderLine)
{
    InputProfile profile = ImportLandXml(samples::LandXml, {"Main", ""}).profile;
    profile.title = "Main & <Side>";
    profile.numSup = 1;
    for (auto& column : profile.segments)
        column = {0, 0};
    const LandXmlExport written = LandXmlText(StateOf(profile), LengthUnits::Metres);
    for (const char* part : {
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
             "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" version=\"1.2\">",
             "<Metric areaUnit=\"squareMeter\" linearUnit=\"meter\"",
             "<Application name=\"Ravo\" manufacturer=\"Ravo\" version=\"1.2.1\" />",
             "<Alignment name=\"Main &amp; &lt;Side>\" staStart=\"1000\" length=\"1000\">",
             "<Line desc=\"placeholder: Ravo holds no horizontal alignment",
             "<UnsymParaCurve lengthIn=\"50\" lengthOut=\"100\">1500 102.5</UnsymParaCurve>",
         })
        EXPECT_NE(written.text.find(part), std::string::npos) << part << "\n" << written.text;
    ASSERT_EQ(written.notes.size(), 1u);
    EXPECT_NE(written.notes[0].find("superelevation segments were not written"), std::string::npos);
}

}  // namespace
}  // namespace ravo
