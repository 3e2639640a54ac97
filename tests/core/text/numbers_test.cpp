// Tests of the number conversions, and of the numbers in messages under a
// locale with a decimal comma.
#include "core/text/numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/design/profile_check.h"

namespace ravo {
namespace {

TEST(LeadingNumber, ReadsTheLongestLeadingNumber)
{
    const std::vector<std::pair<std::string, double>> cases = {
        {"", 0},         {"12.5 m", 12.5}, {"1 2", 12},     {"12abc", 12},    {"abc", 0},
        {"-3e2", -300},  {"1e3", 1000},    {"1 000", 1000}, {".5", 0.5},      {"-", 0},
        {".", 0},        {"-.", 0},        {"+4", 4},       {"1.2.3", 1.2},   {"1e", 1},
        {"1e+", 1},      {"2D2", 200},     {"2d-1", 0.2},   {"\t-1\n5", -15}, {"- 2 . 5", -2.5},
        {"&HA1F", 2591}, {"&hff", 255},    {"&O17", 15},    {"&o8", 0},       {"&H", 0},
        {"&X1", 0},      {"&H1G", 1},      {"1e-400", 0},   {"1.5E+2x", 150}, {"0.000001", 1e-6},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_DOUBLE_EQ(LeadingNumber(text), expected) << '"' << text << '"';
    // Too large for a double is an overflow.
    for (const char* text : {"1e400", "-1e400", "1D309", "1e99999999999999999999"})
        EXPECT_THROW(LeadingNumber(text), OverflowError) << text;
    EXPECT_THROW(LeadingNumber("&H" + std::string(260, 'F')), OverflowError);
    EXPECT_NO_THROW(LeadingNumber("1e308"));
    EXPECT_DOUBLE_EQ(LeadingNumber("1e-99999999999999999999"), 0);
}

TEST(DecimalExponent, OfTheFirstSignificantDigit)
{
    const std::pair<std::string_view, long long> cases[] = {
        {"123", 2}, {".001", -3}, {"1.5e7", 7}, {"0.05e-2", -4}, {"12E+3", 4}, {"007", 0}};
    for (const auto& [number, exponent] : cases)
        EXPECT_EQ(DecimalExponent(number), exponent) << number;
}

// A float rounds to nearest, a count halves to even; each refuses what its
// type cannot hold.
TEST(ToFloatAndToCount, RoundAndRefuseOverflow)
{
    EXPECT_EQ(ToFloat(12345.678), 12345.677734375f);
    EXPECT_EQ(ToFloat(static_cast<double>(FLT_MAX)), FLT_MAX);
    EXPECT_EQ(ToFloat(0x1.fffffefffffffp+127), FLT_MAX);  // just below the halfway point
    for (const double value : {0x1.ffffffp+127, -1e39, std::nan("")})
        EXPECT_THROW(ToFloat(value), OverflowError) << value;
    const std::vector<std::pair<double, int>> cases = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {0.49, 0}, {7, 7}, {2147483647.4, 2147483647}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(ToCount(value), expected) << value;
    EXPECT_THROW(ToCount(2147483647.5), OverflowError);
    EXPECT_THROW(ToCount(-3e9), OverflowError);
}

TEST(NumberText, FloatsHaveSevenDigitsALeadingBlankAndNoTrailingZeros)
{
    const std::vector<std::pair<float, std::string>> cases = {
        {0.0f, " 0"},
        {-0.0f, " 0"},
        {1.0f / 3.0f, " .3333333"},
        {12345.678f, " 12345.68"},
        {-0.01f, "-.01"},
        {9999999.0f, " 9999999"},
        {12345678.0f, " 1.234568E+07"},
        {0.0001f, " .0001"},
        {0.00001f, " 1E-05"},
        {-1.5e-5f, "-1.5E-05"},
        {9999999.5f, " 1E+07"},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(NumberText(value), expected) << value;
}

TEST(NumberText, ExactTextReadsBackAsTheSameFloat)
{
    const std::vector<std::pair<float, std::string>> cases = {
        {12355.678f, " 12355.678"},  {2000.0f, " 2000"},          {0.5f, " .5"},
        {-12345.678f, "-12345.678"}, {1.0f / 3.0f, " .33333334"}, {123456.79f, " 123456.79"},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(ExactNumberText(value), expected) << value;
        EXPECT_EQ(ToFloat(LeadingNumber(ExactNumberText(value))), value) << value;
    }
    // Any float, also those that need all nine digits.
    std::mt19937 bits(5);
    for (int i = 0; i < 20000; ++i) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(bits()));
        if (!std::isfinite(value))
            continue;
        ASSERT_EQ(ToFloat(LeadingNumber(ExactNumberText(value))), value) << value;
    }
}

// Doubles have fifteen digits; a count has the sign's place too.
TEST(NumberText, DoublesAndCounts)
{
    EXPECT_EQ(NumberText(0.1 + 0.2), " .3");
    EXPECT_EQ(NumberText(123456789012345.0), " 123456789012345");
    EXPECT_EQ(NumberText(1234567890123456.0), " 1.23456789012346E+15");
    EXPECT_EQ(NumberText(std::int32_t{12}), " 12");
    EXPECT_EQ(NumberText(std::int32_t{-2}), "-2");
}

// Under a German locale for the C library, as the desktop toolkit sets it,
// every text of a message keeps its point, and a number reads as its shortest
// exact text.
TEST(NumberText, MessagesKeepThePointAndTheShortestDigitsUnderAGermanLocale)
{
    // Where de_DE is not installed, generate it (localedef -i de_DE -f UTF-8
    // DIR/de_DE.UTF-8) and point LOCPATH at DIR.
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
        GTEST_SKIP() << "no German locale for the C library";
    EXPECT_EQ(std::localeconv()->decimal_point, std::string(","));
    Fault step{.kind = FaultKind::ElevationStep, .first = 1, .second = 2, .from = 1200.5};
    step.before = 101.25f;
    step.after = 101.5f;
    Fault grade = step;
    grade.kind = FaultKind::GradeStep;
    grade.before = 0.0175;
    grade.after = 1.25e-5;
    const std::pair<std::string, std::string> cases[] = {
        {ShortestText(17.165539f), "17.165539"},
        {ShortestText(static_cast<double>(17.165539f)), "17.165538787841797"},
        {ShortestText(100000.0), "100000"},
        {ShortestText(-2.5e-7), "-0.00000025"},
        {SignificantText(1234.5678, 7), "1234.568"},
        {SignificantText(1.25e-9, 7), "1.25e-09"},
        {FixedText(0.00125, 4), "0.0013"},
        {FaultText(step, false),
         "curves 1 and 2 meet at 1200.500 with elevations 101.25 and 101.5 (a "
         "difference of 0.25)"},
        {FaultText(grade, false),
         "curves 1 and 2 meet at 1200.500 with grades 0.0175 and 1.25e-05 (a "
         "difference of -0.0174875)"},
    };
    std::setlocale(LC_ALL, "C");
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(text, expected);
}

}  // namespace
}  // namespace ravo
