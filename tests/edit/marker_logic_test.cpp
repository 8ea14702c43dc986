// The special hex markers dialog's rules: the symbol list, the kind every opening starts on,
// what a list click changes for each kind, and the session as one step of the history.
#include "edit/marker_logic.h"
#include "marker_text_fixture.h"

#include <gmock/gmock.h>

namespace k2 {
namespace {

using k2test_markers::PlaceUnit;
using k2test_markers::SmallBattle;
using k2test_markers::StockSymbols;

class MarkerLogicTest : public ::testing::Test {
  protected:
    std::unique_ptr<Scenario> battle = SmallBattle();
    EditHistory history{*battle};
    MarkerLogic logic{*battle, StockSymbols(), history};

    int32_t RowShowing(int32_t terrain) {
        for (std::size_t i = 0; i < logic.Rows().size(); ++i)
            if (logic.Rows()[i].Terrain == terrain) return int32_t(i);
        return -1;
    }
    int32_t RowNamed(const std::string& name) {
        for (std::size_t i = 0; i < logic.Rows().size(); ++i)
            if (logic.Rows()[i].Name == name) return int32_t(i);
        ADD_FAILURE() << "no row " << name;
        return -1;
    }
};

TEST_F(MarkerLogicTest, ListsMarkerAndStructureSymbolsInDisplayOrderWithoutTheirCategory) {
    const SymbolSet& symbols = StockSymbols();
    std::vector<MarkerRow> expected;
    for (int32_t place = 0; place < symbols.TerrainCount(); ++place) {
        const int32_t t = symbols.TerrainAtPlace(place);
        const std::string name = symbols.Terrain(t).Name.Str();
        if (name[0] == '3' || name[0] == '4') expected.push_back({t, name.substr(2)});
    }
    ASSERT_GT(expected.size(), 10u);
    EXPECT_EQ(MarkerSymbolRows(symbols), expected);
    logic.Open();
    EXPECT_EQ(logic.Rows(), expected);
    // Both categories are there.
    EXPECT_GE(RowNamed("Castle"), 0);
    EXPECT_GE(RowNamed("Western Reinforcement"), 0);
}

TEST_F(MarkerLogicTest, EveryOpeningStartsOnWesternReinforcementAtItsSymbol) {
    logic.Open();
    EXPECT_EQ(logic.CurrentKind(), MarkerWesternReinforcement);
    EXPECT_EQ(logic.SelectedRow(), RowShowing(29));
    EXPECT_EQ(logic.PreviewSymbol(), 29);
    EXPECT_EQ(logic.PreviewName(), "Western Reinforcement");

    logic.SelectKind(MarkerObjective);
    EXPECT_EQ(logic.CurrentKind(), MarkerObjective);
    EXPECT_EQ(logic.SelectedRow(), RowShowing(9));
    logic.Exit();

    logic.Open();
    EXPECT_EQ(logic.CurrentKind(), MarkerWesternReinforcement);
    EXPECT_EQ(logic.SelectedRow(), RowShowing(29));
    logic.Exit();
}

TEST_F(MarkerLogicTest, UnlistedSymbolsLeaveTheSelectionWhereItFits) {
    // Opening on a Western symbol that no row shows selects the first row.
    battle->MarkerSymbols[MarkerWesternReinforcement] = 0;
    history.Reset();
    logic.Open();
    EXPECT_EQ(logic.SelectedRow(), 0);
    logic.SelectKind(MarkerEasternReinforcement);
    EXPECT_EQ(logic.SelectedRow(), RowShowing(28));
    // A kind whose symbol no row shows keeps the previous row; hidden kinds are not offered.
    battle->MarkerSymbols[MarkerObjective] = NoSymbol;
    logic.SelectKind(MarkerObjective);
    EXPECT_EQ(logic.CurrentKind(), MarkerObjective);
    EXPECT_EQ(logic.SelectedRow(), RowShowing(28));
    logic.SelectKind(MarkerCaltrops);
    EXPECT_EQ(logic.CurrentKind(), MarkerObjective);
    logic.Exit();
}

// A list click for each offered kind: the table entry changes, and only the reinforcement
// hexes of the kind's side follow it.
struct RemarkCase {
    int32_t kind;
    bool westernFollows;
    bool easternFollows;
};

class MarkerRemarkTest : public MarkerLogicTest, public ::testing::WithParamInterface<RemarkCase> {};

TEST_P(MarkerRemarkTest, ListClickReMarksTheReinforcementHexesOfThatSideAtOnce) {
    const RemarkCase c = GetParam();
    const int32_t westStart = battle->HexIndex(2, 2), westLate1 = battle->HexIndex(3, 2),
                  westLate2 = battle->HexIndex(4, 2), eastStart = battle->HexIndex(2, 8),
                  eastLate = battle->HexIndex(3, 8);
    PlaceUnit(*battle, westStart, SideWestern, 1);
    PlaceUnit(*battle, westLate1, SideWestern, 2);
    PlaceUnit(*battle, westLate2, SideWestern, 7);
    PlaceUnit(*battle, eastStart, SideEastern, 1);
    PlaceUnit(*battle, eastLate, SideEastern, 3);
    // A unit whose hex is off the map (a damaged file) must not be followed.
    PlaceUnit(*battle, battle->HexIndex(5, 5), SideWestern, 4);
    battle->Units[std::size_t(battle->UnitCount)].Hex = battle->HexCount + 40;
    const Scenario before = *battle;
    history.Reset();

    logic.Open();
    logic.SelectKind(c.kind);
    const int32_t row = RowNamed("Victory Banner");
    const int32_t banner = logic.Rows()[std::size_t(row)].Terrain;
    logic.ClickRow(row);
    EXPECT_EQ(logic.SelectedRow(), row);
    EXPECT_EQ(logic.PreviewSymbol(), banner);

    EXPECT_EQ(battle->MarkerSymbols[std::size_t(c.kind)], banner);
    const auto marker = [&](int32_t hex) { return battle->Hexes[std::size_t(hex)].ReinforcementMarker; };
    EXPECT_EQ(marker(westStart), 0);
    EXPECT_EQ(marker(eastStart), 0);
    EXPECT_EQ(marker(westLate1), c.westernFollows ? banner : 29);
    EXPECT_EQ(marker(westLate2), c.westernFollows ? banner : 29);
    EXPECT_EQ(marker(eastLate), c.easternFollows ? banner : 28);
    // Nothing else of the battle moved.
    Scenario expected = before;
    expected.MarkerSymbols[std::size_t(c.kind)] = banner;
    for (int32_t h : {westLate1, westLate2})
        if (c.westernFollows) expected.Hexes[std::size_t(h)].ReinforcementMarker = banner;
    if (c.easternFollows) expected.Hexes[std::size_t(eastLate)].ReinforcementMarker = banner;
    EXPECT_TRUE(*battle == expected);
    logic.Exit();
}

INSTANTIATE_TEST_SUITE_P(Kinds, MarkerRemarkTest,
                         ::testing::Values(RemarkCase{MarkerWesternReinforcement, true, false},
                                           RemarkCase{MarkerEasternReinforcement, false, true},
                                           RemarkCase{MarkerObjective, false, false}));

TEST_F(MarkerLogicTest, TheSessionIsOneStepAndExitMarksTheBattleModified) {
    PlaceUnit(*battle, battle->HexIndex(3, 3), SideEastern, 5);
    history.Reset();
    const Scenario before = *battle;
    history.Reset();

    // Exit without a click still marks the battle modified, with no step to undo.
    logic.Open();
    EXPECT_EQ(logic.Exit(), MarkerResultOk);
    EXPECT_TRUE(history.Modified());
    EXPECT_FALSE(history.CanUndo());

    logic.Open();
    logic.SelectKind(MarkerEasternReinforcement);
    logic.ClickRow(RowNamed("Castle"));
    logic.SelectKind(MarkerObjective);
    logic.ClickRow(RowNamed("Victory Banner"));
    EXPECT_FALSE(history.CanUndo()) << "nothing is recorded before Exit";
    logic.Exit();
    EXPECT_EQ(history.StepCount(), 1u);
    EXPECT_EQ(history.UndoName(), "Set Special Hex Markers");
    history.Undo();
    EXPECT_TRUE(*battle == before);
}

TEST_F(MarkerLogicTest, ScriptsChooseAListedSymbolForAnOfferedKindOnly) {
    EXPECT_FALSE(logic.ChooseSymbol(MarkerCaltrops, 30)) << "a hidden kind";
    EXPECT_FALSE(logic.ChooseSymbol(MarkerObjective, 0)) << "a terrain, not a marker";
    EXPECT_EQ(battle->MarkerSymbols[MarkerObjective], 9);

    EXPECT_TRUE(logic.ChooseSymbol(MarkerObjective, 28));
    EXPECT_EQ(battle->MarkerSymbols[MarkerObjective], 28);
    EXPECT_EQ(logic.CurrentKind(), MarkerObjective);
}

} // namespace
} // namespace k2
