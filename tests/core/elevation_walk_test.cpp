#include "core/elevation_walk.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "core/elevation.h"
#include "core/numbers.h"
#include "worked_examples.h"

namespace ravo {
namespace {

using Random = std::mt19937;

float Pick(Random& random, std::initializer_list<float> values)
{
    std::uniform_int_distribution<std::size_t> index(0, values.size() - 1);
    return values.begin()[index(random)];
}

bool Chance(Random& random, double p) { return std::bernoulli_distribution(p)(random); }

// Stations on a coarse grid, so that rows share ends, overlap, have zero length
// and the walk lands exactly on their ends; now and then a station off the grid.
float GridStation(Random& random)
{
    if (Chance(random, 0.1))
        return std::uniform_real_distribution<float>(-10, 110)(random);
    return 10.0f * static_cast<float>(std::uniform_int_distribution<int>(-1, 11)(random));
}

SegmentRow RandomRow(Random& random)
{
    SegmentRow row{Pick(random, {100, -3, 0.5f}), Pick(random, {0.02f, -0.01f, 0}),
                   Pick(random, {-0.01f, 0.3f, 0}), GridStation(random), GridStation(random)};
    if (Chance(random, 0.5) && row.station2 < row.station1)
        std::swap(row.station1, row.station2);  // else the end lies before the beginning
    if (Chance(random, 0.1))
        row.station2 = row.station1;  // zero length
    if (Chance(random, 0.05))
        row.rate1 = 1e37f;  // leaves the float range some way into the row
    if (Chance(random, 0.03))
        row.station1 = std::numeric_limits<float>::quiet_NaN();
    if (Chance(random, 0.03))
        row.start = std::numeric_limits<float>::infinity();
    return row;
}

ProfileState RandomProfile(Random& random)
{
    ProfileState state;
    for (SegmentKind kind : {SegmentKind::VerticalCurve, SegmentKind::Superelevation}) {
        const int rows = std::uniform_int_distribution<int>(0, 12)(random);
        RecreateTables(state, kind, rows);
        for (int row = 1; row <= rows; ++row)
            fixtures::SetRow(state, kind, row, RandomRow(random));
        CountOf(state, kind) += std::uniform_int_distribution<int>(-2, 2)(random);
    }
    return state;
}

// Runs of stations going up or down, with repeats and now and then a NaN.
std::vector<float> RandomWalk(Random& random)
{
    std::vector<float> stations;
    float station = GridStation(random);
    for (int run = 0; run < 6; ++run) {
        const float direction = Chance(random, 0.5) ? 1.0f : -1.0f;
        for (int k = std::uniform_int_distribution<int>(1, 30)(random); k > 0; --k) {
            stations.push_back(Chance(random, 0.01) ? std::nanf("") : station);
            station += direction * Pick(random, {0, 5, 10, 0.25f, 30});
        }
    }
    return stations;
}

std::int32_t LastContainingRow(const ProfileState& state, SegmentKind kind, float station)
{
    std::int32_t last = 0;
    for (std::int32_t r = 1; r <= CountOf(state, kind); ++r) {
        const auto row = RowOf(state, kind, r);
        if (row && row->station1 <= station && station <= row->station2)
            last = r;
    }
    return last;
}

// The first containing row whose value the calculation cannot store.
std::int32_t FirstFailingRow(const ProfileState& state, SegmentKind kind, float station)
{
    for (std::int32_t r = 1; r <= CountOf(state, kind); ++r) {
        const auto row = RowOf(state, kind, r);
        try {
            if (row && row->station1 <= station && station <= row->station2)
                ToFloat(RowValue(*row, station));
        } catch (const OverflowError&) {
            return r;
        }
    }
    return 0;
}

WalkPoint Calculated(ProfileState& state, float station, float offset)
{
    WalkPoint point;
    state.CalcStation = station;
    try {
        state.CalcOffset = 0;
        CalculateElevation(state);
        point.gradeElevation = state.CalcElevation;
        state.CalcOffset = offset;
        CalculateElevation(state);
    } catch (const OverflowError&) {
        const std::int32_t curve = FirstFailingRow(state, SegmentKind::VerticalCurve, station);
        return {.ok = false,
                .curveRow = curve,
                .segmentRow =
                    curve != 0 ? 0 : FirstFailingRow(state, SegmentKind::Superelevation, station)};
    }
    point.super = state.CalcSuper;
    point.elevation = state.CalcElevation;
    point.curveRow = LastContainingRow(state, SegmentKind::VerticalCurve, station);
    point.segmentRow = LastContainingRow(state, SegmentKind::Superelevation, station);
    return point;
}

TEST(ElevationWalk, GivesWhatTheCalculationGivesAlongRandomWalks)
{
    const auto bits = [](const WalkPoint& p) {
        return std::vector<std::uint32_t>{p.ok,
                                          std::bit_cast<std::uint32_t>(p.gradeElevation),
                                          std::bit_cast<std::uint32_t>(p.super),
                                          std::bit_cast<std::uint32_t>(p.elevation),
                                          static_cast<std::uint32_t>(p.curveRow),
                                          static_cast<std::uint32_t>(p.segmentRow)};
    };
    Random random(20261207);
    int failures = 0;
    int points = 0;
    for (int profile = 0; profile < 1500; ++profile) {
        ProfileState state = RandomProfile(random);
        ProfileState calculation = state;
        ElevationWalk walk(state);
        for (float station : RandomWalk(random)) {
            const float offset = Pick(random, {0, 12, -7.5f, 3e38f});
            const WalkPoint expected = Calculated(calculation, station, offset);
            ASSERT_EQ(bits(walk.At(station, offset)), bits(expected))
                << "profile " << profile << " station " << station;
            ++points;
            failures += expected.ok ? 0 : 1;
        }
    }
    // The profiles must exercise both outcomes.
    EXPECT_GT(failures, points / 50);
    EXPECT_LT(failures, points / 2);
}

}  // namespace
}  // namespace ravo
