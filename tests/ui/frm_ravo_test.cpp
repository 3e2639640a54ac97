#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "window_fixture.h"

namespace ravo {
namespace {

using StartUp = WindowTest;

TEST_F(StartUp, ShowsTheEmptyProfile)
{
    EXPECT_EQ(window->windowTitle(), "Elevation Calculation");
    EXPECT_EQ(Text("txtNVC"), " 0");
    EXPECT_EQ(Text("txtNSUP"), " 0");
    EXPECT_EQ(Text("txtStation"), "");
    EXPECT_EQ(Text("txtOffset"), "0");
    EXPECT_EQ(Text("txtElevation"), "");
    EXPECT_EQ(Frame("fraVCurve")->title(), "VERTICAL CURVES");
    EXPECT_EQ(Frame("fraSuper")->title(), "SUPERELEVATION SEGMENTS");
    EXPECT_FALSE(Frame("fraVCurve")->isEnabled());
    EXPECT_FALSE(Frame("fraSuper")->isEnabled());
    EXPECT_EQ(Panel(1), "No input file specified");
    EXPECT_EQ(Panel(2), "No output file specified");
    EXPECT_EQ(Panel(3), "Elevation logging is off");
    EXPECT_EQ(QApplication::focusWidget(), Box("txtNVC"));
    for (QAction* item : window->findChildren<QAction*>()) {
        if (item->objectName().startsWith(QLatin1String("mnu"))) {
            EXPECT_EQ(item->isEnabled(), item->objectName() != "mnuVOut")
                << item->objectName().toStdString();
        }
    }
    EXPECT_TRUE(Box("txtElevation")->isReadOnly());

    EXPECT_FALSE(window->close());  // only File Exit closes the window
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(platform.beeps, 1);  // a refusal that is heard does not look like a hang
    Item("mnuExit")->trigger();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(StartUp, MenusAndTabOrderAreThoseOfTheLayout)
{
    QStringList captions;
    for (QAction* menu : window->menuBar()->actions())
        captions << menu->text();
    EXPECT_EQ(captions, QStringList({"&File", "&Reset", "&View", "&Print", "&Help"}));
    EXPECT_EQ(Item("mnuStartPrint")->text(), "St&art Printing Elevations");
    EXPECT_EQ(Item("mnuAbout")->text(), "&About Program RAVO");

    TypeWorkedExample();  // enables both frames, so that every box takes part
    const QStringList expected = {"txtNVC",      "txtNSUP",     "txtE1",        "txtG1",
                                  "txtG2",       "txtSta1",     "txtSta2",      "txtS1",
                                  "txtSG1",      "txtSG2",      "txtSSta1",     "txtSSta2",
                                  "txtStation",  "txtOffset",   "txtElevation", "SScmdNextElev",
                                  "SScmdNextVC", "SScmdPrevVC", "SScmdNextSup", "SScmdPrevSup"};
    QStringList order;
    QWidget* widget = Box("txtNVC");
    for (int i = 0; i < expected.size(); ++i) {
        order << widget->objectName();
        widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus || !widget->isEnabled())
            widget = widget->nextInFocusChain();
    }
    EXPECT_EQ(order, expected);
}

TEST_F(StartUp, ControlsStandWhereTheLayoutPutsThem)
{
    EXPECT_EQ(Box("txtStation")->geometry(), QRect(8, 48, 63, 19));  // widened for 7 digits
    EXPECT_EQ(Frame("fraSuper")->geometry(), QRect(240, 96, 217, 177));
    EXPECT_EQ(Button("SScmdNextSup")->geometry(), QRect(168, 144, 33, 25));
    EXPECT_EQ(window->centralWidget()->size(), QSize(467, 272));
    // Every caption fits its place in the chosen window font.
    for (const QLabel* label : window->centralWidget()->findChildren<QLabel*>())
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
            << label->objectName().toStdString();
}

TEST_F(StartUp, ResetMenuClearsTheEditorsAndResetAllTheRest)
{
    TypeWorkedExample();
    TypeOver("txtStation", "1000");
    state.OutputTitle = "Title";
    Item("mnuVOut")->setEnabled(true);
    Item("mnuPrintCS")->setEnabled(false);

    Item("mnuResetVcurves")->trigger();
    EXPECT_EQ(state.NumVC, 0);
    EXPECT_EQ(state.NumSup, 1);
    EXPECT_EQ(state.VcSta2.at(1), 1200);  // the rows stay, out of reach
    EXPECT_EQ(Text("txtNVC"), " 0");
    EXPECT_EQ(Frame("fraVCurve")->title(), "VERTICAL CURVES");
    EXPECT_TRUE(Frame("fraSuper")->isEnabled());
    EXPECT_FALSE(Item("mnuVOut")->isEnabled());
    EXPECT_TRUE(Item("mnuPrintCS")->isEnabled());

    Item("mnuResetAll")->trigger();
    EXPECT_EQ(state.NumSup, 0);
    EXPECT_EQ(Text("txtE1"), "");
    EXPECT_EQ(Text("txtS1"), "");
    EXPECT_FALSE(Frame("fraSuper")->isEnabled());
    EXPECT_EQ(state.OutputTitle, "Title");
    EXPECT_EQ(Text("txtStation"), "1000");
    EXPECT_EQ(Text("txtElevation"), "99.760");

    window->ResetAll();  // as before a load: the title and the offset in use too
    EXPECT_EQ(state.OutputTitle, "");
    EXPECT_EQ(Text("txtStation"), "");
    EXPECT_EQ(Text("txtOffset"), "0");
    EXPECT_EQ(Text("txtElevation"), "");
    EXPECT_EQ(state.CalcStation, 0);
    EXPECT_EQ(state.CalcOffset, 0);
}

}  // namespace
}  // namespace ravo
