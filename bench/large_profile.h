// A large profile for the benchmarks, the same in every benchmark program.
#pragma once

#include <cstdint>
#include <random>

#include "core/profile/profile_state.h"

namespace ravo::bench {

// Values with the digits of real profiles: elevations to the millimetre,
// grades to four decimals, stations to a few centimetres.
inline ravo::ProfileState LargeProfile(std::int32_t rows)
{
    ravo::ProfileState state;
    state.OutputTitle = "Benchmark profile";
    std::mt19937 random(7);
    std::uniform_int_distribution<int> millimetres(100'000, 2'000'000);
    std::uniform_int_distribution<int> grade(-800, 800);
    const auto next = [&](std::uniform_int_distribution<int>& values, float scale) {
        return static_cast<float>(values(random)) / scale;
    };
    using ravo::Column;
    for (ravo::SegmentKind kind :
         {ravo::SegmentKind::VerticalCurve, ravo::SegmentKind::Superelevation}) {
        ravo::RecreateTables(state, kind, rows);
        for (std::int32_t row = 1; row <= rows; ++row) {
            const float station = static_cast<float>(row % 20'000) * 5.125f;
            ravo::StoreField(state, kind, Column::Start, row, next(millimetres, 1000));
            ravo::StoreField(state, kind, Column::Rate1, row, next(grade, 10000));
            ravo::StoreField(state, kind, Column::Rate2, row, next(grade, 10000));
            ravo::StoreField(state, kind, Column::Station1, row, station);
            ravo::StoreField(state, kind, Column::Station2, row, station + 5.125f);
        }
    }
    return state;
}

}  // namespace ravo::bench
