#include <QApplication>

#include "window_fixture.h"

namespace ravo {
namespace {

using ElevationPanel = WindowTest;

TEST_F(ElevationPanel, AProfileTypedByHandGivesTheWorkedExampleAtEveryOffset)
{
    TypeWorkedExample();
    const std::vector<std::pair<QString, QString>> cases = {
        {"1250", "0.000"}, {"1100", "101.490"}, {"1150", "101.313"}, {"1000", "99.760"}};
    for (const auto& [station, elevation] : cases) {
        TypeOver("txtStation", station);
        EXPECT_EQ(Text("txtElevation"), elevation) << station.toStdString();
    }
    EXPECT_TRUE(platform.messages.empty());

    // The offset box calculates on every key release.
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

TEST_F(ElevationPanel, EveryKeystrokeInTheStationBoxCalculates)
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

    const std::vector<std::pair<QString, QString>> texts = {
        {"-", "0.000"}, {"1e1", "10.000"}, {"1 5", "15.000"}, {"12abc", "12.000"}};
    for (const auto& [text, elevation] : texts) {
        TypeOver("txtStation", text);
        EXPECT_EQ(Text("txtElevation"), elevation) << text.toStdString();
    }
}

// A freshly typed count leaves zero-length rows at station 0, where the
// calculation fails.
TEST_F(ElevationPanel, FailureInTheStationBoxShowsInvalidEntryTwiceAtMost)
{
    TypeOver("txtNVC", "1");
    TypeOver("txtStation", "5");
    ASSERT_EQ(Text("txtElevation"), "0.000");
    TypeOver("txtStation", "0");
    // "0" fails; emptying the box calculates at 0 again and fails again
    EXPECT_EQ(platform.MessageTexts(), QStringList({"Invalid Entry", "Invalid Entry"}));
    EXPECT_EQ(platform.messages.front().title, "Ravo");
    EXPECT_EQ(platform.messages.front().icon, MessageIcon::None);
    EXPECT_EQ(Text("txtStation"), "");
    EXPECT_EQ(Text("txtElevation"), "0.000");  // keeps the text of the last good run
    EXPECT_EQ(state.CalcStation, 0);

    // A text beginning with a point fails quietly.
    platform.messages.clear();
    TypeRow({"txtE1", "txtG1", "txtG2", "txtSta1", "txtSta2"}, {"1", "0", "0", ".5", ".5"});
    TypeOver("txtStation", ".5");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Text("txtStation"), ".5");

    TypeOver("txtStation", "1e39");  // beyond the float range
    EXPECT_EQ(platform.MessageTexts(), QStringList({"Invalid Entry"}));
    EXPECT_EQ(Text("txtStation"), "");
}

TEST_F(ElevationPanel, FailureInTheOffsetBoxEmptiesItAndTheOffsetInUse)
{
    TypeWorkedExample();
    TypeOver("txtStation", "1000");
    TypeOver("txtOffset", "1e39");
    EXPECT_EQ(platform.MessageTexts(), QStringList({"Invalid Entry"}));
    EXPECT_EQ(Text("txtOffset"), "");
    EXPECT_EQ(state.CalcOffset, 0);
    TypeOver("txtStation", "1100");
    EXPECT_EQ(Text("txtElevation"), "101.250");  // with the offset the box shows: none

    platform.messages.clear();
    TypeOver("txtOffset", ".5e39");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Text("txtOffset"), ".5e39");
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
    EXPECT_EQ(Text("txtElevation"), "99.760");

    QTest::mouseDClick(Box("txtElevation"), Qt::LeftButton);
    EXPECT_GE(platform.beeps, 2);
    EXPECT_EQ(platform.messages.back().text, "Elevations are calculated -- not specified");
    QTest::keyClicks(Box("txtElevation"), "5");
    EXPECT_EQ(Text("txtElevation"), "99.760");
}

}  // namespace
}  // namespace ravo
