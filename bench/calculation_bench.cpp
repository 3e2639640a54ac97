// The elevation calculation over large profiles, beside a pass that only
// streams the two station columns it has to read, the memory-bound limit.
#include <benchmark/benchmark.h>

#include <bit>
#include <cstddef>
#include <cstdint>

#include "core/profile/elevation.h"
#include "core/profile/profile_state.h"

namespace {

// Back-to-back rows of 100 stations each; the station falls in one row of each kind.
ravo::ProfileState ProfileOf(std::int32_t rows)
{
    ravo::ProfileState state;
    for (ravo::SegmentKind kind :
         {ravo::SegmentKind::VerticalCurve, ravo::SegmentKind::Superelevation}) {
        ravo::RecreateTables(state, kind, rows);
        for (std::int32_t row = 1; row <= rows; ++row) {
            const float begin = 100.0f * static_cast<float>(row - 1);
            ravo::StoreField(state, kind, ravo::Column::Start, row, 100.0f);
            ravo::StoreField(state, kind, ravo::Column::Rate1, row, 0.02f);
            ravo::StoreField(state, kind, ravo::Column::Rate2, row, -0.01f);
            ravo::StoreField(state, kind, ravo::Column::Station1, row, begin);
            ravo::StoreField(state, kind, ravo::Column::Station2, row, begin + 100.0f);
        }
    }
    state.CalcOffset = 12;
    state.CalcStation = 100.0f * static_cast<float>(rows) / 2.0f + 25.0f;
    return state;
}

void BM_CalculateElevation(benchmark::State& bench)
{
    ravo::ProfileState state = ProfileOf(static_cast<std::int32_t>(bench.range(0)));
    for (auto _ : bench) {
        ravo::CalculateElevation(state);
        benchmark::DoNotOptimize(state.CalcElevation);
    }
    // Two kinds, two station columns of 4 bytes each per row.
    bench.SetBytesProcessed(bench.iterations() * bench.range(0) * 16);
}

std::uint32_t StreamColumns(const std::vector<float>& a, const std::vector<float>& b)
{
    std::uint32_t bits = 0;
    for (std::size_t i = 1; i < a.size(); ++i)
        bits |= std::bit_cast<std::uint32_t>(a[i]) | std::bit_cast<std::uint32_t>(b[i]);
    return bits;
}

void BM_StreamStationColumns(benchmark::State& bench)
{
    const ravo::ProfileState state = ProfileOf(static_cast<std::int32_t>(bench.range(0)));
    for (auto _ : bench) {
        std::uint32_t bits = StreamColumns(state.VcSta1, state.VcSta2);
        bits |= StreamColumns(state.SupSta1, state.SupSta2);
        benchmark::DoNotOptimize(bits);
    }
    bench.SetBytesProcessed(bench.iterations() * bench.range(0) * 16);
}

}  // namespace

BENCHMARK(BM_CalculateElevation)->Arg(10)->Arg(1'000)->Arg(100'000)->Arg(1'000'000);
BENCHMARK(BM_StreamStationColumns)->Arg(10)->Arg(1'000)->Arg(100'000)->Arg(1'000'000);
