// The earthwork table: stations, section areas, average-end-area and
// prismoidal volumes, and the mass haul with its balance points.
#include "core/ground/earthwork.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/profile/elevation_walk.h"
#include "core/text/numbers.h"

namespace ravo {
namespace {

// Stations closer than this are one station.
constexpr double SameStation = 1e-6;
constexpr double Infinity = std::numeric_limits<double>::infinity();

void CheckRequest(const EarthworkRequest& request)
{
    const SectionTemplate& s = request.section;
    const auto require = [](bool ok, const char* what) {
        if (!ok)
            throw EarthworkRequestError(what);
    };
    require(std::isfinite(s.width) && s.width >= 0, "the formation width cannot be negative");
    require(std::isfinite(s.fillSlope) && s.fillSlope >= 0, "the fill slope cannot be negative");
    require(std::isfinite(s.cutSlope) && s.cutSlope >= 0, "the cut slope cannot be negative");
    require(std::isfinite(s.pavementDepth) && s.pavementDepth >= 0,
            "the pavement depth cannot be negative");
    require(std::isfinite(s.cutFactor) && s.cutFactor > 0, "the cut factor must be above 0");
    require(std::isfinite(request.interval) && request.interval > 0,
            "the interval must be above 0");
}

struct Extent {
    double from = Infinity;
    double to = -Infinity;
};

// From the first curve row's beginning to the last one's end, along the road.
Extent DesignExtent(const ProfileState& design)
{
    Extent extent;
    ForEachRow(design, SegmentKind::VerticalCurve, [&](std::int32_t, const SegmentRow& row) {
        if (row.station2 < row.station1)
            return;
        extent.from = std::min(extent.from, static_cast<double>(row.station1));
        extent.to = std::max(extent.to, static_cast<double>(row.station2));
    });
    return extent;
}

Extent Stretch(const ProfileState& design, const GroundProfile& ground,
               const EarthworkRequest& request)
{
    const Extent road = DesignExtent(design);
    Extent stretch{std::max(road.from, ground.Empty() ? Infinity : ground.Points().front().station),
                   std::min(road.to, ground.Empty() ? -Infinity : ground.Points().back().station)};
    if (request.from || request.to) {
        stretch = {request.from.value_or(stretch.from), request.to.value_or(stretch.to)};
        if (!std::isfinite(stretch.from) || !std::isfinite(stretch.to) ||
            !(stretch.from < stretch.to))
            throw EarthworkRequestError(
                "the stretch of road must run from a station to a later one");
    } else if (!(stretch.from < stretch.to)) {
        throw EarthworkRequestError(
            "the ground and the grade line do not meet: there is no stretch where both are");
    }
    return stretch;
}

struct Section {
    bool has = false;
    double design = 0;
    double ground = 0;
    double depth = 0;
};

Section SectionAt(ElevationWalk& walk, const GroundProfile& ground, const SectionTemplate& section,
                  double station)
{
    const WalkPoint point = walk.At(ToFloat(station), 0);
    const std::optional<double> groundElevation = ground.ElevationAt(station);
    if (!point.ok || point.curveRow == 0 || !groundElevation)
        return {};
    return {true, point.gradeElevation, *groundElevation,
            FormationDepth(section, point.gradeElevation, *groundElevation)};
}

struct Volumes {
    double cut = 0, fill = 0, prismoidalCut = 0, prismoidalFill = 0;
};

// One part of an interval over which the depth keeps its sign.
void AddPart(Volumes& v, const SectionTemplate& s, double length, double depth1, double depth2,
             double middle)
{
    v.cut += length * (CutArea(s, depth1) + CutArea(s, depth2)) / 2;
    v.fill += length * (FillArea(s, depth1) + FillArea(s, depth2)) / 2;
    v.prismoidalCut +=
        length * (CutArea(s, depth1) + 4 * CutArea(s, middle) + CutArea(s, depth2)) / 6;
    v.prismoidalFill +=
        length * (FillArea(s, depth1) + 4 * FillArea(s, middle) + FillArea(s, depth2)) / 6;
}

Volumes IntervalVolumes(const SectionTemplate& s, double length, double depth1, double depth2,
                        double middle)
{
    Volumes v;
    if ((depth1 > 0 && depth2 < 0) || (depth1 < 0 && depth2 > 0)) {
        const double zero = length * depth1 / (depth1 - depth2);
        AddPart(v, s, zero, depth1, 0, depth1 / 2);
        AddPart(v, s, length - zero, 0, depth2, depth2 / 2);
    } else {
        AddPart(v, s, length, depth1, depth2, middle);
    }
    return v;
}

// The areas of each station and the volumes of each interval.
std::size_t FillSections(std::vector<EarthworkRow>& rows, const ProfileState& design,
                         const GroundProfile& ground, const SectionTemplate& s)
{
    ElevationWalk walk(design);
    ElevationWalk middles(design);
    std::size_t without = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EarthworkRow& row = rows[i];
        const Section here = SectionAt(walk, ground, s, row.station);
        row.hasSection = here.has;
        if (!here.has) {
            ++without;
            continue;
        }
        row.design = here.design;
        row.ground = here.ground;
        row.depth = here.depth;
        row.cutArea = CutArea(s, here.depth);
        row.fillArea = FillArea(s, here.depth);
        if (i == 0 || !rows[i - 1].hasSection)
            continue;
        const EarthworkRow& before = rows[i - 1];
        const Section middle = SectionAt(middles, ground, s, (before.station + row.station) / 2);
        const double middleDepth = middle.has ? middle.depth : (before.depth + row.depth) / 2;
        const Volumes v =
            IntervalVolumes(s, row.station - before.station, before.depth, row.depth, middleDepth);
        row.cutVolume = v.cut;
        row.fillVolume = v.fill;
        row.prismoidalCut = v.prismoidalCut;
        row.prismoidalFill = v.prismoidalFill;
    }
    return without;
}

int SignOf(double value) { return (value > 0) - (value < 0); }

// Cumulative values, the totals, the balance points and the largest ordinate.
void AddUpMass(EarthworkTable& table, double cutFactor)
{
    EarthworkTotals& t = table.totals;
    int lastSign = 0;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        EarthworkRow& row = table.rows[i];
        t.cut += row.cutVolume;
        t.fill += row.fillVolume;
        t.prismoidalCut += row.prismoidalCut;
        t.prismoidalFill += row.prismoidalFill;
        row.cumulativeCut = t.cut;
        row.cumulativeFill = t.fill;
        row.massOrdinate = t.cut * cutFactor - t.fill;
        if (std::fabs(row.massOrdinate) > std::fabs(table.largestHaul.ordinate))
            table.largestHaul = {row.station, row.massOrdinate};
        const int sign = SignOf(row.massOrdinate);
        if (sign != 0 && lastSign != 0 && sign != lastSign) {
            const EarthworkRow& before = table.rows[i - 1];
            const double share = before.massOrdinate / (before.massOrdinate - row.massOrdinate);
            table.balancePoints.push_back(before.station + share * (row.station - before.station));
        }
        if (sign != 0)
            lastSign = sign;
    }
    t.cutAsFill = t.cut * cutFactor;
    t.net = table.rows.empty() ? 0 : table.rows.back().massOrdinate;
}

}  // namespace

std::vector<double> EarthworkStations(const ProfileState& design, const GroundProfile& ground,
                                      double from, double to, double interval)
{
    const double steps = std::floor((to - from) / interval);
    if (!(steps < static_cast<double>(MaxEarthworkStations)))
        throw EarthworkRequestError("the table would have more than " +
                                    std::to_string(MaxEarthworkStations) +
                                    " stations: use a larger interval or a shorter stretch");
    std::vector<double> breaks;
    for (const GroundPoint& point : ground.Points())
        if (point.station > from && point.station < to)
            breaks.push_back(point.station);
    ForEachRow(design, SegmentKind::VerticalCurve, [&](std::int32_t, const SegmentRow& row) {
        for (const double end :
             {static_cast<double>(row.station1), static_cast<double>(row.station2)})
            if (end > from && end < to)
                breaks.push_back(end);
    });
    std::sort(breaks.begin(), breaks.end());
    std::vector<double> stations;
    stations.reserve(static_cast<std::size_t>(steps) + breaks.size() + 2);
    const auto add = [&stations](double station) {
        if (stations.empty() || station - stations.back() > SameStation)
            stations.push_back(station);
    };
    std::size_t next = 0;
    for (std::size_t k = 0; k <= static_cast<std::size_t>(steps); ++k) {
        const double regular = from + static_cast<double>(k) * interval;
        for (; next < breaks.size() && breaks[next] < regular; ++next)
            add(breaks[next]);
        if (regular < to - SameStation)
            add(regular);
    }
    for (; next < breaks.size(); ++next)
        add(breaks[next]);
    if (!stations.empty() && to - stations.back() <= SameStation)
        stations.pop_back();
    stations.push_back(to);
    if (stations.size() > MaxEarthworkStations)
        throw EarthworkRequestError("the table would have more than " +
                                    std::to_string(MaxEarthworkStations) +
                                    " stations: use a larger interval or a shorter stretch");
    return stations;
}

EarthworkTable ComputeEarthwork(const ProfileState& design, const GroundProfile& ground,
                                const EarthworkRequest& request)
{
    CheckRequest(request);
    const Extent stretch = Stretch(design, ground, request);
    EarthworkTable table;
    const std::vector<double> stations =
        EarthworkStations(design, ground, stretch.from, stretch.to, request.interval);
    table.rows.resize(stations.size());
    for (std::size_t i = 0; i < stations.size(); ++i)
        table.rows[i].station = stations[i];
    const std::size_t without = FillSections(table.rows, design, ground, request.section);
    if (without > 0)
        table.notes.push_back(
            ShortestText(static_cast<double>(without)) +
            (without == 1 ? " station has" : " stations have") +
            " no grade line or no ground; the intervals beside them count no volume");
    AddUpMass(table, request.section.cutFactor);
    return table;
}

}  // namespace ravo
