// One edit mode's work on the map: what a click with each button does to the hex, and the name
// of the undo step it makes. The click dispatch looks the tool up by the current mode and runs
// the click inside the edit history; tools change the battle directly and never redraw it
// themselves, except where the mode shows an intermediate state (the fill before its question).
#pragma once

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
    // The mode's changes reach beyond their hex on the map (stakes stand in front of the
    // hex, markers overlap): the whole map is drawn again after each of its steps.
    virtual bool RedrawsWholeMap() const { return false; }
};

} // namespace k2
