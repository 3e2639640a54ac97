// Tests of the profile window's row index and of the elevation walk: the row
// that decides each station, and keeping the index up to date row by row:
// after every stored field it must equal an index made afresh from the same rows.
#include "core/view/profile_view_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "core/profile/elevation.h"
#include "core/profile/elevation_walk.h"
#include "core/text/numbers.h"
#include "core/view/profile_view.h"
#include "support/profile_fixture.h"
#include "support/random_profiles.h"

namespace ravo {
namespace {

// The pieces between row ends, the row deciding each and its least and
// greatest value there: over 1550..1800 the sag runs 96.625, down to 95.5 at
// 1700, up to 96.
TEST(DecidedRows, ThePiecesOfAProfileWorkedByHand)
{
    const ProfileViewIndex index(RidgeAndHollow());
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
// row, the walk keeps the containing rows in a heap as it goes up or down the
// road, and the view index sweeps the row ends once. All three take the same
// rows, and the walk and the index's row give what the calculation gives, bit
// for bit: -0 is not 0.
TEST(DecidedRows, TheIndexAndTheWalkAgreeWithTheCalculationOnRandomWalks)
{
    const auto bits = [](const WalkPoint& p) {
        return std::tuple(p.ok, std::bit_cast<std::uint32_t>(p.gradeElevation),
                          std::bit_cast<std::uint32_t>(p.super),
                          std::bit_cast<std::uint32_t>(p.elevation), p.curveRow, p.segmentRow);
    };
    test::Random random(20261207);
    int points = 0, failures = 0;
    for (int profile = 0; profile < 1500; ++profile) {
        const ProfileState state = test::RandomProfile(random);
        ProfileState calculation = state;
        const ProfileViewIndex index(state);
        ElevationWalk walk(state);
        // Runs of stations going up or down, with repeats and now and then a NaN.
        float station = test::GridStation(random);
        for (int run = 0; run < 6; ++run) {
            const float direction = test::Chance(random, 0.5) ? 1.0f : -1.0f;
            for (int k = std::uniform_int_distribution<int>(1, 30)(random); k > 0; --k, ++points) {
                const float at = test::Chance(random, 0.01) ? std::nanf("") : station;
                station += direction * test::Pick(random, {0, 5, 10, 0.25f, 30});
                const float offset = test::Pick(random, {0, 12, -7.5f, 3e38f});
                const WalkPoint expected = test::Calculated(calculation, at, offset);
                ASSERT_EQ(bits(walk.At(at, offset)), bits(expected))
                    << "profile " << profile << " station " << at;
                failures += expected.ok ? 0 : 1;
                if (!expected.ok)
                    continue;
                const std::int32_t row = index.curves.RowAt(at);
                const float viewed = row == 0 ? 0 : ToFloat(RowValue(index.curves.Row(row), at));
                ASSERT_EQ(
                    std::tuple(row, index.segments.RowAt(at), std::bit_cast<std::uint32_t>(viewed)),
                    std::tuple(expected.curveRow, expected.segmentRow,
                               std::bit_cast<std::uint32_t>(expected.gradeElevation)))
                    << "profile " << profile << " station " << at;
            }
        }
    }
    // The profiles must exercise both outcomes.
    EXPECT_GT(failures, points / 50);
    EXPECT_LT(failures, points / 2);
}

bool Same(float a, float b)
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

// Pixels alike to far below one: blocks of pieces fall differently after a
// change, and a block's float values may round a column's last digit apart.
bool SamePixel(double a, double b)
{
    return std::abs(a - b) <= 1e-6 || a == b || (std::isnan(a) && std::isnan(b));
}

// The pieces of some length are those of a fresh index; an end repeated after
// a change, with its piece of no length, changes nothing that RowAt tells.
void ExpectSame(const DecidedRows& kept, const DecidedRows& fresh, const std::string& where)
{
    std::vector<DecidedPiece> pieces = kept.Pieces();
    std::erase_if(pieces, [](const DecidedPiece& p) { return p.first == p.last; });
    ASSERT_EQ(pieces.size(), fresh.Pieces().size()) << where;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const DecidedPiece& a = pieces[i];
        const DecidedPiece& b = fresh.Pieces()[i];
        ASSERT_TRUE(Same(a.first, b.first) && Same(a.last, b.last) && a.row == b.row &&
                    Same(a.low, b.low) && Same(a.high, b.high))
            << where << " piece " << i;
        for (float station : {a.first, (a.first + a.last) / 2, a.last})
            ASSERT_EQ(kept.RowAt(station), fresh.RowAt(station)) << where << " at " << station;
    }
}

// What the window draws from either index is the same, zoomed out and in.
void ExpectSameScenes(const ProfileViewIndex& kept, const ProfileViewIndex& fresh,
                      const std::string& where)
{
    ProfileView view = FitView(fresh, ProfileView{});
    view.plotWidth = 37;  // many pieces a column, so that blocks are taken whole
    view.designSpeed = 60;
    for (const ProfileView& v : {view, ZoomView(view, 10, 4)}) {
        const ProfileScene a = BuildScene(kept, v);
        const ProfileScene b = BuildScene(fresh, v);
        for (const auto& [x, y] : {std::pair(&a.grade, &b.grade), std::pair(&a.super, &b.super)}) {
            ASSERT_EQ(x->lines.size(), y->lines.size()) << where;
            for (std::size_t i = 0; i < x->lines.size(); ++i) {
                const std::vector<PixelPoint>& p = x->lines[i].points;
                const std::vector<PixelPoint>& q = y->lines[i].points;
                ASSERT_EQ(std::pair(x->lines[i].flagged, p.size()),
                          std::pair(y->lines[i].flagged, q.size()))
                    << where;
                for (std::size_t j = 0; j < p.size(); ++j)
                    ASSERT_TRUE(SamePixel(p[j].x, q[j].x) && SamePixel(p[j].y, q[j].y))
                        << where << " line " << i << " point " << j;
            }
            ASSERT_EQ(x->gaps, y->gaps) << where;
        }
        ASSERT_EQ(a.rowBoundaries, b.rowBoundaries) << where;
        ASSERT_EQ(a.marks.size(), b.marks.size()) << where;
    }
}

// Many rows on a grid of stations, so that there are blocks of pieces, rows
// sharing ends, overlapping, reversed and of no length; a count now and then
// beyond the tables.
ProfileState GridProfile(test::Random& random)
{
    ProfileState state = test::RandomProfile(random);
    const int rows = std::uniform_int_distribution<int>(0, 80)(random);
    RecreateTables(state, SegmentKind::VerticalCurve, rows);
    std::uniform_int_distribution<int> grid(0, 60);
    for (int r = 1; r <= rows; ++r) {
        const float first = 5.0f * static_cast<float>(grid(random));
        const float last = test::Chance(random, 0.8)
                               ? first + 5.0f * static_cast<float>(grid(random) % 6)
                               : first - 5;
        fixtures::SetRow(state, SegmentKind::VerticalCurve, r,
                         {test::Pick(random, {100, -3}), test::Pick(random, {0.02f, -0.01f}),
                          test::Pick(random, {-0.03f, 0.01f, 0.02f}), first, last});
    }
    return state;
}

TEST(ProfileViewIndexUpdate, EveryStoredFieldLeavesTheIndexAsIfMadeAfresh)
{
    test::Random random(4343);
    for (int profile = 0; profile < 800; ++profile) {
        ProfileState state = GridProfile(random);
        ProfileViewIndex kept(state);
        for (int edit = 0; edit < 25; ++edit) {
            const SegmentKind kind = test::Chance(random, 0.7) ? SegmentKind::VerticalCurve
                                                               : SegmentKind::Superelevation;
            const std::int32_t count = CountOf(state, kind);
            if (count < 1)
                continue;
            const std::int32_t row = std::uniform_int_distribution<std::int32_t>(1, count)(random);
            const auto column =
                static_cast<Column>(std::uniform_int_distribution<int>(0, 4)(random));
            const float value =
                column != Column::Station1 && column != Column::Station2
                    ? test::Pick(random, {0.02f, -0.04f, 0, 100, 1e37f})
                : test::Chance(random, 0.05)
                    ? std::nanf("")
                    : 5.0f * static_cast<float>(std::uniform_int_distribution<int>(-2, 62)(random));
            if (!StoreField(state, kind, column, row, value))
                continue;
            kept.RowChanged(state, kind, row);
            const ProfileViewIndex fresh(state);
            const std::string where = "profile " + std::to_string(profile) + " edit " +
                                      std::to_string(edit) + " row " + std::to_string(row);
            ExpectSame(kept.curves, fresh.curves, where);
            ExpectSame(kept.segments, fresh.segments, where);
            ExpectSameScenes(kept, fresh, where);
            ASSERT_TRUE(std::ranges::equal(kept.curveK, fresh.curveK, Same) &&
                        kept.curveShape == fresh.curveShape)
                << where;
            if (HasFailure())
                return;
        }
        // A count typed anew re-creates one kind's tables; the other is kept.
        // A row told as changed after a new count re-creates them as well.
        RecreateTables(state, SegmentKind::VerticalCurve,
                       CountOf(state, SegmentKind::VerticalCurve) == 3 ? 4 : 3);
        if (profile % 2 == 0)
            kept.KindChanged(state, SegmentKind::VerticalCurve);
        else
            kept.RowChanged(state, SegmentKind::VerticalCurve, 1);
        ExpectSame(kept.curves, ProfileViewIndex(state).curves, "re-created");
        ExpectSame(kept.segments, ProfileViewIndex(state).segments, "kept");
    }
}

}  // namespace
}  // namespace ravo
