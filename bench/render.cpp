// Map renderer and symbol set loader timings on the stock 150 x 150 sample, each next to the
// time of a plain memcpy of a buffer of the same size measured in the same run.
#include "bench_support.h"
#include "core/battle_file.h"
#include "core/file_lookup.h"
#include "graphics/ansi_text.h"
#include "graphics/map_renderer.h"
#include "graphics/symbol_set.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using k2bench::Clock;
using k2bench::FullSample;
using k2bench::Report;
using k2bench::Stock;

namespace {

struct View {
    k2::DisplaySwitches switches;
    std::unique_ptr<k2::MapRenderer> renderer;
    explicit View(int32_t zoom) {
        Stock& s = FullSample();
        s.scenario->ZoomLevel = uint8_t(zoom);
        s.scenario->ViewOriginHex = 60 * 150 + 60;
        renderer = std::make_unique<k2::MapRenderer>(*s.scenario, s.symbols, switches);
        renderer->SetBattleLoaded(true);
        renderer->SetViewSize(1920, 1080);
    }
    size_t Bytes() const { return size_t(renderer->Buffer().Image().sizeInBytes()); }
};

void BM_FullRender(benchmark::State& state) {
    View v(int32_t(state.range(0)));
    v.renderer->Render();
    double seconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        v.renderer->Render();
        seconds += std::chrono::duration<double>(Clock::now() - t0).count();
    }
    Report(state, seconds, state.iterations(), v.Bytes());
}
BENCHMARK(BM_FullRender)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_RedrawHex(benchmark::State& state) {
    View v(int32_t(state.range(0)));
    v.renderer->Render();
    const int32_t hex = 65 * 150 + 65;
    double seconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        v.renderer->RedrawHex(hex);
        seconds += std::chrono::duration<double>(Clock::now() - t0).count();
    }
    Report(state, seconds, state.iterations(), v.Bytes());
}
BENCHMARK(BM_RedrawHex)->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond);

// Two columns right and back (axis 0), or two rows down and back (axis 1), as the scrollbars
// step; every step is one shift and its bands.
void BM_ScrollStrip(benchmark::State& state) {
    View v(int32_t(state.range(0)));
    k2::Scenario& sc = *FullSample().scenario;
    v.renderer->Render();
    const int32_t base = sc.ViewOriginHex;
    const int32_t step = state.range(1) == 0 ? 2 : 2 * sc.Cols;
    int32_t n = 0;
    double seconds = 0;
    for (auto _ : state) {
        sc.ViewOriginHex = base + ((n++ % 2 == 0) ? step : 0);
        const auto t0 = Clock::now();
        v.renderer->ScrollShift();
        seconds += std::chrono::duration<double>(Clock::now() - t0).count();
    }
    sc.ViewOriginHex = base;
    Report(state, seconds, state.iterations(), v.Bytes());
}
BENCHMARK(BM_ScrollStrip)
    ->ArgNames({"zoom", "rows"})
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// A private copy of the stock symbol set files, so the mask cache can be removed.
fs::path SetCopy() {
    static const fs::path dir = [] {
        const fs::path d = fs::temp_directory_path() / ("k2_bench_render_" + std::to_string(::getpid()));
        fs::create_directories(d / "scenarios");
        for (const auto& e : fs::directory_iterator(fs::path(K2_STOCK_DIR) / "scenarios")) {
            const std::string ext = e.path().extension().string();
            if (e.is_regular_file() && !k2::EqualsIgnoreCase(ext, ".k2s") &&
                !k2::EqualsIgnoreCase(ext, ".scn"))
                fs::copy_file(e.path(), d / "scenarios" / e.path().filename(),
                              fs::copy_options::overwrite_existing);
        }
        return d;
    }();
    return dir;
}

void RemoveMaskCache(const fs::path& dir) {
    for (int n = 1; n <= 3; ++n)
        fs::remove(k2::FindFile(dir / "scenarios", "K2T-x" + std::to_string(n) + ".bmp"));
}

void BM_LoadSymbolSet(benchmark::State& state) {
    const bool cached = state.range(0) != 0;
    const fs::path dir = SetCopy();
    k2::SymbolSet set;
    if (!k2::LoadSymbolSet(set, dir, "K2T", "K2U", {})) {
        state.SkipWithError("stock set does not load");
        return;
    }
    size_t bytes = 0;
    for (int z = 0; z < 3; ++z)
        bytes += size_t(set.TerrainBitmap(z).sizeInBytes() + set.TerrainMask(z).sizeInBytes() +
                        set.UnitBitmap(z).sizeInBytes() + set.UnitMask(z).sizeInBytes());
    double seconds = 0;
    for (auto _ : state) {
        if (!cached) {
            state.PauseTiming();
            RemoveMaskCache(dir);
            state.ResumeTiming();
        }
        const auto t0 = Clock::now();
        k2::SymbolSet fresh;
        benchmark::DoNotOptimize(k2::LoadSymbolSet(fresh, dir, "K2T", "K2U", {}).ok);
        seconds += std::chrono::duration<double>(Clock::now() - t0).count();
    }
    Report(state, seconds, state.iterations(), bytes);
}
BENCHMARK(BM_LoadSymbolSet)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    k2::InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(fs::temp_directory_path() / ("k2_bench_render_" + std::to_string(::getpid())), ec);
    return 0;
}
