// ravo-calc's elevation table: 100 000 stations along Ridge Road at one
// offset, written as plain text and as CSV into a stream that discards them,
// so that the figure is the calculation and formatting, not the disk.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <ostream>

#include "core/formats/profile_file.h"
#include "counting_buffer.h"
#include "elevation_table.h"

namespace {

constexpr std::uint64_t Stations = 100'000;

void TableOfRidgeRoad(benchmark::State& bench, ravo::calc::TableFormat format)
{
    ravo::ProfileState state = ravo::LoadProfile(RAVO_EXAMPLES_DIR "/ridge-road.in");
    // 0 to 4499.955 in steps of 0.045: 100 000 stations over the whole road.
    const ravo::calc::StationWalk walk(0, 0.045 * (Stations - 1), 0.045);
    if (walk.Count() != Stations) {
        bench.SkipWithError("the walk does not have 100 000 stations");
        return;
    }
    ravo::bench::CountingBuffer buffer;
    std::ostream out(&buffer);
    std::uint64_t invalid = 0;
    for (auto _ : bench)
        invalid += ravo::calc::WriteTable(out, out, state, walk, {12}, {format, false}).invalid;
    benchmark::DoNotOptimize(invalid);
    bench.SetItemsProcessed(bench.iterations() * static_cast<std::int64_t>(Stations));
    bench.SetBytesProcessed(static_cast<std::int64_t>(buffer.bytes));
}

void BM_TablePlain(benchmark::State& bench)
{
    TableOfRidgeRoad(bench, ravo::calc::TableFormat::Plain);
}
void BM_TableCsv(benchmark::State& bench) { TableOfRidgeRoad(bench, ravo::calc::TableFormat::Csv); }

BENCHMARK(BM_TablePlain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableCsv)->Unit(benchmark::kMillisecond);

}  // namespace
