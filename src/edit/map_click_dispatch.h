// Where a button pressed on the map becomes the current edit mode's action: the tool of the
// mode is looked up, its click runs inside the edit history (a press and the drag that follows
// it form one stroke, one step) and the hexes the step changed are drawn again.
#pragma once

#include "core/edit_state.h"
#include "core/platform.h"
#include "edit/edit_history.h"
#include "edit/edit_tool.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace k2 {

enum class MapButton { Left, Right, Middle };

// How the map is brought up to date after an edit.
class MapRedraw {
  public:
    virtual ~MapRedraw() = default;
    // Draws the hexes again into the map buffer and presents the view.
    virtual void RedrawHexes(const std::vector<int32_t>& hexes) = 0;
    // The full render and present.
    virtual void DisplayMap() = 0;
    // The grid changed size: the view is set up for it again (keeping its place where it can)
    // and the whole map drawn.
    virtual void MapResized() { DisplayMap(); }
};

// A map that is not shown (scripts): nothing to draw.
class NoRedraw : public MapRedraw {
  public:
    void RedrawHexes(const std::vector<int32_t>&) override {}
    void DisplayMap() override {}
};

struct ClickOutcome {
    bool Refused = false;
    std::string Reason;
    StepChange Change;
};

class MapClickDispatch {
  public:
    // More changed hexes than this are drawn by a full render.
    static constexpr std::size_t MaxSingleRedraws = 64;

    MapClickDispatch(EditState& edit, EditHistory& history, SoundPlayer& sounds, MapRedraw& redraw,
                     const DisplaySwitches& switches);

    // The tool that carries out clicks in `mode` (not owned). Modes without a tool do nothing.
    void Register(EditMode mode, EditTool& tool);
    EditTool* ToolFor(EditMode mode) const;

    // A button went down on the map over `hex` (NoSymbol for a point on no hex).
    ClickOutcome Press(bool battleActive, MapButton button, int32_t hex);
    // The pointer moved to `hex` with the button of the last press still held.
    ClickOutcome DragTo(int32_t hex);
    // The button was released: a stroke ends and becomes one step.
    StepChange Release();
    bool StrokeActive() const { return stroke_.active; }

    // Draws what a step (or an undo or redo) changed.
    void RedrawChange(const StepChange& change);

  private:
    ClickOutcome RunClick(EditTool& tool, MapButton button, int32_t hex);

    struct Stroke {
        bool active = false;
        MapButton button = MapButton::Left;
        EditTool* tool = nullptr;
        std::unordered_set<int32_t> visited;
    };

    EditState& edit_;
    EditHistory& history_;
    SoundPlayer& sounds_;
    MapRedraw& redraw_;
    const DisplaySwitches& switches_;
    std::array<EditTool*, 32> tools_{};
    Stroke stroke_;
};

} // namespace k2
