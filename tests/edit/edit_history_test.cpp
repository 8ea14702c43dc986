#include "edit/edit_history.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using k2::EditHistory;
using k2::Scenario;
using ::testing::ElementsAre;

std::unique_ptr<Scenario> Battle(int32_t cols, int32_t rows) {
    auto s = std::make_unique<Scenario>();
    s->Cols = cols;
    s->Rows = rows;
    s->HexCount = cols * rows;
    s->Hexes.assign(std::size_t(cols * rows), k2::HexCell{});
    return s;
}

class EditHistoryTest : public ::testing::Test {
  protected:
    void SetUp() override { history_.Reset(); }
    void Paint(int32_t hex, int32_t terrain, const char* name = "Place Primary Terrain") {
        history_.Record(name, [&] { battle_->Hexes[std::size_t(hex)].PrimaryTerrain = terrain; });
    }
    int32_t At(int32_t hex) const { return battle_->Hexes[std::size_t(hex)].PrimaryTerrain; }

    std::unique_ptr<Scenario> battle_ = Battle(12, 10);
    EditHistory history_{*battle_};
};

TEST_F(EditHistoryTest, StepsUndoAndRedoByName) {
    EXPECT_FALSE(history_.Record("Nothing", [] {}).Changed);
    EXPECT_FALSE(history_.CanUndo());
    EXPECT_FALSE(history_.Modified());

    const k2::StepChange change = history_.Record("Place Primary Terrain", [&] {
        battle_->Hexes[5].PrimaryTerrain = 3;
        battle_->Hexes[7].PrimaryTerrain = 4;
    });
    EXPECT_TRUE(change.Changed);
    EXPECT_FALSE(change.WholeMap);
    EXPECT_EQ(change.Hexes, (std::vector<int32_t>{5, 7}));
    Paint(5, 9, "Fill Primary Terrain");
    EXPECT_EQ(history_.UndoName(), "Fill Primary Terrain");
    EXPECT_TRUE(history_.Modified());

    EXPECT_EQ(history_.Undo().Hexes, (std::vector<int32_t>{5}));
    EXPECT_EQ(At(5), 3);
    EXPECT_EQ(history_.RedoName(), "Fill Primary Terrain");
    history_.Undo();
    EXPECT_EQ(At(5), 0);
    EXPECT_EQ(At(7), 0);
    EXPECT_FALSE(history_.CanUndo());
    EXPECT_FALSE(history_.Modified());
    history_.Redo();
    history_.Redo();
    EXPECT_EQ(At(5), 9);
    EXPECT_EQ(At(7), 4);
    EXPECT_FALSE(history_.CanRedo());

    // A new step after an undo ends the steps that were undone.
    history_.Undo();
    Paint(1, 1);
    EXPECT_FALSE(history_.CanRedo());
    EXPECT_EQ(history_.StepCount(), 2u);
}

TEST_F(EditHistoryTest, ModifiedMeansDifferentFromTheSavedStep) {
    Paint(1, 1);
    history_.MarkSaved();
    EXPECT_FALSE(history_.Modified());
    Paint(2, 2);
    EXPECT_TRUE(history_.Modified());
    history_.Undo();
    EXPECT_FALSE(history_.Modified()); // back at the saved step
    history_.Undo();
    EXPECT_TRUE(history_.Modified()); // before it
    history_.Redo();
    EXPECT_FALSE(history_.Modified());

    // The saved step cannot come back once a new step replaces the undone ones.
    history_.Undo();
    Paint(3, 3);
    history_.Undo();
    EXPECT_TRUE(history_.Modified());

    // A touch marks the battle without a change, until it is saved.
    history_.MarkSaved();
    history_.Touch();
    EXPECT_TRUE(history_.Modified());
    history_.MarkSaved();
    EXPECT_FALSE(history_.Modified());
}

TEST_F(EditHistoryTest, SessionsMergeAndRollback) {
    // A session is one step however many actions ran inside it; nested records join it.
    history_.Begin();
    Paint(1, 1);
    Paint(2, 2);
    EXPECT_FALSE(history_.CanUndo());
    EXPECT_TRUE(history_.Commit("Add/Modify Units").Changed);
    EXPECT_EQ(history_.StepCount(), 1u);
    history_.Undo();
    EXPECT_EQ(At(1), 0);
    EXPECT_EQ(At(2), 0);

    // A rolled back session leaves the battle exactly as it was and no step.
    const auto before = std::make_unique<Scenario>(*battle_);
    history_.Begin();
    Paint(3, 3);
    battle_->BattleName = "Changed";
    history_.Rollback();
    EXPECT_TRUE(*battle_ == *before);
    EXPECT_EQ(history_.StepCount(), 1u);

    // Steps with the same merge key become one; another key or a save starts a new one.
    const auto merge = [&](int32_t value, const char* key) {
        history_.Record(
            "Edit Terrain Definition", [&] { battle_->TerrainDefs[4].elevation = value; }, key);
    };
    merge(1, "terrain-def:4");
    merge(2, "terrain-def:4");
    merge(3, "terrain-def:4");
    EXPECT_EQ(history_.StepCount(), 1u);
    history_.MarkSaved();
    merge(1, "terrain-def:4");
    EXPECT_EQ(history_.StepCount(), 2u);
    history_.Undo();
    EXPECT_EQ(battle_->TerrainDefs[4].elevation, 3);
    EXPECT_FALSE(history_.Modified());
    history_.Undo();
    EXPECT_EQ(battle_->TerrainDefs[4].elevation, 0);
}

TEST_F(EditHistoryTest, ResizesAreUndoneExactly) {
    Paint(4, 6);
    const auto before = std::make_unique<Scenario>(*battle_);
    const k2::StepChange trim = history_.Record("Trim Map", [&] {
        battle_->Rows = 9;
        battle_->HexCount = 12 * 9;
        battle_->Hexes.resize(12 * 9);
        battle_->Units[1].Hex = 3;
    });
    EXPECT_TRUE(trim.Resized);
    EXPECT_TRUE(trim.WholeMap);
    EXPECT_TRUE(history_.Undo().Resized);
    EXPECT_TRUE(*battle_ == *before);
}

TEST(EditHistoryBound, OldStepsGoWhenMemoryRunsOut) {
    // Whole-map steps on the largest map: the bound keeps memory in check and the newest steps.
    auto battle = Battle(150, 150);
    EditHistory history(*battle);
    for (int32_t i = 1; i <= 60; ++i) {
        history.Record("Fill Primary Terrain", [&] {
            for (k2::HexCell& cell : battle->Hexes)
                cell.PrimaryTerrain = i;
        });
    }
    EXPECT_LE(history.Bytes(), EditHistory::DefaultMaxBytes);
    EXPECT_LT(history.StepCount(), 60u);
    EXPECT_GT(history.StepCount(), 20u);
    while (history.CanUndo())
        history.Undo();
    EXPECT_EQ(battle->Hexes[0].PrimaryTerrain, int32_t(60 - history.StepCount()));
    EXPECT_TRUE(history.Modified()); // the saved state is gone with the dropped steps

    // Small steps: far more than two hundred stay.
    auto small = Battle(150, 150);
    EditHistory clicks(*small);
    for (int32_t i = 0; i < 400; ++i)
        clicks.Record("Place Primary Terrain", [&] { small->Hexes[std::size_t(i)].PrimaryTerrain = 1; });
    EXPECT_EQ(clicks.StepCount(), 400u);
}

TEST(EditHistoryListener, HearsEveryChangeOfWhatUndoShows) {
    struct Counter : k2::HistoryListener {
        void HistoryChanged() override { ++calls; }
        int calls = 0;
    } counter;
    auto battle = Battle(10, 10);
    EditHistory history(*battle);
    history.SetListener(&counter);
    history.Record("Step", [&] { battle->Weather = 2; });
    history.Undo();
    history.Redo();
    history.MarkSaved();
    history.Touch();
    history.Reset();
    EXPECT_EQ(counter.calls, 6);
    history.Record("Nothing", [] {});
    EXPECT_EQ(counter.calls, 6);
}

// A listener (the recovery copy) must never see a step half made: a touch inside an open session
// is told when the session ends, once, together with the step.
TEST(EditHistoryListener, HearsNothingWhileASessionIsOpen) {
    struct Probe : k2::HistoryListener {
        void HistoryChanged() override { seen.push_back(battle->Weather); }
        k2::Scenario* battle = nullptr;
        std::vector<int32_t> seen;
    } probe;
    auto battle = Battle(10, 10);
    probe.battle = battle.get();
    EditHistory history(*battle);
    history.SetListener(&probe);

    history.Begin();
    history.Touch(); // a dialog opens
    battle->Weather = 3;
    EXPECT_TRUE(probe.seen.empty());
    history.Commit("Dialog");
    EXPECT_THAT(probe.seen, ElementsAre(3));

    // A click whose tool touches the battle before changing it.
    history.Record("Click", [&] {
        history.Touch();
        battle->Weather = 4;
    });
    EXPECT_THAT(probe.seen, ElementsAre(3, 4));

    // A session that changed nothing but was touched, and one given up, are still told.
    history.Begin();
    history.Touch();
    history.Commit("Looked");
    history.Begin();
    history.Touch();
    battle->Weather = 9;
    history.Rollback();
    EXPECT_THAT(probe.seen, ElementsAre(3, 4, 4, 4));
    EXPECT_TRUE(history.Modified());
}

} // namespace
