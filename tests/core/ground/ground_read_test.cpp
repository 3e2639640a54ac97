// Tests of reading ground tables and LandXML ground lines, of the ground
// written as CSV, and of the earthwork table against hand-worked sections and
// a closed form.
#include "core/ground/ground_read.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/formats/input_file.h"
#include "core/ground/earthwork.h"
#include "core/ground/earthwork_text.h"
#include "core/io/file_replace.h"
#include "support/error_text.h"
#include "support/file_test_support.h"
#include "support/input_profiles.h"

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
        {"# survey of 3 May\n\n0 100.5\n  20\t101.25  \n", {{0, 100.5}, {20, 101.25}}},
        {"sta elev\n1+00 12\n", {{100, 12}}},
        {"\"code\",\"Elevation\",\"Station\"\nGR,\"55.5\",\"10\"\n", {{10, 55.5}}},
        {"chainage,level,code\n5,7,GR\n", {{5, 7}}},
        {"ground,height\n5,7\n", {{5, 7}}},  // one name alone chooses no column
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
        std::vector<double> seen = {*longGround.ElevationAt(from),
                                    *longGround.ElevationAt(std::min(to, 4999.0))};
        for (const GroundPoint& p : many)
            if (p.station >= from && p.station <= to)
                seen.push_back(p.elevation);
        const Range naive = std::pair(std::ranges::min(seen), std::ranges::max(seen));
        EXPECT_EQ(longGround.ElevationRange(from, to), naive) << from << " " << to;
    }

    const GroundProfile ground(Points{{10, 100}, {20, 102}});
    const CutFill middle = CutFillAt(ground, 15, 103.5);
    EXPECT_EQ(std::pair(middle.ground.value_or(0), middle.depth.value_or(0)),
              std::pair(101.0, 2.5));
    EXPECT_EQ(CutFillAt(ground, 20, 101).depth, -1);
    EXPECT_FALSE(CutFillAt(ground, 9.999, 100).ground);
    EXPECT_FALSE(CutFillAt(ground, 20.001, 100).depth);
}

// A straight grade line from `start` at station 0 to `end` at `length`.
ProfileState Straight(double start, double end, double length)
{
    const double grade = (end - start) / length;
    return test::ProfileFromText("\"g\"\n1\n" + std::to_string(start) + "," +
                                 std::to_string(grade) + "," + std::to_string(grade) + ",0," +
                                 std::to_string(length) + "\n0\n");
}

GroundProfile Flat(double elevation, double length)
{
    return GroundProfile({{0, elevation}, {length, elevation}});
}

// Width 10, fill 1:2, cut 1:1.5. Fill area at 2 m: 2 (10 + 4) = 28, at 3 m:
// 3 (10 + 6) = 48; cut area at 2 m: 2 (10 + 3) = 26, at 3 m: 3 (10 + 4.5) = 43.5.
TEST(Earthwork, HandWorkedFullFillFullCutAndTransitionIntervals)
{
    const struct {
        double start, end, pavement;
        double cut, fill, prismoidalCut, prismoidalFill;
    } cases[] = {
        // 20 (28 + 48) / 2; 20 / 6 (28 + 4 x 37.5 + 48)
        {102, 103, 0, 0, 760, 0, 753.3333333},
        // the same formation under a pavement of 0.5
        {102.5, 103.5, 0.5, 0, 760, 0, 753.3333333},
        // 20 (26 + 43.5) / 2; 20 / 6 (26 + 4 x 34.375 + 43.5)
        {98, 97, 0, 695, 0, 690, 0},
        // +1 to -1: zero point at 10; fill 10 x 12 / 2, cut 10 x 11.5 / 2;
        // prismoidal 10 / 6 (12 + 4 x 5.5) and 10 / 6 (11.5 + 4 x 5.375)
        {101, 99, 0, 57.5, 60, 55, 56.6666667},
        // depths under a unit: +0.5 to -0.5 and back split at 10, fill 10 x 5.5 / 2 and
        // cut 10 x 5.375 / 2, prismoidal 10 / 6 (5.5 + 4 x 2.625) and 10 / 6 (5.375 + 4 x 2.59375);
        {100.5, 99.5, 0, 26.875, 27.5, 26.25, 26.6666667},
        {99.5, 100.5, 0, 26.875, 27.5, 26.25, 26.6666667},
        // and +1.5 to +0.5 and back without a split: 20 (19.5 + 5.5) / 2; 20 / 6 (19.5 + 4 x 12
        // + 5.5)
        {101.5, 100.5, 0, 0, 250, 0, 243.3333333},
        {100.5, 101.5, 0, 0, 250, 0, 243.3333333},
    };
    EarthworkRequest request{.section = {.width = 10, .fillSlope = 2, .cutSlope = 1.5}};
    for (const auto& c : cases) {
        request.section.pavementDepth = c.pavement;
        const EarthworkTable table =
            ComputeEarthwork(Straight(c.start, c.end, 20), Flat(100, 20), request);
        ASSERT_EQ(table.rows.size(), 2u);
        EXPECT_NEAR(table.totals.cut, c.cut, 1e-3) << c.start;
        EXPECT_NEAR(table.totals.fill, c.fill, 1e-3) << c.start;
        EXPECT_NEAR(table.totals.prismoidalCut, c.prismoidalCut, 1e-3) << c.start;
        EXPECT_NEAR(table.totals.prismoidalFill, c.prismoidalFill, 1e-3) << c.start;
        EXPECT_NEAR(table.rows[1].massOrdinate, c.cut - c.fill, 1e-3);
    }
}

// 101 falling to 97 over flat ground at 100, every 10 m: depths 1, 0, -1, -2,
// -3; cut counted at 0.8 of its volume as fill.
TEST(Earthwork, MassOrdinateBalancePointAndLargestHaul)
{
    EarthworkRequest request{
        .section = {.width = 10, .fillSlope = 2, .cutSlope = 1.5, .cutFactor = 0.8},
        .interval = 10};
    const EarthworkTable table = ComputeEarthwork(Straight(101, 97, 40), Flat(100, 40), request);
    const std::vector<double> mass = {0, -60, 57.5 * 0.8 - 60, 245 * 0.8 - 60, 592.5 * 0.8 - 60};
    ASSERT_EQ(table.rows.size(), mass.size());
    for (std::size_t i = 0; i < mass.size(); ++i) {
        EXPECT_DOUBLE_EQ(table.rows[i].station, 10.0 * static_cast<double>(i));
        EXPECT_NEAR(table.rows[i].massOrdinate, mass[i], 1e-3) << i;
    }
    ASSERT_EQ(table.balancePoints.size(), 1u);
    EXPECT_NEAR(table.balancePoints[0], 20 + 10 * 14.0 / 150.0, 1e-4);
    EXPECT_DOUBLE_EQ(table.largestHaul.station, 40);
    EXPECT_NEAR(table.largestHaul.ordinate, 414, 1e-3);
    EXPECT_NEAR(table.totals.cutAsFill, 474, 1e-3);
    EXPECT_NEAR(table.totals.net, 414, 1e-3);
    // A mass ordinate of a fraction above 0 turns the balance too: 0.5 at 30.
    request.section.cutFactor = 60.5 / 245;
    const EarthworkTable small = ComputeEarthwork(Straight(101, 97, 40), Flat(100, 40), request);
    const double at20 = 57.5 * request.section.cutFactor - 60;
    ASSERT_EQ(small.balancePoints.size(), 1u);
    EXPECT_NEAR(small.balancePoints[0], 20 + 10 * at20 / (at20 - 0.5), 1e-4);
}

// A sag curve 2 - x/50 + x^2/10000 over flat ground at 0 from 0 to 200, the
// fill h: the integral of h is 266.667 and of h^2 373.333. With upright sides
// the area 10 h is a parabola: the prismoidal formula is exact and the
// average end area over by L^2/12 times the integral of A'' (0.002 x 200).
// With sides of 1:2 the area is a quartic, and both come within their errors.
TEST(Earthwork, ParabolaOverFlatGroundAgreesWithTheClosedForm)
{
    const ProfileState sag = test::ProfileFromText("\"sag\"\n1\n2,-0.02,0.02,0,200\n0\n");
    EarthworkRequest request{.section = {.width = 10, .fillSlope = 0}, .interval = 10};
    EarthworkTable table = ComputeEarthwork(sag, Flat(0, 200), request);
    EXPECT_EQ(table.rows.size(), 21u);
    EXPECT_NEAR(table.totals.prismoidalFill, 2666.6667, 1e-3);
    EXPECT_NEAR(table.totals.fill, 2666.6667 + 100.0 / 12 * 0.4, 1e-3);
    EXPECT_EQ(table.totals.cut, 0);

    request.section.fillSlope = 2;
    request.interval = 1;
    table = ComputeEarthwork(sag, Flat(0, 200), request);
    EXPECT_NEAR(table.totals.prismoidalFill, 10 * 266.66667 + 2 * 373.33333, 1e-3);
    // A'' = 10 h'' + 4 (h'^2 + h h''), whose integral is 0.4 + 4 (0.026667 + 0.053333).
    EXPECT_NEAR(table.totals.fill, 3413.3333 + 0.72 / 12, 1e-3);
}

TEST(Earthwork, StationsTakeEveryBreakOfGroundAndGrade)
{
    const ProfileState two =
        test::ProfileFromText("\"two\"\n2\n100,0.01,0.01,0,33.5\n100.335,0.01,0.01,33.5,70\n0\n");
    const GroundProfile ground({{-5, 99}, {15, 98}, {40.0000001, 99}, {69.9999999, 99}, {75, 99}});
    EXPECT_EQ(EarthworkStations(two, ground, 0, 70, 20),
              (std::vector<double>{0, 15, 20, 33.5, 40, 60, 70}));
    // The default stretch is where both are: 0 to 70; one given at one end
    // keeps the default at the other.
    for (const auto& [from, first] : {std::pair<std::optional<double>, double>{{}, 0}, {30, 30}}) {
        const EarthworkTable table =
            ComputeEarthwork(two, ground, {.section = {.width = 8}, .from = from});
        EXPECT_EQ(std::pair(table.rows.front().station, table.rows.back().station),
                  std::pair(first, 70.0));
    }
}

TEST(Earthwork, GapsAndRefusals)
{
    // No curve between 40 and 60: those stations have no section and the
    // intervals beside them no volume.
    const ProfileState gap = test::ProfileFromText("\"gap\"\n2\n101,0,0,0,40\n101,0,0,60,100\n0\n");
    const EarthworkTable table = ComputeEarthwork(
        gap, Flat(100, 100), {.section = {.width = 10, .fillSlope = 0}, .interval = 10});
    EXPECT_NEAR(table.totals.fill, 800, 1e-3);
    ASSERT_EQ(table.notes.size(), 1u);
    EXPECT_EQ(
        table.notes[0],
        "1 station has no grade line or no ground; the intervals beside them count no volume");

    const ProfileState road = Straight(101, 99, 20);
    const std::string tooMany =
        "the table would have more than 10000000 stations: use a larger "
        "interval or a shorter stretch";
    const std::pair<EarthworkRequest, std::string> refused[] = {
        {{.section = {.width = -1}}, "the formation width cannot be negative"},
        {{.section = {.pavementDepth = -0.1}}, "the pavement depth cannot be negative"},
        {{.section = {.cutFactor = 0}}, "the cut factor must be above 0"},
        {{.section = {}, .interval = 0}, "the interval must be above 0"},
        {{.section = {}, .interval = 1e-9}, tooMany},
        // exactly 10000000 intervals of 2^-20, and one station more
        {{.section = {},
          .interval = std::ldexp(1.0, -20),
          .from = 0,
          .to = 1e7 * std::ldexp(1.0, -20)},
         tooMany},
        {{.section = {}, .from = 10, .to = 5},
         "the stretch of road must run from a station to a later one"},
    };
    for (const auto& [request, message] : refused) {
        EXPECT_EQ(test::ErrorText<EarthworkRequestError>(
                      [&] { ComputeEarthwork(road, Flat(100, 20), request); }),
                  message);
    }
    // A section of no width, or less than a unit, is its side slopes alone.
    for (const double width : {0.0, 0.5})
        EXPECT_GT(ComputeEarthwork(road, Flat(100, 20), {.section = {.width = width}}).totals.fill,
                  0)
            << width;
    // The ground lies beyond the road, or meets it at one station only.
    for (const double start : {30.0, 20.0})
        EXPECT_THROW(ComputeEarthwork(road, GroundProfile({{start, 1}, {40, 1}}), {}),
                     EarthworkRequestError)
            << start;
}

TEST(Earthwork, TextAndCsvRows)
{
    const auto linesOf = [](const EarthworkTable& table, bool csv) {
        std::vector<std::string> lines;
        const auto add = [&](std::string_view line) { lines.emplace_back(line); };
        csv ? WriteEarthworkCsv(table, add) : WriteEarthworkSummary(table, true, add);
        return lines;
    };
    const auto straight = [](double start, double end, double cutSlope) {
        return ComputeEarthwork(Straight(start, end, 20), Flat(100, 20),
                                {.section = {.width = 10, .fillSlope = 2, .cutSlope = cutSlope}});
    };
    EXPECT_EQ(linesOf(straight(101, 99, 1.5), true).at(2),
              "20.000,99.000,100.000,-1.000,11.500,0.000,57.500,60.000,55.000,56.667,"
              "57.500,60.000,-2.500");
    EXPECT_EQ(
        linesOf(straight(101, 99, 1.5), false),
        (std::vector<std::string>{"Cut 57.50, as fill 57.50; fill 60.00; net -2.50 (shortage)",
                                  "Prismoidal check: cut 55.00, fill 56.67", "Balance points: none",
                                  "Largest haul ordinate: -2.50 at station 0+20.000"}));
    // Where cut and fill balance, the net is neither surplus nor shortage; a
    // surplus of less than a unit is one all the same.
    EXPECT_EQ(linesOf(straight(100, 100, 1.5), false).front(),
              "Cut 0.00, as fill 0.00; fill 0.00; net 0.00");
    EXPECT_EQ(linesOf(straight(101, 99, 2.15), false).front(),
              "Cut 60.75, as fill 60.75; fill 60.00; net 0.75 (surplus)");
}

}  // namespace
}  // namespace ravo
