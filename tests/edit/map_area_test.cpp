// Copy, Cut, Delete and Paste Map Area and Fill Selection, through the session's commands and
// the paste mode's click, with the edit history as the editor runs them.
#include "edit/map_area_tools.h"

#include "common/battle_builder.h"
#include "edit_fixture.h"

#include <gmock/gmock.h>

namespace {

using k2::AreaCell;
using k2::BorderTerrain;
using k2::EditMode;
using k2::HexCell;
using k2::MapArea;
using k2::NoSymbol;
using k2::Scenario;
using k2::SelectionMode;
using k2::SoundRefuse;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr int32_t Cols = 20, Rows = 16;
constexpr int32_t At(int32_t row, int32_t col) {
    return row * Cols + col;
}

k2::StructureRecord Tower(int32_t symbol) {
    k2::StructureRecord s;
    s.Name = "Tower";
    s.Symbol = symbol;
    s.Side = 2;
    s.SupplyLevel = 40;
    s.Height = 3;
    s.DefenseMod = -2;
    return s;
}

k2::PlaceName Label(const char* text) {
    k2::PlaceName m;
    m.Text = text;
    m.FontName = "Kelt";
    m.Colour = 0x0000FF;
    m.Size = {8, 12, 16};
    m.Placement = {3, 4, 5};
    m.Style = 9 + 32;
    return m;
}

// A 20 x 16 battle of terrain 2 inside the border ring, with a 3 x 3 patch at rows 3..5,
// columns 4..6 that holds every layer: varied terrain, secondary terrains, caltrops, stakes, a
// structure, a map text, and a unit, a reinforcement marker and an objective that stay behind.
struct AreaFixture : k2::test::EditFixture {
    AreaFixture() : EditFixture(Cols, Rows, 2, {0, 1, 2, 3, 4}) {
        for (int32_t h = 0; h < battle->HexCount; ++h)
            if (battle->IsBorderHex(h)) Cell(h).PrimaryTerrain = BorderTerrain;
        for (int32_t r = 3; r <= 5; ++r)
            for (int32_t c = 4; c <= 6; ++c) {
                HexCell& cell = Cell(At(r, c));
                cell.PrimaryTerrain = 50 + r * 3 + c;
                cell.SecondaryTerrain = {55 + c, 104 + r, NoSymbol, NoSymbol, NoSymbol, 90};
            }
        Cell(At(3, 5)).Caltrops = 30;
        Cell(At(5, 5)).Stakes = 123;
        k2::test::AddStructure(*battle, At(4, 5), Tower(40));
        k2::test::AddMapText(*battle, At(3, 4), Label("Ford"));
        k2::test::AddUnit(*battle, At(4, 4));
        Cell(At(4, 4)).ReinforcementMarker = 29;
        k2::test::AddObjective(*battle, At(5, 6));
        history->Reset();
        session->Areas().SetTerrainSymbolCount([this] { return symbolCount; });
    }
    k2::MapAreaCommands& Areas() { return session->Areas(); }
    void SelectPatch() { session->Selection().SelectRectangle(At(3, 4), At(5, 6), SelectionMode::Replace); }
    k2::ClickOutcome PasteAt(int32_t hex) {
        edit.Mode = EditMode::PasteArea;
        return Click(hex);
    }
    int32_t symbolCount = 130;
};

TEST(MapArea, ACopyPastedElsewhereReproducesEveryCellAndRecordButNotUnitsMarkersOrObjectives) {
    AreaFixture f;
    f.SelectPatch();
    ASSERT_FALSE(f.Areas().Copy().Refused);
    const Scenario before = *f.battle;

    ASSERT_FALSE(f.PasteAt(At(8, 10)).Refused); // four rows down, six columns right

    for (int32_t r = 3; r <= 5; ++r)
        for (int32_t c = 4; c <= 6; ++c) {
            const HexCell& from = before.Hexes[std::size_t(At(r, c))];
            const HexCell& to = f.Cell(At(r + 5, c + 6));
            EXPECT_EQ(to.PrimaryTerrain, from.PrimaryTerrain);
            EXPECT_EQ(to.SecondaryTerrain, from.SecondaryTerrain);
            EXPECT_EQ(to.Caltrops, from.Caltrops);
            EXPECT_EQ(to.Stakes, from.Stakes);
            EXPECT_EQ(to.Unit, 0);
            EXPECT_EQ(to.ReinforcementMarker, 0);
            EXPECT_EQ(to.Objective, 0);
        }
    ASSERT_EQ(f.battle->StructureCount, 2);
    k2::StructureRecord pasted = f.battle->Structures[2];
    EXPECT_EQ(pasted.Hex, At(9, 11));
    EXPECT_EQ(f.Cell(At(9, 11)).Structure, 2);
    pasted.Hex = before.Structures[1].Hex;
    EXPECT_EQ(pasted, before.Structures[1]);
    ASSERT_EQ(f.battle->MapTextCount, 2);
    k2::PlaceName text = f.battle->MapTexts[2];
    EXPECT_EQ(f.Cell(At(8, 10)).MapText, 2);
    EXPECT_EQ(text.Hex, At(8, 10));
    text.Hex = before.MapTexts[1].Hex;
    EXPECT_EQ(text, before.MapTexts[1]);

    // One step, undone and redone exactly.
    const Scenario after = *f.battle;
    EXPECT_EQ(f.history->StepCount(), 1u);
    EXPECT_EQ(f.history->UndoName(), "Paste Map Area");
    f.history->Undo();
    EXPECT_EQ(*f.battle, before);
    f.history->Redo();
    EXPECT_EQ(*f.battle, after);
}

TEST(MapArea, MovesOnlyByEvenNumbersOfColumns) {
    struct Case {
        int32_t left;   // the area's left column where it was copied
        int32_t column; // the column under the pointer
        int32_t laid;   // the column its left edge goes to
    };
    const Case cases[] = {{4, 10, 10}, {4, 11, 10}, {5, 11, 11}, {5, 10, 9}, {5, 0, 1}, {4, 0, 0}};
    for (const Case& c : cases) {
        AreaFixture f;
        MapArea area;
        area.Left = c.left;
        area.Width = area.Height = 1;
        area.Cells = {AreaCell{}};
        area.Cells[0].PrimaryTerrain = 77;
        f.session->AreaClipboard().Fill(area);
        EXPECT_EQ(f.Areas().PasteColumn(c.column), c.laid) << c.left << " to " << c.column;
        EXPECT_EQ(k2::AllowedColumn(area, c.column), c.column == c.laid);
    }
    // The click lays the area where its preview showed it: the patch (left column 4) under
    // the pointer in column 9 goes to column 8.
    AreaFixture f;
    f.SelectPatch();
    f.Areas().Copy();
    f.PasteAt(At(9, 9));
    EXPECT_EQ(f.Cell(At(9, 8)).PrimaryTerrain, f.Cell(At(3, 4)).PrimaryTerrain);
    EXPECT_EQ(f.Cell(At(9, 9)).PrimaryTerrain, f.Cell(At(3, 5)).PrimaryTerrain);
}

TEST(MapArea, CellsOffTheMapOrOnTheBorderAreLeftOut) {
    AreaFixture f;
    f.SelectPatch();
    f.Areas().Copy();
    const Scenario before = *f.battle;
    // Rows 13..15 and columns 16..18: row 15 is the border, columns 16..18 lie inside.
    ASSERT_FALSE(f.PasteAt(At(13, 16)).Refused);
    std::vector<int32_t> changed;
    for (int32_t h = 0; h < f.battle->HexCount; ++h)
        if (!(f.Cell(h) == before.Hexes[std::size_t(h)])) changed.push_back(h);
    EXPECT_THAT(changed, ElementsAre(At(13, 16), At(13, 17), At(13, 18), At(14, 16), At(14, 17), At(14, 18)));
}

TEST(MapArea, APasteThatCannotBeLaidWhollyIsRefusedWithItsReasonAndChangesNothing) {
    struct Case {
        const char* what;
        std::function<void(AreaFixture&)> arrange;
        int32_t hex;
        const char* reason;
    };
    const Case cases[] = {
        {"the structure table is full",
         [](AreaFixture& f) {
             while (f.battle->StructureCount < k2::MaxStructures)
                 k2::test::AddStructure(*f.battle, At(12, 2 + f.battle->StructureCount % 15), Tower(40));
         },
         At(8, 10), "structure table"},
        {"the map text table is full",
         [](AreaFixture& f) {
             while (f.battle->MapTextCount < k2::MaxMapTexts)
                 k2::test::AddMapText(*f.battle, At(12, 2 + f.battle->MapTextCount % 15), Label("x"));
         },
         At(8, 10), "map text table"},
        {"a terrain the set lacks", [](AreaFixture& f) { f.symbolCount = 100; }, At(8, 10),
         "terrain symbol 107"},
        {"a structure symbol the set lacks",
         [](AreaFixture& f) {
             f.battle->Structures[1].Symbol = 128;
             f.symbolCount = 125;
         },
         At(8, 10), "terrain symbol 128"},
        {"only border hexes", [](AreaFixture&) {}, At(15, 18), "border"},
    };
    for (const Case& c : cases) {
        AreaFixture f;
        c.arrange(f);
        f.SelectPatch();
        f.Areas().Copy();
        f.history->Reset();
        const Scenario before = *f.battle;
        const auto outcome = f.PasteAt(c.hex);
        EXPECT_TRUE(outcome.Refused) << c.what;
        EXPECT_THAT(outcome.Reason, HasSubstr(c.reason)) << c.what;
        EXPECT_EQ(*f.battle, before) << c.what;
        EXPECT_FALSE(f.history->CanUndo()) << c.what;
        EXPECT_THAT(f.sounds.played, ElementsAre(SoundRefuse)) << c.what;
    }
}

TEST(MapArea, APastedStructureOrMapTextReplacesTheOneOnTheHexSoAFullTableTakesIt) {
    AreaFixture f;
    f.SelectPatch();
    f.Areas().Copy();
    while (f.battle->StructureCount < k2::MaxStructures)
        k2::test::AddStructure(*f.battle, At(9, 11), Tower(41)); // the last one holds the hex
    f.history->Reset();
    ASSERT_FALSE(f.PasteAt(At(8, 10)).Refused);
    EXPECT_EQ(f.battle->StructureCount, k2::MaxStructures);
    EXPECT_EQ(f.battle->Structures[std::size_t(f.Cell(At(9, 11)).Structure)].Symbol, 40);
}

TEST(MapArea, CutTakesTheAreaAndLeavesTheGroundOfANewBattleAsOneStep) {
    AreaFixture f;
    // A second structure outside the patch is renumbered when the patch's one goes.
    k2::test::AddStructure(*f.battle, At(10, 10), Tower(42));
    // The patch reaches the border: columns 0..1 of rows 3..4 join it.
    f.history->Reset();
    f.SelectPatch();
    f.session->Selection().SelectRectangle(At(3, 0), At(4, 1), SelectionMode::Add);
    const Scenario before = *f.battle;
    const MapArea expected = k2::CopyArea(before, f.session->Selection().Hexes());

    ASSERT_FALSE(f.Areas().Cut().Refused);

    EXPECT_EQ(f.session->AreaClipboard().Area(), expected);
    const std::vector<int32_t> selected = f.session->Selection().Hexes();
    std::size_t draw = 0;
    for (int32_t h : selected) {
        const HexCell& cell = f.Cell(h);
        if (f.battle->IsBorderHex(h)) {
            EXPECT_EQ(cell.PrimaryTerrain, BorderTerrain);
        } else {
            EXPECT_EQ(cell.PrimaryTerrain, k2::NewBattleTerrainMix[draw++ % 5]) << "hex " << h;
        }
        EXPECT_THAT(cell.SecondaryTerrain, ::testing::Each(NoSymbol));
        EXPECT_EQ(cell.Caltrops + cell.Stakes + cell.Structure + cell.MapText, 0) << "hex " << h;
    }
    EXPECT_EQ(f.random.calls, draw);
    EXPECT_EQ(f.Cell(At(4, 4)).Unit, 1);
    EXPECT_EQ(f.Cell(At(4, 4)).ReinforcementMarker, 29);
    EXPECT_EQ(f.Cell(At(5, 6)).Objective, 1);
    EXPECT_EQ(f.battle->StructureCount, 1);
    EXPECT_EQ(f.battle->MapTextCount, 0);
    EXPECT_EQ(f.Cell(At(10, 10)).Structure, 1);
    EXPECT_EQ(f.battle->Structures[1].Hex, At(10, 10));

    EXPECT_EQ(f.history->UndoName(), "Cut Map Area");
    const Scenario after = *f.battle;
    f.history->Undo();
    EXPECT_EQ(*f.battle, before);
    f.history->Redo();
    EXPECT_EQ(*f.battle, after);
}

TEST(MapArea, DeleteLeavesTheClipboardAlone) {
    AreaFixture f;
    f.SelectPatch();
    ASSERT_FALSE(f.Areas().Delete().Refused);
    EXPECT_FALSE(f.session->AreaClipboard().Filled());
    EXPECT_EQ(f.history->UndoName(), "Delete Map Area");
    EXPECT_EQ(f.battle->StructureCount, 0);
}

TEST(MapArea, CommandsWithoutASelectionOrClipboardAreRefused) {
    AreaFixture f;
    const Scenario before = *f.battle;
    EXPECT_TRUE(f.Areas().Copy().Refused);
    EXPECT_TRUE(f.Areas().Cut().Refused);
    EXPECT_TRUE(f.Areas().Delete().Refused);
    EXPECT_TRUE(f.Areas().FillSelection().Refused);
    EXPECT_TRUE(f.PasteAt(At(8, 8)).Refused);
    EXPECT_EQ(*f.battle, before);
    EXPECT_EQ(f.sounds.played.size(), 5u);
}

TEST(FillSelection, DrawsAVariantForEverySelectedHexButTheBorderAsOneStep) {
    AreaFixture f;
    f.Select(EditMode::PlacePrimary, 1, 0); // base 0 lays 0, 51, 67 or 4
    f.session->Selection().SelectRectangle(At(0, 1), At(1, 3), SelectionMode::Replace);
    ASSERT_FALSE(f.Areas().FillSelection().Refused);
    EXPECT_EQ(f.Cell(At(0, 2)).PrimaryTerrain, BorderTerrain);
    EXPECT_THAT(std::vector<int32_t>({f.Cell(At(1, 1)).PrimaryTerrain, f.Cell(At(1, 2)).PrimaryTerrain,
                                      f.Cell(At(1, 3)).PrimaryTerrain}),
                ElementsAre(0, 51, 67));
    EXPECT_EQ(f.history->UndoName(), "Fill Selection");
    f.history->Undo();
    EXPECT_EQ(f.Cell(At(1, 2)).PrimaryTerrain, 2);

    f.Select(EditMode::PlaceSecondary, 3, 55);
    EXPECT_THAT(f.Areas().FillSelection().Reason, HasSubstr("primary terrain"));
}

} // namespace
