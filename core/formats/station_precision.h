// How finely the rows hold the stations of a loaded profile: a note when some
// station lies where 32-bit floats are farther apart than the road needs.
#pragma once

#include <optional>
#include <string>

#include "core/formats/input_file.h"

namespace ravo {

// The largest step between stations that may pass unnoted: a millimetre in a
// profile in metres.
inline constexpr double StationStepLimit = 0.001;

// One note when a station of any row (curve or segment, either end) lies where
// the float step exceeds `limit`, naming the farthest station and its step;
// none otherwise.
std::optional<std::string> StationPrecisionNote(const InputProfile& profile,
                                                double limit = StationStepLimit);

}  // namespace ravo
