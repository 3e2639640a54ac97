// Tests of reading, writing and saving input files: numbers, counts and
// titles as a loaded file gives them, and how the fields make up a file.
#include "core/formats/input_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "core/formats/input_fields.h"
#include "support/error_text.h"
#include "support/file_test_support.h"
#include "support/input_profiles.h"
#include "support/worked_examples.h"

namespace ravo {
namespace {

using namespace ravo::test;

const std::string kRidgeFile =
    Lines({"\"Ridge\"", "2", "100,0.02,-0.01,1000,1200", "101,-0.01,-0.01,1200,1500", "1",
           "-0.02,4E-04,4E-04,1000,1100"});

TEST(ParseInputFile, ValueFieldsReadTheirLeadingNumber)
{
    const float tiny = std::numeric_limits<float>::denorm_min();
    const float big = FLT_MAX;
    const std::vector<std::pair<std::string, float>> cases = {
        {"", 0},
        {"inf", 0},
        {"1.5 m", 1.5f},
        {"1D3", 1},
        {"\"7\"", 7},
        {"\" 7 \" m", 7},
        {"+.5", 0.5f},
        {"5.", 5},
        {"1.2.3", 1.2f},
        {"0x10", 0},
        {"1e-50", 0},
        {"-1e-50", -0.0f},
        {"1.4E-45", tiny},
        {"3.4028235E+38", big},
        {"-3.4028235E+38", -big},
        {"12345.678", 12345.678f},
    };
    for (const auto& [text, expected] : cases) {
        const InputProfile profile = ParseInputFile("1\r\n" + text + ",0,0,0,0\r\n0");
        ASSERT_EQ(profile.curves[0].size(), 2u) << text;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(profile.curves[0][1]),
                  std::bit_cast<std::uint32_t>(expected))
            << '"' << text << "\" read " << profile.curves[0][1];
    }
    // A number that ends the file, with no line end after it.
    EXPECT_EQ(ParseInputFile("1\r\n0,0,0,0,1\r\n1\r\n0,0,0,0,.5").segments[4].at(1), 0.5f);
}

TEST(ParseInputFile, TitleRule)
{
    struct Case {
        std::string text;
        std::string title;
        std::int32_t numVC;
    };
    const std::vector<Case> cases = {
        {Lines({"3", "1,2,3,4,5", "1,2,3,4,5", "1,2,3,4,5", "0"}), "", 3},
        {Lines({"\"5\"", "0", "0"}), "5", 0},
        {Lines({"\"\"", "1", "100,0,0,1000,1400", "0"}), "", 1},
        {Lines({"0", "0", "0"}), "0", 0},
        {Lines({"-2", "1", "1,2,3,4,5", "0"}), "-2", 1},
        {Lines({",0", "0"}), "", 0},
        {Lines({"\"ends in a comma,\"", "1", "1,2,3,4,5", "0"}), "ends in a comma,", 1},
        {Lines({"\"He said \"\"hi\"\"\"", "0", "0"}), "He said \"hi\"", 0},
        // A quote inside a title written without doubling ends it, as it always did.
        {Lines({"\"old \"quoted\" title\"", "0", "0"}), "old ", 0},
        {Lines({"\"two", "lines\"", "0", "0"}), "two\r\nlines", 0},
    };
    for (const Case& c : cases) {
        const InputProfile profile = ParseInputFile(c.text);
        EXPECT_EQ(profile.title, c.title) << c.text;
        EXPECT_EQ(profile.numVC, c.numVC) << c.text;
    }
}

// Short decimals take a quicker way than from_chars, and long ones go through
// a double, whose rounding can land exactly halfway between two floats when
// the decimal lies just to one side: every one, and the ends of the ranges the
// quicker ways take, must read as from_chars reads it, to the bit and to the
// same end.
TEST(ReadFieldNumber, ReadsEveryDecimalAsFromCharsDoes)
{
    const auto expectAsFromChars = [](const std::string& text) {
        float fast = 0;
        float exact = 0;
        const NumberRead read = ReadFieldNumber(text, fast);
        const std::from_chars_result expected =
            std::from_chars(text.data(), text.data() + text.size(), exact);
        ASSERT_EQ(std::bit_cast<std::uint32_t>(fast), std::bit_cast<std::uint32_t>(exact)) << text;
        ASSERT_EQ(read.end, expected.ptr) << text;
    };
    for (const char* text :
         {// a double quotient exactly halfway between two floats, the decimal
          // above it, below it, or above and rounding to the odd float
          "0.8500000536441803", "0.8500001728534698", "0.8500001728534699", "0.8500002324581146",
          "1.000000059604644775390625",  // exactly halfway, 25 digits
          "16777217",                    // 2^24 + 1, halfway between two floats
          "16777217.5", "9007199254740993", "9007199254740992",
          "0.0000000000000000000001",   // 22 decimals
          "0.00000000000000000000012",  // 23 decimals
          "1234567890123456789",        // 19 digits
          "12345678901234567890",       // 20 digits
          "18446744073709551617",       // wraps a 64-bit whole number round
          "3.4028235677973366e38"})
        expectAsFromChars(text);
    std::mt19937 random(59);
    std::uniform_int_distribution<int> digit(0, 9), count(0, 11), kind(0, 9);
    for (int i = 0; i < 300'000 && !HasFatalFailure(); ++i) {
        std::string text = kind(random) == 0 ? "-" : "";
        for (int n = count(random) % 9; n > 0; --n)
            text += static_cast<char>('0' + digit(random));
        if (text.empty() || text == "-" || kind(random) < 7) {
            text += '.';
            for (int n = count(random) + 1; n > 0; --n)
                text += static_cast<char>('0' + digit(random));
        }
        if (kind(random) == 0)
            text += "e" + std::to_string(digit(random) - 4);
        text += kind(random) == 0 ? "x," : ",";
        expectAsFromChars(text);
    }
}

// Commas and line ends alike between fields; the encodings are text_encoding's.
TEST(ParseInputFile, LooseLayoutsLoadLikeTheCanonicalOne)
{
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"blank lines and blanks",
         Lines({"", "  \"Ridge\"  ", "", "\t2", "100, 0.02 ,\t-0.01,1000,1200", "", "  ",
                "101,-0.01,-0.01,1200,1500", "1", "-0.02,0.0004,0.0004,1000,1100", ""})},
        // "Ridge" quoted is 7 bytes.
        {"unquoted title with trailing blanks", "Ridge \t " + kRidgeFile.substr(7)},
        {"byte order mark, unread text after the end",
         "\xEF\xBB\xBF" + kRidgeFile + "never read,1e99"},
    };
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        ExpectSameBits(ParseInputFile(text), kRidge);
    }
}

TEST(ParseInputFile, RefusalsSayWhy)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"20000000\r\n", "line 1: the file has 20000000 curves; at most 1000000 can be loaded"},
        {"\"t\"\r1\r\r1,2,3e39,4,5\r0\r",
         "line 4: the ending grade of curve 1, 3e39, lies beyond the 32-bit float range"},
        {Lines({"\"\"", "0", "1000001"}),
         "line 3: the file has 1000001 segments; at most 1000000 can be loaded"},
        {Lines({"\"\"", "1000000", "1,2,3,4,5"}),
         "the file ends before all of its 1000000 curves can be read"},
        {Lines({"1", "1" + std::string(39, '0') + ",0,0,0,0", "0"}),
         "line 2: the beginning elevation of curve 1, 1" + std::string(39, '0') +
             ", lies beyond the 32-bit float range"},
        {Lines({"\"unclosed title", "0", "0"}), "the file ends before the curve count"},
        {Lines({"99999999999 Main Street", "0", "0"}),
         "line 1: the curve count, 99999999999 Main Street, lies beyond the 32-bit range of a "
         "count"},
        {Lines({"\"t\"", "1", "1,2,3,4,5", "1", "1,2,"}),
         "the file ends before the ending super grade of segment 1 of 1"},
    };
    for (const auto& [text, message] : cases)
        EXPECT_EQ(ErrorText<InputFileError>([&] { ParseInputFile(text); }), message) << text;
    EXPECT_THROW(StateOf({"", 1, 0, {}, {}}), InputFileError);  // no rows for its count

    // Every cut of a file up to the comma before its last field leaves a field unread.
    const std::size_t lastField = kRidgeFile.rfind(',') + 1;
    for (std::size_t cut = 0; cut < lastField; ++cut)
        EXPECT_THROW(ParseInputFile(kRidgeFile.substr(0, cut)), InputFileError) << cut;
}

// What a file may be is read_file's; here only the size limit of input files.
TEST(ReadInputFile, RefusesFilesBeyondTheLoadableSize)
{
    const TempFolder folder;
    const fs::path huge = folder / "huge.in";
    Put(huge, "");
    fs::resize_file(huge, MaxInputFileBytes + 1);  // sparse: takes no space
    EXPECT_THROW(ReadInputFile(huge.string()), InputFileError);
}

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
