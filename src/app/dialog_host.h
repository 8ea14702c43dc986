// The dialogs of the editing half, each created at its first use and kept for the run: the ones a map click
// opens (unit editor, map text) as the modes' seams, and the ones a menu command opens.
#pragma once

#include "app/command_screen.h"
#include "app/edit_commands.h"
#include "app/editor_context.h"
#include "edit/edit_session.h"
#include "forces/unit_editor_logic.h"
#include "forces/unit_editor_opener.h"
#include "generate/role_table.h"

class QWidget;

namespace k2 {

class TAddUnit;
class TAddLocation;
class TSelectHxMrk;
class TAddBase;
class TAddVHex;
class TVicHexes;
class TFactionOB;
class TRForceRoster;
class TStats;
class TDefStats;
class TGenerateTerrain;

class DialogHost : public ModeDialogs,
                   public DefinitionTablesOpener,
                   public UnitEditorOpener,
                   public MenuDialogs {
  public:
    DialogHost(EditorContext& context, CommandScreen& screen, QWidget* parent);
    ~DialogHost() override;

    // ModeDialogs
    DialogResult RunUnitEditor(bool reinforcementUse) override;
    DialogResult RunMapTextDialog() override;
    StructureDialogOutcome RunStructureDialog() override;
    DialogResult RunObjectiveDialog() override;
    void SetInfoText(const std::string& text) override { screen_.SetInfoText(text); }
    // DefinitionTablesOpener
    void ShowDefinitionTable(int32_t table) override;
    // UnitEditorOpener: the order of battle's double-click, one undo step of its own.
    DialogResult OpenUnitEditor(int32_t unit) override;

    // Menu commands.
    DialogResult RunSpecialHexMarkers() override;
    DialogResult RunMapTrimmer() override;
    DialogResult RunObjectiveStatus() override;
    DialogResult RunOrderOfBattle(int32_t side) override;
    DialogResult RunReinforcementSchedule(int32_t side) override;
    void RunArmyStatistics() override;
    DialogResult RunGenerateTerrain() override;
    std::string TerrainGeneratorProblem() override;

    TAddUnit& UnitEditor();

  private:
    template <typename Dialog, typename... Args> Dialog& Made(Dialog*& slot, Args&&... args);

    EditorContext& context_;
    CommandScreen& screen_;
    QWidget* parent_;
    TAddUnit* unitEditor_ = nullptr;
    TAddLocation* mapText_ = nullptr;
    TSelectHxMrk* markers_ = nullptr;
    TAddBase* structures_ = nullptr;
    TAddVHex* objective_ = nullptr;
    TVicHexes* objectiveStatus_ = nullptr;
    TFactionOB* orderOfBattle_ = nullptr;
    TRForceRoster* schedule_ = nullptr;
    TStats* statistics_ = nullptr;
    TDefStats* definitions_ = nullptr;
    TGenerateTerrain* generator_ = nullptr;
    // The role table of the open battle's terrain set, read again when the set changes.
    RoleTable roles_;
    std::string rolesSet_;
    Status rolesRead_ = Status::Fail("");
    bool rolesTried_ = false;
};

} // namespace k2
