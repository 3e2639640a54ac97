// Profiles of the profile window's tests, worked out by hand.
#pragma once

#include <utility>
#include <vector>

#include "core/profile_state.h"

namespace ravo {

// Rows given as {start, rate1, rate2, station1, station2}.
inline ProfileState ProfileOf(const std::vector<SegmentRow>& curves,
                              const std::vector<SegmentRow>& segments = {})
{
    ProfileState state;
    for (auto [kind, rows] : {std::pair{SegmentKind::VerticalCurve, &curves},
                              std::pair{SegmentKind::Superelevation, &segments}}) {
        RecreateTables(state, kind, static_cast<std::int32_t>(rows->size()));
        for (std::size_t i = 0; i < rows->size(); ++i) {
            const SegmentRow& r = (*rows)[i];
            const auto row = static_cast<std::int32_t>(i + 1);
            const float values[] = {r.start, r.rate1, r.rate2, r.station1, r.station2};
            for (int c = 0; c < ColumnCount; ++c)
                StoreField(state, kind, static_cast<Column>(c), row, values[c]);
        }
    }
    return state;
}

// A crest, a level stretch, a gap, a sag with a later level row over part of
// it, a zero-length row and a reversed one.
inline ProfileState RidgeAndHollow()
{
    return ProfileOf({{100, 0.02f, -0.01f, 1000, 1200},
                      {101, 0, 0, 1200, 1300},
                      {100, -0.03f, 0.01f, 1400, 1800},
                      {50, 0, 0, 1500, 1550},
                      {7, 0, 0, 1100, 1100},
                      {9, 0, 0, 1900, 1850}},
                     {{-0.02f, 0.0004f, 0.0004f, 1000, 1100}});
}

}  // namespace ravo
