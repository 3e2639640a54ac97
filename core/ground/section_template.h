// The cross-section template of a first earthwork estimate: a formation of
// width W on level ground across, with side slopes of 1:n in fill and in cut.
#pragma once

namespace ravo {

struct SectionTemplate {
    double width = 0;          // formation width W
    double fillSlope = 2;      // n of a 1:n fill side slope (horizontal per vertical)
    double cutSlope = 2;       // n of a 1:n cut side slope
    double pavementDepth = 0;  // formation below the grade line
    double cutFactor = 1;      // a cut volume times this is the fill it makes (shrink/swell)
};

// The depth of the formation above the ground (fill positive, cut negative)
// where the grade line is at `design` and the ground at `ground`.
[[nodiscard]] double FormationDepth(const SectionTemplate& section, double design, double ground);

// The cross-section areas at a formation depth: a trapezium of top W
// and sides 1:n, h·(W + n·h) for h the depth in fill or in cut.
[[nodiscard]] double FillArea(const SectionTemplate& section, double depth);
[[nodiscard]] double CutArea(const SectionTemplate& section, double depth);

}  // namespace ravo
