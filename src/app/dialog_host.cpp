#include "app/dialog_host.h"

#include "edit/map_text_dialog.h"
#include "edit/map_trimmer_dialog.h"
#include "edit/marker_dialog.h"
#include "edit/objective_dialogs.h"
#include "edit/structure_dialog.h"
#include "forces/army_stats_dialog.h"
#include "forces/definition_tables_dialog.h"
#include "forces/force_roster_dialog.h"
#include "forces/unit_editor_dialog.h"
#include "forces/unit_ratings.h"

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
    orderOfBattle_ = new TFactionOB(context.Battle(), context.Equipment(), context.Boxes(), context.Sounds(), *this, parent);
    schedule_ = new TRForceRoster(context.Battle(), context.Equipment(), context.Boxes(), context.Sounds(), *this, parent);
    statistics_ = new TStats(context.Battle(), context.Equipment(), parent);
    definitions_ = new TDefStats(context.Equipment(), context.Sounds(), parent);
}

int32_t DialogHost::OpenUnitEditor(int32_t unit) {
    Scenario& battle = context_.Battle();
    if (unit < 1 || unit > battle.UnitCount) return 0;
    EditHistory& history = context_.History();
    history.Begin();
    history.Touch(); // opening the editor counts as a change, as from the map
    const int32_t result = unitEditor_->RunForUnit(unit);
    history.Commit("Add/Modify Units");
    return result;
}

int32_t DialogHost::RunOrderOfBattle(int32_t side) {
    EditHistory& history = context_.History();
    Scenario& battle = context_.Battle();
    const EquipmentTables& equipment = context_.Equipment();
    // The sort before the list is a step of its own, so looking can be undone too.
    return orderOfBattle_->Run(side, [&] { history.Record("Sort Units", [&] { SortUnits(battle, equipment); }); });
}

int32_t DialogHost::RunReinforcementSchedule(int32_t side) {
    return schedule_->Run(side);
}

void DialogHost::RunArmyStatistics() {
    statistics_->Run();
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
    if (table < 1 || table > 4) return;
    definitions_->Run(DefTable(table));
}

} // namespace k2
