// Curve and segment summaries: ends, grades, K, the PVI and the high or low
// point of each row, as the desktop program would compute them.
#include "core/design/curve_summary.h"

#include <cmath>
#include <string>

#include "core/profile/elevation.h"
#include "core/text/numbers.h"

namespace ravo {
namespace {

// A value as the desktop program stores it; none beyond the float range.
std::optional<float> StoredValueOf(double value)
{
    try {
        return ToFloat(value);
    } catch (const OverflowError&) {
        return std::nullopt;
    }
}

// The value of a row at one of its stations.
std::optional<float> StoredValueAt(const SegmentRow& values, float station)
{
    return StoredValueOf(RowValue(values, station));
}

std::optional<CurvePoint> TurningPoint(const SegmentRow& values, double length)
{
    const double gradeChange = static_cast<double>(values.rate2) - values.rate1;
    if (gradeChange == 0)
        return std::nullopt;
    const double x = -static_cast<double>(values.rate1) * length / gradeChange;
    if (!(x >= 0 && x <= length))
        return std::nullopt;
    const float station = static_cast<float>(values.station1 + x);
    const std::optional<float> elevation = StoredValueAt(values, station);
    if (!elevation)
        return std::nullopt;
    return CurvePoint{station, *elevation};
}

}  // namespace

RowExtent ExtentOf(const SegmentRow& row)
{
    if (row.station2 > row.station1)
        return RowExtent::Normal;
    return row.station2 == row.station1 ? RowExtent::ZeroLength : RowExtent::Reversed;
}

CurveShape ShapeOf(const SegmentRow& row)
{
    if (row.rate2 < row.rate1)
        return CurveShape::Crest;
    return row.rate2 > row.rate1 ? CurveShape::Sag : CurveShape::Straight;
}

std::optional<double> KOf(const SegmentRow& row)
{
    const double gradeChange = static_cast<double>(row.rate2) - row.rate1;
    if (ExtentOf(row) != RowExtent::Normal || gradeChange == 0)
        return std::nullopt;
    return (static_cast<double>(row.station2) - row.station1) / (100 * std::fabs(gradeChange));
}

std::optional<double> LeastKFor(CurveShape shape, const DesignMinimums& minimums)
{
    switch (shape) {
    case CurveShape::Crest:
        return minimums.crestK;
    case CurveShape::Sag:
        return minimums.sagK;
    case CurveShape::Straight:
        break;
    }
    return std::nullopt;
}

CurveSummary SummarizeCurve(std::int32_t row, const SegmentRow& values)
{
    CurveSummary summary{
        .row = row, .values = values, .extent = ExtentOf(values), .shape = ShapeOf(values)};
    if (summary.extent != RowExtent::Normal)
        return summary;

    const double length = static_cast<double>(values.station2) - values.station1;
    const double gradeChange = static_cast<double>(values.rate2) - values.rate1;
    summary.length = length;
    summary.endElevation = StoredValueAt(values, values.station2);
    summary.gradeChangeRate = gradeChange / length;
    summary.k = KOf(values);
    summary.turningPoint = TurningPoint(values, length);
    if (gradeChange != 0) {
        const float middle = static_cast<float>(values.station1 + length / 2);
        const std::optional<float> elevation = StoredValueOf(
            values.start + values.rate1 * (middle - static_cast<double>(values.station1)));
        if (elevation)
            summary.pvi = CurvePoint{middle, *elevation};
    }
    return summary;
}

SegmentSummary SummarizeSegment(std::int32_t row, const SegmentRow& values)
{
    SegmentSummary summary{.row = row, .values = values, .extent = ExtentOf(values)};
    if (summary.extent == RowExtent::Normal)
        summary.endSuper = StoredValueAt(values, values.station2);
    return summary;
}

std::optional<double> MinimumK(const CurveSummary& curve, const DesignMinimums& minimums)
{
    if (curve.extent != RowExtent::Normal)
        return std::nullopt;
    return LeastKFor(curve.shape, minimums);
}

}  // namespace ravo
