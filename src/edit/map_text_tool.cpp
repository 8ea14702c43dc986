#include "edit/map_text_tool.h"

namespace k2 {

ToolResult MapTextTool::LeftClick(int32_t hex) {
    edit_.CurrentHex = hex;
    dialogs_.RunMapTextDialog();
    return ToolResult::Done();
}

} // namespace k2
