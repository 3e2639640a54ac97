// The existing ground along an alignment, as a LandXML ProfSurf gives it: a
// named line of station and elevation pairs, kept with the design profile for
// the ground and earthwork work that uses it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ravo {

struct GroundPoint {
    double station = 0;
    double elevation = 0;

    bool operator==(const GroundPoint&) const = default;
};

struct GroundLine {
    std::string name;                 // empty when the file gives none
    std::string state;                // e.g. "existing"; empty when not given
    std::vector<GroundPoint> points;  // in the file's order

    bool operator==(const GroundLine&) const = default;
};

// The most points of one ground line: a survey every metre over 10 000 km.
inline constexpr std::size_t MaxGroundLinePoints = 10'000'000;

// The points of a PntList2D text, "station elevation" pairs separated by
// blanks. Throws InputFileError with `where` (the line and element) for a
// word that is not a number, an odd count of numbers, or more than
// MaxGroundLinePoints points.
std::vector<GroundPoint> GroundPointsOf(std::string_view text, const std::string& where);

// One note for the user per ground line: its name, state, point count and
// station range, numbers in their shortest exact text.
std::vector<std::string> GroundLineNotes(const std::vector<GroundLine>& lines);

}  // namespace ravo
