#include "core/scenario.h"

#include "common/battle_builder.h"
#include "common/recorders.h"
#include "core_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using namespace k2;
using k2::test::AddMapText;
using k2::test::AddObjective;
using k2::test::AddStructure;
using k2::test::AddUnit;
using k2::test::MakeBattle;
using k2::test::SequenceRandom;
using k2test::NewScenario;

TEST(HexArithmetic, RowColumnAndBorder) {
    auto s = MakeBattle({.cols = 10, .rows = 12});
    EXPECT_EQ(s->HexRowCol(0), std::make_pair(0, 0));
    EXPECT_EQ(s->HexRowCol(37), std::make_pair(3, 7));
    EXPECT_EQ(s->HexIndex(3, 7), 37);
    struct Case {
        int32_t index;
        bool border;
    };
    for (Case c : {Case{0, true}, Case{9, true}, Case{10, true}, Case{11, false}, Case{19, true},
                   Case{18, false}, Case{108, false}, Case{109, true}, Case{110, true}, Case{119, true},
                   Case{120, false}, Case{-1, false}, Case{NoSymbol, false}}) {
        EXPECT_EQ(s->IsBorderHex(c.index), c.border) << c.index;
    }
    EXPECT_TRUE(s->IsValidHex(119));
    EXPECT_FALSE(s->IsValidHex(120));
    EXPECT_FALSE(s->IsValidHex(-1));
    EXPECT_FALSE(s->IsValidHex(NoSymbol));
}

TEST(AllocateHexes, RefusesCountsOutsideTheGeometryTables) {
    auto s = MakeBattle({.cols = 10, .rows = 10});
    for (int32_t bad : {0, -5, MaxHexes + 1}) {
        Status st = s->AllocateHexes(bad);
        EXPECT_FALSE(st.ok);
        EXPECT_EQ(st.message, "Hex Array Mem Allocation Error.");
        EXPECT_EQ(st.title, "Warning");
        EXPECT_TRUE(s->Hexes.empty());
        EXPECT_FALSE(s->IsValidHex(0)) << "no grid may be left behind";
    }
    ASSERT_TRUE(s->AllocateHexes(MaxHexes));
    EXPECT_EQ(s->Hexes.size(), std::size_t(MaxHexes));
    EXPECT_EQ(s->Hexes[5], HexCell{});
}

TEST(InitNewBattle, TenByTenHasBorderRingAndRandomInterior) {
    auto s = NewScenario();
    s->Cols = 10;
    s->Rows = 10;
    // Values 0..4 in turn: hex h draws h mod 5, so its terrain is predictable.
    SequenceRandom random({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    Status st = InitNewBattle(*s, random, "/nonexistent/K2Ter.Def");
    ASSERT_TRUE(st.ok);
    ASSERT_EQ(st.warnings.size(), 1u);
    EXPECT_EQ(st.warnings[0], "Could not open K2Ter.Def");
    EXPECT_EQ(random.calls, 100u) << "one draw per hex, border hexes included";
    EXPECT_EQ(s->HexCount, 100);
    int border = 0;
    for (int32_t h = 0; h < 100; ++h) {
        const HexCell& c = s->Hexes[h];
        if (s->IsBorderHex(h)) {
            ++border;
            EXPECT_EQ(c.PrimaryTerrain, 13);
        } else {
            EXPECT_EQ(c.PrimaryTerrain, NewBattleTerrainMix[h % 10 % 5]) << h;
        }
        HexCell empty;
        empty.PrimaryTerrain = c.PrimaryTerrain;
        EXPECT_EQ(c, empty);
    }
    EXPECT_EQ(border, 36);
}

TEST(InitNewBattle, ResetsTheBattleThatWasOpen) {
    auto s = NewScenario();
    s->Cols = 12;
    s->Rows = 11;
    s->UnitCount = 3;
    s->Units[2].Name = "Old";
    s->StructureCount = 2;
    s->ObjectiveCount = 1;
    s->MapTextCount = 4;
    s->WingCount = 3;
    s->WingNames[1] = "Left";
    s->ViewSaved = 1;
    s->ViewOriginHex = 40;
    s->ZoomLevel = 2;
    s->MarkerSymbols.fill(5);
    k2::StdRandomSource random(7);
    ASSERT_TRUE(InitNewBattle(*s, random, "/nonexistent/K2Ter.Def").ok);
    EXPECT_EQ(s->UnitCount, 0);
    EXPECT_EQ(s->Units[2], UnitRecord{});
    EXPECT_EQ(s->StructureCount, 0);
    EXPECT_EQ(s->ObjectiveCount, 0);
    EXPECT_EQ(s->MapTextCount, 0);
    EXPECT_EQ(s->WingCount, 1);
    EXPECT_EQ(s->WingNames[0], "Main");
    EXPECT_TRUE(s->WingNames[1].Empty());
    EXPECT_EQ(s->ViewSaved, 0);
    EXPECT_EQ(s->ViewOriginHex, 0);
    EXPECT_EQ(s->ZoomLevel, 0);
    for (int i = 0; i < MarkerSymbolCount; ++i)
        EXPECT_EQ(s->MarkerSymbols[i], i <= 10 ? StockMarkerSymbols[i] : NoSymbol) << i;
    EXPECT_EQ(s->HexCount, 132);
}

TEST(InitNewBattle, ReloadsTerrainDefinitions) {
    k2test::TempDir dir;
    k2test::Bytes def;
    def.Int(105).Int(1).Text("1 Open").Int(0).Int(1).Int(0).Int(0);
    k2test::WriteAll(dir / "K2Ter.Def", def.data);
    auto s = NewScenario();
    s->Cols = 10;
    s->Rows = 10;
    SequenceRandom random({3});
    Status st = InitNewBattle(*s, random, dir / "K2Ter.Def");
    ASSERT_TRUE(st.ok);
    EXPECT_TRUE(st.warnings.empty());
    EXPECT_EQ(s->TerrainDefCount, 1);
    EXPECT_EQ(s->TerrainDefs[0].name, "1 Open");
}

TEST(InitNewBattle, AllocationFailureTouchesNothing) {
    for (auto size : {std::pair{0, 10}, std::pair{10, -1}, std::pair{200, 200}}) {
        auto s = MakeBattle({.cols = 10, .rows = 10});
        s->Hexes[3].Unit = 1;
        s->UnitCount = 1;
        s->WingCount = 2;
        auto before = std::make_unique<Scenario>(*s);
        s->Cols = size.first;
        s->Rows = size.second;
        before->Cols = size.first;
        before->Rows = size.second;
        SequenceRandom random({1});
        Status st = InitNewBattle(*s, random, "/nonexistent/K2Ter.Def");
        EXPECT_FALSE(st.ok);
        EXPECT_EQ(st.message, "Hex Array Mem Allocation Error.");
        EXPECT_EQ(random.calls, 0u);
        EXPECT_TRUE(*s == *before);
    }
}

struct WingCase {
    std::vector<std::string> names;
    std::vector<int32_t> unitWings;
    std::vector<std::string> expectNames;
    std::vector<int32_t> expectWings;
};

class CompactWingsTest : public ::testing::TestWithParam<WingCase> {};

TEST_P(CompactWingsTest, RemovesEmptyNamesInOnePass) {
    const WingCase& c = GetParam();
    auto s = NewScenario();
    s->WingCount = int32_t(c.names.size());
    for (std::size_t i = 0; i < c.names.size(); ++i)
        s->WingNames[i] = c.names[i];
    s->UnitCount = int32_t(c.unitWings.size());
    for (std::size_t i = 0; i < c.unitWings.size(); ++i)
        s->Units[i + 1].Wing = c.unitWings[i];
    s->CompactWings();
    ASSERT_EQ(s->WingCount, int32_t(c.expectNames.size()));
    for (std::size_t i = 0; i < c.expectNames.size(); ++i)
        EXPECT_EQ(s->WingNames[i].Str(), c.expectNames[i]);
    for (std::size_t i = c.expectNames.size(); i < MaxWings; ++i)
        EXPECT_TRUE(s->WingNames[i].Empty());
    for (std::size_t i = 0; i < c.expectWings.size(); ++i)
        EXPECT_EQ(s->Units[i + 1].Wing, c.expectWings[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompactWingsTest,
    ::testing::Values(WingCase{{"Main", "", "Left"}, {0, 1, 2}, {"Main", "Left"}, {0, 0, 1}},
                      // The name that moves into an examined place is not examined again.
                      WingCase{{"Main", "", "", "Left"}, {0, 3}, {"Main", "", "Left"}, {0, 2}},
                      // An empty wing 0: its units stay in wing 0 rather than -1.
                      WingCase{{"", "Right"}, {0, 1, 1}, {"Right"}, {0, 0, 0}},
                      WingCase{{"Main", "Left"}, {1, 0}, {"Main", "Left"}, {1, 0}},
                      WingCase{{"", ""}, {0, 1}, {""}, {0, 0}}, WingCase{{}, {0}, {}, {0}}));

// A 5 x 4 map with `n` records of each kind; record k stands on hex 2k and its name is "R<k>".
std::unique_ptr<Scenario> Populated(int n) {
    auto s = MakeBattle({.cols = 5, .rows = 4});
    for (int k = 1; k <= n; ++k) {
        std::string name = "R" + std::to_string(k);
        AddUnit(*s, 2 * k, {.Name = {name}, .Men = 100 + k});
        AddStructure(*s, 2 * k, {.Name = {name}, .SpareA = 50 + k});
        AddObjective(*s, 2 * k, {.Name = {name}});
        PlaceName text;
        text.Text = name;
        AddMapText(*s, 2 * k, text);
        HexCell& c = s->Hexes[2 * k];
        c.ReinforcementMarker = 29;
        c.Caltrops = 30;
    }
    return s;
}

struct RemovalCase {
    const char* name;
    void (Scenario::*remove)(int32_t);
    int32_t HexCell::*field;
    int32_t Scenario::*count;
    std::function<std::string(const Scenario&, int)> recordName;
    std::function<int32_t(const Scenario&, int)> recordHex;
};

std::vector<RemovalCase> RemovalCases() {
    return {
        {"unit", &Scenario::RemoveUnit, &HexCell::Unit, &Scenario::UnitCount,
         [](const Scenario& s, int k) { return s.Units[k].Name.Str(); },
         [](const Scenario& s, int k) { return s.Units[k].Hex; }},
        {"structure", &Scenario::RemoveStructure, &HexCell::Structure, &Scenario::StructureCount,
         [](const Scenario& s, int k) { return s.Structures[k].Name.Str(); },
         [](const Scenario& s, int k) { return s.Structures[k].Hex; }},
        {"objective", &Scenario::RemoveObjective, &HexCell::Objective, &Scenario::ObjectiveCount,
         [](const Scenario& s, int k) { return s.Objectives[k].Name.Str(); },
         [](const Scenario& s, int k) { return s.Objectives[k].Hex; }},
        {"map text", &Scenario::RemoveMapText, &HexCell::MapText, &Scenario::MapTextCount,
         [](const Scenario& s, int k) { return s.MapTexts[k].Text.Str(); },
         [](const Scenario& s, int k) { return s.MapTexts[k].Hex; }},
    };
}

TEST(Removal, LaterRecordsMoveDownAndTheirHexesFollow) {
    for (const RemovalCase& c : RemovalCases()) {
        SCOPED_TRACE(c.name);
        auto s = Populated(5);
        ((*s).*c.remove)(3);
        EXPECT_EQ((*s).*c.count, 4);
        const std::vector<std::string> names = {"R1", "R2", "R4", "R5"};
        for (int k = 1; k <= 4; ++k) {
            EXPECT_EQ(c.recordName(*s, k), names[k - 1]);
            const int32_t hex = c.recordHex(*s, k);
            EXPECT_EQ(s->Hexes[hex].*c.field, k) << "hex of record " << k << " must refer to its new number";
        }
        EXPECT_EQ(s->Hexes[6].*c.field, 0) << "the removed record's hex refers to nothing";
        EXPECT_EQ(s->Hexes[6].ReinforcementMarker, 29) << "markers stay";
        EXPECT_EQ(s->Hexes[6].Caltrops, 30);
        EXPECT_EQ(c.recordName(*s, 5), "") << "the vacated slot is cleared";
        // The other tables are untouched.
        for (int32_t h = 0; h < s->HexCount; ++h) {
            for (const RemovalCase& other : RemovalCases()) {
                if (other.field == c.field) continue;
                EXPECT_EQ(s->Hexes[h].*other.field, (h % 2 == 0 && h >= 2 && h <= 10) ? h / 2 : 0);
            }
        }
    }
}

TEST(Removal, FirstLastAndOutOfRange) {
    for (const RemovalCase& c : RemovalCases()) {
        SCOPED_TRACE(c.name);
        auto s = Populated(3);
        ((*s).*c.remove)(3);
        EXPECT_EQ((*s).*c.count, 2);
        EXPECT_EQ(s->Hexes[6].*c.field, 0);
        ((*s).*c.remove)(1);
        EXPECT_EQ((*s).*c.count, 1);
        EXPECT_EQ(c.recordName(*s, 1), "R2");
        EXPECT_EQ(s->Hexes[4].*c.field, 1);
        EXPECT_EQ(s->Hexes[2].*c.field, 0);
        auto before = std::make_unique<Scenario>(*s);
        for (int32_t bad : {0, -1, 2, 501, NoSymbol})
            ((*s).*c.remove)(bad);
        EXPECT_TRUE(*s == *before);
        ((*s).*c.remove)(1);
        EXPECT_EQ((*s).*c.count, 0);
        for (const HexCell& cell : s->Hexes)
            EXPECT_EQ(cell.*c.field, 0);
    }
}

TEST(Removal, StructureSpareFieldTravelsWithItsStructure) {
    auto s = Populated(3);
    s->RemoveStructure(2);
    EXPECT_EQ(s->Structures[2].Name, "R3");
    EXPECT_EQ(s->Structures[2].SpareA, 53);
}

TEST(Removal, MapTextOffTheMapStaysInertAndRenumbers) {
    auto s = Populated(3);
    s->MapTexts[2].Hex = 5000; // its hex was cut away
    s->Hexes[4].MapText = 0;
    s->RemoveMapText(1);
    EXPECT_EQ(s->MapTextCount, 2);
    EXPECT_EQ(s->MapTexts[1].Hex, 5000);
    EXPECT_EQ(s->Hexes[6].MapText, 2);
    s->RemoveMapText(1);
    EXPECT_EQ(s->MapTextCount, 1);
    EXPECT_EQ(s->Hexes[6].MapText, 1);
}

TEST(Removal, UnitsSharingAHexKeepTheLinkOfTheRemainingOne) {
    auto s = Populated(3);
    // Unit 3 arrives later on the hex of unit 2; the hex links the later unit.
    s->Units[3].Hex = 4;
    s->Hexes[6].Unit = 0;
    s->Hexes[4].Unit = 3;
    s->RemoveUnit(2);
    EXPECT_EQ(s->Units[2].Name, "R3");
    EXPECT_EQ(s->Hexes[4].Unit, 2);
}

TEST(PackBytes, MostSignificantFirst) {
    static_assert(PackBytes(0x12, 0x34, 0x56, 0x78) == 0x12345678u);
    static_assert(UnpackBytes(0x00C08040u) == std::array<uint8_t, 4>{0x00, 0xC0, 0x80, 0x40});
    EXPECT_EQ(PackBytes(255, 0, 0, 1), 0xFF000001u);
}

} // namespace
