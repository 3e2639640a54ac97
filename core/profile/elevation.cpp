// The elevation calculation over the curve and segment rows.
#include "core/profile/elevation.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "core/text/numbers.h"

namespace ravo {
namespace {

// Rows are scanned in blocks: a branch-free containment test over a block of
// station pairs, which the compiler vectorises, then the formula only for the
// rows of a block that contain the station, in row order. Most blocks contain
// nothing, so the scan runs at close to memory speed.
constexpr std::size_t BlockRows = 256;

bool BlockContains(const float* station1, const float* station2, std::size_t rows, float station)
{
    // All-ones masks combined with AND/OR keep the loop in vector registers.
    std::int32_t any = 0;
    for (std::size_t i = 0; i < rows; ++i)
        any |= -static_cast<std::int32_t>(station1[i] <= station) &
               -static_cast<std::int32_t>(station <= station2[i]);
    return any != 0;
}

// Walks rows 1..count of one kind and returns the value of the last row that
// contains the station; `result` is updated after each containing row, so that
// on a failure it holds what the earlier rows stored.
void LastContainingValue(const ConstKindTables& tables, std::int32_t count, float station,
                         float& result)
{
    if (count < 1)
        return;
    const std::vector<float>& sta1 = *tables[IndexOf(Column::Station1)];
    const std::vector<float>& sta2 = *tables[IndexOf(Column::Station2)];
    const std::size_t end = RowsEnd(tables, count);

    for (std::size_t first = 1; first < end; first += BlockRows) {
        const std::size_t rows = std::min(BlockRows, end - first);
        if (!BlockContains(sta1.data() + first, sta2.data() + first, rows, station))
            continue;
        for (std::size_t i = first; i < first + rows; ++i) {
            if (!(sta1[i] <= station && station <= sta2[i]))
                continue;
            const double value = RowValue(TableRow(tables, i), station);
            if (std::isnan(value))
                throw OverflowError("zero-length row contains the station");
            result = ToFloat(value);
        }
    }
}

}  // namespace

double RowValue(const SegmentRow& row, double station)
{
    const double x = station - row.station1;
    double p = x * x;
    p = p * (static_cast<double>(row.rate2) - row.rate1);
    const double length = static_cast<double>(row.station2) - row.station1;
    const double q = p / (length + length);
    const double b = (station - row.station1) * row.rate1 + row.start;
    return q + b;
}

void CalculateElevation(ProfileState& state)
{
    state.CalcElevation = 0;
    LastContainingValue(TablesOf(std::as_const(state), SegmentKind::VerticalCurve), state.NumVC,
                        state.CalcStation, state.CalcElevation);
    state.CalcSuper = 0;
    LastContainingValue(TablesOf(std::as_const(state), SegmentKind::Superelevation), state.NumSup,
                        state.CalcStation, state.CalcSuper);
    state.CalcElevation = ToFloat(static_cast<double>(state.CalcOffset) * state.CalcSuper +
                                  static_cast<double>(state.CalcElevation));
}

}  // namespace ravo
