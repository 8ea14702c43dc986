// The terrain and unit symbol sets of a battle: the .ter/.set symbol tables, the symbol
// bitmaps and masks of the three zoom levels (16 bits per pixel), and the picker list orders.
#pragma once

#include "core/fixed_text.h"
#include "core/status.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace k2 {

constexpr int32_t ZoomLevelCount = 3;
// A terrain set is bounded by the terrain definition table, a unit set by the list order table.
constexpr int32_t MaxTerrainSymbols = 500;
constexpr int32_t MaxUnitSymbols = 2000;
constexpr std::size_t SymbolNameChars = 25;

// One symbol's rectangle in a zoom level's bitmap, right and bottom inclusive.
struct SymbolCell {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    int32_t Width() const { return Right - Left + 1; }
    int32_t Height() const { return Bottom - Top + 1; }
    bool operator==(const SymbolCell&) const = default;
};

struct SymbolEntry {
    FixedText<SymbolNameChars> Name;
    int32_t Masked = 0; // non-zero: drawn through its mask
    std::array<SymbolCell, ZoomLevelCount> Cells{};

    bool operator==(const SymbolEntry&) const = default;
};

// The two header values pairs of one section that the files carry but nothing draws with.
using SectionSizes = std::array<std::array<uint32_t, 2>, ZoomLevelCount>;

// What one symbol set file holds for the editor: the terrain section of a .ter file, or the
// unit section of a .set file (plus the .set's own terrain count, which its list order file
// skips).
struct SymbolFileContents {
    std::array<uint8_t, 3> Flags{};
    int32_t TerrainCount = 0;
    SectionSizes TerrainSizes{};
    int32_t UnitCount = 0;
    SectionSizes UnitSizes{};
    std::vector<SymbolEntry> Entries; // terrain entries of a .ter, unit entries of a .set
};

enum class SymbolFileKind { Terrain, Unit };

// Parses a whole .ter (Terrain) or .set (Unit) file held in memory. On failure the status
// carries the refusal ("Unknown Symbol Set Format.", or a damaged/oversized file) and `out`
// is unspecified. Never reads outside `data`.
Status ParseSymbolSetFile(std::span<const uint8_t> data, SymbolFileKind kind, SymbolFileContents& out);

class SymbolSet {
  public:
    int32_t TerrainCount() const { return static_cast<int32_t>(terrain_.size()); }
    int32_t UnitCount() const { return static_cast<int32_t>(units_.size()); }
    const std::vector<SymbolEntry>& TerrainEntries() const { return terrain_; }
    const std::vector<SymbolEntry>& UnitEntries() const { return units_; }
    // The entry of a symbol number; callers check the number against the count first.
    const SymbolEntry& Terrain(int32_t symbol) const { return terrain_.at(static_cast<size_t>(symbol)); }
    const SymbolEntry& Unit(int32_t symbol) const { return units_.at(static_cast<size_t>(symbol)); }
    bool IsTerrainSymbol(int32_t symbol) const { return symbol >= 0 && symbol < TerrainCount(); }
    bool IsUnitSymbol(int32_t symbol) const { return symbol >= 0 && symbol < UnitCount(); }

    // Bitmaps and masks by zoom level (0..2), all QImage::Format_RGB16. A mask is 0xFFFF where
    // its symbol bitmap is black (transparent) and 0 elsewhere, so drawing is AND mask, OR symbol.
    // Unit images are null when the unit set has no symbols.
    const QImage& TerrainBitmap(int32_t zoom) const { return terrainBitmaps_.at(static_cast<size_t>(zoom)); }
    const QImage& TerrainMask(int32_t zoom) const { return terrainMasks_.at(static_cast<size_t>(zoom)); }
    const QImage& UnitBitmap(int32_t zoom) const { return unitBitmaps_.at(static_cast<size_t>(zoom)); }
    const QImage& UnitMask(int32_t zoom) const { return unitMasks_.at(static_cast<size_t>(zoom)); }

    // List orders as stored: entry k is the symbol number, counted from 1, that a picker shows
    // in place k. A place whose file number was missing or out of range holds k + 1.
    const std::vector<int32_t>& TerrainListOrder() const { return terrainOrder_; }
    const std::vector<int32_t>& UnitListOrder() const { return unitOrder_; }
    // The 0-based symbol number shown in place k (k must be below the count).
    int32_t TerrainAtPlace(int32_t place) const { return terrainOrder_.at(static_cast<size_t>(place)) - 1; }
    int32_t UnitAtPlace(int32_t place) const { return unitOrder_.at(static_cast<size_t>(place)) - 1; }

    // Width of terrain symbol 0's cell at the zoom level; 0 while no set is loaded.
    int32_t CellSize(int32_t zoom) const { return cellSize_.at(static_cast<size_t>(zoom)); }
    bool Loaded() const { return !terrain_.empty(); }

    // Header values kept from the files (unused by the editor).
    const std::array<uint8_t, 3>& TerrainFlags() const { return terrainFlags_; }
    const SectionSizes& TerrainSizes() const { return terrainSizes_; }
    const SectionSizes& UnitSizes() const { return unitSizes_; }
    // Terrain count of the unit set's own .set header.
    int32_t UnitFileTerrainCount() const { return unitFileTerrainCount_; }

    void swap(SymbolSet& other) noexcept;

  private:
    friend class SymbolSetLoader;

    std::vector<SymbolEntry> terrain_;
    std::vector<SymbolEntry> units_;
    std::array<QImage, ZoomLevelCount> terrainBitmaps_;
    std::array<QImage, ZoomLevelCount> terrainMasks_;
    std::array<QImage, ZoomLevelCount> unitBitmaps_;
    std::array<QImage, ZoomLevelCount> unitMasks_;
    std::vector<int32_t> terrainOrder_;
    std::vector<int32_t> unitOrder_;
    std::array<int32_t, ZoomLevelCount> cellSize_{};
    std::array<uint8_t, 3> terrainFlags_{};
    SectionSizes terrainSizes_{};
    SectionSizes unitSizes_{};
    int32_t unitFileTerrainCount_ = 0;
};

// Loads <installDir>/scenarios/<terrainSetName>.ter, <unitSetName>.set, their bitmaps, masks
// and list orders. Files are looked up exactly, then without regard to case. `progress`
// receives the progress bar position after each step (20, 30, ... capped at 100; the last call
// is 100). Missing terrain masks (-x files) are computed and written for later loads.
//
// On failure `target` is untouched, and the caller shows, titled "Warning", each text of
// `warnings` (the detail, e.g. "Unknown Symbol Set Format.") and then `message` (the step's
// text: "SET File Load Error.", "Terrain File Load Error." or "Unit File Load Error.").
Status LoadSymbolSet(SymbolSet& target, const std::filesystem::path& installDir,
                     std::string_view terrainSetName, std::string_view unitSetName,
                     const std::function<void(int)>& progress);

} // namespace k2
