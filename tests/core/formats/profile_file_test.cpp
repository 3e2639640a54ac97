// Tests of loading and saving a profile in any format.
#include "core/formats/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/formats/pvi_mapping.h"
#include "support/file_test_support.h"
#include "support/input_profiles.h"
#include "support/landxml_samples.h"

namespace ravo {
namespace {

namespace fs = std::filesystem;

TEST(AnyProfileFromBytes, TellsTheFormatsApartByContent)
{
    const std::string pviPlain = "0 100\n100 101 20\n200 100\n";
    const struct {
        std::string bytes;
        bool plainPvi;
        ProfileFormat format;
        std::int32_t curves;
    } cases[] = {
        {"\"Road\"\n1\n100,0,0,0,100\n0\n", false, ProfileFormat::InputFile, 1},
        {samples::LandXml, false, ProfileFormat::LandXml, 8},
        {"station,elevation,length\n0,100,\n100,101,20\n200,100,\n", false, ProfileFormat::PviCsv,
         3},
        {pviPlain, true, ProfileFormat::PviPlain, 3},
        {"station,elevation,length\n0,100,\n100,101,\n", true, ProfileFormat::PviCsv, 1},
        {pviPlain, false, ProfileFormat::InputFile, 0},  // not asked for: an untitled input file
    };
    for (const auto& c : cases) {
        try {
            const LoadedProfile loaded = AnyProfileFromBytes(c.bytes, {{"Main", ""}, c.plainPvi});
            EXPECT_EQ(loaded.format, c.format) << c.bytes;
            EXPECT_EQ(loaded.profile.numVC, c.curves) << c.bytes;
        } catch (const InputFileError& e) {
            EXPECT_EQ(c.curves, 0) << e.what();
        }
    }
    EXPECT_THROW(AnyProfileFromBytes(samples::LandXml), ProfileChoiceError);
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
        EXPECT_TRUE(SaveProfileAs(state, path, LengthUnits::Metres).empty());
        const LoadedProfile loaded = ReadAnyProfile(path);
        EXPECT_EQ(loaded.format, c.format) << c.name;
        ProfileState back;
        ApplyInputProfile(back, InputProfile(loaded.profile));
        EXPECT_EQ(back.VcElevation1, state.VcElevation1) << c.name;
        EXPECT_EQ(back.VcSta2, state.VcSta2) << c.name;
    }
    EXPECT_THROW(ReadAnyProfile((dir / "missing.xml").string()), InputFileError);
}

}  // namespace
}  // namespace ravo
