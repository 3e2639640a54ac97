// The profile record's segment tables: sizing them and reading their rows.
#include "core/profile/profile_state.h"

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

std::size_t RowsEnd(const ConstKindTables& tables, std::int32_t count)
{
    if (count < 1)
        return 1;
    std::size_t end = static_cast<std::size_t>(count) + 1;
    for (const std::vector<float>* table : tables)
        end = std::min(end, table->size());
    return std::max<std::size_t>(end, 1);
}

bool IsRow(const ProfileState& state, SegmentKind kind, std::int32_t row)
{
    return row >= 1 &&
           static_cast<std::size_t>(row) < RowsEnd(TablesOf(state, kind), CountOf(state, kind));
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
    return TableRow(TablesOf(state, kind), static_cast<std::size_t>(row));
}

SegmentRow TableRow(const ConstKindTables& tables, std::size_t i)
{
    return {(*tables[IndexOf(Column::Start)])[i], (*tables[IndexOf(Column::Rate1)])[i],
            (*tables[IndexOf(Column::Rate2)])[i], (*tables[IndexOf(Column::Station1)])[i],
            (*tables[IndexOf(Column::Station2)])[i]};
}

std::string KindRowName(SegmentKind kind, bool plural)
{
    const std::string name =
        kind == SegmentKind::VerticalCurve ? "curve" : "superelevation segment";
    return plural ? name + "s" : name;
}

}  // namespace ravo
