// The battle settings rules on the dialog's logic: proposals, ranges, the two modes, the
// validation messages, the description lines and the two file choices.
#include "app/new_map_logic.h"
#include "common/recorders.h"

#include <gmock/gmock.h>

#include <functional>
#include <memory>

namespace k2 {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

class NewMapLogicTest : public ::testing::Test {
  protected:
    Scenario scenario;
    test::MessageBoxRecorder boxes;
    test::ScriptedFileChooser chooser;
    NewMapLogic logic{scenario, "/inst", boxes, chooser};

    // A battle as it stands after loading, for settings mode.
    void FillActiveBattle() {
        scenario.Rows = 60;
        scenario.Cols = 80;
        scenario.HexCount = 4800;
        scenario.BattleName = "Crecy";
        scenario.WesternName = "English";
        scenario.EasternName = "French";
        scenario.StartInitiative = 2;
        scenario.Weather = 3;
        scenario.MaxTurns = 45;
        scenario.WesternBreakPoint = 40;
        scenario.EasternBreakPoint = 25;
        scenario.WesternLeaderReplacement = 0;
        scenario.EasternLeaderReplacement = 1;
        scenario.UnitSetName = "OLDU";
        scenario.TerrainSetName = "OLDT";
        scenario.Description[0] = "A wet August day.";
        scenario.Description[1] = "The Genoese crossbows had wet strings.";
    }
};

TEST_F(NewMapLogicTest, FirstNewBattleProposesTheStockSettings) {
    logic.Activate(NewMapMode::NewBattle);
    EXPECT_EQ(logic.RowsText(), "Rows: 20");
    EXPECT_EQ(logic.ColsText(), "Cols: 40");
    EXPECT_EQ(logic.TotalText(), "Total Hexes: 800");
    EXPECT_EQ(logic.TurnsText(), "Max Turns: 30");
    EXPECT_EQ(logic.WesternBreakText(), "Western: 30");
    EXPECT_EQ(logic.EasternBreakText(), "Eastern: 30");
    EXPECT_TRUE(logic.WesternReplacement());
    EXPECT_TRUE(logic.EasternReplacement());
    EXPECT_EQ(WeatherEntries[size_t(logic.Weather())], "Clear   ");
    EXPECT_TRUE(logic.WesternInitiative());
    EXPECT_EQ(logic.BattleName(), "New Battle");
    EXPECT_EQ(logic.WesternName(), "Western Forces");
    EXPECT_EQ(logic.EasternName(), "Eastern Forces");
    EXPECT_EQ(logic.UnitSetName(), "K2U");
    EXPECT_EQ(logic.TerrainSetName(), "K2T");
    EXPECT_TRUE(logic.SizeAndSetEnabled());
    EXPECT_FALSE(logic.HistoryRefill());
    EXPECT_EQ(logic.IconName(), "sword");
    EXPECT_EQ(logic.IconFile(), std::filesystem::path("/inst/scenarios/icons/sword.bmp"));
}

TEST_F(NewMapLogicTest, WeatherListIsSixPaddedEntries) {
    EXPECT_THAT(WeatherEntries,
                ElementsAre("Clear   ", "Rain    ", "Hvy Rain", "Fog     ", "Snow    ", "Hvy Snow"));
    for (std::string_view entry : WeatherEntries)
        EXPECT_EQ(entry.size(), 8u);
}

struct Counter {
    const char* name;
    void (NewMapLogic::*up)();
    void (NewMapLogic::*down)();
    int32_t (NewMapLogic::*value)() const;
    int32_t low, high;
};

TEST_F(NewMapLogicTest, ArrowsStopAtTheEndsOfTheirRanges) {
    const std::vector<Counter> counters = {
        {"rows", &NewMapLogic::RowsUp, &NewMapLogic::RowsDown, &NewMapLogic::Rows, 10, 150},
        {"cols", &NewMapLogic::ColsUp, &NewMapLogic::ColsDown, &NewMapLogic::Cols, 10, 150},
        {"turns", &NewMapLogic::TurnsUp, &NewMapLogic::TurnsDown, &NewMapLogic::Turns, 5, 300},
        {"western", &NewMapLogic::WesternBreakUp, &NewMapLogic::WesternBreakDown, &NewMapLogic::WesternBreak,
         1, 70},
        {"eastern", &NewMapLogic::EasternBreakUp, &NewMapLogic::EasternBreakDown, &NewMapLogic::EasternBreak,
         1, 70},
    };
    logic.Activate(NewMapMode::NewBattle);
    for (const Counter& c : counters) {
        const int32_t start = (logic.*c.value)();
        (logic.*c.up)();
        EXPECT_EQ((logic.*c.value)(), start + 1) << c.name;
        for (int i = 0; i < 400; ++i)
            (logic.*c.up)();
        EXPECT_EQ((logic.*c.value)(), c.high) << c.name;
        (logic.*c.down)();
        EXPECT_EQ((logic.*c.value)(), c.high - 1) << c.name;
        for (int i = 0; i < 400; ++i)
            (logic.*c.down)();
        EXPECT_EQ((logic.*c.value)(), c.low) << c.name;
    }
    EXPECT_EQ(logic.TotalText(), "Total Hexes: 100");
    for (int i = 0; i < 200; ++i)
        logic.RowsUp();
    EXPECT_EQ(logic.RowsText(), "Rows: 150");
    EXPECT_EQ(logic.TotalText(), "Total Hexes: 1500");
}

TEST_F(NewMapLogicTest, NewBattleStoresSizeSetsAndSettings) {
    logic.Activate(NewMapMode::NewBattle);
    logic.RowsUp();
    logic.ColsDown();
    logic.TurnsUp();
    logic.WesternBreakDown();
    logic.EasternBreakUp();
    logic.SetBattleName("Agincourt");
    logic.SetWesternInitiative(false);
    logic.SelectWeather(2);
    logic.SetWesternReplacement(false);
    scenario.ScenarioFlagA = 0;
    scenario.ScenarioFlagB = 0;
    ASSERT_EQ(logic.Ok({"Mud.", "Arrows."}), NewMapResultOk);
    EXPECT_EQ(scenario.Rows, 21);
    EXPECT_EQ(scenario.Cols, 39);
    EXPECT_EQ(scenario.HexCount, 21 * 39);
    EXPECT_EQ(scenario.ScenarioFlagA, 1);
    EXPECT_EQ(scenario.ScenarioFlagB, 1);
    EXPECT_EQ(scenario.UnitSetName, "K2U");
    EXPECT_EQ(scenario.TerrainSetName, "K2T");
    EXPECT_EQ(scenario.BattleName, "Agincourt");
    EXPECT_EQ(scenario.WesternName, "Western Forces");
    EXPECT_EQ(scenario.EasternName, "Eastern Forces");
    EXPECT_EQ(scenario.StartInitiative, 2);
    EXPECT_EQ(scenario.Weather, 2);
    EXPECT_EQ(scenario.MaxTurns, 31);
    EXPECT_EQ(scenario.WesternBreakPoint, 29);
    EXPECT_EQ(scenario.EasternBreakPoint, 31);
    EXPECT_EQ(scenario.WesternLeaderReplacement, 0);
    EXPECT_EQ(scenario.EasternLeaderReplacement, 1);
    EXPECT_EQ(scenario.Description[0], "Mud.");
    EXPECT_EQ(scenario.Description[1], "Arrows.");
    EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(NewMapLogicTest, NewBattleKeepsTheSizeOfItsLastUseAndSetsReplacementAtOnce) {
    logic.Activate(NewMapMode::NewBattle);
    logic.RowsUp();
    logic.RowsUp();
    logic.Cancel();
    scenario.WesternLeaderReplacement = 0;
    scenario.EasternLeaderReplacement = 0;
    logic.Activate(NewMapMode::NewBattle);
    EXPECT_EQ(logic.Rows(), 22);
    EXPECT_EQ(logic.Cols(), 40);
    EXPECT_EQ(scenario.WesternLeaderReplacement, 1);
    EXPECT_EQ(scenario.EasternLeaderReplacement, 1);
}

TEST_F(NewMapLogicTest, SettingsModeShowsTheBattleAndLeavesSizeAndUnitSetAlone) {
    FillActiveBattle();
    logic.Activate(NewMapMode::Settings);
    EXPECT_FALSE(logic.SizeAndSetEnabled());
    EXPECT_EQ(logic.RowsText(), "Rows: 60");
    EXPECT_EQ(logic.ColsText(), "Cols: 80");
    EXPECT_EQ(logic.BattleName(), "Crecy");
    EXPECT_EQ(logic.WesternName(), "English");
    EXPECT_FALSE(logic.WesternInitiative());
    EXPECT_EQ(logic.Weather(), 3);
    EXPECT_EQ(logic.TurnsText(), "Max Turns: 45");
    EXPECT_EQ(logic.WesternBreakText(), "Western: 40");
    EXPECT_FALSE(logic.WesternReplacement());
    EXPECT_TRUE(logic.EasternReplacement());
    EXPECT_EQ(logic.UnitSetName(), "OLDU");
    ASSERT_TRUE(logic.HistoryRefill());
    EXPECT_THAT(*logic.HistoryRefill(),
                ElementsAre("A wet August day.", "The Genoese crossbows had wet strings."));

    // The size and unit set cannot change here, not even through their handlers.
    logic.RowsUp();
    chooser.openAnswers.push_back("/inst/scenarios/NEWU.set");
    EXPECT_FALSE(logic.SelectUnitSet());
    EXPECT_TRUE(chooser.openRequests.empty());
    ASSERT_EQ(logic.Ok({"Rain."}), NewMapResultOk);
    EXPECT_EQ(scenario.Rows, 60);
    EXPECT_EQ(scenario.Cols, 80);
    EXPECT_EQ(scenario.HexCount, 4800);
    EXPECT_EQ(scenario.UnitSetName, "OLDU");
    EXPECT_EQ(scenario.TerrainSetName, "OLDT");
    EXPECT_EQ(scenario.Description[0], "Rain.");
    EXPECT_EQ(scenario.Description[1], "");
}

TEST_F(NewMapLogicTest, ZeroMaxTurnsIsShownAsThirtyInBothModes) {
    scenario.MaxTurns = 0;
    logic.Activate(NewMapMode::NewBattle);
    EXPECT_EQ(logic.Turns(), 30);
    FillActiveBattle();
    scenario.MaxTurns = 0;
    logic.Activate(NewMapMode::Settings);
    EXPECT_EQ(logic.Turns(), 30);
}

TEST_F(NewMapLogicTest, EmptyBattleNameAsksAndKeepsTheDialogOpen) {
    FillActiveBattle();
    logic.Activate(NewMapMode::Settings);
    logic.SetBattleName("");
    logic.SetWesternName("Someone");
    EXPECT_EQ(logic.Ok({"New text."}), NewMapResultStay);
    EXPECT_THAT(boxes.asked, ElementsAre(Pair(1, 10)));
    // What was stored before the check stays; what comes after is untouched.
    EXPECT_EQ(scenario.Description[0], "New text.");
    EXPECT_EQ(scenario.BattleName, "");
    EXPECT_EQ(scenario.WesternName, "English");
    EXPECT_EQ(scenario.MaxTurns, 45);
}

TEST_F(NewMapLogicTest, EmptyForceNamesAskForBothNames) {
    FillActiveBattle();
    logic.Activate(NewMapMode::Settings);
    logic.SetBattleName("Poitiers");
    logic.SetWesternName("");
    logic.TurnsUp();
    EXPECT_EQ(logic.Ok({"Hedges."}), NewMapResultStay);
    EXPECT_EQ(scenario.BattleName, "Poitiers");
    EXPECT_EQ(scenario.Description[0], "Hedges.");
    EXPECT_EQ(scenario.MaxTurns, 45);

    logic.SetWesternName("Black Prince");
    logic.SetEasternName("");
    EXPECT_EQ(logic.Ok({}), NewMapResultStay);
    EXPECT_EQ(scenario.WesternName, "Black Prince");
    EXPECT_EQ(scenario.EasternName, ""); // stored, then found empty
    EXPECT_EQ(scenario.MaxTurns, 45);    // the steps after the check did not run
    EXPECT_THAT(boxes.asked, ElementsAre(Pair(1, 12), Pair(1, 12)));
}

TEST_F(NewMapLogicTest, NamesAreCutToTwentyCharacters) {
    logic.Activate(NewMapMode::NewBattle);
    logic.SetBattleName("The Battle of the Golden Spurs");
    logic.SetEasternName("Flemish Militia of Bruges");
    EXPECT_EQ(logic.BattleName(), "The Battle of the Go");
    ASSERT_EQ(logic.Ok({}), NewMapResultOk);
    EXPECT_EQ(scenario.BattleName, "The Battle of the Go");
    EXPECT_EQ(scenario.EasternName, "Flemish Militia of B");
}

TEST_F(NewMapLogicTest, DescriptionLinesAreCutAndCountedToTheirFields) {
    logic.Activate(NewMapMode::NewBattle);
    std::vector<std::string> lines(120);
    for (size_t i = 0; i < lines.size(); ++i)
        lines[i] = "line " + std::to_string(i);
    lines[3] = std::string(150, 'x');
    ASSERT_EQ(logic.Ok(lines), NewMapResultOk);
    EXPECT_EQ(scenario.Description[3], std::string(99, 'x'));
    EXPECT_EQ(scenario.Description[0], "line 0");
    EXPECT_EQ(scenario.Description[99], "line 99");
    ASSERT_EQ(logic.Ok({"only"}), NewMapResultOk);
    EXPECT_EQ(scenario.Description[0], "only");
    for (size_t i = 1; i < scenario.Description.size(); ++i)
        ASSERT_TRUE(scenario.Description[i].Empty()) << i;
}

TEST_F(NewMapLogicTest, OutOfRangeStoredValuesAreShownAtTheNearestEnd) {
    FillActiveBattle();
    scenario.MaxTurns = 900;
    scenario.WesternBreakPoint = 0;
    scenario.Weather = 9;
    logic.Activate(NewMapMode::Settings);
    EXPECT_EQ(logic.Turns(), 300);
    EXPECT_EQ(logic.WesternBreak(), 1);
    EXPECT_EQ(logic.Weather(), 0);
    logic.SelectWeather(6);
    logic.SelectWeather(-1);
    EXPECT_EQ(logic.Weather(), 0);
}

TEST_F(NewMapLogicTest, LoweringMaxTurnsLeavesReinforcementsAlone) {
    FillActiveBattle();
    scenario.UnitCount = 1;
    scenario.Units[1].ActivationTurn = 40;
    logic.Activate(NewMapMode::Settings);
    for (int i = 0; i < 30; ++i)
        logic.TurnsDown();
    ASSERT_EQ(logic.Ok({}), NewMapResultOk);
    EXPECT_EQ(scenario.MaxTurns, 15);
    EXPECT_EQ(scenario.Units[1].ActivationTurn, 40);
}

TEST_F(NewMapLogicTest, UnitSetChooserAndTheNameItGives) {
    logic.Activate(NewMapMode::NewBattle);
    chooser.openAnswers = {std::filesystem::path("/inst/scenarios/HUSSITE.v2.set"), std::nullopt};
    EXPECT_TRUE(logic.SelectUnitSet());
    ASSERT_EQ(chooser.openRequests.size(), 1u);
    const FileDialogRequest& r = chooser.openRequests[0];
    EXPECT_EQ(r.title, "Open Map File");
    EXPECT_EQ(r.filter, "Tessary Symbol Files (*.set)|*.set");
    EXPECT_EQ(r.defaultExtension, ".map");
    EXPECT_EQ(r.initialDir, std::filesystem::path("/inst/scenarios"));
    EXPECT_EQ(logic.UnitSetName(), "HUSSITE");
    EXPECT_FALSE(logic.SelectUnitSet()); // cancelled: the name stays
    EXPECT_EQ(logic.UnitSetName(), "HUSSITE");
    EXPECT_EQ(scenario.UnitSetName, "K2U"); // stored only by OK
    ASSERT_EQ(logic.Ok({}), NewMapResultOk);
    EXPECT_EQ(scenario.UnitSetName, "HUSSITE");
}

TEST_F(NewMapLogicTest, IconChooserSetsTheIconAtOnceAndRefusesOverlongNames) {
    logic.Activate(NewMapMode::NewBattle);
    chooser.openAnswers = {std::filesystem::path("/pics/banner.old.bmp")};
    EXPECT_TRUE(logic.SelectIcon());
    const FileDialogRequest& r = chooser.openRequests.at(0);
    EXPECT_EQ(r.title, "Open Map File");
    EXPECT_EQ(r.filter, "Bitmaps|*.bmp");
    EXPECT_EQ(r.defaultExtension, ".map");
    EXPECT_EQ(r.initialDir, std::filesystem::path("/inst/scenarios/icons"));
    EXPECT_EQ(scenario.BattleIcon, "banner");
    EXPECT_EQ(logic.IconName(), "banner");
    EXPECT_EQ(logic.IconFile(), std::filesystem::path("/pics/banner.old.bmp"));

    const std::string longest(31, 'a'), tooLong(32, 'b');
    EXPECT_TRUE(logic.TakeIcon("/i/" + longest + ".bmp"));
    EXPECT_EQ(scenario.BattleIcon, longest);
    EXPECT_FALSE(logic.TakeIcon("/i/" + tooLong + ".bmp"));
    EXPECT_EQ(scenario.BattleIcon, longest);
    ASSERT_EQ(boxes.plain.size(), 1u);
    EXPECT_THAT(boxes.plain[0], ::testing::HasSubstr("too long"));

    // A new battle proposes the icon in use.
    ASSERT_EQ(logic.Ok({}), NewMapResultOk);
    logic.Activate(NewMapMode::NewBattle);
    EXPECT_EQ(logic.IconName(), longest);
}

// Every way the dialog can write into the open battle before the user gives up: whatever was
// stored, Cancel leaves the battle exactly as it was when the dialog was shown.
TEST_F(NewMapLogicTest, CancelLeavesTheOpenBattleExactlyAsItWas) {
    struct Case {
        const char* name;
        NewMapMode mode;
        std::function<void(NewMapLogic&, test::ScriptedFileChooser&)> act;
    };
    const std::vector<Case> cases = {
        {"new battle, empty name", NewMapMode::NewBattle,
         [](NewMapLogic& l, test::ScriptedFileChooser& c) {
             l.RowsUp();
             l.ColsDown();
             c.openAnswers.push_back("/inst/scenarios/NORSE.set");
             ASSERT_TRUE(l.SelectUnitSet());
             l.SetBattleName("");
             ASSERT_EQ(l.Ok({"Fog."}), NewMapResultStay);
         }},
        {"new battle, empty eastern name", NewMapMode::NewBattle,
         [](NewMapLogic& l, test::ScriptedFileChooser&) {
             l.SetBattleName("Towton");
             l.SetEasternName("");
             ASSERT_EQ(l.Ok({"Snow."}), NewMapResultStay);
         }},
        {"settings, empty western name", NewMapMode::Settings,
         [](NewMapLogic& l, test::ScriptedFileChooser&) {
             l.SetBattleName("Poitiers");
             l.SetWesternName("");
             ASSERT_EQ(l.Ok({"Hedges."}), NewMapResultStay);
         }},
        {"new battle, icon chosen", NewMapMode::NewBattle,
         [](NewMapLogic& l, test::ScriptedFileChooser& c) {
             c.openAnswers.push_back("/inst/scenarios/icons/lion.bmp");
             ASSERT_TRUE(l.SelectIcon());
         }},
        {"new battle, only shown", NewMapMode::NewBattle, [](NewMapLogic&, test::ScriptedFileChooser&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FillActiveBattle(); // leader replacement 0 for the Western side, which a new battle sets
        ASSERT_TRUE(scenario.AllocateHexes(scenario.HexCount));
        const auto before = std::make_unique<Scenario>(scenario);
        logic.Activate(c.mode);
        c.act(logic, chooser);
        EXPECT_EQ(logic.Cancel(), NewMapResultCancel);
        EXPECT_EQ(scenario.Rows, 60);
        EXPECT_EQ(scenario.Cols, 80);
        EXPECT_EQ(scenario.HexCount, 4800);
        EXPECT_EQ(scenario.UnitSetName, "OLDU");
        EXPECT_EQ(scenario.BattleName, "Crecy");
        EXPECT_EQ(scenario.WesternLeaderReplacement, 0);
        EXPECT_EQ(scenario.BattleIcon, "sword");
        EXPECT_TRUE(scenario == *before);
    }
    // A second Cancel, or one after OK, has nothing to put back.
    logic.Activate(NewMapMode::Settings);
    logic.SetBattleName("Sluys");
    ASSERT_EQ(logic.Ok({}), NewMapResultOk);
    logic.Cancel();
    EXPECT_EQ(scenario.BattleName, "Sluys");
}

// Battle files may hold a 29-character battle name and 49-character force names, longer than
// the boxes take when typing: shown whole, they are stored unchanged by an OK.
TEST_F(NewMapLogicTest, StoredNamesLongerThanTheBoxesSurviveAnOk) {
    const std::string battle = "The Battle of the Golden Spur", western = std::string(49, 'W'),
                      eastern = "Communal Militias of Bruges, Ghent and Ypres here";
    ASSERT_EQ(battle.size(), BattleNameChars);
    ASSERT_EQ(eastern.size(), ForceNameChars);
    FillActiveBattle();
    scenario.BattleName = battle;
    scenario.WesternName = western;
    scenario.EasternName = eastern;
    logic.Activate(NewMapMode::Settings);
    EXPECT_EQ(logic.BattleName(), battle);
    EXPECT_EQ(logic.WesternName(), western);
    EXPECT_EQ(logic.EasternName(), eastern);
    EXPECT_EQ(logic.BattleNameLimit(), BattleNameChars);
    EXPECT_EQ(logic.EasternNameLimit(), ForceNameChars);
    ASSERT_EQ(logic.Ok({}), NewMapResultOk);
    EXPECT_EQ(scenario.BattleName, battle);
    EXPECT_EQ(scenario.WesternName, western);
    EXPECT_EQ(scenario.EasternName, eastern);

    // Typing is cut to the widened box; a short name keeps the usual box.
    scenario.WesternName = "English";
    logic.Activate(NewMapMode::Settings);
    EXPECT_EQ(logic.WesternNameLimit(), NameFieldChars);
    logic.SetBattleName(battle + "s of Kortrijk");
    logic.SetWesternName(western);
    EXPECT_EQ(logic.BattleName(), battle);
    EXPECT_EQ(logic.WesternName(), std::string(20, 'W'));
    logic.Activate(NewMapMode::NewBattle);
    EXPECT_EQ(logic.BattleNameLimit(), NameFieldChars);
    EXPECT_EQ(logic.EasternNameLimit(), NameFieldChars);
}

TEST(BaseNameTest, CutAtTheFirstDot) {
    EXPECT_EQ(BaseNameBeforeFirstDot("/a/b.c/K2U.set"), "K2U");
    EXPECT_EQ(BaseNameBeforeFirstDot("plain"), "plain");
    EXPECT_EQ(BaseNameBeforeFirstDot("/a/.hidden"), "");
}

} // namespace
} // namespace k2
