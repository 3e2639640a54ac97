// Tests of the plain decimals of a table's fields read in place: each reads as
// the table's own number reading reads it, and anything else is left to it.
#include "core/formats/plain_decimal.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>

#include "core/formats/xml_pull.h"
#include "core/text/station_notation.h"

namespace ravo {
namespace {

void ExpectAsParsed(const std::string& text)
{
    const std::optional<double> fast = PlainDecimal(text);
    if (!fast)
        return;
    ASSERT_EQ(std::bit_cast<std::uint64_t>(*fast),
              std::bit_cast<std::uint64_t>(ParsePlainNumber(text)))
        << text;
}

TEST(PlainDecimalTest, ReadsAsTheTableDoesOrNotAtAll)
{
    const struct {
        const char* text;
        bool read;
    } cases[] = {
        {"265.125", true},
        {" -0.0437\t", true},
        {"-0", true},
        {"5.", true},
        {".5", true},
        {"-.5", true},
        {"9007199254740992", true},
        {".0000000000000000001", true},
        {"9007199254740993", false},
        {"0.0000000000000000001", false},
        {"12345678901234567890", false},
        {"18446744073709551617", false},
        {"1e5", false},
        {"+5", false},
        {"5,5", false},
        {"12+34.56", false},
        {"", false},
        {"-", false},
        {".", false},
        {"1.2.3", false},
        {"1 2", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlainDecimal(c.text).has_value(), c.read) << c.text;
        ExpectAsParsed(c.text);
    }
    std::mt19937 random(83);
    std::uniform_int_distribution<int> digit(0, 9), count(0, 19);
    for (int i = 0; i < 200'000; ++i) {
        std::string text = digit(random) < 3 ? "-" : "";
        for (int n = count(random) % 10; n > 0; --n)
            text += static_cast<char>('0' + digit(random));
        text += '.';
        for (int n = count(random); n > 0; --n)
            text += static_cast<char>('0' + digit(random));
        ExpectAsParsed(text);
    }
}

// A LandXML number takes the plain decimals' path where it can and reads as
// from_chars reads it all the same; blanks about it make it no number.
TEST(PlainDecimalTest, XmlNumbersReadAsFromChars)
{
    const struct {
        const char* text;
        bool read;
        double value;
    } cases[] = {
        {"250.01234", true, 250.01234},
        {"+0.5", true, 0.5},
        {"-0", true, -0.0},
        {"5.", true, 5},
        {"1e3", true, 1000},
        {"9007199254740993", true, 9007199254740992},
        {" 5", false, 0},
        {"5\t", false, 0},
        {"+", false, 0},
        {"1e999", false, 0},
        {"0x10", false, 0},
    };
    for (const auto& c : cases) {
        double value = 0;
        EXPECT_EQ(ReadXmlNumber(c.text, value), c.read) << c.text;
        if (c.read) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(c.value))
                << c.text;
        }
    }
}

}  // namespace
}  // namespace ravo
