// Tests of the profile record's tables and the elevation calculation.
#include "core/profile/elevation.h"

#include <gtest/gtest.h>

#include "core/profile/profile_state.h"
#include "core/text/numbers.h"
#include "support/worked_examples.h"

namespace ravo {
namespace {

using fixtures::ProfileOf;
using fixtures::SetRow;

ProfileState WorkedExample() { return fixtures::WorkedExampleProfile(); }

std::string ElevationAt(ProfileState& state, float station)
{
    state.CalcStation = station;
    CalculateElevation(state);
    return ElevationText(state.CalcElevation);
}

// The worked example's elevations are checked through the report's log
// (ReportSessionTest) and the table of ravo-calc.
TEST(CalculateElevation, LastContainingRowWinsAndEveryRowIsVisited)
{
    // Row 1 lies after row 2 on the road.
    ProfileState state =
        ProfileOf({{50, 0, 0, 2000, 3000}, {10, 0, 0, 0, 1000}, {20, 0.01f, 0.01f, 500, 1500}});
    EXPECT_EQ(ElevationAt(state, 2500), "50.000");  // rows out of order still work
    EXPECT_EQ(ElevationAt(state, 400), "10.000");
    EXPECT_EQ(ElevationAt(state, 600), "21.000");   // both 2 and 3 contain it: 3 wins, linear
    EXPECT_EQ(ElevationAt(state, 1000), "25.000");  // the common end takes the later row
    EXPECT_EQ(ElevationAt(state, 1750), "0.000");   // in no curve
}

TEST(CalculateElevation, IgnoresRowsBeyondTheCountAndBackwardRows)
{
    ProfileState state = WorkedExample();
    state.NumVC = 0;  // as after Reset > Vertical curves: the rows are still there
    EXPECT_EQ(ElevationAt(state, 1000), "-0.240");
    state = WorkedExample();
    SetRow(state, SegmentKind::VerticalCurve, 1, {100, 0, 0, 1200, 1000});  // end before beginning
    EXPECT_EQ(ElevationAt(state, 1100), "0.240");  // the segment alone: 12 * 0.02
    state.NumVC = 5;  // a count beyond the tables is never followed outside them
    EXPECT_EQ(ElevationAt(state, 1100), "0.240");

    state = ProfileState{};  // with no rows every station gives zero
    state.CalcOffset = 7;
    for (float station : {-1e30f, 0.0f, 1234.5f})
        EXPECT_EQ(ElevationAt(state, station), "0.000");
}

TEST(CalculateElevation, FailuresKeepTheCompletedSteps)
{
    // Row 2 is all zeros, as a freshly typed count leaves it: zero length at station 0.
    ProfileState state = ProfileOf({{100, 0, 0, 0, 10}, {}});
    state.CalcStation = 0;
    state.CalcSuper = 5;
    EXPECT_THROW(CalculateElevation(state), OverflowError);
    EXPECT_EQ(state.CalcElevation, 100);  // row 1 had stored its result
    EXPECT_EQ(state.CalcSuper, 5);        // the segment step never ran

    state = WorkedExample();
    RecreateTables(state, SegmentKind::Superelevation, 1);
    state.CalcStation = 0;
    EXPECT_THROW(CalculateElevation(state), OverflowError);
    EXPECT_EQ(state.CalcSuper, 0);
    // a zero-length row that does not contain the station is harmless
    EXPECT_EQ(ElevationAt(state, 1000), "100.000");

    // Results beyond the float range.
    state = ProfileOf({{3e38f, 3e38f, 3e38f, 0, 10}});
    state.CalcStation = 10;
    EXPECT_THROW(CalculateElevation(state), OverflowError);
    EXPECT_EQ(state.CalcElevation, 0);

    state = ProfileOf({}, {{3e38f, 0, 0, 0, 10}});
    state.CalcStation = 5;
    state.CalcOffset = 3e38f;  // offset times superelevation overflows in step 5
    EXPECT_THROW(CalculateElevation(state), OverflowError);
    EXPECT_EQ(state.CalcSuper, 3e38f);
    EXPECT_EQ(state.CalcElevation, 0);
}

// Sizing the tables by a typed count is the segment editor's test.
TEST(ProfileState, RowsOutsideOneToTheCountAreRefused)
{
    ProfileState state;
    RecreateTables(state, SegmentKind::Superelevation, 2);
    for (std::int32_t row : {0, 3, -1}) {
        EXPECT_FALSE(StoreField(state, SegmentKind::Superelevation, Column::Start, row, 1)) << row;
        EXPECT_FALSE(RowOf(state, SegmentKind::Superelevation, row)) << row;
    }
    EXPECT_EQ(state.SupSuper1, std::vector<float>(3, 0.0f));

    // A count that claims more rows than the tables hold is not followed.
    state.NumSup = 10;
    EXPECT_FALSE(StoreField(state, SegmentKind::Superelevation, Column::Start, 5, 1));
    ASSERT_TRUE(StoreField(state, SegmentKind::Superelevation, Column::Station2, 2, 7));
    EXPECT_EQ(RowOf(state, SegmentKind::Superelevation, 2)->station2, 7);
}

}  // namespace
}  // namespace ravo
