// Costs of editing on the stock 150 x 150 sample, each next to a memcpy of the view buffer and
// to a full render of a 1920 x 1080 view in the same run: recording one step (the comparison
// with the history's copy of the battle), one undo, a fill of the whole map and a drag stroke of
// a hundred hexes with its step.
#include "bench_support.h"
#include "core/random_source.h"
#include "edit/edit_session.h"
#include "graphics/ansi_text.h"
#include "graphics/map_renderer.h"
#include "view/map_refresh.h"

#include <QGuiApplication>

namespace {

using k2bench::Clock;
using k2bench::FullSample;

using k2bench::ViewBytes;

using k2bench::Silent;

// Draws what a step changed into a renderer's buffer by the map refresher's rule, as the main
// window does (no screen).
struct BufferRedraw : k2::HistoryListener {
    k2::MapRenderer* renderer = nullptr;
    bool elevation = false;
    k2::RedrawPlanner planner{elevation};
    void HistoryChanged(const k2::StepChange& change) override { Draw(planner.Completed(change)); }
    void StepProgressed(const k2::StepChange& change) override { Draw(planner.Progressed(change)); }
    void Draw(const k2::RedrawPlan& plan) {
        if (!renderer || plan.What == k2::Redraw::Nothing) return;
        if (plan.What != k2::Redraw::Hexes) {
            renderer->Render();
            return;
        }
        for (int32_t hex : plan.Hexes)
            renderer->RedrawHex(hex);
    }
};

struct Editing {
    std::unique_ptr<k2::Scenario> battle = std::make_unique<k2::Scenario>(*FullSample().scenario);
    k2::EditState edit;
    k2::DisplaySwitches switches;
    Silent platform;
    k2::StdRandomSource random{1};
    BufferRedraw redraw;
    k2::NoZoom zoom;
    k2::NoTerrainFeedback feedback;
    k2::NoDialogs dialogs;
    k2::EditHistory history{*battle};
    k2::EditSession session{*battle, edit, history,
                            k2::EditSeams{platform, platform, random, zoom, feedback, dialogs}};
    Editing() {
        history.Reset();
        history.AddListener(&redraw);
    }
};

void Time(benchmark::State& state, double& seconds, const std::function<void()>& work) {
    const auto t0 = Clock::now();
    work();
    seconds += std::chrono::duration<double>(Clock::now() - t0).count();
    (void)state;
}

void BM_FullRenderForComparison(benchmark::State& state) {
    k2::DisplaySwitches switches;
    k2::MapRenderer renderer(*FullSample().scenario, FullSample().symbols, switches);
    renderer.SetBattleLoaded(true);
    renderer.SetViewSize(1920, 1080);
    double seconds = 0;
    for (auto _ : state)
        Time(state, seconds, [&] { renderer.Render(); });
    k2bench::Report(state, seconds, state.iterations(), ViewBytes);
}
BENCHMARK(BM_FullRenderForComparison)->Unit(benchmark::kMillisecond);

// One click's step: the action, the comparison with the history's copy where the tool says it
// changed the battle (one hex), and the stored change.
void OneHexStep(benchmark::State& state, const k2::DiffScope& scope) {
    Editing e;
    int32_t terrain = 0;
    double seconds = 0;
    for (auto _ : state)
        Time(state, seconds, [&] {
            e.history.Record(
                "Place Primary Terrain", [&] { e.battle->Hexes[7575].PrimaryTerrain = terrain ^= 1; }, {},
                scope);
        });
    k2bench::Report(state, seconds, state.iterations(), ViewBytes);
}

void BM_RecordOneHexStep(benchmark::State& state) {
    OneHexStep(state, k2::DiffScope::Cells({7575}));
}
BENCHMARK(BM_RecordOneHexStep)->Unit(benchmark::kMicrosecond);

// The same step taken without saying where it changed the battle: the whole battle compared.
void BM_RecordOneHexStepUnscoped(benchmark::State& state) {
    OneHexStep(state, k2::DiffScope::Everything());
}
BENCHMARK(BM_RecordOneHexStepUnscoped)->Unit(benchmark::kMicrosecond);

void BM_UndoOneHexStep(benchmark::State& state) {
    Editing e;
    e.history.Record("Place Primary Terrain", [&] { e.battle->Hexes[7575].PrimaryTerrain = 3; });
    double seconds = 0;
    for (auto _ : state)
        Time(state, seconds, [&] {
            e.history.Undo();
            e.history.Redo();
        });
    k2bench::Report(state, seconds, state.iterations() * 2, ViewBytes);
}
BENCHMARK(BM_UndoOneHexStep)->Unit(benchmark::kMicrosecond);

// The whole map as one region (every hex but one the same terrain): region search, one variant
// draw per hex, the question answered at once, and the step recorded.
void BM_FillWholeMap(benchmark::State& state) {
    Editing e;
    e.edit.Mode = k2::EditMode::FillPrimary;
    e.edit.PickerUse = 2;
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (k2::HexCell& cell : e.battle->Hexes)
            cell.PrimaryTerrain = 0;
        e.battle->Hexes[0].PrimaryTerrain = 13;
        e.history.Reset();
        e.edit.SelectedTerrain = e.edit.SelectedBaseTerrain = 55;
        state.ResumeTiming();
        Time(state, seconds, [&] { e.session.Dispatch().Press(true, k2::MapButton::Left, 7575); });
    }
    k2bench::Report(state, seconds, state.iterations(), ViewBytes);
}
BENCHMARK(BM_FillWholeMap)->Unit(benchmark::kMillisecond);

// Mean seconds of a full render of a 1920 x 1080 view at zoom level 0, for the drag strokes.
double FullRenderSeconds() {
    k2::DisplaySwitches switches;
    k2::Scenario& sc = *FullSample().scenario;
    sc.ZoomLevel = 0;
    k2::MapRenderer renderer(sc, FullSample().symbols, switches);
    renderer.SetBattleLoaded(true);
    renderer.SetViewSize(1920, 1080);
    renderer.Render();
    const int reps = 20;
    const auto t0 = Clock::now();
    for (int i = 0; i < reps; ++i)
        renderer.Render();
    return std::chrono::duration<double>(Clock::now() - t0).count() / reps;
}

// A hundred hexes painted with the button held, the stroke's step, and its undo. With `drawn`
// every painted hex is drawn again into a 1920 x 1080 view's buffer as the stroke goes, as the
// main window's refresher does; the undo's redraw (a full render for so many hexes) is not
// counted.
void DragStroke(benchmark::State& state, bool drawn) {
    Editing e;
    k2::MapRenderer renderer(*e.battle, FullSample().symbols, e.switches);
    if (drawn) {
        e.battle->ZoomLevel = 0;
        e.battle->ViewOriginHex = 16 * 150 + 16;
        renderer.SetBattleLoaded(true);
        renderer.SetViewSize(1920, 1080);
        renderer.Render();
        e.redraw.renderer = &renderer;
    }
    e.edit.Mode = k2::EditMode::PlacePrimary;
    e.edit.PickerUse = 1;
    double seconds = 0;
    int32_t pass = 0;
    for (auto _ : state) {
        e.edit.SelectedTerrain = e.edit.SelectedBaseTerrain = (pass++ % 2) ? 1 : 2;
        Time(state, seconds, [&] {
            k2::MapClickDispatch& d = e.session.Dispatch();
            d.Press(true, k2::MapButton::Left, 20 * 150 + 20);
            for (int32_t i = 1; i < 100; ++i)
                d.DragTo((20 + i / 10) * 150 + 20 + i % 10 * 5);
            d.Release();
            e.redraw.renderer = nullptr;
            e.history.Undo();
            if (drawn) e.redraw.renderer = &renderer;
        });
    }
    k2bench::Report(state, seconds, state.iterations(), ViewBytes);
    state.counters["vs_full_render"] =
        seconds / double(std::max<int64_t>(state.iterations(), 1)) / FullRenderSeconds();
}

void BM_DragStroke100(benchmark::State& state) {
    DragStroke(state, false);
}
BENCHMARK(BM_DragStroke100)->Unit(benchmark::kMillisecond);

void BM_DragStroke100Drawn(benchmark::State& state) {
    DragStroke(state, true);
}
BENCHMARK(BM_DragStroke100Drawn)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    k2::InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
