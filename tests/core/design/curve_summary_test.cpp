// Tests of the curve and segment summaries.
#include "core/design/curve_summary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/numbers.h"

namespace ravo {
namespace {

std::string Shown(float value) { return FormatPattern(value, "#####0.000"); }

// The worked example's crest is checked through the curves report below.
TEST(SummarizeCurve, CrestAndSagWithTheirHighAndLowPoints)
{
    struct Case {
        SegmentRow curve;
        CurveShape shape;
        double k, rate;
        const char* shown;  // end elevation, then the turning point if it lies on the curve
    };
    const std::vector<Case> cases = {
        // x = 0.03 * 400 / 0.04 = 300; 100 - 9 + 4.5
        {{100, -0.03f, 0.01f, 0, 400}, CurveShape::Sag, 100, 0.0001, "96.000 300.000 95.500"},
        // still rising at the end: no high point; a level start is the high point
        {{100, 0.03f, 0.01f, 0, 100}, CurveShape::Crest, 50, -0.0002, "102.000"},
        {{50, 0, -0.04f, 200, 400}, CurveShape::Crest, 50, -0.0002, "46.000 200.000 50.000"},
    };
    for (const Case& c : cases) {
        const CurveSummary s = SummarizeCurve(1, c.curve);
        EXPECT_EQ(s.shape, c.shape) << c.shown;
        ASSERT_TRUE(s.k && s.gradeChangeRate && s.endElevation) << c.shown;
        EXPECT_NEAR(*s.k, c.k, 1e-3) << c.shown;
        EXPECT_NEAR(*s.gradeChangeRate, c.rate, 1e-9) << c.shown;
        std::string shown = Shown(*s.endElevation);
        if (s.turningPoint)
            shown += " " + Shown(s.turningPoint->station) + " " + Shown(s.turningPoint->elevation);
        EXPECT_EQ(shown, c.shown);
    }
}

TEST(SummarizeCurve, EqualGradesZeroLengthAndReversedRowsDivideByNothing)
{
    const CurveSummary straight = SummarizeCurve(1, {264, -0.01f, -0.01f, 600, 1100});
    EXPECT_EQ(straight.shape, CurveShape::Straight);
    EXPECT_FALSE(straight.k);
    EXPECT_FALSE(straight.turningPoint);
    EXPECT_EQ(Shown(*straight.endElevation), "259.000");

    const CurveSummary zero = SummarizeCurve(2, {50, 0.01f, -0.01f, 500, 500});
    const CurveSummary reversed = SummarizeCurve(3, {50, 0.01f, -0.01f, 600, 400});
    EXPECT_EQ(zero.extent, RowExtent::ZeroLength);
    EXPECT_EQ(reversed.extent, RowExtent::Reversed);
    for (const CurveSummary& s : {zero, reversed})
        EXPECT_FALSE(s.length || s.k || s.gradeChangeRate || s.turningPoint || s.endElevation);
}

}  // namespace
}  // namespace ravo
