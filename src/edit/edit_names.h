// The names of the edit history's steps (what the Edit menu's Undo and Redo show) and the
// prompts each edit mode puts in the info bar, defined once for the tools, the dialogs, the
// main window and the script runner.
#pragma once

#include "core/edit_state.h"

#include <string_view>

namespace k2::step {

constexpr std::string_view PlacePrimary = "Place Primary Terrain";
constexpr std::string_view PlaceSecondary = "Place Secondary Terrain";
constexpr std::string_view RemoveSecondary = "Remove Secondary Terrain";
constexpr std::string_view FillPrimary = "Fill Primary Terrain";
constexpr std::string_view Structures = "Add/Modify Structures";
constexpr std::string_view TrimMap = "Trim Map";
constexpr std::string_view GrowMap = "Grow Map";
constexpr std::string_view TerrainDefinition = "Edit Terrain Definition";
constexpr std::string_view Units = "Add/Modify Units";
constexpr std::string_view Reinforcements = "Add/Modify Reinforcements";
constexpr std::string_view CopyUnit = "Copy Unit";
constexpr std::string_view CutUnit = "Cut Unit";
constexpr std::string_view PasteUnit = "Paste Unit";
constexpr std::string_view MoveUnit = "Move Unit";
constexpr std::string_view SortUnits = "Sort Units";
constexpr std::string_view Markers = "Set Special Hex Markers";
constexpr std::string_view Caltrops = "Place Caltrops";
constexpr std::string_view Stakes = "Plant Archer Stakes";
constexpr std::string_view Objective = "Set/Modify Terrain Objective";
constexpr std::string_view MapText = "Add/Modify Map Text";
constexpr std::string_view BattleSettings = "Battle Settings";
constexpr std::string_view ZoomIn = "Zoom In";
constexpr std::string_view CutMapArea = "Cut Map Area";
constexpr std::string_view DeleteMapArea = "Delete Map Area";
constexpr std::string_view PasteMapArea = "Paste Map Area";
constexpr std::string_view FillSelection = "Fill Selection";

} // namespace k2::step

namespace k2 {

// The info bar's prompt while `mode` is active ("" for a mode without one).
constexpr std::string_view ModePrompt(EditMode mode) {
    switch (mode) {
    case EditMode::PlacePrimary:
        return "Select Hex to Place Primary Terrain.";
    case EditMode::PlaceSecondary:
        return "Select Hex to Add Secondary Terrain (Left Click Adds/Right Click Removes).";
    case EditMode::FillPrimary:
        return "Select Hex to Start Primary Terrain Fill.";
    case EditMode::MapText:
        return "Select Hex to Add/Modify Map Text.";
    case EditMode::Units:
        return "Select Hex to Add or Modify Units.";
    case EditMode::Structures:
        return "Select Hex to Add or Modify Structures.";
    case EditMode::Objective:
        return "Select Hex to Set/Modify Terrain Objective.";
    case EditMode::Reinforcements:
        return "Select Hex to Add or Modify Reinforcements.";
    case EditMode::CopyUnit:
        return "Select Unit to Copy.";
    case EditMode::CutUnit:
        return "Select Unit to Cut.";
    case EditMode::PasteUnit:
        return "Select Hex to Paste Unit Into.";
    case EditMode::Caltrops:
        return "Select Hex to Add/Remove Caltrops.";
    case EditMode::Stakes:
        return "Select Hex to Add/Remove Stakes";
    case EditMode::MoveUnit:
        return "Select Unit To Move.";
    case EditMode::SelectArea:
        return "Drag to Select Map Area (Shift Adds, Ctrl Takes Away, Double-Click Selects Region).";
    case EditMode::PasteArea:
        return "Select Hex to Paste Map Area Into (Escape or Right Click Ends).";
    case EditMode::None:
    case EditMode::ZoomPick:
    case EditMode::AlignReference: // its prompt follows the clicks (the reference window's)
        break;
    }
    return "";
}

// The prompt of Move Unit's second click, once the unit is picked.
constexpr std::string_view MoveTargetPrompt = "Select Hex to Move Unit.";

} // namespace k2
