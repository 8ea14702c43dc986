// The main window's widgets as the logic classes see them: the battle settings dialog, the map
// view (redraws, zoom pick, cursors, the terrain just placed) and the terrain picker.
#pragma once

#include "app/battle_lifecycle.h"
#include "app/edit_commands.h"
#include "edit/terrain_tools.h"
#include "edit/zoom_pick_tool.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace k2 {

class MapRenderer;
class MapView;
class OverviewPanel;
class SymbolSet;
class TNewMap;
class TSelectTer;

class SettingsAdapter : public SettingsDialog {
  public:
    // `dialog` makes the window at its first use.
    explicit SettingsAdapter(std::function<TNewMap&()> dialog) : dialog_(std::move(dialog)) {}
    DialogResult Run(int32_t mode) override;

  private:
    std::function<TNewMap&()> dialog_;
};

// The map view as the edit modes see it: the zoom pick, the cursor of a mode, the view set up
// again and the name of the terrain just placed. (What an edit changed reaches the map through
// the map refresher.)
class MapAdapter : public ZoomView, public ModeScreen, public TerrainFeedback {
  public:
    MapAdapter(MapView& view, const SymbolSet& symbols) : view_(view), symbols_(symbols) {}
    void ZoomInAt(int32_t hex) override;
    void SetZoomCursor(bool zoom) override;
    void SetHandCursor() override;
    void MarkMovePick(int32_t hex) override;
    void ShowFromViewOrigin() override;
    void ShowPlacedTerrain(int32_t terrain) override;

  private:
    MapView& view_;
    const SymbolSet& symbols_;
    bool pickShown_ = false;
};

class PickerAdapter : public TerrainPicker {
  public:
    explicit PickerAdapter(TSelectTer& picker) : picker_(picker) {}
    void ShowModeless(int8_t use) override;
    DialogResult RunFill() override;
    void ClosePicker() override;
    void Refresh() override;

  private:
    TSelectTer& picker_;
};

} // namespace k2
