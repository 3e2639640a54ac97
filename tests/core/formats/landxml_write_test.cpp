// Tests of writing LandXML profiles.
#include "core/formats/landxml_write.h"

#include <gtest/gtest.h>

#include <string>

#include "core/formats/landxml_read.h"
#include "core/formats/pvi_mapping.h"
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

}  // namespace
}  // namespace ravo
