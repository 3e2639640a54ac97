// The points that the exports find from curve rows, as PviPoints, for tests
// that compare them with points read from a file or written by hand.
#pragma once

#include <vector>

#include "core/formats/pvi_mapping.h"
#include "core/formats/row_point_stream.h"

namespace ravo::test {

inline std::vector<PviPoint> PointsFromRows(const ProfileState& state, const Tolerances& tolerances)
{
    std::vector<PviPoint> points;
    RowPointStream(state, tolerances).ForEach([&points](const RowPoint& p) {
        points.push_back({.station = p.station,
                          .elevation = p.elevation,
                          .lengthIn = p.lengthIn,
                          .lengthOut = p.lengthOut,
                          .kind = p.kind});
    });
    return points;
}

}  // namespace ravo::test
