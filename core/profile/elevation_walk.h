// Elevations at many stations in a row: tables, logs and the profile window ask
// for thousands of stations at once, and one full pass over the rows per
// station would make that cost stations x rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/profile/profile_state.h"

namespace ravo {

// What CalculateElevation gives at one station and offset.
struct WalkPoint {
    bool ok = true;               // false where CalculateElevation throws OverflowError
    float gradeElevation = 0;     // profile grade elevation, 0 where no curve contains the station
    float super = 0;              // CalcSuper
    float elevation = 0;          // CalcElevation: grade elevation plus offset times super
    std::int32_t curveRow = 0;    // the curve row that decided, 0 for none
    std::int32_t segmentRow = 0;  // the segment row that decided, 0 for none
};

// Why the calculation fails at a point that is not ok: the row at which it
// fails has zero length, or a result leaves the float range.
std::string InvalidEntryReason(const ProfileState& state, const WalkPoint& point);

// The rows of one kind that contain a station, for stations that come in a
// monotonic order. The rows entered so far and not yet left are kept in a heap
// ordered by row number, so the last containing row is at its top; a row that
// has been passed is dropped only when it reaches the top. Each row enters and
// leaves once per direction: a walk costs O((rows + stations) log rows). A
// change of direction starts the walk over from the new station.
class RowWalk {
public:
    RowWalk(const ProfileState& state, SegmentKind kind);

    struct Result {
        bool ok = true;        // false where the calculation fails on a containing row
        float value = 0;       // the last containing row's value, 0 for none
        std::int32_t row = 0;  // that row, 0 for none; where it fails, the failing row
    };
    Result At(float station);

private:
    void Restart(bool downwards);
    void Enter(float key);
    std::int32_t FirstFailingRow(float key, float station);

    ConstKindTables tables_;
    std::size_t end_ = 1;  // rows 1..end_-1 are read, as the calculation reads them
    // Rows whose value can fail: zero length, or so large that a value may
    // leave the float range. They are evaluated at every station they contain.
    std::vector<bool> risky_;

    // Keys in the walk's direction: upwards a row is entered at its beginning
    // station and left after its end; downwards the keys are the negated end
    // and beginning, so that both directions share one forward walk.
    bool started_ = false;
    bool downwards_ = false;
    float lastKey_ = 0;
    std::vector<float> enter_;
    std::vector<float> leave_;
    std::vector<std::int32_t> order_;  // rows that can contain a station, by entering key
    std::size_t next_ = 0;             // the next row of order_ to enter
    std::vector<std::int32_t> heap_;   // entered rows, the highest row number on top
    std::vector<std::int32_t> riskyEntered_;
};

// Walks the rows of a profile along a sequence of stations. Each point is
// exactly what CalculateElevation stores for that station and offset. Where
// the calculation fails, ok is false, the values are 0, and curveRow or
// segmentRow is the row at which it fails (both 0 when the finished elevation
// itself leaves the float range). The walk
// reads the state's tables, which must not change while it is in use.
class ElevationWalk {
public:
    explicit ElevationWalk(const ProfileState& state);

    WalkPoint At(float station, float offset = 0);

private:
    RowWalk curves_;
    RowWalk segments_;
};

}  // namespace ravo
