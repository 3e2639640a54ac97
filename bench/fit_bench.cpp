// The grade-line fit over 10 km of hilly ground at 20 m pieces: the whole fit
// (both programmes, the PVIs, the checks' re-costing) against the solver's
// own time in the same run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>

#include "core/fit/grade_fit.h"

namespace {

ravo::GroundProfile HillyGround(double length)
{
    std::vector<ravo::GroundPoint> points;
    for (double s = 0; s <= length; s += 10)
        points.push_back({s, 200 + 15 * std::sin(s / 700) + 5 * std::sin(s / 130) +
                                 2 * std::sin(s / 41) + 0.002 * s});
    return ravo::GroundProfile(points);
}

ravo::FitCriteria Criteria(double length, bool balance)
{
    ravo::FitCriteria c;
    c.from = 0;
    c.to = length;
    c.speed = {80, ravo::LengthUnits::Metres};
    c.maxGrade = 5;
    c.section.width = 10;
    c.fixedPoints = {{0, 200}, {length, HillyGround(length).ElevationAt(length).value()}};
    c.windows = {{4000, 4200, 215, 225}};
    c.balance = balance;
    return c;
}

void Fit(benchmark::State& state, bool balance)
{
    const double length = 10'000;
    const ravo::GroundProfile ground = HillyGround(length);
    const ravo::FitCriteria criteria = Criteria(length, balance);
    double solver = 0;
    double whole = 0;
    double pvis = 0;
    double above = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const ravo::FitResult result = ravo::FitGradeLine(ground, criteria);
        whole += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        solver += result.solverSeconds;
        pvis = static_cast<double>(result.pvis.size());
        above = result.fitted.cost / result.optimum.cost;
        benchmark::DoNotOptimize(result);
    }
    // Seconds of the solver per iteration; the time column shows the whole fit.
    state.counters["solver_s"] = benchmark::Counter(solver, benchmark::Counter::kAvgIterations);
    state.counters["fit_per_solver"] = solver > 0 ? whole / solver : 0;
    state.counters["pvis"] = pvis;
    state.counters["fitted_per_optimum"] = above;
}

void BM_Fit10km(benchmark::State& state) { Fit(state, false); }
void BM_Fit10kmBalanced(benchmark::State& state) { Fit(state, true); }

}  // namespace

BENCHMARK(BM_Fit10km)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Fit10kmBalanced)->Unit(benchmark::kMillisecond)->UseRealTime();
