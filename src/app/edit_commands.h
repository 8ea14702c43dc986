// The Edit menu and the edit-mode commands of the main window, one method per item, apart from
// the widgets: undo and redo with their captions, and the commands that put the map into an
// edit mode with its prompt, cursor and terrain picker.
#pragma once

#include "app/area_commands.h"
#include "app/command_screen.h"
#include "app/command_table.h"
#include "core/edit_state.h"
#include "edit/edit_history.h"
#include "edit/edit_names.h"
#include "edit/edit_session.h"

#include <cstdint>
#include <string>

namespace k2 {

// The terrain picker window as the commands use it.
class TerrainPicker {
  public:
    virtual ~TerrainPicker() = default;
    // Beside the map, without OK and Cancel, for the Primary (1) or Secondary (3) use.
    virtual void ShowModeless(int8_t use) = 0;
    // Modal for the Fill use.
    virtual DialogResult RunFill() = 0;
    virtual void ClosePicker() = 0;
    // The definitions or the symbol set changed under it (undo, redo, another battle).
    virtual void Refresh() = 0;
};

// The dialogs that menu commands open (rather than a click on the map).
class MenuDialogs {
  public:
    virtual ~MenuDialogs() = default;
    virtual DialogResult RunSpecialHexMarkers() = 0;
    virtual DialogResult RunMapTrimmer() = 0;
    virtual DialogResult RunObjectiveStatus() = 0;
    // Ok when a unit editor session opened from the list changed the battle.
    virtual DialogResult RunOrderOfBattle(int32_t side) = 0;
    virtual DialogResult RunReinforcementSchedule(int32_t side) = 0;
    virtual void RunArmyStatistics() = 0;
    // Terrain > Generate Terrain; Ok when the terrain was generated.
    virtual DialogResult RunGenerateTerrain() = 0;
    // Why the open battle's terrain cannot be generated (no battle, no role table for its terrain
    // set, a damaged one), or "" when it can.
    virtual std::string TerrainGeneratorProblem() = 0;
};

// What the mode commands ask of the map besides the menus.
class ModeScreen {
  public:
    virtual ~ModeScreen() = default;
    virtual void SetHandCursor() = 0;
    // Outlines the hex of the unit that Move Unit picked (NoSymbol: no outline).
    virtual void MarkMovePick(int32_t hex) = 0;
    // Sets the view up again from the battle's view origin and zoom.
    virtual void ShowFromViewOrigin() = 0;
};

struct EditCommandParts {
    EditHistory& history;
    EditSession& session;
    CommandScreen& screen;
    EditState& edit;
    ModeScreen& map;
    TerrainPicker& picker;
    MenuDialogs& dialogs;
    Scenario& scenario;
};

// The commands follow the history: every completed step, undo and redo refreshes the items
// that depend on the battle.
class EditCommands : public EditCommandTarget, private HistoryListener {
  public:
    // Enables "Paste Unit" with the first copy or cut of the run.
    explicit EditCommands(EditCommandParts parts);
    ~EditCommands() override;
    EditCommands(const EditCommands&) = delete;
    EditCommands& operator=(const EditCommands&) = delete;

    void Undo() override;
    void Redo() override;

    // Terrain menu.
    void PlacePrimaryTerrain() override;
    void PlaceSecondaryTerrain() override;
    void FillPrimaryTerrain() override;

    // Units menu.
    void AddModifyUnits() override;
    void AddModifyReinforcements() override;
    void CopyUnit() override;
    void CutUnit() override;
    void PasteUnit() override;
    void MoveUnit() override;

    // Special Hexes and Map Text menus.
    void SetSpecialHexMarkers() override;
    void PlaceCaltrops() override;
    void PlantStakes() override;
    void AddModifyMapText() override;
    void AddModifyStructures() override;
    void SetModifyObjective() override;
    void ObjectiveStatus() override;
    void MapTrimmer() override;
    void GenerateTerrain() override;
    void WesternOrderOfBattle() override { OrderOfBattle(SideWestern); }
    void EasternOrderOfBattle() override { OrderOfBattle(SideEastern); }
    void WesternSchedule() override { Schedule(SideWestern); }
    void EasternSchedule() override { Schedule(SideEastern); }
    void ArmyStatistics() override;

    // Map areas (Edit menu) and the brush (Terrain menu), carried out by the area commands.
    void SetAreaCommands(AreaCommands* areas) { areas_ = areas; }
    void SelectMapArea() override { Areas(&AreaCommands::SelectMapArea); }
    void SelectAll() override { Areas(&AreaCommands::SelectAll); }
    void SelectNone() override { Areas(&AreaCommands::SelectNone); }
    void InvertSelection() override { Areas(&AreaCommands::InvertSelection); }
    void CopyMapArea() override { Areas(&AreaCommands::CopyMapArea); }
    void CutMapArea() override { Areas(&AreaCommands::CutMapArea); }
    void DeleteMapArea() override { Areas(&AreaCommands::DeleteMapArea); }
    void PasteMapArea() override { Areas(&AreaCommands::PasteMapArea); }
    void FillSelection() override { Areas(&AreaCommands::FillSelection); }
    void SmallerBrush() override { Areas(&AreaCommands::SmallerBrush); }
    void LargerBrush() override { Areas(&AreaCommands::LargerBrush); }

    // Brings the items that follow the battle up to date: Undo and Redo enabled when there is
    // a step to act on, captions naming it ("Undo Place Primary Terrain"), the objective's
    // status item enabled while the battle has an objective, and Generate Terrain while the
    // battle's terrain set has a role table, with a tip saying why not.
    void RefreshCommands();
    void HistoryChanged(const StepChange& change) override;

    // A button went down on the map over `hex`, or the pointer dragged on to `hex` with it held:
    // the click dispatch carries it out; a refused click says why in the info bar, the objective
    // item and the move pick's outline follow.
    ClickOutcome MapPressed(bool battleActive, MapButton button, int32_t hex);
    ClickOutcome MapDragged(int32_t hex);

    // The info bar's words for the unit that Copy Unit or Cut Unit put on the clipboard.
    static std::string ClipboardNotice(const UnitRecord& unit);

    static std::string UndoCaption(const std::string& step);
    static std::string RedoCaption(const std::string& step);

  private:
    void EnterMode(EditMode mode);
    void OrderOfBattle(int32_t side);
    void Schedule(int32_t side);
    // A mode whose clicks open dialogs or change units: the terrain picker closes first.
    void EnterModeWithoutPicker(EditMode mode);
    MapClickDispatch& Dispatch() { return parts_.session.Dispatch(); }
    void AfterClick(const ClickOutcome& outcome);

    void Areas(void (AreaCommands::*command)()) {
        if (areas_) (areas_->*command)();
    }

    EditCommandParts parts_;
    AreaCommands* areas_ = nullptr;
};

} // namespace k2
