#include "edit/map_click_dispatch.h"

namespace k2 {

namespace {

std::size_t ModeSlot(EditMode mode) {
    return static_cast<std::size_t>(mode);
}

// One hex of a stroke, drawn as soon as it is painted.
StepChange StrokeHex(int32_t hex) {
    StepChange change;
    change.Changed = true;
    change.Hexes = {hex};
    return change;
}

} // namespace

MapClickDispatch::MapClickDispatch(EditState& edit, EditHistory& history, SoundPlayer& sounds,
                                   MapRedraw& redraw, const DisplaySwitches& switches)
    : edit_(edit), history_(history), sounds_(sounds), redraw_(redraw), switches_(switches) {}

void MapClickDispatch::Register(EditMode mode, EditTool& tool) {
    if (ModeSlot(mode) < tools_.size()) tools_[ModeSlot(mode)] = &tool;
}

EditTool* MapClickDispatch::ToolFor(EditMode mode) const {
    return ModeSlot(mode) < tools_.size() ? tools_[ModeSlot(mode)] : nullptr;
}

ClickOutcome MapClickDispatch::RunClick(EditTool& tool, MapButton button, int32_t hex) {
    ToolResult result = button == MapButton::Left ? tool.LeftClick(hex) : tool.OtherClick(hex);
    if (result.Refused) sounds_.Play(SoundRefuse, 1);
    return {result.Refused, std::move(result.Reason), {}};
}

ClickOutcome MapClickDispatch::Press(bool battleActive, MapButton button, int32_t hex) {
    if (stroke_.active) Release(); // a press that never saw its release
    if (!battleActive || hex == NoSymbol) return {};
    // Other buttons act only in the modes whose tools take them (secondary terrain removal).
    EditTool* tool = ToolFor(edit_.Mode);
    if (!tool) return {};

    if (tool->PaintsOnDrag()) {
        history_.Begin();
        stroke_ = Stroke{true, button, tool, {hex}};
        ClickOutcome outcome = RunClick(*tool, button, hex);
        RedrawChange(StrokeHex(hex));
        return outcome;
    }

    ClickOutcome outcome;
    const std::string name = button == MapButton::Left ? tool->StepName() : tool->OtherStepName();
    outcome.Change = history_.Record(name, [&] {
        ClickOutcome click = RunClick(*tool, button, hex);
        outcome.Refused = click.Refused;
        outcome.Reason = std::move(click.Reason);
    });
    if (tool->RedrawsWholeMap()) outcome.Change.WholeMap = true;
    RedrawChange(outcome.Change);
    return outcome;
}

ClickOutcome MapClickDispatch::DragTo(int32_t hex) {
    if (!stroke_.active || hex == NoSymbol || !stroke_.visited.insert(hex).second) return {};
    ClickOutcome outcome = RunClick(*stroke_.tool, stroke_.button, hex);
    RedrawChange(StrokeHex(hex));
    return outcome;
}

StepChange MapClickDispatch::Release() {
    if (!stroke_.active) return {};
    const std::string name =
        stroke_.button == MapButton::Left ? stroke_.tool->StepName() : stroke_.tool->OtherStepName();
    stroke_ = Stroke{};
    // The stroke was drawn hex by hex as it went.
    return history_.Commit(name);
}

void MapClickDispatch::RedrawChange(const StepChange& change) {
    if (!change.Changed) return;
    if (change.Resized)
        redraw_.MapResized();
    else if (change.WholeMap || switches_.Elevation || change.Hexes.size() > MaxSingleRedraws)
        redraw_.DisplayMap();
    else
        redraw_.RedrawHexes(change.Hexes);
}

} // namespace k2
