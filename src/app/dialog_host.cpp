#include "app/dialog_host.h"

#include "edit/map_text_dialog.h"
#include "edit/map_trimmer_dialog.h"
#include "edit/marker_dialog.h"
#include "edit/objective_dialogs.h"
#include "edit/structure_dialog.h"
#include "forces/unit_editor_dialog.h"

namespace k2 {

DialogHost::DialogHost(EditorContext& context, CommandScreen& screen, QWidget* parent)
    : context_(context), screen_(screen), parent_(parent) {
    unitEditor_ = new TAddUnit(context.Battle(), context.Edit(), context.Equipment(), context.Symbols(),
                               context.Sounds(), context.Boxes(), *this, parent);
    mapText_ = new TAddLocation(context.Battle(), context.Edit(), context.History(), context.Symbols(),
                                context.Sounds(), context.Boxes(), parent);
    markers_ = new TSelectHxMrk(context.Battle(), context.Symbols(), context.History(), parent);
    structures_ = new TAddBase(context.Battle(), context.Symbols(), context.Edit(), parent);
    objective_ = new TAddVHex(context.Battle(), context.Edit(), parent);
    objectiveStatus_ = new TVicHexes(context.Battle(), context.Sounds(), parent);
}

StructureDialogOutcome DialogHost::RunStructureDialog() {
    return structures_->RunStructureDialog();
}

int32_t DialogHost::RunObjectiveDialog() {
    return objective_->RunObjectiveDialog();
}

int32_t DialogHost::RunObjectiveStatus() {
    return objectiveStatus_->Run();
}

int32_t DialogHost::RunMapTrimmer(MapRedraw& redraw) {
    // Created for each use: it is handed the map it redraws after each press.
    TMapInfo trimmer(context_.Battle(), context_.History(), context_.Sounds(), context_.Boxes(), redraw, parent_);
    return trimmer.Run();
}

// The dialogs are children of the main window, which frees them.
DialogHost::~DialogHost() = default;

int32_t DialogHost::RunUnitEditor(bool reinforcementUse) {
    return unitEditor_->Run(reinforcementUse);
}

int32_t DialogHost::RunMapTextDialog() {
    return mapText_->Run();
}

int32_t DialogHost::RunSpecialHexMarkers() {
    return markers_->Run();
}

void DialogHost::ShowDefinitionTable(int32_t table) {
    (void)table;
}

} // namespace k2
