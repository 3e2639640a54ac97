// Tests of the earthwork table against hand-worked sections and a closed form.
#include "core/ground/earthwork.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/ground/earthwork_text.h"
#include "support/input_profiles.h"

namespace ravo {
namespace {

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
    // The default stretch is where both are: 0 to 70.
    const EarthworkTable table = ComputeEarthwork(two, ground, {.section = {.width = 8}});
    EXPECT_EQ(table.rows.front().station, 0);
    EXPECT_EQ(table.rows.back().station, 70);
    // A stretch given at one end keeps the default at the other.
    EarthworkRequest fromOnly;
    fromOnly.section.width = 8;
    fromOnly.from = 30;
    const EarthworkTable later = ComputeEarthwork(two, ground, fromOnly);
    EXPECT_EQ(later.rows.front().station, 30);
    EXPECT_EQ(later.rows.back().station, 70);
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
    const auto changed = [](void (*change)(EarthworkRequest&)) {
        EarthworkRequest request;
        change(request);
        return request;
    };
    const std::pair<EarthworkRequest, std::string> refused[] = {
        {changed([](EarthworkRequest& r) { r.section.width = -1; }),
         "the formation width cannot be negative"},
        {changed([](EarthworkRequest& r) { r.section.pavementDepth = -0.1; }),
         "the pavement depth cannot be negative"},
        {changed([](EarthworkRequest& r) { r.section.cutFactor = 0; }),
         "the cut factor must be above 0"},
        {changed([](EarthworkRequest& r) { r.interval = 0; }), "the interval must be above 0"},
        {changed([](EarthworkRequest& r) { r.interval = 1e-9; }),
         "the table would have more than 10000000 stations: use a larger interval or a shorter "
         "stretch"},
        // exactly 10000000 intervals of 2^-20, and one station more
        {changed([](EarthworkRequest& r) {
             r.interval = std::ldexp(1.0, -20);
             r.from = 0, r.to = 1e7 * r.interval;
         }),
         "the table would have more than 10000000 stations: use a larger interval or a shorter "
         "stretch"},
        {changed([](EarthworkRequest& r) { r.from = 10, r.to = 5; }),
         "the stretch of road must run from a station to a later one"},
    };
    for (const auto& [request, message] : refused) {
        try {
            ComputeEarthwork(road, Flat(100, 20), request);
            ADD_FAILURE() << message;
        } catch (const EarthworkRequestError& error) {
            EXPECT_EQ(error.what(), message);
        }
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
    const EarthworkTable table =
        ComputeEarthwork(Straight(101, 99, 20), Flat(100, 20),
                         {.section = {.width = 10, .fillSlope = 2, .cutSlope = 1.5}});
    std::vector<std::string> lines;
    WriteEarthworkCsv(table, [&](std::string_view line) { lines.emplace_back(line); });
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2],
              "20.000,99.000,100.000,-1.000,11.500,0.000,57.500,60.000,55.000,56.667,"
              "57.500,60.000,-2.500");
    lines.clear();
    WriteEarthworkSummary(table, true, [&](std::string_view line) { lines.emplace_back(line); });
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Cut 57.50, as fill 57.50; fill 60.00; net -2.50 (shortage)",
                         "Prismoidal check: cut 55.00, fill 56.67", "Balance points: none",
                         "Largest haul ordinate: -2.50 at station 0+20.000"}));
    // Where cut and fill balance, the net is neither surplus nor shortage.
    lines.clear();
    WriteEarthworkSummary(
        ComputeEarthwork(Straight(100, 100, 20), Flat(100, 20), {.section = {.width = 10}}), false,
        [&](std::string_view line) { lines.emplace_back(line); });
    EXPECT_EQ(lines.front(), "Cut 0.00, as fill 0.00; fill 0.00; net 0.00");
    // A surplus of less than a unit is one all the same.
    lines.clear();
    WriteEarthworkSummary(
        ComputeEarthwork(Straight(101, 99, 20), Flat(100, 20),
                         {.section = {.width = 10, .fillSlope = 2, .cutSlope = 2.15}}),
        false, [&](std::string_view line) { lines.emplace_back(line); });
    EXPECT_EQ(lines.front(), "Cut 60.75, as fill 60.75; fill 60.00; net 0.75 (surplus)");
}

}  // namespace
}  // namespace ravo
