// Reading a profile's points back, to find the unsymmetric curves that do not
// read back as their two rows and must be written as two curves.
#include <algorithm>
#include <optional>

#include "core/formats/input_file.h"
#include "core/formats/rows_to_pvi.h"

namespace ravo::rows_to_pvi {
namespace {

// The first pair of rows from `from` on that is written as one unsymmetric
// curve.
std::optional<std::size_t> FirstUnsymmetricPair(const CurveRows& rows,
                                                const std::vector<bool>& keepApart,
                                                std::size_t from)
{
    for (std::size_t k = from; k + 1 < rows.size(); ++k) {
        if (!keepApart[k] && FormUnsymmetricCurve(rows[k], rows[k + 1]))
            return k;
    }
    return std::nullopt;
}

// The row k of `size` rows with the straight rows of its grade that follow it
// end to end joined to it, as a profile's points give them back: a point is
// written only where something changes. `next` is the row after them.
template <class RowAt>
SegmentRow JoinedRow(const RowAt& rowAt, std::size_t size, std::size_t k, std::size_t& next)
{
    SegmentRow joined = rowAt(k);
    for (next = k + 1; next < size && !IsCurve(joined); ++next) {
        const SegmentRow r = rowAt(next);
        if (IsCurve(r) || r.rate1 != joined.rate1 || r.station1 != joined.station2)
            break;
        joined.station2 = r.station2;
    }
    return joined;
}

}  // namespace

// The first pair of rows written as one unsymmetric curve that may keep the
// points from reading back as the same rows: at or after the first row that
// differs, counting the pair whose own rows or following straight row it is;
// none when all read back. An unsymmetric curve's elevation windows are
// narrower than those of two curves, and the grade windows carry that
// narrowness back to the points before it, so a row well before the pair may
// be the one that differs. Straight rows of one grade that meet are compared
// joined, as they read back: keeping pairs apart cannot part them again.
std::optional<std::size_t> FirstChangedPair(const CurveRows& rows,
                                            const std::vector<RowPoint>& points,
                                            const std::vector<bool>& keepApart)
{
    InputProfile back;
    try {
        back = RowsFromPoints(points, "");
    } catch (const InputFileError&) {
        // read back as no rows: every row differs
    }
    const auto ours = [&rows](std::size_t k) { return rows[k]; };
    const auto theirs = [&back](std::size_t k) {
        return SegmentRow{back.curves[0][k + 1], back.curves[1][k + 1], back.curves[2][k + 1],
                          back.curves[3][k + 1], back.curves[4][k + 1]};
    };
    const auto backSize = static_cast<std::size_t>(back.numVC);
    std::size_t first = 0;
    std::size_t other = 0;
    while (first < rows.size() && other < backSize) {
        std::size_t firstNext = 0;
        std::size_t otherNext = 0;
        if (!(JoinedRow(ours, rows.size(), first, firstNext) ==
              JoinedRow(theirs, backSize, other, otherNext)))
            break;
        first = firstNext;
        other = otherNext;
    }
    if (first == rows.size() && other == backSize)
        return std::nullopt;
    return FirstUnsymmetricPair(rows, keepApart, first < 2 ? 0 : first - 2);
}

// Keeps apart the pair that may keep the points from reading back, and on a
// later pass the pairs after it too. A difference that no pair causes (rows
// that disagree within the tolerances, which no points give back) sends every
// pair after it apart, one a pass, and keeping one pair apart can leave the
// next unable to read back. After a few passes each keeps apart twice as many
// pairs as the one before, so that such a profile is read a few dozen times
// rather than once a pair.
void KeepApart(const CurveRows& rows, std::size_t pair, int pass, std::vector<bool>& keepApart)
{
    constexpr int PassesOfOnePair = 8;
    const std::size_t count =
        pass < PassesOfOnePair ? 1 : std::size_t{1} << std::min(pass - PassesOfOnePair + 1, 40);
    std::optional<std::size_t> next = pair;
    for (std::size_t i = 0; i < count && next; ++i) {
        keepApart[*next] = true;
        next = FirstUnsymmetricPair(rows, keepApart, *next + 2);
    }
}

}  // namespace ravo::rows_to_pvi
