// Tests of station notation.
#include "core/text/station_notation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ravo {
namespace {

TEST(ParseStation, ReadsPlainNumbersAndRoadStationNotation)
{
    struct Case {
        const char* text;
        double value;
    };
    const std::vector<Case> cases = {
        {"1234.56", 1234.56},  {"12+34.56", 1234.56},
        {"-0+50", -50},        {"0+05", 5},
        {"12+34", 1234},       {"12+34.", 1234},
        {"-12+34.5", -1234.5}, {"1234+56.789", 123456.789},
        {" 10+00\t", 1000},    {"1e3", 1000},
        {"-2.5E-1", -0.25},    {".5", 0.5},
        {"12.", 12},           {"-0", 0},
        {"1e+05", 100000},     {"1E5", 100000},
        {"-1.5e+2", -150},     {" 2e+0 ", 2},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(ParseStation(c.text), c.value) << c.text;
}

TEST(ParseStation, RefusesMalformedTexts)
{
    const std::vector<const char*> malformed = {
        "12+",    "+34", "12+3", "1+2+3", "12+34.5.6", "12+345",  "abc",  "12abc",
        "",       "  ",  "+5",   "--5",   "12+-34",    "12 + 34", "1 2",  "1e",
        "12+3e4", "inf", "nan",  "1e400", "12+34e2",   "-+0+50",  "0x10", "1,5",
    };
    for (const char* text : malformed)
        EXPECT_THROW(ParseStation(text), NotationError) << '"' << text << '"';
    // A sign or nothing at all says how a station is written.
    for (const char* text : {"-", ""}) {
        try {
            ParseStation(text);
        } catch (const NotationError& e) {
            EXPECT_EQ(std::string(e.what()), "\"" + std::string(text) +
                                                 "\" is not a station (write it as 1234.56 or "
                                                 "as 12+34.56)");
        }
    }
}

// Numbers tens of thousands of characters long are read in one pass; a
// recursive matcher ran out of stack on them.
TEST(ParseStation, ReadsTextsOfAnyLength)
{
    const std::string zeros(40000, '0');
    EXPECT_DOUBLE_EQ(ParseStation(zeros + "12.5"), 12.5);
    EXPECT_DOUBLE_EQ(ParseStation(zeros + "1+00." + zeros), 100);
    EXPECT_DOUBLE_EQ(ParsePlainNumber("-." + zeros + "5e40001"), -5);
    EXPECT_THROW(ParseStation("1" + zeros), NotationError);           // out of range
    EXPECT_THROW(ParseStation(zeros + "+1" + zeros), NotationError);  // not two digits
    try {
        ParsePlainNumber(zeros + "x");
        ADD_FAILURE() << "a letter after the digits was read";
    } catch (const NotationError& e) {
        EXPECT_LT(std::string(e.what()).size(), 120u) << "the message quotes the text in full";
    }
}

TEST(StationText, PlainAndPlusNotationToThreeDecimals)
{
    struct Case {
        double station;
        const char* plain;
        const char* plus;
    };
    const std::vector<Case> cases = {
        {1234.56, "1234.560", "12+34.560"},
        {-50, "-50.000", "-0+50.000"},
        {5.5, "5.500", "0+05.500"},
        {0, "0.000", "0+00.000"},
        {-0.0001, "0.000", "0+00.000"},    // rounds to zero: no sign
        {99.9996, "100.000", "1+00.000"},  // the carry reaches the hundreds
        {123456.789, "123456.789", "1234+56.789"},
        {-1234.5625, "-1234.563", "-12+34.563"},  // an exact half: away from zero
        {static_cast<float>(12345.678), "12345.678", "123+45.678"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StationText(c.station, false), c.plain) << c.station;
        EXPECT_EQ(StationText(c.station, true), c.plus) << c.station;
        EXPECT_DOUBLE_EQ(ParseStation(c.plus), ParseStation(c.plain)) << c.plus;
    }
}

}  // namespace
}  // namespace ravo
