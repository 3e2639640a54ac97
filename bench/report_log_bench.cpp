// The elevation log of ravo-calc report against ravo-calc table in the same
// run: 1 000 000 stations along Ridge Road at one offset, both written into
// files in $RAVO_BENCH_DIR (default /tmp), so that both pay for the disk. The
// counter "ratio" is the log's time over the table's.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "core/profile/profile_state.h"
#include "core/report/report.h"
#include "counting_buffer.h"
#include "elevation_table.h"
#include "report_command.h"

namespace {

constexpr std::uint64_t Stations = 1'000'000;
constexpr double Step = 0.0045;  // 0 to 4499.9955: the whole road
const char* const RidgeRoad = RAVO_EXAMPLES_DIR "/ridge-road.in";

std::string BenchFile(const std::string& name)
{
    const char* dir = std::getenv("RAVO_BENCH_DIR");
    return std::string(dir != nullptr ? dir : "/tmp") + "/" + name;
}

double SecondsOf(const auto& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// As "ravo-calc table FILE --from 0 --to 4499.9955 --step 0.0045 --offset 12 > file".
void Table(const ravo::calc::StationWalk& walk)
{
    std::ofstream out(BenchFile("ravo-bench-table.txt"), std::ios::binary);
    ravo::bench::CountingBuffer discarded;
    std::ostream err(&discarded);
    const ravo::ProfileState state = ravo::LoadProfile(RidgeRoad);
    ravo::calc::WriteTable(out, err, state, walk, {12}, {ravo::calc::TableFormat::Plain, false});
    out.flush();
}

// As "ravo-calc report FILE -o file --from 0 --to 4499.9955 --step 0.0045 --offset 12".
void Log(const ravo::calc::StationWalk& walk)
{
    ravo::calc::ReportRequest request;
    request.inputPath = RidgeRoad;
    request.outputPath = BenchFile("ravo-bench-log.out");
    request.stations = walk;
    request.offset = 12;
    request.time = ravo::CurrentLocalTime();
    ravo::bench::CountingBuffer discarded;
    std::ostream err(&discarded);
    ravo::calc::WriteReport(request, err);
}

void BM_LogAgainstTable(benchmark::State& bench)
{
    const ravo::calc::StationWalk walk(0, Step * (Stations - 1), Step);
    if (walk.Count() != Stations) {
        bench.SkipWithError("the walk does not have 1 000 000 stations");
        return;
    }
    double table = 0;
    double log = 0;
    for (auto _ : bench) {
        table += SecondsOf([&] { Table(walk); });
        log += SecondsOf([&] { Log(walk); });
    }
    const auto runs = static_cast<double>(bench.iterations());
    bench.counters["table_s"] = table / runs;
    bench.counters["log_s"] = log / runs;
    bench.counters["ratio"] = log / table;
}

BENCHMARK(BM_LogAgainstTable)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(3);

}  // namespace
