// The stock terrain and unit sets painted in memory: one sheet per zoom level with the cell of
// every symbol, as the set files describe them.
#pragma once

#include "stockgen/install_layout.h"
#include "stockgen/symbol_set_file.h"

#include <QImage>
#include <array>
#include <vector>

namespace k2stock {

struct PaintedSet {
    std::array<QImage, layout::ZoomLevels> sheets;
    SymbolSection section; // names, masked flags and cells
    std::vector<int32_t> order;
};

PaintedSet PaintStockTerrainSet();
PaintedSet PaintStockUnitSet();

// A piece of map drawn the way the editor draws one: per hex, each symbol's CellSize square (the
// unit's own cell) through its transparency, at the hex's place by the map pitches.
struct PreviewHex {
    int32_t primary = 0;
    std::vector<int32_t> overlays; // secondaries, markers and structures in drawing order
    int32_t unit = -1;
};
QImage RenderMapPreview(const PaintedSet& terrain, const PaintedSet& units, int level, int cols, int rows,
                        const std::vector<PreviewHex>& hexes);
// A small landscape that shows the stock terrain working together.
std::vector<PreviewHex> SampleLandscape(int cols, int rows);

// Every symbol at every zoom level with its number and name, and the sample landscape.
QImage PaintContactSheet(const PaintedSet& terrain, const PaintedSet& units);

} // namespace k2stock
