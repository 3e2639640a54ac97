// The deciding row of every stretch of road, swept once from the row ends.
#include "core/view/profile_view_index.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>

#include "core/profile/elevation.h"

namespace ravo {
namespace {

struct RowEnd {
    float station;
    std::int32_t row;
    bool begins;
};

}  // namespace

// At the ends, or where the rate passes through 0 in between.
std::pair<double, double> RowRange(const SegmentRow& row, double first, double last)
{
    double a = RowValue(row, first);
    double b = RowValue(row, last);
    double lo = std::min(a, b);
    double hi = std::max(a, b);
    const double change = static_cast<double>(row.rate2) - row.rate1;
    const double length = static_cast<double>(row.station2) - row.station1;
    if (change != 0 && length > 0) {
        const double turn = row.station1 - row.rate1 * length / change;
        if (turn > first && turn < last) {
            const double v = RowValue(row, turn);
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    return {lo, hi};
}

// A sweep along the row ends with the containing rows in a heap by row number:
// the top of the heap is the last containing row. Rows that have ended are
// dropped only when they reach the top.
DecidedRows::DecidedRows(const ProfileState& state, SegmentKind kind)
{
    rows_.resize(1);
    std::vector<RowEnd> events;
    ForEachRow(state, kind, [&](std::int32_t r, const SegmentRow& row) {
        rows_.push_back(row);
        if (!(row.station1 <= row.station2))
            return;  // a reversed row contains no station
        events.push_back({row.station1, r, true});
        events.push_back({row.station2, r, false});
    });
    std::sort(events.begin(), events.end(),
              [](const RowEnd& a, const RowEnd& b) { return a.station < b.station; });

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
    for (std::size_t i = 0; i < events.size();) {
        const float station = events[i].station;
        for (; i < events.size() && events[i].station == station; ++i) {
            if (events[i].begins)
                containing.push(events[i].row);
        }
        ends_.push_back(station);
        atEnd_.push_back(top(station, true));
        if (i < events.size()) {
            DecidedPiece piece{station, events[i].station, top(station, false)};
            if (piece.row != 0) {
                const auto [low, high] = RowRange(Row(piece.row), piece.first, piece.last);
                piece.low = static_cast<float>(low);
                piece.high = static_cast<float>(high);
            }
            pieces_.push_back(piece);
        }
    }
    // A block for each whole run of BlockPieces pieces; the last few have none.
    blocks_.resize(pieces_.size() / BlockPieces);
    if (!blocks_.empty())
        SummarizeBlocks(0, pieces_.size() - 1, nullptr, nullptr);
}

void DecidedRows::NoteCurveKs(const std::vector<float>& k, const std::vector<CurveShape>& shape)
{
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        for (std::size_t i = b * BlockPieces; i < (b + 1) * BlockPieces; ++i) {
            const auto row = static_cast<std::size_t>(pieces_[i].row);
            if (row == 0 || std::isnan(k[row]))
                continue;
            float& least = shape[row] == CurveShape::Crest ? blocks_[b].crestK : blocks_[b].sagK;
            least = std::min(least, k[row]);
        }
    }
}

std::int32_t DecidedRows::RowAt(float station) const
{
    const auto next = std::upper_bound(ends_.begin(), ends_.end(), station);
    if (next == ends_.begin())
        return 0;
    const auto i = static_cast<std::size_t>(next - ends_.begin()) - 1;
    if (ends_[i] == station)
        return atEnd_[i];
    return i < pieces_.size() ? pieces_[i].row : 0;
}

std::size_t DecidedRows::FirstPieceEndingAfter(double station) const
{
    return static_cast<std::size_t>(std::upper_bound(pieces_.begin(), pieces_.end(), station,
                                                     [](double s, const DecidedPiece& p) {
                                                         return s < static_cast<double>(p.last);
                                                     }) -
                                    pieces_.begin());
}

std::size_t DecidedRows::FirstPieceEndingAfter(double station, std::size_t from) const
{
    std::size_t b = from / BlockPieces;
    while (b < blocks_.size() && blocks_[b].last <= station)
        ++b;
    std::size_t i = std::max(from, b * BlockPieces);
    while (i < pieces_.size() && pieces_[i].last <= station)
        ++i;
    return i;
}

ProfileViewIndex::ProfileViewIndex(const ProfileState& state)
    : segments(state, SegmentKind::Superelevation)
{
    KindChanged(state, SegmentKind::VerticalCurve);
}

}  // namespace ravo
