// The ground polyline: sorted, duplicates merged, read between its points.
#include "core/ground/ground_profile.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "core/text/numbers.h"

namespace ravo {

GroundProfile::GroundProfile(std::vector<GroundPoint> points)
{
    for (const GroundPoint& point : points)
        if (!std::isfinite(point.station) || !std::isfinite(point.elevation))
            throw std::invalid_argument("a ground point is not a finite number");
    const auto byStation = [](const GroundPoint& a, const GroundPoint& b) {
        return a.station < b.station;
    };
    if (!std::is_sorted(points.begin(), points.end(), byStation)) {
        std::stable_sort(points.begin(), points.end(), byStation);
        notes_.emplace_back("the ground points were not in station order; they were sorted");
    }
    std::size_t merged = 0;
    for (std::size_t first = 0; first < points.size();) {
        std::size_t last = first;
        double sum = 0;
        while (last < points.size() && points[last].station == points[first].station)
            sum += points[last++].elevation;
        merged += last - first - 1;
        points_.push_back({points[first].station, sum / static_cast<double>(last - first)});
        first = last;
    }
    if (merged > 0)
        notes_.push_back(ShortestText(static_cast<double>(merged)) +
                         " ground points at a station already given were merged (mean elevation)");
    for (std::size_t first = 0; first + kBlockPoints <= points_.size(); first += kBlockPoints) {
        const auto [low, high] = std::minmax_element(
            points_.begin() + static_cast<std::ptrdiff_t>(first),
            points_.begin() + static_cast<std::ptrdiff_t>(first + kBlockPoints),
            [](const GroundPoint& a, const GroundPoint& b) { return a.elevation < b.elevation; });
        blocks_.emplace_back(low->elevation, high->elevation);
    }
}

std::optional<double> GroundProfile::ElevationAt(double station) const
{
    if (points_.empty() || !(station >= points_.front().station) ||
        station > points_.back().station)
        return std::nullopt;
    const auto after = std::upper_bound(
        points_.begin(), points_.end(), station,
        [](double value, const GroundPoint& point) { return value < point.station; });
    if (after == points_.end())
        return points_.back().elevation;
    const GroundPoint& a = *(after - 1);
    const GroundPoint& b = *after;
    return a.elevation +
           (b.elevation - a.elevation) * (station - a.station) / (b.station - a.station);
}

std::optional<std::pair<double, double>> GroundProfile::ElevationRange(double from, double to) const
{
    if (points_.empty() || !(from <= to))
        return std::nullopt;
    from = std::max(from, points_.front().station);
    to = std::min(to, points_.back().station);
    if (from > to)
        return std::nullopt;
    std::pair<double, double> range{*ElevationAt(from), *ElevationAt(from)};
    const auto widen = [&range](double elevation) {
        range.first = std::min(range.first, elevation);
        range.second = std::max(range.second, elevation);
    };
    widen(*ElevationAt(to));
    const auto byStation = [](const GroundPoint& point, double station) {
        return point.station < station;
    };
    std::size_t i = static_cast<std::size_t>(
        std::lower_bound(points_.begin(), points_.end(), from, byStation) - points_.begin());
    while (i < points_.size() && points_[i].station <= to) {
        const std::size_t block = i / kBlockPoints;
        const std::size_t blockEnd = (block + 1) * kBlockPoints;
        if (i % kBlockPoints == 0 && block < blocks_.size() &&
            points_[blockEnd - 1].station <= to) {
            widen(blocks_[block].first);
            widen(blocks_[block].second);
            i = blockEnd;
        } else {
            widen(points_[i++].elevation);
        }
    }
    return range;
}

CutFill CutFillAt(const GroundProfile& ground, double station, double design)
{
    const std::optional<double> elevation = ground.ElevationAt(station);
    if (!elevation)
        return {};
    return {elevation, design - *elevation};
}

}  // namespace ravo
