// Tests of keeping the profile window's row index up to date row by row: after
// every stored field it must equal an index made afresh from the same rows.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include "core/view/profile_view_index.h"
#include "support/random_profiles.h"

namespace ravo {
namespace {

bool Same(float a, float b)
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

void ExpectSame(const DecidedRows& kept, const DecidedRows& fresh, const std::string& where)
{
    ASSERT_EQ(kept.Pieces().size(), fresh.Pieces().size()) << where;
    for (std::size_t i = 0; i < fresh.Pieces().size(); ++i) {
        const DecidedPiece& a = kept.Pieces()[i];
        const DecidedPiece& b = fresh.Pieces()[i];
        ASSERT_TRUE(Same(a.first, b.first) && Same(a.last, b.last) && a.row == b.row &&
                    Same(a.low, b.low) && Same(a.high, b.high))
            << where << " piece " << i;
        // The rows deciding exactly at the ends, and between them.
        ASSERT_EQ(kept.RowAt(a.first), fresh.RowAt(b.first)) << where << " at " << a.first;
        ASSERT_EQ(kept.RowAt(a.last), fresh.RowAt(b.last)) << where << " at " << a.last;
    }
    ASSERT_EQ(kept.Blocks().size(), fresh.Blocks().size()) << where;
    for (std::size_t b = 0; b < fresh.Blocks().size(); ++b) {
        const PieceBlock& x = kept.Blocks()[b];
        const PieceBlock& y = fresh.Blocks()[b];
        ASSERT_TRUE(Same(x.first, y.first) && Same(x.last, y.last) && Same(x.low, y.low) &&
                    Same(x.high, y.high) && x.gap == y.gap && Same(x.crestK, y.crestK) &&
                    Same(x.sagK, y.sagK))
            << where << " block " << b;
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

float NewValue(test::Random& random, Column column)
{
    if (column == Column::Station1 || column == Column::Station2)
        return test::Chance(random, 0.05)
                   ? std::nanf("")
                   : 5.0f * static_cast<float>(std::uniform_int_distribution<int>(-2, 62)(random));
    return test::Pick(random, {0.02f, -0.04f, 0, 100, 1e37f});
}

TEST(ProfileViewIndexUpdate, EveryStoredFieldLeavesTheIndexAsIfMadeAfresh)
{
    test::Random random(43);
    for (int profile = 0; profile < 150; ++profile) {
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
            if (!StoreField(state, kind, column, row, NewValue(random, column)))
                continue;
            kept.RowChanged(state, kind, row);
            const ProfileViewIndex fresh(state);
            const std::string where = "profile " + std::to_string(profile) + " edit " +
                                      std::to_string(edit) + " row " + std::to_string(row);
            ExpectSame(kept.curves, fresh.curves, where);
            ExpectSame(kept.segments, fresh.segments, where);
            ASSERT_EQ(kept.curveK.size(), fresh.curveK.size());
            for (std::size_t i = 0; i < fresh.curveK.size(); ++i)
                ASSERT_TRUE(Same(kept.curveK[i], fresh.curveK[i]) &&
                            kept.curveShape[i] == fresh.curveShape[i])
                    << where;
            if (HasFailure())
                return;
        }
        // A count typed anew re-creates one kind's tables; the other is kept.
        RecreateTables(state, SegmentKind::VerticalCurve, 3);
        kept.KindChanged(state, SegmentKind::VerticalCurve);
        ExpectSame(kept.curves, ProfileViewIndex(state).curves, "re-created");
        ExpectSame(kept.segments, ProfileViewIndex(state).segments, "kept");
    }
}

}  // namespace
}  // namespace ravo
