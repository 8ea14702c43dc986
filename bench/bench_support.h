// What the benchmark programs share: the stock 150 x 150 sample battle loaded once, and the
// report of a timing next to a plain memcpy of a buffer of the same size in the same run.
#pragma once

#include "core/battle_file.h"
#include "core/file_lookup.h"
#include "core/platform.h"
#include "graphics/symbol_set.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <vector>

namespace k2bench {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The bytes of a 1920 x 1080 view's buffer, with its margins, at 16 bits a pixel.
constexpr std::size_t ViewBytes = std::size_t(1920 + 256) * (1080 + 256) * 2;

// Answers every question Yes and plays no sound.
struct Silent : k2::SoundPlayer, k2::MessageBoxes {
    bool Play(int, int) override { return false; }
    void ShowPlain(const std::string&, const std::string&) override {}
    int Ask(int, int) override { return k2::MsgResultYes; }
    bool Confirm(const std::string&, const std::string&) override { return true; }
};

struct Stock {
    std::unique_ptr<k2::Scenario> scenario = std::make_unique<k2::Scenario>();
    k2::SymbolSet symbols;
};

// The full-size sample battle, loaded once.
inline Stock& FullSample() {
    static std::unique_ptr<Stock> stock = [] {
        auto s = std::make_unique<Stock>();
        const fs::path dir = fs::path(K2_STOCK_DIR) / "scenarios";
        const fs::path defs = k2::FindFile(fs::path(K2_STOCK_DIR) / "sysdefs", "K2Ter.Def");
        for (const auto& e : fs::directory_iterator(dir)) {
            if (!k2::EqualsIgnoreCase(e.path().extension().string(), ".k2s")) continue;
            if (k2::ReadBattle(*s->scenario, e.path(), defs) && s->scenario->Cols == 150 &&
                s->scenario->Rows == 150)
                break;
        }
        if (s->scenario->Cols != 150) throw std::runtime_error("no 150 x 150 sample battle");
        if (!k2::LoadSymbolSet(s->symbols, K2_STOCK_DIR, s->scenario->TerrainSetName.View(),
                               s->scenario->UnitSetName.View(), {}))
            throw std::runtime_error("stock symbol set does not load");
        return s;
    }();
    return *stock;
}

// Seconds of one memcpy of `bytes`: the mean of the quickest of five batches, so that a batch
// interrupted by other work on the machine does not make every ratio look better.
inline double MemcpySeconds(size_t bytes) {
    std::vector<uint8_t> a(bytes, 1), b(bytes, 2);
    std::memcpy(b.data(), a.data(), bytes);
    constexpr int Batches = 5;
    constexpr int Reps = 10;
    double best = 0;
    for (int batch = 0; batch < Batches; ++batch) {
        const auto t0 = Clock::now();
        for (int i = 0; i < Reps; ++i) {
            a[size_t(batch * Reps + i) % bytes] = uint8_t(i);
            std::memcpy(b.data(), a.data(), bytes);
            benchmark::DoNotOptimize(b.data());
            benchmark::ClobberMemory();
        }
        const double mean = std::chrono::duration<double>(Clock::now() - t0).count() / Reps;
        best = batch == 0 ? mean : std::min(best, mean);
    }
    return best;
}

inline void Report(benchmark::State& state, double seconds, int64_t iterations, size_t bytes) {
    const double copy = MemcpySeconds(bytes);
    const double mean = seconds / double(std::max<int64_t>(iterations, 1));
    state.counters["us"] = mean * 1e6;
    state.counters["memcpy_us"] = copy * 1e6;
    state.counters["ratio"] = mean / copy;
    state.counters["bytes"] = double(bytes);
}

} // namespace k2bench
