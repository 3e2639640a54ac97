// The profile window's work with a million rows of each kind: a redraw after a
// zoom or a pan computes the scene for the view, a cursor move only the cursor.
// One CalculateElevation over the same rows is the reference.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "bench/alternating_profile.h"
#include "core/profile/elevation.h"
#include "core/view/profile_view.h"

namespace {

constexpr std::int32_t Rows = 1'000'000;

const ravo::ProfileState& Profile()
{
    static const std::unique_ptr<ravo::ProfileState> state = ravo::bench::AlternatingProfile(Rows);
    return *state;
}

const ravo::ProfileViewIndex& Index()
{
    static const ravo::ProfileViewIndex index(Profile());
    return index;
}

ravo::ProfileView Window()
{
    ravo::ProfileView view;
    view.plotWidth = 1200;
    view.gradeHeight = 500;
    view.superHeight = 200;
    view.designSpeed = 80;
    return ravo::FitView(Index(), view);
}

void BM_Reference_CalculateElevation(benchmark::State& bench)
{
    ravo::ProfileState state = Profile();
    for (auto _ : bench) {
        ravo::CalculateElevation(state);
        benchmark::DoNotOptimize(state.CalcElevation);
    }
}
BENCHMARK(BM_Reference_CalculateElevation)->Unit(benchmark::kMillisecond);

// Zoom steps from the whole profile (every row in view) down to a few rows.
void BM_RedrawAfterZoom(benchmark::State& bench)
{
    ravo::ProfileView view = Window();
    for (std::int64_t i = 0; i < bench.range(0); ++i)
        view = ravo::ZoomView(view, 600, 10);
    Index();
    for (auto _ : bench)
        benchmark::DoNotOptimize(ravo::BuildScene(Index(), view));
}
BENCHMARK(BM_RedrawAfterZoom)->DenseRange(0, 6, 2)->Unit(benchmark::kMillisecond);

// A quarter of the rows in view.
void BM_RedrawAfterPan(benchmark::State& bench)
{
    ravo::ProfileView view = ravo::ZoomView(Window(), 600, 4);
    Index();
    double dx = 37;
    for (auto _ : bench) {
        view = ravo::PanView(view, dx);
        dx = -dx;  // back and forth, so that the view stays on the rows
        benchmark::DoNotOptimize(ravo::BuildScene(Index(), view));
    }
}
BENCHMARK(BM_RedrawAfterPan)->Unit(benchmark::kMillisecond);

void BM_CursorMove(benchmark::State& bench)
{
    const ravo::ProfileView view = Window();
    const ravo::ProfileScene scene = ravo::BuildScene(Index(), view);
    float station = 1234.5f;
    for (auto _ : bench) {
        station += 977.25f;
        benchmark::DoNotOptimize(ravo::CursorAt(Index(), view, scene, station, 0));
    }
}
BENCHMARK(BM_CursorMove)->Unit(benchmark::kMicrosecond);

// A keystroke in a curve field of a row in the middle: the store alone, as
// with the window closed, and the store with the window's index following it,
// as with the window open. Each keystroke changes the value and the next one
// takes the change back; a station moved by one overlaps the next row, so the
// count of pieces changes each time.
void BM_Keystroke(benchmark::State& bench, ravo::Column column, bool windowOpen)
{
    static ravo::ProfileState state = Profile();
    static ravo::ProfileViewIndex index(state);
    constexpr std::int32_t Row = Rows / 2 + 1;
    const float typed =
        ravo::ColumnValue(*ravo::RowOf(state, ravo::SegmentKind::VerticalCurve, Row), column);
    bool changed = false;
    for (auto _ : bench) {
        changed = !changed;
        ravo::StoreField(state, ravo::SegmentKind::VerticalCurve, column, Row,
                         changed ? typed + 1 : typed);
        if (windowOpen)
            index.RowChanged(state, ravo::SegmentKind::VerticalCurve, Row);
        benchmark::ClobberMemory();
    }
    ravo::StoreField(state, ravo::SegmentKind::VerticalCurve, column, Row, typed);
    index.RowChanged(state, ravo::SegmentKind::VerticalCurve, Row);
}
BENCHMARK_CAPTURE(BM_Keystroke, ElevationWindowClosed, ravo::Column::Start, false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Keystroke, ElevationWindowOpen, ravo::Column::Start, true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Keystroke, StationWindowClosed, ravo::Column::Station2, false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Keystroke, StationWindowOpen, ravo::Column::Station2, true)
    ->Unit(benchmark::kMicrosecond);

// Once for each change of the rows, not on a redraw.
void BM_ProfileChanged(benchmark::State& bench)
{
    for (auto _ : bench)
        benchmark::DoNotOptimize(ravo::ProfileViewIndex(Profile()));
}
BENCHMARK(BM_ProfileChanged)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
