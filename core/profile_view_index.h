// Which row decides each stretch of the road, worked out once for a profile so
// that the profile window can draw any part of it without a pass over all rows.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "curve_summary.h"
#include "profile_state.h"

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

// The deciding rows of one kind of row, stretch by stretch along the road.
class DecidedRows {
public:
    DecidedRows() = default;
    DecidedRows(const ProfileState& state, SegmentKind kind);

    // The row the calculation takes at this station: the last one containing
    // it, both ends included; 0 in a gap or beyond the rows.
    std::int32_t RowAt(float station) const;

    // Pieces between the first and the last row end, in station order. A piece
    // with row 0 is a gap: no row contains it.
    const std::vector<DecidedPiece>& Pieces() const { return pieces_; }
    // The index of the first piece that ends after the station.
    std::size_t FirstPieceEndingAfter(double station) const;
    const SegmentRow& Row(std::int32_t row) const { return rows_[static_cast<std::size_t>(row)]; }
    std::int32_t RowCount() const { return static_cast<std::int32_t>(rows_.size()) - 1; }
    bool Empty() const { return ends_.empty(); }
    double FirstStation() const { return ends_.front(); }
    double LastStation() const { return ends_.back(); }

private:
    std::vector<SegmentRow> rows_;      // row 0 unused
    std::vector<float> ends_;           // every distinct row end, ascending
    std::vector<std::int32_t> atEnd_;   // the row deciding exactly at ends_[i]
    std::vector<DecidedPiece> pieces_;  // pieces_[i] runs from ends_[i] to ends_[i + 1]
};

// The least and greatest value of a row between two of its stations.
std::pair<double, double> RowRange(const SegmentRow& row, double first, double last);

// What the profile window draws from, rebuilt when the profile changes.
struct ProfileViewIndex {
    ProfileViewIndex() = default;
    explicit ProfileViewIndex(const ProfileState& state);

    DecidedRows curves;
    DecidedRows segments;
    // K and shape of each curve row (index 0 unused); K is NaN where the row
    // has none (equal grades, no length).
    std::vector<float> curveK;
    std::vector<CurveShape> curveShape;
};

}  // namespace ravo
