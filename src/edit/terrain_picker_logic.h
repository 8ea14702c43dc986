// The rules of the terrain picker without its widgets: the list of terrains for a use, the
// selection the terrain modes read, and the edits of the selected terrain's definition, each of
// which is an undoable step of the battle.
#pragma once

#include "core/edit_state.h"
#include "core/platform.h"
#include "core/scenario.h"
#include "edit/edit_history.h"
#include "edit/edit_names.h"
#include "graphics/symbol_set.h"

#include <QImage>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace k2 {

// The uses the picker is shown for (EditState::PickerUse).
constexpr int8_t PickerUsePrimary = 1;
constexpr int8_t PickerUseFill = 2;
constexpr int8_t PickerUseSecondary = 3;

// Modal results of the Fill use.
constexpr int32_t PickerResultOk = 1;
constexpr int32_t PickerResultCancel = 2;

struct TerrainPickerRow {
    int32_t Terrain = 0;
    std::string Text; // the symbol name without its two-character category prefix
    bool Heading = false;
};

class TerrainPickerLogic {
  public:
    static constexpr std::size_t NameChars = 20;
    static constexpr int32_t MinElevation = 0, MaxElevation = 3;
    static constexpr int32_t MinCost = 0, MaxCost = 13;
    static constexpr int32_t MinDefense = -8, MaxDefense = 8;

    TerrainPickerLogic(Scenario& scenario, const SymbolSet& symbols, EditState& edit, EditHistory& history,
                       MessageBoxes& boxes);

    // The picker is shown for `use`: lists the terrains of the use and selects the one that
    // the terrain modes lay down now, or the first terrain of the list.
    void Activate(int8_t use);
    // The battle, its terrain set or the definitions changed under the picker (undo, redo,
    // another battle): the list is built again, keeping the selected terrain where it is listed.
    // Does nothing before the first activation.
    void Refresh();

    // A click on a list row. A heading (or a row that does not exist) changes nothing and
    // returns false.
    bool ClickRow(int32_t row);

    // The arrows: one step within the field's range; a step beyond it leaves the bound. Each
    // change is an undo step; the return says what it changed.
    StepChange ElevationUp() { return Step(&TerrainDef::elevation, +1, MinElevation, MaxElevation); }
    StepChange ElevationDown() { return Step(&TerrainDef::elevation, -1, MinElevation, MaxElevation); }
    StepChange CostUp() { return Step(&TerrainDef::costPerMove, +1, MinCost, MaxCost); }
    StepChange CostDown() { return Step(&TerrainDef::costPerMove, -1, MinCost, MaxCost); }
    StepChange DefenseUp() { return Step(&TerrainDef::defenseModifier, +1, MinDefense, MaxDefense); }
    StepChange DefenseDown() { return Step(&TerrainDef::defenseModifier, -1, MinDefense, MaxDefense); }
    // The name box's text (Windows-1252 bytes, empty allowed), cut to NameChars.
    StepChange SetName(std::string_view text);

    // OK: writes the whole definition table to `defFile` for the terrain set's symbol count.
    // A failed write is shown as the writer's message; the picker closes with OK all the same.
    int32_t Ok(const std::filesystem::path& defFile, int32_t terrainSymbolCount);
    // Cancel: the edits made stay in memory and the file is not written.
    int32_t Cancel() { return PickerResultCancel; }

    // What the picker shows.
    int8_t Use() const { return use_; }
    std::string Caption() const;
    bool ButtonsVisible() const { return use_ == PickerUseFill; }
    const std::vector<TerrainPickerRow>& Rows() const { return rows_; }
    // The selected row, -1 when the list has no terrain to select.
    int32_t SelectedRow() const { return selectedRow_; }
    bool HasSelection() const { return selectedRow_ >= 0; }
    // The terrain of the selected row (NoSymbol without a selection).
    int32_t SelectedTerrain() const;
    std::string ElevationText() const;
    std::string CostText() const;
    std::string DefenseText() const;
    // The symbol's name without its category prefix (the panel under the preview).
    std::string SymbolName() const;
    // The definition name (the name box).
    std::string DefinitionName() const;
    // The selected symbol's cell of the largest zoom level on black, one cell in size; a null
    // image without a selection or bitmap.
    QImage Preview() const;

    // The Brush row: the radius of Place Primary Terrain and of secondary terrain removal, 0 to
    // MaxBrushRadius, kept in the edit state for the run. The Fill use has no brush.
    bool BrushVisible() const { return use_ != PickerUseFill; }
    int32_t BrushRadius() const { return edit_.BrushRadius; }
    void SetBrushRadius(int32_t radius) { edit_.BrushRadius = std::clamp(radius, 0, MaxBrushRadius); }

    // The undo step key that makes consecutive edits of one terrain's definition one step.
    static std::string MergeKey(int32_t terrain) { return "terrain-def:" + std::to_string(terrain); }

  private:
    void BuildRows();
    // Selects the listed terrain `terrain`, or the first terrain of the list; returns whether
    // `terrain` itself was found.
    bool SelectTerrainOrFirst(int32_t terrain);
    // The selection fell back to the first terrain row: it becomes what the terrain modes
    // lay down, and a base with no variant list for this use is cleared.
    void FallBackToSelectedRow();
    const TerrainDef* Definition() const;
    StepChange Step(int32_t TerrainDef::*field, int32_t delta, int32_t low, int32_t high);
    StepChange EditDefinition(const std::function<void(TerrainDef&)>& change);

    Scenario& scenario_;
    const SymbolSet& symbols_;
    EditState& edit_;
    EditHistory& history_;
    MessageBoxes& boxes_;

    bool activated_ = false;
    int8_t use_ = PickerUsePrimary;
    std::vector<TerrainPickerRow> rows_;
    int32_t selectedRow_ = -1;
};

// "-" for no cost, "X" for impassable, else the number.
std::string CostPerMoveText(int32_t cost);
// The defense modifier with its sign ("+2", "0", "-3").
std::string SignedText(int32_t value);

} // namespace k2
