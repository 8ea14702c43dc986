#include "edit/edit_history.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
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
    // A step is one step however many actions ran inside it; nested records join it.
    {
        EditHistory::Step step(history_, "Add/Modify Units");
        Paint(1, 1);
        Paint(2, 2);
        EXPECT_FALSE(history_.CanUndo());
    }
    EXPECT_EQ(history_.StepCount(), 1u);
    EXPECT_EQ(history_.UndoName(), "Add/Modify Units");
    history_.Undo();
    EXPECT_EQ(At(1), 0);
    EXPECT_EQ(At(2), 0);

    // A rolled back step, or one left by an exception, leaves the battle exactly as it was
    // and no step.
    const auto before = std::make_unique<Scenario>(*battle_);
    {
        EditHistory::Step step(history_, "Battle Settings");
        Paint(3, 3);
        battle_->BattleName = "Changed";
        step.Rollback();
    }
    EXPECT_TRUE(*battle_ == *before);
    EXPECT_THROW(
        {
            EditHistory::Step step(history_, "Battle Settings");
            Paint(4, 4);
            throw std::runtime_error("the dialog failed");
        },
        std::runtime_error);
    EXPECT_TRUE(*battle_ == *before);
    EXPECT_EQ(history_.StepCount(), 1u);
    EXPECT_FALSE(history_.InSession());

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
        void HistoryChanged(const k2::StepChange&) override { ++calls; }
        int calls = 0;
    } counter;
    auto battle = Battle(10, 10);
    EditHistory history(*battle);
    history.AddListener(&counter);
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
        void HistoryChanged(const k2::StepChange&) override { seen.push_back(battle->Weather); }
        k2::Scenario* battle = nullptr;
        std::vector<int32_t> seen;
    } probe;
    auto battle = Battle(10, 10);
    probe.battle = battle.get();
    EditHistory history(*battle);
    history.AddListener(&probe);

    {
        EditHistory::Step dialog(history, "Dialog");
        history.Touch(); // a dialog opens
        battle->Weather = 3;
        EXPECT_TRUE(probe.seen.empty());
    }
    EXPECT_THAT(probe.seen, ElementsAre(3));

    // A click whose tool touches the battle before changing it.
    history.Record("Click", [&] {
        history.Touch();
        battle->Weather = 4;
    });
    EXPECT_THAT(probe.seen, ElementsAre(3, 4));

    // A step that changed nothing but was touched, and one given up, are still told.
    {
        EditHistory::Step looked(history, "Looked");
        history.Touch();
    }
    {
        EditHistory::Step given(history, "Given Up");
        history.Touch();
        battle->Weather = 9;
        given.Rollback();
    }
    EXPECT_THAT(probe.seen, ElementsAre(3, 4, 4, 4));
    EXPECT_TRUE(history.Modified());
}

// A step that says where it changes the battle is compared only there, and tells its
// listeners exactly what changed; its undo and redo give the same hexes back.
TEST(EditHistoryScope, AScopedStepComparesAndReportsOnlyItsHexes) {
    struct Seen : k2::HistoryListener {
        void HistoryChanged(const k2::StepChange& change) override { changes.push_back(change); }
        void StepProgressed(const k2::StepChange& change) override { progress.push_back(change); }
        std::vector<k2::StepChange> changes, progress;
    } seen;
    auto battle = Battle(10, 10);
    EditHistory history(*battle);
    history.AddListener(&seen);
    const auto paint = [&](int32_t hex, int32_t terrain) {
        battle->Hexes[std::size_t(hex)].PrimaryTerrain = terrain;
    };

    history.Record(
        "Place Primary Terrain", [&] { paint(12, 5); }, {}, k2::DiffScope::Cells({12}));
    {
        EditHistory::Step stroke(history, "Place Primary Terrain");
        for (int32_t hex : {30, 31, 30}) {
            stroke.Touches(k2::DiffScope::Cells({hex}));
            paint(hex, 6);
            history.Progress({true, false, false, false, {hex}});
        }
    }
    history.Undo();
    history.Redo();
    ASSERT_EQ(seen.changes.size(), 4u);
    EXPECT_THAT(seen.changes[0].Hexes, ElementsAre(12));
    EXPECT_THAT(seen.changes[1].Hexes, ElementsAre(30, 31));
    EXPECT_FALSE(seen.changes[1].Replayed);
    EXPECT_THAT(seen.changes[2].Hexes, ElementsAre(30, 31));
    EXPECT_TRUE(seen.changes[2].Replayed && seen.changes[3].Replayed);
    EXPECT_EQ(seen.progress.size(), 3u);
    EXPECT_EQ(battle->Hexes[31].PrimaryTerrain, 6);
}

#ifdef K2_HISTORY_CHECKS
// Checked builds fail loudly when the battle changed outside every step, or beyond what a step
// said it touched: either would leave undo working from a wrong copy of the battle.
TEST(EditHistoryScopeDeathTest, AChangeOutsideTheHistoryIsCaught) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto battle = Battle(10, 10);
    EditHistory history(*battle);
    EXPECT_DEATH(
        {
            battle->Weather = 4; // no step
            history.Record("Place Primary Terrain", [&] { battle->Hexes[1].PrimaryTerrain = 2; });
        },
        "changed outside the edit history");
    EXPECT_DEATH(history.Record(
                     "Place Primary Terrain", [&] { battle->Hexes[2].PrimaryTerrain = 2; }, {},
                     k2::DiffScope::Cells({1})),
                 "changed outside the edit history");
}
#endif

} // namespace
