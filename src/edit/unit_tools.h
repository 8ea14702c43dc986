// The unit modes of the map: Units and Reinforcements open the unit editor on the clicked hex;
// Copy, Cut, Paste and Move act on the unit table and the grid directly, through the one-unit
// clipboard and the move pick.
#pragma once

#include "core/edit_state.h"
#include "core/platform.h"
#include "core/scenario.h"
#include "edit/edit_history.h"
#include "edit/edit_names.h"
#include "edit/edit_tool.h"
#include "edit/unit_clipboard.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace k2 {

// The prompts of the unit modes (the info bar).

// The unit editor, opened modally on EditState::CurrentHex; returns how it was closed.
class UnitDialogs {
  public:
    virtual ~UnitDialogs() = default;
    virtual DialogResult RunUnitEditor(bool reinforcementUse) = 0;
};

// The info bar line, for a tool whose prompt changes between clicks.
class InfoLine {
  public:
    virtual ~InfoLine() = default;
    virtual void SetInfoText(const std::string& text) = 0;
};

// Whether a reinforcement may be edited on a hex: a hex with a unit that is no reinforcement
// hex is refused (with the refuse sound), a hex with a structure fails quietly.
enum class ReinforcementHexTest { Pass, UnitNotReinforcement, Structure };
ReinforcementHexTest TestReinforcementHex(const Scenario& scenario, int32_t hex);
bool IsReinforcementHex(const Scenario& scenario, int32_t hex);
// The unit number on a hex, 0 for none (or for a link to no existing unit).
int32_t UnitOnHex(const Scenario& scenario, int32_t hex);

class UnitsTool : public EditTool {
  public:
    UnitsTool(EditState& edit, EditHistory& history, UnitDialogs& dialogs)
        : edit_(edit), history_(history), dialogs_(dialogs) {}
    std::string StepName() const override { return std::string(step::Units); }
    ToolResult LeftClick(int32_t hex) override;

  private:
    EditState& edit_;
    EditHistory& history_;
    UnitDialogs& dialogs_;
};

class ReinforcementsTool : public EditTool {
  public:
    ReinforcementsTool(const Scenario& scenario, EditState& edit, EditHistory& history, UnitDialogs& dialogs)
        : scenario_(scenario), edit_(edit), history_(history), dialogs_(dialogs) {}
    std::string StepName() const override { return std::string(step::Reinforcements); }
    ToolResult LeftClick(int32_t hex) override;

  private:
    const Scenario& scenario_;
    EditState& edit_;
    EditHistory& history_;
    UnitDialogs& dialogs_;
};

class CopyUnitTool : public EditTool {
  public:
    CopyUnitTool(const Scenario& scenario, UnitClipboard& clipboard, SoundPlayer& sounds)
        : scenario_(scenario), clipboard_(clipboard), sounds_(sounds) {}
    std::string StepName() const override { return std::string(step::CopyUnit); }
    ToolResult LeftClick(int32_t hex) override;

  private:
    const Scenario& scenario_;
    UnitClipboard& clipboard_;
    SoundPlayer& sounds_;
};

class CutUnitTool : public EditTool {
  public:
    CutUnitTool(Scenario& scenario, UnitClipboard& clipboard) : scenario_(scenario), clipboard_(clipboard) {}
    std::string StepName() const override { return std::string(step::CutUnit); }
    ToolResult LeftClick(int32_t hex) override;

  private:
    Scenario& scenario_;
    UnitClipboard& clipboard_;
};

class PasteUnitTool : public EditTool {
  public:
    PasteUnitTool(Scenario& scenario, const UnitClipboard& clipboard)
        : scenario_(scenario), clipboard_(clipboard) {}
    std::string StepName() const override { return std::string(step::PasteUnit); }
    ToolResult LeftClick(int32_t hex) override;

  private:
    Scenario& scenario_;
    const UnitClipboard& clipboard_;
};

class MoveUnitTool : public EditTool {
  public:
    MoveUnitTool(Scenario& scenario, EditState& edit, SoundPlayer& sounds, InfoLine& info)
        : scenario_(scenario), edit_(edit), sounds_(sounds), info_(info) {}
    // Move Unit was chosen: no unit is picked.
    void Begin() { edit_.MoveSourceUnit = 0; }
    std::string StepName() const override { return std::string(step::MoveUnit); }
    ToolResult LeftClick(int32_t hex) override;

  private:
    bool PickIsCurrent() const;

    Scenario& scenario_;
    EditState& edit_;
    SoundPlayer& sounds_;
    InfoLine& info_;
};

} // namespace k2
