// Tests of writing LandXML profiles: rows, ground lines, and exports handed to
// the file a piece at a time.
#include "core/formats/landxml_write.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/formats/landxml_read.h"
#include "core/formats/profile_file.h"
#include "core/formats/pvi_mapping.h"
#include "core/formats/text_out.h"
#include "support/input_profiles.h"
#include "support/landxml_samples.h"

namespace ravo {
namespace {

using test::StateOf;

TEST(LandXmlText, ReadWriteReadGivesTheSameRows)
{
    for (const ProfileSelection& selection :
         {ProfileSelection{"Main", ""}, ProfileSelection{"Ramp", "Final"}}) {
        const InputProfile first = ImportLandXml(samples::LandXml, selection).profile;
        const LandXmlExport written = LandXmlText(StateOf(first), LengthUnits::Feet);
        const InputProfile again = ImportLandXml(written.text, {}).profile;
        test::ExpectSameBits(again, first);
        EXPECT_TRUE(written.notes.empty());
    }
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

// As a design program exports it: a namespace, US survey feet, the
// existing ground and two more surfaces beside the design profile.
const std::string Exported =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" version=\"1.2\">\r\n"
    "  <Units><Imperial areaUnit=\"squareFoot\" linearUnit=\"USSurveyFoot\"/></Units>\r\n"
    "  <Alignments><Alignment name=\"CL-1\" staStart=\"1000\">\r\n"
    "    <Profile name=\"CL-1\">\r\n"
    "      <ProfSurf name=\"Existing Ground\" state=\"existing\">\r\n"
    "        <PntList2D>1000 512.25 1050.5 513.125 1100 511.0625 1250 509.5</PntList2D>\r\n"
    "      </ProfSurf>\r\n"
    "      <ProfSurf name=\"Rock &amp; Till\" state=\"proposed\">\r\n"
    "        <PntList2D>1000 490.1</PntList2D><PntList2D>1200 491.3</PntList2D>\r\n"
    "      </ProfSurf>\r\n"
    "      <ProfSurf name=\"Survey 2019\"><PntList2D>1000.000001 512.2</PntList2D></ProfSurf>\r\n"
    "      <ProfAlign name=\"FG\">\r\n"
    "        <PVI>1000 510</PVI><ParaCurve length=\"100\">1120 513.6</ParaCurve>\r\n"
    "        <PVI>1250 511</PVI>\r\n"
    "      </ProfAlign>\r\n"
    "    </Profile>\r\n"
    "  </Alignment></Alignments>\r\n"
    "</LandXML>\r\n";

TEST(LandXmlGround, AnExportWritesTheGroundLinesAndReadsBackTheSame)
{
    const LoadedProfile first = AnyProfileFromBytes(Exported);
    ASSERT_EQ(first.ground.size(), 3u);
    const ProfileState state = test::StateOf(first.profile);
    const std::string written = LandXmlText(state, first.unit, {}, first.ground).text;
    const LoadedProfile again = AnyProfileFromBytes(written);
    EXPECT_EQ(again.ground, first.ground);
    EXPECT_EQ(again.unit, LengthUnit::UsSurveyFoot);
    test::ExpectSameBits(again.profile, first.profile);
    EXPECT_NE(written.find("<ProfSurf name=\"Rock &amp; Till\" state=\"proposed\">"),
              std::string::npos);
    // The ground lines stand beside the design profile, before it.
    EXPECT_LT(written.find("</ProfSurf>"), written.find("<ProfAlign"));
    // Written again, the same bytes.
    EXPECT_EQ(LandXmlText(test::StateOf(again.profile), again.unit, {}, again.ground).text,
              written);
}

// Records the pieces a writer hands over.
class PieceSink : public ByteSink {
public:
    void Write(std::string_view bytes) override
    {
        largest = std::max(largest, bytes.size());
        text.append(bytes);
    }
    std::size_t largest = 0;
    std::string text;
};

TEST(LandXmlGround, ExportsAreHandedOverInPiecesOfTheSameBytes)
{
    std::vector<PviPoint> points;
    for (int i = 0; i < 40'000; ++i)
        points.push_back({.station = i * 10.0, .elevation = 100 + (i % 7) * 0.125});
    const ProfileState state = test::StateOf(RowsFromPoints(points, "Long"));
    for (ProfileFormat format :
         {ProfileFormat::LandXml, ProfileFormat::PviCsv, ProfileFormat::InputFile}) {
        PieceSink sink;
        WriteProfile(sink, state, format, LengthUnit::Meter);
        EXPECT_GT(sink.text.size(), 2 * TextOut::PieceBytes);
        EXPECT_LT(sink.largest, TextOut::PieceBytes + 1024);
    }
}

}  // namespace
}  // namespace ravo
