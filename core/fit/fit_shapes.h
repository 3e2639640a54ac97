// The two shapes of grade line that the fit solves for: parabolic pieces
// between fixed stations (the optimum), and PVIs at chosen stations with
// curves of chosen lengths (the designer's profile made from it).
#pragma once

#include <vector>

#include "core/fit/fit_model.h"

namespace ravo {

// One piece: a parabola from its station, elevation and grade (a ratio) to
// the grade at its end.
struct Piece {
    double from = 0;
    double to = 0;
    double elevation = 0;
    double grade1 = 0;
    double grade2 = 0;
};

struct PieceModel {
    BuildModel build;
    std::vector<Piece> (*pieces)(const std::vector<double>& joints, const std::vector<double>& x);
};

// Elevation and grade continuous at the joints, grades within the maximum,
// and with curvatureLimits each piece's grade change within the least K.
PieceModel MakePieceModel(const std::vector<double>& joints, const FitCriteria& criteria,
                          bool curvatureLimits);

// PVI stations (ends included) and the curve length at each (0 at the ends).
struct PviLayout {
    std::vector<double> stations;
    std::vector<double> lengths;
};

// The PVIs of the pieces: where the tangents about each run of curving pieces
// meet, the least telling ones left out down to criteria.maxPvis, stations
// to whole units, curves long enough for the least K at the polygon's grade
// changes (or as gentle as the run's sharpest piece), a multiple of the curve step, fitting
// between their neighbours.
PviLayout LayoutOf(const std::vector<Piece>& pieces, const FitCriteria& criteria);

// The PVI elevations are the columns: grades within the maximum, each grade
// change within what its curve's length allows at the least K.
BuildModel MakePviModel(const PviLayout& layout, const FitCriteria& criteria);

// The points of the layout at the solution, collinear points left out.
std::vector<PviPoint> PointsOf(const PviLayout& layout, const std::vector<double>& x);

}  // namespace ravo
