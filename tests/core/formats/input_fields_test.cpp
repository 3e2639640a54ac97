// The fields of input files: numbers, counts and titles as a loaded file gives them.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <charconv>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "core/formats/input_fields.h"
#include "support/input_profiles.h"

namespace ravo {
namespace {

using namespace ravo::test;

TEST(ParseInputFile, ValueFieldsReadTheirLeadingNumber)
{
    const std::vector<std::pair<std::string, float>> cases = {
        {"abc", 0},
        {"", 0},
        {"inf", 0},
        {"12abc", 12},
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
        {"1.4E-45", std::numeric_limits<float>::denorm_min()},
        {"3.4028235E+38", FLT_MAX},
        {"-3.4028235E+38", -FLT_MAX},
        {"12345.678", 12345.678f},
        {"0.1000000000000000000001", 0.1f},
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
        {Lines({"Main Street", "0", "0"}), "Main Street", 0},
        {Lines({",0", "0"}), "", 0},
        {Lines({"\"a, b\"", "0", "0"}), "a, b", 0},
        {Lines({"\"ends in a comma,\"", "1", "1,2,3,4,5", "0"}), "ends in a comma,", 1},
        {Lines({"\"He said \"\"hi\"\"\"", "0", "0"}), "He said \"hi\"", 0},
        {Lines({"\"\"\"\"", "0", "0"}), "\"", 0},
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

// Short decimals take a quicker way than from_chars; every one must read as
// from_chars reads it, to the bit and to the same end.
TEST(ReadFieldNumber, ReadsEveryDecimalAsFromCharsDoes)
{
    std::mt19937 random(59);
    std::uniform_int_distribution<int> digit(0, 9), count(0, 11), kind(0, 9);
    for (int i = 0; i < 300'000; ++i) {
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
        float fast = 0;
        float exact = 0;
        const NumberRead read = ReadFieldNumber(text, fast);
        const std::from_chars_result expected =
            std::from_chars(text.data(), text.data() + text.size(), exact);
        ASSERT_EQ(std::bit_cast<std::uint32_t>(fast), std::bit_cast<std::uint32_t>(exact)) << text;
        ASSERT_EQ(read.end, expected.ptr) << text;
    }
}

// Long decimals go through a double, whose rounding can land exactly halfway
// between two floats when the decimal lies just to one side: these, and the
// ends of the ranges the quicker ways take, read as from_chars reads them.
TEST(ReadFieldNumber, LongDecimalsReadAsFromCharsDoes)
{
    const char* const texts[] = {
        // a double quotient exactly halfway between two floats, the decimal
        // above it, below it, or above and rounding to the odd float
        "0.8500000536441803",
        "0.8500001728534698",
        "0.8500001728534699",
        "0.8500002324581146",
        "1.000000059604644775390625",  // exactly halfway, 25 digits
        "16777217",                    // 2^24 + 1, halfway between two floats
        "16777217.5",
        "102450.125",
        "9007199254740993",  // 2^53 + 1
        "9007199254740992",
        "0.0000000000000000000001",   // 22 decimals
        "0.00000000000000000000012",  // 23 decimals
        "1234567890123456789",        // 19 digits
        "12345678901234567890",       // 20 digits
        "18446744073709551617",       // wraps a 64-bit whole number round
        "5.",
        "3.4028235677973366e38",
    };
    for (const std::string text : texts) {
        float fast = 0;
        float exact = 0;
        const NumberRead read = ReadFieldNumber(text, fast);
        const std::from_chars_result expected =
            std::from_chars(text.data(), text.data() + text.size(), exact);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(fast), std::bit_cast<std::uint32_t>(exact)) << text;
        EXPECT_EQ(read.end, expected.ptr) << text;
    }
}

}  // namespace
}  // namespace ravo
