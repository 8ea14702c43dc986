// Plain shared state of the main window that the view, the edit modes and the dialogs all
// read: the edit mode with its hexes, the terrain selection and the display switches.
#pragma once

#include <cstdint>

namespace k2 {

enum class EditMode : int32_t {
    None = 0,
    PlacePrimary = 1,
    PlaceSecondary = 2,
    FillPrimary = 3,
    MapText = 4,
    Units = 5,
    Structures = 6,
    Objective = 7,
    Reinforcements = 8,
    ZoomPick = 9,
    CopyUnit = 10,
    CutUnit = 11,
    PasteUnit = 12,
    Caltrops = 14,
    Stakes = 15,
    MoveUnit = 20,
    SelectArea = 21,     // a drag selects an area of the map
    PasteArea = 22,      // a click lays the copied area down
    AlignReference = 23, // clicks tie points of the reference picture to hexes
};

// The brush of Place Primary Terrain and of secondary terrain removal: every hex within this
// many steps of the hex under the pointer.
constexpr int32_t MaxBrushRadius = 3;

struct EditState {
    EditMode Mode = EditMode::None;
    EditMode SavedEditMode = EditMode::None;
    int32_t CurrentHex = 0;
    int32_t MoveSourceUnit = 0;
    // Terrain picker selection.
    int32_t SelectedTerrain = 0;
    int32_t SelectedBaseTerrain = 0;
    int8_t PickerUse = 1; // 1 Primary, 2 Fill, 3 Secondary
    // Kept for the run, 0 to MaxBrushRadius; 0 paints the one hex.
    int32_t BrushRadius = 0;
};

struct DisplaySwitches {
    bool Elevation = false;
    bool Objectives = true;
    bool Reinforcements = true;
    bool Overlay = true;
    bool MapText = true;
    bool Reference = true; // the reference picture over the map
};

} // namespace k2
