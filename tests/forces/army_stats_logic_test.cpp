// The army statistics: sums per force, the truncated average morale, the points of SidePoints
// with the objective, and the grid's labels.
#include "forces/army_stats_logic.h"

#include "forces/forces_fixture.h"
#include "forces/unit_ratings.h"

#include <gmock/gmock.h>

using namespace k2;
using k2test::AddUnit;
using k2test::MakeScenario;
using k2test::MakeTables;
using ::testing::ElementsAre;

namespace {

UnitRecord Unit(int32_t side, int32_t men, int32_t morale, int32_t value) {
    UnitRecord u;
    u.Side = side;
    u.Men = men;
    u.Morale = morale;
    u.Value = value;
    u.CombatWeapon = 1;
    return u;
}

} // namespace

TEST(ArmyStatistics, SumsPerForceWithAnEmptySide) {
    Scenario s = MakeScenario();
    const EquipmentTables t = MakeTables();
    AddUnit(s, 11, Unit(SideWestern, 50, 80, 3));
    UnitRecord bows = Unit(SideWestern, 30, 80, 2);
    bows.MissileWeapon = 1;
    bows.MissileAmmo = 2;
    bows.ActivationTurn = 6; // reinforcements count like placed units
    AddUnit(s, 12, bows);
    AddUnit(s, 13, Unit(SideWestern, 20, 81, 1));

    const ArmyStatistics stats = ComputeArmyStatistics(s, t);
    int32_t fire = 0, combat = 0;
    for (int32_t u = 1; u <= 3; ++u) {
        fire += FirePower(s, t, u);
        combat += CombatStrength(s, t, u);
    }
    ASSERT_GT(fire, 0);
    EXPECT_EQ(stats.Western, (ForceTotals{"Western Forces", 100, 3, 80, fire, combat, 6}));
    EXPECT_EQ(stats.Eastern, (ForceTotals{"Eastern Forces", 0, 0, 0, 0, 0, 0}));

    const GridTable grid = ArmyStatisticsGrid(stats);
    EXPECT_EQ(grid.Title, "Army Statistics");
    EXPECT_THAT(grid.Headers, ElementsAre("", "Western Forces", "Eastern Forces"));
    EXPECT_THAT(grid.Widths, ElementsAre(100, 100, 100));
    EXPECT_EQ(grid.Rows,
              (std::vector<std::vector<std::string>>{{"Men ", "100", "0"},
                                                     {"Units ", "3", "0"},
                                                     {"Avg. Morale", "80", "0"},
                                                     {"Fire Power", std::to_string(fire), "0"},
                                                     {"Combat Strength", std::to_string(combat), "0"},
                                                     {"Total Points", "6", "0"}}));
}

TEST(ArmyStatistics, TheObjectiveCountsForTheSideHoldingItAndOtherSidesAreEastern) {
    Scenario s = MakeScenario();
    const EquipmentTables t = MakeTables();
    AddUnit(s, 44, Unit(SideWestern, 30, 80, 3));
    AddUnit(s, 55, Unit(SideEastern, 30, 70, 4));
    AddUnit(s, 66, Unit(3, 10, 75, 1)); // a side number no dialog writes counts as Eastern
    s.ObjectiveCount = 1;
    s.Objectives[1].VictoryPoints = 50;
    s.Objectives[1].Hex = 44;
    s.Hexes[44].Objective = 1;
    ArmyStatistics stats = ComputeArmyStatistics(s, t);
    EXPECT_EQ(stats.Western.TotalPoints, 53);
    EXPECT_EQ(stats.Eastern.TotalPoints, 4);
    EXPECT_EQ(stats.Eastern.Units, 2);
    EXPECT_EQ(stats.Eastern.Men, 40);
    EXPECT_EQ(stats.Eastern.AvgMorale, 72); // 145 / 2, truncated

    s.Objectives[1].Hex = 45; // nobody on it
    stats = ComputeArmyStatistics(s, t);
    EXPECT_EQ(stats.Western.TotalPoints, 3);
    EXPECT_EQ(stats.Eastern.TotalPoints, 4);
}
