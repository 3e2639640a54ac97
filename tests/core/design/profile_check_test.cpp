// Tests of the profile check.
#include "core/design/profile_check.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "support/worked_examples.h"

namespace ravo {
namespace {

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

}  // namespace
}  // namespace ravo
