// ravo-calc table over large profiles: n rows of each kind, s stations along
// the whole road, written as CSV into a stream that discards it; and the walk
// alone, without the text, beside a full pass over the rows per station.
// Each profile is also written as an input file
// (table-<rows>.in in $RAVO_BENCH_DIR, default /tmp) for the numpy reference,
// bench/table_reference.py, which fills the same stations row by row.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <ostream>
#include <string>

#include "core/formats/input_file.h"
#include "core/profile/elevation.h"
#include "core/profile/elevation_walk.h"
#include "core/profile/profile_state.h"
#include "counting_buffer.h"
#include "elevation_table.h"

namespace {

using ravo::Column;
using ravo::SegmentKind;

constexpr float RowLength = 10;

// Curves back to back, sharing their ends, every seventh one half as long again
// so that it overlaps the next; segments the same, shifted by half a row, with
// a gap after every eleventh. Grades vary so that no two rows are alike.
ravo::ProfileState ProfileOf(std::int32_t rows)
{
    ravo::ProfileState state;
    for (SegmentKind kind : {SegmentKind::VerticalCurve, SegmentKind::Superelevation}) {
        const bool curves = kind == SegmentKind::VerticalCurve;
        ravo::RecreateTables(state, kind, rows);
        for (std::int32_t row = 1; row <= rows; ++row) {
            const float begin = RowLength * static_cast<float>(row - 1) + (curves ? 0 : 5);
            float length = row % 7 == 0 ? 1.5f * RowLength : RowLength;
            if (!curves && row % 11 == 0)
                length = RowLength / 2;
            const float wave = static_cast<float>(row % 13) - 6;
            ravo::StoreField(state, kind, Column::Start, row, curves ? 100 + wave : wave / 100);
            ravo::StoreField(state, kind, Column::Rate1, row, wave / 500);
            ravo::StoreField(state, kind, Column::Rate2, row, -wave / 700);
            ravo::StoreField(state, kind, Column::Station1, row, begin);
            ravo::StoreField(state, kind, Column::Station2, row, begin + length);
        }
    }
    return state;
}

const ravo::ProfileState& SharedProfile(std::int32_t rows)
{
    static std::map<std::int32_t, ravo::ProfileState> profiles;
    auto [it, added] = profiles.try_emplace(rows);
    if (added) {
        it->second = ProfileOf(rows);
        const char* dir = std::getenv("RAVO_BENCH_DIR");
        ravo::WriteInputFile(it->second, std::string(dir != nullptr ? dir : "/tmp") + "/table-" +
                                             std::to_string(rows) + ".in");
    }
    return it->second;
}

// Stations 0, step, 2 step, ... over the whole road; the last one is
// (stations - 1) step.
double StepFor(std::int32_t rows, std::int64_t stations)
{
    return static_cast<double>(RowLength) * rows / static_cast<double>(stations);
}

void BM_TableCsv(benchmark::State& bench)
{
    const auto rows = static_cast<std::int32_t>(bench.range(0));
    const std::int64_t stations = bench.range(1);
    const ravo::ProfileState& state = SharedProfile(rows);
    const double step = StepFor(rows, stations);
    const ravo::calc::StationWalk walk(0, step * static_cast<double>(stations - 1), step);
    if (walk.Count() != static_cast<std::uint64_t>(stations)) {
        bench.SkipWithError("unexpected number of stations");
        return;
    }
    ravo::bench::CountingBuffer buffer;
    std::ostream out(&buffer);
    for (auto _ : bench) {
        const ravo::calc::TableCounts counts = ravo::calc::WriteTable(
            out, out, state, walk, {12}, {ravo::calc::TableFormat::Csv, false});
        benchmark::DoNotOptimize(counts);
    }
    bench.SetItemsProcessed(bench.iterations() * stations);
}

void BM_WalkOnly(benchmark::State& bench)
{
    const auto rows = static_cast<std::int32_t>(bench.range(0));
    const std::int64_t stations = bench.range(1);
    const ravo::ProfileState& state = SharedProfile(rows);
    const double step = StepFor(rows, stations);
    double sum = 0;
    for (auto _ : bench) {
        ravo::ElevationWalk walk(state);
        sum = 0;
        for (std::int64_t k = 0; k < stations; ++k)
            sum += walk.At(static_cast<float>(static_cast<double>(k) * step), 12).elevation;
        benchmark::DoNotOptimize(sum);
    }
    bench.SetItemsProcessed(bench.iterations() * stations);
    bench.counters["checksum"] = sum;  // the reference prints the same sum
}

// The same elevations as the walk, by the desktop program's single pass over
// all rows at every station: what the table cost before it walked.
void BM_PassPerStation(benchmark::State& bench)
{
    const auto rows = static_cast<std::int32_t>(bench.range(0));
    const std::int64_t stations = bench.range(1);
    ravo::ProfileState state = SharedProfile(rows);
    const double step = StepFor(rows, stations);
    state.CalcOffset = 12;
    double sum = 0;
    for (auto _ : bench) {
        sum = 0;
        for (std::int64_t k = 0; k < stations; ++k) {
            state.CalcStation = static_cast<float>(static_cast<double>(k) * step);
            ravo::CalculateElevation(state);
            sum += state.CalcElevation;
        }
        benchmark::DoNotOptimize(sum);
    }
    bench.SetItemsProcessed(bench.iterations() * stations);
    bench.counters["checksum"] = sum;
}

}  // namespace

BENCHMARK(BM_TableCsv)
    ->Args({10'000, 100'000})
    ->Args({100'000, 100'000})
    ->Args({1'000'000, 1'000'000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PassPerStation)
    ->Args({10'000, 100'000})
    ->Args({100'000, 100'000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkOnly)
    ->Args({10'000, 100'000})
    ->Args({100'000, 100'000})
    ->Args({1'000'000, 1'000'000})
    ->Unit(benchmark::kMillisecond);
