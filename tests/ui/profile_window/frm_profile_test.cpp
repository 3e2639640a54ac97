// The profile window: it follows the profile, every change of its rows and the
// station box; it clicks, zooms, pans and exports as a user asks, and paints a
// fitted grade line dashed on the design's elevation scale.
#include "ui/profile_window/frm_profile.h"

#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSvgRenderer>
#include <QWheelEvent>
#include <cmath>

#include "support/window_fixture.h"
#include "ui/profile_window/frm_profile_plot.h"

namespace ravo {
namespace {

using ProfileWindow = WindowTest;

TEST_F(ProfileWindow, FollowsTheProfileAndTheStationBoth)
{
    frmProfile* profile = OpenProfile();
    ASSERT_TRUE(profile && profile->isVisible());
    ProfilePlot& plot = profile->Plot();
    Choose("mnuLoad", RAVO_EXAMPLES_DIR "/ridge-road.in");
    EXPECT_EQ(plot.View().firstStation, -90);  // fitted: 0..4500 and a margin of 2 %

    // The cursor follows a typed station; a click puts its station into the box.
    TypeOver("txtStation", QStringLiteral("1150"));
    EXPECT_EQ(plot.CurrentCursor()->caption, "Station 1150.000  Elevation 258.813");
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
    profile->findChild<QCheckBox*>(QStringLiteral("chkPlusNotation"))->setChecked(true);
    EXPECT_NE(plot.Scene().stationTicks.front().label.find('+'), std::string::npos);

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

    // An export as PNG or SVG (a refused export is the sheet test's).
    const QString png = folder.filePath("ridge.png");
    const QString svg = folder.filePath("ridge.svg");
    for (const QString& path : {png, svg}) {
        platform.files.push_back(FileChoice{path, path});
        platform.chosenItems.push_back(0);  // 1200 x 700 pixels
        profile->findChild<QPushButton*>("cmdExport")->click();
    }
    EXPECT_EQ(QImage(png).size(), QSize(1200, 700));
    EXPECT_TRUE(QSvgRenderer(svg).isValid());
}

// What the shown window draws after every change of the rows is what an index
// made afresh from the same rows gives.
void ExpectDrawnAfresh(ProfilePlot& plot, const ProfileState& state, const std::string& step)
{
    const ProfileScene shown = plot.Scene();
    const ProfileScene fresh = BuildScene(ProfileViewIndex(state), plot.View());
    for (const auto& [a, b] :
         {std::pair(&shown.grade, &fresh.grade), std::pair(&shown.super, &fresh.super)}) {
        ASSERT_EQ(a->lines.size(), b->lines.size()) << step;
        for (std::size_t i = 0; i < a->lines.size(); ++i) {
            ASSERT_EQ(a->lines[i].points.size(), b->lines[i].points.size()) << step;
            for (std::size_t j = 0; j < a->lines[i].points.size(); ++j)
                EXPECT_NEAR(a->lines[i].points[j].y, b->lines[i].points[j].y, 1e-6) << step;
        }
    }
    EXPECT_EQ(shown.marks.size(), fresh.marks.size()) << step;
}

TEST_F(ProfileWindow, EveryStoredFieldCountResetAndUndoIsDrawn)
{
    ProfilePlot& plot = OpenRidgeRoad().Plot();
    ExpectDrawnAfresh(plot, state, "loaded");
    struct Step {
        const char* box;
        const char* text;
    };
    // A value and the stations of a curve, a segment's station, then counts.
    const Step steps[] = {{"txtE1", "275"},     {"txtSta2", "950"}, {"txtSta1", "-100"},
                          {"txtSSta2", "3000"}, {"txtNSUP", "2"},   {"txtS1", "0.04"},
                          {"txtNVC", "1"}};
    for (const Step& step : steps) {
        TypeOver(step.box, QLatin1String(step.text));
        ExpectDrawnAfresh(plot, state, std::string(step.box) + " " + step.text);
    }
    Item("mnuUndo")->trigger();
    ExpectDrawnAfresh(plot, state, "undo");
    Item("mnuResetSuper")->trigger();
    ExpectDrawnAfresh(plot, state, "reset");
}

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

}  // namespace
}  // namespace ravo
