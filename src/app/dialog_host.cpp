#include "app/dialog_host.h"
#include "edit/edit_names.h"

#include "edit/dialogs/generate_terrain_dialog.h"
#include "edit/dialogs/map_text_dialog.h"
#include "edit/dialogs/map_trimmer_dialog.h"
#include "edit/dialogs/marker_dialog.h"
#include "edit/dialogs/objective_dialogs.h"
#include "edit/dialogs/structure_dialog.h"
#include "forces/dialogs/army_stats_dialog.h"
#include "forces/dialogs/definition_tables_dialog.h"
#include "forces/dialogs/force_roster_dialog.h"
#include "forces/dialogs/unit_editor_dialog.h"
#include "forces/unit_ratings.h"

namespace k2 {

DialogHost::DialogHost(EditorContext& context, CommandScreen& screen, QWidget* parent)
    : context_(context), screen_(screen), parent_(parent) {}

// Each dialog is made at its first use, so that none of them costs the editor's start-up.
template <typename Dialog, typename... Args> Dialog& DialogHost::Made(Dialog*& slot, Args&&... args) {
    if (!slot) slot = new Dialog(std::forward<Args>(args)..., parent_);
    return *slot;
}

TAddUnit& DialogHost::UnitEditor() {
    EditorContext& c = context_;
    return Made(unitEditor_, c.Battle(), c.Edit(), c.Equipment(), c.Symbols(), c.Sounds(), c.Boxes(),
                static_cast<DefinitionTablesOpener&>(*this));
}

DialogResult DialogHost::OpenUnitEditor(int32_t unit) {
    Scenario& battle = context_.Battle();
    if (unit < 1 || unit > battle.UnitCount) return DialogResult::Cancel;
    EditHistory::Step unitStep(context_.History(), step::Units);
    context_.History().Touch(); // opening the editor counts as a change, as from the map
    return UnitEditor().RunForUnit(unit);
}

DialogResult DialogHost::RunOrderOfBattle(int32_t side) {
    EditHistory& history = context_.History();
    Scenario& battle = context_.Battle();
    const EquipmentTables& equipment = context_.Equipment();
    // The sort before the list is a step of its own, so looking can be undone too.
    const int32_t outcome =
        Made(orderOfBattle_, context_.Battle(), context_.Equipment(), context_.Boxes(), context_.Sounds(),
             static_cast<UnitEditorOpener&>(*this))
            .Run(side, [&] { history.Record(step::SortUnits, [&] { SortUnits(battle, equipment); }); });
    return outcome == RosterRedrawMap ? DialogResult::Ok : DialogResult::Cancel;
}

DialogResult DialogHost::RunReinforcementSchedule(int32_t side) {
    const int32_t outcome = Made(schedule_, context_.Battle(), context_.Equipment(), context_.Boxes(),
                                 context_.Sounds(), static_cast<UnitEditorOpener&>(*this))
                                .Run(side);
    return outcome == RosterRedrawMap ? DialogResult::Ok : DialogResult::Cancel;
}

void DialogHost::RunArmyStatistics() {
    Made(statistics_, context_.Battle(), context_.Equipment()).Run();
}

StructureDialogOutcome DialogHost::RunStructureDialog() {
    return Made(structures_, context_.Battle(), context_.Symbols(), context_.Edit()).RunStructureDialog();
}

DialogResult DialogHost::RunObjectiveDialog() {
    return Made(objective_, context_.Battle(), context_.Edit()).RunObjectiveDialog();
}

DialogResult DialogHost::RunObjectiveStatus() {
    return Made(objectiveStatus_, context_.Battle(), context_.Sounds()).Run();
}

DialogResult DialogHost::RunMapTrimmer() {
    // Created for each use: its logic starts from the battle as it is now.
    TMapInfo trimmer(context_.Battle(), context_.History(), context_.Sounds(), context_.Boxes(), parent_);
    return trimmer.Run();
}

std::string DialogHost::TerrainGeneratorProblem() {
    // Asked when the history starts afresh on another battle, which may be before its symbols load.
    const Scenario& battle = context_.Battle();
    if (battle.HexCount <= 0) return "No battle is open.";
    const std::string set = battle.TerrainSetName.Str();
    if (!rolesTried_ || set != rolesSet_) {
        rolesTried_ = true;
        rolesSet_ = set;
        // The dialog refers to roles_: only a table read whole replaces it.
        RoleTable read;
        rolesRead_ = ReadRoleTable(RoleTableFile(context_.InstallDir(), set), read);
        if (rolesRead_) roles_ = std::move(read);
    }
    if (!rolesRead_) return rolesRead_.message;
    const Status input = CheckGeneratorInput(battle, roles_);
    return input ? std::string() : input.message;
}

DialogResult DialogHost::RunGenerateTerrain() {
    std::string problem = TerrainGeneratorProblem();
    if (problem.empty()) {
        const Status fits = CheckRoleTableFits(roles_, context_.Symbols().TerrainCount(),
                                               context_.Battle().TerrainSetName.View());
        problem = fits ? std::string() : fits.message;
    }
    if (!problem.empty()) {
        context_.Boxes().ShowPlain("Warning", problem);
        return DialogResult::Cancel;
    }
    // Kept for the run, so that the sliders are where they were left.
    return Made(generator_, context_.Battle(), roles_, context_.History(), context_.Random(),
                context_.Boxes())
        .Run();
}

// The dialogs are children of the main window, which frees them.
DialogHost::~DialogHost() = default;

DialogResult DialogHost::RunUnitEditor(bool reinforcementUse) {
    return UnitEditor().Run(reinforcementUse);
}

DialogResult DialogHost::RunMapTextDialog() {
    return Made(mapText_, context_.Battle(), context_.Edit(), context_.History(), context_.Symbols(),
                context_.Sounds(), context_.Boxes())
        .Run();
}

DialogResult DialogHost::RunSpecialHexMarkers() {
    return Made(markers_, context_.Battle(), context_.Symbols(), context_.History()).Run();
}

void DialogHost::ShowDefinitionTable(int32_t table) {
    if (table < 1 || table > 4) return;
    Made(definitions_, context_.Equipment(), context_.Sounds()).Run(DefTable(table));
}

} // namespace k2
