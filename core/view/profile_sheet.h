// What the profile sheet adds to the scene: the tangents through each PVI,
// BVC and EVC, the labels of stations, elevations, grades and curve data
// placed clear of each other and of the marks, and a superelevation line
// drawn through the rows' own points rather than pixel by pixel.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/view/label_placer.h"
#include "core/view/profile_view.h"
#include "core/view/sheet_text.h"

namespace ravo {

// The painted width and height of a text, which may hold line breaks.
using MeasureText = std::function<std::pair<double, double>(const std::string&)>;

struct ProfileSheet {
    std::vector<std::array<PixelPoint, 3>> tangents;  // BVC, PVI, EVC of each curve
    std::vector<PixelPoint> curveEnds;                // BVC and EVC, ticked across the line
    std::vector<Box> marks;                           // every mark drawn on the grade panel
    std::vector<LabelRequest> labels;
    LabelPlacement placement;
    std::vector<Polyline> superLine;  // the superelevation in percent, in the super panel
};

// Half sizes of the marks as the window draws them, for the boxes the labels
// keep clear of.
constexpr double MarkHalf = 6;
constexpr double TickHalfHeight = 7;

// The sheet for the view. Labels go inside the grade panel and keep clear of
// the reserved boxes (the panel's own texts) as of the marks.
ProfileSheet BuildSheet(const ProfileViewIndex& index, const ProfileView& view,
                        const ProfileScene& scene, const MeasureText& measure,
                        const std::vector<Box>& reserved = {});

// The superelevation in percent through the rows' own points; the pixel
// columns of the scene where the rows in view outnumber the pixels.
std::vector<Polyline> SuperLine(const ProfileViewIndex& index, const ProfileView& view,
                                const ProfileScene& scene);

// The station and elevation under a point of the grade panel, and the grade
// line's elevation at that station where a row decides it.
std::string PointerReadout(const ProfileViewIndex& index, const ProfileView& view,
                           const ProfileScene& scene, double x, double y);

// The cursor's caption for the rows as they are now: the elevation at the
// offset worked out from the rows, as the calculation would, so that it
// agrees with the dot on the grade line; a non-zero offset is named.
std::string CursorCaption(const ProfileViewIndex& index, const ProfileView& view, float station,
                          float offset);

}  // namespace ravo
