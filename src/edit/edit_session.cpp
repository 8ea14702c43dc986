#include "edit/edit_session.h"

namespace k2 {

EditSession::EditSession(Scenario& scenario, EditState& edit, EditHistory& history, const DisplaySwitches& switches,
                         EditSeams seams)
    : scenario_(scenario), edit_(edit), history_(history), seams_(seams),
      dispatch_(edit, history, seams.sounds, seams.redraw, switches), zoomPick_(edit, seams.zoom),
      placePrimary_(scenario, edit, seams.random, history, seams.terrain),
      placeSecondary_(scenario, edit, seams.random, history),
      fillPrimary_(scenario, edit, seams.random, history, seams.boxes, seams.redraw) {
    dispatch_.Register(EditMode::ZoomPick, zoomPick_);
    dispatch_.Register(EditMode::PlacePrimary, placePrimary_);
    dispatch_.Register(EditMode::PlaceSecondary, placeSecondary_);
    dispatch_.Register(EditMode::FillPrimary, fillPrimary_);
}

EditSession::~EditSession() = default;

} // namespace k2
