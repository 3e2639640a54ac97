// The main window's boxes: the count boxes, the field boxes of the shown row
// and the buttons that step between rows; the elevation panel, where a station
// or an offset gives the elevation at once; every box showing its whole text;
// and a count typed by mistake after a load, a reset or a load itself stepped back.
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
    // Elevations from -99999.999 to 999999.999 fit; one from an offset of
    // 1e30 cannot, and shows its start, and the whole of it as the tooltip.
    TypeOver("txtStation", "1025");  // superelevation -0.01
    for (const char* offset : {"9999999", "-90000000"}) {
        TypeOver("txtOffset", QLatin1String(offset));
        EXPECT_TRUE(ShowsWholeText(*Box("txtElevation"))) << Text("txtElevation").toStdString();
    }
    TypeOver("txtOffset", "1e30");
    QLineEdit* elevation = Box("txtElevation");
    ASSERT_GT(elevation->text().size(), 30);
    EXPECT_EQ(elevation->toolTip(), elevation->text());
    EXPECT_EQ(elevation->cursorPosition(), 0);

    // A field box of each frame (all are alike); the counts last, since their
    // rows of zeros would fail a calculation at station 0.
    const std::vector<std::pair<const char*, QString>> widest = {
        {"txtStation", "-9999999.999"}, {"txtOffset", "-999.999"}, {"txtE1", "-9999999.999"},
        {"txtSSta2", "-9999999.999"},   {"txtNVC", "1000000"},     {"txtNSUP", "1000000"}};
    for (const auto& [name, text] : widest) {
        TypeOver(name, text);
        QLineEdit* box = Box(name);
        EXPECT_EQ(box->text().trimmed(), text) << name;  // a new count shows with a blank
        EXPECT_TRUE(ShowsWholeText(*box)) << name << " " << text.toStdString();
        // As Qt lays the box out: the cursor at the end of the text, not scrolled.
        const int end = box->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        EXPECT_GE(end, box->fontMetrics().horizontalAdvance(box->text())) << name;
        EXPECT_LT(end, box->width()) << name;
    }
    // Back to a narrow text: the fitted font again, not the shrunken one.
    const int shrunk = Box("txtOffset")->font().pixelSize();
    TypeOver("txtOffset", "0");
    EXPECT_GE(Box("txtOffset")->font().pixelSize(), shrunk);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(MainWindowBoxes, ALoadLeavesTheCountBoxAndEveryRecreationCanBeSteppedBack)
{
    TypeWorkedExample();
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
    TypeOver("txtNVC", "25");
    ASSERT_EQ(state.NumVC, 25);
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(sameTables(loaded));
    EXPECT_EQ(Text("txtNVC"), "13");
    EXPECT_EQ(Text("txtE1").trimmed(), "250");

    // A reset from the menu, and the last item of that menu takes it back.
    Item("mnuResetAll")->trigger();
    ASSERT_EQ(state.NumVC, 0);
    const QList<QAction*> reset = window->findChild<QMenu*>("mnuReset")->actions();
    ASSERT_EQ(reset.size(), 4);
    EXPECT_EQ(reset.back()->text(), "&Undo");
    reset.back()->trigger();
    EXPECT_TRUE(sameTables(loaded));

    // Stored fields count: a count typed after them keeps them for the step back.
    TypeOver("txtE1", "300");
    const ProfileState edited = state;
    TypeOver("txtNVC", "2");
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

using SegmentEditor = WindowTest;

TEST_F(SegmentEditor, FieldBoxesStoreIntoTheShownRowAndTheButtonsStep)
{
    TypeOver("txtNSUP", "3");
    TypeRow({"txtS1", "txtSG1", "txtSG2", "txtSSta1", "txtSSta2"},
            {"12.5 m", "-", "1/3", "abc", "1e3"});
    EXPECT_EQ(*RowOf(state, SegmentKind::Superelevation, 1), (SegmentRow{12.5f, 0, 1, 0, 1000}));

    Click("SScmdNextSup");
    EXPECT_EQ(Frame("fraSuper")->title(), "SUPERELEVATION SEGMENT NO. 2");
    EXPECT_EQ(Text("txtS1"), " 0");  // a fresh row shows its zeros
    Click("SScmdNextSup");
    Click("SScmdNextSup");  // at the last row: nothing
    EXPECT_EQ(state.IdxSup, 3);
    for (int i = 0; i < 3; ++i)
        Click("SScmdPrevSup");  // the third, at row 1: nothing
    EXPECT_EQ(state.IdxSup, 1);
    EXPECT_EQ(Frame("fraSuper")->title(), "SUPERELEVATION SEGMENT NO. 1");
    EXPECT_EQ(Texts({"txtS1", "txtSSta2"}), QStringList({" 12.5", " 1000"}));
}

// A typed count, its halves rounded to even, sizes the tables and opens row 1;
// only a changed count within the limit starts the rows afresh.
TEST_F(SegmentEditor, OnlyAChangedCountWithinTheLimitStartsTheRowsAfresh)
{
    // A negative or unreadable count is 0, however large.
    const std::vector<std::pair<const char*, std::int32_t>> cases = {
        {"3", 3}, {"2.5", 2}, {"3.5", 4}, {"x", 0}, {"-2", 0}, {"-1e400", 0}, {"2", 2}};
    for (const auto& [typed, count] : cases) {
        Paste("txtNVC", QLatin1String(typed));
        Box("txtNSUP")->setFocus();  // leaving the box shows the count in effect
        EXPECT_EQ(Text("txtNVC"), " " + QString::number(count)) << typed;
        EXPECT_EQ(Frame("fraVCurve")->isEnabled(), count > 0) << typed;
    }
    Click("SScmdNextVC");
    TypeOver("txtE1", "250");
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Left, Qt::Key_Shift})
        QTest::keyClick(Box("txtNVC"), key);
    TypeOver("txtNVC", "2");  // the same number typed again
    for (const char* typed : {"1000001", "1e400"})
        Paste("txtNVC", QLatin1String(typed));
    EXPECT_EQ(platform.MessageTexts(),
              QStringList(2, "The number of vertical curves cannot be more than 1000000."));
    EXPECT_EQ(Text("txtNVC"), " 2");
    EXPECT_EQ(Text("txtE1"), "250");  // still row 2

    Paste("txtE1", "1e39");
    EXPECT_EQ(platform.messages.back().text, "Invalid Entry");
    EXPECT_EQ(state.VcElevation1.at(2), 250);
    EXPECT_EQ(Text("txtE1"), " 250");  // what the row holds, so that the next key asks nothing

    TypeOver("txtNVC", "3");
    EXPECT_EQ(state.VcElevation1, std::vector<float>(4, 0.0f));
    EXPECT_EQ(Frame("fraVCurve")->title(), "VERTICAL CURVE NO. 1");
    EXPECT_EQ(Text("txtE1"), "");
}

using ElevationPanel = WindowTest;

TEST_F(ElevationPanel, TheOffsetCalculatesOnKeyReleaseAndTheElevationRefusesEdits)
{
    TypeWorkedExample();
    TypeOver("txtStation", "1000");
    TypeOver("txtOffset", "0");
    EXPECT_EQ(Text("txtElevation"), "100.000");
    Box("txtOffset")->setText("12");  // set by the program: no key, no calculation
    EXPECT_EQ(Text("txtElevation"), "100.000");
    QTest::keyClick(Box("txtOffset"), Qt::Key_Shift);
    EXPECT_EQ(Text("txtElevation"), "99.760");
    // While a key is held down, its auto-repeated releases do not count.
    QTest::keyPress(Box("txtOffset"), Qt::Key_Right);
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
    Box("txtOffset")->setText("0");
    QApplication::sendEvent(Box("txtOffset"), &repeat);
    EXPECT_EQ(Text("txtElevation"), "99.760");

    QTest::mouseClick(Box("txtElevation"), Qt::LeftButton);
    EXPECT_EQ(platform.MessageTexts(), QStringList({"Elevations are calculated -- not specified"}));
    EXPECT_EQ(QApplication::focusWidget(), Box("txtStation"));
    const QPointF inside(5, 5);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, inside,
                            Box("txtElevation")->mapToGlobal(inside), Qt::LeftButton,
                            Qt::LeftButton, {});
    QApplication::sendEvent(Box("txtElevation"), &doubleClick);
    EXPECT_EQ(platform.MessageTexts(),
              QStringList(2, "Elevations are calculated -- not specified"));
    EXPECT_EQ(platform.beeps, 2);
    QTest::keyClicks(Box("txtElevation"), "5");
    EXPECT_EQ(Text("txtElevation"), "99.760");
}

// A freshly typed count leaves a zero-length row at station 0, where the
// calculation fails.
TEST_F(ElevationPanel, AFailureSaysInvalidEntryTwiceAtMostAndEmptiesTheBox)
{
    TypeOver("txtNVC", "1");
    TypeOver("txtStation", "5");
    TypeOver("txtStation", "0");
    // "0" fails; emptying the box calculates at 0 again and fails again
    EXPECT_EQ(platform.MessageTexts(), QStringList({"Invalid Entry", "Invalid Entry"}));
    EXPECT_EQ(Text("txtStation"), "");
    EXPECT_EQ(Text("txtElevation"), "0.000");  // keeps the text of the last good run

    // The offset box is emptied, and the offset in use with it.
    platform.messages.clear();
    Box("txtOffset")->selectAll();
    QTest::keyClicks(Box("txtOffset"), "5");
    EXPECT_EQ(platform.Last(), "Ravo: Invalid Entry");
    EXPECT_EQ(Text("txtOffset"), "");
    EXPECT_EQ(state.CalcOffset, 0);
    // The Enter that closed the message box is released in the box: no second message.
    QTest::keyRelease(Box("txtOffset"), Qt::Key_Return);
    EXPECT_EQ(platform.messages.size(), 1u);

    // A text beginning with a point, a fraction being typed, fails quietly.
    platform.messages.clear();
    TypeOver("txtStation", ".");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Text("txtStation"), ".");
}

}  // namespace
}  // namespace ravo
