#include "elevation_walk.h"

#include <cmath>

#include "elevation.h"
#include "numbers.h"

namespace ravo {
namespace {

// The last containing row of a kind and its value; row 0 when none contains
// the station. Throws OverflowError as CalculateElevation does.
std::int32_t LastContaining(const ProfileState& state, SegmentKind kind, float station,
                            float& value)
{
    std::int32_t decided = 0;
    for (std::int32_t r = 1; r <= CountOf(state, kind); ++r) {
        const auto row = RowOf(state, kind, r);
        if (!row || !(row->station1 <= station && station <= row->station2))
            continue;
        const double v = RowValue(*row, station);
        if (std::isnan(v))
            throw OverflowError("zero-length row contains the station");
        value = ToFloat(v);
        decided = r;
    }
    return decided;
}

}  // namespace

ElevationWalk::ElevationWalk(const ProfileState& state) : state_(state) {}

WalkPoint ElevationWalk::At(float station, float offset)
{
    WalkPoint point;
    try {
        point.curveRow =
            LastContaining(state_, SegmentKind::VerticalCurve, station, point.gradeElevation);
        point.segmentRow =
            LastContaining(state_, SegmentKind::Superelevation, station, point.super);
        point.elevation = ToFloat(static_cast<double>(offset) * point.super +
                                  static_cast<double>(point.gradeElevation));
    } catch (const OverflowError&) {
        point.ok = false;
    }
    return point;
}

}  // namespace ravo
