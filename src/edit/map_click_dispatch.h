// Where a button pressed on the map becomes the current edit mode's action: the tool of the
// mode is looked up and its click runs inside the edit history (a press and the drag that
// follows it form one stroke, one step). What the step changed reaches the map through the
// history's listeners; a stroke shows each hex as it is painted.
#pragma once

#include "core/edit_state.h"
#include "core/platform.h"
#include "edit/edit_history.h"
#include "edit/edit_tool.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace k2 {

enum class MapButton { Left, Right, Middle };

struct ClickOutcome {
    bool Refused = false;
    std::string Reason;
    StepChange Change;
};

class MapClickDispatch {
  public:
    MapClickDispatch(EditState& edit, EditHistory& history, SoundPlayer& sounds);

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

  private:
    ClickOutcome RunClick(EditTool& tool, MapButton button, int32_t hex);
    // One hex of the open stroke: said to the step, painted, shown.
    ClickOutcome StrokeClick(int32_t hex);

    struct Stroke {
        bool active = false;
        MapButton button = MapButton::Left;
        EditTool* tool = nullptr;
        std::unordered_set<int32_t> visited;
    };

    EditState& edit_;
    EditHistory& history_;
    SoundPlayer& sounds_;
    std::array<EditTool*, 32> tools_{};
    Stroke stroke_;
    // The step of the open stroke.
    std::optional<EditHistory::Step> strokeStep_;
};

} // namespace k2
