// A million-row profile for the profile window's benchmarks: back-to-back rows
// of 10 stations, crests and sags in turn, continuous, of both kinds.
#pragma once

#include <cstdint>
#include <memory>

#include "core/profile/profile_state.h"

namespace ravo::bench {

inline void FillAlternatingRows(ravo::ProfileState& state, ravo::SegmentKind kind,
                                std::int32_t rows)
{
    for (std::int32_t row = 1; row <= rows; ++row) {
        const bool crest = row % 2 == 1;
        const float begin = 10.0f * static_cast<float>(row - 1);
        const float values[] = {crest ? 0.0f : 0.05f, crest ? 0.02f : -0.01f,
                                crest ? -0.01f : 0.02f, begin, begin + 10.0f};
        for (int c = 0; c < ravo::ColumnCount; ++c)
            ravo::StoreField(state, kind, static_cast<ravo::Column>(c), row, values[c]);
    }
}

inline std::unique_ptr<ravo::ProfileState> AlternatingProfile(std::int32_t rows)
{
    auto state = std::make_unique<ravo::ProfileState>();
    for (ravo::SegmentKind kind :
         {ravo::SegmentKind::VerticalCurve, ravo::SegmentKind::Superelevation}) {
        ravo::RecreateTables(*state, kind, rows);
        FillAlternatingRows(*state, kind, rows);
    }
    state->CalcStation = 10.0f * static_cast<float>(rows) / 2 + 2.5f;
    return state;
}

}  // namespace ravo::bench
