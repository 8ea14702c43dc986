// Writers of the symbol set files: the binary .ter/.set table of symbols with their cells, the
// list order (.sdx) and the packing of symbol pictures into one bitmap per zoom level.
#pragma once

#include "stockgen/install_layout.h"

#include <QImage>
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace k2stock {

constexpr int MaxSymbolName = 25;

struct SymbolCell {
    int32_t left = 0, top = 0, right = 0, bottom = 0; // right and bottom inclusive
};

struct SymbolRecord {
    std::string name;
    uint16_t masked = 1;
    std::array<SymbolCell, layout::ZoomLevels> cells{};
};

struct SymbolSection {
    std::vector<SymbolRecord> symbols;
    std::array<std::pair<int32_t, int32_t>, layout::ZoomLevels> sizes{}; // cell width, height per level
};

// The file bytes: magic, flags, the three section headers, then the terrain and unit entries.
std::string EncodeSymbolSetFile(const SymbolSection& terrain, const SymbolSection& units);

// Pictures of equal size laid out left to right, `columns` to a row. Returns the sheet and sets
// each picture's cell.
QImage PackSymbols(const std::vector<QImage>& pictures, int columns, std::vector<SymbolCell>& cells);

// One decimal line per entry, each the symbol number counted from 1.
std::string EncodeListOrder(const std::vector<int32_t>& zeroBasedOrder);

// Writes bytes to a file; false with a message naming the file when that fails.
bool WriteFileBytes(const std::filesystem::path& file, const std::string& bytes, std::string& error);
bool SaveBitmap(const QImage& image, const std::filesystem::path& file, std::string& error);

} // namespace k2stock
