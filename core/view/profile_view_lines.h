// How the profile view reduces the rows in view to pixels: one min/max pair
// per pixel column, joined into polylines. Used by profile_view.cpp.
#pragma once

#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "core/view/profile_view.h"

namespace ravo {

// The least and greatest value in one pixel column of a panel.
struct ColumnRange {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    bool flagged = false;
    bool gapAfter = false;  // a stretch inside no row begins in the column: the line breaks
    bool HasValue() const { return low <= high; }
};

// Which curves are too sharp for the view's design speed: K below the least K
// for their shape.
class CurveFlags {
public:
    CurveFlags(const ProfileViewIndex& index, const ProfileView& view) : index_(index)
    {
        if (view.designSpeed)
            minimums_ = MinimumsForDesignSpeed(*view.designSpeed, view.units);
    }
    bool Active() const { return minimums_.has_value(); }
    std::optional<double> LeastK(std::int32_t row) const
    {
        const auto i = static_cast<std::size_t>(row);
        if (!minimums_ || std::isnan(index_.curveK[i]))
            return std::nullopt;
        return LeastKFor(index_.curveShape[i], *minimums_);
    }
    bool Flagged(std::int32_t row) const
    {
        const std::optional<double> least = LeastK(row);
        return least && index_.curveK[static_cast<std::size_t>(row)] < *least;
    }
    bool Flagged(const PieceBlock& block) const
    {
        return minimums_ && (block.crestK < minimums_->crestK || block.sagK < minimums_->sagK);
    }

private:
    const ProfileViewIndex& index_;
    std::optional<DesignMinimums> minimums_;
};

// One min/max pair per pixel column over the pieces in view, and the x ranges
// of the gaps; flags is null where no curve is to be flagged.
std::vector<ColumnRange> Columns(const DecidedRows& rows, const ProfileView& view,
                                 const CurveFlags* flags,
                                 std::vector<std::pair<double, double>>& gaps);

// The y pixel of a value in a panel of the given height.
double YOfValue(const Panel& panel, double height, double value);

// The columns joined into polylines, values multiplied by scale first.
std::vector<Polyline> Lines(const std::vector<ColumnRange>& columns, double scale,
                            const Panel& panel, double height);

// The least and greatest value of the columns, multiplied by scale; infinite
// when no column has one.
void ValueRange(const std::vector<ColumnRange>& columns, double scale, double& low, double& high);

}  // namespace ravo
