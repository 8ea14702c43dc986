// Everything the edit modes act on, wired once: the click dispatch with the tool of every mode
// registered. The main window builds one over the real view and dialogs; k2tool builds one over
// a map that is not shown, so scripts run exactly the code that map clicks run.
#pragma once

#include "core/edit_state.h"
#include "core/platform.h"
#include "core/random_source.h"
#include "core/scenario.h"
#include "edit/edit_history.h"
#include "edit/map_area_tools.h"
#include "edit/map_click_dispatch.h"
#include "edit/map_selection.h"
#include "edit/map_text_tool.h"
#include "edit/marker_tools.h"
#include "edit/objective_tools.h"
#include "edit/structure_tools.h"
#include "edit/terrain_tools.h"
#include "edit/unit_clipboard.h"
#include "edit/unit_tools.h"
#include "edit/zoom_pick_tool.h"

#include <memory>

namespace k2 {

// A view that does not zoom (scripts).
class NoZoom : public ZoomView {
  public:
    void ZoomInAt(int32_t) override {}
    void SetZoomCursor(bool) override {}
};

// The dialogs the modes open on a clicked hex and the info line, as the application's dialog
// host provides them.
class ModeDialogs : public UnitDialogs,
                    public MapTextDialogs,
                    public StructureDialogs,
                    public ObjectiveDialogs,
                    public InfoLine {};

// No dialogs (scripts): every dialog closes at once without a change.
class NoDialogs : public ModeDialogs {
  public:
    DialogResult RunUnitEditor(bool) override { return DialogResult::Cancel; }
    DialogResult RunMapTextDialog() override { return DialogResult::Cancel; }
    StructureDialogOutcome RunStructureDialog() override { return {DialogResult::Cancel, false}; }
    DialogResult RunObjectiveDialog() override { return DialogResult::Cancel; }
    void SetInfoText(const std::string&) override {}
};

// The platform and view seams the tools are handed.
struct EditSeams {
    SoundPlayer& sounds;
    MessageBoxes& boxes;
    RandomSource& random;
    ZoomView& zoom;
    TerrainFeedback& terrain;
    ModeDialogs& dialogs;
};

class EditSession {
  public:
    EditSession(Scenario& scenario, EditState& edit, EditHistory& history, EditSeams seams);
    ~EditSession();
    EditSession(const EditSession&) = delete;
    EditSession& operator=(const EditSession&) = delete;

    Scenario& Battle() { return scenario_; }
    EditState& Edit() { return edit_; }
    EditHistory& History() { return history_; }
    MapClickDispatch& Dispatch() { return dispatch_; }
    ZoomPickTool& ZoomPick() { return zoomPick_; }
    MoveUnitTool& MoveUnit() { return moveUnit_; }
    // The one-unit clipboard, kept for as long as the session (the whole run).
    UnitClipboard& Clipboard() { return clipboard_; }
    // Select Map Area's selection (view state) and the map area clipboard of the run.
    MapSelection& Selection() { return selection_; }
    MapAreaClipboard& AreaClipboard() { return areaClipboard_; }
    MapAreaCommands& Areas() { return areas_; }

  private:
    Scenario& scenario_;
    EditState& edit_;
    EditHistory& history_;
    EditSeams seams_;
    MapClickDispatch dispatch_;
    UnitClipboard clipboard_;
    ZoomPickTool zoomPick_;
    PlacePrimaryTool placePrimary_;
    PlaceSecondaryTool placeSecondary_;
    FillPrimaryTool fillPrimary_;
    UnitsTool units_;
    ReinforcementsTool reinforcements_;
    CopyUnitTool copyUnit_;
    CutUnitTool cutUnit_;
    PasteUnitTool pasteUnit_;
    MoveUnitTool moveUnit_;
    CaltropsTool caltrops_;
    StakesTool stakes_;
    MapTextTool mapText_;
    StructureTool structures_;
    ObjectiveTool objective_;
    MapSelection selection_;
    MapAreaClipboard areaClipboard_;
    MapAreaCommands areas_;
    PasteAreaTool pasteArea_;
};

} // namespace k2
