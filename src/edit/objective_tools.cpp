#include "edit/objective_tools.h"

#include "edit/objective_logic.h"

namespace k2 {

ToolResult ObjectiveTool::LeftClick(int32_t hex) {
    if (!ObjectiveClickAllowed(scenario_, hex))
        return ToolResult::Refuse("This battle already has its terrain objective.");
    edit_.CurrentHex = hex;
    dialogs_.RunObjectiveDialog();
    return ToolResult::Done();
}

} // namespace k2
