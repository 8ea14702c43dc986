// Check Battle's rules: each rule breaks a small clean battle in one way and must report that
// place (and nothing unrelated), the clean battle and the stock samples report no error, and
// the findings come back in order.
#include "check/battle_check.h"

#include "common/battle_builder.h"
#include "core/battle_file.h"
#include "core/scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace k2;

constexpr int32_t Open = 0, Mountain = 5, Marsh = 6;

// An 8 x 8 battle that breaks no rule: two wings with a leader each, a Western foot unit
// carrying planted stakes, a Western reinforcement on its marker, a Western structure under
// the Western leader, one objective and one map text.
struct CleanBattle {
    std::unique_ptr<Scenario> s = k2::test::MakeBattle({.cols = 8,
                                                        .rows = 8,
                                                        .terrain = Open,
                                                        .borderRing = true,
                                                        .stockMarkers = true,
                                                        .wings = {"Left", "Right"}});
    int32_t westLeader = 0, westFoot = 0, westReinforcement = 0, eastLeader = 0, eastFoot = 0;

    int32_t Hex(int32_t row, int32_t col) const { return s->HexIndex(row, col); }
    HexCell& Cell(int32_t row, int32_t col) { return s->Hexes[size_t(Hex(row, col))]; }
    UnitRecord& U(int32_t unit) { return s->Units[size_t(unit)]; }

    int32_t AddUnit(int32_t row, int32_t col, int32_t side, int32_t wing, const char* name) {
        return k2::test::AddUnit(*s, Hex(row, col), {.Name = {name}, .Side = side, .Men = 20, .Wing = wing});
    }

    CleanBattle() {
        s->TerrainDefCount = 20;
        s->TerrainDefs[Open].costPerMove = 1;
        s->TerrainDefs[BorderTerrain].costPerMove = 13;
        s->TerrainDefs[Mountain].costPerMove = 13;
        s->TerrainDefs[Marsh].costPerMove = 11;
        s->MaxTurns = 10;

        westLeader = AddUnit(3, 2, SideWestern, 0, "Earl");
        U(westLeader).WingLeader = 1;
        U(westLeader).CommandRange = 3;
        westFoot = AddUnit(4, 2, SideWestern, 0, "Bowmen");
        U(westFoot).HasStakes = 1;
        Cell(4, 2).Stakes = s->MarkerSymbols[MarkerStakes];
        westReinforcement = AddUnit(1, 1, SideWestern, 0, "Late Horse");
        U(westReinforcement).ActivationTurn = 3;
        Cell(1, 1).ReinforcementMarker = s->MarkerSymbols[MarkerWesternReinforcement];
        eastLeader = AddUnit(3, 5, SideEastern, 1, "Khan");
        U(eastLeader).WingLeader = 1;
        U(eastLeader).CommandRange = 3;
        eastFoot = AddUnit(4, 5, SideEastern, 1, "Axemen");

        k2::test::AddStructure(*s, Hex(3, 2), {.Name = {"Keep"}, .Side = SideWestern});
        k2::test::AddObjective(*s, Hex(5, 4), {.Name = {"Ford"}});
        PlaceName hill;
        hill.Text = "Hill";
        k2::test::AddMapText(*s, Hex(2, 4), hill);
    }

    void MoveUnit(int32_t unit, int32_t row, int32_t col) {
        s->Hexes[size_t(U(unit).Hex)].Unit = 0;
        U(unit).Hex = Hex(row, col);
        Cell(row, col).Unit = unit;
    }
};

struct RuleCase {
    const char* rule;
    CheckSeverity severity;
    std::function<void(CleanBattle&)> breakIt;
    int32_t row, col; // the hex reported; row -1 for a finding without a hex
    std::set<std::string> alsoAllowed = {};
};

const CheckSeverity E = CheckSeverity::Error, W = CheckSeverity::Warning;

const std::vector<RuleCase>& Cases() {
    static const std::vector<RuleCase> cases = {
        // references
        {"unit-reference", E, [](CleanBattle& b) { b.Cell(4, 2).Unit = 0; }, 4, 2},
        {"unit-reference", E, [](CleanBattle& b) { b.Cell(6, 6).Unit = 9; }, 6, 6},
        {"unit-reference",
         E,
         [](CleanBattle& b) { b.U(b.eastFoot).Hex = 64; },
         -1,
         -1,
         {"unit-out-of-command"}},
        {"structure-reference", E, [](CleanBattle& b) { b.Cell(5, 5).Structure = 7; }, 5, 5},
        {"objective-reference", E, [](CleanBattle& b) { b.Cell(5, 4).Objective = 0; }, 5, 4},
        {"map-text-reference", E, [](CleanBattle& b) { b.Cell(6, 6).MapText = 1; }, 6, 6},
        {"map-text-reference", E, [](CleanBattle& b) { b.Cell(6, 6).MapText = 2; }, 6, 6},
        {"unit-wing-reference",
         E,
         [](CleanBattle& b) { b.U(b.westFoot).Wing = 2; },
         4,
         2,
         {"wing-without-leader"}},
        {"unknown-side", E, [](CleanBattle& b) { b.U(b.eastFoot).Side = 3; }, 4, 5},
        {"unknown-side",
         E,
         [](CleanBattle& b) { b.s->Structures[1].Side = 0; },
         3,
         2,
         {"structure-held-by-enemy"}},
        // forces
        {"activation-turn-out-of-range", E,
         [](CleanBattle& b) { b.U(b.westReinforcement).ActivationTurn = 11; }, 1, 1},
        {"activation-turn-out-of-range", E, [](CleanBattle& b) { b.U(b.eastFoot).ActivationTurn = 0; }, 4, 5},
        {"side-without-units", E,
         [](CleanBattle& b) { b.U(b.eastLeader).Side = b.U(b.eastFoot).Side = SideWestern; }, -1, -1},
        {"wing-without-units", W, [](CleanBattle& b) { b.s->WingNames[2] = "Reserve", b.s->WingCount = 3; },
         -1, -1},
        {"wing-without-leader", W, [](CleanBattle& b) { b.U(b.eastLeader).WingLeader = 0; }, 3, 5},
        {"unit-out-of-command", W, [](CleanBattle& b) { b.U(b.westLeader).CommandRange = 0; }, 4, 2},
        // markers
        {"reinforcement-without-marker", W, [](CleanBattle& b) { b.Cell(1, 1).ReinforcementMarker = 0; }, 1,
         1},
        {"marker-without-reinforcement", W, [](CleanBattle& b) { b.Cell(2, 3).ReinforcementMarker = 29; }, 2,
         3},
        {"marker-without-reinforcement", W, [](CleanBattle& b) { b.Cell(4, 5).ReinforcementMarker = 28; }, 4,
         5},
        {"reinforcement-marker-wrong-side", W,
         [](CleanBattle& b) {
             b.Cell(1, 1).ReinforcementMarker = b.s->MarkerSymbols[MarkerEasternReinforcement];
         },
         1, 1},
        {"reinforcement-marker-wrong-side", W, [](CleanBattle& b) { b.Cell(1, 1).ReinforcementMarker = 77; },
         1, 1},
        {"stakes-without-carrier", W, [](CleanBattle& b) { b.U(b.westFoot).HasStakes = 0; }, 4, 2},
        {"stakes-wrong-side", W,
         [](CleanBattle& b) { b.Cell(4, 2).Stakes = b.s->MarkerSymbols[MarkerStakes] + 1; }, 4, 2},
        // map
        {"unit-on-border", E, [](CleanBattle& b) { b.MoveUnit(b.eastFoot, 4, 7); }, 4, 7},
        {"unit-on-impassable", E, [](CleanBattle& b) { b.Cell(4, 5).PrimaryTerrain = Mountain; }, 4, 5},
        {"unit-on-impassable", E,
         [](CleanBattle& b) {
             b.Cell(4, 5).SecondaryTerrain[0] = Marsh;
             b.Cell(4, 5).Caltrops = b.s->MarkerSymbols[MarkerCaltrops];
         },
         4, 5},
        {"structure-held-by-enemy", W, [](CleanBattle& b) { b.s->Structures[1].Side = SideEastern; }, 3, 2},
        {"extra-objective", W,
         [](CleanBattle& b) {
             b.s->ObjectiveCount = 2;
             b.s->Objectives[2].Hex = b.Hex(5, 5);
             b.Cell(5, 5).Objective = 2;
         },
         5, 5},
        {"objective-without-points", W, [](CleanBattle& b) { b.s->Objectives[1].VictoryPoints = 0; }, 5, 4},
        {"map-text-off-map", W,
         [](CleanBattle& b) {
             b.s->MapTexts[1].Hex = 500;
             b.Cell(2, 4).MapText = 0;
         },
         -1, -1},
        {"map-texts-share-hex", W,
         [](CleanBattle& b) {
             b.s->MapTextCount = 2;
             b.s->MapTexts[2].Text = "Crest";
             b.s->MapTexts[2].Hex = b.Hex(2, 4);
         },
         2, 4},
    };
    return cases;
}

TEST(BattleCheck, TheCleanBattleHasNoFindings) {
    CleanBattle b;
    EXPECT_EQ(RunBattleCheck({*b.s}), std::vector<CheckFinding>{});
}

TEST(BattleCheck, EachRuleReportsWhatBreaksIt) {
    for (const RuleCase& c : Cases()) {
        CleanBattle b;
        c.breakIt(b);
        const std::vector<CheckFinding> findings = RunBattleCheck({*b.s});
        const int32_t hex = c.row < 0 ? -1 : b.Hex(c.row, c.col);
        const auto hit = std::find_if(findings.begin(), findings.end(), [&](const CheckFinding& f) {
            return f.Rule == c.rule && f.Hex == hex;
        });
        ASSERT_NE(hit, findings.end()) << c.rule << " at " << hex;
        EXPECT_EQ(hit->Severity, c.severity) << c.rule;
        EXPECT_FALSE(hit->Text.empty());
        EXPECT_EQ(hit->Row, c.row) << c.rule;
        EXPECT_EQ(hit->Column, c.row < 0 ? -1 : c.col) << c.rule;
        for (const CheckFinding& f : findings)
            EXPECT_TRUE(f.Rule == c.rule || c.alsoAllowed.contains(f.Rule))
                << c.rule << " also gave " << f.Rule;
    }
}

TEST(BattleCheck, EveryRuleHasAUniqueKebabNameAndACase) {
    std::set<std::string> names, tested;
    for (const RuleCase& c : Cases())
        tested.insert(c.rule);
    for (const CheckRule& rule : BattleCheckRules()) {
        const std::string name(rule.Name);
        EXPECT_TRUE(names.insert(name).second) << "twice: " << name;
        EXPECT_TRUE(std::all_of(name.begin(), name.end(), [](char ch) {
            return std::islower(ch) || ch == '-';
        })) << name;
        EXPECT_TRUE(tested.contains(name)) << "no case breaks " << name;
    }
    EXPECT_EQ(names, tested) << "a case names a rule that does not exist";
}

TEST(BattleCheck, FindingsComeErrorsFirstThenByHex) {
    CleanBattle b;
    b.U(b.eastFoot).ActivationTurn = 0;                // error at (4,5)
    b.MoveUnit(b.westReinforcement, 1, 0);             // error at (1,0), and its marker is left behind
    b.s->Objectives[1].VictoryPoints = 0;              // warning at (5,4)
    b.s->WingNames[2] = "Reserve", b.s->WingCount = 3; // warning without a hex
    const std::vector<CheckFinding> f = RunBattleCheck({*b.s});
    std::vector<std::pair<std::string, int32_t>> order;
    for (const CheckFinding& x : f)
        order.emplace_back(x.Rule, x.Hex);
    const std::vector<std::pair<std::string, int32_t>> expected = {
        {"unit-on-border", b.Hex(1, 0)},
        {"activation-turn-out-of-range", b.Hex(4, 5)},
        {"wing-without-units", -1},
        {"reinforcement-without-marker", b.Hex(1, 0)},
        {"marker-without-reinforcement", b.Hex(1, 1)},
        {"objective-without-points", b.Hex(5, 4)},
    };
    EXPECT_EQ(order, expected);
    EXPECT_EQ(CountFindings(f, CheckSeverity::Error), 2);
    EXPECT_EQ(CountFindings(f, CheckSeverity::Warning), 4);
}

TEST(BattleCheck, SummaryCountsBySeverity) {
    const CheckFinding e{CheckSeverity::Error, "x", "t"}, w{CheckSeverity::Warning, "y", "t"};
    EXPECT_EQ(CheckSummary({}), "No problems found.");
    EXPECT_EQ(CheckSummary({e}), "1 error");
    EXPECT_EQ(CheckSummary({w, w}), "2 warnings");
    EXPECT_EQ(CheckSummary({e, e, w}), "2 errors, 1 warning");
    EXPECT_EQ(CheckSeverityName(CheckSeverity::Error), "error");
    EXPECT_EQ(CheckSeverityName(CheckSeverity::Warning), "warning");
}

// What the installation ships must be playable: no stock battle gives an error.
TEST(BattleCheck, StockSampleBattlesGiveNoError) {
    const std::filesystem::path stock = K2_STOCK_DIR;
    int battles = 0;
    for (const auto& entry : std::filesystem::directory_iterator(stock / "scenarios")) {
        const auto ext = entry.path().extension();
        if (ext != ".k2s" && ext != ".scn") continue;
        auto s = std::make_unique<Scenario>();
        ASSERT_TRUE(ReadBattle(*s, entry.path(), stock / "sysdefs" / "K2Ter.Def").ok) << entry.path();
        ++battles;
        for (const CheckFinding& f : RunBattleCheck({*s}))
            EXPECT_NE(f.Severity, CheckSeverity::Error)
                << entry.path().filename() << ": " << f.Rule << ": " << f.Text;
    }
    EXPECT_EQ(battles, 3);
}

} // namespace
