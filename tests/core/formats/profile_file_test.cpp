// Loading any profile file: recognising the format on the decoded text,
// refusing what is none, its length unit and the note on far stations, and
// saving in the format a name asks for.
#include "core/formats/profile_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/formats/length_unit.h"
#include "support/error_text.h"
#include "support/file_test_support.h"
#include "support/input_profiles.h"
#include "support/landxml_samples.h"

namespace ravo {
namespace {

// The format is told by content, on the decoded text: a document type
// declaration, UTF-16 and blanks in a CSV header do not hide a profile, and a
// plain PVI table is read only when asked for.
TEST(AnyProfileFromBytes, TellsTheFormatsApartByContentInAnyEncoding)
{
    const std::string xml =
        "<LandXML><Alignments><Alignment name=\"Main\"><Profile><ProfAlign name=\"P\">"
        "<PVI>0 10</PVI><ParaCurve length=\"40\">50 11</ParaCurve><PVI>100 10.5</PVI>"
        "</ProfAlign></Profile></Alignment></Alignments></LandXML>";
    const std::u16string xml16(xml.begin(), xml.end());
    const std::string csv = "station , Elevation ,length\r\n0,100,\r\n100,101,20\r\n200,100,\r\n";
    const std::u16string csv16(csv.begin(), csv.end());
    const std::string pviPlain = "0 100\n100 101 20\n200 100\n";
    const struct {
        std::string bytes;
        bool plainPvi;
        ProfileFormat format;
        std::int32_t curves;
    } cases[] = {
        {samples::LandXml, false, ProfileFormat::LandXml, 9},
        {"<?xml version=\"1.0\"?>\n<!DOCTYPE LandXML>" + xml, false, ProfileFormat::LandXml, 3},
        {"<!DOCTYPE LandXML [\n<!ENTITY e \"<x>\">\n]>\n" + xml, false, ProfileFormat::LandXml, 3},
        {test::Utf16(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + xml16, false), false,
         ProfileFormat::LandXml, 3},
        {test::Utf16(xml16, true).substr(2), false, ProfileFormat::LandXml, 3},
        {csv, false, ProfileFormat::PviCsv, 3},
        {test::Utf16(csv16, true), false, ProfileFormat::PviCsv, 3},
        {"station,elevation,length\n0,100,\n100,101,\n", true, ProfileFormat::PviCsv, 1},
        {pviPlain, true, ProfileFormat::PviPlain, 3},
        {pviPlain, false, ProfileFormat::InputFile, -1},  // not asked for: an untitled input file
        {"\"\"\r\n0\r\n0\r\n", false, ProfileFormat::InputFile, 0},  // an empty profile is one
        {"<Main road>\r\n1\r\n100,0,0,0,100\r\n0\r\n", false, ProfileFormat::InputFile, 1},
        {"Title\r\nabc\r\n0\r\n", false, ProfileFormat::InputFile, 0},  // a count holds a number
    };
    for (const auto& c : cases) {
        try {
            const LoadedProfile loaded = AnyProfileFromBytes(c.bytes, {{"Main", ""}, c.plainPvi});
            EXPECT_EQ(loaded.format, c.format) << c.bytes;
            EXPECT_EQ(loaded.profile.numVC, c.curves) << c.bytes;
        } catch (const InputFileError& e) {
            EXPECT_EQ(c.curves, -1) << e.what();
        }
    }
    EXPECT_THROW(AnyProfileFromBytes(samples::LandXml), ProfileChoiceError);
}

TEST(AnyProfileFromBytes, RefusesAFileOfNoFormatWithWhatItLooksLike)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1::/usr/sbin\nbin:x:2:2::/bin\n",
         "text whose first line is \"root:x:0:0:root:/root:/bin/bash\""},
        {std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), "a PNG image"},
        {std::string("1\r\n1,2,\0,4,5\r\n0\r\n", 17), "binary data"},
        {"<?xml version=\"1.0\"?>\n<svg><text>1</text></svg>",
         "an XML document whose root element is \"svg\""},
        {"<html>\n<body>a, b</body>\n</html>\n", "an XML document whose root element is \"html\""},
        {"", "the file ends before the title or the curve count"},
    };
    for (const auto& [bytes, looks] : cases) {
        const std::string error =
            test::ErrorText<InputFileError>([&] { AnyProfileFromBytes(bytes); });
        EXPECT_NE(error.find(looks), std::string::npos) << error;
    }
}

// Fields that hold no number read as 0 as ever, and are told: one line a kind.
TEST(AnyProfileFromBytes, CountsTheFieldsThatHoldNoNumber)
{
    const std::string text =
        test::Lines({"\"T\"", "2", "100,x,0,0,50", "100,0,,50,100", "1", "0,0,0,0,\"1 0\""});
    const LoadedProfile loaded = AnyProfileFromBytes(text);
    EXPECT_EQ(loaded.profile.curves[1][2], 0.0f);
    EXPECT_EQ(loaded.profile.segments[4][1], 1.0f);  // "1 0" begins with a number
    EXPECT_EQ(loaded.fieldsWithoutNumber,
              (std::vector<std::string>{"2 curve fields hold no number and read as 0; the first "
                                        "is the beginning grade of curve 1 (line 3), \"x\""}));
    const std::string counts = test::Lines({"\"T\"", "one", "2"});
    EXPECT_EQ(
        AnyProfileFromBytes(counts + test::Lines({"0,0,0,0,1", "0,0,0,1,2"})).fieldsWithoutNumber,
        (std::vector<std::string>{
            "1 curve field holds no number and reads as 0: the curve count (line 2), \"one\""}));
    // A field is told whole up to 40 characters, and its first 40 beyond.
    const std::string forty(40, 'x');
    for (const auto& [field, told] :
         {std::pair{forty, "\"" + forty + "\""}, {forty + "y", "\"" + forty + "...\""}}) {
        const std::string note =
            AnyProfileFromBytes(test::Lines({"\"T\"", field, "0"})).fieldsWithoutNumber.at(0);
        EXPECT_EQ(note.substr(note.find('"')), told);
    }
}

TEST(SaveProfileAs, TheFileNameChoosesTheFormat)
{
    const test::TempFolder dir;
    const ProfileState state =
        test::ProfileFromText("station,elevation,length\n0,100,\n100,101,20\n200,100,\n");
    const struct {
        std::string name;
        ProfileFormat format;
    } cases[] = {
        {"a.XML", ProfileFormat::LandXml},
        {"a.csv", ProfileFormat::PviCsv},
        {"a.in", ProfileFormat::InputFile},
        {"xml", ProfileFormat::InputFile},
    };
    for (const auto& c : cases) {
        const std::string path = (dir / c.name).string();
        EXPECT_TRUE(SaveProfileAs(state, path, LengthUnit::Meter).empty());
        const LoadedProfile loaded = ReadAnyProfile(path);
        EXPECT_EQ(loaded.format, c.format) << c.name;
        const ProfileState back = test::StateOf(loaded.profile);
        EXPECT_EQ(back.VcElevation1, state.VcElevation1) << c.name;
        EXPECT_EQ(back.VcSta2, state.VcSta2) << c.name;
    }
    EXPECT_THROW(ReadAnyProfile((dir / "missing.xml").string()), InputFileError);
}

std::vector<std::string> PrecisionNotes(const std::string& bytes)
{
    std::vector<std::string> found;
    for (const std::string& note : AnyProfileFromBytes(bytes).notes)
        if (note.starts_with("Stations are held as 32-bit floats"))
            found.push_back(note);
    return found;
}

std::string Note(const std::string& station, const std::string& step)
{
    return "Stations are held as 32-bit floats, which lie more than 0.001 apart from station "
           "16384 on: this profile reaches station " +
           station + ", where they lie " + step + " apart.";
}

// Input files and imports alike: the note comes once, for the farthest
// station of either kind of row, and not where a millimetre still holds.
TEST(StationPrecisionNote, OnceForTheFarthestStationOfAnyLoad)
{
    const std::string landXml = samples::InOneProfile("<PVI>20000 10</PVI><PVI>20100 12</PVI>");
    const struct {
        std::string bytes;
        std::vector<std::string> notes;
    } cases[] = {
        {"\"a\"\n1\n100,0,0,0,16383.99\n0\n", {}},
        {"\"a\"\n1\n100,0,0,0,16384\n0\n", {Note("16384", "0.001953125")}},
        {"\"a\"\n3\n100,0,0,0,20000\n100,0,0,20000,70000\n100,0,0,70000,65536\n0\n",
         {Note("70000", "0.0078125")}},
        {"\"a\"\n1\n100,0,0,0,100\n1\n0,0,0,-100000.5,0\n", {Note("-100000.5", "0.0078125")}},
        {landXml, {Note("20100", "0.001953125")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrecisionNotes(c.bytes), c.notes) << c.bytes;
}

TEST(LengthUnits, NamesAndTheConversionOfRows)
{
    const struct {
        std::string system, linear;
        std::optional<LengthUnit> unit;
    } names[] = {
        {"Metric", "meter", LengthUnit::Meter},
        {"Imperial", "FOOT", LengthUnit::Foot},
        {"", "ussurveyfoot", LengthUnit::UsSurveyFoot},
        {"Imperial", "", LengthUnit::Foot},
        {"", "", std::nullopt},
        {"", "furlong", std::nullopt},
    };
    for (const auto& n : names)
        EXPECT_EQ(LandXmlUnitOf(n.system, n.linear), n.unit) << n.system << " " << n.linear;
    // Stations, lengths and elevations are converted; grades are not.
    InputProfile p =
        test::ProfileOf("", {{3937, 0.5f, 0.25f, 7874, 11811}}, {{0.02f, 0, 0, 39370, 0}});
    ConvertLengths(p, LengthUnit::UsSurveyFoot, LengthUnit::Meter);
    test::ExpectSameBits(
        p, test::ProfileOf("", {{1200, 0.5f, 0.25f, 2400, 3600}}, {{0.02f, 0, 0, 12000, 0}}));
    ConvertLengths(p, LengthUnit::Meter, LengthUnit::Foot);
    EXPECT_FLOAT_EQ(p.curves[0][1], static_cast<float>(1200 / 0.3048));
    // The note names each unit in words.
    EXPECT_EQ(ConversionNote(LengthUnit::UsSurveyFoot, LengthUnit::Meter),
              "Lengths were converted from US survey feet to metres (1 ft = 0.3048 m, 1 US "
              "survey ft = 1200/3937 m).");
    EXPECT_EQ(ConversionNote(LengthUnit::Meter, LengthUnit::Foot).substr(0, 42),
              "Lengths were converted from metres to feet");
}

}  // namespace
}  // namespace ravo
