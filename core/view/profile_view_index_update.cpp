// Keeping the deciding-row index up to date as single rows change: a changed
// value reworks the pieces of its row, a moved row only the stretch it left
// and the stretch it entered, found through a tree of row extents.
#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <queue>

#include "core/profile/elevation.h"
#include "core/view/profile_view_index.h"

namespace ravo {
namespace {

constexpr float None = std::numeric_limits<float>::infinity();

// A reversed row, or one with a station that is not a number, contains no station.
bool HasStations(const SegmentRow& row) { return row.station1 <= row.station2; }

// Replaces count items of a vector from at on with the given ones.
template <typename T>
void Splice(std::vector<T>& items, std::size_t at, std::size_t count, const std::vector<T>& with)
{
    const auto first = items.begin() + static_cast<std::ptrdiff_t>(at);
    const std::size_t kept = std::min(count, with.size());
    std::copy_n(with.begin(), kept, first);
    if (count > with.size())
        items.erase(first + static_cast<std::ptrdiff_t>(kept),
                    first + static_cast<std::ptrdiff_t>(count));
    else
        items.insert(first + static_cast<std::ptrdiff_t>(kept),
                     with.begin() + static_cast<std::ptrdiff_t>(kept), with.end());
}

// The ends, the rows deciding exactly at them and the pieces between them
// over a stretch, as a re-sweep works them out.
struct Span {
    std::vector<float> ends;
    std::vector<std::int32_t> atEnd;
    std::vector<DecidedPiece> pieces;
};

// Adds count ends to a span without changing what it shows: copies of one of
// its ends, with pieces of no length between them on a row containing that
// end, so that they add nothing to the line but mark the row there. The
// copies go before the first end that begins a piece inside a row; else
// before the last end, on the row of the piece beyond the span; else before
// the first, on the row of the piece before it; else, among gaps, before the
// last end as a gap. A lone end with nothing beside it takes none. So the
// pieces keep their count when a row loses ends, and the pieces after need
// not move.
void Pad(Span& span, std::size_t count, std::int32_t rowBefore, std::int32_t rowAfter)
{
    std::size_t at = span.ends.size() - 1;
    std::int32_t row = rowAfter;
    const auto inRow = std::find_if(span.pieces.begin(), span.pieces.end(),
                                    [](const DecidedPiece& p) { return p.row != 0; });
    if (inRow != span.pieces.end()) {
        at = static_cast<std::size_t>(inRow - span.pieces.begin());
        row = inRow->row;
    } else if (row == 0 && rowBefore != 0) {
        at = 0;
        row = rowBefore;
    } else if (row == 0 && span.pieces.empty()) {
        return;
    }
    // No least and greatest value: a column or block taking the piece in
    // keeps its own, and an end that overflows adds no value of its own.
    const float end = span.ends[at];
    constexpr float NoValue = std::numeric_limits<float>::quiet_NaN();
    const DecidedPiece none{end, end, row, NoValue, NoValue};
    const auto place = static_cast<std::ptrdiff_t>(at);
    span.ends.insert(span.ends.begin() + place, count, end);
    const std::int32_t decides = span.atEnd[at];
    span.atEnd.insert(span.atEnd.begin() + place, count, decides);
    span.pieces.insert(span.pieces.begin() + place, count, none);
}

}  // namespace

void DecidedRows::BuildExtents()
{
    const std::size_t leaves = std::bit_ceil(rows_.size());
    extentFirst_.assign(2 * leaves, None);
    extentLast_.assign(2 * leaves, -None);
    for (std::size_t r = 1; r < rows_.size(); ++r) {
        if (HasStations(rows_[r])) {
            extentFirst_[leaves + r] = rows_[r].station1;
            extentLast_[leaves + r] = rows_[r].station2;
        }
    }
    for (std::size_t n = leaves - 1; n > 0; --n) {
        extentFirst_[n] = std::min(extentFirst_[2 * n], extentFirst_[2 * n + 1]);
        extentLast_[n] = std::max(extentLast_[2 * n], extentLast_[2 * n + 1]);
    }
}

void DecidedRows::SetExtent(std::int32_t row)
{
    const std::size_t leaves = extentFirst_.size() / 2;
    std::size_t n = leaves + static_cast<std::size_t>(row);
    const SegmentRow& values = rows_[static_cast<std::size_t>(row)];
    extentFirst_[n] = HasStations(values) ? values.station1 : None;
    extentLast_[n] = HasStations(values) ? values.station2 : -None;
    for (n /= 2; n > 0; n /= 2) {
        extentFirst_[n] = std::min(extentFirst_[2 * n], extentFirst_[2 * n + 1]);
        extentLast_[n] = std::max(extentLast_[2 * n], extentLast_[2 * n + 1]);
    }
}

// The rows containing some station from first to last, both included.
std::vector<std::int32_t> DecidedRows::RowsMeeting(float first, float last) const
{
    const std::size_t leaves = extentFirst_.size() / 2;
    std::vector<std::int32_t> rows;
    std::vector<std::size_t> open{1};
    while (!open.empty()) {
        const std::size_t n = open.back();
        open.pop_back();
        if (extentFirst_[n] > last || extentLast_[n] < first)
            continue;
        if (n >= leaves) {
            rows.push_back(static_cast<std::int32_t>(n - leaves));
        } else {
            open.push_back(2 * n + 1);
            open.push_back(2 * n);
        }
    }
    return rows;
}

void DecidedRows::RowChanged(std::int32_t row, const SegmentRow& now, const std::vector<float>* k,
                             const std::vector<CurveShape>* shape)
{
    SegmentRow& slot = rows_[static_cast<std::size_t>(row)];
    const SegmentRow before = slot;
    slot = now;
    if (extentFirst_.empty())
        BuildExtents();
    else
        SetExtent(row);
    const bool had = HasStations(before);
    if (had == HasStations(now) &&
        (!had || (before.station1 == now.station1 && before.station2 == now.station2))) {
        if (had)
            ValuesChanged(row, k, shape);
        return;
    }
    float first = None;
    float last = -None;
    for (const SegmentRow* values : {&before, &now}) {
        if (HasStations(*values)) {
            first = std::min(first, values->station1);
            last = std::max(last, values->station2);
        }
    }
    Resweep(first, last, k, shape);
}

// The row keeps its stations, so it decides the same pieces: only their least
// and greatest values and the blocks holding them change.
void DecidedRows::ValuesChanged(std::int32_t row, const std::vector<float>* k,
                                const std::vector<CurveShape>* shape)
{
    const SegmentRow& values = Row(row);
    // Repeated ends at either end of the row may carry it too: their blocks
    // hold its K.
    auto repeated = [this](std::size_t i, float station) {
        return pieces_[i].first == station && pieces_[i].last == station;
    };
    std::size_t first = FirstPieceEndingAfter(values.station1);
    while (first > 0 && repeated(first - 1, values.station1))
        --first;
    std::size_t i = first;
    for (;
         i < pieces_.size() && (pieces_[i].first < values.station2 || repeated(i, values.station2));
         ++i) {
        DecidedPiece& piece = pieces_[i];
        if (piece.row != row || piece.first == piece.last)
            continue;  // another row's, or an end repeated, which holds no value
        const auto [low, high] = RowRange(values, piece.first, piece.last);
        piece.low = static_cast<float>(low);
        piece.high = static_cast<float>(high);
    }
    if (i > first)
        SummarizeBlocks(first, i - 1, k, shape);
}

// Works out again the ends and pieces from first to last, both included, and
// the pieces reaching into that stretch from the ends beside it. Outside it
// no row end moved and no row began or stopped containing a station, so the
// rows meeting the stretch are all that decide there.
void DecidedRows::Resweep(float first, float last, const std::vector<float>* k,
                          const std::vector<CurveShape>* shape)
{
    // The stretch and the ends beside it, with any copies of those ends.
    auto at = [this](float station, bool past) {
        const auto i = past ? std::upper_bound(ends_.begin(), ends_.end(), station)
                            : std::lower_bound(ends_.begin(), ends_.end(), station);
        return static_cast<std::size_t>(i - ends_.begin());
    };
    const std::size_t i0 = at(first, false);
    const std::size_t i1 = at(last, true);
    const bool before = i0 > 0;
    const bool after = i1 < ends_.size();
    const std::size_t from = before ? at(ends_[i0 - 1], false) : i0;
    const std::size_t to = after ? at(ends_[i1], true) : i1;

    std::vector<std::int32_t> meeting = RowsMeeting(first, last);
    Span span;
    if (before)
        span.ends.push_back(ends_[i0 - 1]);
    for (std::int32_t r : meeting) {
        for (float station : {Row(r).station1, Row(r).station2}) {
            if (station >= first && station <= last)
                span.ends.push_back(station);
        }
    }
    std::sort(span.ends.begin(), span.ends.end());
    span.ends.erase(std::unique(span.ends.begin(), span.ends.end()), span.ends.end());
    if (after)
        span.ends.push_back(ends_[i1]);
    Sweep(meeting, span.ends, span.atEnd, span.pieces);

    // The ends beside the stretch lie outside every row that moved: they keep
    // the row they had, which may be one ending or beginning right there.
    if (before)
        span.atEnd.front() = atEnd_[from];
    if (after)
        span.atEnd.back() = atEnd_[to - 1];
    const std::size_t oldEnds = to - from;
    // A span that grows moves every piece after it; a few copies more spare
    // the next growth nearby that move.
    constexpr std::size_t Spare = 8;
    const std::size_t pad = span.ends.size() > oldEnds ? Spare : oldEnds - span.ends.size();
    const std::int32_t rowBefore = from > 0 ? pieces_[from - 1].row : 0;
    const std::int32_t rowAfter = after && to - 1 < pieces_.size() ? pieces_[to - 1].row : 0;
    if (!span.ends.empty() && pad > 0)
        Pad(span, pad, rowBefore, rowAfter);
    const std::size_t oldPieces = oldEnds > 0 ? oldEnds - 1 : 0;
    Splice(ends_, from, oldEnds, span.ends);
    Splice(atEnd_, from, oldEnds, span.atEnd);
    Splice(pieces_, from, oldPieces, span.pieces);
    if (span.pieces.size() == oldPieces) {
        if (oldPieces > 0)
            SummarizeBlocks(from, from + oldPieces - 1, k, shape);
        return;
    }
    // The pieces after the stretch moved along: every block from there on changes.
    blocks_.resize(pieces_.size() / BlockPieces);
    if (from < pieces_.size())
        SummarizeBlocks(from, pieces_.size() - 1, k, shape);
}

// The same sweep as for the whole profile, over the given rows and ends: the
// row deciding exactly at each end and the pieces between them.
void DecidedRows::Sweep(std::vector<std::int32_t>& rows, const std::vector<float>& ends,
                        std::vector<std::int32_t>& atEnd, std::vector<DecidedPiece>& pieces) const
{
    std::sort(rows.begin(), rows.end(),
              [this](std::int32_t a, std::int32_t b) { return Row(a).station1 < Row(b).station1; });
    std::priority_queue<std::int32_t> containing;
    auto top = [&](float beyond, bool inclusive) {
        while (!containing.empty()) {
            const float end = Row(containing.top()).station2;
            if (inclusive ? end >= beyond : end > beyond)
                return containing.top();
            containing.pop();
        }
        return std::int32_t{0};
    };
    atEnd.resize(ends.size());
    std::size_t next = 0;
    for (std::size_t j = 0; j < ends.size(); ++j) {
        for (; next < rows.size() && Row(rows[next]).station1 <= ends[j]; ++next)
            containing.push(rows[next]);
        atEnd[j] = top(ends[j], true);
        if (j + 1 == ends.size())
            break;
        DecidedPiece piece{ends[j], ends[j + 1], top(ends[j], false)};
        if (piece.row != 0) {
            const auto [low, high] = RowRange(Row(piece.row), piece.first, piece.last);
            piece.low = static_cast<float>(low);
            piece.high = static_cast<float>(high);
        }
        pieces.push_back(piece);
    }
}

// Works out again the blocks holding the pieces from firstPiece to lastPiece.
void DecidedRows::SummarizeBlocks(std::size_t firstPiece, std::size_t lastPiece,
                                  const std::vector<float>* k, const std::vector<CurveShape>* shape)
{
    const std::size_t end = std::min(lastPiece / BlockPieces + 1, blocks_.size());
    for (std::size_t b = firstPiece / BlockPieces; b < end; ++b) {
        const std::size_t first = b * BlockPieces;
        PieceBlock block{pieces_[first].first,
                         pieces_[first + BlockPieces - 1].last,
                         None,
                         -None,
                         false,
                         None,
                         None};
        for (std::size_t i = first; i < first + BlockPieces; ++i) {
            const DecidedPiece& piece = pieces_[i];
            block.gap = block.gap || piece.row == 0;
            if (piece.row == 0)
                continue;
            block.low = std::min(block.low, piece.low);
            block.high = std::max(block.high, piece.high);
            const auto row = static_cast<std::size_t>(piece.row);
            if (k == nullptr || std::isnan((*k)[row]))
                continue;
            float& least = (*shape)[row] == CurveShape::Crest ? block.crestK : block.sagK;
            least = std::min(least, (*k)[row]);
        }
        blocks_[b] = block;
    }
}

void ProfileViewIndex::RowChanged(const ProfileState& state, SegmentKind kind, std::int32_t row)
{
    const bool curve = kind == SegmentKind::VerticalCurve;
    DecidedRows& rows = curve ? curves : segments;
    const std::optional<SegmentRow> now = RowOf(state, kind, row);
    if (!now || CountOf(state, kind) != rows.RowCount()) {
        KindChanged(state, kind);
        return;
    }
    if (!curve) {
        segments.RowChanged(row, *now, nullptr, nullptr);
        return;
    }
    const auto i = static_cast<std::size_t>(row);
    curveShape[i] = ShapeOf(*now);
    const std::optional<double> k = KOf(*now);
    curveK[i] = k ? static_cast<float>(*k) : std::numeric_limits<float>::quiet_NaN();
    curves.RowChanged(row, *now, &curveK, &curveShape);
}

void ProfileViewIndex::KindChanged(const ProfileState& state, SegmentKind kind)
{
    if (kind == SegmentKind::Superelevation) {
        segments = DecidedRows(state, kind);
        return;
    }
    curves = DecidedRows(state, kind);
    const std::int32_t count = curves.RowCount();
    curveK.assign(static_cast<std::size_t>(count) + 1, std::numeric_limits<float>::quiet_NaN());
    curveShape.assign(curveK.size(), CurveShape::Straight);
    for (std::int32_t r = 1; r <= count; ++r) {
        const SegmentRow& values = curves.Row(r);
        const auto i = static_cast<std::size_t>(r);
        curveShape[i] = ShapeOf(values);
        if (const std::optional<double> k = KOf(values))
            curveK[i] = static_cast<float>(*k);
    }
    curves.NoteCurveKs(curveK, curveShape);
}

}  // namespace ravo
