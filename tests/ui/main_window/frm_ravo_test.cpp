// The main window as it starts: its boxes, menus, status panels, tab order and
// captions; and the Reset menu.
#include <QLabel>
#include <QMenuBar>

#include "support/window_fixture.h"

namespace ravo {
namespace {

using StartUp = WindowTest;

TEST_F(StartUp, ShowsTheEmptyProfileAndClosesOnlyThroughExit)
{
    EXPECT_EQ(window->windowTitle(), "Elevation Calculation");
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus, QStringList({"&File", "&Reset", "&View", "&Print", "&Help"}));
    EXPECT_EQ(Texts({"txtNVC", "txtNSUP", "txtStation", "txtOffset", "txtElevation"}),
              QStringList({" 0", " 0", "", "0", ""}));
    EXPECT_FALSE(Frame("fraVCurve")->isEnabled());
    EXPECT_FALSE(Frame("fraSuper")->isEnabled());
    EXPECT_EQ(QStringList({Panel(1), Panel(2), Panel(3)}),
              QStringList({"No input file specified", "No output file specified",
                           "Elevation logging is off"}));
    EXPECT_EQ(QApplication::focusWidget(), Box("txtNVC"));
    EXPECT_FALSE(Item("mnuVOut")->isEnabled());  // until there is a report to view

    EXPECT_FALSE(window->close());  // only File Exit closes the window
    EXPECT_EQ(platform.beeps, 1);   // a refusal that is heard does not look like a hang
    Item("mnuExit")->trigger();
    EXPECT_FALSE(window->isVisible());
}

// The tab order runs through the frames in reading order. Every caption fits
// its place in the chosen window font, and a long status text is shortened in
// the middle and whole in the tooltip.
TEST_F(StartUp, TabOrderAndWhatEveryControlShows)
{
    TypeWorkedExample();  // enables both frames, so that every box takes part
    const QStringList expected = {"txtNVC",      "txtNSUP",     "txtE1",        "txtG1",
                                  "txtG2",       "txtSta1",     "txtSta2",      "txtS1",
                                  "txtSG1",      "txtSG2",      "txtSSta1",     "txtSSta2",
                                  "txtStation",  "txtOffset",   "txtElevation", "SScmdNextElev",
                                  "SScmdNextVC", "SScmdPrevVC", "SScmdNextSup", "SScmdPrevSup"};
    Box("txtNVC")->setFocus();
    for (const QString& name : expected) {
        EXPECT_EQ(QApplication::focusWidget()->objectName(), name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }

    for (const QLabel* label : window->centralWidget()->findChildren<QLabel*>())
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
            << label->objectName().toStdString();

    const QString name = QStringLiteral("Input file = a very long name of a profile of a road.in");
    window->SetPanelText(1, name);
    auto* panel = window->findChild<QLabel*>(QStringLiteral("StatusBar1Panel1"));
    EXPECT_EQ(panel->toolTip(), name);
    EXPECT_TRUE(panel->text().contains(QChar(0x2026)) && panel->text().endsWith("road.in"));
}

TEST_F(StartUp, ResetMenuClearsTheEditorsAndKeepsTheRest)
{
    TypeWorkedExample();
    TypeOver("txtStation", "1000");
    Item("mnuVOut")->setEnabled(true);
    Item("mnuPrintCS")->setEnabled(false);

    Item("mnuResetVcurves")->trigger();
    EXPECT_EQ(Texts({"txtNVC", "txtE1"}), QStringList({" 0", ""}));
    EXPECT_EQ(Frame("fraVCurve")->title(), "VERTICAL CURVES");
    EXPECT_FALSE(Frame("fraVCurve")->isEnabled());
    EXPECT_TRUE(Frame("fraSuper")->isEnabled());
    EXPECT_FALSE(Item("mnuVOut")->isEnabled());
    EXPECT_TRUE(Item("mnuPrintCS")->isEnabled());

    Item("mnuResetAll")->trigger();
    EXPECT_EQ(Texts({"txtNSUP", "txtS1"}), QStringList({" 0", ""}));
    EXPECT_FALSE(Frame("fraSuper")->isEnabled());
    EXPECT_EQ(Texts({"txtStation", "txtElevation"}), QStringList({"1000", "99.760"}));
}

}  // namespace
}  // namespace ravo
