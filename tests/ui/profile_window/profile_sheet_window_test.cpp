// The profile sheet in the window: labels painted where they were placed, the
// keyboard, the design speed's steps, the exaggeration, the caption's offset,
// the station style of the profile's unit and the exported sheet.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSvgRenderer>
#include <cmath>

#include "support/window_fixture.h"
#include "ui/profile_window/frm_profile_plot.h"

namespace ravo {
namespace {

using ProfileSheetWindow = WindowTest;

// Each label is painted inside the box placed for it (where the boxes go is
// the core's to check), at a size small enough that some labels give way; the
// mouse on a mark reads those.
TEST_F(ProfileSheetWindow, LabelsArePaintedInTheirBoxesAndDroppedOnesShowUnderTheMouse)
{
    ProfilePlot& plot = OpenRidgeRoad().Plot();
    plot.setFixedSize(420, 260);
    plot.Fit();
    plot.grab();  // paints
    const ProfileSheet& sheet = plot.Sheet();
    const std::vector<QRectF>& painted = plot.PaintedLabels();
    ASSERT_EQ(painted.size(), sheet.placement.placed.size());
    EXPECT_FALSE(painted.empty());
    for (std::size_t i = 0; i < painted.size(); ++i) {
        const auto& b = sheet.placement.placed[i].box;
        const QRectF box(ProfilePlot::LeftMargin + b.left, ProfilePlot::TopMargin + b.top,
                         b.right - b.left, b.bottom - b.top);
        EXPECT_TRUE(box.contains(painted[i])) << sheet.labels[sheet.placement.placed[i].label].text;
    }

    ASSERT_FALSE(sheet.placement.dropped.empty());
    const LabelRequest& dropped = sheet.labels[sheet.placement.dropped.front()];
    const QPoint mark(ProfilePlot::LeftMargin + int(std::lround(dropped.anchor.x)),
                      ProfilePlot::TopMargin + int(std::lround(dropped.anchor.y)));
    QTest::mouseMove(&plot, mark + QPoint(1, 0));
    QTest::mouseMove(&plot, mark);
    EXPECT_TRUE(plot.toolTip().contains(QString::fromStdString(dropped.text))) << dropped.text;
}

TEST_F(ProfileSheetWindow, UsableWithoutAMouse)
{
    frmProfile* profile = &OpenRidgeRoad();
    ProfilePlot& plot = profile->Plot();
    EXPECT_EQ(profile->focusWidget(), &plot);
    // Shown again where it fits, it stays; grown beyond its screen and moved
    // off it, it is shown no larger than the screen, and wholly on it.
    const QRect room = profile->screen()->availableGeometry();
    const QRect fits(room.topLeft() + QPoint(10, 10), room.size() * 3 / 4);
    profile->hide();
    profile->setGeometry(fits);
    profile->show();
    EXPECT_EQ(profile->geometry(), fits);
    profile->hide();
    profile->setGeometry(QRect(room.bottomRight() - QPoint(50, 50), QSize(4000, 3000)));
    profile->show();
    EXPECT_TRUE(room.contains(profile->frameGeometry())) << room.width() << "x" << room.height();

    // Arrows pan, + and - zoom about the pointer, Home and F fit.
    const ProfileView whole = plot.View();
    const double span = whole.lastStation - whole.firstStation;
    QTest::keyClick(&plot, Qt::Key_Right);
    EXPECT_NEAR(plot.View().firstStation, whole.firstStation + span / 10, 1e-6);
    QTest::keyClick(&plot, Qt::Key_Left);
    EXPECT_NEAR(plot.View().firstStation, whole.firstStation, 1e-6);
    QTest::keyClick(&plot, Qt::Key_Right,
                    Qt::ShiftModifier);  // the pointer, 10 px right of the middle
    const double pointer = plot.View().plotWidth / 2.0 + 10;
    const double station = StationAtX(plot.View(), pointer);
    QTest::keyClick(&plot, Qt::Key_Plus);
    EXPECT_NEAR(plot.View().lastStation - plot.View().firstStation, span / 1.25, 1e-6);
    EXPECT_NEAR(StationAtX(plot.View(), pointer), station, 1e-6);
    QTest::keyClick(&plot, Qt::Key_Minus);
    QTest::keyClick(&plot, Qt::Key_Minus);
    EXPECT_NEAR(plot.View().lastStation - plot.View().firstStation, span * 1.25, 1e-6);
    for (const Qt::Key fit : {Qt::Key_Home, Qt::Key_F}) {
        QTest::keyClick(&plot, Qt::Key_Plus);
        QTest::keyClick(&plot, fit);
        EXPECT_EQ(plot.View().firstStation, whole.firstStation);
    }

    // Enter sets the station at the pointer; a double-click fits and leaves it.
    QTest::keyClick(&plot, Qt::Key_Return);
    const QString picked = Text("txtStation");
    EXPECT_EQ(picked.toStdString(), StationTextAtX(plot.View(), pointer));
    QTest::keyClick(&plot, Qt::Key_Plus);
    const QPoint at(ProfilePlot::LeftMargin + 40, ProfilePlot::TopMargin + 30);
    QTest::mouseDClick(&plot, Qt::LeftButton, {}, at);
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    EXPECT_EQ(Text("txtStation"), picked);
    EXPECT_EQ(plot.View().firstStation, whole.firstStation);

    // Escape and Ctrl+W close; View > Profile opens the same window again.
    for (const QKeyCombination close :
         {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::ControlModifier, Qt::Key_W)}) {
        profile->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(profile));
        QTest::keyClick(&plot, close.key(), close.keyboardModifiers());
        EXPECT_FALSE(profile->isVisible());
        EXPECT_EQ(OpenProfile(), profile);
        EXPECT_TRUE(profile->isVisible());
    }
}

TEST_F(ProfileSheetWindow, SpeedExaggerationCaptionAndStations)
{
    frmProfile* profile = &OpenRidgeRoad();
    ProfilePlot& plot = profile->Plot();

    // Up steps through listed design speeds only; Down from the lowest is off.
    auto* speed = profile->findChild<QSpinBox*>("spnDesignSpeed");
    const std::vector<std::pair<Qt::Key, int>> steps = {
        {Qt::Key_Up, 30}, {Qt::Key_Up, 40}, {Qt::Key_Down, 30}, {Qt::Key_Down, 0}};
    for (const auto& [key, expected] : steps) {
        QTest::keyClick(speed, key);
        EXPECT_EQ(speed->value(), expected);
    }
    QTest::keyClick(speed, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(speed, "85");
    EXPECT_EQ(speed->value(), 85);  // typed: taken as it is

    // A chosen exaggeration, and the automatic one, stay put while panning.
    auto* exaggeration = profile->findChild<QComboBox*>("cboExaggeration");
    exaggeration->setCurrentText("50:1");
    EXPECT_EQ(plot.Scene().exaggeration, 50);
    exaggeration->setCurrentIndex(0);
    const double automatic = plot.Scene().exaggeration;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(&plot, Qt::Key_Plus);
        QTest::keyClick(&plot, Qt::Key_Right);
        EXPECT_EQ(plot.Scene().exaggeration, automatic);
    }

    // The caption names a non-zero offset; metres station by the kilometre.
    TypeOver("txtStation", "1150");
    TypeOver("txtOffset", "-12.5");
    EXPECT_EQ(plot.CurrentCursor()->caption,
              "Station 1150.000  Elevation 259.063 at offset -12.500");
    profile->findChild<QCheckBox*>("chkPlusNotation")->setChecked(true);
    EXPECT_EQ(plot.CurrentCursor()->caption.substr(0, 17), "Station 1+150.000");
    profile->SetProfileUnit(LengthUnit::Foot);
    EXPECT_EQ(plot.CurrentCursor()->caption.substr(0, 17), "Station 11+50.000");
    EXPECT_EQ(plot.AxisUnit(), "ft");
}

TEST_F(ProfileSheetWindow, ExportsASheetOrSaysWhyNot)
{
    frmProfile* profile = &OpenRidgeRoad();
    // The file, then the size from the list: 0 is 1200 x 700 pixels, 3 A4 landscape.
    const std::pair<QString, int> exports[] = {{folder.filePath("ridge.png"), 0},
                                               {folder.filePath("ridge.svg"), 0},
                                               {folder.filePath("ridge.pdf"), 3},
                                               {folder.filePath("ridge-a4.png"), 3},
                                               {folder.filePath("none/x.pdf"), 3}};
    for (const auto& [path, size] : exports) {
        platform.files.push_back(FileChoice{path, path});
        platform.chosenItems.push_back(size);
        profile->findChild<QPushButton*>("cmdExport")->click();
    }
    EXPECT_EQ(QImage(exports[0].first).size(), QSize(1200, 700));
    EXPECT_TRUE(QSvgRenderer(exports[1].first).isValid());
    QFile pdf(exports[2].first);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
    EXPECT_EQ(QImage(exports[3].first).size(), QSize(1755, 1239));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Unable to export the profile");
    EXPECT_GT(platform.messages[0].detail.size(), exports[4].first.size() + 5);
    // A cancelled size exports nothing.
    platform.files.push_back(FileChoice{folder.filePath("c.png"), "c.png"});
    profile->findChild<QPushButton*>("cmdExport")->click();
    EXPECT_FALSE(QFile::exists(folder.filePath("c.png")));
}

}  // namespace
}  // namespace ravo
