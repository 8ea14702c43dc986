// Costs of brushes and map areas on the stock 150 x 150 sample: a radius-3 stroke over a
// hundred hexes with its step, copying a 50 x 50 area, pasting it with its step, and drawing the
// selection over a full 1920 x 1080 view next to a full render of that view.
#include "bench_support.h"
#include "core/random_source.h"
#include "edit/edit_session.h"
#include "graphics/ansi_text.h"
#include "graphics/hex_overlay.h"
#include "graphics/map_renderer.h"

#include <QGuiApplication>

namespace {

using k2bench::Clock;
using k2bench::FullSample;

using k2bench::ViewBytes;

using k2bench::Silent;

struct Editing {
    std::unique_ptr<k2::Scenario> battle = std::make_unique<k2::Scenario>(*FullSample().scenario);
    k2::EditState edit;
    Silent platform;
    k2::StdRandomSource random{1};
    k2::NoZoom zoom;
    k2::NoTerrainFeedback feedback;
    k2::NoDialogs dialogs;
    k2::EditHistory history{*battle};
    k2::EditSession session{*battle, edit, history,
                            k2::EditSeams{platform, platform, random, zoom, feedback, dialogs}};
    Editing() {
        history.Reset();
        session.Areas().SetTerrainSymbolCount([] { return FullSample().symbols.TerrainCount(); });
    }
    // The 50 x 50 area from row 20, column 20.
    void Select50() {
        session.Selection().SelectRectangle(20 * 150 + 20, 69 * 150 + 69, k2::SelectionMode::Replace);
    }
};

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// A stroke of the radius-3 brush over a hundred hexes (each painting up to 37), with its step;
// the undo that puts the map back for the next pass is not counted.
void BM_BrushStroke100Radius3(benchmark::State& state) {
    Editing e;
    e.edit.Mode = k2::EditMode::PlacePrimary;
    e.edit.PickerUse = 1;
    e.edit.BrushRadius = 3;
    double seconds = 0;
    int32_t pass = 0;
    for (auto _ : state) {
        e.edit.SelectedTerrain = e.edit.SelectedBaseTerrain = (pass++ % 2) ? 1 : 2;
        const auto t0 = Clock::now();
        k2::MapClickDispatch& d = e.session.Dispatch();
        d.Press(true, k2::MapButton::Left, 20 * 150 + 20);
        for (int32_t i = 1; i < 100; ++i)
            d.DragTo((20 + i / 10) * 150 + 20 + i % 10 * 5);
        d.Release();
        seconds += Seconds(t0);
        state.PauseTiming();
        e.history.Undo();
        state.ResumeTiming();
    }
    k2bench::Report(state, seconds, state.iterations(), ViewBytes);
}
BENCHMARK(BM_BrushStroke100Radius3)->Unit(benchmark::kMillisecond);

void BM_CopyArea50x50(benchmark::State& state) {
    Editing e;
    e.Select50();
    double seconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        e.session.Areas().Copy();
        seconds += Seconds(t0);
    }
    k2bench::Report(state, seconds, state.iterations(), ViewBytes);
}
BENCHMARK(BM_CopyArea50x50)->Unit(benchmark::kMicrosecond);

// A click in the paste mode that lays the 50 x 50 area down, with its step; its undo is not
// counted.
void BM_PasteArea50x50(benchmark::State& state) {
    Editing e;
    e.Select50();
    e.session.Areas().Copy();
    e.edit.Mode = k2::EditMode::PasteArea;
    if (e.session.Dispatch().Press(true, k2::MapButton::Left, 80 * 150 + 80).Refused) {
        state.SkipWithError("the paste is refused");
        return;
    }
    e.history.Undo();
    double seconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        e.session.Dispatch().Press(true, k2::MapButton::Left, 80 * 150 + 80);
        seconds += Seconds(t0);
        state.PauseTiming();
        e.history.Undo();
        state.ResumeTiming();
    }
    k2bench::Report(state, seconds, state.iterations(), ViewBytes);
}
BENCHMARK(BM_PasteArea50x50)->Unit(benchmark::kMillisecond);

// The whole map selected, drawn over a full 1920 x 1080 view at zoom level 0 (every hex of the
// view tinted and the outline where it meets the map's edge).
void BM_SelectionOverlayFullView(benchmark::State& state) {
    Editing e;
    e.session.Selection().SelectAll();
    k2::DisplaySwitches switches;
    k2::Scenario& battle = *e.battle;
    battle.ZoomLevel = 0;
    battle.ViewOriginHex = 0;
    k2::MapRenderer renderer(battle, FullSample().symbols, switches);
    renderer.SetBattleLoaded(true);
    renderer.SetViewSize(1920, 1080);
    renderer.Render();
    QImage picture = renderer.Present();
    const k2::HexOverlay overlay(battle, renderer);
    // Each pass renders the view, presents it as the map view does, and then draws the overlay
    // over the presented picture: both meet the same load on the machine, so their ratio holds.
    double seconds = 0, render = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const auto r0 = Clock::now();
        renderer.Render();
        render += Seconds(r0);
        renderer.PresentTo(picture);
        state.ResumeTiming();
        const auto t0 = Clock::now();
        overlay.Draw(picture, e.session.Selection().Marks(), qRgb(0xC8, 0xDC, 0xFF), qRgb(0x5A, 0xAA, 0xFF));
        seconds += Seconds(t0);
        benchmark::DoNotOptimize(picture.constBits());
    }
    k2bench::Report(state, seconds, state.iterations(), ViewBytes);
    state.counters["vs_full_render"] = seconds / std::max(render, 1e-12);
}
BENCHMARK(BM_SelectionOverlayFullView)->Unit(benchmark::kMicrosecond);

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
