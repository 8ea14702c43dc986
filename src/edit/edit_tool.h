// One edit mode's work on the map: what a click with each button does to the hex, and the name
// of the undo step it makes. The click dispatch looks the tool up by the current mode and runs
// the click inside the edit history; tools change the battle directly and never redraw it:
// the history tells its listeners what changed (and a tool that shows an intermediate state,
// the fill before its question, asks the history to show it).
#pragma once

#include "core/scenario_diff.h"

#include <cstdint>
#include <string>

namespace k2 {

// The outcome of one click. A refused click changes nothing; the dispatch plays the refuse
// sound for it. The reason is one sentence for the user: the info bar shows it for a few
// seconds, and scripts report it.
struct ToolResult {
    bool Refused = false;
    std::string Reason;

    static ToolResult Done() { return {}; }
    static ToolResult Refuse(std::string reason) { return {true, std::move(reason)}; }
};

class EditTool {
  public:
    virtual ~EditTool() = default;
    // The step as the Edit menu names it ("Place Primary Terrain").
    virtual std::string StepName() const = 0;
    // The step of a right or middle click, where it differs ("Remove Secondary Terrain").
    virtual std::string OtherStepName() const { return StepName(); }
    // The left button went down on `hex` (always a hex of the map).
    virtual ToolResult LeftClick(int32_t hex) = 0;
    // The right or middle button went down on `hex`.
    virtual ToolResult OtherClick(int32_t hex) {
        (void)hex;
        return {};
    }
    // A tool that paints: with a button held, every further hex the pointer passes acts as a
    // click of that button there (each hex once per stroke), and the stroke is one step.
    virtual bool PaintsOnDrag() const { return false; }
    // A stroke of a painting tool begins (before its first click): a tool whose brush reaches
    // beyond the hex under the pointer paints each hex once per stroke.
    virtual void BeginStroke() {}
    // Where a click on `hex` may change the battle; the step compares only there. A tool that
    // does not say is compared with the whole battle.
    virtual DiffScope Scope(int32_t hex) const {
        (void)hex;
        return DiffScope::Everything();
    }
};

} // namespace k2
