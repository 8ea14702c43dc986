// The Structures and Objective modes' tools through the click dispatch: the dialog opens on the
// clicked hex, its session is one undo step, and the objective rule refuses other hexes.
#include "common/redraw_recorder.h"
#include "edit/edit_history.h"
#include "edit/objective_logic.h"
#include "edit/objective_tools.h"
#include "edit/structure_logic.h"
#include "edit/structure_tools.h"
#include "map_work_fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace k2;
using namespace k2test::mapwork;

struct FakeDialogs : StructureDialogs, ObjectiveDialogs {
    std::function<StructureDialogOutcome()> structure;
    std::function<int32_t()> objective;
    int opened = 0;
    StructureDialogOutcome RunStructureDialog() override { return ++opened, structure(); }
    DialogResult RunObjectiveDialog() override {
        ++opened;
        objective();
        return DialogResult::Ok;
    }
};

class MapWorkToolsTest : public ::testing::Test {
  protected:
    MapWorkToolsTest()
        : battle(MakeBattle(20, 20)), s(*battle), history(s), structures(edit, history, dialogs),
          objectives(s, edit, dialogs), dispatch(edit, history, sounds) {
        history.AddListener(&redraw);
        dispatch.Register(EditMode::Structures, structures);
        dispatch.Register(EditMode::Objective, objectives);
    }
    ClickOutcome Click(EditMode mode, int32_t row, int32_t col) {
        edit.Mode = mode;
        return dispatch.Press(true, MapButton::Left, s.HexIndex(row, col));
    }

    std::unique_ptr<Scenario> battle;
    Scenario& s;
    EditState edit;
    EditHistory history;
    SoundRecorder sounds;
    k2::test::RedrawRecorder redraw;
    FakeDialogs dialogs;
    StructureTool structures;
    ObjectiveTool objectives;
    MapClickDispatch dispatch;
};

TEST_F(MapWorkToolsTest, AStructureSessionIsOneStepAndExitMarksModified) {
    StructureLogic logic(s, StockSymbols());
    dialogs.structure = [&] {
        logic.Activate(edit.CurrentHex);
        logic.Add();
        logic.Exit();
        return StructureDialogOutcome{DialogResult::Ok, logic.MarkModified()};
    };
    const Scenario start = s;
    Click(EditMode::Structures, 7, 8);
    EXPECT_EQ(edit.CurrentHex, s.HexIndex(7, 8));
    EXPECT_EQ(s.Hexes[size_t(edit.CurrentHex)].Structure, 1);
    EXPECT_EQ(history.StepCount(), 1u);
    EXPECT_EQ(history.UndoName(), "Add/Modify Structures");
    EXPECT_GE(redraw.fullRenders, 1);
    history.Undo();
    EXPECT_TRUE(s == start);

    // Exit that changed nothing: no step, yet the battle is modified.
    history.MarkSaved();
    dialogs.structure = [&] {
        logic.Activate(edit.CurrentHex);
        logic.Exit();
        return StructureDialogOutcome{DialogResult::Ok, logic.MarkModified()};
    };
    Click(EditMode::Structures, 9, 9);
    EXPECT_TRUE(s == start);
    EXPECT_TRUE(history.Modified());
    EXPECT_TRUE(sounds.played.empty());
}

TEST_F(MapWorkToolsTest, ASecondObjectiveIsRefusedWithTheRefuseSound) {
    ObjectiveLogic logic(s);
    dialogs.objective = [&] {
        logic.Activate(edit.CurrentHex);
        logic.Add();
        return logic.Exit();
    };
    Click(EditMode::Objective, 6, 6);
    EXPECT_EQ(s.ObjectiveCount, 1);
    EXPECT_EQ(history.UndoName(), "Set/Modify Terrain Objective");

    const ClickOutcome refused = Click(EditMode::Objective, 6, 7);
    EXPECT_TRUE(refused.Refused);
    EXPECT_EQ(refused.Reason, "This battle already has its terrain objective.");
    EXPECT_EQ(sounds.played, std::vector<int>{SoundRefuse});
    EXPECT_EQ(dialogs.opened, 1);
    EXPECT_EQ(edit.CurrentHex, s.HexIndex(6, 6));
    EXPECT_EQ(history.StepCount(), 1u);
}

} // namespace
