// The mass ordinate along the view, its balance points and the panel it is drawn in.
#include "core/view/mass_haul_view.h"

#include <algorithm>
#include <cmath>

#include "core/view/profile_view_lines.h"

namespace ravo {
namespace {

// Cumulative cut and fill over sections taken in station order.
class MassWalk {
public:
    MassWalk(const ProfileViewIndex& index, const GroundProfile& ground,
             const SectionTemplate& section)
        : index_(index), ground_(ground), section_(section)
    {
    }

    // The mass ordinate at the station, after the volume since the last one.
    double Advance(double station)
    {
        const std::optional<double> depth = DepthAt(station);
        if (depth && hasLast_)
            AddVolume(station - lastStation_, last_, *depth);
        // A flag and a value rather than an optional: GCC's -O3 then sees it set.
        hasLast_ = depth.has_value();
        last_ = depth.value_or(0);
        lastStation_ = station;
        return cut_ * section_.cutFactor - fill_;
    }

private:
    std::optional<double> DepthAt(double station) const
    {
        const std::optional<double> design = GradeAt(index_, station);
        const std::optional<double> below =
            design ? ground_.ElevationAt(station) : std::optional<double>();
        if (!below)
            return std::nullopt;
        return FormationDepth(section_, *design, *below);
    }

    void AddVolume(double length, double from, double to)
    {
        if ((from < 0 && to > 0) || (from > 0 && to < 0)) {
            const double zero = length * from / (from - to);
            AddVolume(zero, from, 0);
            AddVolume(length - zero, 0, to);
            return;
        }
        cut_ += (CutArea(section_, from) + CutArea(section_, to)) / 2 * length;
        fill_ += (FillArea(section_, from) + FillArea(section_, to)) / 2 * length;
    }

    const ProfileViewIndex& index_;
    const GroundProfile& ground_;
    const SectionTemplate& section_;
    bool hasLast_ = false;
    double last_ = 0;  // the depth at lastStation_ when hasLast_
    double lastStation_ = 0;
    double cut_ = 0;
    double fill_ = 0;
};

}  // namespace

std::vector<MassSample> MassSamples(const ProfileViewIndex& index, const GroundProfile& ground,
                                    const SectionTemplate& section, const ProfileView& view)
{
    if (index.curves.Empty() || ground.Empty() || view.plotWidth <= 0)
        return {};
    const double start = std::max(index.curves.FirstStation(), ground.Points().front().station);
    const double end = std::min(index.curves.LastStation(), ground.Points().back().station);
    if (!(start < end) || view.lastStation < start || view.firstStation > end)
        return {};
    MassWalk walk(index, ground, section);
    const double perPixel = (view.lastStation - view.firstStation) / view.plotWidth;
    const double before = view.firstStation - start;
    if (before > 0) {
        const double steps = std::min<double>(MassSectionsBefore, std::ceil(before / perPixel));
        for (double k = 0; k < steps; ++k)
            walk.Advance(start + before * k / steps);
    }
    std::vector<MassSample> samples;
    auto take = [&](double station) {
        samples.push_back({XOfStation(view, station), station, walk.Advance(station)});
    };
    if (start >= view.firstStation)
        take(start);
    for (int x = 0; x <= view.plotWidth; ++x) {
        const double station = StationAtX(view, x);
        if (station > start && station < end)
            take(station);
    }
    if (end <= view.lastStation)
        take(end);
    return samples;
}

std::vector<double> BalanceXs(const std::vector<MassSample>& mass)
{
    double largest = 0;
    for (const MassSample& sample : mass)
        largest = std::max(largest, std::abs(sample.ordinate));
    const double nought = largest * 1e-9;  // below this an ordinate is 0, not a sign
    auto sign = [nought](double v) { return v > nought ? 1 : v < -nought ? -1 : 0; };
    std::vector<double> balance;
    int lastSign = 0;
    for (std::size_t i = 0; i < mass.size(); ++i) {
        const int now = sign(mass[i].ordinate);
        if (now != 0 && lastSign != 0 && now != lastSign) {
            const MassSample& a = mass[i - 1];
            const MassSample& b = mass[i];
            const double t = sign(a.ordinate) == 0 ? 0 : a.ordinate / (a.ordinate - b.ordinate);
            balance.push_back(a.x + t * (b.x - a.x));
        }
        if (now != 0)
            lastSign = now;
    }
    return balance;
}

Panel MassPanel(const std::vector<MassSample>& mass, int height)
{
    Panel panel;
    double low = 0;
    double high = 0;
    for (const MassSample& sample : mass) {
        low = std::min(low, sample.ordinate);
        high = std::max(high, sample.ordinate);
    }
    if (!(high - low > 1e-9))
        high = low + 1;
    const double margin = (high - low) * 0.08;
    panel.valueAtTop = high + margin;
    panel.valueAtBottom = low - margin;
    Polyline line;
    for (const MassSample& sample : mass)
        line.points.push_back({sample.x, YOfValue(panel, height, sample.ordinate)});
    if (!line.points.empty())
        panel.lines.push_back(std::move(line));
    panel.valueTicks = ValueTicks(panel, height, 24, 6);
    return panel;
}

}  // namespace ravo
