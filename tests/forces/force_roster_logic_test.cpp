// The order of battle and the reinforcement schedule without widgets: every cell rule, the
// checks before opening, the sort before the order of battle, selection, display sort and copy.
#include "forces/force_roster_logic.h"

#include "forces/forces_fixture.h"
#include "forces/forces_recorders.h"
#include "forces/unit_ratings.h"

#include <gmock/gmock.h>

#include <algorithm>

using namespace k2;
using k2test::AddUnit;
using k2test::MakeScenario;
using k2test::MakeTables;
using ::testing::ElementsAre;

namespace {

constexpr int32_t Cols = 20;
int32_t Hex(int32_t row, int32_t col) {
    return row * Cols + col;
}

UnitRecord Unit(const char* name, int32_t men = 30, int32_t morale = 80) {
    UnitRecord u;
    u.Name = name;
    u.Men = men;
    u.Morale = morale;
    u.CombatWeapon = 1;
    u.Value = 3;
    return u;
}

UnitRecord Leader(const char* name, int32_t rating, int32_t range) {
    UnitRecord u = Unit(name, 12, 95);
    u.WingLeader = 1;
    u.CommandRating = rating;
    u.CommandRange = range;
    return u;
}

// The text under `header` in the row of `unit`; "<no column>" when the grid has no such column.
std::string Cell(const RosterGrid& g, int32_t unit, const std::string& header) {
    const auto column = std::find(g.Table.Headers.begin(), g.Table.Headers.end(), header);
    if (column == g.Table.Headers.end()) return "<no column>";
    for (const RosterRow& r : g.Rows)
        if (r.Unit == unit) return r.Cells[std::size_t(column - g.Table.Headers.begin())];
    return "<no row>";
}

struct CellCase {
    const char* what;
    std::function<void(UnitRecord&)> change;
    const char* header;
    const char* orderOfBattle;
    const char* schedule;
};

} // namespace

TEST(RosterCells, EachRuleInBothGrids) {
    const std::vector<CellCase> cases = {
        {"a leader is not indented", [](UnitRecord& u) { u.WingLeader = 1; }, "Unit", "Pikes", "Pikes"},
        {"others are indented in the order of battle", [](UnitRecord&) {}, "Unit", "     Pikes", "Pikes"},
        {"foot", [](UnitRecord&) {}, "Type", "Infantry", "Infantry"},
        {"horse", [](UnitRecord& u) { u.UnitType = 2; }, "Type", "Cavalry", "Cavalry"},
        {"supply", [](UnitRecord& u) { u.UnitType = 3; }, "Type", "Supply", "Supply"},
        {"a bow", [](UnitRecord& u) { u.MissileWeapon = 1; }, "Type", "Missile", "Missile"},
        {"a gun", [](UnitRecord& u) { u.MissileWeapon = 2; }, "Type", "Arty", "Missile"},
        {"a powder hand weapon is no gun", [](UnitRecord& u) { u.MissileWeapon = 3; }, "Type", "Missile",
         "Missile"},
        {"a leader wins over a gun", [](UnitRecord& u) { u.WingLeader = 1, u.MissileWeapon = 2; }, "Type",
         "Leader", "Leader"},
        {"defence, clamped", [](UnitRecord& u) { u.Armour = 1, u.Shield = 1, u.Morale = 100; }, "Defense",
         "75%", "75%"},
        {"commanded by the leader in range", [](UnitRecord&) {}, "Leader", "Lord Bren", "None"},
        {"beyond every leader's range", [](UnitRecord& u) { u.Hex = Hex(12, 5); }, "Leader", "None", "None"},
        {"a leader leads itself", [](UnitRecord& u) { u.WingLeader = 1; }, "Leader", "Pikes", "Pikes"},
        {"a leader's rating and range",
         [](UnitRecord& u) { u.WingLeader = 1, u.CommandRating = -3, u.CommandRange = 1; }, "Rtg/Rng", "-3/1",
         "-3/1"},
        {"no rating for others", [](UnitRecord& u) { u.CommandRating = 2, u.CommandRange = 4; }, "Rtg/Rng",
         "-", "-"},
        {"a supply unit's level", [](UnitRecord& u) { u.UnitType = 3, u.SupplyLevel = 40; }, "Supply Lvl",
         "40", "40"},
        {"no level for others", [](UnitRecord& u) { u.SupplyLevel = 40; }, "Supply Lvl", "-", "-"},
        {"arrival turn", [](UnitRecord& u) { u.ActivationTurn = 7; }, "Arrival", "<no column>", "7"},
        {"row 12, column 5", [](UnitRecord& u) { u.Hex = Hex(12, 5); }, "Hex", "125", "<no column>"},
        {"row 0, column 0", [](UnitRecord& u) { u.Hex = 0; }, "Hex", "00", "<no column>"},
        {"a hex off the map", [](UnitRecord& u) { u.Hex = NoSymbol; }, "Hex", "-", "<no column>"},
    };
    const EquipmentTables t = MakeTables();
    for (const CellCase& c : cases) {
        Scenario s = MakeScenario(Cols, 15);
        AddUnit(s, Hex(2, 2), Leader("Lord Bren", 1, 3));
        UnitRecord u = Unit("Pikes");
        u.Hex = Hex(3, 2);
        u.ActivationTurn = 4; // listed in both grids
        c.change(u);
        const int32_t n = AddUnit(s, u.Hex, u);
        EXPECT_EQ(Cell(BuildRoster(s, t, RosterKind::OrderOfBattle, SideWestern), n, c.header),
                  c.orderOfBattle)
            << c.what;
        EXPECT_EQ(Cell(BuildRoster(s, t, RosterKind::Schedule, SideWestern), n, c.header), c.schedule)
            << c.what;
    }
}

TEST(RosterCells, WholeGridsOfOneSide) {
    Scenario s = MakeScenario(Cols, 15);
    const EquipmentTables t = MakeTables();
    UnitRecord l = Leader("Sir Aldric", 2, 4);
    l.Class = 3;
    l.Armour = 1;
    const int32_t leader = AddUnit(s, Hex(1, 2), l);
    UnitRecord r = Unit("Late Horse", 40, 70);
    r.UnitType = 2;
    r.ActivationTurn = 7;
    r.Wing = 1;
    const int32_t late = AddUnit(s, Hex(12, 5), r);
    UnitRecord east = Unit("Raiders");
    east.Side = SideEastern;
    east.ActivationTurn = 5;
    AddUnit(s, Hex(5, 5), east);

    const std::string cs = std::to_string(CombatStrength(s, t, leader));
    const std::string lateCs = std::to_string(CombatStrength(s, t, late));
    const std::string def = std::to_string(DefenceRating(s, t, leader)) + "%";
    const RosterGrid ob = BuildRoster(s, t, RosterKind::OrderOfBattle, SideWestern);
    EXPECT_EQ(ob.Table.Title, "Western Forces Order of Battle ");
    EXPECT_THAT(ob.Table.Headers,
                ElementsAre("Unit", "Type", "Class", "Men", "Morale", "Combat", "Defense", "Missile", "Ammo",
                            "Value", "Group", "Leader", "Rtg/Rng", "Supply Lvl", "Hex"));
    EXPECT_THAT(ob.Table.Widths, ElementsAre(115, 50, 50, 30, 40, 45, 45, 40, 35, 35, 115, 115, 45, 55, 40));
    EXPECT_EQ(ob.Table.Rows, (std::vector<std::vector<std::string>>{
                                 {"Sir Aldric", "Leader", "Elite", "12", "95", cs, def, "0", "0", "3", "Main",
                                  "Sir Aldric", "2/4", "-", "12"},
                                 {"     Late Horse", "Cavalry", "Peasant", "40", "70", lateCs, "0%", "0", "0",
                                  "3", "Left", "None", "-", "-", "125"}}));
    EXPECT_EQ(ob.Rows[1].Unit, late);

    const RosterGrid schedule = BuildRoster(s, t, RosterKind::Schedule, SideWestern);
    EXPECT_EQ(schedule.Table.Title, "Western Forces Reinforcement Schedule");
    EXPECT_THAT(schedule.Table.Headers,
                ElementsAre("Unit", "Arrival", "Type", "Class", "Men", "Morale", "Combat", "Defense",
                            "Missile", "Ammo", "Value", "Group", "Leader", "Rtg/Rng", "Supply Lvl"));
    EXPECT_THAT(schedule.Table.Widths,
                ElementsAre(115, 60, 50, 50, 30, 40, 40, 45, 40, 35, 35, 115, 115, 50, 60));
    EXPECT_EQ(schedule.Table.Rows, (std::vector<std::vector<std::string>>{
                                       {"Late Horse", "7", "Cavalry", "Peasant", "40", "70", lateCs, "0%",
                                        "0", "0", "3", "Left", "None", "-", "-"}}));

    EXPECT_EQ(BuildRoster(s, t, RosterKind::OrderOfBattle, SideEastern).Table.Rows.size(), 1u);
    EXPECT_TRUE(CanShowRoster(s, RosterKind::Schedule, SideWestern));
    s.Units[late].ActivationTurn = 1;
    EXPECT_FALSE(CanShowRoster(s, RosterKind::Schedule, SideWestern));
    EXPECT_TRUE(CanShowRoster(s, RosterKind::OrderOfBattle, SideWestern));
}

class RosterLogicTest : public ::testing::Test {
  protected:
    Scenario s = MakeScenario(Cols, 15);
    const EquipmentTables t = MakeTables();
    k2test::BoxRecorder boxes;
    k2test::SoundRecorder sounds;
    ForceRosterLogic ob{RosterKind::OrderOfBattle, s, t, boxes, sounds};
    ForceRosterLogic schedule{RosterKind::Schedule, s, t, boxes, sounds};

    // Three Western units listed weakest first, so that SortUnits reorders them, and an
    // Eastern reinforcement.
    void SetUp() override {
        UnitRecord weak = Unit("Levy", 20, 60);
        weak.ActivationTurn = 3;
        AddUnit(s, Hex(9, 9), weak);
        AddUnit(s, Hex(12, 5), Unit("Spearmen", 60, 90));
        AddUnit(s, Hex(3, 14), Leader("Lord Bren", 1, 6));
        UnitRecord east = Unit("Raiders");
        east.Side = SideEastern;
        AddUnit(s, Hex(1, 1), east);
    }
    std::vector<std::string> Column(const ForceRosterLogic& logic, std::size_t column) {
        std::vector<std::string> out;
        for (int32_t r = 0; r < logic.RowCount(); ++r)
            out.push_back(logic.Cells(r)[column]);
        return out;
    }
};

TEST_F(RosterLogicTest, RefusalsShowTheMessageAndSortNothing) {
    const Scenario before = s;
    bool sorted = false;
    s.Units[4].Side = SideWestern;
    EXPECT_FALSE(ob.Open(SideEastern, [&] { sorted = true; }));
    EXPECT_FALSE(ob.Open(SideEastern));
    EXPECT_FALSE(schedule.Open(SideEastern));
    s.Units[4].Side = SideEastern;
    EXPECT_FALSE(sorted);
    EXPECT_TRUE(s == before);
    EXPECT_THAT(boxes.asked, ElementsAre(std::pair(LayoutOk, MsgNoUnits), std::pair(LayoutOk, MsgNoUnits),
                                         std::pair(LayoutOk, MsgNoReinforcements)));
    EXPECT_EQ(RefusalFor(RosterKind::OrderOfBattle).Title, "Order of Battle");
    EXPECT_EQ(RefusalFor(RosterKind::OrderOfBattle).Text, "Units for this faction have not been defined.");
    EXPECT_EQ(RefusalFor(RosterKind::Schedule).Title, "ReinForcements");
    EXPECT_EQ(RefusalFor(RosterKind::Schedule).Text,
              "Reinforcements for this faction have not been defined.");
}

TEST_F(RosterLogicTest, OrderOfBattleSortsThroughTheCallerOrItselfAndTheScheduleNever) {
    Scenario expected = s;
    SortUnits(expected, t);
    ASSERT_FALSE(expected == s);
    const Scenario unsorted = s;

    bool called = false;
    ASSERT_TRUE(schedule.Open(SideWestern, [&] { called = true; }));
    EXPECT_FALSE(called);
    EXPECT_TRUE(s == unsorted);
    EXPECT_EQ(schedule.RowCount(), 1);

    ASSERT_TRUE(ob.Open(SideWestern, [&] {
        called = true;
        SortUnits(s, t);
    }));
    EXPECT_TRUE(called);
    EXPECT_TRUE(s == expected);
    // Leader first (its strength counts ten times), then by decreasing strength.
    EXPECT_THAT(Column(ob, 0), ElementsAre("Lord Bren", "     Spearmen", "     Levy"));
    EXPECT_EQ(ob.UnitAt(2), 3);
    EXPECT_EQ(ob.SelectedRow(), 0);

    s = unsorted;
    ASSERT_TRUE(ob.Open(SideWestern));
    EXPECT_TRUE(s == expected);
    EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(RosterLogicTest, ClicksDoubleClicksAndClosing) {
    ASSERT_TRUE(ob.Open(SideWestern));
    ob.ClickRow(2);
    ob.ClickRow(7); // below the last row: nothing
    EXPECT_EQ(ob.SelectedRow(), 2);
    EXPECT_THAT(sounds.played, ElementsAre(SoundAccept));
    EXPECT_EQ(ob.DoubleClickRow(1), 2);
    EXPECT_EQ(ob.SelectedRow(), 1);
    EXPECT_EQ(ob.DoubleClickRow(3), 0);
    EXPECT_EQ(ob.Close(), RosterClosed);
    EXPECT_EQ(sounds.played.size(), 1u); // Exit plays nothing

    ASSERT_TRUE(schedule.Open(SideWestern));
    schedule.ClickRow(0); // the schedule's clicks only move the selection
    EXPECT_EQ(sounds.played.size(), 1u);
    EXPECT_EQ(schedule.DoubleClickRow(0), 3);
    EXPECT_EQ(schedule.Close(), RosterClosed);
    EXPECT_THAT(sounds.played, ElementsAre(SoundAccept, SoundAccept));
}

TEST_F(RosterLogicTest, HeaderClicksSortTheDisplayOnly) {
    ASSERT_TRUE(ob.Open(SideWestern));
    const Scenario sorted = s;
    ob.ClickRow(0); // the leader
    const std::size_t men = 3, rating = 12, hex = 14;

    ob.ClickHeader(int32_t(men));
    EXPECT_THAT(Column(ob, men), ElementsAre("12", "20", "60"));
    ob.ClickHeader(int32_t(men));
    EXPECT_THAT(Column(ob, men), ElementsAre("60", "20", "12"));
    EXPECT_EQ(ob.Sort(), SortDirection::Descending);
    EXPECT_EQ(ob.UnitAt(2), 1);     // rows move, unit numbers stay
    EXPECT_EQ(ob.SelectedRow(), 2); // the selection follows its unit
    ob.ClickHeader(int32_t(men));   // third click: the unit-list order again
    EXPECT_EQ(ob.Sort(), SortDirection::None);
    EXPECT_THAT(Column(ob, 0), ElementsAre("Lord Bren", "     Spearmen", "     Levy"));

    // Hexes order by map position, not by their text ("125" is row 12, below row 9).
    ob.ClickHeader(int32_t(hex));
    EXPECT_THAT(Column(ob, hex), ElementsAre("314", "99", "125"));
    ob.ClickHeader(0); // names without their indentation
    EXPECT_THAT(Column(ob, 0), ElementsAre("     Levy", "Lord Bren", "     Spearmen"));
    ob.ClickHeader(int32_t(rating));
    ob.ClickHeader(int32_t(rating)); // a "-" stands below every rating
    EXPECT_THAT(Column(ob, rating), ElementsAre("1/6", "-", "-"));
    EXPECT_TRUE(s == sorted);
}

TEST_F(RosterLogicTest, CopyGivesTheGridAsShown) {
    ASSERT_TRUE(ob.Open(SideWestern));
    ob.ClickHeader(3); // Men ascending
    std::string expected =
        "Unit\tType\tClass\tMen\tMorale\tCombat\tDefense\tMissile\tAmmo\tValue\tGroup\tLeader\t"
        "Rtg/Rng\tSupply Lvl\tHex\n";
    for (int32_t r = 0; r < ob.RowCount(); ++r) {
        for (std::size_t c = 0; c < ob.Cells(r).size(); ++c)
            expected += (c ? "\t" : "") + ob.Cells(r)[c];
        expected += "\n";
    }
    EXPECT_EQ(ob.CopyText(), expected);
    EXPECT_EQ(ob.CopyText().substr(expected.find('\n') + 1, 10), "Lord Bren\t");
    // Tabs and line breaks inside a cell would shift the columns: they become blanks.
    EXPECT_EQ(TabSeparated({"A", "B"}, {{"x\ty", "1"}, {"line\nbreak", "2"}}, {1, 0}),
              "A\tB\nline break\t2\nx y\t1\n");
}

TEST_F(RosterLogicTest, RefreshFollowsTheBattleAfterAnEditorSession) {
    ASSERT_TRUE(ob.Open(SideWestern));
    ob.ClickHeader(3);
    ob.ClickRow(2);
    s.Units[3].Name = "Old Levy";
    s.RemoveUnit(2);
    ob.Refresh();
    EXPECT_EQ(ob.Sort(), SortDirection::Ascending); // the display sort stays
    EXPECT_THAT(Column(ob, 0), ElementsAre("Lord Bren", "     Old Levy"));
    EXPECT_EQ(ob.UnitAt(1), 2); // renumbered by the removal
    EXPECT_EQ(ob.SelectedRow(), 1);

    s.RemoveUnit(1);
    s.RemoveUnit(1);
    ob.Refresh();
    EXPECT_EQ(ob.RowCount(), 0);
    EXPECT_EQ(ob.SelectedRow(), -1);
    EXPECT_EQ(ob.DoubleClickRow(0), 0);
}
