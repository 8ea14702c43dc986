#include "forces/unit_ratings.h"

#include "forces/forces_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

using namespace k2;
using k2test::AddUnit;
using k2test::MakeScenario;
using k2test::MakeTables;

namespace {

UnitRecord Foot(int men, int morale, int combat = 1, int cls = 0) {
    UnitRecord u;
    u.Men = men;
    u.Morale = morale;
    u.CombatWeapon = combat;
    u.Class = cls;
    return u;
}

} // namespace

TEST(CombatStrength, WorkedExampleTruncatesTwice) {
    Scenario s = MakeScenario();
    EquipmentTables t = MakeTables();
    // 50 men, rating 50, Peasant, morale 100: 50*50/100 = 25; 25*30/100 = 7.5 -> 7.
    int u = AddUnit(s, 11, Foot(50, 100, 1, 0));
    EXPECT_EQ(CombatStrength(s, t, u), 7);
    // Class bonus joins the per-man rating: Hero +30 gives R = 80 -> 40 -> 12.
    s.Units[u].Class = 5;
    EXPECT_EQ(CombatStrength(s, t, u), 12);
    // Combat subtracts 100 (missile fire subtracts 99): 1000 men at R = 50 give 150, not 153.
    s.Units[u] = Foot(1000, 100, 1, 0);
    EXPECT_EQ(CombatStrength(s, t, u), 150);
}

TEST(CombatStrength, NegativeRatingGivesZeroAndBadIndicesReadEmpty) {
    Scenario s = MakeScenario();
    EquipmentTables t = MakeTables();
    int u = AddUnit(s, 11, Foot(100, 40, 2)); // club 10 + 0 + 40 - 100 < 0
    EXPECT_EQ(CombatStrength(s, t, u), 0);
    s.Units[u].CombatWeapon = 45; // beyond the table: rating 0
    s.Units[u].Morale = 120;
    EXPECT_EQ(CombatStrength(s, t, u), (100 * 20 / 100) * 30 / 100);
    EXPECT_EQ(CombatStrength(s, t, 0), 0);
    EXPECT_EQ(CombatStrength(s, t, 2), 0) << "a unit number past the count";
}

TEST(CombatStrength, HugeValuesFromAFileDoNotOverflow) {
    Scenario s = MakeScenario();
    EquipmentTables t = MakeTables();
    t.CombatWeapons[1].rating = 9999;
    int u = AddUnit(s, 11, Foot(65279, 65279));
    // Must not be undefined behaviour (UBSan runs the tests); the result stays non-negative.
    EXPECT_GE(CombatStrength(s, t, u), 0);
    EXPECT_GE(FirePower(s, t, u), 0);
}

TEST(FirePower, CrewRulesAndZeroCases) {
    Scenario s = MakeScenario();
    EquipmentTables t = MakeTables();
    UnitRecord gun = Foot(23, 100);
    gun.MissileWeapon = 2; // light gun, kind 1, rating 300
    gun.MissileAmmo = 5;
    int g = AddUnit(s, 11, gun);
    // Gun crew of 23 counts 20: R = 300 + 0 + 100 - 99 = 301; 20*301/100 = 60; 60*30/100 = 18.
    EXPECT_TRUE(IsGun(s, t, g));
    EXPECT_EQ(FirePower(s, t, g), 18);

    UnitRecord archer = Foot(23, 100);
    archer.MissileWeapon = 1; // long bow, rating 70: R = 71; 23*71/100 = 16; 16*30/100 = 4
    archer.MissileAmmo = 3;
    int a = AddUnit(s, 12, archer);
    EXPECT_FALSE(IsGun(s, t, a));
    EXPECT_EQ(FirePower(s, t, a), 4);

    // Missile fire subtracts 99: 100 men, rating 76 -> R = 77 -> 77 -> 23 (100 would give 22).
    s.Units[a].Men = 100;
    t.MissileWeapons[1].rating = 76;
    EXPECT_EQ(FirePower(s, t, a), 23);
    s.Units[a].Morale = 9;
    EXPECT_EQ(FirePower(s, t, a), 0) << "morale below 10";
    s.Units[a].Morale = 100;
    s.Units[a].MissileAmmo = 0;
    EXPECT_EQ(FirePower(s, t, a), 0) << "no ammunition";
    s.Units[a].MissileAmmo = 3;
    s.Units[a].MissileWeapon = 0;
    EXPECT_EQ(FirePower(s, t, a), 0) << "no missile weapon";
}

TEST(FirePower, NeverExceedsTheCrew) {
    Scenario s = MakeScenario();
    EquipmentTables t = MakeTables();
    t.MissileWeapons[1].rating = 999;
    UnitRecord u = Foot(10, 125, 1, 5);
    u.MissileWeapon = 1;
    u.MissileAmmo = 1;
    int n = AddUnit(s, 11, u);
    EXPECT_EQ(FirePower(s, t, n), 10);
    for (int men = 0; men <= 300; men += 7)
        for (int morale = 1; morale <= 125; morale += 11) {
            s.Units[n].Men = men;
            s.Units[n].Morale = morale;
            int fp = FirePower(s, t, n);
            EXPECT_LE(fp, men);
            EXPECT_GE(fp, 0);
        }
}

TEST(DefenceRating, ScalesByMoraleAndClamps) {
    Scenario s = MakeScenario();
    EquipmentTables t = MakeTables();
    UnitRecord u = Foot(10, 100);
    u.Armour = 1; // 60
    u.Shield = 1; // 40
    int n = AddUnit(s, 11, u);
    EXPECT_EQ(DefenceRating(s, t, n), 75);
    s.Units[n].Morale = 50;
    EXPECT_EQ(DefenceRating(s, t, n), 50);
    t.Armours[1].rating = -200;
    EXPECT_EQ(DefenceRating(s, t, n), 0);
}

TEST(LoadAndWeightClass, Thresholds) {
    Scenario s = MakeScenario();
    EquipmentTables t = MakeTables();
    int n = AddUnit(s, 11, Foot(10, 100, 0));
    struct Case {
        int load;
        const char* cls;
    } cases[] = {{0, "Lt"}, {29, "Lt"}, {30, "Mod"}, {59, "Mod"}, {60, "Hvy"}, {500, "Hvy"}};
    for (const Case& c : cases) {
        t.CombatWeapons[0].weight = c.load;
        EXPECT_EQ(UnitLoad(s, t, n), c.load);
        EXPECT_EQ(WeightClass(s, t, n), c.cls) << c.load;
    }
    s.Units[n].UnitType = 3;
    EXPECT_EQ(WeightClass(s, t, n), "N/A");
    // Every piece counts, entry 0 included.
    s.Units[n].UnitType = 1;
    t.CombatWeapons[0].weight = 1;
    t.MissileWeapons[0].weight = 2;
    t.Armours[0].weight = 4;
    t.Shields[0].weight = 8;
    EXPECT_EQ(UnitLoad(s, t, n), 15);
}

namespace {

// The six neighbours of (row, col), from the direction table of the grid.
std::vector<std::pair<int, int>> Neighbours(int row, int col) {
    if (col % 2 == 0)
        return {{row - 1, col}, {row - 1, col + 1}, {row, col + 1},
                {row + 1, col}, {row, col - 1},     {row - 1, col - 1}};
    return {{row - 1, col}, {row, col + 1},     {row + 1, col + 1},
            {row + 1, col}, {row + 1, col - 1}, {row, col - 1}};
}

} // namespace

TEST(HexDistance, NeighboursAreOneStepInBothColumnParities) {
    Scenario s = MakeScenario(20, 20);
    for (int col : {4, 5}) {
        const int row = 6, centre = s.HexIndex(row, col);
        EXPECT_EQ(HexDistance(s, centre, centre), 0);
        for (auto [r, c] : Neighbours(row, col))
            EXPECT_EQ(HexDistance(s, centre, s.HexIndex(r, c)), 1) << r << "," << c;
        // Same row two columns away is two steps; the lower diagonal of an even column is not adjacent.
        EXPECT_EQ(HexDistance(s, centre, s.HexIndex(row, col + 2)), 2);
    }
    EXPECT_EQ(HexDistance(s, s.HexIndex(6, 4), s.HexIndex(7, 5)), 2);
}

TEST(HexDistance, SymmetricAndObeysTheTriangleInequality) {
    Scenario s = MakeScenario(150, 150);
    std::mt19937 rng(1234);
    std::uniform_int_distribution<int> hex(0, s.HexCount - 1);
    for (int i = 0; i < 2000; ++i) {
        int a = hex(rng), b = hex(rng), c = hex(rng);
        int ab = HexDistance(s, a, b);
        EXPECT_EQ(ab, HexDistance(s, b, a));
        EXPECT_LE(HexDistance(s, a, c), ab + HexDistance(s, b, c));
        EXPECT_GE(ab, std::abs(a % 150 - b % 150)) << "at least the column difference";
    }
}

TEST(CommandingLeader, SelfNearestAndTies) {
    Scenario s = MakeScenario(20, 20);
    UnitRecord leader;
    leader.WingLeader = 1;
    leader.CommandRange = 5;
    leader.CommandRating = 2;
    int target = AddUnit(s, s.HexIndex(10, 10), Foot(10, 100));
    int far = AddUnit(s, s.HexIndex(10, 14), leader); // distance 4
    int near = AddUnit(s, s.HexIndex(8, 10), leader); // distance 2
    EXPECT_EQ(CommandingLeader(s, far), far) << "a leader commands itself";
    EXPECT_EQ(CommandingLeader(s, target), near);

    // Same distance: a later leader takes over only with a strictly greater rating.
    int tie = AddUnit(s, s.HexIndex(12, 10), leader);
    EXPECT_EQ(CommandingLeader(s, target), near);
    s.Units[tie].CommandRating = 3;
    EXPECT_EQ(CommandingLeader(s, target), tie);
}

TEST(CommandingLeader, CandidatesNeedRangeSideWingAndStart) {
    Scenario s = MakeScenario(20, 20);
    UnitRecord leader;
    leader.WingLeader = 1;
    leader.CommandRange = 2;
    leader.CommandRating = 1;
    UnitRecord soldier = Foot(10, 100);
    soldier.Wing = 1;
    int target = AddUnit(s, s.HexIndex(10, 10), soldier);
    int l = AddUnit(s, s.HexIndex(7, 10), leader); // 3 hexes away, range 2
    EXPECT_EQ(CommandingLeader(s, target), 0);
    s.Units[l].CommandRange = 3;
    EXPECT_EQ(CommandingLeader(s, target), l) << "wing 0 commands every wing";
    s.Units[l].Wing = 2;
    EXPECT_EQ(CommandingLeader(s, target), 0) << "another wing";
    s.Units[l].Wing = 1;
    s.Units[l].Side = SideEastern;
    EXPECT_EQ(CommandingLeader(s, target), 0) << "the other side";
    s.Units[l].Side = SideWestern;
    s.Units[l].ActivationTurn = 4;
    EXPECT_EQ(CommandingLeader(s, target), 0) << "a reinforcement leader commands nobody but itself";
    EXPECT_EQ(CommandingLeader(s, l), l);
}

TEST(SidePoints, UnitValuesAndTheHeldObjective) {
    Scenario s = MakeScenario();
    UnitRecord w = Foot(1, 1);
    w.Value = 5;
    UnitRecord e = w;
    e.Side = SideEastern;
    e.Value = 7;
    e.ActivationTurn = 3; // reinforcements count too
    AddUnit(s, 11, w);
    int east = AddUnit(s, 12, e);
    EXPECT_EQ(SidePoints(s), std::make_pair(5, 7));
    s.ObjectiveCount = 1;
    s.Objectives[1].Hex = 33; // empty hex
    s.Objectives[1].VictoryPoints = 50;
    s.Hexes[33].Objective = 1;
    EXPECT_EQ(SidePoints(s), std::make_pair(5, 7));
    s.Objectives[1].Hex = 12;
    EXPECT_EQ(SidePoints(s), std::make_pair(5, 57));
    s.Units[east].Side = SideWestern;
    EXPECT_EQ(SidePoints(s), std::make_pair(62, 0));
    s.Objectives[1].Hex = NoSymbol; // a stale hex never indexes the grid
    EXPECT_EQ(SidePoints(s), std::make_pair(12, 0));
}

TEST(SortUnits, OrdersBySideWingStrengthAndRelinksHexes) {
    Scenario s = MakeScenario(30, 30);
    EquipmentTables t = MakeTables();
    std::mt19937 rng(99);
    std::set<int> usedHexes;
    for (int i = 0; i < 120; ++i) {
        UnitRecord u = Foot(10 + rng() % 200, 60 + rng() % 60, rng() % 3, rng() % 6);
        u.Side = 1 + rng() % 2;
        u.Wing = rng() % 3;
        u.WingLeader = rng() % 10 == 0;
        u.Name = "U" + std::to_string(i);
        int hex;
        do
            hex = rng() % s.HexCount;
        while (!usedHexes.insert(hex).second);
        AddUnit(s, hex, u);
    }
    s.Hexes[0].Unit = 77; // a stale link that the rebuild must clear
    std::multiset<std::string> namesBefore;
    for (int u = 1; u <= s.UnitCount; ++u)
        namesBefore.insert(s.Units[u].Name.Str());

    SortUnits(s, t);

    std::multiset<std::string> namesAfter;
    for (int u = 1; u <= s.UnitCount; ++u)
        namesAfter.insert(s.Units[u].Name.Str());
    EXPECT_EQ(namesBefore, namesAfter) << "a permutation";
    auto key = [&](int u) {
        int strength = CombatStrength(s, t, u) * (s.Units[u].WingLeader ? 10 : 1);
        return std::make_tuple(s.Units[u].Side, s.Units[u].Wing, -strength);
    };
    for (int u = 1; u < s.UnitCount; ++u)
        EXPECT_LE(key(u), key(u + 1)) << u;
    for (int u = 1; u <= s.UnitCount; ++u)
        EXPECT_EQ(s.Hexes[s.Units[u].Hex].Unit, u);
    int linked = 0;
    for (const HexCell& c : s.Hexes)
        linked += c.Unit != 0;
    EXPECT_EQ(linked, s.UnitCount);
}

TEST(SortUnits, EqualKeysKeepTheirOrderAndSharedHexLinksTheLater) {
    Scenario s = MakeScenario();
    EquipmentTables t = MakeTables();
    UnitRecord a = Foot(50, 100);
    a.Name = "first";
    UnitRecord b = a;
    b.Name = "second";
    AddUnit(s, 22, a);
    AddUnit(s, 22, b);
    SortUnits(s, t);
    EXPECT_EQ(s.Units[1].Name, "first");
    EXPECT_EQ(s.Hexes[22].Unit, 2);
}
