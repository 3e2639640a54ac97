#include "core/profile_view_index.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "profile_fixture.h"

namespace ravo {

namespace {

TEST(DecidedRows, TheLastContainingRowDecidesBothEndsIncluded)
{
    const ProfileViewIndex index(RidgeAndHollow());
    const std::vector<std::pair<float, std::int32_t>> cases = {
        {999, 0},  {1000, 1}, {1100, 5}, {1100.5f, 1}, {1200, 2}, {1300, 2}, {1350, 0}, {1400, 3},
        {1500, 4}, {1525, 4}, {1550, 4}, {1551, 3},    {1800, 3}, {1801, 0}, {1875, 0}};
    for (const auto& [station, row] : cases)
        EXPECT_EQ(index.curves.RowAt(station), row) << station;
    EXPECT_EQ(index.segments.RowAt(1100), 1);
    EXPECT_EQ(index.segments.RowAt(1100.01f), 0);

    struct Piece {
        double first, last;
        std::int32_t row;
        float low, high;
    };
    // Over 1550..1800 the sag runs 96.625, down to 95.5 at 1700, up to 96.
    const std::vector<Piece> pieces = {
        {1000, 1100, 1, 100, 101.25f},  {1100, 1200, 1, 101, 101.333336f},
        {1200, 1300, 2, 101, 101},      {1300, 1400, 0, 0, 0},
        {1400, 1500, 3, 97.5f, 100},    {1500, 1550, 4, 50, 50},
        {1550, 1800, 3, 95.5f, 96.625f}};
    ASSERT_EQ(index.curves.Pieces().size(), pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const DecidedPiece& got = index.curves.Pieces()[i];
        EXPECT_EQ(got.first, pieces[i].first) << i;
        EXPECT_EQ(got.last, pieces[i].last) << i;
        EXPECT_EQ(got.row, pieces[i].row) << i;
        EXPECT_FLOAT_EQ(got.low, pieces[i].low) << i;
        EXPECT_FLOAT_EQ(got.high, pieces[i].high) << i;
    }
    EXPECT_EQ(index.curves.FirstPieceEndingAfter(1550), 6u);
    EXPECT_NEAR(index.curveK[1], 200 / 3.0, 1e-4);
    EXPECT_EQ(index.curveShape[3], CurveShape::Sag);
    EXPECT_TRUE(std::isnan(index.curveK[2]));
}

}  // namespace
}  // namespace ravo
