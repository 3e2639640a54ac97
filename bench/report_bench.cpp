// The input data echo of a million curves and a million segments, beside a
// reference pass that formats the same numbers with the same patterns and
// writes them with stdio, without any of the report machinery. Each also
// reports the peak of heap memory above the loaded profile, counted by the
// allocation functions of this program (heap_count).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <random>
#include <string>

#include "core/profile/profile_state.h"
#include "core/report/report_session.h"
#include "core/text/numbers.h"
#include "heap_count.h"
#include "large_profile.h"

namespace {

constexpr std::int32_t kRows = 1'000'000;

ravo::ProfileState& LargeProfile()
{
    static ravo::ProfileState profile = [] {
        ravo::ProfileState state = ravo::bench::LargeProfile(kRows);
        state.InputFileTitle = "large.in";
        state.OutputFileTitle = "large.out";
        return state;
    }();
    return profile;
}

std::string ReportPath()
{
    return (std::filesystem::temp_directory_path() / "ravo-bench-report.out").string();
}

// Runs one pass per iteration and reports the peak heap above what was held
// before it, in MB.
template <typename Pass>
void MeasurePasses(benchmark::State& bench, Pass pass)
{
    ravo::ProfileState& profile = LargeProfile();
    const std::string path = ReportPath();
    std::int64_t peakAbove = 0;
    for (auto _ : bench) {
        ravo::bench::ResetHeapPeak();
        pass(profile, path);
        peakAbove = std::max(peakAbove, ravo::bench::HeapPeakAbove());
    }
    bench.counters["peak_MB"] = static_cast<double>(peakAbove) / 1e6;
    bench.counters["rows"] = 2.0 * kRows;
    std::filesystem::remove(path);
}

void EchoReport(ravo::ProfileState& profile, const std::string& path)
{
    profile.OutputPath = path;
    ravo::ReportSession session(profile);
    session.Echo("1", "1");
}

void Pad(std::string& line, std::size_t width)
{
    if (line.size() < width)
        line.resize(width, ' ');
}

// The rows of one kind, formatted field by field and padded to the columns.
void WriteRows(std::FILE* file, const ravo::ProfileState& profile, ravo::SegmentKind kind,
               std::string (*startText)(double))
{
    std::string line;
    for (std::int32_t row = 1; row <= ravo::CountOf(profile, kind); ++row) {
        const auto i = static_cast<std::size_t>(row);
        const auto value = [&](ravo::Column column) {
            return static_cast<double>(ravo::TableOf(profile, kind, column)[i]);
        };
        line = startText(value(ravo::Column::Start));
        Pad(line, 14);
        line += ravo::GradeText(value(ravo::Column::Rate1));
        Pad(line, 29);
        line += ravo::GradeText(value(ravo::Column::Rate2));
        Pad(line, 44);
        line += ravo::TableValueText(value(ravo::Column::Station1));
        Pad(line, 59);
        line += ravo::TableValueText(value(ravo::Column::Station2));
        line += "\r\n";
        std::fwrite(line.data(), 1, line.size(), file);
    }
}

void BareFormatAndWrite(const ravo::ProfileState& profile, const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return;
    WriteRows(file, profile, ravo::SegmentKind::VerticalCurve, ravo::TableValueText);
    WriteRows(file, profile, ravo::SegmentKind::Superelevation, ravo::GradeText);
    std::fclose(file);
}

void BM_Echo(benchmark::State& bench) { MeasurePasses(bench, EchoReport); }
void BM_BareFormatAndWrite(benchmark::State& bench) { MeasurePasses(bench, BareFormatAndWrite); }

BENCHMARK(BM_BareFormatAndWrite)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Echo)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
