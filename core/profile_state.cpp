#include "profile_state.h"

#include <algorithm>
#include <cstddef>

namespace ravo {

float ColumnValue(const SegmentRow& row, Column column)
{
    switch (column) {
    case Column::Start:
        return row.start;
    case Column::Rate1:
        return row.rate1;
    case Column::Rate2:
        return row.rate2;
    case Column::Station1:
        return row.station1;
    case Column::Station2:
        return row.station2;
    }
    return 0;
}

KindTables TablesOf(ProfileState& state, SegmentKind kind)
{
    if (kind == SegmentKind::VerticalCurve)
        return {&state.VcElevation1, &state.VcGrade1, &state.VcGrade2, &state.VcSta1,
                &state.VcSta2};
    return {&state.SupSuper1, &state.SupGrade1, &state.SupGrade2, &state.SupSta1, &state.SupSta2};
}

ConstKindTables TablesOf(const ProfileState& state, SegmentKind kind)
{
    if (kind == SegmentKind::VerticalCurve)
        return {&state.VcElevation1, &state.VcGrade1, &state.VcGrade2, &state.VcSta1,
                &state.VcSta2};
    return {&state.SupSuper1, &state.SupGrade1, &state.SupGrade2, &state.SupSta1, &state.SupSta2};
}

std::vector<float>& TableOf(ProfileState& state, SegmentKind kind, Column column)
{
    return *TablesOf(state, kind)[IndexOf(column)];
}

const std::vector<float>& TableOf(const ProfileState& state, SegmentKind kind, Column column)
{
    return *TablesOf(state, kind)[IndexOf(column)];
}

std::int32_t& CountOf(ProfileState& state, SegmentKind kind)
{
    return kind == SegmentKind::VerticalCurve ? state.NumVC : state.NumSup;
}

std::int32_t CountOf(const ProfileState& state, SegmentKind kind)
{
    return kind == SegmentKind::VerticalCurve ? state.NumVC : state.NumSup;
}

std::int32_t& CurrentRowOf(ProfileState& state, SegmentKind kind)
{
    return kind == SegmentKind::VerticalCurve ? state.IdxVC : state.IdxSup;
}

void RecreateTables(ProfileState& state, SegmentKind kind, std::int32_t count)
{
    const std::int32_t rows = std::max<std::int32_t>(count, 0);
    for (std::vector<float>* table : TablesOf(state, kind)) {
        // A fresh vector, so that a shrinking count gives the memory back.
        std::vector<float>(static_cast<std::size_t>(rows) + 1, 0.0f).swap(*table);
    }
    CountOf(state, kind) = rows;
}

bool IsRow(const ProfileState& state, SegmentKind kind, std::int32_t row)
{
    if (row < 1 || row > CountOf(state, kind))
        return false;
    const auto rowIndex = static_cast<std::size_t>(row);
    for (const std::vector<float>* table : TablesOf(state, kind)) {
        if (rowIndex >= table->size())
            return false;
    }
    return true;
}

bool StoreField(ProfileState& state, SegmentKind kind, Column column, std::int32_t row, float value)
{
    if (!IsRow(state, kind, row))
        return false;
    TableOf(state, kind, column)[static_cast<std::size_t>(row)] = value;
    return true;
}

std::optional<SegmentRow> RowOf(const ProfileState& state, SegmentKind kind, std::int32_t row)
{
    if (!IsRow(state, kind, row))
        return std::nullopt;
    const auto i = static_cast<std::size_t>(row);
    const auto value = [&](Column column) { return TableOf(state, kind, column)[i]; };
    return SegmentRow{value(Column::Start), value(Column::Rate1), value(Column::Rate2),
                      value(Column::Station1), value(Column::Station2)};
}

}  // namespace ravo
