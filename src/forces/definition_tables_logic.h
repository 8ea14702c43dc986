// The rules of the definition tables view: which equipment table it lists, its title, headers,
// column widths, the grid's width and place, and the cells of every entry.
#pragma once

#include "core/platform.h"
#include "forces/equipment_defs.h"
#include "forces/grid_rows.h"

#include <cstdint>

namespace k2 {

// The table the view lists, numbered as the unit editor's information buttons choose them.
enum class DefTable : int32_t { MissileWeapons = 1, CombatWeapons = 2, Armour = 3, Shields = 4 };

// The width of the area in which every table but the missile weapons stands centred, and the
// missile grid's distance from the dialog's left side.
constexpr int32_t DefStatsCentreArea = 417;
constexpr int32_t DefStatsLeftEdge = 10;
constexpr int32_t DefStatsRowHeight = 15;

// The whole grid of `table`: title, headers, widths and one row per loaded entry.
GridTable DefinitionTable(const EquipmentTables& tables, DefTable table);
// The grid width the table is laid out for: 440 missile weapons, 245 combat weapons, 205 armour and shields.
int32_t DefinitionGridWidth(DefTable table);
// The grid's left side for a grid `gridWidth` wide in an area `areaWidth` wide: the missile grid
// stands at the left edge, the others centred ((417 - 245) / 2 = 86 for the combat weapons).
int32_t DefinitionGridLeft(DefTable table, int32_t gridWidth = -1, int32_t areaWidth = DefStatsCentreArea);

class DefStatsLogic {
  public:
    DefStatsLogic(const EquipmentTables& tables, SoundPlayer& sounds) : tables_(tables), sounds_(sounds) {}

    // Rebuilds the view for `table`, as each showing does.
    void Show(DefTable table);
    // "OK": plays the click and closes.
    void Ok() { sounds_.Play(SoundAccept, 1); }

    DefTable Table() const { return table_; }
    const GridTable& Grid() const { return grid_; }
    int32_t GridWidth() const { return DefinitionGridWidth(table_); }
    int32_t GridLeft(int32_t gridWidth = -1, int32_t areaWidth = DefStatsCentreArea) const {
        return DefinitionGridLeft(table_, gridWidth, areaWidth);
    }

  private:
    const EquipmentTables& tables_;
    SoundPlayer& sounds_;
    DefTable table_ = DefTable::MissileWeapons;
    GridTable grid_;
};

} // namespace k2
