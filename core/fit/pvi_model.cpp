// From the optimum's pieces to a designer's profile: PVIs where the tangents
// of each curving run meet, fewer when asked, curve lengths for the least K,
// and the programme that places the PVI elevations for least earthwork.
#include <algorithm>
#include <cmath>
#include <cstddef>

#include "core/fit/fit_shapes.h"

namespace ravo {
namespace {

constexpr double FlatGrade = 1e-7;  // a grade change this small is none

struct Vertex {
    double station = 0;
    double elevation = 0;
    double run = 0;  // the length of a curve as sharp as the run it stands for
};

double EndElevation(const Piece& p)
{
    const double length = p.to - p.from;
    return p.elevation + (p.grade1 + p.grade2) / 2 * length;
}

int SignOf(const Piece& p)
{
    const double change = p.grade2 - p.grade1;
    return std::fabs(change) <= FlatGrade ? 0 : (change < 0 ? -1 : 1);
}

// Where the tangents at the ends of pieces a..b meet.
void AddRunVertex(const std::vector<Piece>& pieces, std::size_t a, std::size_t b,
                  std::vector<Vertex>& vertices)
{
    const double sa = pieces[a].from, za = pieces[a].elevation, ga = pieces[a].grade1;
    const double sb = pieces[b].to, zb = EndElevation(pieces[b]), gb = pieces[b].grade2;
    if (std::fabs(gb - ga) <= FlatGrade)
        return;
    const double s = std::clamp((zb - za + ga * sa - gb * sb) / (ga - gb), sa, sb);
    // The curve as sharp as the run's sharpest piece: the run's end pieces
    // may curve over part of their length only.
    double sharpest = 0;
    for (std::size_t i = a; i <= b; ++i)
        sharpest = std::max(sharpest, std::fabs(pieces[i].grade2 - pieces[i].grade1) /
                                          (pieces[i].to - pieces[i].from));
    vertices.push_back({s, za + ga * (s - sa), std::fabs(gb - ga) / sharpest});
}

std::vector<Vertex> PolygonOf(const std::vector<Piece>& pieces)
{
    std::vector<Vertex> polygon{{pieces.front().from, pieces.front().elevation, 0}};
    for (std::size_t a = 0; a < pieces.size();) {
        std::size_t b = a;
        while (b + 1 < pieces.size() && SignOf(pieces[b + 1]) == SignOf(pieces[a]))
            ++b;
        if (SignOf(pieces[a]) != 0)
            AddRunVertex(pieces, a, b, polygon);
        a = b + 1;
    }
    polygon.push_back({pieces.back().to, EndElevation(pieces.back()), 0});
    return polygon;
}

double Deviation(const std::vector<Vertex>& p, std::size_t k)
{
    const Vertex& a = p[k - 1];
    const Vertex& b = p[k + 1];
    const double line = a.elevation + (b.elevation - a.elevation) * (p[k].station - a.station) /
                                          (b.station - a.station);
    return std::fabs(p[k].elevation - line);
}

// Leaves out the vertex that stands out least until at most `most` remain
// between the ends.
void Reduce(std::vector<Vertex>& polygon, std::size_t most)
{
    while (polygon.size() > most + 2) {
        std::size_t least = 1;
        for (std::size_t k = 2; k + 1 < polygon.size(); ++k)
            if (Deviation(polygon, k) < Deviation(polygon, least))
                least = k;
        polygon.erase(polygon.begin() + static_cast<std::ptrdiff_t>(least));
    }
}

// Inner stations to whole units, strictly between their neighbours.
void RoundStations(std::vector<Vertex>& polygon)
{
    std::vector<Vertex> rounded{polygon.front()};
    for (std::size_t k = 1; k + 1 < polygon.size(); ++k) {
        Vertex v = polygon[k];
        v.station = std::round(v.station);
        if (v.station > rounded.back().station && v.station < polygon.back().station)
            rounded.push_back(v);
    }
    rounded.push_back(polygon.back());
    polygon = std::move(rounded);
}

double CurveStep(const FitCriteria& criteria)
{
    if (criteria.curveStep > 0)
        return criteria.curveStep;
    return criteria.speed.units == LengthUnits::Feet ? 25 : 10;
}

// Shortens neighbouring curves that would overlap, in proportion, to whole steps.
void FitBetween(PviLayout& layout, double step)
{
    const std::size_t n = layout.stations.size();
    std::vector<double>& l = layout.lengths;
    const auto down = [step](double value) { return std::floor(value / step + 1e-9) * step; };
    for (std::size_t k = 0; k + 1 < n; ++k) {
        const double room = layout.stations[k + 1] - layout.stations[k];
        const double asked = (l[k] + l[k + 1]) / 2;
        if (asked <= room)
            continue;
        l[k] = down(l[k] * room / asked);
        l[k + 1] = down(l[k + 1] * room / asked);
    }
}

}  // namespace

PviLayout LayoutOf(const std::vector<Piece>& pieces, const FitCriteria& criteria)
{
    std::vector<Vertex> polygon = PolygonOf(pieces);
    if (criteria.maxPvis > 0)
        Reduce(polygon, static_cast<std::size_t>(criteria.maxPvis));
    RoundStations(polygon);
    const double step = CurveStep(criteria);
    PviLayout layout;
    for (std::size_t k = 0; k < polygon.size(); ++k) {
        layout.stations.push_back(polygon[k].station);
        if (k == 0 || k + 1 == polygon.size()) {
            layout.lengths.push_back(0);
            continue;
        }
        const Vertex& a = polygon[k - 1];
        const Vertex& v = polygon[k];
        const Vertex& b = polygon[k + 1];
        const double change = 100 * ((b.elevation - v.elevation) / (b.station - v.station) -
                                     (v.elevation - a.elevation) / (v.station - a.station));
        const double k_least = change < 0 ? LeastCrestK(criteria) : LeastSagK(criteria);
        const double length = std::max(std::fabs(change) * k_least, v.run);
        layout.lengths.push_back(std::ceil(length / step - 1e-9) * step);
    }
    FitBetween(layout, step);
    return layout;
}

}  // namespace ravo
