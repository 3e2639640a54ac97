// The programme over PVI elevations at fixed stations and curve lengths: the
// designer's profile of least earthwork with the PVIs the layout gives.
//
// With g(k) = (e(k+1) - e(k)) / (s(k+1) - s(k)), a station on the curve of
// PVI k (length L, from s(k) - L/2) lies at e(k) + g(k-1)·(s - s(k)) +
// (g(k) - g(k-1))·x²/(2L), x from the curve's start; elsewhere on the
// grade between two PVIs. Both are linear in the elevations.
#include <algorithm>
#include <cmath>

#include "core/fit/fit_shapes.h"

namespace ravo {
namespace {

int Index(std::size_t value) { return static_cast<int>(value); }

// Adds coefficient × g(k) to the terms.
void AddGrade(std::vector<LpTerm>& terms, const PviLayout& layout, std::size_t k, double value)
{
    const double run = layout.stations[k + 1] - layout.stations[k];
    terms.push_back({Index(k + 1), value / run});
    terms.push_back({Index(k), -value / run});
}

// The elevation on PVI k's curve, or on the grade from it.
std::vector<LpTerm> FromPvi(const PviLayout& layout, std::size_t k, double station, bool onCurve)
{
    std::vector<LpTerm> terms{{Index(k), 1}};
    if (!onCurve) {
        AddGrade(terms, layout, k, station - layout.stations[k]);
        return terms;
    }
    const double length = layout.lengths[k];
    const double x = station - (layout.stations[k] - length / 2);
    const double bend = x * x / (2 * length);
    AddGrade(terms, layout, k - 1, station - layout.stations[k] - bend);
    AddGrade(terms, layout, k, bend);
    return terms;
}

std::vector<LpTerm> ElevationAt(const PviLayout& layout, double station)
{
    const std::vector<double>& s = layout.stations;
    const auto after = std::upper_bound(s.begin(), s.end(), station);
    const auto next = static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(
        after - s.begin(), 1, static_cast<std::ptrdiff_t>(s.size() - 1)));
    const std::size_t k = next - 1;
    if (layout.lengths[next] > 0 && station > s[next] - layout.lengths[next] / 2)
        return FromPvi(layout, next, station, true);
    if (layout.lengths[k] > 0 && station < s[k] + layout.lengths[k] / 2)
        return FromPvi(layout, k, station, true);
    return FromPvi(layout, k, station, false);
}

}  // namespace

BuildModel MakePviModel(const PviLayout& layout, const FitCriteria& criteria)
{
    const double grade = criteria.maxGrade;
    const double crest = LeastCrestK(criteria);
    const double sag = LeastSagK(criteria);
    return [layout, grade, crest, sag](LpProblem& problem) -> ElevationTerms {
        const std::size_t n = layout.stations.size();
        for (std::size_t k = 0; k < n; ++k)
            problem.AddColumn(-LpInfinity, LpInfinity, 0);
        for (std::size_t k = 0; k + 1 < n; ++k) {
            const double rise = grade / 100 * (layout.stations[k + 1] - layout.stations[k]);
            problem.AddRow(-rise, rise, {{Index(k + 1), 1}, {Index(k), -1}});
        }
        for (std::size_t k = 1; k + 1 < n; ++k) {
            // 100·(g(k) - g(k-1)) within -L/crest K and L/sag K
            std::vector<LpTerm> change;
            AddGrade(change, layout, k, 100);
            AddGrade(change, layout, k - 1, -100);
            problem.AddRow(-layout.lengths[k] / crest, layout.lengths[k] / sag, change);
        }
        return [layout](double station) { return ElevationAt(layout, station); };
    };
}

std::vector<PviPoint> PointsOf(const PviLayout& layout, const std::vector<double>& x)
{
    const std::vector<double>& s = layout.stations;
    std::vector<PviPoint> points;
    for (std::size_t k = 0; k < s.size(); ++k) {
        const bool end = k == 0 || k + 1 == s.size();
        if (!end) {
            const double in = (x[k] - x[k - 1]) / (s[k] - s[k - 1]);
            const double out = (x[k + 1] - x[k]) / (s[k + 1] - s[k]);
            if (std::fabs(out - in) <= 1e-9)
                continue;
        }
        PviPoint p{.station = s[k], .elevation = x[k]};
        if (layout.lengths[k] > 0) {
            p.lengthIn = p.lengthOut = layout.lengths[k] / 2;
            p.kind = PviKind::Para;
        }
        points.push_back(p);
    }
    return points;
}

}  // namespace ravo
