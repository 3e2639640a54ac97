// The band outline that stands for a line of the profile scene when painted.
#include "ui/profile_window/plot_band.h"

#include <gtest/gtest.h>

namespace ravo {
namespace {

TEST(PlotBand, TopsLeftToRightThenBottomsBack)
{
    struct Case {
        std::vector<PixelPoint> points;
        std::vector<QPointF> outline;  // before the shift by the origin
    };
    const std::vector<Case> cases = {
        // Many rows in every column: the line runs up and down each one.
        {{{0.5, 10}, {0.5, 2}, {1.5, 3}, {1.5, 12}, {2.5, 11}},
         {{0.5, 2}, {1.5, 3}, {2.5, 11}, {2.5, 11}, {1.5, 12}, {0.5, 10}}},
        // One point a column: there and back along the line.
        {{{0.5, 4}, {1.5, 5}}, {{0.5, 4}, {1.5, 5}, {1.5, 5}, {0.5, 4}}},
        {{}, {}}};
    for (const Case& c : cases) {
        QPolygonF expected;
        for (const QPointF& p : c.outline)
            expected.append(p + QPointF(70, 22));
        EXPECT_EQ(BandOutline(Polyline{c.points, false}, QPointF(70, 22)), expected);
    }
}

}  // namespace
}  // namespace ravo
