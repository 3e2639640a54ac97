// Which row decides each stretch of the road, worked out once for a profile so
// that the profile window can draw any part of it without a pass over all rows.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "core/design/curve_summary.h"
#include "core/profile/profile_state.h"

namespace ravo {

// One stretch of road between two successive row ends, with the row that the
// calculation takes there (the last row containing it), 0 where none does.
struct DecidedPiece {
    float first = 0;
    float last = 0;
    std::int32_t row = 0;
    float low = 0;  // the least and greatest value of the row over the piece, rounded
    float high = 0;
};

// What a run of pieces holds, so that a view can take many pieces that fall
// into one pixel column at once.
struct PieceBlock {
    float first = 0;  // where the first piece begins and the last one ends
    float last = 0;
    float low = 0;
    float high = 0;
    bool gap = false;  // one of the pieces lies inside no row
    float crestK = 0;  // the least K of the crests deciding them; infinity for none
    float sagK = 0;    // and of the sags
};

// The deciding rows of one kind of row, stretch by stretch along the road.
class DecidedRows {
public:
    static constexpr std::size_t BlockPieces = 16;

    DecidedRows() = default;
    DecidedRows(const ProfileState& state, SegmentKind kind);

    // The row the calculation takes at this station: the last one containing
    // it, both ends included; 0 in a gap or beyond the rows.
    std::int32_t RowAt(float station) const;

    // Pieces between the first and the last row end, in station order. A piece
    // with row 0 is a gap: no row contains it. After a row changed, an end may
    // stand twice with a piece of no length between (see RowChanged).
    const std::vector<DecidedPiece>& Pieces() const { return pieces_; }
    // The index of the first piece that ends after the station.
    std::size_t FirstPieceEndingAfter(double station) const;
    // The same, searching forward from piece `from` block by block: quicker
    // for a station a little way on.
    std::size_t FirstPieceEndingAfter(double station, std::size_t from) const;
    const SegmentRow& Row(std::int32_t row) const { return rows_[static_cast<std::size_t>(row)]; }
    std::int32_t RowCount() const { return static_cast<std::int32_t>(rows_.size()) - 1; }
    bool Empty() const { return ends_.empty(); }
    double FirstStation() const { return ends_.front(); }
    double LastStation() const { return ends_.back(); }
    // Block b sums up pieces b * BlockPieces up to the next block; a last,
    // partial run of pieces has no block.
    const std::vector<PieceBlock>& Blocks() const { return blocks_; }
    // Adds the least K of the curves, K and shape by row, to the blocks.
    void NoteCurveKs(const std::vector<float>& k, const std::vector<CurveShape>& shape);

    // One row now holds these values: only the pieces that it decided or now
    // may decide are worked out again (profile_view_index_update.cpp). K and
    // shape by row, when given, are already those of the new values. Where
    // the row leaves fewer ends, an end is repeated with a piece of no length
    // on the row of the piece beside it, so the pieces after keep their place.
    void RowChanged(std::int32_t row, const SegmentRow& now, const std::vector<float>* k,
                    const std::vector<CurveShape>* shape);

private:
    std::vector<SegmentRow> rows_;      // row 0 unused
    std::vector<float> ends_;           // every distinct row end, ascending
    std::vector<std::int32_t> atEnd_;   // the row deciding exactly at ends_[i]
    std::vector<DecidedPiece> pieces_;  // pieces_[i] runs from ends_[i] to ends_[i + 1]
    std::vector<PieceBlock> blocks_;
    // A tree over the row numbers holding the least first and the greatest
    // last station of the rows beneath each node, so that the rows meeting a
    // stretch are found without a pass over all of them; made on the first
    // change of a row.
    std::vector<float> extentFirst_;
    std::vector<float> extentLast_;

    void BuildExtents();
    void SetExtent(std::int32_t row);
    std::vector<std::int32_t> RowsMeeting(float first, float last) const;
    void ValuesChanged(std::int32_t row, const std::vector<float>* k,
                       const std::vector<CurveShape>* shape);
    void Resweep(float first, float last, const std::vector<float>* k,
                 const std::vector<CurveShape>* shape);
    void Sweep(std::vector<std::int32_t>& rows, const std::vector<float>& ends,
               std::vector<std::int32_t>& atEnd, std::vector<DecidedPiece>& pieces) const;
    void SummarizeBlocks(std::size_t firstPiece, std::size_t lastPiece, const std::vector<float>* k,
                         const std::vector<CurveShape>* shape);
};

// The least and greatest value of a row between two of its stations.
std::pair<double, double> RowRange(const SegmentRow& row, double first, double last);

// What the profile window draws from, rebuilt when the profile changes.
struct ProfileViewIndex {
    ProfileViewIndex() = default;
    explicit ProfileViewIndex(const ProfileState& state);

    // A field of one row was stored: its pieces, K and shape follow it, and
    // nothing else is worked out again.
    void RowChanged(const ProfileState& state, SegmentKind kind, std::int32_t row);
    // A kind's tables were made again or its count changed: that kind is
    // worked out afresh, the other kept.
    void KindChanged(const ProfileState& state, SegmentKind kind);

    DecidedRows curves;
    DecidedRows segments;
    // K and shape of each curve row (index 0 unused); K is NaN where the row
    // has none (equal grades, no length).
    std::vector<float> curveK;
    std::vector<CurveShape> curveShape;
};

}  // namespace ravo
