// The one place where a click on the map becomes the current edit mode's action. Every edit
// mode's handler is reached from Dispatch; the zoom pick is the mode that ends by itself.
#pragma once

#include "core/edit_state.h"
#include "core/scenario.h"

#include <cstdint>
#include <functional>

namespace k2 {

enum class MapButton { Left, Right, Middle };

// What the modes act through; the main window connects them to the map view.
struct MapClickActions {
    std::function<void(int32_t hex)> zoomInAt;
    std::function<void(bool zoom)> setZoomCursor;
};

class MapClickDispatch {
  public:
    MapClickDispatch(EditState& edit, MapClickActions actions) : edit_(edit), actions_(std::move(actions)) {}

    // The ZoomIn button: the next left click on a hex zooms in there, then the mode returns.
    void BeginZoomPick();

    // A button went down on the map over `hex` (NoSymbol for a point on no hex).
    void Dispatch(bool battleActive, MapButton button, int32_t hex);

  private:
    void LeftClick(int32_t hex);

    EditState& edit_;
    MapClickActions actions_;
};

} // namespace k2
