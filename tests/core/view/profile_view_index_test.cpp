// Tests of the profile window's row index.
#include "core/view/profile_view_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "core/profile/elevation.h"
#include "core/profile/elevation_walk.h"
#include "core/text/numbers.h"
#include "support/profile_fixture.h"
#include "support/random_profiles.h"

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

    // Over 1550..1800 the sag runs 96.625, down to 95.5 at 1700, up to 96.
    std::vector<std::string> pieces;
    for (const DecidedPiece& p : index.curves.Pieces()) {
        char text[80];
        std::snprintf(text, sizeof text, "%g-%g row %d: %.4f..%.4f", double(p.first),
                      double(p.last), p.row, double(p.low), double(p.high));
        pieces.push_back(text);
    }
    EXPECT_EQ(pieces,
              (std::vector<std::string>{
                  "1000-1100 row 1: 100.0000..101.2500", "1100-1200 row 1: 101.0000..101.3333",
                  "1200-1300 row 2: 101.0000..101.0000", "1300-1400 row 0: 0.0000..0.0000",
                  "1400-1500 row 3: 97.5000..100.0000", "1500-1550 row 4: 50.0000..50.0000",
                  "1550-1800 row 3: 95.5000..96.6250"}));
    EXPECT_EQ(index.curves.FirstPieceEndingAfter(1550), 6u);
}

// Three ways find the row that decides a station: the calculation scans every
// row, the walk keeps the containing rows in a heap, and the view index sweeps
// the row ends once. Wherever the calculation gives a value, all three take
// the same rows and the index's row gives the same grade elevation, bit for bit.
TEST(DecidedRows, AgreeWithTheCalculationAndTheWalkOnRandomProfiles)
{
    test::Random random(7305);
    int checked = 0;
    for (int profile = 0; profile < 1000; ++profile) {
        ProfileState calculation = test::RandomProfile(random);
        const ProfileState state = calculation;
        const ProfileViewIndex index(state);
        ElevationWalk walk(state);
        std::vector<float> stations(40);
        std::generate(stations.begin(), stations.end(), [&] { return test::GridStation(random); });
        std::sort(stations.begin(), stations.end());
        for (const float station : stations) {
            const WalkPoint expected = test::Calculated(calculation, station, 0);
            if (!expected.ok)
                continue;
            const WalkPoint walked = walk.At(station);
            const std::int32_t row = index.curves.RowAt(station);
            const float viewed =
                row == 0 ? 0.0f : ToFloat(RowValue(index.curves.Row(row), station));
            ASSERT_EQ(
                std::tuple(walked.curveRow, walked.segmentRow, row, index.segments.RowAt(station),
                           std::bit_cast<std::uint32_t>(viewed)),
                std::tuple(expected.curveRow, expected.segmentRow, expected.curveRow,
                           expected.segmentRow,
                           std::bit_cast<std::uint32_t>(expected.gradeElevation)))
                << "profile " << profile << " station " << station;
            ++checked;
        }
    }
    EXPECT_GT(checked, 20000);
}

}  // namespace
}  // namespace ravo
