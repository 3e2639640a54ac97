// Placing the labels of the profile sheet: each label is a box beside its
// anchor; no two boxes overlap, none covers a mark or leaves the plot, and a
// label with no free place is left out, the least important first.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/view/profile_view.h"

namespace ravo {

// A rectangle in pixels, edges included on the left and top only.
struct Box {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    bool Overlaps(const Box& other) const
    {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    bool Inside(const Box& other) const
    {
        return left >= other.left && right <= other.right && top >= other.top &&
               bottom <= other.bottom;
    }
};

// A box of the given half size around a point.
Box BoxAround(PixelPoint at, double halfWidth, double halfHeight);

// Which labels give way when there is no room for all: curve data (PVI, L K
// A) before high and low points, before tangent grades, before BVC and EVC.
enum class LabelRank { Design = 0, Turn = 1, Grade = 2, Tick = 3 };

struct LabelRequest {
    std::string text;
    PixelPoint anchor;  // the point the label belongs to
    double width = 0;   // of the text as it is painted
    double height = 0;
    LabelRank rank = LabelRank::Tick;
    bool below = false;  // tried beneath the anchor first: the outside of a sag
};

struct PlacedLabel {
    std::size_t label = 0;  // into the requests
    Box box;
};

struct LabelPlacement {
    std::vector<PlacedLabel> placed;
    std::vector<std::size_t> dropped;  // the labels that found no free place
};

// Places the labels by rank, and in a rank from left to right. A place that
// the drawn lines do not cross is taken before one that they do; marks and
// the plot's edge are never crossed.
LabelPlacement PlaceLabels(const std::vector<LabelRequest>& labels, const std::vector<Box>& marks,
                           const Box& plot, const std::vector<Polyline>& lines);

// The texts of dropped labels whose anchor lies within the radius of a point,
// for the hover.
std::vector<std::string> DroppedNear(const std::vector<LabelRequest>& labels,
                                     const LabelPlacement& placement, PixelPoint at, double radius);

}  // namespace ravo
