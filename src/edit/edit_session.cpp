#include "edit/edit_session.h"

namespace k2 {

EditSession::EditSession(Scenario& scenario, EditState& edit, EditHistory& history, EditSeams seams)
    : scenario_(scenario), edit_(edit), history_(history), seams_(seams),
      dispatch_(edit, history, seams.sounds), zoomPick_(edit, seams.zoom),
      placePrimary_(scenario, edit, seams.random, history, seams.terrain),
      placeSecondary_(scenario, edit, seams.random, history),
      fillPrimary_(scenario, edit, seams.random, history, seams.boxes), units_(edit, history, seams.dialogs),
      reinforcements_(scenario, edit, history, seams.dialogs), copyUnit_(scenario, clipboard_, seams.sounds),
      cutUnit_(scenario, clipboard_), pasteUnit_(scenario, clipboard_),
      moveUnit_(scenario, edit, seams.sounds, seams.dialogs), caltrops_(scenario, seams.sounds),
      stakes_(scenario, seams.sounds), mapText_(edit, seams.dialogs),
      structures_(edit, history, seams.dialogs), objective_(scenario, edit, seams.dialogs),
      selection_(scenario),
      areas_(scenario, edit, history, seams.random, seams.sounds, selection_, areaClipboard_),
      pasteArea_(areas_) {
    dispatch_.Register(EditMode::ZoomPick, zoomPick_);
    dispatch_.Register(EditMode::PlacePrimary, placePrimary_);
    dispatch_.Register(EditMode::PlaceSecondary, placeSecondary_);
    dispatch_.Register(EditMode::FillPrimary, fillPrimary_);
    dispatch_.Register(EditMode::Units, units_);
    dispatch_.Register(EditMode::Reinforcements, reinforcements_);
    dispatch_.Register(EditMode::CopyUnit, copyUnit_);
    dispatch_.Register(EditMode::CutUnit, cutUnit_);
    dispatch_.Register(EditMode::PasteUnit, pasteUnit_);
    dispatch_.Register(EditMode::MoveUnit, moveUnit_);
    dispatch_.Register(EditMode::Caltrops, caltrops_);
    dispatch_.Register(EditMode::Stakes, stakes_);
    dispatch_.Register(EditMode::MapText, mapText_);
    dispatch_.Register(EditMode::Structures, structures_);
    dispatch_.Register(EditMode::Objective, objective_);
    dispatch_.Register(EditMode::PasteArea, pasteArea_);
    history_.AddListener(&selection_);
}

EditSession::~EditSession() {
    history_.RemoveListener(&selection_);
}

} // namespace k2
