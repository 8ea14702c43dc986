#include "forces/unit_summary.h"

#include "forces/forces_fixture.h"
#include "forces/unit_ratings.h"

#include <gtest/gtest.h>

using namespace k2;
using k2test::AddUnit;
using k2test::MakeScenario;
using k2test::MakeTables;

namespace {

UnitRecord Leader() {
    UnitRecord u;
    u.Name = "Sir Aldric";
    u.Men = 25;
    u.MovementPoints = 8;
    u.Morale = 80;
    u.CombatWeapon = 1;
    u.Armour = 1;
    u.WingLeader = 1;
    u.CommandRating = 1;
    u.CommandRange = 4;
    u.Value = 2;
    return u;
}

} // namespace

TEST(UnitSummary, LeaderLineHasEveryPieceInOrder) {
    Scenario s = MakeScenario();
    EquipmentTables t = MakeTables();
    int u = AddUnit(s, 22, Leader());
    UnitSummary sum = SummarizeHex(s, t, 22);
    std::string expected = "Men:25 MP:8  Mor:80  Com:" + std::to_string(CombatStrength(s, t, u)) +
                           "  Def:" + std::to_string(DefenceRating(s, t, u)) + "  Msl:0  Ldr:1/4 Pts:2";
    EXPECT_EQ(sum.StsLbl1, expected);
    EXPECT_EQ(sum.SdeLbl, "Western Forces Main");
    EXPECT_EQ(sum.UntLbl, "Sir Aldric");
    EXPECT_EQ(sum.BseLbl, "");
    EXPECT_EQ(sum.RnfLbl, "");
}

TEST(UnitSummary, CommandedUnitAndUnitOutOfRange) {
    Scenario s = MakeScenario();
    EquipmentTables t = MakeTables();
    UnitRecord l = Leader();
    l.CommandRating = 2;
    AddUnit(s, 22, l);
    UnitRecord foot;
    foot.Name = "Pikes";
    foot.Wing = 1;
    foot.FerociousAttack = 1;
    foot.StartsDisrupted = 1;
    AddUnit(s, 23, foot);
    UnitSummary sum = SummarizeHex(s, t, 23);
    EXPECT_NE(sum.StsLbl1.find("  Ldr:2 Pts:"), std::string::npos) << sum.StsLbl1;
    EXPECT_EQ(sum.UntLbl, "Pikes!-");
    EXPECT_EQ(sum.SdeLbl, "Western Forces Left");

    s.Units[1].CommandRange = 0; // the leader no longer reaches
    EXPECT_NE(SummarizeHex(s, t, 23).StsLbl1.find("  Ldr:- Pts:"), std::string::npos);
}

TEST(UnitSummary, StructuresReinforcementsAndEmptyHexes) {
    Scenario s = MakeScenario();
    EquipmentTables t = MakeTables();
    s.StructureCount = 1;
    s.Structures[1].Name = "Keep";
    s.Structures[1].Side = SideEastern;
    s.Structures[1].DefenseMod = 3;
    s.Structures[1].SupplyLevel = 40;
    s.Structures[1].Hex = 44;
    s.Hexes[44].Structure = 1;

    UnitSummary only = SummarizeHex(s, t, 44);
    EXPECT_EQ(only.SdeLbl, "Eastern Forces");
    EXPECT_EQ(only.BseLbl, "Keep Def: 3  Supply: 40 ");
    EXPECT_EQ(only.UntLbl, "");
    EXPECT_EQ(only.StsLbl1, "");

    UnitRecord r;
    r.Name = "Relief";
    r.ActivationTurn = 6;
    AddUnit(s, 44, r);
    s.Hexes[44].ReinforcementMarker = 29;
    UnitSummary both = SummarizeHex(s, t, 44);
    EXPECT_EQ(both.SdeLbl, "Western Forces Main") << "the unit's side wins";
    EXPECT_EQ(both.BseLbl, "Keep Def: 3  Supply: 40 ");
    EXPECT_EQ(both.RnfLbl, "ReinForcement Trn:6");

    EXPECT_EQ(SummarizeHex(s, t, NoSymbol), UnitSummary{});
    EXPECT_EQ(SummarizeHex(s, t, 5), UnitSummary{});
    s.Hexes[5].Unit = 99; // a link past the table reads as no unit
    EXPECT_EQ(SummarizeHex(s, t, 5), UnitSummary{});
}
