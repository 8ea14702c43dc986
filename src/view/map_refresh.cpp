#include "view/map_refresh.h"

#include <utility>

namespace k2 {

RedrawPlan RedrawPlanner::Plan(const StepChange& change, std::vector<int32_t> hexes) const {
    if (!change.Changed) return {};
    if (change.Resized) return {Redraw::SetUpAgain, {}};
    if (change.WholeMap || (elevation_ && !hexes.empty()) || hexes.size() > MaxSingleRedraws)
        return {Redraw::WholeMap, {}};
    if (hexes.empty()) return {};
    return {Redraw::Hexes, std::move(hexes)};
}

RedrawPlan RedrawPlanner::Progressed(const StepChange& change) {
    if (change.Changed) shown_.insert(change.Hexes.begin(), change.Hexes.end());
    return Plan(change, change.Hexes);
}

RedrawPlan RedrawPlanner::Completed(const StepChange& change) {
    std::unordered_set<int32_t> shown = std::exchange(shown_, {});
    // An undo, redo or rollback took the battle somewhere the picture has not been.
    if (change.Replayed || change.WholeMap || change.Resized) return Plan(change, change.Hexes);
    std::vector<int32_t> hexes;
    for (int32_t hex : change.Hexes)
        if (!shown.count(hex)) hexes.push_back(hex);
    return Plan(change, std::move(hexes));
}

} // namespace k2
