// The terrain generator on a 150 x 150 map (target: under 50 ms, so that the dialog's preview
// follows the sliders): the proposed sliders, every slider at the top, and the generated map
// laid over a battle as one step of the edit history.
#include "edit/edit_history.h"
#include "edit/generate_terrain.h"
#include "generate/role_table.h"
#include "generate/terrain_generator.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace {

const k2::RoleTable& Roles() {
    static const k2::RoleTable roles = [] {
        k2::RoleTable t;
        if (!k2::ReadRoleTable(k2::RoleTableFile(K2_STOCK_DIR, "K2T"), t))
            throw std::runtime_error("no stock role table");
        return t;
    }();
    return roles;
}

std::unique_ptr<k2::Scenario> FullSizeMap() {
    auto s = std::make_unique<k2::Scenario>();
    s->Cols = s->Rows = 150;
    s->HexCount = s->Cols * s->Rows;
    s->Hexes.assign(std::size_t(s->HexCount), k2::HexCell{});
    s->TerrainDefCount = Roles().TerrainCount;
    return s;
}

void Generate(benchmark::State& state, int32_t slider) {
    const auto battle = FullSizeMap();
    k2::GeneratorSettings settings;
    if (slider >= 0)
        for (const k2::SliderInfo& s : k2::Sliders)
            settings.*s.Value = slider;
    uint32_t seed = 1;
    for (auto _ : state) {
        settings.Seed = seed++;
        k2::GeneratedMap map;
        if (!k2::GenerateMap(*battle, Roles(), settings, map)) state.SkipWithError("refused");
        benchmark::DoNotOptimize(map.Primary.data());
    }
}

void BM_GenerateProposedSliders(benchmark::State& state) {
    Generate(state, -1);
}
BENCHMARK(BM_GenerateProposedSliders)->Unit(benchmark::kMillisecond);

void BM_GenerateEverySliderAtTheTop(benchmark::State& state) {
    Generate(state, k2::GeneratorSettings::MaxSlider);
}
BENCHMARK(BM_GenerateEverySliderAtTheTop)->Unit(benchmark::kMillisecond);

// The step: laying a generated map over the battle, with its comparison and stored change.
void BM_RecordGeneratedMap(benchmark::State& state) {
    const auto battle = FullSizeMap();
    k2::EditHistory history(*battle);
    k2::GeneratedMap maps[2];
    for (uint32_t k = 0; k < 2; ++k) {
        k2::GeneratorSettings settings;
        settings.Seed = k + 1;
        if (!k2::GenerateMap(*battle, Roles(), settings, maps[k])) state.SkipWithError("refused");
    }
    int k = 0;
    for (auto _ : state) {
        const k2::GenerateTerrainOutcome out = k2::RecordGeneratedMap(history, *battle, maps[k++ % 2]);
        benchmark::DoNotOptimize(out.Change.Hexes.data());
    }
}
BENCHMARK(BM_RecordGeneratedMap)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
