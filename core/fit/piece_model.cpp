// The grade line as parabolic pieces between fixed stations: the programme
// whose optimum is the least earthwork under the criteria.
//
// Columns, grades in percent: the elevation z(j) and grade G(j) at each
// joint, and each piece's grade change D(i). Within piece i of length L, at x
// from its start, the elevation is z(i) + G(i)·x/100 + D(i)·x²/(200·L), so
// G(i+1) = G(i) + D(i) and z(i+1) = z(i) + G(i)·L/100 + D(i)·L/200. A piece's
// K is L/|D(i)|: a crest (D < 0) at least the least crest K, a sag the sag's.
#include <algorithm>

#include "core/fit/fit_shapes.h"

namespace ravo {
namespace {

int Index(std::size_t value) { return static_cast<int>(value); }

std::size_t PieceOf(const std::vector<double>& joints, double station)
{
    const auto after = std::upper_bound(joints.begin(), joints.end(), station);
    const auto index =
        static_cast<std::size_t>(std::max<std::ptrdiff_t>(after - joints.begin(), 1));
    return std::min(index, joints.size() - 1) - 1;
}

std::vector<Piece> PiecesOf(const std::vector<double>& joints, const std::vector<double>& x)
{
    const std::size_t n = joints.size();
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const double g = x[n + i] / 100;
        pieces.push_back({joints[i], joints[i + 1], x[i], g, g + x[2 * n + i] / 100});
    }
    return pieces;
}

}  // namespace

PieceModel MakePieceModel(const std::vector<double>& joints, const FitCriteria& criteria,
                          bool curvatureLimits)
{
    const double crest = curvatureLimits ? LeastCrestK(criteria) : 0;
    const double sag = curvatureLimits ? LeastSagK(criteria) : 0;
    const double grade = criteria.maxGrade;
    BuildModel build = [joints, crest, sag, grade](LpProblem& problem) -> ElevationTerms {
        const std::size_t n = joints.size();
        for (std::size_t j = 0; j < n; ++j)
            problem.AddColumn(-LpInfinity, LpInfinity, 0);
        for (std::size_t j = 0; j < n; ++j)
            problem.AddColumn(-grade, grade, 0);
        for (std::size_t i = 0; i + 1 < n; ++i) {
            const double length = joints[i + 1] - joints[i];
            problem.AddColumn(crest > 0 ? -length / crest : -LpInfinity,
                              sag > 0 ? length / sag : LpInfinity, 0);
        }
        for (std::size_t i = 0; i + 1 < n; ++i) {
            const double length = joints[i + 1] - joints[i];
            const int z = Index(i), g = Index(n + i), d = Index(2 * n + i);
            problem.AddRow(0, 0, {{g + 1, 1}, {g, -1}, {d, -1}});
            problem.AddRow(0, 0, {{z + 1, 1}, {z, -1}, {g, -length / 100}, {d, -length / 200}});
        }
        return [joints](double station) {
            const std::size_t count = joints.size();
            const std::size_t i = PieceOf(joints, station);
            const double x = station - joints[i];
            const double length = joints[i + 1] - joints[i];
            return std::vector<LpTerm>{{Index(i), 1},
                                       {Index(count + i), x / 100},
                                       {Index(2 * count + i), x * x / (200 * length)}};
        };
    };
    return {std::move(build), PiecesOf};
}

}  // namespace ravo
