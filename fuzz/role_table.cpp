// Fuzzes the terrain role table reader: a refused table changes nothing, an accepted one writes
// back to text that reads as the same table, and the generator lays a small map with it.
#include "generate/role_table.h"
#include "generate/terrain_generator.h"

#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    k2::RoleTable table;
    table.Ford = 7;
    const k2::RoleTable before = table;
    const k2::Status st = k2::ParseRoleTable(std::span<const uint8_t>(data, size), table);
    if (!st.ok) {
        if (!(table == before)) std::abort();
        return 0;
    }
    const std::string text = k2::EncodeRoleTable(table);
    k2::RoleTable again;
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    if (!k2::ParseRoleTable(bytes, again).ok || !(again == table)) std::abort();

    // Whatever the table names, the generator keeps to it and to the map.
    auto battle = std::make_unique<k2::Scenario>();
    battle->Cols = 16;
    battle->Rows = 12;
    battle->HexCount = battle->Cols * battle->Rows;
    battle->Hexes.assign(std::size_t(battle->HexCount), k2::HexCell{});
    k2::GeneratorSettings settings;
    settings.Seed = uint32_t(size) * 2654435761u;
    for (const k2::SliderInfo& slider : k2::Sliders)
        settings.*slider.Value = 100;
    if (!k2::GenerateTerrain(*battle, table, settings).ok) return 0;
    const std::vector<k2::TerrainRoleEntry> index = table.Index();
    for (const k2::HexCell& cell : battle->Hexes) {
        if (cell.PrimaryTerrain != k2::BorderTerrain &&
            (cell.PrimaryTerrain < 0 || cell.PrimaryTerrain >= table.TerrainCount))
            std::abort();
        for (int32_t t : cell.SecondaryTerrain)
            if (t != k2::NoSymbol &&
                (t < 0 || t >= table.TerrainCount || index[std::size_t(t)].Role == k2::TerrainRole::None))
                std::abort();
    }
    return 0;
}
