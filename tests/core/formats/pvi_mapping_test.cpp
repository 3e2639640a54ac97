// Tests of the mapping between PVIs and curve rows, both ways, and of which
// rows the points export refuses.
#include "core/formats/pvi_mapping.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "support/error_text.h"
#include "support/input_profiles.h"
#include "support/points_from_rows.h"

namespace ravo {
namespace {

PviPoint Pvi(double station, double elevation) { return {station, elevation}; }

PviPoint Para(double station, double elevation, double length)
{
    return {station, elevation, length / 2, length / 2, PviKind::Para};
}

PviPoint Unsym(double station, double elevation, double in, double out)
{
    return {station, elevation, in, out, PviKind::Unsym};
}

TEST(RowsFromPoints, EachKindOfPointGivesItsRows)
{
    const std::vector<PviPoint> points = {Pvi(0, 100), Para(100, 102, 50), Unsym(200, 101, 20, 40),
                                          Pvi(300, 101), Pvi(400, 103)};
    // Elevations come from the grades as the rows hold them, in float.
    constexpr double down = static_cast<float>(-0.01);
    constexpr double gm = static_cast<float>((20 * down + 40 * 0.0) / 60);
    const auto F = [](double value) { return static_cast<float>(value); };
    const InputProfile expected = test::ProfileOf(
        "Test road",
        {
            {100, 0.02f, 0.02f, 0, 75},                  // tangent to the BVC
            {F(102 - 0.02 * 25), 0.02f, down, 75, 125},  // symmetric curve
            {F(102 + down * 25), down, down, 125, 180},  // tangent between curves
            {F(101 - down * 20), down, gm, 180, 200},    // unsymmetric, first part
            {F(101 - down * 20 + (down + gm) / 2 * 20), gm, 0, 200, 240},  // and second part
            {101, 0, 0, 240, 300},                                         // to the grade break
            {101, 0.02f, 0.02f, 300, 400},                                 // last tangent
        },
        {});
    test::ExpectSameBits(RowsFromPoints(points, "Test road"), expected);
}

// RowPoints, as the exports find them, make the rows that PviPoints of the
// same values make, and meet the same refusals. What the PVI tables also meet
// is checked there, with its line.
TEST(RowsFromPoints, RefusesPointsThatMakeNoProfileOfEitherKind)
{
    const struct {
        std::vector<PviPoint> points;
        std::string message;  // empty for rows
    } cases[] = {
        {{Pvi(0, 100), Para(40.5, 101.25, 20), Pvi(90, 99.8)}, ""},
        {{Pvi(0, 100), Unsym(50, 102.3, 12.5, 20), Unsym(80, 101.1, 4, 4), Pvi(120, 100)}, ""},
        {{Pvi(0, 1), Para(100, 2, 10)},
         "point 2: the last point cannot have a curve, since the profile has no grade after it"},
        {{Pvi(0, 1), Para(100, 2, 80), Unsym(150, 1, 15, 10), Pvi(300, 1)},
         "the curves at point 2 and point 3 overlap: the first reaches station 140 and the "
         "second begins at 135"},
        {{Pvi(0, 1), Pvi(100, NAN)}, "point 2: a value lies beyond the range"},
        {{Pvi(0, 1), Pvi(1e39, 2)}, "point 2: a value lies beyond the range"},
    };
    const auto refusal = [](const auto& points) {
        return test::ErrorText<InputFileError>([&] { RowsFromPoints(points, ""); });
    };
    for (const auto& c : cases) {
        std::vector<RowPoint> rowPoints;
        for (const PviPoint& p : c.points)
            rowPoints.push_back({p.station, p.elevation, p.lengthIn, p.lengthOut, p.kind});
        const std::string error = refusal(c.points);
        EXPECT_EQ(refusal(rowPoints), error);
        if (c.message.empty()) {
            EXPECT_EQ(error, "no error");
            test::ExpectSameBits(RowsFromPoints(rowPoints, ""), RowsFromPoints(c.points, ""));
        } else {
            EXPECT_NE(error.find(c.message), std::string::npos) << error;
        }
    }
}

// Elevations with the awkward digits of real surveys, stations and lengths
// that 32-bit floats hold, at a hilltop and near sea level: rows made from
// points, turned back into points and made into rows again are the same
// floats, and nearly every point comes back with its surveyed elevation (the
// rest where float rows cannot hold it); so do profiles that once did not.
TEST(PointsFromRows, RowsComeBackBitForBitAndPointsAsSurveyed)
{
    std::uint32_t seed = 12345;
    const auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(range));
    };
    std::size_t surveyed = 0;
    for (int profile = 0; profile < 40; ++profile) {
        const int base = profile % 2 ? 1234567 : 125;  // in thousandths
        std::vector<PviPoint> points = {Pvi(12345.25 + profile, base / 1000.0)};
        for (int i = 0; i < 30; ++i) {
            const double station = points.back().station + 150 + next(800) / 4.0;
            const double elevation = (base + next(16001) - 8000) / 1000.0;
            const double length = next(2) ? next(200) / 2.0 : 0;
            points.push_back(i % 3 == 2 ? Unsym(station, elevation, length / 2 + 3, length / 4 + 2)
                                        : Para(station, elevation, length));
        }
        points.push_back(Pvi(points.back().station + 200, (base + 1234) / 1000.0));
        points[2].kind = PviKind::Circ;
        points[6].elevation = points[5].elevation;  // a level stretch
        const InputProfile rows = RowsFromPoints(points, "");
        const std::vector<PviPoint> back = test::PointsFromRows(test::StateOf(rows), {});
        test::ExpectSameBits(RowsFromPoints(back, ""), rows);
        ASSERT_EQ(back.size(), points.size());
        for (std::size_t i = 0; i < back.size(); ++i)
            surveyed += back[i].elevation == points[i].elevation;
    }
    EXPECT_GE(surveyed, 40 * 32 * 95 / 100);
    // Profiles whose rows once failed to come back bit for bit.
    const std::vector<PviPoint> awkward[] = {
        // a BVC elevation, 5605.125 - 200 g, exactly halfway between two floats
        {Pvi(1000.1270141601562, 100.5), Para(1250.0999755859375, 5605.125, 400),
         Pvi(1475.5, 559.8065)},
        // two curves that meet as an unsymmetric one, whose narrower windows
        // leave no elevation for the grade before them
        {Pvi(1000.1649780273438, 10.0500004), Para(1250.199951171875, 51.51249738, 200),
         Para(1475.5, 96.507241, 50), Para(1550.5, 122.8426856, 100), Pvi(1750, 208)},
        // a grade of 1.6e-7 at elevation 104, where the double rounding of the
        // reader's arithmetic is as wide as the window of elevations
        {Pvi(1600, 26), Para(1750, 103.99999186243076, 0.427978515625), Pvi(1800, 104)},
    };
    for (const std::vector<PviPoint>& points : awkward) {
        SCOPED_TRACE(points[0].station);
        const InputProfile rows = RowsFromPoints(points, "");
        test::ExpectSameBits(RowsFromPoints(test::PointsFromRows(test::StateOf(rows), {}), ""),
                             rows);
    }
}

// Rows typed out of station order, or with a curve at the same station as the
// tangent before it, give the points of the rows in order; a tangent typed as
// two rows gives no point where they meet, and the profile may end at a curve.
TEST(PointsFromRows, RowsOutOfOrderGiveThePointsInOrder)
{
    const std::vector<test::Row> inOrder = {{100, 0.02f, 0.02f, 0, 100},
                                            {102, 0.02f, 0.02f, 100, 200},
                                            {104, 0.02f, -0.02f, 200, 300},
                                            {104, -0.02f, -0.02f, 300, 400},
                                            {102, -0.02f, 0.01f, 400, 500}};
    const auto points = [](const std::vector<test::Row>& rows) {
        return test::PointsFromRows(test::StateOf(test::ProfileOf("", rows, {})), {});
    };
    const std::vector<PviPoint> expected = points(inOrder);
    std::vector<double> elevations;
    for (const PviPoint& p : expected)
        elevations.push_back(p.elevation);
    EXPECT_EQ(elevations, (std::vector<double>{100, 105, 101, 101.5}));
    const std::vector<std::vector<int>> orders = {
        {4, 0, 3, 1, 2}, {1, 0, 2, 3, 4}, {0, 1, 2, 4, 3}};
    for (const std::vector<int>& order : orders) {
        std::vector<test::Row> rows;
        for (const int k : order)
            rows.push_back(inOrder[static_cast<std::size_t>(k)]);
        EXPECT_EQ(points(rows), expected);
    }
}

// An unsymmetric curve that reads back stays one curve: after a PVI with the
// same grade on both sides, whose curve row reads back joined to its
// tangents, and where the profile ends at the curve's end.
TEST(PointsFromRows, UnsymmetricCurvesThatReadBackStayOneCurve)
{
    const std::vector<PviPoint> profiles[] = {
        {Pvi(0, 100), Para(100, 101, 20), Para(200, 102, 20), Unsym(300, 101, 10, 30),
         Pvi(400, 103)},
        {Pvi(0, 100), Unsym(300, 103, 10, 30), Pvi(330, 102)},
    };
    for (const std::vector<PviPoint>& points : profiles) {
        const std::vector<PviPoint> back =
            test::PointsFromRows(test::StateOf(RowsFromPoints(points, "")), {});
        EXPECT_EQ(std::count_if(back.begin(), back.end(),
                                [](const PviPoint& p) { return p.kind == PviKind::Unsym; }),
                  1);
        EXPECT_EQ(back.back().station, points.back().station);
    }
}

// A row that differs from its points within the tolerances, which no points
// give back, sends every unsymmetric pair after it apart, a pass at a time
// and then more at once; the export still ends, and the rows after it read
// back bit for bit as two curves each.
TEST(PointsFromRows, ARowNoPointsGiveBackSendsThePairsAfterItApart)
{
    std::vector<PviPoint> points = {Pvi(0, 250)};
    for (int i = 1; i < 60; ++i) {
        const double length = 0.125 + (i * 7 % 9) / 64.0;
        const double elevation = points.back().elevation + (i * 5 % 11 - 5) / 256.0 * length;
        const double station = points.back().station + length;
        points.push_back(i + 1 == 60  ? Pvi(station, elevation)
                         : i % 2 == 0 ? Unsym(station, elevation, 1 / 32.0, 1 / 32.0)
                                      : Para(station, elevation, 1 / 16.0));
    }
    ProfileState state = test::StateOf(RowsFromPoints(points, ""));
    state.VcElevation1[1] += 0.0002f;
    const std::vector<PviPoint> back = test::PointsFromRows(state, {});
    EXPECT_EQ(std::count_if(back.begin(), back.end(),
                            [](const PviPoint& p) { return p.kind == PviKind::Unsym; }),
              0);
    const InputProfile rows = RowsFromPoints(back, "");
    ASSERT_EQ(rows.numVC, state.NumVC);
    for (std::size_t k = 3; k < state.VcElevation1.size(); ++k)
        EXPECT_EQ(rows.curves[0][k], state.VcElevation1[k]) << k;
    // So does one that begins the profile with the pair itself.
    ProfileState first =
        test::StateOf(RowsFromPoints({Pvi(0, 100), Unsym(10, 100.2, 10, 20), Pvi(100, 101)}, ""));
    first.VcElevation1[1] += 0.0002f;
    const std::vector<PviPoint> firstPoints = test::PointsFromRows(first, {});
    EXPECT_EQ(firstPoints.at(1).kind, PviKind::Para);
    const InputProfile firstBack = RowsFromPoints(firstPoints, "");
    ASSERT_EQ(firstBack.numVC, first.NumVC);
    EXPECT_EQ(firstBack.curves[0][3], first.VcElevation1[3]);
}

// The points export takes rows that join end to end without the whole profile
// check, and refuses any others with the faults that check finds.
TEST(PointsFromRows, OnlyRowsThatDoNotJoinUpAreRefused)
{
    using K = FaultKind;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const test::Row first = {100, 0.02f, 0.02f, 0, 100};
    const auto refusedFor = [](const std::vector<test::Row>& rows) {
        std::vector<FaultKind> kinds;
        try {
            test::PointsFromRows(test::StateOf(test::ProfileOf("", rows, {})), {});
        } catch (const ProfileNotContinuousError& error) {
            for (const Fault& f : error.Faults())
                kinds.push_back(f.kind);
        }
        return kinds;
    };
    const struct {
        const char* what;
        std::vector<test::Row> rows;
        std::vector<FaultKind> refused;
    } cases[] = {
        {"joined", {first, {102, 0.02f, -0.02f, 100, 200}}, {}},
        {"a change of grade, a plain PVI", {first, {102, -0.01f, -0.01f, 100, 200}}, {}},
        {"a step within the tolerance", {first, {102.001f, 0.02f, 0.02f, 100, 200}}, {}},
        {"a step beyond it", {first, {102.002f, 0.02f, 0.02f, 100, 200}}, {K::ElevationStep}},
        {"a start that is not a number",
         {first, {nan, 0.02f, 0.02f, 100, 200}},
         {K::ElevationStep}},
        {"a gap", {first, {102, 0.02f, 0.02f, 101, 200}}, {K::Gap}},
        {"an overlap", {first, {101.98f, 0.02f, 0.02f, 99, 200}}, {K::Overlap}},
        {"a row of no length",
         {first, {102, 0.02f, 0.02f, 100, 100}, {102, 0.02f, 0.02f, 100, 200}},
         {K::ZeroLength}},
        {"a reversed row", {{100, 0.02f, 0.02f, 100, 0}}, {K::Reversed}},
        {"rows out of order that join", {{102, 0.02f, -0.02f, 100, 200}, first}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(refusedFor(c.rows), c.refused) << c.what;
    // Rows that disagree within the tolerance, which no point gives back
    // both, are met halfway.
    const std::vector<PviPoint> halfway = test::PointsFromRows(
        test::StateOf(test::ProfileOf("", {first, {102.001f, 0.02f, 0.02f, 100, 200}}, {})), {});
    EXPECT_NEAR(halfway.at(0).elevation, 100.0005, 1e-5);
}

}  // namespace
}  // namespace ravo
