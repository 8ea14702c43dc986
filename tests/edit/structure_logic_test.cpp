// The rules of the structures dialog on its logic class.
#include "edit/structure_logic.h"
#include "map_work_fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace k2;
using namespace k2test::mapwork;

class StructureLogicTest : public ::testing::Test {
  protected:
    StructureLogicTest() : battle(MakeBattle(20, 20)), s(*battle), logic(s, StockSymbols()) {}
    int32_t Hex(int32_t row, int32_t col) const { return s.HexIndex(row, col); }
    int32_t Listed(size_t row) const { return TerrainSymbolRows(StockSymbols(), "3").at(row).Terrain; }

    std::unique_ptr<Scenario> battle;
    Scenario& s;
    StructureLogic logic;
};

TEST(StructureSymbolList, ListsEveryStructureNameInDisplayOrderWithoutItsPrefix) {
    const SymbolSet& set = StockSymbols();
    std::vector<int32_t> places;
    for (const SymbolRow& row : TerrainSymbolRows(set, "3")) {
        EXPECT_EQ("3 " + row.Name, set.Terrain(row.Terrain).Name.View());
        for (int32_t p = 0; p < set.TerrainCount(); ++p)
            if (set.TerrainAtPlace(p) == row.Terrain) places.push_back(p);
    }
    int32_t structures = 0;
    for (const SymbolEntry& entry : set.TerrainEntries())
        structures += entry.Name.View().starts_with("3") ? 1 : 0;
    EXPECT_GE(structures, 5);
    EXPECT_EQ(int32_t(places.size()), structures);
    EXPECT_TRUE(std::is_sorted(places.begin(), places.end()));
}

TEST_F(StructureLogicTest, ActivationShowsTheHexsStructureOrOffersAdd) {
    logic.Activate(Hex(5, 5));
    EXPECT_EQ(logic.StructureNumber(), 0);
    EXPECT_FALSE(logic.GroupsEnabled());
    EXPECT_TRUE(logic.AddEnabled());
    EXPECT_FALSE(logic.RemoveEnabled());
    EXPECT_EQ(logic.WesternCaption(), "Red Host");
    EXPECT_EQ(logic.EasternCaption(), "Blue Host");
    EXPECT_EQ(logic.SelectedSymbol(), Listed(0));
    EXPECT_EQ(logic.SelectedSymbolName(), logic.Rows().at(0).Name);

    const int32_t n = AddStructure(s, 6, 6, "Old Keep", Listed(3));
    s.Structures[size_t(n)].Side = SideEastern;
    s.Structures[size_t(n)].DefenseMod = -3;
    s.Structures[size_t(n)].Height = 7;
    logic.Activate(Hex(6, 6));
    EXPECT_EQ(logic.StructureNumber(), n);
    EXPECT_TRUE(logic.GroupsEnabled() && logic.RemoveEnabled());
    EXPECT_FALSE(logic.AddEnabled());
    EXPECT_EQ(logic.Name(), "Old Keep");
    EXPECT_EQ(logic.Side(), SideEastern);
    EXPECT_EQ(logic.SelectedRow(), 3);
    EXPECT_EQ(logic.DefenseText(), "Defensive Mod: -3");
    EXPECT_EQ(logic.SupplyText(), "Supply Level: " + std::to_string(s.Structures[size_t(n)].SupplyLevel));
    EXPECT_EQ(logic.HeightText(), "Height: 7");

    // A symbol the list does not offer: the list keeps its row, the structure its symbol.
    logic.SelectRow(2);
    const int32_t odd = AddStructure(s, 7, 7, "Odd", BorderTerrain);
    logic.Activate(Hex(7, 7));
    EXPECT_EQ(logic.SelectedRow(), 2);
    logic.Exit();
    EXPECT_EQ(s.Structures[size_t(odd)].Symbol, BorderTerrain);
}

TEST_F(StructureLogicTest, AUnitOnTheHexClosesTheOtherSideButKeepsTheStoredOwner) {
    for (const bool existing : {true, false}) {
        for (const int32_t unitSide : {SideWestern, SideEastern}) {
            auto own = MakeBattle(20, 20);
            Scenario& b = *own;
            StructureLogic l(b, StockSymbols());
            const int32_t other = unitSide == SideWestern ? SideEastern : SideWestern;
            AddUnit(b, 6, 6, "Guard", unitSide);
            if (existing) b.Structures[size_t(AddStructure(b, 6, 6, "Tower", Listed(0)))].Side = other;
            l.Activate(b.HexIndex(6, 6));
            if (!existing) l.Add();
            SCOPED_TRACE(testing::Message() << "unit side " << unitSide << " existing " << existing);
            EXPECT_EQ(l.WesternEnabled(), unitSide == SideWestern);
            EXPECT_EQ(l.EasternEnabled(), unitSide == SideEastern);
            // A stored structure shows its recorded owner; a new one starts with the unit's.
            EXPECT_EQ(l.Side(), existing ? other : unitSide);
            l.SelectSide(other);
            EXPECT_EQ(l.Side(), existing ? other : unitSide) << "the closed button cannot be picked";
            l.Exit();
            EXPECT_EQ(b.Structures[1].Side, existing ? other : unitSide) << "Exit alone keeps the owner";
            // Picking the open side is stored.
            l.Activate(b.HexIndex(6, 6));
            l.SelectSide(unitSide);
            l.Exit();
            EXPECT_EQ(b.Structures[1].Side, unitSide);
        }
    }
    logic.Activate(Hex(7, 7));
    logic.Add();
    EXPECT_EQ(logic.Side(), SideWestern);
    logic.SelectSide(SideEastern);
    EXPECT_EQ(logic.Side(), SideEastern) << "without a unit both sides are open";
}

TEST_F(StructureLogicTest, ASetWithoutStructureSymbolsOffersNoSymbol) {
    SymbolSet set = StockSymbols();
    StructureLogic l(s, set);
    l.Activate(Hex(5, 5));
    l.SelectRow(2);
    ASSERT_EQ(l.SelectedSymbol(), Listed(2));

    SymbolSet none;
    set.swap(none); // another battle's set, with no structure symbols
    l.Activate(Hex(5, 5));
    EXPECT_TRUE(l.Rows().empty());
    EXPECT_EQ(l.SelectedSymbol(), NoSymbol);
    EXPECT_EQ(l.SelectedSymbolName(), "");
    l.Add();
    l.Exit();
    ASSERT_EQ(s.StructureCount, 1);
    EXPECT_EQ(s.Structures[1].Symbol, NoSymbol) << "no symbol of the earlier set is stored";
}

TEST_F(StructureLogicTest, ArrowsStepWithinTheirRanges) {
    logic.Activate(Hex(4, 4));
    logic.Add();
    EXPECT_EQ(logic.DefenseText() + logic.SupplyText() + logic.HeightText(),
              "Defensive Mod: 0Supply Level: 1Height: 1");
    struct Case {
        void (StructureLogic::*up)();
        void (StructureLogic::*down)();
        int32_t (StructureLogic::*value)() const;
        int32_t low, high;
    };
    for (const Case& c :
         {Case{&StructureLogic::DefenseUp, &StructureLogic::DefenseDown, &StructureLogic::DefenseMod, -8, 8},
          Case{&StructureLogic::SupplyUp, &StructureLogic::SupplyDown, &StructureLogic::SupplyLevel, 0, 100},
          Case{&StructureLogic::HeightUp, &StructureLogic::HeightDown, &StructureLogic::Height, 0, 10}}) {
        for (int i = 0; i < 120; ++i)
            (logic.*c.up)();
        EXPECT_EQ((logic.*c.value)(), c.high);
        for (int i = 0; i < 240; ++i)
            (logic.*c.down)();
        EXPECT_EQ((logic.*c.value)(), c.low);
    }
}

TEST_F(StructureLogicTest, ExitCreatesOrStoresTheStructure) {
    AddStructure(s, 2, 2, "First");
    logic.Activate(Hex(8, 9));
    logic.Add();
    EXPECT_EQ(logic.Name(), "New Structure");
    EXPECT_EQ(s.StructureCount, 1) << "Add alone creates nothing";
    logic.SetName("Watch Tower of the North Pass");
    logic.SelectRow(4);
    logic.SelectSide(SideEastern);
    logic.DefenseUp();
    EXPECT_FALSE(logic.MarkModified());
    EXPECT_EQ(logic.Exit(), StructureResultRedraw);
    EXPECT_TRUE(logic.MarkModified());
    ASSERT_EQ(s.StructureCount, 2);
    StructureRecord& made = s.Structures[2];
    EXPECT_EQ(made.Name, "Watch Tower of the North Pa") << "the name field holds 27 characters";
    EXPECT_EQ(made.Hex, Hex(8, 9));
    EXPECT_EQ(made.Side, SideEastern);
    EXPECT_EQ(made.Symbol, Listed(4));
    EXPECT_EQ(made.DefenseMod, 1);
    EXPECT_EQ(made.SupplyLevel, 1);
    EXPECT_EQ(made.Height, 1);
    EXPECT_EQ(Inconsistency(s), "");

    // Storing again resets capacity and SpareB; SpareA stays.
    made.Capacity = 4;
    made.SpareB = 9;
    made.SpareA = 5;
    logic.Activate(Hex(8, 9));
    logic.Exit();
    EXPECT_EQ(made.Capacity, 1);
    EXPECT_EQ(made.SpareB, 0);
    EXPECT_EQ(made.SpareA, 5);
}

TEST_F(StructureLogicTest, ExitWithoutCreatingChangesNothingButAsksForTheModifiedMark) {
    const Scenario start = s;
    logic.Activate(Hex(5, 5));
    logic.Exit();
    EXPECT_TRUE(logic.MarkModified());
    EXPECT_TRUE(s == start);

    for (int32_t k = 0; k < MaxStructures; ++k)
        AddStructure(s, 1 + k / 18, 1 + k % 18, "S" + std::to_string(k));
    const Scenario full = s;
    logic.Activate(Hex(18, 18));
    logic.Add();
    logic.Exit();
    EXPECT_TRUE(logic.MarkModified());
    EXPECT_TRUE(s == full) << "a full table creates nothing";
}

TEST_F(StructureLogicTest, RemoveRenumbersOrDiscardsWhatAddPrepared) {
    AddStructure(s, 3, 3, "A");
    AddStructure(s, 4, 4, "B");
    AddStructure(s, 5, 5, "C");
    const int32_t spareOfC = s.Structures[3].SpareA;
    logic.Activate(Hex(4, 4));
    EXPECT_EQ(logic.Remove(), StructureResultRedraw);
    EXPECT_FALSE(logic.MarkModified());
    ASSERT_EQ(s.StructureCount, 2);
    EXPECT_EQ(s.Structures[2].Name, "C");
    EXPECT_EQ(s.Structures[2].SpareA, spareOfC) << "every field moves with its structure";
    EXPECT_EQ(s.Hexes[size_t(Hex(3, 3))].Structure, 1);
    EXPECT_EQ(s.Hexes[size_t(Hex(4, 4))].Structure, 0);
    EXPECT_EQ(s.Hexes[size_t(Hex(5, 5))].Structure, 2);
    EXPECT_EQ(Inconsistency(s), "");

    EXPECT_FALSE(RemoveStructureAt(s, Hex(4, 4)));
    EXPECT_TRUE(RemoveStructureAt(s, Hex(3, 3))); // the scripts' removal
    EXPECT_EQ(s.Hexes[size_t(Hex(5, 5))].Structure, 1);

    const Scenario before = s;
    logic.Activate(Hex(6, 6));
    logic.Add();
    EXPECT_TRUE(logic.RemoveEnabled());
    EXPECT_EQ(logic.Remove(), StructureResultRedraw);
    EXPECT_TRUE(s == before);
}

} // namespace
