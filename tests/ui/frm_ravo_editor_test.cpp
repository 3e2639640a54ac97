#include "window_fixture.h"

namespace ravo {
namespace {

using SegmentEditor = WindowTest;

TEST_F(SegmentEditor, ATypedCountOpensRowOneAndSizesTheTables)
{
    struct Case {
        const char* typed;
        std::int32_t count;
        const char* shown;
        const char* caption;
    };
    const std::vector<Case> cases = {
        {"3", 3, " 3", "VERTICAL CURVE NO. 1"},       {"2.5", 2, " 2", "VERTICAL CURVE NO. 1"},
        {"3.5", 4, " 4", "VERTICAL CURVE NO. 1"},     {"x", 0, " 0", "VERTICAL CURVES"},
        {"-2", 0, " 0", "VERTICAL CURVES"},           {"1", 1, " 1", "VERTICAL CURVE NO. 1"},
        {"-99999999999", 0, " 0", "VERTICAL CURVES"}, {"-1e400", 0, " 0", "VERTICAL CURVES"},
    };
    for (const Case& c : cases) {
        Paste("txtNVC", QLatin1String(c.typed));
        Box("txtNSUP")->setFocus();  // leaving the box shows the count in effect
        EXPECT_EQ(state.NumVC, c.count) << c.typed;
        EXPECT_EQ(Text("txtNVC"), c.shown) << c.typed;
        EXPECT_EQ(Frame("fraVCurve")->title(), c.caption) << c.typed;
        EXPECT_EQ(Frame("fraVCurve")->isEnabled(), c.count > 0) << c.typed;
        EXPECT_EQ(state.VcSta1.size(), static_cast<std::size_t>(c.count) + 1) << c.typed;
        EXPECT_EQ(Text("txtE1"), "");
    }
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SegmentEditor, FieldBoxesStoreIntoTheShownRowAndTheButtonsStep)
{
    TypeOver("txtNSUP", "3");
    TypeRow({"txtS1", "txtSG1", "txtSG2", "txtSSta1", "txtSSta2"},
            {"12.5 m", "-", "1/3", "abc", "1e3"});
    EXPECT_EQ(*RowOf(state, SegmentKind::Superelevation, 1), (SegmentRow{12.5f, 0, 1, 0, 1000}));

    QTest::mouseClick(Button("SScmdNextSup"), Qt::LeftButton);
    EXPECT_EQ(Frame("fraSuper")->title(), "SUPERELEVATION SEGMENT NO. 2");
    EXPECT_EQ(Text("txtS1"), " 0");  // a fresh row shows its zeros
    TypeOver("txtS1", "0.123456789");
    QTest::mouseClick(Button("SScmdNextSup"), Qt::LeftButton);
    QTest::mouseClick(Button("SScmdNextSup"), Qt::LeftButton);  // at the last row: nothing
    EXPECT_EQ(state.IdxSup, 3);
    QTest::mouseClick(Button("SScmdPrevSup"), Qt::LeftButton);
    EXPECT_EQ(Text("txtS1"), " .1234568");  // stored as a float, shown to 7 digits
    QTest::mouseClick(Button("SScmdPrevSup"), Qt::LeftButton);
    QTest::mouseClick(Button("SScmdPrevSup"), Qt::LeftButton);  // at row 1: nothing
    EXPECT_EQ(state.IdxSup, 1);
    EXPECT_EQ(Frame("fraSuper")->title(), "SUPERELEVATION SEGMENT NO. 1");
    EXPECT_EQ(Text("txtS1"), " 12.5");
    EXPECT_EQ(Text("txtSSta2"), " 1000");
}

TEST_F(SegmentEditor, KeysThatLeaveTheCountAsItWasDiscardNothing)
{
    TypeOver("txtNVC", "2");
    QTest::mouseClick(Button("SScmdNextVC"), Qt::LeftButton);
    TypeOver("txtE1", "250");
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Left, Qt::Key_Shift}) {
        QTest::keyClick(Box("txtNVC"), key);
        EXPECT_EQ(state.VcElevation1.at(2), 250) << key;
        EXPECT_EQ(Frame("fraVCurve")->title(), "VERTICAL CURVE NO. 2") << key;
        EXPECT_EQ(Text("txtE1"), "250");
    }
    TypeOver("txtNVC", "2");  // the same number typed again
    EXPECT_EQ(state.VcElevation1.at(2), 250);

    TypeOver("txtNVC", "3");  // a changed count starts afresh
    EXPECT_EQ(state.VcElevation1, std::vector<float>(4, 0.0f));
    EXPECT_EQ(Frame("fraVCurve")->title(), "VERTICAL CURVE NO. 1");
    EXPECT_EQ(Text("txtE1"), "");
}

TEST_F(SegmentEditor, RefusesCountsAboveTheLimitAndValuesBeyondTheFloatRange)
{
    TypeOver("txtNVC", "2");
    TypeOver("txtE1", "7");
    for (const char* typed : {"1000001", "1e300"}) {
        platform.messages.clear();
        Paste("txtNVC", QLatin1String(typed));
        ASSERT_EQ(platform.messages.size(), 1u) << typed;
        EXPECT_EQ(platform.messages[0].text,
                  "The number of vertical curves cannot be more than 1000000.");
        EXPECT_EQ(state.NumVC, 2);
        EXPECT_EQ(state.VcElevation1.at(1), 7);
        EXPECT_EQ(Text("txtNVC"), " 2");
    }

    platform.messages.clear();
    Paste("txtE1", "1e39");
    EXPECT_EQ(platform.MessageTexts(), QStringList({"Invalid Entry"}));
    EXPECT_EQ(state.VcElevation1.at(1), 7);
    EXPECT_EQ(Text("txtE1"), " 7");  // the box shows the value kept
}

TEST_F(SegmentEditor, LoadingFlagOnlyOpensTheFrameAndAClosedFrameStoresNothing)
{
    TypeOver("txtNVC", "3");
    QTest::mouseClick(Button("SScmdNextVC"), Qt::LeftButton);
    TypeOver("txtE1", "9");
    state.Loading = 1;
    TypeOver("txtNVC", "5");
    EXPECT_EQ(state.NumVC, 3);
    EXPECT_EQ(state.VcElevation1.at(2), 9);
    EXPECT_EQ(state.IdxVC, 2);
    EXPECT_EQ(Frame("fraVCurve")->title(), "VERTICAL CURVE NO. 1");

    state.Loading = 0;
    Item("mnuResetVcurves")->trigger();
    const std::vector<float> kept = state.VcElevation1;
    QTest::keyClicks(Box("txtE1"), "8");  // the box is disabled
    EXPECT_EQ(state.VcElevation1, kept);
    Frame("fraVCurve")->setEnabled(true);
    QTest::keyClicks(Box("txtE1"), "8");  // count 0: nothing is stored
    EXPECT_EQ(state.VcElevation1, kept);
}

TEST_F(SegmentEditor, AMessageClosedWithEnterDoesNotComeBack)
{
    TypeOver("txtNVC", "1");
    Paste("txtE1", "1e39");
    ASSERT_EQ(platform.MessageTexts(), QStringList({"Invalid Entry"}));
    EXPECT_EQ(Text("txtE1"), " 0");  // the box shows what the row still holds
    // The Enter that closed the message box is released in the box.
    QTest::keyRelease(Box("txtE1"), Qt::Key_Return);
    QTest::keyClick(Box("txtE1"), Qt::Key_Right);
    EXPECT_EQ(platform.messages.size(), 1u);

    platform.messages.clear();
    Box("txtOffset")->selectAll();
    QTest::keyClicks(Box("txtOffset"),
                     "5");  // the calculation at station 0 fails on the zero-length row
    ASSERT_EQ(platform.MessageTexts(), QStringList({"Invalid Entry"}));
    QTest::keyRelease(Box("txtOffset"), Qt::Key_Return);
    EXPECT_EQ(platform.messages.size(), 1u);
}

}  // namespace
}  // namespace ravo
