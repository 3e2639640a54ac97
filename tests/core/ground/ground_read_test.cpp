// Tests of reading ground tables and LandXML ground lines, and of the ground written as CSV.
#include "core/ground/ground_read.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/formats/input_file.h"
#include "core/io/file_replace.h"
#include "support/error_text.h"
#include "support/file_test_support.h"

namespace ravo {
namespace {

using Points = std::vector<GroundPoint>;

TEST(GroundRead, TablesInEveryShapeGiveTheirPoints)
{
    const struct {
        const char* text;
        Points points;
    } cases[] = {
        {"station,elevation\r\n0,100.5\r\n20,101.25\r\n", {{0, 100.5}, {20, 101.25}}},
        {"0,100.5\n20,101.25\n", {{0, 100.5}, {20, 101.25}}},
        {"# survey of 3 May\n\n0 100.5\n  20\t101.25  \n", {{0, 100.5}, {20, 101.25}}},
        {"sta elev\n1+00 12\n", {{100, 12}}},
        {"\"code\",\"Elevation\",\"Station\"\nGR,\"55.5\",\"10\"\n", {{10, 55.5}}},
        {"chainage,level,code\n5,7,GR\n", {{5, 7}}},
        {"Elevation,Station\n55.5,10\n", {{10, 55.5}}},
        {"station,elevation,ground\n10,55.5,54\n", {{10, 55.5}}},  // the first named
        {"-1e2,+3\n", {{-100, 3}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GroundPointsOfTable(c.text), c.points) << c.text;
}

TEST(GroundRead, FaultsNameTheirLine)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"station,elevation\n0,1\n10,x\n", "line 3: the elevation \"x\" is not a number"},
        {"0 1\n\n5\n", "line 3: expected a station and an elevation, found \"5\""},
        {"0 1 2\n", "line 1: expected a station and an elevation, found \"0 1 2\""},
        {"0,1\n1e999,2\n", "line 2: the station \"1e999\" is not a number"},
        {"0,1\nnan,2\n", "line 2: the station \"nan\" is not a number"},
        {"0,\"\"\n", "line 1: the elevation \"\" is not a number"},
        {"station,elevation\n\n", "the ground file holds no station and elevation points"},
        {"", "the ground file holds no station and elevation points"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(test::ErrorText<InputFileError>([&] { GroundPointsOfTable(c.text); }), c.message)
            << c.text;
}

TEST(GroundRead, LandXmlGroundLinesAreChosenByNameOrState)
{
    const std::vector<GroundLine> lines = {
        {"design", "proposed", {{0, 1}}},
        {"EG", "existing", {{0, 2}, {10, 3}}},
        {"empty", "", {}},
    };
    EXPECT_EQ(ChooseGroundLine(lines, "").name, "EG");
    EXPECT_EQ(ChooseGroundLine(lines, "design").name, "design");
    EXPECT_EQ(ChooseGroundLine({lines[0]}, "").name, "design");
    EXPECT_EQ(GroundFromLines(lines, "").Points(), (Points{{0, 2}, {10, 3}}));
    EXPECT_THROW(GroundFromLines(lines, "empty"), InputFileError);
    EXPECT_EQ(test::ErrorText<InputFileError>([&] { ChooseGroundLine(lines, "eg"); }),
              "the LandXML file holds no ground line (ProfSurf) named \"eg\"; choose one by "
              "name: \"design\", \"EG\", \"empty\"");
    EXPECT_THROW(ChooseGroundLine({lines[0], lines[0]}, ""), InputFileError);
    EXPECT_THROW(ChooseGroundLine({}, ""), InputFileError);
}

TEST(GroundRead, FileBytesAreToldApartAndTheGroundWritesBackAsCsv)
{
    const std::string landXml =
        "<?xml version=\"1.0\"?><LandXML><Alignments><Alignment name=\"A\"><Profile>"
        "<ProfAlign name=\"P\"><PVI>0 10</PVI><PVI>100 11</PVI></ProfAlign>"
        "<ProfSurf name=\"EG\" state=\"existing\"><PntList2D>0 9.5 50 9.75 50 9.25 100 "
        "10.125</PntList2D></ProfSurf></Profile></Alignment></Alignments></LandXML>";
    const GroundProfile ground = GroundFromBytes(landXml);
    EXPECT_EQ(ground.Points(), (Points{{0, 9.5}, {50, 9.5}, {100, 10.125}}));
    ASSERT_EQ(ground.Notes().size(), 1u);
    const std::string csv = GroundCsvText(ground);
    EXPECT_EQ(csv, "station,elevation\r\n0,9.5\r\n50,9.5\r\n100,10.125\r\n");
    EXPECT_EQ(GroundFromBytes(csv).Points(), ground.Points());
    // UTF-8 with its byte order mark reads as the text does.
    EXPECT_EQ(GroundFromBytes("\xEF\xBB\xBF"
                              "0 1\n2 3\n")
                  .Points(),
              (Points{{0, 1}, {2, 3}}));
}

TEST(GroundRead, GroundFilesAreReadAndWrittenWhole)
{
    test::TempFolder dir;
    const GroundProfile ground(Points{{12.5, 100.25}, {0, 99}});
    SaveGroundCsv(ground, (dir / "ground.csv").string());
    EXPECT_EQ(test::Contents(dir / "ground.csv"), "station,elevation\r\n0,99\r\n12.5,100.25\r\n");
    EXPECT_EQ(ReadGroundFile((dir / "ground.csv").string()).Points(), ground.Points());
    EXPECT_THROW(ReadGroundFile((dir / "missing.csv").string()), InputFileError);
    EXPECT_THROW(SaveGroundCsv(ground, (dir / "no" / "ground.csv").string()), FileWriteError);
}

TEST(GroundRead, CutAndFillWhereTheGroundIsAndNowhereElse)
{
    // The lowest and highest ground between two stations, ends read between points.
    const GroundProfile hill(Points{{0, 10}, {10, 20}, {20, 5}});
    using Range = std::optional<std::pair<double, double>>;
    EXPECT_EQ(hill.ElevationRange(5, 15), (Range{{12.5, 20}}));
    EXPECT_EQ(hill.ElevationRange(-5, 30), (Range{{5, 20}}));
    EXPECT_EQ(hill.ElevationRange(2, 4), (Range{{12, 14}}));
    EXPECT_EQ(hill.ElevationRange(25, 30), Range{});
    EXPECT_EQ(hill.ElevationRange(15, 5), Range{});
    // A long ground gives what a look at every point gives, over any stretch,
    // also one that stops just short of a spike.
    Points many;
    for (int i = 0; i < 5000; ++i)
        many.push_back({i * 1.0, i == 1023 ? 50 : std::sin(i * 0.37) * 10 + i * 0.001});
    const GroundProfile longGround(many);
    for (const auto& [from, to] : {std::pair{0.0, 4999.0},
                                   {10.5, 4000.25},
                                   {1023.0, 2048.0},
                                   {0.0, 1022.5},
                                   {1024.0, 1024.0},
                                   {3000.0, 9000.0}}) {
        std::pair<double, double> naive{*longGround.ElevationAt(from),
                                        *longGround.ElevationAt(from)};
        for (const GroundPoint& p : many)
            if (p.station >= from && p.station <= to) {
                naive.first = std::min(naive.first, p.elevation);
                naive.second = std::max(naive.second, p.elevation);
            }
        const double end = *longGround.ElevationAt(std::min(to, 4999.0));
        naive = {std::min(naive.first, end), std::max(naive.second, end)};
        EXPECT_EQ(longGround.ElevationRange(from, to), Range{naive}) << from << " " << to;
    }

    const GroundProfile ground(Points{{10, 100}, {20, 102}});
    const CutFill middle = CutFillAt(ground, 15, 103.5);
    EXPECT_EQ(middle.ground, 101);
    EXPECT_EQ(middle.depth, 2.5);
    EXPECT_EQ(CutFillAt(ground, 20, 101).depth, -1);
    EXPECT_FALSE(CutFillAt(ground, 9.999, 100).ground);
    EXPECT_FALSE(CutFillAt(ground, 20.001, 100).depth);
}

}  // namespace
}  // namespace ravo
