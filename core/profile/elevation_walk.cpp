// Elevations along a monotonic run of stations, with the containing rows kept in a heap.
#include "core/profile/elevation_walk.h"

#include <algorithm>
#include <cmath>

#include "core/profile/elevation.h"
#include "core/text/numbers.h"

namespace ravo {
namespace {

// True when the row's value can fail somewhere on it. Between its ends the
// value is at most L |G2 - G1| / 2 + L |G1| + |E1| in magnitude, and the few
// roundings of the formula stay far inside the margin to the float range.
bool CanFail(const SegmentRow& row)
{
    const double length = static_cast<double>(row.station2) - row.station1;
    const double rate1 = row.rate1;
    const double bound = length * (std::fabs(row.rate2 - rate1) / 2 + std::fabs(rate1)) +
                         std::fabs(static_cast<double>(row.start));
    return !(length > 0 && bound < 0x1p+126);
}

bool ValueFails(const SegmentRow& row, float station)
{
    try {
        ToFloat(RowValue(row, station));
        return false;
    } catch (const OverflowError&) {
        return true;
    }
}

}  // namespace

RowWalk::RowWalk(const ProfileState& state, SegmentKind kind) : tables_(TablesOf(state, kind))
{
    const std::int32_t count = CountOf(state, kind);
    if (count < 1)
        return;
    end_ = RowsEnd(tables_, count);
    risky_.resize(end_);
    for (std::size_t i = 1; i < end_; ++i)
        risky_[i] = CanFail(TableRow(tables_, i));
}

void RowWalk::Restart(bool downwards)
{
    started_ = true;
    downwards_ = downwards;
    const std::vector<float>& sta1 = *tables_[3];
    const std::vector<float>& sta2 = *tables_[4];
    enter_.assign(end_, 0);
    leave_.assign(end_, 0);
    order_.clear();
    for (std::size_t i = 1; i < end_; ++i) {
        enter_[i] = downwards ? -sta2[i] : sta1[i];
        leave_[i] = downwards ? -sta1[i] : sta2[i];
        // Rows with an end before the beginning, or a NaN end, contain nothing.
        if (enter_[i] <= leave_[i])
            order_.push_back(static_cast<std::int32_t>(i));
    }
    std::sort(order_.begin(), order_.end(), [this](std::int32_t a, std::int32_t b) {
        return enter_[static_cast<std::size_t>(a)] < enter_[static_cast<std::size_t>(b)];
    });
    next_ = 0;
    heap_.clear();
    riskyEntered_.clear();
}

void RowWalk::Enter(float key)
{
    for (; next_ < order_.size(); ++next_) {
        const std::int32_t row = order_[next_];
        if (!(enter_[static_cast<std::size_t>(row)] <= key))
            break;
        heap_.push_back(row);
        std::push_heap(heap_.begin(), heap_.end());
        if (risky_[static_cast<std::size_t>(row)])
            riskyEntered_.push_back(row);
    }
    while (!heap_.empty() && leave_[static_cast<std::size_t>(heap_.front())] < key) {
        std::pop_heap(heap_.begin(), heap_.end());
        heap_.pop_back();
    }
}

// The calculation fails at the first containing row whose value fails, before
// any later row is looked at: one failing containing row fails the station.
// Returns that row, 0 for none.
std::int32_t RowWalk::FirstFailingRow(float key, float station)
{
    std::erase_if(riskyEntered_, [this, key](std::int32_t row) {
        return leave_[static_cast<std::size_t>(row)] < key;
    });
    std::int32_t first = 0;
    for (std::int32_t row : riskyEntered_) {
        if ((first == 0 || row < first) &&
            ValueFails(TableRow(tables_, static_cast<std::size_t>(row)), station))
            first = row;
    }
    return first;
}

RowWalk::Result RowWalk::At(float station)
{
    if (std::isnan(station) || end_ <= 1)
        return {};  // no row contains it
    if (!started_)
        Restart(false);
    else if ((downwards_ ? -station : station) < lastKey_)
        Restart(!downwards_);
    const float key = downwards_ ? -station : station;
    lastKey_ = key;

    Enter(key);
    if (!riskyEntered_.empty()) {
        if (const std::int32_t failing = FirstFailingRow(key, station))
            return {.ok = false, .row = failing};
    }
    if (heap_.empty())
        return {};
    const std::int32_t row = heap_.front();
    // A risky row that contains the station has been checked above.
    const double value = RowValue(TableRow(tables_, static_cast<std::size_t>(row)), station);
    return {.value = static_cast<float>(value), .row = row};
}

ElevationWalk::ElevationWalk(const ProfileState& state)
    : curves_(state, SegmentKind::VerticalCurve), segments_(state, SegmentKind::Superelevation)
{
}

WalkPoint ElevationWalk::At(float station, float offset)
{
    const RowWalk::Result curve = curves_.At(station);
    if (!curve.ok)
        return {.ok = false, .curveRow = curve.row};
    const RowWalk::Result segment = segments_.At(station);
    if (!segment.ok)
        return {.ok = false, .segmentRow = segment.row};
    try {
        return {.gradeElevation = curve.value,
                .super = segment.value,
                .elevation = ToFloat(static_cast<double>(offset) * segment.value +
                                     static_cast<double>(curve.value)),
                .curveRow = curve.row,
                .segmentRow = segment.row};
    } catch (const OverflowError&) {
        return {.ok = false};
    }
}

std::string InvalidEntryReason(const ProfileState& state, const WalkPoint& point)
{
    const SegmentKind kind =
        point.curveRow != 0 ? SegmentKind::VerticalCurve : SegmentKind::Superelevation;
    const std::int32_t row = point.curveRow != 0 ? point.curveRow : point.segmentRow;
    if (const std::optional<SegmentRow> values = RowOf(state, kind, row);
        values && values->station1 == values->station2)
        return KindRowName(kind) + " " + std::to_string(row) + " has zero length at this station";
    return "a result lies beyond the range of a 32-bit float";
}

}  // namespace ravo
