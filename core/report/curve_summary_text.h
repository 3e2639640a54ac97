// The curve summaries as ravo-calc's "curves" prints them.
#pragma once

#include <optional>
#include <ostream>

#include "core/design/curve_summary.h"
#include "core/design/design_speed.h"
#include "core/profile/profile_state.h"

namespace ravo {

// A block of lines for each curve and then each segment of the profile, in row
// order, fields at the report's columns 1, 15, 30 and 45. With a design speed,
// the sight distance and minimum K first, and each curve's minimum K.
void WriteCurves(std::ostream& out, const ProfileState& state, bool plusNotation,
                 const std::optional<DesignSpeed>& design = std::nullopt);

}  // namespace ravo
