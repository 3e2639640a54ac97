// Tests of the curve summaries, the profile check and the design values for a
// design speed.
#include "core/design/profile_check.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <tuple>
#include <vector>

#include "core/design/curve_summary.h"
#include "core/design/design_speed.h"
#include "core/text/numbers.h"
#include "support/worked_examples.h"

namespace ravo {
namespace {

// The worked example's crest is checked through the curves report
// (WriteCurves.WorkedExample).
TEST(SummarizeCurve, CrestSagAndStraightWithTheirHighAndLowPoints)
{
    struct Case {
        SegmentRow curve;
        CurveShape shape;
        double k, rate;
        const char* shown;  // end elevation, then the turning point if it lies on the curve
    };
    const std::vector<Case> cases = {
        // x = 0.03 * 400 / 0.04 = 300; 100 - 9 + 4.5
        {{100, -0.03f, 0.01f, 0, 400}, CurveShape::Sag, 100, 0.0001, "96.000 300.000 95.500"},
        // still rising at the end: no high point; a level start is the high point
        {{100, 0.03f, 0.01f, 0, 100}, CurveShape::Crest, 50, -0.0002, "102.000"},
        {{50, 0, -0.04f, 200, 400}, CurveShape::Crest, 50, -0.0002, "46.000 200.000 50.000"},
    };
    for (const Case& c : cases) {
        const CurveSummary s = SummarizeCurve(1, c.curve);
        EXPECT_EQ(s.shape, c.shape) << c.shown;
        ASSERT_TRUE(s.k && s.gradeChangeRate && s.endElevation) << c.shown;
        EXPECT_NEAR(*s.k, c.k, 1e-3) << c.shown;
        EXPECT_NEAR(*s.gradeChangeRate, c.rate, 1e-9) << c.shown;
        std::string shown = ElevationText(*s.endElevation);
        if (s.turningPoint)
            shown += " " + ElevationText(s.turningPoint->station) + " " +
                     ElevationText(s.turningPoint->elevation);
        EXPECT_EQ(shown, c.shown);
    }
    // Equal grades, zero-length and reversed rows divide by nothing.
    const CurveSummary straight = SummarizeCurve(1, {264, -0.01f, -0.01f, 600, 1100});
    EXPECT_EQ(straight.shape, CurveShape::Straight);
    EXPECT_FALSE(straight.k);
    EXPECT_FALSE(straight.turningPoint);
    EXPECT_EQ(ElevationText(*straight.endElevation), "259.000");

    const CurveSummary zero = SummarizeCurve(2, {50, 0.01f, -0.01f, 500, 500});
    const CurveSummary reversed = SummarizeCurve(3, {50, 0.01f, -0.01f, 600, 400});
    EXPECT_EQ(zero.extent, RowExtent::ZeroLength);
    EXPECT_EQ(reversed.extent, RowExtent::Reversed);
    for (const CurveSummary& s : {zero, reversed})
        EXPECT_FALSE(s.length || s.k || s.gradeChangeRate || s.turningPoint || s.endElevation);
}

using fixtures::ProfileOf;
constexpr SegmentKind Curves = SegmentKind::VerticalCurve;
constexpr SegmentKind Segments = SegmentKind::Superelevation;

// What a test says of a fault: its kind, the rows and the stations.
using Expected = std::tuple<FaultKind, SegmentKind, std::int32_t, std::int32_t, double, double>;

std::vector<Expected> FaultsOf(const ProfileState& state, const Tolerances& tolerances = {})
{
    std::vector<Expected> found;
    for (const Fault& f : CheckProfile(state, tolerances))
        found.push_back({f.kind, f.rows, f.first, f.second, f.from, f.to});
    return found;
}

TEST(CheckProfile, EachFaultAndTheNeighbourItIsFoundAgainst)
{
    // Two curves that join smoothly: 100 + 2 = 102 at 100, grade 0.02 on both sides.
    const SegmentRow first{100, 0.02f, 0.02f, 0, 100};
    const SegmentRow second{102, 0.02f, -0.02f, 100, 300};
    const SegmentRow flat{-0.02f, 0, 0, 0, 50};
    using enum FaultKind;
    const std::vector<std::pair<ProfileState, std::vector<Expected>>> cases = {
        {ProfileOf({first, second}), {}},
        {ProfileOf({}, {flat}), {{NoCurves, Curves, 0, 0, 0, 0}}},
        {ProfileOf({first, second, {50, 0, 0, 200, 200}}), {{ZeroLength, Curves, 3, 0, 200, 0}}},
        {ProfileOf({first, second, {50, 0, 0, 500, 400}}), {{Reversed, Curves, 3, 0, 500, 400}}},
        {ProfileOf({{100, 0.02f, 0.02f, 0, 150}, second}), {{Overlap, Curves, 1, 2, 100, 150}}},
        {ProfileOf({{100, 0.02f, 0.02f, 0, 90}, second}), {{Gap, Curves, 1, 2, 90, 100}}},
        {ProfileOf({first, {102.5f, 0.02f, -0.02f, 100, 300}}),
         {{ElevationStep, Curves, 1, 2, 100, 100}}},
        {ProfileOf({first, {102, 0.03f, -0.02f, 100, 300}}), {{GradeStep, Curves, 1, 2, 100, 100}}},
        {ProfileOf({first, {102.0009f, 0.02009f, -0.02f, 100, 300}}), {}},  // within the tolerances
        {ProfileOf({first}, {flat, {-0.03f, 0, 0, 50, 100}}),
         {{SuperStep, Segments, 1, 2, 50, 50}}},
        // -0.02 + 20 * 0.001 = 0 at 70: the runoff starts at the right superelevation,
        // and a super grade may change at a joint.
        {ProfileOf({first}, {flat, {-0.02f, 0.001f, 0.001f, 50, 70}, {0, 0, 0, 70, 100}}), {}},
        // Neighbours along the road: curve 1 covers 0 to 100 and holds 2 and 3,
        // so nothing lies between 2 and 3; a joint is with the row that reaches
        // farthest, not with the one listed before it.
        {ProfileOf({{100, 0, 0, 0, 100}, {100, 0, 0, 30, 40}, {100, 0, 0, 10, 20}}),
         {{Overlap, Curves, 1, 3, 10, 20}, {Overlap, Curves, 1, 2, 30, 40}}},
        {ProfileOf({{100, 0, 0, 0, 100}, {100, 0, 0, 10, 20}, {101, 0, 0, 100, 200}}),
         {{ElevationStep, Curves, 1, 3, 100, 100}, {Overlap, Curves, 1, 2, 10, 20}}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(FaultsOf(cases[i].first), cases[i].second) << "case " << i;
    // A step as large as the tolerance is within it.
    EXPECT_TRUE(FaultsOf(ProfileOf({{100, 0, 0, 0, 100}, {100.5f, 0, 0, 100, 200}}), {0.5, 0.0001})
                    .empty());
}

// The faults and their text are the check command's (tests/cli); here the rows
// it leaves out, and a curve at the least K and length, which passes. K = L /
// (100 |G2 - G1|); at 80 km/h a crest needs 26, a sag 30.
TEST(CheckDesign, LeavesOutStraightAndZeroLengthRowsAndPassesTheLeast)
{
    const ProfileState state = ProfileOf({
        {100, 0.5f, -0.5f, 0, 2600},     // crest, K 26
        {100, 0.5f, -0.5f, 3000, 3000},  // zero length: the continuity check's
        {100, 0.5f, 0.5f, 3000, 3010},   // straight: no curve
        {100, -0.5f, 0.5f, 4000, 6900},  // sag, K 29
    });
    const std::vector<DesignFault> faults =
        CheckDesign(state, {DesignSpeed{80, LengthUnits::Metres}, 2600});
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(std::pair(faults[0].kind, faults[0].row),
              std::pair(DesignFaultKind::BelowMinimumK, 4));
    EXPECT_TRUE(CheckDesign(state, {}).empty());
}

// Every design speed of AASHTO, "A Policy on Geometric Design of Highways and
// Streets" (the Green Book): stopping sight distance from Table 3-1, the
// design K of crest curves from Table 3-34 and of sag curves from Table 3-36,
// in metric and US customary units, 20 to 130 km/h and 15 to 80 mph. 100
// km/h, calculated K 52.0, is 52.
TEST(MinimumsForDesignSpeed, EqualThePublishedDesignTables)
{
    const struct {
        LengthUnits units;
        double firstSpeed, speedStep;
        std::vector<double> sight, crest, sag;
    } tables[] = {
        {LengthUnits::Metres,
         20,
         10,
         {20, 35, 50, 65, 85, 105, 130, 160, 185, 220, 250, 285},
         {1, 2, 4, 7, 11, 17, 26, 39, 52, 74, 95, 124},
         {3, 6, 9, 13, 18, 23, 30, 38, 45, 55, 63, 73}},
        {LengthUnits::Feet,
         15,
         5,
         {80, 115, 155, 200, 250, 305, 360, 425, 495, 570, 645, 730, 820, 910},
         {3, 7, 12, 19, 29, 44, 61, 84, 114, 151, 193, 247, 312, 384},
         {10, 17, 26, 37, 49, 64, 79, 96, 115, 136, 157, 181, 206, 231}},
    };
    for (const auto& table : tables) {
        for (std::size_t i = 0; i < table.sight.size(); ++i) {
            const double speed = table.firstSpeed + table.speedStep * static_cast<double>(i);
            const DesignMinimums m = MinimumsForDesignSpeed(speed, table.units);
            EXPECT_EQ(std::tuple(m.stoppingSightDistance, m.crestK, m.sagK),
                      std::tuple(table.sight[i], table.crest[i], table.sag[i]))
                << speed << ' ' << SpeedUnitName(table.units);
        }
    }
    const DesignMinimums none = MinimumsForDesignSpeed(0, LengthUnits::Metres);
    EXPECT_EQ(none.stoppingSightDistance + none.crestK + none.sagK, 0);
    // Any speed above 0 has minimums, however slow.
    EXPECT_EQ(MinimumsForDesignSpeed(0.5, LengthUnits::Metres).stoppingSightDistance, 5);
}

}  // namespace
}  // namespace ravo
