// Tests of PVI tables.
#include "core/formats/pvi_table.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/formats/plain_decimal.h"
#include "core/text/station_notation.h"
#include "support/error_text.h"

namespace ravo {
namespace {

std::string ErrorOf(const std::string& text, bool plain = false)
{
    return test::ErrorText<InputFileError>(
        [&] { RowsFromPoints(plain ? ParsePviPlain(text) : ParsePviCsv(text), ""); });
}

TEST(PviCsv, TableToPointsToTableGivesTheSameTable)
{
    const std::string text =
        "station,elevation,length,length_out,desc\r\n"
        "0,100,,,start\r\n"
        "250,105,200,,\"crest, first\"\r\n"
        "500,102.5,50,100,\"say \"\"unsym\"\"\"\r\n"
        "750,104.125,,,\r\n";
    const std::vector<PviPoint> points = ParsePviCsv(text);
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[1].lengthIn, 100);
    EXPECT_EQ(points[2].desc, "say \"unsym\"");
    EXPECT_EQ(PviCsvText(points), text);
    // A line may stop before the last columns: they are empty there, whatever
    // the line before held; a curve with only its second part is unsymmetric.
    const std::vector<PviPoint> shortLines = ParsePviCsv(
        "station,elevation,length,length_out,desc\n0,1,,,a\n50,2,10,20,b\n100,1,10\n150,2,0,20\n");
    EXPECT_EQ(shortLines[2].kind, PviKind::Para);
    EXPECT_EQ(shortLines[2].desc, "");
    EXPECT_EQ(shortLines[3].kind, PviKind::Unsym);
    // Without unsymmetric curves or descriptions the table has three columns;
    // BOM, LF line ends, blank lines and road-station notation are read.
    EXPECT_EQ(PviCsvText(ParsePviCsv("\xEF\xBB\xBFStation,Elevation,Length\n0+00,1,\n\n"
                                     "1+00,2,50\n2+00.5,1.5,0\n")),
              "station,elevation,length\r\n0,1,\r\n100,2,50\r\n200.5,1.5,\r\n");
}

// Plain decimals are read in place where that is exact, as the table's own
// number reading reads them; the edges of that quicker way: 2^53 over 10^22 at most, and no more
// than 19 digits, which a 64-bit whole number holds without wrapping round.
TEST(PlainDecimal, ReadsAsTheTableDoesOrNotAtAll)
{
    for (const char* text :
         {" -0.0437\t", "-0", "5.", ".5", "9007199254740992", ".0000000000000000001"}) {
        const std::optional<double> fast = PlainDecimal(text);
        ASSERT_TRUE(fast.has_value()) << text;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*fast),
                  std::bit_cast<std::uint64_t>(ParsePlainNumber(text)))
            << text;
    }
    for (const char* text : {"9007199254740993", "0.0000000000000000001", "18446744073709551617",
                             "1e5", "+5", "12+34.56", "", "-", ".", "1 2"})
        EXPECT_EQ(PlainDecimal(text), std::nullopt) << text;
}

TEST(PviCsv, MalformedTablesNameTheLine)
{
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"station,elevation,length\n0,100,\n100,abc,50\n",
         "line 3: elevation \"abc\" is not a number"},
        {"station,elevation,length\n0,100,\n100,101,5m\n", "line 3: length \"5m\" is not a number"},
        // Thirty thousand digits: read in one pass, quoted cut short.
        {"station,elevation,length\n0,100,\n" + std::string(30000, '9') + "+0,1,\n",
         "line 3: station \"" + std::string(40, '9') + "...\" is not a number"},
        {"station,elevation,length\n0,100\n1e+05,101,\n", "no error"},  // two fields do
        {"station,elevation,length\n0,100,1,2\n", "line 2: 4 fields where the header names 3"},
        {"station,elevation,length,grade\n", "line 1: unknown column \"grade\""},
        {"station,elevation,length\n0,100,\n100,101,\n\n90,102,\n", "point 3 (line 5): station 90"},
        {"station,elevation,length\n0,100,\n100,101,300\n200,102,\n",
         "the curves at point 1 (line 2) and point 2 (line 3) overlap"},
        {"station,elevation,length\n0,100,10\n100,101,\n",
         "point 1 (line 2): the first point cannot have a curve"},
        {"station,elevation,length,length_out\n0,100,,\n50,101,-5,10\n100,101,,\n",
         "point 2 (line 3): a curve length cannot be negative"},
    };
    for (const auto& c : cases)
        EXPECT_NE(ErrorOf(c.text).find(c.error), std::string::npos)
            << c.error << "\ngot: " << ErrorOf(c.text);
}

TEST(PviPlain, StationElevationAndLengthSeparatedByBlanks)
{
    const std::vector<PviPoint> points = ParsePviPlain("0 100\n\n 1+00\t102  50 \r\n200 101\n");
    EXPECT_EQ(PviCsvText(points),
              "station,elevation,length\r\n0,100,\r\n100,102,50\r\n200,101,\r\n");
    EXPECT_EQ(points.at(1).line, 3);
    EXPECT_NE(ErrorOf("0 100\n100 101 5 6\n", true)
                  .find("line 2: expected \"station elevation "
                        "[length]\", found 4 fields"),
              std::string::npos);
    EXPECT_NE(ErrorOf("0 100\n100 1O1\n", true).find("line 2: elevation \"1O1\" is not a number"),
              std::string::npos);
}

TEST(LooksLikePviCsv, ByTheHeaderLine)
{
    EXPECT_TRUE(LooksLikePviCsv("\xEF\xBB\xBF STATION,Elevation,Length,length_out\r\n1,2,3"));
    for (const char* text : {"station,elevation\n", "\"station,elevation,length\"\n1\n",
                             "1\nstation,elevation,length\n", "station;elevation\n0;1\n"})
        EXPECT_FALSE(LooksLikePviCsv(text)) << text;
}

// A spreadsheet in a decimal-comma locale writes ";" between fields; the same
// table in either style gives the same points, and a line in the other style
// is refused by its number rather than read as other numbers.
TEST(PviCsv, SemicolonTablesWithDecimalCommas)
{
    const std::string comma =
        "station,elevation,length,desc\n0,100,,\n500,265.5,200,\"a;b\"\n"
        "10+00,250.25,,\n";
    const std::string semicolon =
        "Station ; Elevation;LENGTH;desc\r\n0;100;;\r\n"
        "500;265,5;200;\"a;b\"\r\n10+00;250,25;;\r\n";
    EXPECT_TRUE(LooksLikePviCsv(semicolon));
    EXPECT_EQ(ParsePviCsv(semicolon), ParsePviCsv(comma));

    const struct {
        std::string text;
        std::string error;
    } mixed[] = {
        {"station;elevation;length\n0;100;\n500,265.5,200\n",
         "line 3: the fields are separated by \",\", but the header separates them by \";\""},
        {"station;elevation;length\n0;100;\n500;265.5;200\n",
         "line 3: elevation \"265.5\" has a decimal point, but the header separates fields by "
         "\";\" and so asks for a decimal comma"},
        {"station,elevation,length\n0,100,\n500;265,5;200\n",
         "line 3: station \"500;265\" holds \";\", but the header separates fields by \",\""},
        {"station;elevation;length\n0;100;\n500;265,5;2,0,0\n",
         "line 3: length \"2,0,0\" is not a number"},
    };
    for (const auto& m : mixed)
        EXPECT_EQ(ErrorOf(m.text), m.error) << m.text;
}

}  // namespace
}  // namespace ravo
