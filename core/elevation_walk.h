// Elevations at many stations in a row: tables, logs and the profile window ask
// for thousands of stations at once, and one full pass over the rows per
// station would make that cost stations x rows.
#pragma once

#include <cstdint>

#include "profile_state.h"

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

// Walks the rows of a profile along a sequence of stations. Each point is
// exactly what CalculateElevation stores for that station and offset. The walk
// reads the state's tables, which must not change while it is in use.
class ElevationWalk {
public:
    explicit ElevationWalk(const ProfileState& state);

    WalkPoint At(float station, float offset = 0);

private:
    const ProfileState& state_;
};

}  // namespace ravo
