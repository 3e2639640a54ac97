// The profile window's ground with a million rows and ten million ground
// points: the ground scene of a view (ground line, cut and fill, mass
// ordinate) after a zoom or pan, and after an edit of the profile, which
// keeps the ground line. The scene of the grade line over the same view is
// the reference.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/profile/elevation.h"
#include "core/view/ground_view.h"

namespace {

constexpr std::int32_t Rows = 1'000'000;  // of 10 stations each
constexpr std::size_t GroundPoints = 10'000'000;

const ravo::ProfileState& Profile()
{
    static const std::unique_ptr<ravo::ProfileState> state = [] {
        auto s = std::make_unique<ravo::ProfileState>();
        ravo::RecreateTables(*s, ravo::SegmentKind::VerticalCurve, Rows);
        for (std::int32_t row = 1; row <= Rows; ++row) {
            const bool crest = row % 2 == 1;
            const float begin = 10.0f * static_cast<float>(row - 1);
            const float values[] = {crest ? 0.0f : 0.05f, crest ? 0.02f : -0.01f,
                                    crest ? -0.01f : 0.02f, begin, begin + 10.0f};
            for (int c = 0; c < ravo::ColumnCount; ++c)
                ravo::StoreField(*s, ravo::SegmentKind::VerticalCurve, static_cast<ravo::Column>(c),
                                 row, values[c]);
        }
        return s;
    }();
    return *state;
}

const ravo::ProfileViewIndex& Index()
{
    static const ravo::ProfileViewIndex index(Profile());
    return index;
}

// A point every metre, waving a metre about the design.
const ravo::GroundProfile& Ground()
{
    static const ravo::GroundProfile ground = [] {
        std::vector<ravo::GroundPoint> points(GroundPoints);
        for (std::size_t i = 0; i < GroundPoints; ++i) {
            const double station = static_cast<double>(i);
            points[i] = {station, 0.025 + std::sin(station / 300)};
        }
        return ravo::GroundProfile(std::move(points));
    }();
    return ground;
}

// The whole road (range 0) or a view a thousandth of it, at the middle.
ravo::ProfileView Window(std::int64_t zoomed)
{
    ravo::ProfileView view;
    view.plotWidth = 1200;
    view.gradeHeight = 350;
    view.superHeight = 200;
    view.massHeight = 150;
    view = ravo::FitView(Index(), view);
    if (zoomed != 0)
        view = ravo::ZoomView(view, view.plotWidth / 2.0, 1000);
    return view;
}

void BM_Reference_GradeScene(benchmark::State& bench)
{
    const ravo::ProfileView view = Window(bench.range(0));
    for (auto _ : bench)
        benchmark::DoNotOptimize(ravo::BuildScene(Index(), view));
}
BENCHMARK(BM_Reference_GradeScene)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// range(0): the whole road or zoomed; range(1): 1 for the whole scene, 0 for
// the scene after an edit of the profile, which keeps the ground line.
void BM_GroundScene(benchmark::State& bench)
{
    const ravo::ProfileView view = Window(bench.range(0));
    const bool lines = bench.range(1) != 0;
    const ravo::Panel grade = ravo::BuildScene(Index(), view).grade;
    const ravo::SectionTemplate section{.width = 10, .fillSlope = 2, .cutSlope = 2};
    Ground();
    for (auto _ : bench)
        benchmark::DoNotOptimize(ravo::BuildGroundScene(Index(), Ground(), section, view, grade,
                                                        view.massHeight, lines));
}
BENCHMARK(BM_GroundScene)->ArgsProduct({{0, 1}, {1, 0}})->Unit(benchmark::kMillisecond);

}  // namespace
