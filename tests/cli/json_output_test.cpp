// curves and check in JSON and in CSV: the documented shape, exactly, that a
// JSON reader or a spreadsheet takes.
#include "json_output.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calc_run.h"
#include "support/file_test_support.h"

namespace ravo::calc {
namespace {

TEST(Json, StringsAndNumbersAreWrittenAsJsonReadsThem)
{
    EXPECT_EQ(JsonString("say \"hi\"\\\n\t\r" + std::string("\x01\x1f\xc3\xa9", 4)),
              R"("say \"hi\"\\\n\t\r\u0001\u001f)"
              "\xc3\xa9\"");  // UTF-8 as it is
    EXPECT_EQ(JsonNumber(0.1) + JsonNumber(-250) + JsonNumber(1.0 / 0.0) + JsonNumber(std::nan("")),
              "0.1-250nullnull");
    EXPECT_EQ(JsonArray({}) + JsonArray({"1", "2", "{}"}), "[][1,2,{}]");
}

TEST(Json, CheckWritesEveryFaultWithItsFieldsAndText)
{
    const test::TempFolder dir;
    const std::string file = (dir / "faulty.in").string();
    // Curves 1 and 2 leave a gap; curve 3 has zero length; segment 1 is reversed.
    test::Put(file,
              "\"faulty\"\n3\n100,0.02,0.02,0,100\n102,0.02,0.02,200,300\n0,0,0,50,50\n"
              "1\n0.02,0,0,10,5\n");
    const CalcResult r = Calc({"check", file, "--json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              R"({"command":"check","version":1,"notes":[],"count":3,"faults":[)"
              R"({"kind":"zero-length","rows":"curve","first":3,"second":0,"from":50,"to":0,)"
              R"("before":0,"after":0,"text":"curve 3: zero length at station 50.000, where )"
              R"(the elevation is \"Invalid Entry\""},)"
              R"({"kind":"gap","rows":"curve","first":1,"second":2,"from":100,"to":200,)"
              R"("before":0,"after":0,"text":"gap between curves 1 and 2 from 100.000 to )"
              R"(200.000: grade elevation 0 there"},)"
              R"({"kind":"reversed","rows":"superelevation","first":1,"second":0,"from":10,)"
              R"("to":5,"before":0,"after":0,"text":"superelevation segment 1: ends at 5.000, )"
              R"(before it begins at 10.000, so it applies to no station"}]})"
              "\n");
}

TEST(Json, CurvesWritesEachSummaryWithNullWhereARowHasNoValue)
{
    const test::TempFolder dir;
    const std::string file = (dir / "c.in").string();
    // A crest with its high point on it, a row of zero length, one segment.
    test::Put(file, "\"Two\"\n2\n100,0.02,-0.02,0,200\n0,0,0,300,300\n1\n0.02,0,0,0,100\n");
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
        R"("k":null,"minimum_k":null,"pvi":null,"turning_point":null}],)"
        R"("segments":[{"row":1,"extent":"normal","station1":0,"station2":100,)"
        R"("super1":0.019999999552965164,"super2":0.019999999552965164}]})"
        "\n");
}

// The notes that plain output gives on standard error go into the document.
TEST(Json, TheNotesOfAnImportGoIntoTheDocumentInsteadOfStandardError)
{
    for (const char* command : {"curves", "check"}) {
        const CalcResult json = Calc({command, RAVO_EXAMPLES_DIR "/ridge-road.xml", "--json"});
        EXPECT_EQ(json.err, "") << command;
        EXPECT_TRUE(Has(json.out, R"("version":1,"notes":["Lengths are in meter (the file's )"
                                  R"(unit); they are taken as written, without conversion."],)"))
            << json.out;
    }
}

// Every column of curves and check in CSV, CR LF line ends, and a field quoted
// where it holds a quote.
TEST(Csv, CurvesAndCheckAnswerAsTables)
{
    const test::TempFolder dir;
    const std::string file = (dir / "c.in").string();
    // A crest with its high point on it, a row of zero length, a sag too sharp
    // for 80 km/h that overlaps the crest; one segment.
    test::Put(file,
              "\"Two\"\n3\n100,0.02,-0.02,0,200\n0,0,0,300,300\n100,-0.02,0.02,150,170\n"
              "1\n0.02,0,0,0,100\n");
    const auto run = [&](const std::string& command) {
        return Calc(Args({command, file}, "--csv --design-speed 80 --units m"));
    };
    const CalcResult curves = run("curves");
    EXPECT_EQ(curves.status, 0);
    EXPECT_EQ(curves.out,
              "kind,row,extent,shape,station1,station2,start,end,grade1,grade2,length,rate,k,"
              "minimum_k,pvi_station,pvi_elevation,turning_station,turning_elevation\r\n"
              "curve,1,normal,crest,0,200,100,100,0.019999999552965164,-0.019999999552965164,"
              "200,-0.00019999999552965163,50.00000111758712,26,100,102,100,101\r\n"
              "curve,2,zero-length,straight,300,300,0,,0,0,,,,,,,,\r\n"
              "curve,3,normal,sag,150,170,100,100,-0.019999999552965164,0.019999999552965164,20,"
              "0.0019999999552965165,5.000000111758712,30,160,99.80000305175781,160,"
              "99.9000015258789\r\n"
              "segment,1,normal,,0,100,0.019999999552965164,0.019999999552965164,0,0,,,,,,,,\r\n");

    const CalcResult check = run("check");
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.out,
              "kind,rows,first,second,from,to,before,after,crest,value,minimum,text\r\n"
              "zero-length,curve,2,0,300,0,0,0,,,,\"curve 2: zero length at station 300.000, "
              "where the elevation is \"\"Invalid Entry\"\"\"\r\n"
              "overlap,curve,1,3,150,170,0,0,,,,curves 1 and 3 overlap from 150.000 to 170.000; "
              "curve 3 (the later row) gives the elevations there\r\n"
              "below-minimum-k,curve,3,0,,,,,false,5.000000111758712,30,curve 3 (sag): K 5.000 is "
              "below the minimum 30 for 80 km/h\r\n");

    EXPECT_EQ(Calc({"check", file, "--csv", "--json"}).status, 2);
}

}  // namespace
}  // namespace ravo::calc
