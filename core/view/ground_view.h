// What the profile window draws of the existing ground, in pixels of a view:
// the ground line under the grade line, cut and fill between the two, and the
// mass haul diagram with its balance points.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/ground/ground_profile.h"
#include "core/ground/section_template.h"
#include "core/view/profile_view.h"

namespace ravo {

// The stretch between the grade line and the ground where one lies above the
// other: cut where the design is below the ground, fill where it is above.
struct ShadeArea {
    bool cut = false;
    std::vector<PixelPoint> outline;  // along the grade line, then back along the ground
};

// The mass ordinate (cumulative cut times the cut factor, less cumulative
// fill, from where both the grade line and the ground begin) at a column.
struct MassSample {
    double x = 0;
    double station = 0;
    double ordinate = 0;
};

struct GroundScene {
    std::vector<Polyline> groundLines;  // in the grade panel
    std::vector<ShadeArea> shading;     // in the grade panel
    std::vector<MassSample> mass;       // one a pixel column where there is a section
    Panel massPanel;                    // the mass line, its value grid and range
    std::vector<double> balanceX;       // where the mass line crosses 0 in view
};

// Most sections taken along the road before the view, so that the mass
// ordinate at the view's left edge counts the earth moved before it.
inline constexpr int MassSectionsBefore = 2048;

// The ground scene of a view, its y pixels on the grade panel's scale and, for
// a mass panel of massHeight pixels (none when 0), the mass diagram. Sections
// are taken once a pixel column (and at most MassSectionsBefore before the
// view), so the work is the width of the view, not the rows or ground points.
// Without withGroundLines the ground line is left out: it does not depend on
// the grade line, so a window may keep it while the profile changes.
GroundScene BuildGroundScene(const ProfileViewIndex& index, const GroundProfile& ground,
                             const SectionTemplate& section, const ProfileView& view,
                             const Panel& grade, int massHeight, bool withGroundLines = true);

// The ground line in the grade panel: through the points themselves, or where
// the view holds more than two a pixel, through each column's least and
// greatest ground (a pass over the points in view).
std::vector<Polyline> GroundLines(const GroundProfile& ground, const ProfileView& view,
                                  const Panel& grade);

// The grade line's elevation at a station, none where no curve row decides.
std::optional<double> GradeAt(const ProfileViewIndex& index, double station);

// The mass ordinate at x, straight between the scene's columns; none outside them.
std::optional<double> MassAtX(const GroundScene& scene, double x);

// The pointer readout for the ground at x: "Ground 101.234  Cut 1.234  Mass
// ordinate -1234.5" (the depth as Fill, Cut or "On grade"), "No ground here"
// beyond the ground; empty without a ground.
std::string GroundReadout(const ProfileViewIndex& index, const GroundProfile& ground,
                          const GroundScene& scene, const ProfileView& view, double x);

}  // namespace ravo
