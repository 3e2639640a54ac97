// Criteria that cannot be used, and criteria that no grade line meets: each
// pair of fixed points and windows against the maximum grade before the
// solve, and after a solve that finds none, which family of criteria binds.
#include "core/fit/fit_feasibility.h"

#include <algorithm>
#include <cmath>

#include "core/fit/fit_shapes.h"
#include "core/text/numbers.h"

namespace ravo {
namespace {

std::string Number(double value) { return ShortestText(value); }

// A fixed point or a window: a station range and an elevation range.
struct Anchor {
    double from, to, low, high;
    std::string name;
};

std::vector<Anchor> AnchorsOf(const FitCriteria& c)
{
    std::vector<Anchor> anchors;
    for (const FixedPoint& p : c.fixedPoints)
        anchors.push_back({p.station, p.station, p.elevation, p.elevation,
                           "the fixed point at " + Number(p.station) + " (elevation " +
                               Number(p.elevation) + ")"});
    for (const ElevationWindow& w : c.windows)
        anchors.push_back({w.from, w.to, w.lowest, w.highest,
                           "the window from " + Number(w.from) + " to " + Number(w.to) +
                               " (elevations " + Number(w.lowest) + " to " + Number(w.highest) +
                               ")"});
    return anchors;
}

std::string PairText(const Anchor& a, const Anchor& b, double grade)
{
    const double distance = std::max(0.0, std::max(a.from, b.from) - std::min(a.to, b.to));
    const double rise = std::max(a.low - b.high, b.low - a.high);
    if (rise <= grade / 100 * distance + 1e-9)
        return {};
    if (distance == 0)
        return a.name + " and " + b.name + " share no elevation";
    return b.name + " cannot be reached from " + a.name + " with a grade of at most " +
           Number(grade) + "% (it takes " + SignificantText(100 * rise / distance, 4) + "%)";
}

void Require(bool ok, const std::string& what)
{
    if (!ok)
        throw FitError(what);
}

bool Within(double station, const FitCriteria& c) { return station >= c.from && station <= c.to; }

}  // namespace

void CheckUsable(const FitCriteria& c)
{
    Require(std::isfinite(c.from) && std::isfinite(c.to) && c.from < c.to,
            "the station range must run from a lower to a higher station");
    Require(c.speed.speed > 0 && std::isfinite(c.speed.speed), "the design speed must be above 0");
    Require(c.maxGrade > 0 && std::isfinite(c.maxGrade), "the maximum grade must be above 0");
    Require(c.pieceLength >= 0 && c.curveStep >= 0,
            "piece lengths and curve steps cannot be negative");
    Require(c.cutCost >= 0 && c.fillCost >= 0 && c.cutCost + c.fillCost > 0,
            "the unit costs cannot be negative, nor both 0");
    const SectionTemplate& s = c.section;
    Require(
        s.width >= 0 && s.fillSlope >= 0 && s.cutSlope >= 0 && s.cutFactor > 0,
        "the section's width and slopes cannot be negative, and its cut factor must be above 0");
    Require(s.width > 0 || (s.fillSlope > 0 && s.cutSlope > 0),
            "the section has no area: give it a width or side slopes");
    Require(c.balanceTolerance >= 0, "the balance tolerance cannot be negative");
    for (const FixedPoint& p : c.fixedPoints)
        Require(Within(p.station, c), "the fixed point at " + Number(p.station) +
                                          " lies outside the stations " + Number(c.from) + " to " +
                                          Number(c.to));
    for (const ElevationWindow& w : c.windows) {
        Require(w.from <= w.to && w.lowest <= w.highest,
                "the window from " + Number(w.from) + " to " + Number(w.to) +
                    " must run from lower to higher stations and elevations");
        Require(Within(w.from, c) && Within(w.to, c),
                "the window from " + Number(w.from) + " to " + Number(w.to) +
                    " lies outside the stations " + Number(c.from) + " to " + Number(c.to));
    }
}

void CheckPairs(const FitCriteria& c)
{
    const std::vector<Anchor> anchors = AnchorsOf(c);
    std::string found;
    for (std::size_t i = 0; i < anchors.size(); ++i)
        for (std::size_t j = i + 1; j < anchors.size(); ++j)
            if (const std::string text = PairText(anchors[i], anchors[j], c.maxGrade);
                !text.empty())
                found += (found.empty() ? "" : "; ") + text;
    if (!found.empty())
        throw FitError("no grade line meets the criteria: " + found);
}

std::string InfeasibleText(const FitCriteria& c, const std::vector<double>& joints,
                           const std::vector<Sample>& samples, LpSolver& solver)
{
    const auto feasible = [&](const FitCriteria& criteria, bool curvature) {
        const PieceModel model = MakePieceModel(joints, criteria, curvature);
        return SolveModel(model.build, criteria, samples, solver).solution.status ==
               LpStatus::Optimal;
    };
    FitCriteria unbalanced = c;
    unbalanced.balance = false;
    if (c.balance && feasible(unbalanced, true))
        return "the earthwork cannot be balanced while meeting the other criteria";
    const DesignMinimums least = MinimumsForDesignSpeed(c.speed.speed, c.speed.units);
    if (feasible(unbalanced, false))
        return "the fixed points and windows can be met with grades of at most " +
               Number(c.maxGrade) + "%, but not with curves of crest K " + Number(least.crestK) +
               " and sag K " + Number(least.sagK) + " (" + Number(c.speed.speed) + " " +
               SpeedUnitName(c.speed.units) + ") between them";
    return "the fixed points and windows cannot be met together with grades of at most " +
           Number(c.maxGrade) + "%";
}

}  // namespace ravo
