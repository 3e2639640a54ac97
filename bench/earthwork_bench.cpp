// The earthwork table of a 100 km road at a 1 m interval, beside one pass of
// the elevation walk over the same stations, the least any table must do.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/ground/earthwork.h"
#include "core/profile/elevation_walk.h"

namespace {

constexpr double RoadLength = 100'000;
constexpr std::int32_t RowLength = 50;

// Back-to-back 50 m curves, crest and sag in turn, grades of 2 % meeting at
// every joint.
ravo::ProfileState Road()
{
    ravo::ProfileState state;
    const auto rows = static_cast<std::int32_t>(RoadLength) / RowLength;
    ravo::RecreateTables(state, ravo::SegmentKind::VerticalCurve, rows);
    for (std::int32_t row = 1; row <= rows; ++row) {
        const float grade = row % 2 == 1 ? 0.02f : -0.02f;
        const auto begin = static_cast<float>((row - 1) * RowLength);
        using ravo::Column;
        ravo::StoreField(state, ravo::SegmentKind::VerticalCurve, Column::Start, row, 100.0f);
        ravo::StoreField(state, ravo::SegmentKind::VerticalCurve, Column::Rate1, row, grade);
        ravo::StoreField(state, ravo::SegmentKind::VerticalCurve, Column::Rate2, row, -grade);
        ravo::StoreField(state, ravo::SegmentKind::VerticalCurve, Column::Station1, row, begin);
        ravo::StoreField(state, ravo::SegmentKind::VerticalCurve, Column::Station2, row,
                         begin + static_cast<float>(RowLength));
    }
    return state;
}

// A point every metre, rolling 2 m either side of the grade.
ravo::GroundProfile Ground()
{
    std::vector<ravo::GroundPoint> points;
    for (int metre = 0; metre <= static_cast<int>(RoadLength); ++metre) {
        const double station = metre;
        points.push_back({station, 100.5 + 2 * std::sin(station / 300)});
    }
    return ravo::GroundProfile(std::move(points));
}

const ravo::EarthworkRequest Request{
    .section = {.width = 12, .fillSlope = 2, .cutSlope = 1.5, .cutFactor = 0.9}, .interval = 1};

double WalkPass(const ravo::ProfileState& road, const std::vector<double>& stations)
{
    ravo::ElevationWalk walk(road);
    double sum = 0;
    for (double station : stations)
        sum += walk.At(static_cast<float>(station), 0).gradeElevation;
    return sum;
}

// The table; the counter walk_ratio is its time over one walk pass over its
// stations, timed in the same iteration.
void BM_EarthworkTable100km(benchmark::State& bench)
{
    const ravo::ProfileState road = Road();
    const ravo::GroundProfile ground = Ground();
    const std::vector<double> stations =
        ravo::EarthworkStations(road, ground, 0, RoadLength, Request.interval);
    double tableSeconds = 0, walkSeconds = 0;
    for (auto _ : bench) {
        const auto start = std::chrono::steady_clock::now();
        ravo::EarthworkTable table = ravo::ComputeEarthwork(road, ground, Request);
        const auto middle = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(table.totals.net);
        benchmark::DoNotOptimize(WalkPass(road, stations));
        const auto end = std::chrono::steady_clock::now();
        tableSeconds += std::chrono::duration<double>(middle - start).count();
        walkSeconds += std::chrono::duration<double>(end - middle).count();
    }
    bench.counters["stations"] = static_cast<double>(stations.size());
    bench.counters["table_ms"] = 1e3 * tableSeconds / static_cast<double>(bench.iterations());
    bench.counters["walk_ms"] = 1e3 * walkSeconds / static_cast<double>(bench.iterations());
    bench.counters["walk_ratio"] = tableSeconds / walkSeconds;
}

void BM_ElevationWalkSameStations(benchmark::State& bench)
{
    const ravo::ProfileState road = Road();
    const std::vector<double> stations =
        ravo::EarthworkStations(road, Ground(), 0, RoadLength, Request.interval);
    for (auto _ : bench)
        benchmark::DoNotOptimize(WalkPass(road, stations));
}

}  // namespace

BENCHMARK(BM_EarthworkTable100km)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ElevationWalkSameStations)->Unit(benchmark::kMillisecond);
