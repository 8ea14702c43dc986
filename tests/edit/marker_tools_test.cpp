// Caltrops, stakes and the map text click, each run as the map runs them: through the click
// dispatch and the edit history, one undo step per click.
#include "common/redraw_recorder.h"
#include "edit/map_click_dispatch.h"
#include "edit/map_text_tool.h"
#include "edit/marker_tools.h"
#include "marker_text_fixture.h"

#include <gmock/gmock.h>

namespace k2 {
namespace {

using k2test_markers::PlaceUnit;
using k2test_markers::RecordingSounds;
using k2test_markers::SmallBattle;

class MarkerToolsTest : public ::testing::Test {
  protected:
    std::unique_ptr<Scenario> battle = SmallBattle();
    EditState edit;
    EditHistory history{*battle};
    RecordingSounds sounds;
    k2::test::RedrawRecorder redraw;
    MapClickDispatch dispatch{edit, history, sounds};
    CaltropsTool caltrops{*battle, sounds};
    StakesTool stakes{*battle, sounds};

    void SetUp() override {
        history.AddListener(&redraw);
        dispatch.Register(EditMode::Caltrops, caltrops);
        dispatch.Register(EditMode::Stakes, stakes);
    }
    ClickOutcome Click(EditMode mode, int32_t hex) {
        edit.Mode = mode;
        return dispatch.Press(true, MapButton::Left, hex);
    }
    HexCell& Cell(int32_t hex) { return battle->Hexes[std::size_t(hex)]; }
};

TEST_F(MarkerToolsTest, CaltropsToggleOneStepPerClickAndTwoClicksLeaveTheHexAsItWas) {
    const int32_t hex = battle->HexIndex(4, 4);
    PlaceUnit(*battle, hex, SideEastern); // caltrops ask for no unit and ignore one
    history.Reset();
    const Scenario start = *battle;

    EXPECT_FALSE(Click(EditMode::Caltrops, hex).Refused);
    EXPECT_EQ(Cell(hex).Caltrops, 30);
    EXPECT_EQ(history.UndoName(), "Place Caltrops");
    EXPECT_FALSE(Click(EditMode::Caltrops, hex).Refused);
    EXPECT_EQ(Cell(hex).Caltrops, 0);
    EXPECT_TRUE(*battle == start);
    EXPECT_EQ(history.StepCount(), 2u);
    EXPECT_THAT(sounds.played, ::testing::ElementsAre(SoundAccept, SoundAccept));

    history.Undo();
    EXPECT_EQ(Cell(hex).Caltrops, 30);
    history.Undo();
    EXPECT_TRUE(*battle == start);
}

TEST_F(MarkerToolsTest, CaltropsWithoutASymbolAreRefused) {
    battle->MarkerSymbols[MarkerCaltrops] = 0;
    history.Reset();
    const int32_t hex = battle->HexIndex(4, 4);
    const ClickOutcome outcome = Click(EditMode::Caltrops, hex);
    EXPECT_TRUE(outcome.Refused);
    EXPECT_EQ(outcome.Reason, "This battle's markers have no caltrops symbol.");
    EXPECT_THAT(sounds.played, ::testing::ElementsAre(SoundRefuse));
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(MarkerToolsTest, StakesWithoutASymbolAreRefused) {
    battle->MarkerSymbols[MarkerStakes] = 0;
    const int32_t hex = battle->HexIndex(4, 5);
    PlaceUnit(*battle, hex, SideWestern, 1, 1);
    history.Reset();
    const ClickOutcome outcome = Click(EditMode::Stakes, hex);
    EXPECT_EQ(outcome.Reason, "This battle's markers have no stakes symbol.");
    EXPECT_EQ(Cell(hex).Stakes, 0);
    EXPECT_THAT(sounds.played, ::testing::ElementsAre(SoundRefuse));
    EXPECT_FALSE(history.CanUndo());
}

// A stakes click on a hex without stakes, by what stands there.
struct PlantCase {
    const char* what;
    int32_t side; // 0: no unit
    int32_t hasStakes;
    int32_t expected; // the hex's Stakes afterwards; 0: refused
    const char* reason = "";
};

class StakesPlantTest : public MarkerToolsTest, public ::testing::WithParamInterface<PlantCase> {};

TEST_P(StakesPlantTest, PlantsTheSymbolOfTheUnitsSideOrRefuses) {
    const PlantCase c = GetParam();
    const int32_t hex = battle->HexIndex(5, 6);
    if (c.side != 0) PlaceUnit(*battle, hex, c.side, 1, c.hasStakes);
    history.Reset();
    const Scenario before = *battle;

    const ClickOutcome outcome = Click(EditMode::Stakes, hex);
    EXPECT_EQ(Cell(hex).Stakes, c.expected) << c.what;
    if (c.expected == 0) {
        EXPECT_TRUE(outcome.Refused) << c.what;
        EXPECT_EQ(outcome.Reason, c.reason) << c.what;
        EXPECT_THAT(sounds.played, ::testing::ElementsAre(SoundRefuse));
        EXPECT_TRUE(*battle == before);
        EXPECT_FALSE(history.CanUndo());
    } else {
        EXPECT_FALSE(outcome.Refused) << c.what;
        EXPECT_THAT(sounds.played, ::testing::ElementsAre(SoundAccept));
        EXPECT_EQ(history.StepCount(), 1u);
        EXPECT_EQ(history.UndoName(), "Plant Archer Stakes");
        history.Undo();
        EXPECT_TRUE(*battle == before);
    }
}

INSTANTIATE_TEST_SUITE_P(ByUnit, StakesPlantTest,
                         ::testing::Values(PlantCase{"western archers", SideWestern, 1, 122},
                                           PlantCase{"eastern archers", SideEastern, 1, 123},
                                           PlantCase{"a unit without stakes", SideWestern, 0, 0,
                                                     "This unit carries no stakes."},
                                           PlantCase{"an empty hex", 0, 0, 0,
                                                     "There is no unit on this hex to plant stakes for."}));

TEST_F(MarkerToolsTest, StakesComeUpWithoutAUnitAndFollowTheTableSymbol) {
    battle->MarkerSymbols[MarkerStakes] = 200;
    EXPECT_EQ(StakesSymbolFor(*battle, SideWestern), 200);
    EXPECT_EQ(StakesSymbolFor(*battle, SideEastern), 201);

    const int32_t hex = battle->HexIndex(3, 3);
    const int32_t u = PlaceUnit(*battle, hex, SideEastern, 1, 1);
    history.Reset();
    Click(EditMode::Stakes, hex);
    EXPECT_EQ(Cell(hex).Stakes, 201);
    // The unit leaves; its stakes stay with the hex, and a click pulls them up.
    history.Record("Add/Modify Units", [&] { battle->RemoveUnit(u); });
    EXPECT_EQ(Cell(hex).Stakes, 201);
    EXPECT_FALSE(Click(EditMode::Stakes, hex).Refused);
    EXPECT_EQ(Cell(hex).Stakes, 0);
    EXPECT_EQ(history.StepCount(), 3u); // plant, the unit's removal, pull up
    EXPECT_THAT(sounds.played, ::testing::ElementsAre(SoundAccept, SoundAccept));
}

// A dialog host that changes the battle as the map text dialog would, twice in one session.
class ScriptedMapTextDialogs : public MapTextDialogs {
  public:
    ScriptedMapTextDialogs(Scenario& battle, EditState& edit) : battle_(battle), edit_(edit) {}
    std::vector<int32_t> openedOn;
    k2::DialogResult RunMapTextDialog() override {
        openedOn.push_back(edit_.CurrentHex);
        const int32_t m = ++battle_.MapTextCount;
        battle_.MapTexts[std::size_t(m)].Hex = edit_.CurrentHex;
        battle_.MapTexts[std::size_t(m)].Text = "Ford";
        battle_.Hexes[std::size_t(edit_.CurrentHex)].MapText = m;
        battle_.MapTexts[std::size_t(m)].Size = {8, 12, 16};
        return k2::DialogResult::Ok;
    }

  private:
    Scenario& battle_;
    EditState& edit_;
};

TEST_F(MarkerToolsTest, MapTextClickOpensTheDialogOnTheHexAsOneStep) {
    ScriptedMapTextDialogs dialogs(*battle, edit);
    MapTextTool tool(edit, dialogs);
    dispatch.Register(EditMode::MapText, tool);
    const Scenario before = *battle;
    const int32_t hex = battle->HexIndex(6, 3);

    const ClickOutcome outcome = Click(EditMode::MapText, hex);
    EXPECT_THAT(dialogs.openedOn, ::testing::ElementsAre(hex));
    EXPECT_EQ(edit.CurrentHex, hex);
    EXPECT_FALSE(outcome.Refused);
    EXPECT_TRUE(outcome.Change.WholeMap) << "a table change draws the whole map";
    EXPECT_EQ(redraw.fullRenders, 1);
    EXPECT_EQ(history.StepCount(), 1u);
    EXPECT_EQ(history.UndoName(), "Add/Modify Map Text");
    history.Undo();
    EXPECT_TRUE(*battle == before);
}

} // namespace
} // namespace k2
