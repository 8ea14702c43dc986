// A piece of a map as Copy Map Area takes it: for each selected hex, at its place relative to the
// area's top-left corner, the primary terrain, the six secondary slots, caltrops, stakes, and the
// structure and map text on it. Units, reinforcement markers and the objective stay behind.
// Here too: laying an area down on a map, and giving hexes the ground of a new battle (Cut and
// Delete Map Area). The clipboard keeps the last area for the whole run, so that an area copied
// in one battle can be pasted into another.
#pragma once

#include "core/random_source.h"
#include "core/scenario.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace k2 {

struct AreaCell {
    int32_t Column = 0; // counted from the area's left edge
    int32_t Row = 0;    // counted from the area's top edge
    int32_t PrimaryTerrain = 0;
    std::array<int32_t, SecondarySlotCount> SecondaryTerrain = {NoSymbol, NoSymbol, NoSymbol,
                                                                NoSymbol, NoSymbol, NoSymbol};
    int32_t Caltrops = 0;
    int32_t Stakes = 0;
    // The records standing on the hex; their Hex is set where they are laid down.
    std::optional<StructureRecord> Structure;
    std::optional<PlaceName> MapText;

    bool operator==(const AreaCell&) const = default;
};

struct MapArea {
    // The column and row of the area's top-left corner on the map it was copied from. Only the
    // column's parity matters to a paste: the area moves by even numbers of columns.
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    // Row by row, each row left to right; one per copied hex.
    std::vector<AreaCell> Cells;

    bool Empty() const { return Cells.empty(); }
    bool operator==(const MapArea&) const = default;
};

// The area of `hexes` (hexes of the map, any order).
MapArea CopyArea(const Scenario& scenario, const std::vector<int32_t>& hexes);

// Whether the area's left edge may go to `column`: only a shift by an even number of columns
// keeps every hex's six neighbours, so that roads, rivers, walls and hedges still join.
bool AllowedColumn(const MapArea& area, int32_t column);

// Where one cell of the area lands.
struct AreaLanding {
    std::size_t Cell = 0; // index into MapArea::Cells
    int32_t Hex = 0;
};
// The landings with the area's top-left corner at (row, column), in cell order; cells that fall
// off the map or on a border hex are left out.
std::vector<AreaLanding> Landings(const Scenario& scenario, const MapArea& area, int32_t row, int32_t column);

// Why the area cannot be laid down there ("" when it can): a terrain or symbol number that the
// battle's terrain set (`terrainSymbolCount` symbols) lacks, or more structures or map texts than
// their tables hold. Nothing is checked beyond what the landings need.
std::string PasteRefusal(const Scenario& scenario, const MapArea& area,
                         const std::vector<AreaLanding>& landings, int32_t terrainSymbolCount);
// Lays the cells down (after PasteRefusal said yes): terrain, secondary slots, caltrops and
// stakes replace the hex's; a structure or map text of the area replaces the one on the hex, or
// is added to its table. Units, reinforcement markers and objectives on the hexes stay.
void LayArea(Scenario& scenario, const MapArea& area, const std::vector<AreaLanding>& landings);

// Gives each of `hexes` (in hex index order) the ground a new battle lays, one draw each, and
// empties it: no secondary terrain, caltrops, stakes, structure or map text. Border hexes keep
// their terrain. Units, reinforcement markers and objectives stay.
void ClearArea(Scenario& scenario, const std::vector<int32_t>& hexes, RandomSource& random);
// The hexes whose cells ClearArea may change: `hexes`, and every hex that holds a structure or
// map text (removing one renumbers the later ones).
std::vector<int32_t> ClearScope(const Scenario& scenario, const std::vector<int32_t>& hexes);

// A battle that holds only the area, for a picture of it: the cells at their places (one blank
// column first when the area began in an odd column, so that the columns keep their shift),
// with their records, `like`'s markers, terrain definitions and zoom level; other hexes empty.
Scenario AreaBattle(const MapArea& area, const Scenario& like);

// The area clipboard of the run.
class MapAreaClipboard {
  public:
    // Told after every copy or cut (the first one enables "Paste Map Area").
    void SetFilledListener(std::function<void()> listener) { filled_ = std::move(listener); }
    void Fill(MapArea area) {
        area_ = std::move(area);
        if (filled_) filled_();
    }
    bool Filled() const { return area_.has_value(); }
    // Only while Filled().
    const MapArea& Area() const { return *area_; }

  private:
    std::optional<MapArea> area_;
    std::function<void()> filled_;
};

} // namespace k2
