// The fitted grade line in the profile window: painted dashed on the design's
// elevation scale where its rows lie, and gone when taken away.
#include <QImage>
#include <QPainter>

#include "support/window_fixture.h"
#include "ui/profile_window/frm_profile.h"
#include "ui/profile_window/frm_profile_plot.h"

namespace ravo {
namespace {

// The rows of the fitted line's colour in the plot's columns from..to.
std::vector<int> FittedRows(ProfilePlot& plot, int from, int to)
{
    QImage image(plot.size(), QImage::Format_ARGB32);
    QPainter painter(&image);
    plot.Paint(painter, plot.size());
    painter.end();
    std::vector<int> rows;
    for (int x = from; x <= to; ++x)
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 110 && c.red() < 170 && c.green() < 80 && c.blue() > 140)
                rows.push_back(y);
        }
    return rows;
}

using FittedLine = WindowTest;

TEST_F(FittedLine, IsPaintedAtItsElevationsAndGoneWhenTakenAway)
{
    Choose("mnuLoad", RAVO_EXAMPLES_DIR "/ridge-road.in");
    frmProfile& profile = *OpenProfile();
    ProfilePlot& plot = profile.Plot();
    // A level line at 270 over the first half of the road only.
    ProfileState fitted;
    RecreateTables(fitted, SegmentKind::VerticalCurve, 1);
    StoreField(fitted, SegmentKind::VerticalCurve, Column::Start, 1, 270);
    StoreField(fitted, SegmentKind::VerticalCurve, Column::Station2, 1, 2250);
    profile.SetFittedLine(fitted);

    const auto& grade = plot.Scene().grade;
    const double expected = ProfilePlot::TopMargin + (grade.valueAtTop - 270) /
                                                         (grade.valueAtTop - grade.valueAtBottom) *
                                                         plot.View().gradeHeight;
    const int left = ProfilePlot::LeftMargin + int(XOfStation(plot.View(), 500));
    const std::vector<int> rows = FittedRows(plot, left, left + 40);
    ASSERT_FALSE(rows.empty());
    for (int y : rows)
        EXPECT_NEAR(y, expected, 2.5);
    // Beyond its last station there is no fitted line above the legend.
    const int beyond = ProfilePlot::LeftMargin + int(XOfStation(plot.View(), 3500));
    for (int y : FittedRows(plot, beyond, beyond + 40))
        EXPECT_GT(y, ProfilePlot::TopMargin + plot.View().gradeHeight);

    profile.SetFittedLine(std::nullopt);
    EXPECT_TRUE(FittedRows(plot, left, left + 40).empty());
}

}  // namespace
}  // namespace ravo
