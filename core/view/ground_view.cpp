// The ground line and the cut and fill shading of the profile window, and the
// readout of the ground under the pointer.
#include "core/view/ground_view.h"

#include <algorithm>
#include <cmath>

#include "core/profile/elevation.h"
#include "core/text/numbers.h"
#include "core/view/mass_haul_view.h"
#include "core/view/profile_view_lines.h"

namespace ravo {
namespace {

// Up to this many ground points a pixel the line goes through the points
// themselves; beyond it, through each column's least and greatest ground.
constexpr double PointsPerPixel = 2;

PixelPoint At(const ProfileView& view, const Panel& grade, double station, double elevation)
{
    return {XOfStation(view, station), YOfValue(grade, view.gradeHeight, elevation)};
}

// Through the points in view and one beyond each edge, for the clip to cut.
Polyline ThroughPoints(const std::vector<GroundPoint>& points, std::size_t first, std::size_t last,
                       const ProfileView& view, const Panel& grade)
{
    Polyline line;
    for (std::size_t i = first; i < last; ++i)
        line.points.push_back(At(view, grade, points[i].station, points[i].elevation));
    return line;
}

// Each column's least and greatest ground, the points in it and the line's
// value at its left edge.
Polyline ThroughColumns(const GroundProfile& ground, const ProfileView& view, const Panel& grade)
{
    const std::vector<GroundPoint>& points = ground.Points();
    Polyline line;
    auto it = points.begin();
    for (int x = 0; x < view.plotWidth; ++x) {
        const double from = StationAtX(view, x);
        const double to = StationAtX(view, x + 1);
        const std::optional<double> edge = ground.ElevationAt(from);
        double low = edge.value_or(INFINITY);
        double high = edge.value_or(-INFINITY);
        it = std::lower_bound(it, points.end(), from,
                              [](const GroundPoint& p, double s) { return p.station < s; });
        for (; it != points.end() && it->station < to; ++it) {
            low = std::min(low, it->elevation);
            high = std::max(high, it->elevation);
        }
        if (low > high)
            continue;
        line.points.push_back({x + 0.5, YOfValue(grade, view.gradeHeight, high)});
        if (high != low)
            line.points.push_back({x + 0.5, YOfValue(grade, view.gradeHeight, low)});
    }
    return line;
}

// The grade line and the ground at one pixel column.
struct Column {
    double x = 0;
    double design = 0;  // y pixels
    double ground = 0;
    double depth = 0;  // design - ground in elevation
};

void CloseArea(ShadeArea& area, std::vector<PixelPoint>& under, std::vector<ShadeArea>& areas)
{
    if (area.outline.size() >= 2) {
        area.outline.insert(area.outline.end(), under.rbegin(), under.rend());
        areas.push_back(std::move(area));
    }
    area = {};
    under.clear();
}

std::vector<ShadeArea> Shading(const std::vector<std::optional<Column>>& columns)
{
    std::vector<ShadeArea> areas;
    ShadeArea area;
    std::vector<PixelPoint> under;
    bool decided = false;  // the area has met a column off grade: cut or fill is known
    const Column* last = nullptr;
    for (const std::optional<Column>& column : columns) {
        if (!column) {
            CloseArea(area, under, areas);
            decided = false;
            last = nullptr;
            continue;
        }
        const bool cut = column->depth < 0;
        if (last != nullptr && decided && column->depth != 0 && cut != area.cut) {
            // The two lines cross between the columns: one area ends, the next begins.
            const double t = last->depth / (last->depth - column->depth);
            const PixelPoint cross{last->x + t * (column->x - last->x),
                                   last->design + t * (column->design - last->design)};
            area.outline.push_back(cross);
            under.push_back(cross);
            CloseArea(area, under, areas);
            area.outline.push_back(cross);
            under.push_back(cross);
            decided = false;
        }
        if (!decided && column->depth != 0) {
            area.cut = cut;
            decided = true;
        }
        area.outline.push_back({column->x, column->design});
        under.push_back({column->x, column->ground});
        last = &*column;
    }
    CloseArea(area, under, areas);
    return areas;
}

std::vector<std::optional<Column>> Columns(const ProfileViewIndex& index,
                                           const GroundProfile& ground, const ProfileView& view,
                                           const Panel& grade)
{
    std::vector<std::optional<Column>> columns;
    columns.reserve(static_cast<std::size_t>(view.plotWidth) + 1);
    for (int x = 0; x <= view.plotWidth; ++x) {
        const double station = StationAtX(view, x);
        const std::optional<double> design = GradeAt(index, station);
        const std::optional<double> below = design ? ground.ElevationAt(station) : std::nullopt;
        if (!below) {
            columns.emplace_back();
            continue;
        }
        columns.push_back(Column{double(x), YOfValue(grade, view.gradeHeight, *design),
                                 YOfValue(grade, view.gradeHeight, *below), *design - *below});
    }
    return columns;
}

std::string DepthText(double depth)
{
    if (std::abs(depth) < 0.0005)
        return "On grade";
    return (depth > 0 ? "Fill " : "Cut ") + FixedText(std::abs(depth), 3);
}

}  // namespace

std::vector<Polyline> GroundLines(const GroundProfile& ground, const ProfileView& view,
                                  const Panel& grade)
{
    const std::vector<GroundPoint>& points = ground.Points();
    if (points.empty())
        return {};
    auto byStation = [](const GroundPoint& p, double s) { return p.station < s; };
    const auto begin = std::lower_bound(points.begin(), points.end(), view.firstStation, byStation);
    const auto end = std::lower_bound(begin, points.end(), view.lastStation, byStation);
    const auto inView = static_cast<double>(end - begin);
    if (inView > PointsPerPixel * view.plotWidth)
        return {ThroughColumns(ground, view, grade)};
    const std::size_t first = static_cast<std::size_t>(begin - points.begin());
    const std::size_t last = static_cast<std::size_t>(end - points.begin());
    return {ThroughPoints(points, first == 0 ? 0 : first - 1, std::min(last + 1, points.size()),
                          view, grade)};
}

std::optional<double> GradeAt(const ProfileViewIndex& index, double station)
{
    const std::int32_t row = index.curves.RowAt(static_cast<float>(station));
    if (row == 0)
        return std::nullopt;
    const double value = RowValue(index.curves.Row(row), station);
    return std::isfinite(value) && std::abs(value) < 1e15 ? std::optional<double>(value)
                                                          : std::nullopt;
}

GroundScene BuildGroundScene(const ProfileViewIndex& index, const GroundProfile& ground,
                             const SectionTemplate& section, const ProfileView& view,
                             const Panel& grade, int massHeight, bool withGroundLines)
{
    GroundScene scene;
    if (ground.Empty() || view.plotWidth <= 0 || !(grade.valueAtTop > grade.valueAtBottom))
        return scene;
    if (withGroundLines)
        scene.groundLines = GroundLines(ground, view, grade);
    scene.shading = Shading(Columns(index, ground, view, grade));
    scene.mass = MassSamples(index, ground, section, view);
    scene.balanceX = BalanceXs(scene.mass);
    if (massHeight > 0)
        scene.massPanel = MassPanel(scene.mass, massHeight);
    return scene;
}

std::optional<double> MassAtX(const GroundScene& scene, double x)
{
    const std::vector<MassSample>& mass = scene.mass;
    if (mass.empty() || x < mass.front().x || x > mass.back().x)
        return std::nullopt;
    const auto after = std::upper_bound(mass.begin(), mass.end(), x,
                                        [](double v, const MassSample& s) { return v < s.x; });
    if (after == mass.end())
        return mass.back().ordinate;
    const MassSample& a = *(after - 1);
    const MassSample& b = *after;
    if (b.x == a.x)
        return b.ordinate;
    return a.ordinate + (b.ordinate - a.ordinate) * (x - a.x) / (b.x - a.x);
}

std::string GroundReadout(const ProfileViewIndex& index, const GroundProfile& ground,
                          const GroundScene& scene, const ProfileView& view, double x)
{
    if (ground.Empty())
        return {};
    const double station = StationAtX(view, x);
    const std::optional<double> below = ground.ElevationAt(station);
    if (!below)
        return "No ground here";
    std::string text = "Ground " + FixedText(*below, 3);
    if (const std::optional<double> design = GradeAt(index, station))
        text += "  " + DepthText(CutFillAt(ground, station, *design).depth.value_or(0));
    if (const std::optional<double> mass = MassAtX(scene, x))
        text += "  Mass ordinate " + FixedText(*mass, 1);
    return text;
}

}  // namespace ravo
