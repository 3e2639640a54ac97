// The program-wide record that every window and procedure of Ravo works on,
// and the few operations that size and address its segment tables.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ravo {

// One record for the whole run, zero-filled at start. Each of the ten tables is
// indexed by row number; row 0 is never used, so a kind with count n has
// tables of at least n + 1 entries. Measured values are 32-bit floats; the
// arithmetic on them is done in double precision by the callers.
struct ProfileState {
    std::int16_t OutputFileNum = 0;  // file number of the report, 0 before any opening
    float CalcStation = 0;           // station of the point being calculated
    float CalcOffset = 0;            // offset of that point
    float CalcElevation = 0;         // finished elevation from the last calculation
    float CalcSuper = 0;             // superelevation from the last calculation

    // Vertical curves: beginning elevation, beginning and ending grade,
    // beginning and ending station.
    std::vector<float> VcElevation1;
    std::vector<float> VcGrade1;
    std::vector<float> VcGrade2;
    std::vector<float> VcSta1;
    std::vector<float> VcSta2;

    // Superelevation segments: beginning superelevation, beginning and ending
    // super grade, beginning and ending station.
    std::vector<float> SupSuper1;
    std::vector<float> SupGrade1;
    std::vector<float> SupGrade2;
    std::vector<float> SupSta1;
    std::vector<float> SupSta2;

    std::int32_t NumVC = 0;   // rows 1..NumVC are the vertical curves
    std::int32_t NumSup = 0;  // rows 1..NumSup are the superelevation segments
    std::int32_t IdxVC = 0;   // curve shown in the editor
    std::int32_t IdxSup = 0;  // segment shown in the editor
    float PrevStation = 0;    // station of the previous elevations "Next" press
    std::int32_t LoggingOn = 0;

    std::string InputPath;
    std::string OutputPath;
    std::string InputFileTitle;   // file-name part of InputPath
    std::string OutputFileTitle;  // file-name part of OutputPath
    std::string OutputTitle;      // optional title of the profile
    std::string VersionText;      // version text of the echo report
    std::int32_t Loading = 0;     // 1 while a loaded profile is put into the window
};

// The most rows of either kind: the largest count that a count box takes and
// that a file may load, for the curves and for the segments alike.
inline constexpr std::int32_t MaxSegmentCount = 1'000'000;

// The two kinds of rows in the profile.
enum class SegmentKind { VerticalCurve, Superelevation };

// The five columns of a row, in file and editor order. For a vertical curve they
// are elevation, grade 1, grade 2, station 1, station 2; for a superelevation
// segment superelevation, super grade 1, super grade 2, station 1, station 2.
enum class Column { Start = 0, Rate1, Rate2, Station1, Station2 };
inline constexpr int ColumnCount = 5;

// One row of either kind, in column order.
struct SegmentRow {
    float start = 0;
    float rate1 = 0;
    float rate2 = 0;
    float station1 = 0;
    float station2 = 0;

    bool operator==(const SegmentRow&) const = default;
};

// One column of a row, by its place in column order.
float ColumnValue(const SegmentRow& row, Column column);

// The place of a column in a kind's tables.
inline constexpr std::size_t IndexOf(Column column) { return static_cast<std::size_t>(column); }

using KindTables = std::array<std::vector<float>*, ColumnCount>;
using ConstKindTables = std::array<const std::vector<float>*, ColumnCount>;

KindTables TablesOf(ProfileState& state, SegmentKind kind);
ConstKindTables TablesOf(const ProfileState& state, SegmentKind kind);
std::vector<float>& TableOf(ProfileState& state, SegmentKind kind, Column column);
const std::vector<float>& TableOf(const ProfileState& state, SegmentKind kind, Column column);

std::int32_t& CountOf(ProfileState& state, SegmentKind kind);
std::int32_t CountOf(const ProfileState& state, SegmentKind kind);
std::int32_t& CurrentRowOf(ProfileState& state, SegmentKind kind);

// Re-creates the five tables of a kind with rows 0..count, every value 0, and
// sets the kind's count; the previous rows are discarded. Used both for a typed
// count and before a load fills the rows. A negative count is stored as 0.
void RecreateTables(ProfileState& state, SegmentKind kind, std::int32_t count);

// True when row is one of the kind's rows: 1..count, and present in the tables.
bool IsRow(const ProfileState& state, SegmentKind kind, std::int32_t row);

// Stores a value into one column of a row. A row outside the rows is refused:
// nothing is written and the result is false.
bool StoreField(ProfileState& state, SegmentKind kind, Column column, std::int32_t row,
                float value);

// "curve" or "superelevation segment", as messages name a row of the kind;
// with plural, "curves" or "superelevation segments".
std::string KindRowName(SegmentKind kind, bool plural = false);

// Reads a row; empty for a row outside the rows.
std::optional<SegmentRow> RowOf(const ProfileState& state, SegmentKind kind, std::int32_t row);

// The values at index i of a kind's tables, which must hold it.
SegmentRow TableRow(const ConstKindTables& tables, std::size_t i);

// One past the last row that the count names and every table holds; 1 when
// there is none. A count beyond the rows of the tables is never followed.
std::size_t RowsEnd(const ConstKindTables& tables, std::int32_t count);

// Calls visit(row, values) for the rows 1 to the count in order. A count beyond
// the rows that the tables hold ends the walk at their end.
template <typename Visit>
void ForEachRow(const ProfileState& state, SegmentKind kind, Visit&& visit)
{
    const ConstKindTables tables = TablesOf(state, kind);
    const std::size_t end = RowsEnd(tables, CountOf(state, kind));
    for (std::size_t i = 1; i < end; ++i)
        visit(static_cast<std::int32_t>(i), TableRow(tables, i));
}

}  // namespace ravo
