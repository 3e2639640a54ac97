// check --json: the documented shape, exactly, and a document that a JSON
// reader takes.
#include "json_output.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "calc_run.h"
#include "support/file_test_support.h"

namespace ravo::calc {
namespace {

TEST(Json, StringsAndNumbersAreWrittenAsJsonReadsThem)
{
    const struct {
        std::string text;
        std::string json;
    } strings[] = {
        {"plain", R"("plain")"},         {"say \"hi\"\\", R"("say \"hi\"\\")"},
        {"a\nb\tc\r", R"("a\nb\tc\r")"}, {std::string("\x01\x1f", 2), R"("\u0001\u001f")"},
        {"\xc3\xa9", "\"\xc3\xa9\""},  // UTF-8 as it is
    };
    for (const auto& s : strings)
        EXPECT_EQ(JsonString(s.text), s.json);
    EXPECT_EQ(JsonNumber(0.1), "0.1");
    EXPECT_EQ(JsonNumber(-250), "-250");
    EXPECT_EQ(JsonNumber(1.0 / 0.0), "null");
    EXPECT_EQ(JsonNumber(std::nan("")), "null");
    // Items of one character are parted like any other.
    EXPECT_EQ(JsonArray({}), "[]");
    EXPECT_EQ(JsonArray({"1", "2", "{}"}), "[1,2,{}]");
}

TEST(Json, CheckWritesEveryFaultWithItsFieldsAndText)
{
    const ravo::test::TempFolder dir;
    const std::string file = (dir / "faulty.in").string();
    // Curves 1 and 2 leave a gap; curve 3 has zero length; segment 1 is reversed.
    std::ofstream(file, std::ios::binary)
        << "\"faulty\"\n3\n100,0.02,0.02,0,100\n102,0.02,0.02,200,300\n0,0,0,50,50\n"
           "1\n0.02,0,0,10,5\n";
    const CalcResult r = Calc({"check", file, "--json"});
    EXPECT_EQ(r.status, 1);
    const CalcResult plain = Calc({"check", file});
    EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << "one line";
    EXPECT_EQ(r.out.rfind(R"({"command":"check","version":1,"notes":[],"count":)", 0), 0u) << r.out;
    // Each plain line is the text of one fault, in the same order.
    std::istringstream lines(plain.out);
    std::size_t at = 0;
    for (std::string line; std::getline(lines, line) && line.find("found.") == std::string::npos;) {
        at = r.out.find(R"("text":)" + JsonString(line) + "}", at);
        EXPECT_NE(at, std::string::npos) << line;
    }
    EXPECT_NE(r.out.find(R"({"kind":"zero-length","rows":"curve","first":3,)"), std::string::npos);
    EXPECT_NE(r.out.find(R"({"kind":"reversed","rows":"superelevation","first":1,)"),
              std::string::npos);
    EXPECT_NE(
        r.out.find(R"({"kind":"gap","rows":"curve","first":1,"second":2,"from":100,"to":200,)"),
        std::string::npos)
        << r.out;

    const CalcResult clean = Calc({"check", RAVO_EXAMPLES_DIR "/main-street.in", "--json"});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, R"({"command":"check","version":1,"notes":[],"count":0,"faults":[]})"
                         "\n");
}

TEST(Json, CurvesWritesEachSummaryWithNullWhereARowHasNoValue)
{
    const ravo::test::TempFolder dir;
    const std::string file = (dir / "c.in").string();
    // A crest with its high point on it, a row of zero length, a straight
    // grade, one segment.
    std::ofstream(file, std::ios::binary)
        << "\"Two\"\n3\n100,0.02,-0.02,0,200\n0,0,0,300,300\n5,0.01,0.01,300,400\n"
           "1\n0.02,0,0,0,100\n";
    const CalcResult r = Calc({"curves", file, "--json", "--design-speed", "80", "--units", "m"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(
        r.out,
        R"({"command":"curves","version":1,"notes":[],"title":"Two",)"
        R"("design":{"speed":80,"units":"m","stopping_sight_distance":130,"crest_k":26,"sag_k":30},)"
        R"("curves":[{"row":1,"extent":"normal","shape":"crest","station1":0,"station2":200,)"
        R"("elevation1":100,"elevation2":100,"grade1":0.019999999552965164,)"
        R"("grade2":-0.019999999552965164,"length":200,"rate":-0.00019999999552965163,)"
        R"("k":50.00000111758712,"minimum_k":26,"pvi":{"station":100,"elevation":102},)"
        R"("turning_point":{"station":100,"elevation":101}},)"
        R"({"row":2,"extent":"zero-length","shape":"straight","station1":300,"station2":300,)"
        R"("elevation1":0,"elevation2":null,"grade1":0,"grade2":0,"length":null,"rate":null,)"
        R"("k":null,"minimum_k":null,"pvi":null,"turning_point":null},)"
        R"({"row":3,"extent":"normal","shape":"straight","station1":300,"station2":400,)"
        R"("elevation1":5,"elevation2":6,"grade1":0.009999999776482582,)"
        R"("grade2":0.009999999776482582,"length":100,"rate":0,"k":null,"minimum_k":null,)"
        R"("pvi":null,"turning_point":null}],)"
        R"("segments":[{"row":1,"extent":"normal","station1":0,"station2":100,)"
        R"("super1":0.019999999552965164,"super2":0.019999999552965164}]})"
        "\n");
}

TEST(Json, TheNotesOfAnImportGoIntoTheDocumentInsteadOfStandardError)
{
    for (const char* command : {"curves", "check"}) {
        const CalcResult json = Calc({command, RAVO_EXAMPLES_DIR "/ridge-road.xml", "--json"});
        const CalcResult plain = Calc({command, RAVO_EXAMPLES_DIR "/ridge-road.xml"});
        EXPECT_EQ(json.err, "") << command;
        // Each note that plain output gives on standard error, as a JSON string.
        std::istringstream lines(plain.err);
        std::string notes;
        for (std::string line; std::getline(lines, line);)
            notes += (notes.empty() ? "" : ",") +
                     JsonString(line.substr(std::string("ravo-calc: ").size()));
        EXPECT_NE(notes, "");
        EXPECT_TRUE(Has(json.out, R"("version":1,"notes":[)" + notes + "],")) << json.out;
    }
}

}  // namespace
}  // namespace ravo::calc
