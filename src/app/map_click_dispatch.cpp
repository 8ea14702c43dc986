#include "app/map_click_dispatch.h"

namespace k2 {

void MapClickDispatch::BeginZoomPick() {
    // A second press while a pick is pending must not lose the mode to return to.
    if (edit_.Mode != EditMode::ZoomPick) edit_.SavedEditMode = edit_.Mode;
    edit_.Mode = EditMode::ZoomPick;
    if (actions_.setZoomCursor) actions_.setZoomCursor(true);
}

void MapClickDispatch::Dispatch(bool battleActive, MapButton button, int32_t hex) {
    if (!battleActive || hex == NoSymbol) return;
    if (button == MapButton::Left) LeftClick(hex);
    // Other buttons act only in modes that remove what a left click adds.
}

void MapClickDispatch::LeftClick(int32_t hex) {
    switch (edit_.Mode) {
    case EditMode::ZoomPick:
        edit_.CurrentHex = hex;
        // The mode returns first, so a refused zoom never leaves the pick pending.
        edit_.Mode = edit_.SavedEditMode;
        if (actions_.setZoomCursor) actions_.setZoomCursor(false);
        if (actions_.zoomInAt) actions_.zoomInAt(hex);
        break;
    default:
        // A mode whose command is not in the menus cannot be current; None does nothing.
        break;
    }
}

} // namespace k2
