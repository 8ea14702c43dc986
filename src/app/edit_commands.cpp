#include "app/edit_commands.h"

#include "app/command_names.h"
#include "edit/edit_names.h"
#include "edit/objective_logic.h"
#include "edit/terrain_picker_logic.h"

namespace k2 {

EditCommands::~EditCommands() {
    parts_.history.RemoveListener(this);
}

EditCommands::EditCommands(EditCommandParts parts) : parts_(parts) {
    parts_.history.AddListener(this);
    parts_.session.Clipboard().SetFilledListener([this] {
        parts_.screen.SetCommandEnabled(cmd::PasteUnit, true);
        parts_.screen.ShowNotice(ClipboardNotice(parts_.session.Clipboard().Unit()));
    });
}

std::string EditCommands::ClipboardNotice(const UnitRecord& unit) {
    std::string name = unit.Name.Str();
    if (name.empty()) name = "An unnamed unit";
    return name + (unit.Side == SideEastern ? " (Eastern)" : " (Western)") + " is on the unit clipboard.";
}

ClickOutcome EditCommands::MapPressed(bool battleActive, MapButton button, int32_t hex) {
    ClickOutcome outcome = Dispatch().Press(battleActive, button, hex);
    if (battleActive) AfterClick(outcome);
    return outcome;
}

ClickOutcome EditCommands::MapDragged(int32_t hex) {
    ClickOutcome outcome = Dispatch().DragTo(hex);
    if (outcome.Refused) AfterClick(outcome);
    return outcome;
}

void EditCommands::AfterClick(const ClickOutcome& outcome) {
    // The refuse sound stays; a machine without audio still learns why.
    if (outcome.Refused && !outcome.Reason.empty()) parts_.screen.ShowNotice(outcome.Reason);
    const EditState& edit = parts_.edit;
    const Scenario& s = parts_.scenario;
    const int32_t unit = edit.MoveSourceUnit;
    const bool picked = edit.Mode == EditMode::MoveUnit && unit >= 1 && unit <= s.UnitCount;
    parts_.map.MarkMovePick(picked ? s.Units[size_t(unit)].Hex : NoSymbol);
}

std::string EditCommands::UndoCaption(const std::string& step) {
    const std::string item(FindCommand(cmd::Undo)->caption);
    return step.empty() ? item : item + " " + step;
}

std::string EditCommands::RedoCaption(const std::string& step) {
    const std::string item(FindCommand(cmd::Redo)->caption);
    return step.empty() ? item : item + " " + step;
}

void EditCommands::Undo() {
    // Not in the middle of a stroke or a dialog: the step is not finished yet.
    if (Dispatch().StrokeActive() || parts_.history.InSession()) return;
    parts_.history.Undo();
}

void EditCommands::Redo() {
    if (Dispatch().StrokeActive() || parts_.history.InSession()) return;
    parts_.history.Redo();
}

void EditCommands::HistoryChanged(const StepChange& change) {
    // The picker shows terrain definitions, which an undo or redo may have changed.
    if (change.Replayed && change.WholeMap) parts_.picker.Refresh();
    RefreshCommands();
}

void EditCommands::RefreshCommands() {
    const EditHistory& history = parts_.history;
    parts_.screen.SetCommandEnabled(cmd::Undo, history.CanUndo());
    parts_.screen.SetCommandEnabled(cmd::Redo, history.CanRedo());
    parts_.screen.SetCommandCaption(cmd::Undo, UndoCaption(history.UndoName()));
    parts_.screen.SetCommandCaption(cmd::Redo, RedoCaption(history.RedoName()));
    parts_.screen.SetCommandEnabled(cmd::ObjectiveStatus, ObjectiveListEnabled(parts_.scenario));
    const std::string problem = parts_.dialogs.TerrainGeneratorProblem();
    parts_.screen.SetCommandEnabled(cmd::GenerateTerrain, problem.empty());
    parts_.screen.SetCommandTip(cmd::GenerateTerrain, problem);
}

void EditCommands::EnterMode(EditMode mode) {
    // A pick of the mode being left is no longer shown.
    if (parts_.edit.Mode == EditMode::MoveUnit && mode != EditMode::MoveUnit)
        parts_.map.MarkMovePick(NoSymbol);
    parts_.edit.Mode = mode;
    parts_.screen.SetInfoText(std::string(ModePrompt(mode)));
    parts_.map.SetHandCursor();
}

void EditCommands::PlacePrimaryTerrain() {
    EnterMode(EditMode::PlacePrimary);
    parts_.edit.PickerUse = PickerUsePrimary;
    parts_.picker.ShowModeless(PickerUsePrimary);
    parts_.screen.SetCommandEnabled(cmd::FillPrimary, true);
}

void EditCommands::PlaceSecondaryTerrain() {
    EnterMode(EditMode::PlaceSecondary);
    parts_.edit.PickerUse = PickerUseSecondary;
    parts_.picker.ShowModeless(PickerUseSecondary);
}

void EditCommands::FillPrimaryTerrain() {
    parts_.picker.ClosePicker();
    parts_.edit.PickerUse = PickerUseFill;
    // OK or Cancel, the fill mode follows with whatever the picker last selected.
    parts_.picker.RunFill();
    EnterMode(EditMode::FillPrimary);
}

} // namespace k2

namespace k2 {

void EditCommands::EnterModeWithoutPicker(EditMode mode) {
    parts_.picker.ClosePicker();
    EnterMode(mode);
}

void EditCommands::AddModifyUnits() {
    EnterModeWithoutPicker(EditMode::Units);
}

void EditCommands::AddModifyReinforcements() {
    EnterModeWithoutPicker(EditMode::Reinforcements);
}

void EditCommands::CopyUnit() {
    EnterModeWithoutPicker(EditMode::CopyUnit);
}

void EditCommands::CutUnit() {
    EnterModeWithoutPicker(EditMode::CutUnit);
}

void EditCommands::PasteUnit() {
    EnterModeWithoutPicker(EditMode::PasteUnit);
}

void EditCommands::MoveUnit() {
    parts_.session.MoveUnit().Begin();
    EnterModeWithoutPicker(EditMode::MoveUnit);
}

void EditCommands::SetSpecialHexMarkers() {
    // No mode: the dialog's session is its own step.
    parts_.dialogs.RunSpecialHexMarkers();
}

void EditCommands::PlaceCaltrops() {
    EnterMode(EditMode::Caltrops);
    parts_.history.Touch(); // entering the mode counts as a change, as it always has
}

void EditCommands::PlantStakes() {
    EnterMode(EditMode::Stakes);
    parts_.history.Touch();
}

void EditCommands::AddModifyMapText() {
    EnterModeWithoutPicker(EditMode::MapText);
}

} // namespace k2

namespace k2 {

void EditCommands::AddModifyStructures() {
    EnterModeWithoutPicker(EditMode::Structures);
}

void EditCommands::SetModifyObjective() {
    EnterMode(EditMode::Objective);
}

void EditCommands::ObjectiveStatus() {
    parts_.dialogs.RunObjectiveStatus();
}

void EditCommands::MapTrimmer() {
    // The trimmer works on the map seen from its first hex, at the smallest zoom.
    parts_.scenario.ViewOriginHex = 0;
    parts_.scenario.ZoomLevel = 0;
    parts_.map.ShowFromViewOrigin();
    parts_.dialogs.RunMapTrimmer();
}

void EditCommands::GenerateTerrain() {
    parts_.dialogs.RunGenerateTerrain();
}

void EditCommands::OrderOfBattle(int32_t side) {
    parts_.dialogs.RunOrderOfBattle(side);
}

void EditCommands::Schedule(int32_t side) {
    parts_.dialogs.RunReinforcementSchedule(side);
}

void EditCommands::ArmyStatistics() {
    parts_.dialogs.RunArmyStatistics();
}
} // namespace k2
