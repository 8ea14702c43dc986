// The definition tables view without widgets: titles, headers, widths, the grid's place and
// the cells of every table.
#include "forces/definition_tables_logic.h"

#include "forces/forces_fixture.h"
#include "forces/forces_recorders.h"

#include <gmock/gmock.h>

using namespace k2;
using k2test::MakeTables;
using ::testing::ElementsAre;

namespace {

struct TableCase {
    DefTable table;
    const char* title;
    std::vector<std::string> headers;
    std::vector<int32_t> widths;
    int32_t gridWidth;
    int32_t left;
    std::size_t rows;
};

} // namespace

TEST(DefinitionTables, LayoutOfEachTable) {
    const EquipmentTables t = MakeTables();
    const std::vector<TableCase> cases = {
        {DefTable::MissileWeapons,
         "Missile Weapons",
         {"Weapon", "Rating", "Range", "OverHead Fire", "Shots Per Turn", "Weight", "Pwdr"},
         {100, 40, 40, 75, 80, 40, 40},
         440,
         10,
         4},
        {DefTable::CombatWeapons,
         "Combat Weapons",
         {"Weapon", "Rating", "Length", "Weight"},
         {100, 40, 40, 40},
         245,
         86,
         3},
        {DefTable::Armour, "Battle Armour", {"Type", "Rating", "Weight"}, {100, 40, 40}, 205, 106, 2},
        {DefTable::Shields, "Battle Shields", {"Type", "Rating", "Weight"}, {100, 40, 40}, 205, 106, 2},
    };
    for (const TableCase& c : cases) {
        const GridTable g = DefinitionTable(t, c.table);
        EXPECT_EQ(g.Title, c.title);
        EXPECT_EQ(g.Headers, c.headers) << c.title;
        EXPECT_EQ(g.Widths, c.widths) << c.title;
        EXPECT_EQ(g.Rows.size(), c.rows) << c.title;
        for (const auto& row : g.Rows)
            EXPECT_EQ(row.size(), c.headers.size()) << c.title;
        EXPECT_EQ(DefinitionGridWidth(c.table), c.gridWidth) << c.title;
        EXPECT_EQ(DefinitionGridLeft(c.table), c.left) << c.title;
    }
    // A wider grid (wider columns) stays centred in its area; the missile grid keeps its edge.
    EXPECT_EQ(DefinitionGridLeft(DefTable::Armour, 300, 500), 100);
    EXPECT_EQ(DefinitionGridLeft(DefTable::MissileWeapons, 500, 600), 10);
}

TEST(DefinitionTables, CellsOfEveryTableAndAnEmptyOne) {
    EquipmentTables t = MakeTables();
    t.MissileWeapons[4] = {FixedText<27>("Culverin"), 750, 18, 200, 1, 1, 1};
    t.MissileWeapons[5] = {FixedText<27>("Bombard"), 1000, 10, 250, 0, 1, 1};
    t.MissileWeapons[6] = {FixedText<27>("Bow"), 2, 8, 40, 0, 2, 3};
    t.MissileCount = 7;
    const GridTable missiles = DefinitionTable(t, DefTable::MissileWeapons);
    EXPECT_THAT(missiles.Rows[0], ElementsAre("None", "0", "0", "No", "0", "0", "Yes"));
    EXPECT_THAT(missiles.Rows[1], ElementsAre("Long Bow", "70", "12", "Yes", "2", "5", "No"));
    EXPECT_THAT(missiles.Rows[2], ElementsAre("Light Gun", "300", "20", "No", "1", "Lt", "Yes"));
    EXPECT_THAT(missiles.Rows[3], ElementsAre("Hand Gun", "60", "6", "No", "1", "8", "Yes"));
    EXPECT_THAT(missiles.Rows[4], ElementsAre("Culverin", "200", "18", "Yes", "1", "Med", "Yes"));
    EXPECT_THAT(missiles.Rows[5], ElementsAre("Bombard", "250", "10", "No", "1", "Hvy", "Yes"));
    EXPECT_THAT(missiles.Rows[6], ElementsAre("Bow", "40", "8", "No", "2", "2", "No"));

    EXPECT_THAT(DefinitionTable(t, DefTable::CombatWeapons).Rows[1], ElementsAre("Spear", "50", "8", "10"));
    EXPECT_THAT(DefinitionTable(t, DefTable::Armour).Rows[1], ElementsAre("Mail", "60", "20"));
    EXPECT_THAT(DefinitionTable(t, DefTable::Shields).Rows[1], ElementsAre("Kite", "40", "9"));

    t.ShieldCount = 0; // its file was missing: the header only
    const GridTable empty = DefinitionTable(t, DefTable::Shields);
    EXPECT_TRUE(empty.Rows.empty());
    EXPECT_EQ(empty.Headers.size(), 3u);
}

TEST(DefinitionTables, LogicRebuildsForEachShowingAndOkClicks) {
    const EquipmentTables t = MakeTables();
    k2test::SoundRecorder sounds;
    DefStatsLogic logic(t, sounds);
    logic.Show(DefTable::CombatWeapons);
    EXPECT_EQ(logic.Grid().Title, "Combat Weapons");
    EXPECT_EQ(logic.GridLeft(), 86);
    logic.Show(DefTable::MissileWeapons);
    EXPECT_EQ(logic.Grid().Title, "Missile Weapons");
    EXPECT_EQ(logic.GridLeft(), 10); // back at the left edge
    EXPECT_EQ(logic.GridWidth(), 440);
    EXPECT_EQ(logic.Grid().Rows.size(), 4u);
    EXPECT_TRUE(sounds.played.empty());
    logic.Ok();
    EXPECT_THAT(sounds.played, ElementsAre(SoundAccept));
}
