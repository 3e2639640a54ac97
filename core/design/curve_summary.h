// What a road designer reads off each row of a profile: for a vertical curve
// its ends, grades, length, rate of change of grade, K and high or low point;
// for a superelevation segment its superelevation at both ends.
#pragma once

#include <cstdint>
#include <optional>

#include "core/design/design_speed.h"
#include "core/profile/profile_state.h"

namespace ravo {

// How a row lies along the road. A zero-length row contains only its one
// station, where the desktop program says "Invalid Entry"; a reversed row (its
// end before its beginning) contains no station at all.
enum class RowExtent { Normal, ZeroLength, Reversed };

RowExtent ExtentOf(const SegmentRow& row);

// Crest: the grade falls (ending grade below beginning grade), so the curve may
// have a high point; sag: the grade rises, a low point; straight: equal grades.
enum class CurveShape { Crest, Sag, Straight };

CurveShape ShapeOf(const SegmentRow& row);

// K = L / (100 |G2 - G1|), the length per percent of grade change; none for a
// row that is not of positive length or has equal grades.
std::optional<double> KOf(const SegmentRow& row);

// The least K that the design asks of a curve of that shape; none for a
// straight grade.
std::optional<double> LeastKFor(CurveShape shape, const DesignMinimums& minimums);

struct CurvePoint {
    float station = 0;
    float elevation = 0;
};

struct CurveSummary {
    std::int32_t row = 0;
    SegmentRow values;
    RowExtent extent = RowExtent::Normal;
    CurveShape shape = CurveShape::Straight;
    // Only for a row of positive length:
    std::optional<float> endElevation{};  // as shown at its ending station
    std::optional<double> length{};
    std::optional<double> gradeChangeRate{};  // (G2 - G1) / L, per unit of length
    std::optional<double> k{};                // L / (100 |G2 - G1|); none for equal grades
    // Where the grade is 0, x = -G1 L / (G2 - G1) from the beginning, when that
    // lies on the curve (both ends included).
    std::optional<CurvePoint> turningPoint{};
    // Where the grade lines of its two ends meet, at its middle; none for
    // equal grades.
    std::optional<CurvePoint> pvi{};
};

struct SegmentSummary {
    std::int32_t row = 0;
    SegmentRow values;
    RowExtent extent = RowExtent::Normal;
    std::optional<float> endSuper{};  // only for a row of positive length
};

// End values and the turning point are computed as the desktop program
// computes them: at 32-bit float stations, rounded to 32-bit floats.
CurveSummary SummarizeCurve(std::int32_t row, const SegmentRow& values);
SegmentSummary SummarizeSegment(std::int32_t row, const SegmentRow& values);

// The least K for the curve's shape at the design speed; none for a straight row.
std::optional<double> MinimumK(const CurveSummary& curve, const DesignMinimums& minimums);

}  // namespace ravo
