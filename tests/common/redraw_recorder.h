// Follows an edit history as the main window's map refresher does, by the same redraw rule,
// and counts what the map would draw.
#pragma once

#include "edit/edit_history.h"
#include "view/map_refresh.h"

#include <cstdint>
#include <vector>

namespace k2::test {

class RedrawRecorder : public HistoryListener {
  public:
    void HistoryChanged(const StepChange& change) override { Count(planner.Completed(change)); }
    void StepProgressed(const StepChange& change) override { Count(planner.Progressed(change)); }

    std::vector<int32_t> redrawn;
    int fullRenders = 0;
    int resizes = 0;
    // The elevation display, as the planner sees it.
    bool elevation = false;

  private:
    void Count(const RedrawPlan& plan) {
        switch (plan.What) {
        case Redraw::Nothing:
            break;
        case Redraw::Hexes:
            redrawn.insert(redrawn.end(), plan.Hexes.begin(), plan.Hexes.end());
            break;
        case Redraw::WholeMap:
            ++fullRenders;
            break;
        case Redraw::SetUpAgain:
            ++resizes;
            break;
        }
    }

  public:
    RedrawPlanner planner{elevation};
};

} // namespace k2::test
