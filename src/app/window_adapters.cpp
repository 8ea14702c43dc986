#include "app/window_adapters.h"

#include "app/new_map_dialog.h"
#include "edit/dialogs/terrain_picker_dialog.h"
#include "graphics/ansi_text.h"
#include "graphics/symbol_set.h"
#include "view/map_view.h"

#include <QLabel>

namespace k2 {

DialogResult SettingsAdapter::Run(int32_t mode) {
    return dialog_().Run(mode == NewBattleMode ? NewMapMode::NewBattle : NewMapMode::Settings);
}

void MapAdapter::ShowFromViewOrigin() {
    view_.ShowBattle();
}

void MapAdapter::ZoomInAt(int32_t hex) {
    view_.ZoomInAt(hex);
}

void MapAdapter::SetZoomCursor(bool zoom) {
    view_.SetZoomCursor(zoom);
}

void MapAdapter::SetHandCursor() {
    view_.SetZoomCursor(false);
}

void MapAdapter::MarkMovePick(int32_t hex) {
    // Only the pick's own outline is taken away, not a hex marked by the check panel.
    if (hex == NoSymbol && !pickShown_) return;
    pickShown_ = hex != NoSymbol;
    view_.MarkHex(hex);
}

void MapAdapter::ShowPlacedTerrain(int32_t terrain) {
    if (!symbols_.IsTerrainSymbol(terrain)) return;
    if (QLabel* label = view_.findChild<QLabel*>("PrmTer"))
        label->setText(FromAnsi(symbols_.Terrain(terrain).Name.View()));
}

void PickerAdapter::ShowModeless(int8_t use) {
    picker_.ShowModeless(use);
}

DialogResult PickerAdapter::RunFill() {
    return picker_.RunFill();
}

void PickerAdapter::ClosePicker() {
    picker_.ClosePicker();
}

void PickerAdapter::Refresh() {
    picker_.Refresh();
}

} // namespace k2
