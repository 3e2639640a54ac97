// A profile against the fit's criteria: its earthwork over the same sections,
// and every criterion it misses, by the program's own elevations and checks.
#include <cmath>

#include "core/design/profile_check.h"
#include "core/fit/fit_model.h"
#include "core/formats/input_file.h"
#include "core/profile/elevation_walk.h"
#include "core/text/numbers.h"

namespace ravo {
namespace {

// The elevations the program shows at the stations, in order.
std::vector<double> ProfileElevations(const ProfileState& profile,
                                      const std::vector<double>& stations)
{
    RowWalk walk(profile, SegmentKind::VerticalCurve);
    std::vector<double> elevations;
    for (double station : stations) {
        const RowWalk::Result r = walk.At(static_cast<float>(station));
        if (!r.ok || r.row == 0)
            throw FitError("the profile has no elevation at station " + ShortestText(station));
        elevations.push_back(r.value);
    }
    return elevations;
}

std::string Percent(double grade) { return SignificantText(grade, 6) + "%"; }

void GradeFaults(const ProfileState& profile, const FitCriteria& criteria,
                 std::vector<std::string>& faults)
{
    const double most = criteria.maxGrade / 100 * (1 + 1e-6) + 1e-9;
    ForEachRow(profile, SegmentKind::VerticalCurve, [&](std::int32_t row, const SegmentRow& r) {
        const float grade = std::fabs(r.rate1) > std::fabs(r.rate2) ? r.rate1 : r.rate2;
        if (std::fabs(grade) > most)
            faults.push_back("curve " + std::to_string(row) + ": grade " + Percent(100.0 * grade) +
                             " is steeper than " + Percent(criteria.maxGrade));
    });
}

void AnchorFaults(const ProfileState& profile, const FitCriteria& criteria,
                  std::vector<std::string>& faults)
{
    const double tolerance = Tolerances{}.elevation;
    for (const FixedPoint& p : criteria.fixedPoints) {
        const double z = ProfileElevations(profile, {p.station}).front();
        if (std::fabs(z - p.elevation) > tolerance)
            faults.push_back("the fixed point at " + ShortestText(p.station) + " is missed: " +
                             SignificantText(z, 9) + " instead of " + ShortestText(p.elevation));
    }
    std::vector<double> stations;
    for (const Sample& s :
         SamplesOf(JointStations(criteria), GroundProfile({{criteria.from, 0}, {criteria.to, 0}})))
        stations.push_back(s.station);
    const std::vector<double> z = ProfileElevations(profile, stations);
    for (const ElevationWindow& w : criteria.windows)
        for (std::size_t k = 0; k < stations.size(); ++k)
            if (stations[k] >= w.from && stations[k] <= w.to &&
                (z[k] < w.lowest - tolerance || z[k] > w.highest + tolerance))
                faults.push_back("at " + ShortestText(stations[k]) + " the elevation " +
                                 SignificantText(z[k], 9) + " leaves the window from " +
                                 ShortestText(w.from) + " to " + ShortestText(w.to));
}

}  // namespace

Earthwork EarthworkOf(const ProfileState& profile, const GroundProfile& ground,
                      const FitCriteria& criteria)
{
    const std::vector<Sample> samples = SamplesOf(JointStations(criteria), ground);
    std::vector<double> stations;
    for (const Sample& s : samples)
        stations.push_back(s.station);
    return ExactEarthwork(samples, ProfileElevations(profile, stations), criteria);
}

std::vector<std::string> CriteriaFaults(const ProfileState& profile, const FitCriteria& criteria)
{
    std::vector<std::string> faults;
    for (const Fault& f : CheckProfile(profile, Tolerances{}))
        faults.push_back(FaultText(f, false));
    const DesignCriteria design{criteria.speed, std::nullopt};
    for (const DesignFault& f : CheckDesign(profile, design))
        faults.push_back(DesignFaultText(f, design));
    GradeFaults(profile, criteria, faults);
    try {
        AnchorFaults(profile, criteria, faults);
    } catch (const FitError& e) {
        faults.emplace_back(e.what());
    }
    return faults;
}

ProfileState FittedProfile(const FitResult& result)
{
    ProfileState state;
    ApplyInputProfile(state, RowsFromPoints(result.pvis, "fitted grade line"));
    return state;
}

}  // namespace ravo
