#include "stockgen/stock_symbols.h"

#include "stockgen/symbol_painters.h"
#include "stockgen/terrain_catalogue.h"
#include "stockgen/unit_catalogue.h"
#include "stockgen/unit_painter.h"

namespace k2stock {

namespace {
constexpr int TerrainColumns = 16;
constexpr int UnitColumns = 12; // six facing pairs to a row
} // namespace

PaintedSet PaintStockTerrainSet() {
    PaintedSet set;
    const auto& recipes = StockTerrainSymbols();
    for (const auto& recipe : recipes)
        set.section.symbols.push_back({recipe.name, 1, {}});
    for (int level = 0; level < layout::ZoomLevels; ++level) {
        const int size = layout::CellSizes[level];
        std::vector<QImage> pictures;
        for (const auto& recipe : recipes)
            pictures.push_back(PaintTerrainSymbol(recipe, size));
        std::vector<SymbolCell> cells;
        set.sheets[level] = PackSymbols(pictures, TerrainColumns, cells);
        for (size_t i = 0; i < cells.size(); ++i)
            set.section.symbols[i].cells[level] = cells[i];
        set.section.sizes[level] = {size, size};
    }
    set.order = StockTerrainOrder();
    return set;
}

PaintedSet PaintStockUnitSet() {
    PaintedSet set;
    const auto& pairs = StockUnitPairs();
    for (const auto& pair : pairs) {
        set.section.symbols.push_back({pair.name, 1, {}});
        set.section.symbols.push_back({"-" + pair.name, 1, {}});
    }
    for (int level = 0; level < layout::ZoomLevels; ++level) {
        std::vector<QImage> pictures;
        for (const auto& pair : pairs) {
            pictures.push_back(PaintUnitSymbol(pair.art, UnitSide::Western, level));
            pictures.push_back(PaintUnitSymbol(pair.art, UnitSide::Eastern, level));
        }
        std::vector<SymbolCell> cells;
        set.sheets[level] = PackSymbols(pictures, UnitColumns, cells);
        for (size_t i = 0; i < cells.size(); ++i)
            set.section.symbols[i].cells[level] = cells[i];
        set.section.sizes[level] = {UnitCellSize(level), UnitCellSize(level)};
    }
    for (int32_t i = 0; i < static_cast<int32_t>(set.section.symbols.size()); ++i)
        set.order.push_back(i);
    return set;
}

} // namespace k2stock
