// TMapInfo: the map trimmer, which shows the battle's counts and cuts rows and columns off the
// map's edges or adds them. Each button press is one undo step of its own; after a press that
// changed the map the view is set up for the new size.
#pragma once

#include "core/platform.h"
#include "edit/edit_history.h"
#include "edit/map_click_dispatch.h"
#include "edit/map_trimmer_logic.h"

#include <QDialog>

#include <map>
#include <string>

class QLabel;

namespace k2 {

// The result of Exit: the map is drawn again.
constexpr int32_t MapInfoResultExit = 1;

class TMapInfo : public QDialog {
    Q_OBJECT
  public:
    TMapInfo(Scenario& scenario, EditHistory& history, SoundPlayer& sounds, MessageBoxes& boxes,
             QWidget* parent = nullptr);

    // Shows the trimmer modally. The caller resets the view to its origin and draws the map
    // first. Each press was a step of its own; Ok when it closed by Exit.
    DialogResult Run();
    // The activation on its own, for a non-modal show (tests).
    void Prepare();

    MapTrimmerLogic& Logic() { return logic_; }

  private:
    void Press(bool grow, MapEdge edge);
    void RefreshCounts();

    MapTrimmerLogic logic_;
    EditHistory& history_;
    SoundPlayer& sounds_;
    MessageBoxes& boxes_;
    std::map<std::string, QLabel*> counts_;
};

} // namespace k2
