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

MapClickDispatch::MapClickDispatch(EditState& edit, EditHistory& history, SoundPlayer& sounds)
    : edit_(edit), history_(history), sounds_(sounds) {}

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
    const std::string name = button == MapButton::Left ? tool->StepName() : tool->OtherStepName();

    if (tool->PaintsOnDrag()) {
        tool->BeginStroke();
        stroke_ = Stroke{true, button, tool, {hex}};
        strokeStep_.emplace(history_, name);
        return StrokeClick(hex);
    }

    ClickOutcome outcome;
    outcome.Change = history_.Record(
        name,
        [&] {
            ClickOutcome click = RunClick(*tool, button, hex);
            outcome.Refused = click.Refused;
            outcome.Reason = std::move(click.Reason);
        },
        {}, tool->Scope(hex));
    return outcome;
}

ClickOutcome MapClickDispatch::DragTo(int32_t hex) {
    if (!stroke_.active || hex == NoSymbol || !stroke_.visited.insert(hex).second) return {};
    return StrokeClick(hex);
}

ClickOutcome MapClickDispatch::StrokeClick(int32_t hex) {
    strokeStep_->Touches(stroke_.tool->Scope(hex));
    ClickOutcome outcome = RunClick(*stroke_.tool, stroke_.button, hex);
    history_.Progress(StrokeHex(hex));
    return outcome;
}

StepChange MapClickDispatch::Release() {
    if (!stroke_.active) return {};
    stroke_ = Stroke{};
    // The stroke was shown hex by hex as it went; the step tells the listeners the whole of it.
    StepChange change = strokeStep_->Commit();
    strokeStep_.reset();
    return change;
}

} // namespace k2
