// The Edit menu's work on map areas: Copy, Cut and Delete Map Area and Fill Selection act on the
// selected hexes, and the paste mode's tool lays the copied area down where the map is clicked.
// Every change is one step of the edit history that names the hexes and tables it touches.
#pragma once

#include "core/edit_state.h"
#include "core/platform.h"
#include "core/random_source.h"
#include "core/scenario.h"
#include "edit/edit_history.h"
#include "edit/edit_names.h"
#include "edit/edit_tool.h"
#include "edit/map_area.h"
#include "edit/map_selection.h"

#include <cstdint>
#include <functional>
#include <string>

namespace k2 {

// What a command did: refused (with the sentence for the user and the refuse sound), or the
// change of its step (nothing for Copy, which changes no battle).
struct AreaOutcome {
    bool Refused = false;
    std::string Reason;
    StepChange Change;
};

class MapAreaCommands {
  public:
    MapAreaCommands(Scenario& scenario, EditState& edit, EditHistory& history, RandomSource& random,
                    SoundPlayer& sounds, MapSelection& selection, MapAreaClipboard& clipboard)
        : scenario_(scenario), edit_(edit), history_(history), random_(random), sounds_(sounds),
          selection_(selection), clipboard_(clipboard) {}

    // How many terrain symbols the battle's terrain set has (what a paste checks numbers
    // against); none until it is told.
    void SetTerrainSymbolCount(std::function<int32_t()> count) { symbolCount_ = std::move(count); }

    AreaOutcome Copy();
    AreaOutcome Cut();
    AreaOutcome Delete();
    // The picker's terrain on every selected hex but the border, a variant drawn for each.
    AreaOutcome FillSelection();

    // The column the area's left edge takes when the pointer is on `column`: the column itself
    // when the area may go there, else the one to its left (to its right at the map's edge).
    int32_t PasteColumn(int32_t column) const;
    // Lays the clipboard's area down with its top-left corner on `hex`, snapped to an allowed
    // column (the step is opened by the caller: the click dispatch).
    ToolResult PasteAt(int32_t hex);
    // The hexes and tables that a paste on `hex` may change.
    DiffScope PasteScope(int32_t hex) const;
    // Where the cells of the area would land for the pointer on `hex` (the preview).
    std::vector<AreaLanding> PreviewAt(int32_t hex) const;

  private:
    AreaOutcome Refuse(std::string reason);
    AreaOutcome Clear(std::string_view stepName, bool copyFirst);
    int32_t SymbolCount() const { return symbolCount_ ? symbolCount_() : 0; }

    Scenario& scenario_;
    EditState& edit_;
    EditHistory& history_;
    RandomSource& random_;
    SoundPlayer& sounds_;
    MapSelection& selection_;
    MapAreaClipboard& clipboard_;
    std::function<int32_t()> symbolCount_;
};

// Paste Map Area's mode: a left click lays the copied area down as one step.
class PasteAreaTool : public EditTool {
  public:
    explicit PasteAreaTool(MapAreaCommands& commands) : commands_(commands) {}
    std::string StepName() const override { return std::string(step::PasteMapArea); }
    ToolResult LeftClick(int32_t hex) override { return commands_.PasteAt(hex); }
    DiffScope Scope(int32_t hex) const override { return commands_.PasteScope(hex); }

  private:
    MapAreaCommands& commands_;
};

} // namespace k2
