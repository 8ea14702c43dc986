#include "edit/unit_tools.h"

#include <algorithm>

namespace k2 {

namespace {

int32_t MarkerOfSide(const Scenario& scenario, int32_t side) {
    return scenario
        .MarkerSymbols[side == SideEastern ? MarkerEasternReinforcement : MarkerWesternReinforcement];
}

} // namespace

int32_t UnitOnHex(const Scenario& scenario, int32_t hex) {
    if (!scenario.IsValidHex(hex)) return 0;
    const int32_t unit = scenario.Hexes[size_t(hex)].Unit;
    return unit >= 1 && unit <= scenario.UnitCount ? unit : 0;
}

bool IsReinforcementHex(const Scenario& scenario, int32_t hex) {
    return scenario.IsValidHex(hex) && scenario.Hexes[size_t(hex)].ReinforcementMarker != 0;
}

ReinforcementHexTest TestReinforcementHex(const Scenario& scenario, int32_t hex) {
    if (UnitOnHex(scenario, hex) != 0 && !IsReinforcementHex(scenario, hex))
        return ReinforcementHexTest::UnitNotReinforcement;
    if (scenario.IsValidHex(hex) && scenario.Hexes[size_t(hex)].Structure != 0)
        return ReinforcementHexTest::Structure;
    return ReinforcementHexTest::Pass;
}

ToolResult UnitsTool::LeftClick(int32_t hex) {
    edit_.CurrentHex = hex;
    // Opening the editor counts as a change even when the user changes nothing.
    history_.Touch();
    dialogs_.RunUnitEditor(false);
    return ToolResult::Done();
}

ToolResult ReinforcementsTool::LeftClick(int32_t hex) {
    switch (TestReinforcementHex(scenario_, hex)) {
    case ReinforcementHexTest::UnitNotReinforcement:
        return ToolResult::Refuse("The unit on this hex is present from the start, not a reinforcement.");
    case ReinforcementHexTest::Structure:
        return ToolResult::Done(); // quietly: a structure cannot take reinforcements
    case ReinforcementHexTest::Pass:
        break;
    }
    edit_.CurrentHex = hex;
    history_.Touch();
    dialogs_.RunUnitEditor(true);
    return ToolResult::Done();
}

ToolResult CopyUnitTool::LeftClick(int32_t hex) {
    const int32_t unit = UnitOnHex(scenario_, hex);
    if (unit == 0) return ToolResult::Done();
    clipboard_.Fill(scenario_.Units[size_t(unit)]);
    sounds_.Play(SoundAccept, 1);
    return ToolResult::Done();
}

ToolResult CutUnitTool::LeftClick(int32_t hex) {
    const int32_t unit = UnitOnHex(scenario_, hex);
    if (unit == 0) return ToolResult::Done();
    clipboard_.Fill(scenario_.Units[size_t(unit)]);
    scenario_.RemoveUnit(unit);
    HexCell& cell = scenario_.Hexes[size_t(hex)];
    if (cell.Unit == 0) cell.ReinforcementMarker = 0;
    return ToolResult::Done();
}

ToolResult PasteUnitTool::LeftClick(int32_t hex) {
    if (!clipboard_.Filled()) return ToolResult::Refuse("Copy or cut a unit before pasting.");
    if (UnitOnHex(scenario_, hex) != 0) return ToolResult::Refuse("This hex already holds a unit.");
    const UnitRecord& copied = clipboard_.Unit();
    if (IsReinforcementHex(scenario_, hex) && copied.ActivationTurn == 1)
        return ToolResult::Refuse("A unit present from the start cannot go on a reinforcement hex.");
    if (scenario_.UnitCount >= MaxUnits)
        return ToolResult::Refuse("This battle already has " + std::to_string(MaxUnits) +
                                  " units, the most it can hold.");

    const int32_t unit = ++scenario_.UnitCount;
    UnitRecord& pasted = scenario_.Units[size_t(unit)];
    pasted = copied;
    pasted.Hex = hex;
    // The unit may come from another battle: it must not name a wing this one lacks. Its
    // arrival turn stays as copied; Check Battle reports one after the last turn.
    if (pasted.Wing < 0 || pasted.Wing >= scenario_.WingCount) pasted.Wing = 0;
    HexCell& cell = scenario_.Hexes[size_t(hex)];
    cell.Unit = unit;
    if (pasted.ActivationTurn > 1) cell.ReinforcementMarker = MarkerOfSide(scenario_, pasted.Side);
    return ToolResult::Done();
}

bool MoveUnitTool::PickIsCurrent() const {
    // An undo since the pick may have renumbered or removed the picked unit.
    const int32_t unit = edit_.MoveSourceUnit;
    return unit >= 1 && unit <= scenario_.UnitCount &&
           UnitOnHex(scenario_, scenario_.Units[size_t(unit)].Hex) == unit;
}

ToolResult MoveUnitTool::LeftClick(int32_t hex) {
    if (edit_.MoveSourceUnit != 0 && !PickIsCurrent()) {
        edit_.MoveSourceUnit = 0;
        info_.SetInfoText(std::string(ModePrompt(EditMode::MoveUnit)));
    }
    if (edit_.MoveSourceUnit == 0) {
        const int32_t unit = UnitOnHex(scenario_, hex);
        if (unit == 0) return ToolResult::Done();
        edit_.MoveSourceUnit = unit;
        info_.SetInfoText(std::string(MoveTargetPrompt));
        sounds_.Play(SoundAccept, 1);
        return ToolResult::Done();
    }
    if (UnitOnHex(scenario_, hex) != 0) return ToolResult::Done(); // the pick stays

    const int32_t unit = edit_.MoveSourceUnit;
    UnitRecord& moved = scenario_.Units[size_t(unit)];
    const int32_t source = moved.Hex;
    const bool reinforcement = moved.ActivationTurn > 1;
    HexCell& from = scenario_.Hexes[size_t(source)];
    if (reinforcement) from.ReinforcementMarker = 0;
    from.Unit = 0;
    HexCell& to = scenario_.Hexes[size_t(hex)];
    to.Unit = unit;
    if (reinforcement) to.ReinforcementMarker = MarkerOfSide(scenario_, moved.Side);
    moved.Hex = hex;

    info_.SetInfoText(std::string(ModePrompt(EditMode::MoveUnit)));
    sounds_.Play(SoundAccept, 1);
    edit_.MoveSourceUnit = 0;
    return ToolResult::Done();
}

} // namespace k2
