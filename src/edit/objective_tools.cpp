#include "edit/objective_tools.h"

#include "edit/objective_logic.h"

namespace k2 {

ToolResult ObjectiveTool::LeftClick(int32_t hex) {
    if (!ObjectiveClickAllowed(scenario_, hex))
        return ToolResult::Refuse("The battle already has a terrain objective elsewhere.");
    edit_.CurrentHex = hex;
    dialogs_.RunObjectiveDialog();
    return ToolResult::Done();
}

} // namespace k2
