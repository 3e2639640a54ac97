// Tests of writing and saving input files.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

#include "support/error_text.h"
#include "support/file_test_support.h"
#include "support/input_profiles.h"
#include "support/worked_examples.h"

namespace ravo {
namespace {

using namespace ravo::test;

TEST(InputFileText, TheExampleFilesLayoutAndHowValuesAreWritten)
{
    ProfileState worked = fixtures::WorkedExampleProfile();
    worked.OutputTitle = "Main Street profile";
    EXPECT_EQ(InputFileText(worked), Contents(RAVO_EXAMPLES_DIR "/main-street.in"));
    // Plain from 1E-04 up to below 1E+09, the shortest digits that read back.
    const ProfileState values = StateOf(
        ProfileOf("", {{-0.0f, 1e-4f, 9.9e-5f, 123456792.0f, 1e9f}}, {{12345.678f, 0, 0, 0, 0}}));
    EXPECT_EQ(InputFileText(values),
              "\"\"\r\n1\r\n-0,0.0001,9.9E-05,123456792,1E+09\r\n1\r\n12345.678,0,0,0,0\r\n");
}

TEST(InputFile, WrittenProfilesLoadBackBitForBit)
{
    std::mt19937 random(20240611);
    std::vector<Row> randomRows(2000);
    for (Row& row : randomRows)
        for (float& value : row)
            do
                value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
            while (!std::isfinite(value));
    const std::vector<InputProfile> profiles = {
        ProfileOf("say \"hi\", \"", {{-0.0f, FLT_TRUE_MIN, -FLT_TRUE_MIN, FLT_MAX, -FLT_MAX}}, {}),
        ProfileOf("Stra\u00DFe,\r\ntwo lines", randomRows, randomRows),
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
}

TEST(WriteInputFile, AFailedSaveLeavesThePreviousFileAndSaysWhy)
{
    const TempFolder folder;
    const fs::path file = folder / "old.in";
    Put(file, "old contents");
    ProfileState inconsistent = StateOf(kRidge);
    inconsistent.NumSup = 9;
    ProfileState infinite = StateOf(kRidge);
    infinite.SupSta2[1] = std::numeric_limits<float>::infinity();
    const std::vector<std::pair<ProfileState, std::string>> cases = {
        {inconsistent, "the segment count 9 exceeds the rows of its tables"},
        {infinite, "segment 1 holds a value that is not a finite number"},
    };
    for (const auto& [state, message] : cases)
        EXPECT_EQ(ErrorText<InputFileError>([&] { WriteInputFile(state, file.string()); }),
                  message);
    EXPECT_EQ(Contents(file), "old contents");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"old.in"});
}

}  // namespace
}  // namespace ravo
