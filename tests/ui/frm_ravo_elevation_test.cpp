// The elevation panel: when the station and offset boxes calculate, and what a
// failed calculation or a click on the elevation says.
#include <QApplication>

#include "window_fixture.h"

namespace ravo {
namespace {

using ElevationPanel = WindowTest;

TEST_F(ElevationPanel, EveryChangeOfTheStationCalculates)
{
    TypeOver("txtNVC", "1");
    TypeRow({"txtE1", "txtG1", "txtG2", "txtSta1", "txtSta2"}, {"0", "1", "1", "0", "100"});
    Box("txtStation")->setFocus();
    QStringList shown;
    for (QChar key : QStringLiteral("12.5")) {
        QTest::keyClicks(Box("txtStation"), QString(key));
        shown << Text("txtElevation");
    }
    // one calculation per change of the text: stations 1, 12, 12 and 12.5
    EXPECT_EQ(shown, QStringList({"1.000", "12.000", "12.000", "12.500"}));
    EXPECT_EQ(state.CalcStation, 12.5f);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ElevationPanel, EveryKeyReleasedInTheOffsetBoxCalculates)
{
    TypeWorkedExample();
    TypeOver("txtStation", "1000");
    EXPECT_EQ(Text("txtElevation"), "99.760");
    TypeOver("txtOffset", "0");
    EXPECT_EQ(Text("txtElevation"), "100.000");
    Box("txtOffset")->setText("12");  // set by the program: no key, no calculation
    EXPECT_EQ(Text("txtElevation"), "100.000");
    QTest::keyClick(Box("txtOffset"), Qt::Key_Shift);
    EXPECT_EQ(Text("txtElevation"), "99.760");
    // auto-repeat releases do not count
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
    Box("txtOffset")->setText("0");
    QApplication::sendEvent(Box("txtOffset"), &repeat);
    EXPECT_EQ(Text("txtElevation"), "99.760");
}

// A freshly typed count leaves a zero-length row at station 0, where the
// calculation fails.
TEST_F(ElevationPanel, AFailureSaysInvalidEntryTwiceAtMostAndEmptiesTheBox)
{
    TypeOver("txtNVC", "1");
    TypeOver("txtStation", "5");
    ASSERT_EQ(Text("txtElevation"), "0.000");
    TypeOver("txtStation", "0");
    // "0" fails; emptying the box calculates at 0 again and fails again
    EXPECT_EQ(platform.MessageTexts(), QStringList({"Invalid Entry", "Invalid Entry"}));
    EXPECT_EQ(platform.messages.front().title, "Ravo");
    EXPECT_EQ(Text("txtStation"), "");
    EXPECT_EQ(Text("txtElevation"), "0.000");  // keeps the text of the last good run

    // The offset box is emptied, and the offset in use with it.
    platform.messages.clear();
    Box("txtOffset")->selectAll();
    QTest::keyClicks(Box("txtOffset"), "5");
    EXPECT_EQ(platform.MessageTexts(), QStringList({"Invalid Entry"}));
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

TEST_F(ElevationPanel, ClickingTheElevationRefusesToEditIt)
{
    TypeWorkedExample();
    TypeOver("txtStation", "1000");
    Box("txtOffset")->setFocus();
    QTest::mouseClick(Box("txtElevation"), Qt::LeftButton);
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(platform.MessageTexts(), QStringList({"Elevations are calculated -- not specified"}));
    EXPECT_EQ(QApplication::focusWidget(), Box("txtStation"));

    QTest::mouseDClick(Box("txtElevation"), Qt::LeftButton);
    EXPECT_GE(platform.beeps, 2);
    EXPECT_EQ(platform.messages.back().text, "Elevations are calculated -- not specified");
    QTest::keyClicks(Box("txtElevation"), "5");
    EXPECT_EQ(Text("txtElevation"), "99.760");
}

}  // namespace
}  // namespace ravo
