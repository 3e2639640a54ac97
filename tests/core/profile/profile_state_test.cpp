// Tests of the profile record's tables.
#include "core/profile/profile_state.h"

#include <gtest/gtest.h>

namespace ravo {
namespace {

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
