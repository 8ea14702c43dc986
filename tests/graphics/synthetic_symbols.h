// Small symbol sets written by the tests: symbol files, bitmaps of known colours and cells.
#pragma once

#include "graphics/symbol_set.h"

#include <QImage>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace k2test {

// Cell sizes of the synthetic terrain set at the three zoom levels.
constexpr std::array<int32_t, 3> SyntheticCell = {10, 20, 30};

// How one synthetic symbol is painted in its cell.
enum class Paint {
    Solid, // every pixel its colour
    Holed, // its colour with a black (transparent) centre square of half the cell
    Empty, // all black
};

struct SyntheticSymbol {
    std::string name;
    int32_t masked = 1;
    uint16_t colour = 0xFFFF;
    Paint paint = Paint::Solid;
    // Cell size per zoom level; 0 takes the terrain cell size.
    std::array<int32_t, 3> size{};
};

// Encodes a symbol set file. `declaredTerrain`/`declaredUnits` < 0 use the entry counts.
std::vector<uint8_t> EncodeSymbolFile(const std::vector<k2::SymbolEntry>& terrain,
                                      const std::vector<k2::SymbolEntry>& units, uint8_t magic = 252,
                                      int32_t declaredTerrain = -1, int32_t declaredUnits = -1);

// A terrain or unit set laid out left to right, one cell per symbol, at each zoom level.
struct SyntheticSet {
    std::vector<SyntheticSymbol> symbols;

    std::vector<k2::SymbolEntry> Entries() const;
    QImage Bitmap(int zoom) const; // RGB16
    int32_t SizeAt(size_t i, int zoom) const;
    int32_t LeftAt(size_t i, int zoom) const;
};

// The terrain set used by the renderer tests: 0 plain base, then one solid colour per layer.
SyntheticSet RendererTerrain();
SyntheticSet RendererUnits();

void WriteBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes);
void WriteText(const std::filesystem::path& file, const std::string& text);
void SaveBmp(const QImage& image, const std::filesystem::path& file);

// Writes <dir>/scenarios/<T>.ter, <U>.set and the bitmaps of both sets.
void WriteSets(const std::filesystem::path& installDir, const std::string& terrainName,
               const SyntheticSet& terrain, const std::string& unitName, const SyntheticSet& units);

} // namespace k2test
