// What the map draws again after a change of the battle, decided from the change alone: the
// one rule behind every redraw that follows an edit, an undo or a redo.
#pragma once

#include "core/scenario_diff.h"

#include <cstddef>
#include <cstdint>
#include <unordered_set>
#include <vector>

namespace k2 {

enum class Redraw {
    Nothing,
    // Only the listed hexes, then present.
    Hexes,
    // A full render.
    WholeMap,
    // The grid changed size: the view is set up again for it, then a full render.
    SetUpAgain,
};

struct RedrawPlan {
    Redraw What = Redraw::Nothing;
    std::vector<int32_t> Hexes;
};

class RedrawPlanner {
  public:
    // More changed hexes than this are cheaper drawn by a full render.
    static constexpr std::size_t MaxSingleRedraws = 64;

    // `elevationShown`: the elevation display shades each hex by its neighbours, so a changed
    // hex changes how the hexes around it look.
    explicit RedrawPlanner(const bool& elevationShown) : elevation_(elevationShown) {}

    // Part of a step still open (a hex of a stroke): shown at once.
    RedrawPlan Progressed(const StepChange& change);
    // A step completed, or an undo or redo: what was shown of it while it was open is not
    // drawn again (a long stroke ends without a full render).
    RedrawPlan Completed(const StepChange& change);

  private:
    RedrawPlan Plan(const StepChange& change, std::vector<int32_t> hexes) const;

    const bool& elevation_;
    std::unordered_set<int32_t> shown_;
};

} // namespace k2
