#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <tuple>

#include <sys/stat.h>

#include "file_test_support.h"
#include "input_profiles.h"

namespace ravo {
namespace {

using namespace ravo::test;

TEST(InputFileText, CanonicalLayout)
{
    const std::vector<std::pair<InputProfile, std::string>> cases = {
        {ProfileOf("", {}, {}), "\"\"\r\n0\r\n0\r\n"},
        {ProfileOf("", {{100, 0, 0, 1000, 1400}}, {}), "\"\"\r\n1\r\n100,0,0,1000,1400\r\n0\r\n"},
        {ProfileOf("Main Street profile", {{100, 0.02f, -0.01f, 1000, 1200}},
                   {{-0.02f, 0.0004f, 0.0004f, 1000, 1100}}),
         Lines({"\"Main Street profile\"", "1", "100,0.02,-0.01,1000,1200", "1",
                "-0.02,0.0004,0.0004,1000,1100"})},
        {{"say \"hi\"", -2, -7, {}, {}}, Lines({"\"say \"\"hi\"\"\"", "-2", "-7"})},
    };
    for (const auto& [profile, text] : cases)
        EXPECT_EQ(InputFileText(StateOf(profile)), text);

    const std::vector<std::pair<float, const char*>> values = {
        {12345.678f, "12345.678"},
        {0.02f, "0.02"},
        {1e7f, "10000000"},
        {1e-5f, "1E-05"},
        {-0.0f, "-0"},
        {1.0f / 3, "0.33333334"},
        {0.0004f, "0.0004"},
        {1400, "1400"},
        {FLT_MAX, "3.4028235E+38"},
        {std::numeric_limits<float>::denorm_min(), "1E-45"},
        {123456792.0f, "123456792"},
        {-101.3125f, "-101.3125"},
        {1e9f, "1E+09"},
        {9.9e-5f, "9.9E-05"},
    };
    for (const auto& [value, text] : values)
        EXPECT_EQ(ValueText(value), text) << text;
}

TEST(InputFile, WrittenProfilesLoadBackBitForBit)
{
    std::mt19937 random(20240611);
    std::vector<Row> randomRows;
    while (randomRows.size() < 2000) {
        Row row{};
        for (float& value : row) {
            do
                value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
            while (!std::isfinite(value));
        }
        randomRows.push_back(row);
    }
    const float tiny = std::numeric_limits<float>::denorm_min();
    const std::vector<InputProfile> profiles = {
        ProfileOf("", {}, {}),
        ProfileOf("5", {{1.0f / 3, 2.0f / 3, 0.1f, 12345.678f, 99999.99f}}, {}),
        ProfileOf("say \"hi\", \"", {}, {{-0.0f, tiny, -tiny, FLT_MAX, -FLT_MAX}}),
        ProfileOf("Stra\xC3\x9F"
                  "e \xE2\x80\x93 S\xC3\xBC"
                  "d",
                  {{1e-38f, 1.17549435e-38f, 1e38f, 1e7f, 1e-5f}},
                  {{0.0004f, 16777217.0f, 0.1f, 1e10f, 123456.789f}}),
        ProfileOf("two\r\nlines", randomRows, randomRows),
    };
    // Saved over a longer file: the large profile goes to the file in pieces.
    const TempFolder folder;
    const std::string path = (folder / "saved.in").string();
    Put(path, std::string(1'000'000, 'x'));
    for (const InputProfile& profile : profiles) {
        const std::string text = InputFileText(StateOf(profile));
        ExpectSameBits(ParseInputFile(text), profile);
        WriteInputFile(StateOf(profile), path);
        EXPECT_EQ(Contents(path), text);
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"saved.in"});
}

TEST(WriteInputFile, AFailedSaveLeavesThePreviousFileAndSaysWhy)
{
    const TempFolder folder;
    const fs::path file = folder / "old.in";
    Put(file, "old contents");
    ::mkfifo((folder / "pipe.in").c_str(), 0666);
    ProfileState inconsistent = StateOf(kRidge);
    inconsistent.NumSup = 9;
    ProfileState infinite = StateOf(kRidge);
    infinite.SupSta2[1] = std::numeric_limits<float>::infinity();
    const std::string in = folder.path().string();
    const std::vector<std::tuple<ProfileState, std::string, std::string>> cases = {
        {StateOf(kRidge), in + "/pipe.in", in + "/pipe.in: Not a regular file (a FIFO)"},
        {inconsistent, file.string(), "the segment count 9 exceeds the rows of its tables"},
        {infinite, file.string(), "segment 1 holds a value that is not a finite number"},
    };
    for (const auto& [state, path, message] : cases) {
        try {
            WriteInputFile(state, path);
            ADD_FAILURE() << "no error for " << path;
        } catch (const InputFileError& error) {
            EXPECT_EQ(error.what(), message);
        }
    }
    EXPECT_EQ(Contents(file), "old contents");
    EXPECT_EQ(folder.Names(), std::vector<std::string>({"old.in", "pipe.in"}));
}

}  // namespace
}  // namespace ravo
