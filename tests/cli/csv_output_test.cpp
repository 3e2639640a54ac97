// Tests of ravo-calc's CSV tables: read back as a spreadsheet would, by the
// names in the header.
#include "csv_output.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "calc_run.h"
#include "support/file_test_support.h"

namespace ravo::calc {
namespace {

// RFC 4180 fields of one line (quotes doubled inside quoted fields).
std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (quoted && line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"')
            fields.back() += line[++i];
        else if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += line[i];
    }
    return fields;
}

// Each line after the header as a map from column name to field; every line
// ends with CR LF and has as many fields as the header.
std::vector<std::map<std::string, std::string>> Table(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << text;
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    std::vector<std::map<std::string, std::string>> rows;
    const std::vector<std::string> names = Fields(lines.at(0));
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> fields = Fields(lines[i]);
        EXPECT_EQ(fields.size(), names.size()) << lines[i];
        std::map<std::string, std::string>& row = rows.emplace_back();
        for (std::size_t c = 0; c < names.size() && c < fields.size(); ++c)
            row[names[c]] = fields[c];
    }
    return rows;
}

TEST(Csv, CurvesAndCheckAnswerAsTables)
{
    const test::TempFolder dir;
    const std::string file = (dir / "c.in").string();
    // A crest with its high point on it, a row of zero length, one segment; a
    // sag too sharp for 80 km/h that overlaps the crest.
    std::ofstream(file, std::ios::binary) << "\"Two, \"\"quoted\"\"\"\n3\n100,0.02,-0.02,0,200\n"
                                             "0,0,0,300,300\n100,-0.02,0.02,150,170\n"
                                             "1\n0.02,0,0,0,100\n";
    const CalcResult curves =
        Calc({"curves", file, "--csv", "--design-speed", "80", "--units", "m"});
    EXPECT_EQ(curves.status, 0);
    const auto rows = Table(curves.out);
    ASSERT_EQ(rows.size(), 4u);
    const std::map<std::string, std::string> crest = {
        {"kind", "curve"},   {"row", "1"},           {"shape", "crest"},
        {"station2", "200"}, {"end", "100"},         {"k", "50.00000111758712"},
        {"minimum_k", "26"}, {"pvi_station", "100"}, {"turning_elevation", "101"}};
    for (const auto& [name, value] : crest)
        EXPECT_EQ(rows[0].at(name), value) << name;
    EXPECT_EQ(rows[1].at("extent"), "zero-length");
    EXPECT_EQ(rows[1].at("k"), "");
    EXPECT_EQ(rows[1].at("shape") + " " + rows[2].at("shape"), "straight sag");
    EXPECT_EQ(rows[3].at("kind"), "segment");
    EXPECT_EQ(rows[3].at("start"), "0.019999999552965164");
    EXPECT_EQ(rows[3].at("shape"), "");

    const CalcResult check = Calc({"check", file, "--csv", "--design-speed", "80", "--units", "m"});
    EXPECT_EQ(check.status, 1);
    const auto faults = Table(check.out);
    ASSERT_GE(faults.size(), 2u);
    EXPECT_EQ(faults.front().at("kind"), "zero-length");
    EXPECT_EQ(faults.front().at("crest"), "");
    EXPECT_EQ(faults.back().at("kind"), "below-minimum-k");
    EXPECT_EQ(faults.back().at("crest"), "false");
    EXPECT_EQ(faults.back().at("minimum"), "30");
    EXPECT_NE(faults.back().at("text").find("below the minimum 30"), std::string::npos);

    EXPECT_EQ(Calc({"check", file, "--csv", "--json"}).status, 2);
}

}  // namespace
}  // namespace ravo::calc
