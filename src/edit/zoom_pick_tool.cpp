#include "edit/zoom_pick_tool.h"

namespace k2 {

void ZoomPickTool::Begin() {
    // A second press while a pick is pending must not lose the mode to return to.
    if (edit_.Mode != EditMode::ZoomPick) edit_.SavedEditMode = edit_.Mode;
    edit_.Mode = EditMode::ZoomPick;
    view_.SetZoomCursor(true);
}

void ZoomPickTool::Cancel() {
    if (edit_.Mode != EditMode::ZoomPick) return;
    edit_.Mode = edit_.SavedEditMode;
    view_.SetZoomCursor(false);
}

ToolResult ZoomPickTool::LeftClick(int32_t hex) {
    edit_.CurrentHex = hex;
    // The mode returns first, so a refused zoom never leaves the pick pending.
    edit_.Mode = edit_.SavedEditMode;
    view_.SetZoomCursor(false);
    view_.ZoomInAt(hex);
    return ToolResult::Done();
}

} // namespace k2
