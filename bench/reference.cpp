// The reference picture, a 3000 x 3000 survey tilted over the whole map, over a full 1920 x 1080
// view of the stock 150 x 150 sample. Two views of the map take the same steps, one presented
// plain and one with the picture: what the second takes beyond the first is what the picture adds
// to a full render and to a scroll step. Between scroll steps the margin round the view is
// sampled again, as the editor does while idle, and timed apart. Also a new placement (a zoom or
// an alignment), which samples the whole view.
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

// Two views of the same map, passed the same moves: one presented as plain (the renderer's copy
// into the view's picture), one with the picture blended in on the way. What the second takes
// beyond the first is what the picture adds.
struct TwoViews {
    Traced plain, traced;
    QImage plainPicture, tracedPicture;
    double plainSeconds = 0, tracedSeconds = 0, plainPresent = 0, tracedPresent = 0, idleSeconds = 0;
    explicit TwoViews(int32_t zoom) : plain(zoom), traced(zoom) {
        plainPicture = plain.picture.copy();
        tracedPicture = traced.picture.copy();
    }
    template <typename Pass> void Step(Pass pass, int32_t opacity) {
        const auto p0 = Clock::now();
        pass(*plain.renderer);
        const auto p1 = Clock::now();
        plain.renderer->PresentTo(plainPicture);
        plainPresent += Seconds(p1);
        plainSeconds += Seconds(p0);
        const auto t0 = Clock::now();
        pass(*traced.renderer);
        tracedSeconds += Seconds(t0);
        const QTransform toView = traced.ToView(); // the window's arithmetic, not timed
        const auto t1 = Clock::now();
        const k2::MapRenderer& r = *traced.renderer;
        traced.layer.Present(r.Buffer().Image(), r.ViewRect(), tracedPicture, toView, opacity,
                             traced.renderer->TakeChanges());
        tracedPresent += Seconds(t1);
        tracedSeconds += Seconds(t1);
        benchmark::DoNotOptimize(tracedPicture.constBits());
    }
    // What the editor does while idle after a present: the blend kept for scrolls made again
    // where the present blended the whole view, and the margin round the view sampled.
    void Idle() {
        const auto i0 = Clock::now();
        const k2::MapRenderer& r = *traced.renderer;
        while (traced.layer.RenewComposite(r.Buffer().Image(), r.ViewRect(), 256) ||
               traced.layer.FillMargin(1 << 18)) {
        }
        idleSeconds += Seconds(i0);
    }
    void Report(benchmark::State& state, const char* name) const {
        state.counters["idle_us"] = idleSeconds * 1e6 / double(state.iterations());
        state.counters["plain_us"] = plainSeconds * 1e6 / double(state.iterations());
        state.counters["traced_us"] = tracedSeconds * 1e6 / double(state.iterations());
        state.counters["plain_present_us"] = plainPresent * 1e6 / double(state.iterations());
        state.counters["traced_present_us"] = tracedPresent * 1e6 / double(state.iterations());
        state.counters[name] = (tracedSeconds - plainSeconds) / std::max(plainSeconds, 1e-12);
    }
};

// A full render and its present, as the map view does after an edit or a zoom.
void BM_ReferenceOverFullRender(benchmark::State& state) {
    TwoViews views(int32_t(state.range(0)));
    const int32_t opacity = int32_t(state.range(1));
    for (auto _ : state) {
        views.Step([](k2::MapRenderer& r) { r.Render(); }, opacity);
        views.Idle();
    }
    views.Report(state, "added_to_full_render");
}
// 50 % is the default opacity and has a quicker blend; 35 % stands for every other.
BENCHMARK(BM_ReferenceOverFullRender)
    ->ArgNames({"zoom", "opacity"})
    ->ArgsProduct({{0, 2}, {50, 35}})
    ->Unit(benchmark::kMicrosecond);

// Two columns right and back, as the scrollbar steps: the renderer's shift and bands and the
// present, against the same with the picture's new strips sampled and blended in the present.
void BM_ReferenceScrollStep(benchmark::State& state) {
    TwoViews views(int32_t(state.range(0)));
    k2::Scenario& s = *FullSample().scenario;
    const int32_t base = s.ViewOriginHex;
    // Presented once and the margin filled, as the editor stands before the user scrolls.
    views.Step([](k2::MapRenderer& r) { r.Render(); }, 50);
    views.Idle();
    views.plainSeconds = views.tracedSeconds = views.plainPresent = views.tracedPresent = views.idleSeconds =
        0;
    int32_t n = 0;
    double strip = 0, composed = 0;
    for (auto _ : state) {
        s.ViewOriginHex = base + ((n++ % 2 == 0) ? 2 : 0);
        views.Step([](k2::MapRenderer& r) { r.ScrollShift(); }, 50);
        strip += double(views.traced.layer.LastTransformedPixels());
        composed += double(views.traced.layer.LastComposedPixels());
        views.Idle();
    }
    state.counters["composed_pixels"] = composed / double(state.iterations());
    s.ViewOriginHex = base;
    state.counters["strip_pixels"] = strip / double(state.iterations());
    views.Report(state, "added_to_scroll_step");
}
BENCHMARK(BM_ReferenceScrollStep)->ArgName("zoom")->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond);

// The whole view sampled anew, as after a zoom or a change of the alignment or the opacity.
void BM_ReferenceNewPlacement(benchmark::State& state) {
    Traced t(0);
    double nudge = 0;
    double seconds = 0, pixels = 0;
    for (auto _ : state) {
        t.settings.Nudge = {nudge += 0.5, 0}; // half pixels: never a whole-pixel move
        const QTransform toView = t.ToView();
        const auto t0 = Clock::now();
        t.layer.DrawOver(t.picture, toView, 50);
        seconds += Seconds(t0);
        pixels += double(t.layer.LastTransformedPixels());
    }
    k2bench::Report(state, seconds, state.iterations(), k2bench::ViewBytes);
    state.counters["ns_per_pixel"] = seconds * 1e9 / std::max(pixels, 1.0);
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
