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
    void SetInfoText(const std::string& text) override { info = text; }
    void SetHandCursor() override { ++handCursors; }
    std::map<std::string, bool> enabled;
    std::map<std::string, std::string> captions;
    std::string info;
    int handCursors = 0;
};

struct PickerRecorder : k2::TerrainPicker {
    void ShowModeless(int8_t use) override { calls.push_back("show " + std::to_string(use)); }
    int32_t RunFill() override {
        calls.push_back("fill");
        return result;
    }
    void ClosePicker() override { calls.push_back("close"); }
    void Refresh() override { calls.push_back("refresh"); }
    std::vector<std::string> calls;
    int32_t result = 1;
};

class EditCommandsTest : public ::testing::Test {
  protected:
    k2::test::EditFixture f{10, 10};
    ScreenRecorder screen;
    PickerRecorder picker;
    k2::EditCommands commands{
        k2::EditCommandParts{*f.history, f.session->Dispatch(), screen, f.edit, screen, picker}};
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
    picker.result = 2;
    commands.FillPrimaryTerrain();
    EXPECT_EQ(f.edit.Mode, EditMode::FillPrimary);
    EXPECT_EQ(f.edit.PickerUse, 2);
    EXPECT_EQ(screen.info, "Select Hex to Start Primary Terrain Fill.");
    EXPECT_THAT(picker.calls, ElementsAre("show 1", "show 3", "close", "fill"));
    EXPECT_EQ(screen.handCursors, 3);
}

TEST_F(EditCommandsTest, PromptsAreTheProgramsOwnTexts) {
    EXPECT_STREQ(k2::ModePrompt(EditMode::Stakes), "Select Hex to Add/Remove Stakes");
    EXPECT_STREQ(k2::ModePrompt(EditMode::MoveUnit), "Select Unit To Move.");
    EXPECT_STREQ(k2::ModePrompt(EditMode::ZoomPick), "");
}

TEST_F(EditCommandsTest, UndoAndRedoNameTheirStepAndRedraw) {
    commands.RefreshUndoCommands();
    EXPECT_FALSE(screen.enabled["Undo1"]);
    EXPECT_EQ(screen.captions["Undo1"], "Undo");

    f.history->Record("Place Primary Terrain", [&] { f.Cell(33).PrimaryTerrain = 4; });
    commands.RefreshUndoCommands();
    EXPECT_TRUE(screen.enabled["Undo1"]);
    EXPECT_EQ(screen.captions["Undo1"], "Undo Place Primary Terrain");

    commands.Undo();
    EXPECT_EQ(f.Cell(33).PrimaryTerrain, 0);
    EXPECT_THAT(f.redraw.redrawn, ElementsAre(33));
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

} // namespace
