// The reference picture over a full 1920 x 1080 view of the stock 150 x 150 sample: what it adds
// to a full render (the picture already transformed, only the blend) and to a scroll step (the
// strips a scroll uncovers transformed, then the blend), each against the renderer's own work in
// the same passes. Also the one-off transform of a whole view, after a zoom or an alignment.
#include "bench_support.h"
#include "graphics/hex_geometry.h"
#include "graphics/map_renderer.h"
#include "graphics/reference_image.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

using k2bench::Clock;
using k2bench::FullSample;

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// A survey of 3000 x 3000 pixels, tilted a little and laid over the whole map.
struct Traced {
    k2::DisplaySwitches switches;
    std::unique_ptr<k2::MapRenderer> renderer;
    k2::ReferenceLayer layer;
    k2::ReferenceSettings settings;
    QImage picture;
    explicit Traced(int32_t zoom) {
        k2::Scenario& s = *FullSample().scenario;
        s.ZoomLevel = uint8_t(zoom);
        s.ViewOriginHex = 60 * 150 + 60;
        renderer = std::make_unique<k2::MapRenderer>(s, FullSample().symbols, switches);
        renderer->SetBattleLoaded(true);
        renderer->SetViewSize(1920, 1080);
        renderer->Render();
        picture = renderer->Present();
        QImage survey(3000, 3000, QImage::Format_RGB32);
        for (int y = 0; y < survey.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(survey.scanLine(y));
            for (int x = 0; x < survey.width(); ++x)
                line[x] = qRgb(x % 256, y % 256, (x ^ y) % 256);
        }
        layer.SetPicture(survey);
        settings.Anchors = {{{100, 100}, 5 * 150 + 5}, {{2900, 2800}, 140 * 150 + 144}};
    }
    QTransform ToView() const {
        const k2::Scenario& s = *FullSample().scenario;
        const k2::HexPitches pitches =
            k2::ComputePitches({FullSample().symbols.CellSize(0), FullSample().symbols.CellSize(1),
                                FullSample().symbols.CellSize(2)});
        const QPointF origin = k2::MapOriginInView(*renderer, s, pitches, s.ZoomLevel);
        return k2::PlacementAtZoom(k2::PlacementOf(settings, QSize(3000, 3000), s.Cols, s.Rows, pitches),
                                   pitches, s.ZoomLevel) *
               QTransform::fromTranslate(origin.x(), origin.y());
    }
};

// Each pass renders the view and presents it, as the map view does, then blends the picture
// over it: the ratio to the render is what the picture adds to a full render.
void BM_ReferenceOverFullRender(benchmark::State& state) {
    Traced t(int32_t(state.range(0)));
    const int32_t opacity = int32_t(state.range(1));
    t.layer.DrawOver(t.picture, t.ToView(), opacity);
    double seconds = 0, render = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const auto r0 = Clock::now();
        t.renderer->Render();
        render += Seconds(r0);
        t.renderer->PresentTo(t.picture);
        const QTransform toView = t.ToView();
        state.ResumeTiming();
        const auto t0 = Clock::now();
        t.layer.DrawOver(t.picture, toView, opacity);
        seconds += Seconds(t0);
        benchmark::DoNotOptimize(t.picture.constBits());
    }
    k2bench::Report(state, seconds, state.iterations(), k2bench::ViewBytes);
    state.counters["vs_full_render"] = seconds / std::max(render, 1e-12);
}
// 50 % is the default opacity and has a quicker blend; 35 % stands for every other.
BENCHMARK(BM_ReferenceOverFullRender)
    ->ArgNames({"zoom", "opacity"})
    ->ArgsProduct({{0, 2}, {50, 35}})
    ->Unit(benchmark::kMicrosecond);

// Two columns right and back, as the scrollbar steps: the renderer's shift and bands against
// the picture's strips and blend after it.
void BM_ReferenceScrollStep(benchmark::State& state) {
    Traced t(int32_t(state.range(0)));
    k2::Scenario& s = *FullSample().scenario;
    const int32_t base = s.ViewOriginHex;
    t.layer.DrawOver(t.picture, t.ToView(), 50);
    int32_t n = 0;
    double seconds = 0, scroll = 0, present = 0;
    for (auto _ : state) {
        state.PauseTiming();
        s.ViewOriginHex = base + ((n++ % 2 == 0) ? 2 : 0);
        const auto r0 = Clock::now();
        t.renderer->ScrollShift();
        scroll += Seconds(r0);
        const auto p0 = Clock::now();
        t.renderer->PresentTo(t.picture);
        present += Seconds(p0);
        const QTransform toView = t.ToView();
        state.ResumeTiming();
        const auto t0 = Clock::now();
        t.layer.DrawOver(t.picture, toView, 50);
        seconds += Seconds(t0);
        benchmark::DoNotOptimize(t.picture.constBits());
    }
    s.ViewOriginHex = base;
    k2bench::Report(state, seconds, state.iterations(), k2bench::ViewBytes);
    state.counters["vs_scroll_step"] = seconds / std::max(scroll, 1e-12);
    // The step as the view shows it: the shift and its bands, then the copy into the picture.
    state.counters["vs_step_and_present"] = seconds / std::max(scroll + present, 1e-12);
}
BENCHMARK(BM_ReferenceScrollStep)->ArgName("zoom")->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond);

// The whole view transformed anew, as after a zoom or a change of the alignment.
void BM_ReferenceNewPlacement(benchmark::State& state) {
    Traced t(0);
    double nudge = 0;
    double seconds = 0;
    for (auto _ : state) {
        t.settings.Nudge = {nudge += 0.5, 0}; // half pixels: never a whole-pixel move
        const QTransform toView = t.ToView();
        const auto t0 = Clock::now();
        t.layer.DrawOver(t.picture, toView, 50);
        seconds += Seconds(t0);
    }
    k2bench::Report(state, seconds, state.iterations(), k2bench::ViewBytes);
}
BENCHMARK(BM_ReferenceNewPlacement)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
