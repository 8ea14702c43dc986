#include "edit/structure_tools.h"

namespace k2 {

ToolResult StructureTool::LeftClick(int32_t hex) {
    edit_.CurrentHex = hex;
    if (dialogs_.RunStructureDialog().MarkModified) history_.Touch();
    return ToolResult::Done();
}

} // namespace k2
