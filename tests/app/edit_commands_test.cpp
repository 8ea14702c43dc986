#include "app/edit_commands.h"

#include "../edit/edit_fixture.h"
#include "app/command_names.h"

#include <gmock/gmock.h>

#include <map>

namespace {

using k2::EditMode;
using ::testing::ElementsAre;

struct ScreenRecorder : k2::CommandScreen, k2::ModeScreen {
    void SetCommandEnabled(std::string_view name, bool on) override { enabled[std::string(name)] = on; }
    void SetCommandCaption(std::string_view name, const std::string& text) override {
        captions[std::string(name)] = text;
    }
    void SetCommandTip(std::string_view name, const std::string& tip) override {
        tips[std::string(name)] = tip;
    }
    void SetInfoText(const std::string& text) override { info = text; }
    void ShowNotice(const std::string& text) override { notices.push_back(text); }
    void SetHandCursor() override { ++handCursors; }
    void MarkMovePick(int32_t hex) override { movePick = hex; }
    void ShowFromViewOrigin() override { ++viewSetUps; }
    std::map<std::string, bool> enabled;
    std::map<std::string, std::string> captions;
    std::map<std::string, std::string> tips;
    std::string info;
    std::vector<std::string> notices;
    int handCursors = 0;
    int viewSetUps = 0;
    int32_t movePick = k2::NoSymbol;
};

struct PickerRecorder : k2::TerrainPicker {
    void ShowModeless(int8_t use) override { calls.push_back("show " + std::to_string(use)); }
    k2::DialogResult RunFill() override {
        calls.push_back("fill");
        return result;
    }
    void ClosePicker() override { calls.push_back("close"); }
    void Refresh() override { calls.push_back("refresh"); }
    std::vector<std::string> calls;
    k2::DialogResult result = k2::DialogResult::Ok;
};

struct MenuDialogRecorder : k2::MenuDialogs {
    k2::DialogResult RunSpecialHexMarkers() override { return Note("markers", k2::DialogResult::Ok); }
    k2::DialogResult RunMapTrimmer() override { return Note("trimmer", k2::DialogResult::Ok); }
    k2::DialogResult RunObjectiveStatus() override { return Note("status", k2::DialogResult::Ok); }
    k2::DialogResult RunOrderOfBattle(int32_t side) override {
        return Note("oob " + std::to_string(side), rosterResult);
    }
    k2::DialogResult RunReinforcementSchedule(int32_t side) override {
        return Note("schedule " + std::to_string(side), k2::DialogResult::Cancel);
    }
    void RunArmyStatistics() override { Note("statistics", k2::DialogResult::Ok); }
    k2::DialogResult RunGenerateTerrain() override { return Note("generate", k2::DialogResult::Ok); }
    std::string TerrainGeneratorProblem() override { return generatorProblem; }
    k2::DialogResult Note(const std::string& what, k2::DialogResult result) {
        opened.push_back(what);
        return result;
    }
    std::vector<std::string> opened;
    k2::DialogResult rosterResult = k2::DialogResult::Cancel;
    std::string generatorProblem;
};

class EditCommandsTest : public ::testing::Test {
  protected:
    k2::test::EditFixture f{10, 10};
    ScreenRecorder screen;
    PickerRecorder picker;
    MenuDialogRecorder dialogs;
    k2::EditCommands commands{
        k2::EditCommandParts{*f.history, *f.session, screen, f.edit, screen, picker, dialogs, *f.battle}};
};

TEST_F(EditCommandsTest, TerrainCommandsEnterTheirModesWithPromptAndPicker) {
    commands.PlacePrimaryTerrain();
    EXPECT_EQ(f.edit.Mode, EditMode::PlacePrimary);
    EXPECT_EQ(f.edit.PickerUse, 1);
    EXPECT_EQ(screen.info, "Select Hex to Place Primary Terrain.");
    EXPECT_TRUE(screen.enabled[std::string(k2::cmd::FillPrimary)]);

    commands.PlaceSecondaryTerrain();
    EXPECT_EQ(f.edit.Mode, EditMode::PlaceSecondary);
    EXPECT_EQ(f.edit.PickerUse, 3);
    EXPECT_EQ(screen.info, "Select Hex to Add Secondary Terrain (Left Click Adds/Right Click Removes).");

    // Cancelling the fill's picker still enters the fill mode.
    picker.result = k2::DialogResult::Cancel;
    commands.FillPrimaryTerrain();
    EXPECT_EQ(f.edit.Mode, EditMode::FillPrimary);
    EXPECT_EQ(f.edit.PickerUse, 2);
    EXPECT_EQ(screen.info, "Select Hex to Start Primary Terrain Fill.");
    EXPECT_THAT(picker.calls, ElementsAre("show 1", "show 3", "close", "fill"));
    EXPECT_EQ(screen.handCursors, 3);
}

TEST_F(EditCommandsTest, ModesThatOpenDialogsOrMoveUnitsCloseThePicker) {
    struct Case {
        void (k2::EditCommands::*command)();
        EditMode mode;
        bool closesPicker;
        bool marksModified;
    };
    const Case cases[] = {
        {&k2::EditCommands::AddModifyUnits, EditMode::Units, true, false},
        {&k2::EditCommands::AddModifyReinforcements, EditMode::Reinforcements, true, false},
        {&k2::EditCommands::CopyUnit, EditMode::CopyUnit, true, false},
        {&k2::EditCommands::CutUnit, EditMode::CutUnit, true, false},
        {&k2::EditCommands::PasteUnit, EditMode::PasteUnit, true, false},
        {&k2::EditCommands::MoveUnit, EditMode::MoveUnit, true, false},
        {&k2::EditCommands::AddModifyMapText, EditMode::MapText, true, false},
        {&k2::EditCommands::AddModifyStructures, EditMode::Structures, true, false},
        {&k2::EditCommands::SetModifyObjective, EditMode::Objective, false, false},
        {&k2::EditCommands::PlaceCaltrops, EditMode::Caltrops, false, true},
        {&k2::EditCommands::PlantStakes, EditMode::Stakes, false, true},
    };
    for (const Case& c : cases) {
        picker.calls.clear();
        f.history->MarkSaved();
        f.edit.MoveSourceUnit = 7;
        (commands.*c.command)();
        EXPECT_EQ(f.edit.Mode, c.mode);
        EXPECT_EQ(screen.info, k2::ModePrompt(c.mode));
        EXPECT_EQ(picker.calls == std::vector<std::string>{"close"}, c.closesPicker) << int(c.mode);
        EXPECT_EQ(f.history->Modified(), c.marksModified) << int(c.mode);
        // Choosing Move Unit again forgets a picked unit.
        if (c.mode == EditMode::MoveUnit) {
            EXPECT_EQ(f.edit.MoveSourceUnit, 0);
        }
    }
}

TEST_F(EditCommandsTest, MenuDialogsAndTheObjectiveItem) {
    commands.SetSpecialHexMarkers();
    commands.WesternOrderOfBattle();
    commands.EasternOrderOfBattle();
    commands.EasternSchedule();
    commands.ArmyStatistics();
    f.battle->ViewOriginHex = 44;
    f.battle->ZoomLevel = 2;
    commands.MapTrimmer();
    EXPECT_EQ(f.battle->ViewOriginHex, 0);
    EXPECT_EQ(f.battle->ZoomLevel, 0);
    EXPECT_THAT(dialogs.opened,
                ElementsAre("markers", "oob 1", "oob 2", "schedule 2", "statistics", "trimmer"));

    // "Paste Unit" comes with the first copy; the objective's status item follows the objective.
    EXPECT_FALSE(screen.enabled["PasteUnit1"]);
    f.battle->Units[1].Hex = 33;
    f.battle->UnitCount = 1;
    f.Cell(33).Unit = 1;
    f.history->Reset();
    f.edit.Mode = EditMode::CopyUnit;
    f.Click(33);
    EXPECT_TRUE(screen.enabled["PasteUnit1"]);
    commands.RefreshCommands();
    EXPECT_FALSE(screen.enabled["ObjectiveList"]);
    f.history->Record("Set/Modify Terrain Objective", [&] {
        f.battle->ObjectiveCount = 1;
        f.battle->Objectives[1].Hex = 40;
        f.Cell(40).Objective = 1;
    });
    EXPECT_TRUE(screen.enabled["ObjectiveList"]);
    commands.Undo();
    EXPECT_FALSE(screen.enabled["ObjectiveList"]);
}

TEST_F(EditCommandsTest, GenerateTerrainWaitsForARoleTableAndSaysWhy) {
    dialogs.generatorProblem = "The terrain set MOOR has no role table (MOOR.roles).";
    commands.RefreshCommands();
    EXPECT_FALSE(screen.enabled["GenerateTerrain1"]);
    EXPECT_EQ(screen.tips["GenerateTerrain1"], dialogs.generatorProblem);
    dialogs.generatorProblem.clear();
    f.history->Reset();
    EXPECT_TRUE(screen.enabled["GenerateTerrain1"]) << "another battle, another terrain set";
    EXPECT_EQ(screen.tips["GenerateTerrain1"], "");
    commands.GenerateTerrain();
    EXPECT_THAT(dialogs.opened, ElementsAre("generate"));
}

TEST_F(EditCommandsTest, PromptsAreTheProgramsOwnTexts) {
    EXPECT_EQ(k2::ModePrompt(EditMode::Stakes), "Select Hex to Add/Remove Stakes");
    EXPECT_EQ(k2::ModePrompt(EditMode::MoveUnit), "Select Unit To Move.");
    EXPECT_EQ(k2::ModePrompt(EditMode::ZoomPick), "");
}

TEST_F(EditCommandsTest, UndoAndRedoNameTheirStepAndRedraw) {
    commands.RefreshCommands();
    EXPECT_FALSE(screen.enabled["Undo1"]);
    EXPECT_EQ(screen.captions["Undo1"], "Undo");

    f.history->Record("Place Primary Terrain", [&] { f.Cell(33).PrimaryTerrain = 4; });
    EXPECT_TRUE(screen.enabled["Undo1"]);
    EXPECT_EQ(screen.captions["Undo1"], "Undo Place Primary Terrain");

    commands.Undo();
    EXPECT_EQ(f.Cell(33).PrimaryTerrain, 0);
    EXPECT_THAT(f.redraw.redrawn, ElementsAre(33, 33)); // the step, then its undo
    EXPECT_FALSE(screen.enabled["Undo1"]);
    EXPECT_EQ(screen.captions["Redo1"], "Redo Place Primary Terrain");

    // Not while a stroke is under way.
    f.edit.Mode = EditMode::PlacePrimary;
    f.session->Dispatch().Press(true, k2::MapButton::Left, 44);
    commands.Redo();
    EXPECT_EQ(f.Cell(33).PrimaryTerrain, 0);
    f.session->Dispatch().Release();
    commands.Redo();
    EXPECT_EQ(f.history->UndoName(), "Place Primary Terrain");

    // A step that changed the terrain definitions refreshes the picker.
    f.history->Record("Edit Terrain Definition", [&] { f.battle->TerrainDefs[3].elevation = 2; });
    commands.Undo();
    EXPECT_EQ(picker.calls.back(), "refresh");
}

// What a click leaves on the screen besides the map: the reason of a refusal, the unit on the
// clipboard, the outline of the unit Move Unit picked.
TEST_F(EditCommandsTest, ClicksSayWhyTheyAreRefusedWhatIsCopiedAndWhichUnitIsPicked) {
    f.battle->UnitCount = 1;
    f.battle->Units[1].Hex = 33;
    f.battle->Units[1].Name = "Red Lancers";
    f.battle->Units[1].Side = k2::SideEastern;
    f.Cell(33).Unit = 1;
    f.history->Reset();

    f.Select(EditMode::PlacePrimary, 1, 4);
    const k2::ClickOutcome border = commands.MapPressed(true, k2::MapButton::Left, 0);
    f.session->Dispatch().Release();
    ASSERT_TRUE(border.Refused);
    EXPECT_THAT(screen.notices, ElementsAre(border.Reason));
    EXPECT_FALSE(border.Reason.empty());
    // A stroke dragged on to the border says it too; an accepted hex says nothing.
    commands.MapPressed(true, k2::MapButton::Left, 44);
    commands.MapDragged(45);
    commands.MapDragged(9);
    f.session->Dispatch().Release();
    EXPECT_EQ(screen.notices.size(), 2u);

    screen.notices.clear();
    commands.CopyUnit();
    commands.MapPressed(true, k2::MapButton::Left, 33);
    EXPECT_THAT(screen.notices, ElementsAre("Red Lancers (Eastern) is on the unit clipboard."));

    commands.MoveUnit();
    commands.MapPressed(true, k2::MapButton::Left, 33);
    EXPECT_EQ(screen.movePick, 33);
    commands.MapPressed(true, k2::MapButton::Left, 55);
    EXPECT_EQ(screen.movePick, k2::NoSymbol);
    EXPECT_EQ(f.battle->Units[1].Hex, 55);
    // A pick left by choosing another mode loses its outline.
    commands.MapPressed(true, k2::MapButton::Left, 55);
    EXPECT_EQ(screen.movePick, 55);
    commands.AddModifyUnits();
    EXPECT_EQ(screen.movePick, k2::NoSymbol);
}

// Stakes stand over the neighbouring hexes: their undo and redo draw the whole map.
TEST_F(EditCommandsTest, UndoOfStakesDrawsTheWholeMap) {
    f.history->Record("Plant Archer Stakes", [&] { f.Cell(44).Stakes = 122; });
    const int before = f.redraw.fullRenders;
    commands.Undo();
    EXPECT_EQ(f.redraw.fullRenders, before + 1);
    commands.Redo();
    EXPECT_EQ(f.redraw.fullRenders, before + 2);
    EXPECT_EQ(f.Cell(44).Stakes, 122);
    // Caltrops sit on their own hex: one hex is enough.
    f.history->Record("Place Caltrops", [&] { f.Cell(45).Caltrops = 29; });
    commands.Undo();
    EXPECT_EQ(f.redraw.fullRenders, before + 2);
    EXPECT_EQ(f.redraw.redrawn.back(), 45);
}

} // namespace
