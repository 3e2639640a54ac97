// The existing ground along the road as a polyline of stations and
// elevations, with the elevation between its points and the notes its
// making gives (duplicates merged, points out of order).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/formats/ground_line.h"

namespace ravo {

class GroundProfile {
public:
    GroundProfile() = default;

    // Sorts the points by station and merges points at the same station into
    // one (their mean elevation), noting each kind of change once. Throws
    // std::invalid_argument for a station or elevation that is not finite.
    explicit GroundProfile(std::vector<GroundPoint> points);

    // The ground at a station, straight between neighbouring points; nothing
    // before the first point, after the last, or on an empty line.
    [[nodiscard]] std::optional<double> ElevationAt(double station) const;

    // The lowest and highest ground between two stations, the ends read
    // between points; nothing where the ground does not reach.
    [[nodiscard]] std::optional<std::pair<double, double>> ElevationRange(double from,
                                                                          double to) const;

    [[nodiscard]] const std::vector<GroundPoint>& Points() const { return points_; }
    [[nodiscard]] bool Empty() const { return points_.empty(); }
    [[nodiscard]] const std::vector<std::string>& Notes() const { return notes_; }

private:
    // Points a block of the lowest and highest elevations holds, so that the
    // range over a long stretch, asked at every pan and zoom, reads blocks.
    static constexpr std::size_t kBlockPoints = 1024;

    std::vector<GroundPoint> points_;                // stations strictly increasing
    std::vector<std::pair<double, double>> blocks_;  // lowest, highest of each whole block
    std::vector<std::string> notes_;
};

// The ground at a station and the depth of a design elevation above it,
// design - ground (fill positive, cut negative); both empty where the ground
// has no point (before its first point or after its last).
struct CutFill {
    std::optional<double> ground;
    std::optional<double> depth;
};
[[nodiscard]] CutFill CutFillAt(const GroundProfile& ground, double station, double design);

}  // namespace ravo
