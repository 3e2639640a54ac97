// The main window's boxes show their whole text, and a count typed by mistake
// after a load, a reset or a load itself can be stepped back.
#include <QMenu>

#include "support/window_fixture.h"
#include "ui/widgets/whole_text.h"

namespace ravo {
namespace {

using MainWindowBoxes = WindowTest;

// Run once more at QT_SCALE_FACTOR 1.5 and 2 (tests/ui/CMakeLists.txt).
TEST_F(MainWindowBoxes, TheWidestValuesShowWhole)
{
    TypeWorkedExample();
    // The counts last: their rows of zeros would fail a calculation at station 0.
    const std::vector<std::pair<const char*, QString>> widest = {
        {"txtStation", QStringLiteral("-9999999.999")},
        {"txtOffset", QStringLiteral("-12.500")},
        {"txtOffset", QStringLiteral("-999.999")},
        {"txtE1", QStringLiteral("-9999999.999")},
        {"txtG1", QStringLiteral("-.1234567")},
        {"txtG2", QStringLiteral("-.1234567")},
        {"txtSta1", QStringLiteral("-9999999.999")},
        {"txtSta2", QStringLiteral("-9999999.999")},
        {"txtS1", QStringLiteral("-.1234567")},
        {"txtSG1", QStringLiteral("-.1234567")},
        {"txtSG2", QStringLiteral("-.1234567")},
        {"txtSSta1", QStringLiteral("-9999999.999")},
        {"txtSSta2", QStringLiteral("-9999999.999")},
        {"txtNVC", QStringLiteral("1000000")},
        {"txtNSUP", QStringLiteral("1000000")}};
    for (const auto& [name, text] : widest) {
        TypeOver(name, text);
        EXPECT_EQ(Text(name).trimmed(), text) << name;  // a new count shows with a blank
        EXPECT_TRUE(ShowsWholeText(*Box(name))) << name << " " << text.toStdString();
    }
    // Back to a narrow text: the fitted font again, not the shrunken one.
    const int shrunk = Box("txtOffset")->font().pixelSize();
    TypeOver("txtOffset", QStringLiteral("0"));
    EXPECT_GE(Box("txtOffset")->font().pixelSize(), shrunk);

    // Elevations from -99999.999 to 999999.999 fit; one from an offset of
    // 1e30 cannot, and shows its start, and the whole of it as the tooltip.
    // The counts typed above left rows of zeros: the segment is typed again.
    TypeOver("txtNSUP", QStringLiteral("1"));
    TypeRow({"txtS1", "txtSG1", "txtSG2", "txtSSta1", "txtSSta2"},
            {"-0.02", ".0004", ".0004", "1000", "1100"});
    TypeOver("txtStation", QStringLiteral("1025"));  // superelevation -0.01, no curve
    for (const char* offset : {"9999999", "-90000000"}) {
        TypeOver("txtOffset", QLatin1String(offset));
        EXPECT_TRUE(ShowsWholeText(*Box("txtElevation"))) << Text("txtElevation").toStdString();
    }
    TypeOver("txtOffset", QStringLiteral("1e30"));
    QLineEdit* elevation = Box("txtElevation");
    ASSERT_GT(elevation->text().size(), 30);
    EXPECT_EQ(elevation->toolTip(), elevation->text());
    EXPECT_EQ(elevation->cursorPosition(), 0);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(MainWindowBoxes, ALoadLeavesTheCountBoxAndEveryRecreationCanBeSteppedBack)
{
    TypeWorkedExample();
    const ProfileState typed = state;
    Box("txtNVC")->setFocus();
    Choose("mnuLoad", RAVO_EXAMPLES_DIR "/ridge-road.in");
    ASSERT_EQ(state.NumVC, 13);
    EXPECT_NE(QApplication::focusWidget(), Box("txtNVC"));
    const ProfileState loaded = state;
    auto sameTables = [this](const ProfileState& expected) {
        return state.NumVC == expected.NumVC && state.NumSup == expected.NumSup &&
               state.VcElevation1 == expected.VcElevation1 && state.VcSta2 == expected.VcSta2 &&
               state.SupSuper1 == expected.SupSuper1 && state.OutputTitle == expected.OutputTitle;
    };

    // A count typed digit by digit re-creates the tables at each digit; Ctrl+Z
    // in any box brings back the loaded rows, shown at row 1.
    TypeOver("txtNVC", QStringLiteral("25"));
    ASSERT_EQ(state.NumVC, 25);
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(sameTables(loaded));
    EXPECT_EQ(Text("txtNVC"), QStringLiteral("13"));
    EXPECT_EQ(Text("txtE1").trimmed(), QStringLiteral("250"));

    // A reset from the menu, and the last item of that menu takes it back.
    Item("mnuResetAll")->trigger();
    ASSERT_EQ(state.NumVC, 0);
    const QList<QAction*> reset = window->findChild<QMenu*>("mnuReset")->actions();
    ASSERT_EQ(reset.size(), 4);
    EXPECT_EQ(reset.back()->text(), QStringLiteral("&Undo"));
    reset.back()->trigger();
    EXPECT_TRUE(sameTables(loaded));

    // Stored fields count: a count typed after them keeps them for the step back.
    TypeOver("txtE1", QStringLiteral("300"));
    const ProfileState edited = state;
    TypeOver("txtNVC", QStringLiteral("2"));
    Item("mnuUndo")->trigger();
    EXPECT_TRUE(sameTables(edited));
    // A second step back returns to what the first one replaced.
    Item("mnuUndo")->trigger();
    EXPECT_EQ(state.NumVC, 2);

    // The load itself: the rows typed before it come back.
    Item("mnuUndo")->trigger();
    Choose("mnuLoad", RAVO_EXAMPLES_DIR "/ridge-road.in");
    Item("mnuUndo")->trigger();
    EXPECT_TRUE(sameTables(edited));
    EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
}  // namespace ravo
