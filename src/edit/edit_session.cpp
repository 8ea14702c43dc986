#include "edit/edit_session.h"

namespace k2 {

EditSession::EditSession(Scenario& scenario, EditState& edit, EditHistory& history, const DisplaySwitches& switches,
                         EditSeams seams)
    : scenario_(scenario), edit_(edit), history_(history), seams_(seams),
      dispatch_(edit, history, seams.sounds, seams.redraw, switches), zoomPick_(edit, seams.zoom) {
    dispatch_.Register(EditMode::ZoomPick, zoomPick_);
}

EditSession::~EditSession() = default;

} // namespace k2
