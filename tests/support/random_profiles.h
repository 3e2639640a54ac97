// Random profiles whose rows share ends, overlap, have zero length, end
// before they begin or leave the float range, and the row that decides a
// station worked out by the plain rule, for tests that hold the quicker ways
// of finding it to the calculation.
#pragma once

#include <cmath>
#include <initializer_list>
#include <random>
#include <utility>

#include "core/profile/elevation.h"
#include "core/profile/elevation_walk.h"
#include "core/text/numbers.h"
#include "support/worked_examples.h"

namespace ravo::test {

using Random = std::mt19937;

inline float Pick(Random& random, std::initializer_list<float> values)
{
    return values.begin()[std::uniform_int_distribution<std::size_t>(0, values.size() - 1)(random)];
}

inline bool Chance(Random& random, double p) { return std::bernoulli_distribution(p)(random); }

// Stations on a coarse grid, so that rows share ends, overlap, have zero length
// and the walk lands exactly on their ends; now and then a station off the grid.
inline float GridStation(Random& random)
{
    return Chance(random, 0.1)
               ? std::uniform_real_distribution<float>(-10, 110)(random)
               : 10.0f * static_cast<float>(std::uniform_int_distribution<int>(-1, 11)(random));
}

// Rows that share ends, overlap, have zero length or end before they begin,
// and now and then leave the float range or hold a NaN or an infinity; counts
// now and then beyond the tables or below 1.
inline ProfileState RandomProfile(Random& random)
{
    ProfileState state;
    for (SegmentKind kind : {SegmentKind::VerticalCurve, SegmentKind::Superelevation}) {
        const int rows = std::uniform_int_distribution<int>(0, 12)(random);
        RecreateTables(state, kind, rows);
        for (int r = 1; r <= rows; ++r) {
            SegmentRow row{Pick(random, {100, -3, 0.5f}), Pick(random, {0.02f, -0.01f, 0}),
                           Pick(random, {-0.01f, 0.3f, 0}), GridStation(random),
                           GridStation(random)};
            if (Chance(random, 0.5) && row.station2 < row.station1)
                std::swap(row.station1, row.station2);
            row.rate1 = Chance(random, 0.05) ? 1e37f : row.rate1;  // leaves the float range
            row.station1 = Chance(random, 0.03) ? std::nanf("") : row.station1;
            row.start = Chance(random, 0.03) ? INFINITY : row.start;
            fixtures::SetRow(state, kind, r, row);
        }
        CountOf(state, kind) += std::uniform_int_distribution<int>(-2, 2)(random);
    }
    return state;
}

// The row that decides a station: the first containing row whose value the
// calculation cannot store, else the last containing row; and whether it failed.
inline std::pair<std::int32_t, bool> DecidingRow(const ProfileState& state, SegmentKind kind,
                                                 float station)
{
    std::int32_t last = 0;
    for (std::int32_t r = 1; r <= CountOf(state, kind); ++r) {
        const auto row = RowOf(state, kind, r);
        if (!row || !(row->station1 <= station && station <= row->station2))
            continue;
        try {
            ToFloat(RowValue(*row, station));
            last = r;
        } catch (const OverflowError&) {
            return {r, true};
        }
    }
    return {last, false};
}

inline WalkPoint Calculated(ProfileState& state, float station, float offset)
{
    const auto [curve, curveFails] = DecidingRow(state, SegmentKind::VerticalCurve, station);
    const auto [segment, segmentFails] = DecidingRow(state, SegmentKind::Superelevation, station);
    WalkPoint point{.curveRow = curve, .segmentRow = segment};
    state.CalcStation = station;
    try {
        state.CalcOffset = 0;
        CalculateElevation(state);
        point.gradeElevation = state.CalcElevation;
        state.CalcOffset = offset;
        CalculateElevation(state);
    } catch (const OverflowError&) {
        return {.ok = false,
                .curveRow = curveFails ? curve : 0,
                .segmentRow = !curveFails && segmentFails ? segment : 0};
    }
    point.super = state.CalcSuper;
    point.elevation = state.CalcElevation;
    return point;
}

}  // namespace ravo::test
