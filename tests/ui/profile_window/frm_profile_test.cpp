// The profile window: it follows the profile and every change of its rows; it
// clicks, zooms and pans as a user asks, and paints a fitted grade line dashed
// on the design's elevation scale; and the band outline its lines are painted as.
#include "ui/profile_window/frm_profile.h"

#include <QImage>
#include <QSignalSpy>
#include <QSpinBox>
#include <QWheelEvent>
#include <cmath>

#include "support/window_fixture.h"
#include "ui/profile_window/frm_profile_plot.h"
#include "ui/profile_window/plot_band.h"

namespace ravo {
namespace {

using ProfileWindow = WindowTest;

TEST_F(ProfileWindow, FollowsTheProfileAndTheMouse)
{
    frmProfile* profile = OpenProfile();
    ASSERT_TRUE(profile && profile->isVisible());
    ProfilePlot& plot = profile->Plot();
    Choose("mnuLoad", RAVO_EXAMPLES_DIR "/ridge-road.in");
    EXPECT_EQ(plot.View().firstStation, -90);  // fitted: 0..4500 and a margin of 2 %

    // A click puts its station into the box.
    const QPoint click(ProfilePlot::LeftMargin + 300, ProfilePlot::TopMargin + 50);
    const std::string clicked = StationTextAtX(plot.View(), 300);
    QSignalSpy picked(&plot, &ProfilePlot::StationClicked);  // once told from a double-click
    QTest::mouseClick(&plot, Qt::LeftButton, {}, click);
    ASSERT_TRUE(picked.wait(5000));
    EXPECT_EQ(Text("txtStation").toStdString(), clicked);

    // A design speed of 100 km/h asks K 52 over a crest: curve 2 (K 50) is too sharp.
    profile->findChild<QSpinBox*>(QStringLiteral("spnDesignSpeed"))->setValue(100);
    const int x = ProfilePlot::LeftMargin + int(std::lround(XOfStation(plot.View(), 500)));
    // From beside the curve: a move to where the mouse already is sends nothing.
    QTest::mouseMove(&plot, QPoint(x - 1, ProfilePlot::TopMargin + 50));
    QTest::mouseMove(&plot, QPoint(x, ProfilePlot::TopMargin + 50));
    EXPECT_EQ(plot.toolTip(),
              "Curve 2: K 50.0, least K 52 for a crest: too sharp for the design speed");

    // The wheel zooms about the mouse, a drag pans.
    const ProfileView whole = plot.View();
    const QPointF at(ProfilePlot::LeftMargin + 200, ProfilePlot::TopMargin + 50);
    QWheelEvent wheel(at, plot.mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(&plot, &wheel);
    EXPECT_NEAR(plot.View().lastStation - plot.View().firstStation, 4680 / 1.25, 1e-6);
    EXPECT_NEAR(StationAtX(plot.View(), 200), StationAtX(whole, 200), 1e-6);
    const double zoomedFirst = plot.View().firstStation;
    QTest::mousePress(&plot, Qt::LeftButton, {}, at.toPoint());
    QTest::mouseMove(&plot, at.toPoint() + QPoint(100, 0));
    QTest::mouseRelease(&plot, Qt::LeftButton, {}, at.toPoint() + QPoint(100, 0));
    EXPECT_NEAR(plot.View().firstStation, zoomedFirst - 100 * 4680 / 1.25 / plot.View().plotWidth,
                1e-6);
}

// What the window draws: its marks, and the points of each line of its grade
// and superelevation, their number first, then their heights.
std::vector<double> Drawn(const ProfileScene& scene)
{
    std::vector<double> drawn{double(scene.marks.size())};
    for (const Panel* panel : {&scene.grade, &scene.super})
        for (const Polyline& line : panel->lines) {
            drawn.push_back(double(line.points.size()));
            for (const PixelPoint& p : line.points)
                drawn.push_back(p.y);
        }
    return drawn;
}

// What the shown window draws after every change of the rows is what an index
// made afresh from the same rows gives.
TEST_F(ProfileWindow, EveryStoredFieldCountResetAndUndoIsDrawn)
{
    ProfilePlot& plot = OpenRidgeRoad().Plot();
    auto expectDrawnAfresh = [&](const std::string& step) {
        const std::vector<double> shown = Drawn(plot.Scene());
        const std::vector<double> fresh = Drawn(BuildScene(ProfileViewIndex(state), plot.View()));
        ASSERT_EQ(shown.size(), fresh.size()) << step;
        for (std::size_t i = 0; i < shown.size(); ++i)
            EXPECT_NEAR(shown[i], fresh[i], 1e-6) << step << " " << i;
    };
    expectDrawnAfresh("loaded");
    // A value and the stations of a curve, a segment's station, then counts.
    const std::pair<const char*, const char*> steps[] = {
        {"txtE1", "275"}, {"txtSta2", "950"}, {"txtSta1", "-100"}, {"txtSSta2", "3000"},
        {"txtNSUP", "2"}, {"txtS1", "0.04"},  {"txtNVC", "1"}};
    for (const auto& [box, text] : steps) {
        TypeOver(box, QLatin1String(text));
        expectDrawnAfresh(std::string(box) + " " + text);
    }
    Item("mnuUndo")->trigger();
    expectDrawnAfresh("undo");
    Item("mnuResetSuper")->trigger();
    expectDrawnAfresh("reset");
}

// The rows of the fitted line's colour in the plot's columns from..to.
std::vector<int> FittedRows(ProfilePlot& plot, int from, int to)
{
    const QImage image = plot.grab().toImage();
    std::vector<int> rows;
    for (int x = from; x <= to; ++x)
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 110 && c.red() < 170 && c.green() < 80 && c.blue() > 140)
                rows.push_back(y);
        }
    return rows;
}

TEST_F(ProfileWindow, AFittedLineIsPaintedAtItsElevationsAndGoneWhenTakenAway)
{
    frmProfile& profile = OpenRidgeRoad();
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

// The band outline that stands for a line of the scene when painted.
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
