// Reading and writing the full-size (150 x 150) sample battle, from disk and from memory.
#include "core/battle_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;

const fs::path Sample = fs::path(K2_STOCK_DIR) / "scenarios" / "Battle of the Great Field.k2s";
const fs::path Defs = fs::path(K2_STOCK_DIR) / "sysdefs" / "K2Ter.Def";

std::unique_ptr<k2::Scenario> LoadSample(benchmark::State& state) {
    auto s = std::make_unique<k2::Scenario>();
    if (!k2::ReadBattle(*s, Sample, Defs).ok) state.SkipWithError("the sample battle does not open");
    return s;
}

void BM_ReadBattle(benchmark::State& state) {
    auto s = std::make_unique<k2::Scenario>();
    for (auto _ : state) {
        k2::Status st = k2::ReadBattle(*s, Sample, Defs);
        if (!st.ok) state.SkipWithError(st.message.c_str());
        benchmark::DoNotOptimize(s->Hexes.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fs::file_size(Sample)));
}
BENCHMARK(BM_ReadBattle)->Unit(benchmark::kMillisecond);

void BM_WriteBattle(benchmark::State& state) {
    auto s = LoadSample(state);
    const fs::path out = fs::temp_directory_path() / "k2-bench-write.k2s";
    for (auto _ : state) {
        s->SaveCount = 1; // keep the count in range over many iterations
        k2::Status st = k2::WriteBattle(*s, out, s->TerrainDefCount);
        if (!st.ok) state.SkipWithError(st.message.c_str());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fs::file_size(out)));
    fs::remove(out);
}
BENCHMARK(BM_WriteBattle)->Unit(benchmark::kMillisecond);

// The parts without the file system: parsing and encoding (with its check by re-parsing).
void BM_ParseBattle(benchmark::State& state) {
    auto s = LoadSample(state);
    std::vector<uint8_t> bytes;
    k2::EncodeBattle(*s, s->TerrainDefCount, bytes);
    auto target = std::make_unique<k2::Scenario>();
    for (auto _ : state)
        benchmark::DoNotOptimize(k2::ParseBattle(*target, bytes, false).ok);
}
BENCHMARK(BM_ParseBattle)->Unit(benchmark::kMillisecond);

void BM_EncodeBattle(benchmark::State& state) {
    auto s = LoadSample(state);
    std::vector<uint8_t> bytes;
    for (auto _ : state)
        benchmark::DoNotOptimize(k2::EncodeBattle(*s, s->TerrainDefCount, bytes).ok);
}
BENCHMARK(BM_EncodeBattle)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
