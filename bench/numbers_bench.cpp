// Throughput of the number conversions that every keystroke and report line uses.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/text/numbers.h"
#include "core/text/pattern_format.h"

namespace {

const std::vector<std::string> kEntryTexts = {"1234.5", "-0.02",    "12 345.678", "1e3",
                                              ".0004",  "101.3125", "&H1F",       "12abc"};
const std::vector<double> kValues = {
    101.3125, -12.3456, 0.0004000000189989805, 1234567.25, 0.0, 12345.677734375, -0.02, 99.76};

void BM_LeadingNumber(benchmark::State& bench)
{
    std::size_t i = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(ravo::LeadingNumber(kEntryTexts[i++ % kEntryTexts.size()]));
    }
    bench.SetItemsProcessed(bench.iterations());
}

void BM_NumberTextFloat(benchmark::State& bench)
{
    std::size_t i = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(
            ravo::NumberText(static_cast<float>(kValues[i++ % kValues.size()])));
    }
    bench.SetItemsProcessed(bench.iterations());
}

// The pattern formatting as the program calls it, and its exact path alone
// (the full decimal expansion of every value), the reference for its speed.
void BM_FormatPattern(benchmark::State& bench, std::string (*format)(double, std::string_view),
                      const char* pattern)
{
    std::size_t i = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(format(kValues[i++ % kValues.size()], pattern));
    }
    bench.SetItemsProcessed(bench.iterations());
}

}  // namespace

BENCHMARK(BM_LeadingNumber);
BENCHMARK(BM_NumberTextFloat);
BENCHMARK_CAPTURE(BM_FormatPattern, elevation, ravo::FormatPattern, "#####0.000");
BENCHMARK_CAPTURE(BM_FormatPattern, elevation_exactly, ravo::FormatPatternExactly, "#####0.000");
BENCHMARK_CAPTURE(BM_FormatPattern, grade, ravo::FormatPattern, "0.########");
BENCHMARK_CAPTURE(BM_FormatPattern, grade_exactly, ravo::FormatPatternExactly, "0.########");
