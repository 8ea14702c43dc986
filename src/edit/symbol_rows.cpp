#include "edit/symbol_rows.h"

#include "graphics/symbol_set.h"

#include <algorithm>

namespace k2 {

std::vector<SymbolRow> TerrainSymbolRows(const SymbolSet& symbols, std::string_view categories) {
    std::vector<SymbolRow> rows;
    const int32_t places =
        std::min<int32_t>(symbols.TerrainCount(), int32_t(symbols.TerrainListOrder().size()));
    for (int32_t place = 0; place < places; ++place) {
        const int32_t terrain = symbols.TerrainAtPlace(place);
        if (!symbols.IsTerrainSymbol(terrain)) continue;
        const std::string_view name = symbols.Terrain(terrain).Name.View();
        if (name.empty() || categories.find(name.front()) == std::string_view::npos) continue;
        rows.push_back({terrain, ShownSymbolName(symbols, terrain)});
    }
    return rows;
}

std::string ShownSymbolName(const SymbolSet& symbols, int32_t terrain) {
    if (!symbols.IsTerrainSymbol(terrain)) return {};
    const std::string_view name = symbols.Terrain(terrain).Name.View();
    return std::string(name.size() > 2 ? name.substr(2) : std::string_view());
}

} // namespace k2
