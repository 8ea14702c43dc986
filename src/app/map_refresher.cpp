#include "app/map_refresher.h"

#include "graphics/map_renderer.h"
#include "view/map_view.h"
#include "view/overview_panel.h"

namespace k2 {

void MapRefresher::Show(const RedrawPlan& plan) {
    switch (plan.What) {
    case Redraw::Nothing:
        return;
    case Redraw::Hexes:
        for (int32_t hex : plan.Hexes)
            renderer_.RedrawHex(hex);
        view_.Present();
        if (overview_) overview_->HexesChanged(plan.Hexes);
        break;
    case Redraw::WholeMap:
        view_.DisplayMap();
        if (overview_) overview_->BattleChanged();
        break;
    case Redraw::SetUpAgain:
        view_.ShowBattle();
        if (overview_) overview_->BattleChanged();
        break;
    }
    // The hover line describes the hex under the pointer as it is now.
    view_.RefreshHover();
}

} // namespace k2
