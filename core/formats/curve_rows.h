// The vertical curve rows of a profile in station order, read in place from
// its tables when they are in that order already, as they mostly are.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "core/profile/profile_state.h"

namespace ravo {

class CurveRows {
public:
    explicit CurveRows(const ProfileState& state)
    {
        const ConstKindTables tables = TablesOf(state, SegmentKind::VerticalCurve);
        size_ = RowsEnd(tables, state.NumVC) - 1;
        for (std::size_t c = 0; c < ColumnCount; ++c)
            columns_[c] = tables[c]->data();
        const float* station = columns_[IndexOf(Column::Station1)];
        for (std::size_t i = 2; i <= size_; ++i) {
            if (station[i] < station[i - 1]) {
                SortAlongTheRoad(state);
                return;
            }
        }
    }

    std::size_t size() const { return size_; }
    SegmentRow operator[](std::size_t k) const { return sorted_.empty() ? InTable(k) : sorted_[k]; }
    SegmentRow front() const { return (*this)[0]; }
    SegmentRow back() const { return (*this)[size_ - 1]; }

private:
    // Row k in the tables, which begin with row 0 that is no curve.
    SegmentRow InTable(std::size_t k) const
    {
        return {columns_[0][k + 1], columns_[1][k + 1], columns_[2][k + 1], columns_[3][k + 1],
                columns_[4][k + 1]};
    }

    // Rows out of order are copied and sorted, rows at the same station kept
    // in the order of the tables.
    void SortAlongTheRoad(const ProfileState& state)
    {
        sorted_.reserve(size_);
        ForEachRow(state, SegmentKind::VerticalCurve,
                   [&](std::int32_t, const SegmentRow& row) { sorted_.push_back(row); });
        std::stable_sort(
            sorted_.begin(), sorted_.end(),
            [](const SegmentRow& a, const SegmentRow& b) { return a.station1 < b.station1; });
    }

    std::array<const float*, ColumnCount> columns_{};
    std::size_t size_ = 0;
    std::vector<SegmentRow> sorted_;
};

}  // namespace ravo
