#include "core/scenario_diff.h"

#include "core_test_support.h"
#include "tiny_battle.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

using k2::Scenario;
using k2::ScenarioDiff;

struct FieldChange {
    const char* field;
    std::function<void(Scenario&)> change;
};

// One change per field of the battle; each must be seen by the difference and undone by it.
const std::vector<FieldChange>& EditFields() {
    static const std::vector<FieldChange> fields = {
        {"BattleName", [](Scenario& s) { s.BattleName = "Other"; }},
        {"BattleIcon", [](Scenario& s) { s.BattleIcon = "axe"; }},
        {"MaxTurns", [](Scenario& s) { s.MaxTurns += 1; }},
        {"StartInitiative", [](Scenario& s) { s.StartInitiative = 3 - s.StartInitiative; }},
        {"Weather", [](Scenario& s) { s.Weather += 1; }},
        {"WesternBreakPoint", [](Scenario& s) { s.WesternBreakPoint += 1; }},
        {"EasternBreakPoint", [](Scenario& s) { s.EasternBreakPoint += 1; }},
        {"WesternLeaderReplacement", [](Scenario& s) { s.WesternLeaderReplacement += 1; }},
        {"EasternLeaderReplacement", [](Scenario& s) { s.EasternLeaderReplacement += 1; }},
        {"WesternName", [](Scenario& s) { s.WesternName = "W"; }},
        {"EasternName", [](Scenario& s) { s.EasternName = "E"; }},
        {"Description", [](Scenario& s) { s.Description[99] = "last line"; }},
        {"WingNames", [](Scenario& s) { s.WingNames[49] = "Far"; }},
        {"WingCount", [](Scenario& s) { s.WingCount += 1; }},
        {"TerrainSetName", [](Scenario& s) { s.TerrainSetName = "T2"; }},
        {"UnitSetName", [](Scenario& s) { s.UnitSetName = "U2"; }},
        {"ScenarioFlagA", [](Scenario& s) { s.ScenarioFlagA += 1; }},
        {"ScenarioFlagB", [](Scenario& s) { s.ScenarioFlagB += 1; }},
        {"ScenarioFlagC", [](Scenario& s) { s.ScenarioFlagC += 1; }},
        {"MarkerSymbols", [](Scenario& s) { s.MarkerSymbols[24] += 1; }},
        {"Hexes (a cell)", [](Scenario& s) { s.Hexes[2].Stakes += 1; }},
        {"Cols/Rows/Hexes (resize)",
         [](Scenario& s) {
             s.Cols = 2;
             s.HexCount = 2;
             s.Hexes.resize(2);
         }},
        {"Units", [](Scenario& s) { s.Units[500].Men = 9; }},
        {"UnitCount", [](Scenario& s) { s.UnitCount += 1; }},
        {"Structures", [](Scenario& s) { s.Structures[100].Height = 2; }},
        {"StructureCount", [](Scenario& s) { s.StructureCount += 1; }},
        {"Objectives", [](Scenario& s) { s.Objectives[99].VictoryPoints = 1; }},
        {"ObjectiveCount", [](Scenario& s) { s.ObjectiveCount += 1; }},
        {"MapTexts", [](Scenario& s) { s.MapTexts[50].Style = 16; }},
        {"MapTextCount", [](Scenario& s) { s.MapTextCount += 1; }},
        {"TerrainDefs", [](Scenario& s) { s.TerrainDefs[499].elevation = 3; }},
        {"TerrainDefCount", [](Scenario& s) { s.TerrainDefCount += 1; }},
    };
    return fields;
}

TEST(ScenarioDiff, EveryFieldIsSeenAndUndoneAndRedone) {
    const auto start = k2test::TinyBattle();
    for (const FieldChange& field : EditFields()) {
        SCOPED_TRACE(field.field);
        auto s = std::make_unique<Scenario>(*start);
        field.change(*s);
        const auto changed = std::make_unique<Scenario>(*s);
        ScenarioDiff diff = ScenarioDiff::Between(*start, *s);
        EXPECT_FALSE(diff.Empty());
        diff.Apply(*s);
        EXPECT_TRUE(*s == *start);
        diff.Apply(*s);
        EXPECT_TRUE(*s == *changed);
    }
}

TEST(ScenarioDiff, BookkeepingIsNotAnEdit) {
    const auto start = k2test::TinyBattle();
    auto s = std::make_unique<Scenario>(*start);
    s->ViewOriginHex += 1;
    s->ZoomLevel = 1;
    s->ViewSaved ^= 1;
    s->SaveCount += 1;
    s->EditorFormatNumber = 200;
    EXPECT_TRUE(ScenarioDiff::Between(*start, *s).Empty());
}

TEST(ScenarioDiff, ReportsWhatToDraw) {
    const auto start = k2test::TinyBattle();
    auto s = std::make_unique<Scenario>(*start);
    s->Hexes[0].PrimaryTerrain = 5;
    s->Hexes[2].Caltrops = 1;
    ScenarioDiff cells = ScenarioDiff::Between(*start, *s);
    EXPECT_EQ(cells.ChangedHexes(), (std::vector<int32_t>{0, 2}));
    EXPECT_FALSE(cells.RecordsChanged());
    EXPECT_FALSE(cells.GridResized());

    s->Units[1].Men += 10;
    EXPECT_TRUE(ScenarioDiff::Between(*start, *s).RecordsChanged());

    // Another battle copied over it keeps only the parts the difference covers.
    auto follower = std::make_unique<Scenario>(*start);
    ScenarioDiff::Between(*start, *s).CopyChangedParts(*s, *follower);
    EXPECT_TRUE(*follower == *s);
}

// Random edits of every kind, recorded one after the other, all undone and all redone.
TEST(ScenarioDiff, RandomStepsUndoToTheFirstStateAndRedoToTheLast) {
    std::mt19937 rng(11);
    auto s = k2test::NewScenario();
    s->Cols = 20;
    s->Rows = 15;
    k2::StdRandomSource random(5);
    ASSERT_TRUE(k2::InitNewBattle(*s, random, "/nonexistent/K2Ter.Def").ok);
    const auto first = std::make_unique<Scenario>(*s);

    std::vector<ScenarioDiff> steps;
    for (int i = 0; i < 60; ++i) {
        const auto before = std::make_unique<Scenario>(*s);
        const int hex = int(rng() % uint32_t(s->HexCount));
        switch (rng() % 5) {
        case 0:
            s->Hexes[hex].PrimaryTerrain = int32_t(rng() % 100);
            break;
        case 1:
            s->Units[++s->UnitCount].Hex = hex;
            s->Hexes[hex].Unit = s->UnitCount;
            break;
        case 2:
            s->RemoveUnit(1);
            break;
        case 3: {
            const int32_t cols = 10 + int32_t(rng() % 10), rows = 10 + int32_t(rng() % 10);
            s->Cols = cols;
            s->Rows = rows;
            s->HexCount = cols * rows;
            s->Hexes.assign(std::size_t(cols * rows), k2::HexCell{});
            break;
        }
        default:
            s->WingNames[rng() % 50] = "Wing";
            s->TerrainDefs[rng() % 500].costPerMove = int32_t(rng() % 14);
        }
        steps.push_back(ScenarioDiff::Between(*before, *s));
    }
    const auto last = std::make_unique<Scenario>(*s);
    for (auto it = steps.rbegin(); it != steps.rend(); ++it)
        it->Apply(*s);
    EXPECT_TRUE(*s == *first);
    for (ScenarioDiff& step : steps)
        step.Apply(*s);
    EXPECT_TRUE(*s == *last);
}

} // namespace
