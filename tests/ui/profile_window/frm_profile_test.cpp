// The profile window: it follows the profile and the station box, and clicks,
// zooms, pans and exports as a user asks.
#include "ui/profile_window/frm_profile.h"

#include <QCheckBox>
#include <QImage>
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

    // A stored field redraws; a reset empties; the window is hidden and reused.
    const double top = plot.Scene().grade.valueAtTop;
    TypeOver("txtE1", QStringLiteral("400"));
    EXPECT_GT(plot.Scene().grade.valueAtTop, top + 50);
    Item("mnuResetAll")->trigger();
    EXPECT_TRUE(plot.Scene().grade.lines.empty());
    profile->close();
    EXPECT_EQ(OpenProfile(), profile);
}

}  // namespace
}  // namespace ravo
