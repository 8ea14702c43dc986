// Everything the edit modes act on, wired once: the click dispatch with the tool of every mode
// registered. The main window builds one over the real view and dialogs; k2tool builds one over
// a map that is not shown, so scripts run exactly the code that map clicks run.
#pragma once

#include "core/edit_state.h"
#include "core/platform.h"
#include "core/random_source.h"
#include "core/scenario.h"
#include "edit/edit_history.h"
#include "edit/map_click_dispatch.h"
#include "edit/terrain_tools.h"
#include "edit/zoom_pick_tool.h"

#include <memory>

namespace k2 {

// A view that does not zoom (scripts).
class NoZoom : public ZoomView {
  public:
    void ZoomInAt(int32_t) override {}
    void SetZoomCursor(bool) override {}
};

// The platform and view seams the tools are handed.
struct EditSeams {
    SoundPlayer& sounds;
    MessageBoxes& boxes;
    RandomSource& random;
    MapRedraw& redraw;
    ZoomView& zoom;
    TerrainFeedback& terrain;
};

class EditSession {
  public:
    EditSession(Scenario& scenario, EditState& edit, EditHistory& history, const DisplaySwitches& switches,
                EditSeams seams);
    ~EditSession();
    EditSession(const EditSession&) = delete;
    EditSession& operator=(const EditSession&) = delete;

    Scenario& Battle() { return scenario_; }
    EditState& Edit() { return edit_; }
    EditHistory& History() { return history_; }
    MapClickDispatch& Dispatch() { return dispatch_; }
    ZoomPickTool& ZoomPick() { return zoomPick_; }

  private:
    Scenario& scenario_;
    EditState& edit_;
    EditHistory& history_;
    EditSeams seams_;
    MapClickDispatch dispatch_;
    ZoomPickTool zoomPick_;
    PlacePrimaryTool placePrimary_;
    PlaceSecondaryTool placeSecondary_;
    FillPrimaryTool fillPrimary_;
};

} // namespace k2
