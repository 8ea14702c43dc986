// The follower of the edit history that keeps the picture true: after every completed step,
// undo and redo (and each hex of a stroke as it is painted) it draws again what the change
// touched, in the map view and the overview, and refreshes the hover line.
#pragma once

#include "core/edit_state.h"
#include "edit/edit_history.h"
#include "view/map_refresh.h"

namespace k2 {

class MapRenderer;
class MapView;
class OverviewPanel;

class MapRefresher : public HistoryListener {
  public:
    MapRefresher(MapView& view, MapRenderer& renderer, const DisplaySwitches& switches)
        : view_(view), renderer_(renderer), planner_(switches.Elevation) {}
    void SetOverview(OverviewPanel* overview) { overview_ = overview; }

    void HistoryChanged(const StepChange& change) override { Show(planner_.Completed(change)); }
    void StepProgressed(const StepChange& change) override { Show(planner_.Progressed(change)); }

  private:
    void Show(const RedrawPlan& plan);

    MapView& view_;
    MapRenderer& renderer_;
    RedrawPlanner planner_;
    OverviewPanel* overview_ = nullptr;
};

} // namespace k2
