// The segment editor: its count boxes, the field boxes of the shown row and
// the buttons that step between rows.
#include "support/window_fixture.h"

namespace ravo {
namespace {

using SegmentEditor = WindowTest;

TEST_F(SegmentEditor, ATypedCountOpensRowOneAndSizesTheTables)
{
    // Halves round to even; a negative or unreadable count is 0, however large.
    const std::vector<std::pair<const char*, std::int32_t>> cases = {
        {"3", 3}, {"2.5", 2}, {"3.5", 4}, {"x", 0}, {"-2", 0}, {"-99999999999", 0}, {"-1e400", 0},
    };
    for (const auto& [typed, count] : cases) {
        Paste("txtNVC", QLatin1String(typed));
        Box("txtNSUP")->setFocus();  // leaving the box shows the count in effect
        EXPECT_EQ(Text("txtNVC"), " " + QString::number(count)) << typed;
        EXPECT_EQ(Frame("fraVCurve")->isEnabled(), count > 0) << typed;
    }
    EXPECT_TRUE(platform.messages.empty());
}

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

TEST_F(SegmentEditor, OnlyAChangedCountWithinTheLimitStartsTheRowsAfresh)
{
    TypeOver("txtNVC", "2");
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

    // While a file loads, a key in a count box sizes no tables.
    state.Loading = 1;
    TypeOver("txtE1", "9");
    TypeOver("txtNVC", "5");
    EXPECT_EQ(state.NumVC, 3);
    EXPECT_EQ(state.VcElevation1.at(1), 9);
}

}  // namespace
}  // namespace ravo
