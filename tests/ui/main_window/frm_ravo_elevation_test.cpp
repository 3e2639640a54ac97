// The elevation panel: a station or an offset gives the elevation at once.
#include "support/window_fixture.h"

namespace ravo {
namespace {

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
