// Loading an input file of a million curves and a million segments, from text
// in memory and from disk, beside a baseline that only converts the same
// fields with std::from_chars (the cost of the conversions alone) and one that
// reads the file with std::ifstream; and writing it, in memory and to disk.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "core/formats/input_file.h"
#include "core/profile/profile_state.h"
#include "large_profile.h"

namespace {

constexpr std::int32_t kRows = 1'000'000;

ravo::ProfileState LargeProfile() { return ravo::bench::LargeProfile(kRows); }

const std::string& LargeText()
{
    static const std::string text = ravo::InputFileText(LargeProfile());
    return text;
}

// The text on disk for the whole run, removed at the end.
struct LargeFile {
    LargeFile() : path(std::filesystem::temp_directory_path() / "ravo-bench-input.in")
    {
        std::ofstream(path, std::ios::binary) << LargeText();
    }
    ~LargeFile()
    {
        std::error_code error;
        std::filesystem::remove(path, error);
    }
    std::filesystem::path path;
};

void BM_ParseInputText(benchmark::State& bench)
{
    const std::string& text = LargeText();
    for (auto _ : bench) {
        ravo::InputProfile profile = ravo::ParseInputFile(text);
        benchmark::DoNotOptimize(profile.segments[4].back());
    }
    bench.SetBytesProcessed(bench.iterations() * static_cast<std::int64_t>(text.size()));
}

void BM_ReadInputFileFromDisk(benchmark::State& bench)
{
    static const LargeFile file;
    const std::string path = file.path.string();
    for (auto _ : bench) {
        ravo::InputProfile profile = ravo::ReadInputFile(path);
        benchmark::DoNotOptimize(profile.segments[4].back());
    }
    bench.SetBytesProcessed(bench.iterations() * static_cast<std::int64_t>(LargeText().size()));
}

// The reference for reading from disk: the whole file through std::ifstream
// into a string, then parsed.
void BM_IfstreamReadBaseline(benchmark::State& bench)
{
    static const LargeFile file;
    for (auto _ : bench) {
        std::ifstream in(file.path, std::ios::binary);
        const std::string text(std::istreambuf_iterator<char>(in), {});
        ravo::InputProfile profile = ravo::ParseInputFile(text);
        benchmark::DoNotOptimize(profile.segments[4].back());
    }
    bench.SetBytesProcessed(bench.iterations() * static_cast<std::int64_t>(LargeText().size()));
}

// Saving to disk, flushed to the disk before it replaces the file; against
// BM_InputFileText, the same text built in memory.
void BM_WriteInputFileToDisk(benchmark::State& bench)
{
    const ravo::ProfileState state = LargeProfile();
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "ravo-bench-saved.in";
    for (auto _ : bench)
        ravo::WriteInputFile(state, path.string());
    bench.SetBytesProcessed(bench.iterations() * static_cast<std::int64_t>(LargeText().size()));
    std::error_code error;
    std::filesystem::remove(path, error);
}

// Splits the same text at commas and line ends and converts every field after
// the title line, without storing anything.
void BM_FromCharsBaseline(benchmark::State& bench)
{
    const std::string& text = LargeText();
    for (auto _ : bench) {
        const char* p = text.data() + text.find('\n') + 1;
        const char* const end = text.data() + text.size();
        float sum = 0;
        while (p < end) {
            float value = 0;
            p = std::from_chars(p, end, value).ptr;
            sum += value;
            while (p < end && (*p == ',' || *p == '\r' || *p == '\n'))
                ++p;
        }
        benchmark::DoNotOptimize(sum);
    }
    bench.SetBytesProcessed(bench.iterations() * static_cast<std::int64_t>(text.size()));
}

void BM_InputFileText(benchmark::State& bench)
{
    const ravo::ProfileState state = LargeProfile();
    std::int64_t bytes = 0;
    for (auto _ : bench) {
        const std::string text = ravo::InputFileText(state);
        bytes += static_cast<std::int64_t>(text.size());
        benchmark::DoNotOptimize(text.data());
    }
    bench.SetBytesProcessed(bytes);
}

}  // namespace

BENCHMARK(BM_ParseInputText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadInputFileFromDisk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IfstreamReadBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FromCharsBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InputFileText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteInputFileToDisk)->Unit(benchmark::kMillisecond);
