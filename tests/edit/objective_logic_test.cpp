// The rules of the terrain objective on its logic: the click rule, the dialog's actions and the
// status rows.
#include "edit/objective_logic.h"
#include "map_work_fixture.h"

#include <gtest/gtest.h>

namespace {

using namespace k2;
using namespace k2test::mapwork;

class ObjectiveLogicTest : public ::testing::Test {
  protected:
    ObjectiveLogicTest() : battle(MakeBattle(20, 20)), s(*battle), logic(s) {}
    int32_t Hex(int32_t row, int32_t col) const { return s.HexIndex(row, col); }

    std::unique_ptr<Scenario> battle;
    Scenario& s;
    ObjectiveLogic logic;
};

TEST_F(ObjectiveLogicTest, OnlyAnObjectivesOwnHexMayBeChosenWhileOneExists) {
    EXPECT_TRUE(ObjectiveClickAllowed(s, Hex(4, 4)));
    EXPECT_FALSE(ObjectiveListEnabled(s));
    AddObjective(s, 4, 4, "Hill");
    EXPECT_TRUE(ObjectiveListEnabled(s));
    EXPECT_TRUE(ObjectiveClickAllowed(s, Hex(4, 4)));
    EXPECT_FALSE(ObjectiveClickAllowed(s, Hex(4, 5)));
    // A battle file may bring several: each of their hexes opens the dialog for its own.
    AddObjective(s, 9, 2, "Ford");
    EXPECT_TRUE(ObjectiveClickAllowed(s, Hex(9, 2)));
    EXPECT_FALSE(ObjectiveClickAllowed(s, Hex(9, 3)));
    logic.Activate(Hex(9, 2));
    EXPECT_EQ(logic.ObjectiveNumber(), 2);
    EXPECT_EQ(logic.NameBox(), "Ford");
}

TEST_F(ObjectiveLogicTest, AddCreatesTheObjectiveAtOnceWithItsDefaults) {
    logic.Activate(Hex(5, 6));
    EXPECT_EQ(logic.PointsText(), "Victory Points: 0");
    EXPECT_TRUE(logic.AddEnabled());
    EXPECT_FALSE(logic.NameEnabled() || logic.RemoveEnabled());
    logic.PointsUp(); // acts on no objective
    logic.Add();
    ASSERT_EQ(s.ObjectiveCount, 1);
    EXPECT_EQ(s.Objectives[1].Name, "Land Objective");
    EXPECT_EQ(s.Objectives[1].VictoryPoints, 50);
    EXPECT_EQ(s.Objectives[1].ObjectiveKind, 1);
    EXPECT_EQ(s.Objectives[1].Hex, Hex(5, 6));
    EXPECT_EQ(s.Hexes[size_t(Hex(5, 6))].Objective, 1);
    EXPECT_EQ(logic.NameBox(), "") << "the name box keeps its text";
    EXPECT_EQ(logic.PointsText(), "Victory Points: 50");
    EXPECT_TRUE(logic.NameEnabled() && logic.RemoveEnabled());
    EXPECT_FALSE(logic.AddEnabled());
}

TEST_F(ObjectiveLogicTest, TheNameAndThePointsChangeTheTableAtOnce) {
    AddObjective(s, 3, 3, "Hill");
    logic.Activate(Hex(3, 3));
    logic.SetName("Crossroads of the Old Kings");
    EXPECT_EQ(s.Objectives[1].Name, "Crossroads of the Ol") << "the box takes 20 characters";
    for (int i = 0; i < 150; ++i)
        logic.PointsUp();
    EXPECT_EQ(logic.PointsText(), "Victory Points: 100");
    for (int i = 0; i < 150; ++i)
        logic.PointsDown();
    EXPECT_EQ(s.Objectives[1].VictoryPoints, 0);
}

TEST_F(ObjectiveLogicTest, RemoveRenumbersTheLaterObjectivesAndTheirHexes) {
    AddObjective(s, 2, 2, "A");
    AddObjective(s, 3, 3, "B");
    AddObjective(s, 4, 4, "C");
    logic.Activate(Hex(3, 3));
    EXPECT_EQ(logic.Remove(), ObjectiveResultRedraw);
    ASSERT_EQ(s.ObjectiveCount, 2);
    EXPECT_EQ(s.Objectives[2].Name, "C");
    EXPECT_EQ(s.Objectives[2].VictoryPoints, 23) << "the record moves whole";
    EXPECT_EQ(s.Hexes[size_t(Hex(2, 2))].Objective, 1);
    EXPECT_EQ(s.Hexes[size_t(Hex(3, 3))].Objective, 0);
    EXPECT_EQ(s.Hexes[size_t(Hex(4, 4))].Objective, 2);
    EXPECT_EQ(Inconsistency(s), "");
    logic.Activate(Hex(2, 2));
    logic.Remove();
    EXPECT_FALSE(RemoveObjectiveAt(s, Hex(3, 3)));
    EXPECT_TRUE(RemoveObjectiveAt(s, Hex(4, 4))); // the scripts' removal

    EXPECT_FALSE(ObjectiveListEnabled(s));
    EXPECT_TRUE(ObjectiveClickAllowed(s, Hex(12, 3)));
}

TEST_F(ObjectiveLogicTest, TheStatusRowsNameTheHolderByTheUnitOnTheHex) {
    AddObjective(s, 4, 17, "Hill");
    AddObjective(s, 12, 3, "Ford");
    AddObjective(s, 0, 0, "Corner");
    AddUnit(s, 12, 3, "Lancers", SideEastern);
    AddUnit(s, 0, 0, "Archers", SideWestern);
    const std::vector<ObjectiveStatusRow> rows = ObjectiveStatusRows(s);
    ASSERT_EQ(rows.size(), 3u);
    const auto line = [](const ObjectiveStatusRow& r) {
        return r.Name + "|" + r.Owner + "|" + r.Value + "|" + r.Hex;
    };
    EXPECT_EQ(line(rows[0]), "Hill|None|21|417");
    EXPECT_EQ(line(rows[1]), "Ford|Blue Host|22|123");
    EXPECT_EQ(line(rows[2]), "Corner|Red Host|23|00");
}

} // namespace
