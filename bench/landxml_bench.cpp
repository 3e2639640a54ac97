// The formats at the speed of the disk, each beside its reference in the same
// run, at 500,000 PVIs (about a million curve rows): importing LandXML beside
// pugixml's parse of the same text alone; importing the PVI table beside
// loading the input file of the same rows; exporting LandXML and the PVI table
// beside a pass that only writes the same numbers with to_chars, and the
// points they write, of that profile and of one whose unsymmetric curves are
// written as two curves each; these by the wall clock, as the points are
// found on two threads. Every benchmark reports peak_MB, the most heap memory
// it held above what was held before it (pugixml's allocations counted too),
// and the exports the loaded profile's own size, profile_MB.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <pugixml.hpp>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/formats/input_file.h"
#include "core/formats/landxml_read.h"
#include "core/formats/landxml_write.h"
#include "core/formats/profile_file.h"
#include "core/formats/pvi_mapping.h"
#include "core/formats/pvi_table.h"
#include "core/formats/row_point_stream.h"
#include "core/formats/text_out.h"
#include "core/io/file_replace.h"
#include "counting_buffer.h"
#include "heap_count.h"

namespace {

constexpr int kPoints = 500'000;

// A PVI every 1/8 to 1/4 unit with a curve of 1/16 to 3/32 unit about it,
// grades up to 2%: stations in 64ths, which 32-bit floats hold exactly up to
// station 131,072, so that the rows are the points' own.
std::vector<ravo::PviPoint> LargePoints()
{
    std::mt19937 random(11);
    std::uniform_int_distribution<int> run(8, 16);
    std::uniform_int_distribution<int> rise(-300, 300);
    std::uniform_int_distribution<int> length(4, 6);
    std::vector<ravo::PviPoint> points = {{.station = 0, .elevation = 250}};
    for (int i = 1; i < kPoints; ++i) {
        const double station = points.back().station + run(random) / 64.0;
        const double elevation = points.back().elevation + rise(random) / 100'000.0;
        const double half = i + 1 == kPoints ? 0 : length(random) / 128.0;
        points.push_back(
            {station, elevation, half, half, half > 0 ? ravo::PviKind::Para : ravo::PviKind::Pvi});
    }
    return points;
}

// The points the exports write, gathered.
std::vector<ravo::RowPoint> PointsOf(const ravo::ProfileState& state)
{
    std::vector<ravo::RowPoint> points;
    ravo::RowPointStream(state, {}).ForEach(
        [&points](const ravo::RowPoint& p) { points.push_back(p); });
    return points;
}

struct Fixture {
    Fixture()
    {
        ravo::ApplyInputProfile(state, ravo::RowsFromPoints(LargePoints(), "Benchmark"));
        points = PointsOf(state);
        landXml = ravo::LandXmlText(state, ravo::LengthUnit::Meter).text;
        ravo::StringSink csv;
        ravo::WriteProfile(csv, state, ravo::ProfileFormat::PviCsv, ravo::LengthUnit::Meter);
        pviCsv = std::move(csv.text);
        inputFile = ravo::InputFileText(state);
    }
    ravo::ProfileState state;
    std::vector<ravo::RowPoint> points;  // as the exports write them
    std::string landXml, pviCsv, inputFile;
};

const Fixture& Data()
{
    static const Fixture fixture;
    return fixture;
}

void Report(benchmark::State& bench, std::uint64_t bytes)
{
    bench.counters["peak_MB"] = static_cast<double>(ravo::bench::HeapPeakAbove()) / 1e6;
    bench.counters["rows"] = Data().state.NumVC;
    bench.SetBytesProcessed(bench.iterations() * static_cast<std::int64_t>(bytes));
}

double ProfileMegabytes()
{
    const ravo::ProfileState& s = Data().state;
    return static_cast<double>(s.NumVC + s.NumSup) * 5 * sizeof(float) / 1e6;
}

void BM_ParseLandXmlReference(benchmark::State& bench)
{
    const std::string& text = Data().landXml;
    ravo::bench::ResetHeapPeak();
    for (auto _ : bench) {
        pugi::xml_document document;
        const pugi::xml_parse_result result = document.load_buffer(text.data(), text.size());
        benchmark::DoNotOptimize(result.status);
    }
    Report(bench, text.size());
}

void BM_ImportLandXml(benchmark::State& bench)
{
    const std::string& text = Data().landXml;
    ravo::bench::ResetHeapPeak();
    for (auto _ : bench) {
        ravo::ImportedProfile imported = ravo::ImportLandXml(text, {});
        benchmark::DoNotOptimize(imported.profile.curves[4].back());
    }
    Report(bench, text.size());
}

void BM_LoadInputFileReference(benchmark::State& bench)
{
    const std::string& text = Data().inputFile;
    ravo::bench::ResetHeapPeak();
    for (auto _ : bench) {
        ravo::InputProfile profile = ravo::ParseInputFile(text);
        benchmark::DoNotOptimize(profile.curves[4].back());
    }
    Report(bench, text.size());
}

void BM_ImportPviCsv(benchmark::State& bench)
{
    const std::string& text = Data().pviCsv;
    ravo::bench::ResetHeapPeak();
    for (auto _ : bench) {
        ravo::LoadedProfile loaded = ravo::AnyProfileFromBytes(text);
        benchmark::DoNotOptimize(loaded.profile.curves[4].back());
    }
    Report(bench, text.size());
}

// The floor of an export: the numbers of the exported points written with
// to_chars, a line a point, in the same pieces to the same sink.
void BM_WriteNumbersFloor(benchmark::State& bench)
{
    const std::vector<ravo::RowPoint>& points = Data().points;
    ravo::bench::ResetHeapPeak();
    std::uint64_t bytes = 0;
    for (auto _ : bench) {
        ravo::bench::CountingSink sink;
        ravo::TextOut out(sink);
        for (const ravo::RowPoint& p : points) {
            out.Number(p.station) << ' ';
            out.Number(p.elevation) << ' ';
            out.Number(p.lengthIn + p.lengthOut) << '\n';
        }
        out.Finish();
        bytes = sink.bytes;
    }
    Report(bench, bytes);
}

void Export(benchmark::State& bench, ravo::ProfileFormat format)
{
    ravo::bench::ResetHeapPeak();
    std::uint64_t bytes = 0;
    for (auto _ : bench) {
        ravo::bench::CountingSink sink;
        ravo::WriteProfile(sink, Data().state, format, ravo::LengthUnit::Meter);
        bytes = sink.bytes;
    }
    Report(bench, bytes);
    bench.counters["profile_MB"] = ProfileMegabytes();
}

// The part of an export that is not writing: the points that read back as
// the rows.
void BM_PointsFromRows(benchmark::State& bench)
{
    ravo::bench::ResetHeapPeak();
    for (auto _ : bench) {
        std::vector<ravo::RowPoint> points = PointsOf(Data().state);
        benchmark::DoNotOptimize(points.back().elevation);
    }
    Report(bench, 0);
}

// Short curves every 1/8 to 1/4 unit, every other one unsymmetric, on grades
// of k/256, whose first row begins 0.2 mm off the line, within the tolerance:
// no points give that row back, so that every unsymmetric pair after it is
// written as two curves.
ravo::ProfileState CascadingPairs(int count)
{
    std::mt19937 random(13);
    std::uniform_int_distribution<int> run(8, 16);
    std::uniform_int_distribution<int> grade(-5, 5);
    std::vector<ravo::PviPoint> points = {{.station = 0, .elevation = 250}};
    for (int i = 1; i < count; ++i) {
        const double length = run(random) / 64.0;
        const double half = i + 1 == count ? 0 : 1 / 32.0;
        const auto kind = half == 0    ? ravo::PviKind::Pvi
                          : i % 2 == 0 ? ravo::PviKind::Unsym
                                       : ravo::PviKind::Para;
        points.push_back({points.back().station + length,
                          points.back().elevation + grade(random) / 256.0 * length, half, half,
                          kind});
    }
    ravo::ProfileState state;
    ravo::ApplyInputProfile(state, ravo::RowsFromPoints(points, "Cascade"));
    state.VcElevation1[1] += 0.0002f;
    return state;
}

// The points of such a profile of 40,000 PVIs, to set beside those of the
// benchmark profile of 500,000.
void BM_PointsOfCascadingPairs(benchmark::State& bench)
{
    static const ravo::ProfileState state = CascadingPairs(40'000);
    for (auto _ : bench) {
        std::vector<ravo::RowPoint> points = PointsOf(state);
        benchmark::DoNotOptimize(points.back().elevation);
    }
    bench.counters["rows"] = state.NumVC;
}

void BM_ExportLandXml(benchmark::State& bench) { Export(bench, ravo::ProfileFormat::LandXml); }
void BM_ExportPviCsv(benchmark::State& bench) { Export(bench, ravo::ProfileFormat::PviCsv); }

struct CountPugixml {
    CountPugixml() { ravo::bench::CountPugixml(); }
} const countPugixml;

}  // namespace

BENCHMARK(BM_ParseLandXmlReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportLandXml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadInputFileReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportPviCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteNumbersFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PointsFromRows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PointsOfCascadingPairs)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportLandXml)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportPviCsv)->Unit(benchmark::kMillisecond)->UseRealTime();
