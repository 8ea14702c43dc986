// The Edit menu's map area commands (Select Map Area with its drag and double-click, Select All,
// Select None, Invert Selection, Copy, Cut, Delete and Paste Map Area, Fill Selection) and the
// Terrain menu's brush sizes, apart from the widgets. The work on the battle is the edit
// session's (MapAreaCommands, the paste mode's tool); this class keeps the menus, the info bar,
// the system clipboard and the marks over the map in step with it.
#pragma once

#include "app/command_screen.h"
#include "core/edit_state.h"
#include "edit/edit_session.h"
#include "edit/map_area.h"

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

namespace k2 {

// The system clipboard as the map area commands use it.
class SystemClipboard {
  public:
    virtual ~SystemClipboard() = default;
    // Puts the area there as this program's JSON and as a picture of it at the battle's zoom.
    virtual void PutArea(const MapArea& area) = 0;
    // The map area JSON the clipboard holds (from this run or another program), if any.
    virtual std::optional<QByteArray> AreaJson() const = 0;
    virtual bool HoldsArea() const = 0;
};

// What the commands ask of the window besides the menus and the info bar.
class AreaScreen {
  public:
    virtual ~AreaScreen() = default;
    // The selection, the rectangle being dragged or the paste's preview changed: show them.
    virtual void ShowAreaMarks() = 0;
    // The brush radius changed: the outline under the pointer and the picker's Brush row follow.
    virtual void BrushChanged() = 0;
    // An area mode begins after `leaving`: the terrain picker closes, the map gets the hand
    // cursor, and a unit that Move Unit had picked is no longer marked.
    virtual void ModeBegins(EditMode leaving) = 0;
};

struct AreaCommandParts {
    EditSession& session;
    EditState& edit;
    CommandScreen& screen;
    AreaScreen& view;
    SystemClipboard& clipboard;
    SoundPlayer& sounds;
};

class AreaCommands {
  public:
    explicit AreaCommands(AreaCommandParts parts);
    AreaCommands(const AreaCommands&) = delete;
    AreaCommands& operator=(const AreaCommands&) = delete;

    void SelectMapArea();
    void SelectAll();
    void SelectNone();
    void InvertSelection();
    void CopyMapArea();
    void CutMapArea();
    void DeleteMapArea();
    // Enters the paste mode with the clipboard's area (the system clipboard's, when it holds
    // one: an area copied in another run); a damaged one is refused.
    void PasteMapArea();
    void FillSelection();
    // One step down or up, while Place Primary or Place Secondary Terrain is active.
    void SmallerBrush();
    void LargerBrush();

    // The map in the area modes. A press that the mode takes for itself returns true (the click
    // dispatch does not see it): in Select Map Area the left button starts a rectangle, in the
    // paste mode the right or middle button ends the mode. `mode` says how a new selection
    // combines with the old one (Shift adds, Ctrl takes away).
    bool Press(MapButton button, int32_t hex, SelectionMode mode);
    void DragTo(int32_t hex);
    void Release();
    void DoubleClick(int32_t hex, SelectionMode mode);
    // The pointer is over `hex` (NoSymbol: off the map): the paste's preview follows it.
    void PointerAt(int32_t hex);
    // Escape: the paste mode ends, back in Select Map Area (false when it was not active).
    bool EndPaste();

    // What to mark over the map: the rectangle being dragged, and where the paste would land.
    std::vector<int32_t> DraftHexes() const;
    std::vector<AreaLanding> PreviewLandings() const;

    // A battle was shown (the selection of the last one goes) or closed.
    void BattleShown();
    void BattleClosed();
    // Enables the items that need a selection or an area on the clipboard.
    void RefreshCommands();

  private:
    void EnterMode(EditMode mode);
    void Report(const AreaOutcome& outcome);
    MapSelection& Selection() { return parts_.session.Selection(); }

    AreaCommandParts parts_;
    bool battle_ = false;
    // The rectangle being dragged in Select Map Area.
    bool dragging_ = false;
    int32_t anchor_ = NoSymbol, corner_ = NoSymbol;
    SelectionMode dragMode_ = SelectionMode::Replace;
    // The hex under the pointer, where a paste's preview is shown.
    int32_t pointer_ = NoSymbol;
    bool previewShown_ = false;
};

} // namespace k2
