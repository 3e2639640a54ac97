// The sections, linearised areas, fixed points, windows and balance that both
// programmes of the grade-line fit share, and their solve.
//
// The area of a section in fill (or cut) at depth h is h·(W + n·h), convex in
// h. The programme takes the largest of its tangents at the depths b(0) = 0,
// b(1) = h0, b(j+1) = 1.25·b(j) up to the ground's relief: an outer
// approximation, never above the true area, so the programme's optimum is a
// lower bound of the true one. Two tangents at b and b' meet at (b + b') / 2,
// below the area by n·(b' - b)²/4 there and by less elsewhere: for h between
// h0 and the last tangent depth the area is underestimated by at most
// (0.25/2.25)² ≈ 1.2% of itself, and by at most n·h0²/4 above h0. The largest
// of the tangents is the sum of segments of the depth, each with the slope
// W + 2·n·b(j) of its tangent, filled in order because the slopes increase.
#include "core/fit/fit_model.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/text/numbers.h"

namespace ravo {
namespace {

constexpr double TangentRatio = 1.25;
constexpr double KMargin = 1.001;  // K a hair above the least, so float rows keep it
constexpr int MaxBalanceSolves = 12;

// The depths where one tangent gives way to the next, and their slopes.
struct AreaSegments {
    std::vector<double> ends;    // the upper end of each segment but the last
    std::vector<double> slopes;  // one more than ends: the last segment is open
};

AreaSegments SegmentsOf(double width, double slope, double firstDepth, double deepest)
{
    std::vector<double> tangents{0, firstDepth};
    while (tangents.back() < deepest)
        tangents.push_back(tangents.back() * TangentRatio);
    AreaSegments segments;
    for (std::size_t j = 0; j < tangents.size(); ++j) {
        segments.slopes.push_back(width + 2 * slope * tangents[j]);
        if (j + 1 < tangents.size())
            segments.ends.push_back((tangents[j] + tangents[j + 1]) / 2);
    }
    return segments;
}

double Relief(const std::vector<Sample>& samples, const FitCriteria& criteria)
{
    double low = samples.front().ground;
    double high = low;
    const auto take = [&](double z) {
        low = std::min(low, z);
        high = std::max(high, z);
    };
    for (const Sample& s : samples)
        take(s.ground);
    for (const FixedPoint& p : criteria.fixedPoints)
        take(p.elevation);
    for (const ElevationWindow& w : criteria.windows) {
        take(std::max(w.lowest, low));
        take(std::min(w.highest, high));
    }
    return high - low + UnitScale(criteria);
}

// One side (fill or cut) of a section: a column per segment, summed into the row.
void AddSide(LpProblem& problem, std::vector<LpTerm>& row, const AreaSegments& segments,
             double cost, double sign)
{
    for (std::size_t j = 0; j < segments.slopes.size(); ++j) {
        const double begin = j == 0 ? 0 : segments.ends[j - 1];
        const double width = j < segments.ends.size() ? segments.ends[j] - begin : LpInfinity;
        row.push_back({problem.AddColumn(0, width, cost * segments.slopes[j]), sign});
    }
}

void AddEarthwork(LpProblem& problem, const std::vector<std::vector<LpTerm>>& terms,
                  const std::vector<Sample>& samples, const FitCriteria& criteria)
{
    const SectionTemplate& section = criteria.section;
    const double deepest = Relief(samples, criteria);
    const double first = 0.05 * UnitScale(criteria);
    const AreaSegments fill = SegmentsOf(section.width, section.fillSlope, first, deepest);
    const AreaSegments cut = SegmentsOf(section.width, section.cutSlope, first, deepest);
    for (std::size_t k = 0; k < samples.size(); ++k) {
        // elevation - fill depth + cut depth = ground + pavement
        std::vector<LpTerm> row = terms[k];
        AddSide(problem, row, fill, samples[k].weight * criteria.fillCost, -1);
        AddSide(problem, row, cut, samples[k].weight * criteria.cutCost, 1);
        const double level = samples[k].ground + section.pavementDepth;
        problem.AddRow(level, level, row);
    }
}

void AddAnchors(LpProblem& problem, const ElevationTerms& at, const FitCriteria& criteria,
                const std::vector<Sample>& samples)
{
    for (const FixedPoint& p : criteria.fixedPoints)
        problem.AddRow(p.elevation, p.elevation, at(p.station));
    for (const ElevationWindow& w : criteria.windows) {
        problem.AddRow(w.lowest, w.highest, at(w.from));
        problem.AddRow(w.lowest, w.highest, at(w.to));
        for (const Sample& s : samples)
            if (s.station > w.from && s.station < w.to)
                problem.AddRow(w.lowest, w.highest, at(s.station));
    }
}

// cut × factor - fill of one section at a depth, per unit of length.
double Net(const FitCriteria& criteria, double depth)
{
    return criteria.section.cutFactor * CutArea(criteria.section, depth) -
           FillArea(criteria.section, depth);
}

// The balance linearised about the depths of the last solve: each section's
// net area by its secant over a short span about that depth.
void AddBalance(LpProblem& problem, const std::vector<std::vector<LpTerm>>& terms,
                const std::vector<Sample>& samples, const FitCriteria& criteria,
                const std::vector<double>& depths, double tolerance)
{
    const double span = 0.1 * UnitScale(criteria);
    std::vector<LpTerm> row;
    double constant = 0;
    for (std::size_t k = 0; k < samples.size(); ++k) {
        const double d = depths[k];
        const double slope = (Net(criteria, d + span) - Net(criteria, d - span)) / (2 * span);
        const double w = samples[k].weight;
        constant += w * (Net(criteria, d) -
                         slope * (d + samples[k].ground + criteria.section.pavementDepth));
        for (const LpTerm& t : terms[k])
            row.push_back({t.column, w * slope * t.value});
    }
    // A little inside the tolerance, so that the profile's float rows keep it too.
    const double inside = 0.98 * tolerance;
    problem.AddRow(-inside - constant, inside - constant, row);
}

}  // namespace

double UnitScale(const FitCriteria& criteria)
{
    return criteria.speed.units == LengthUnits::Feet ? 1 / 0.3048 : 1;
}

double PieceLengthOf(const FitCriteria& criteria)
{
    if (criteria.pieceLength > 0)
        return criteria.pieceLength;
    return criteria.speed.units == LengthUnits::Feet ? 50 : 20;
}

double LeastCrestK(const FitCriteria& criteria)
{
    return MinimumsForDesignSpeed(criteria.speed.speed, criteria.speed.units).crestK * KMargin;
}

double LeastSagK(const FitCriteria& criteria)
{
    return MinimumsForDesignSpeed(criteria.speed.speed, criteria.speed.units).sagK * KMargin;
}

std::vector<double> JointStations(const FitCriteria& criteria)
{
    const double piece = PieceLengthOf(criteria);
    const double span = criteria.to - criteria.from;
    // A last piece shorter than a quarter of the others joins the one before.
    const auto whole = static_cast<std::size_t>(std::max(1.0, std::ceil(span / piece - 0.25)));
    std::vector<double> joints;
    for (std::size_t i = 0; i < whole; ++i)
        joints.push_back(criteria.from + static_cast<double>(i) * piece);
    joints.push_back(criteria.to);
    return joints;
}

std::vector<Sample> SamplesOf(const std::vector<double>& joints, const GroundProfile& ground)
{
    std::vector<Sample> samples;
    const auto add = [&](double station, double weight) {
        const std::optional<double> z = ground.ElevationAt(station);
        if (!z)
            throw FitError("the ground line does not reach station " + ShortestText(station));
        samples.push_back({station, weight, *z});
    };
    for (std::size_t i = 0; i < joints.size(); ++i) {
        const double before = i > 0 ? joints[i] - joints[i - 1] : 0;
        const double after = i + 1 < joints.size() ? joints[i + 1] - joints[i] : 0;
        add(joints[i], (before + after) / 4);
        if (i + 1 < joints.size())
            add(joints[i] + after / 2, after / 2);
    }
    return samples;
}

Earthwork ExactEarthwork(const std::vector<Sample>& samples, const std::vector<double>& elevations,
                         const FitCriteria& criteria)
{
    Earthwork e;
    for (std::size_t k = 0; k < samples.size(); ++k) {
        const double depth = FormationDepth(criteria.section, elevations[k], samples[k].ground);
        e.fill += samples[k].weight * FillArea(criteria.section, depth);
        e.cut += samples[k].weight * CutArea(criteria.section, depth);
    }
    e.cost = criteria.cutCost * e.cut + criteria.fillCost * e.fill;
    return e;
}

double ValueOf(const std::vector<LpTerm>& terms, const std::vector<double>& x)
{
    double value = 0;
    for (const LpTerm& t : terms)
        value += t.value * x[static_cast<std::size_t>(t.column)];
    return value;
}

namespace {

std::vector<double> DepthsOf(const std::vector<double>& elevations,
                             const std::vector<Sample>& samples, const FitCriteria& criteria)
{
    std::vector<double> depths;
    for (std::size_t k = 0; k < samples.size(); ++k)
        depths.push_back(elevations[k] - samples[k].ground - criteria.section.pavementDepth);
    return depths;
}

}  // namespace

ModelRun SolveModel(const BuildModel& build, const FitCriteria& criteria,
                    const std::vector<Sample>& samples, LpSolver& solver,
                    const std::vector<double>* start)
{
    ModelRun run;
    std::optional<std::vector<double>> depths;
    if (criteria.balance && start != nullptr && criteria.balanceTolerance > 0) {
        depths = DepthsOf(*start, samples, criteria);
        run.tolerance = criteria.balanceTolerance;
    }
    for (int attempt = 0; attempt < MaxBalanceSolves; ++attempt) {
        LpProblem problem;
        const ElevationTerms at = build(problem);
        std::vector<std::vector<LpTerm>> terms;
        for (const Sample& s : samples)
            terms.push_back(at(s.station));
        AddAnchors(problem, at, criteria, samples);
        AddEarthwork(problem, terms, samples, criteria);
        if (depths)
            AddBalance(problem, terms, samples, criteria, *depths, run.tolerance);
        run.solution = solver.Solve(problem);
        run.seconds += run.solution.seconds;
        ++run.solves;
        if (run.solution.status != LpStatus::Optimal)
            return run;
        run.elevations.clear();
        for (const std::vector<LpTerm>& t : terms)
            run.elevations.push_back(ValueOf(t, run.solution.x));
        if (!criteria.balance)
            return run;
        const Earthwork e = ExactEarthwork(samples, run.elevations, criteria);
        if (!depths)
            run.tolerance = criteria.balanceTolerance > 0
                                ? criteria.balanceTolerance
                                : std::max(0.01 * std::max(e.fill, e.cut), 1e-6);
        if (std::fabs(criteria.section.cutFactor * e.cut - e.fill) <= run.tolerance)
            return run;
        depths = DepthsOf(run.elevations, samples, criteria);
    }
    run.balanced = false;
    return run;
}

}  // namespace ravo
