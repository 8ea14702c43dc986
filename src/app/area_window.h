// The window's side of the map area commands: the marks over the map (the selection, the
// rectangle being dragged, the paste's preview), the picker and cursor when an area mode begins,
// and the system clipboard, which gets each copied area as JSON and as a PNG picture.
#pragma once

#include "app/area_commands.h"
#include "app/edit_commands.h"
#include "core/edit_state.h"
#include "graphics/map_renderer.h"
#include "graphics/symbol_set.h"

#include <QImage>

namespace k2 {

class MapView;
class TSelectTer;

// How a drag or double-click in Select Map Area combines with the selection: Shift adds, Ctrl
// takes away.
inline SelectionMode SelectionModeFor(Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::ShiftModifier) return SelectionMode::Add;
    if (modifiers & Qt::ControlModifier) return SelectionMode::Remove;
    return SelectionMode::Replace;
}

class AreaWindow : public AreaScreen, public SystemClipboard {
  public:
    AreaWindow(MapView& view, TSelectTer& picker, ModeScreen& map, const Scenario& scenario,
               const SymbolSet& symbols, const DisplaySwitches& switches, const MapRenderer& renderer)
        : view_(view), picker_(picker), map_(map), scenario_(scenario), symbols_(symbols),
          switches_(switches), renderer_(renderer) {}

    // What the marks show; set once both exist.
    void SetCommands(const AreaCommands* commands, const MapSelection* selection) {
        commands_ = commands;
        selection_ = selection;
    }
    // Draws the marks over the view's picture (RGB16, the view at (0, 0)).
    void DrawMarks(QImage& picture) const;

    void ShowAreaMarks() override;
    void BrushChanged() override;
    void ModeBegins(EditMode leaving) override;

    void PutArea(const MapArea& area) override;
    std::optional<QByteArray> AreaJson() const override;
    bool HoldsArea() const override;

    // The area as the map draws it at the battle's zoom level (black where it has no hex).
    QImage AreaPicture(const MapArea& area) const;

  private:
    MapView& view_;
    TSelectTer& picker_;
    ModeScreen& map_;
    const Scenario& scenario_;
    const SymbolSet& symbols_;
    const DisplaySwitches& switches_;
    const MapRenderer& renderer_;
    const AreaCommands* commands_ = nullptr;
    const MapSelection* selection_ = nullptr;
};

} // namespace k2
