// The Structures mode: a left click opens the structures dialog on the hex. The dialog changes
// the battle directly; the click dispatch makes the whole session one undo step.
#pragma once

#include "core/edit_state.h"
#include "core/platform.h"
#include "edit/edit_history.h"
#include "edit/edit_names.h"
#include "edit/edit_tool.h"

#include <cstdint>

namespace k2 {

// How the structures dialog was left.
struct StructureDialogOutcome {
    DialogResult Result = DialogResult::Cancel;
    // Exit was used: the battle counts as modified even when nothing changed.
    bool MarkModified = false;
};

// Opens the structures dialog (TAddBase) modally on EditState::CurrentHex.
class StructureDialogs {
  public:
    virtual ~StructureDialogs() = default;
    virtual StructureDialogOutcome RunStructureDialog() = 0;
};

class StructureTool : public EditTool {
  public:
    StructureTool(EditState& edit, EditHistory& history, StructureDialogs& dialogs)
        : edit_(edit), history_(history), dialogs_(dialogs) {}

    std::string StepName() const override { return std::string(step::Structures); }
    ToolResult LeftClick(int32_t hex) override;

  private:
    EditState& edit_;
    EditHistory& history_;
    StructureDialogs& dialogs_;
};

} // namespace k2
