// Loading a LandXML profile of 100,000 points, and a PVI table of the same
// points, beside the reference: reading the input file that holds the same
// curve rows. Writing LandXML (which chooses every PVI elevation so that the
// file reads back to the same rows) beside writing that input file.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/formats/input_file.h"
#include "core/formats/landxml_read.h"
#include "core/formats/landxml_write.h"
#include "core/formats/pvi_mapping.h"
#include "core/formats/pvi_table.h"

namespace {

constexpr int kPoints = 100'000;

// Curves of 8 to 16 units every 20 to 40 units, elevations to the millimetre;
// stations stay where 32-bit floats hold them to the half unit.
std::vector<ravo::PviPoint> LargePoints()
{
    std::mt19937 random(11);
    std::uniform_int_distribution<int> run(40, 80);
    std::uniform_int_distribution<int> rise(-400, 400);
    std::uniform_int_distribution<int> length(8, 16);
    std::vector<ravo::PviPoint> points = {{.station = 0, .elevation = 250}};
    for (int i = 1; i < kPoints; ++i) {
        const double station = points.back().station + run(random) / 2.0;
        const double elevation = points.back().elevation + rise(random) / 1000.0;
        const double half = i + 1 == kPoints ? 0 : length(random) / 2.0;
        points.push_back(
            {station, elevation, half, half, half > 0 ? ravo::PviKind::Para : ravo::PviKind::Pvi});
    }
    return points;
}

struct Fixture {
    Fixture() : points(LargePoints())
    {
        ravo::ApplyInputProfile(state, ravo::RowsFromPoints(points, "Benchmark"));
        landXml = ravo::LandXmlText(state, ravo::LengthUnits::Metres).text;
        pviCsv = ravo::PviCsvText(points);
        inputFile = ravo::InputFileText(state);
    }
    std::vector<ravo::PviPoint> points;
    ravo::ProfileState state;
    std::string landXml, pviCsv, inputFile;
};

const Fixture& Data()
{
    static const Fixture fixture;
    return fixture;
}

void BM_ReadInputFileReference(benchmark::State& bench)
{
    const std::string& text = Data().inputFile;
    for (auto _ : bench) {
        ravo::InputProfile profile = ravo::ParseInputFile(text);
        benchmark::DoNotOptimize(profile.curves[4].back());
    }
    bench.counters["rows"] = Data().state.NumVC;
}

void BM_ReadLandXml(benchmark::State& bench)
{
    const std::string& text = Data().landXml;
    for (auto _ : bench) {
        ravo::ImportedProfile imported = ravo::ImportLandXml(text, {});
        benchmark::DoNotOptimize(imported.profile.curves[4].back());
    }
    bench.SetBytesProcessed(bench.iterations() * static_cast<std::int64_t>(text.size()));
}

void BM_ReadPviCsv(benchmark::State& bench)
{
    const std::string& text = Data().pviCsv;
    for (auto _ : bench) {
        ravo::InputProfile profile = ravo::RowsFromPoints(ravo::ParsePviCsv(text), "");
        benchmark::DoNotOptimize(profile.curves[4].back());
    }
}

void BM_WriteInputFileReference(benchmark::State& bench)
{
    for (auto _ : bench) {
        std::string text = ravo::InputFileText(Data().state);
        benchmark::DoNotOptimize(text.data());
    }
}

void BM_WriteLandXml(benchmark::State& bench)
{
    for (auto _ : bench) {
        ravo::LandXmlExport written = ravo::LandXmlText(Data().state, ravo::LengthUnits::Metres);
        benchmark::DoNotOptimize(written.text.data());
    }
}

}  // namespace

BENCHMARK(BM_ReadInputFileReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLandXml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPviCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteInputFileReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteLandXml)->Unit(benchmark::kMillisecond);
