#include "core/terrain_defs.h"

#include "common/battle_builder.h"
#include "core_test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace k2;
using k2test::Bytes;
using k2test::NewScenario;
using k2test::ReadAll;
using k2test::TempDir;
using k2test::WriteAll;

TerrainDef Def(std::string_view name, int32_t elevation, int32_t cost, int32_t defense, int32_t spare) {
    TerrainDef d;
    d.name = name;
    d.elevation = elevation;
    d.costPerMove = cost;
    d.defenseModifier = defense;
    d.spare = spare;
    return d;
}

TEST(TerrainDefFile, ReadsRecordsAndNegativeAndLargeValues) {
    TempDir dir;
    Bytes b;
    b.Int(200).Int(3);
    b.Text("1 Open").Int(0).Int(1).Int(0).Int(0);
    b.Text("2 Wall").Raw({0, 2}).Raw({0, 13}).Raw({255, 248}).Raw({254, 0}); // -8, then 65024
    b.Text(std::string(27, 'N')).Int(3).Int(2).Int(1).Int(7);
    WriteAll(dir / "K2Ter.Def", b.data);
    auto s = NewScenario();
    s->TerrainDefs[3].name = "kept";
    ASSERT_TRUE(ReadTerrainDefs(*s, dir / "K2Ter.Def").ok);
    EXPECT_EQ(s->TerrainDefCount, 3);
    EXPECT_EQ(s->TerrainDefs[0], Def("1 Open", 0, 1, 0, 0));
    EXPECT_EQ(s->TerrainDefs[1], (Def("2 Wall", 2, 13, -8, 65024)));
    EXPECT_EQ(s->TerrainDefs[2].name.Length(), 27u);
    EXPECT_EQ(s->TerrainDefs[3].name, "kept") << "entries beyond the count are not touched";
}

TEST(TerrainDefFile, WritesWithTheEditorFormatNumberAndTheGivenCount) {
    TempDir dir;
    auto s = NewScenario();
    s->TerrainDefCount = 2;
    s->TerrainDefs[0] = Def("1 Open", 0, 1, 0, 0);
    s->TerrainDefs[1] = Def("2 Wall", 2, 13, -8, 5);
    ASSERT_TRUE(WriteTerrainDefs(*s, dir / "K2Ter.Def", 3).ok);
    EXPECT_EQ(s->TerrainDefCount, 3);
    Bytes expected;
    expected.Raw({0, 105}).Raw({0, 3});
    expected.Text("1 Open").Raw({0, 0, 0, 1, 0, 0, 0, 0});
    expected.Text("2 Wall").Raw({0, 2, 0, 13, 255, 248, 0, 5});
    expected.Text("").Raw({0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(ReadAll(dir / "K2Ter.Def"), expected.data);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"K2Ter.Def"}) << "no temporary file left";

    s->EditorFormatNumber = 200;
    ASSERT_TRUE(WriteTerrainDefs(*s, dir / "K2Ter.Def", 140).ok);
    auto bytes = ReadAll(dir / "K2Ter.Def");
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[1], 200);
    EXPECT_EQ(bytes[3], 140);
    auto back = NewScenario();
    ASSERT_TRUE(ReadTerrainDefs(*back, dir / "K2Ter.Def").ok);
    EXPECT_EQ(back->TerrainDefCount, 140);
    EXPECT_EQ(back->TerrainDefs[1].defenseModifier, -8);
}

TEST(TerrainDefFile, RefusesDamagedFilesAndKeepsTheTable) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* reason;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}, "ends early"});
    cases.push_back({"count only half", Bytes().Int(105).Raw({0}).data, "ends early"});
    cases.push_back({"records missing", Bytes().Int(105).Int(2).Text("a").Int(0).Int(1).Int(0).Int(0).data,
                     "ends early"});
    cases.push_back({"record cut", Bytes().Int(105).Int(1).Text("a").Int(0).Int(1).data, "ends early"});
    cases.push_back({"name without end", Bytes().Int(105).Int(1).Raw({'a', 'b'}).data, "ends early"});
    cases.push_back({"count 501", Bytes().Int(105).Int(501).data, "count 501"});
    cases.push_back({"negative count", Bytes().Int(105).Int(-1).data, "count -1"});
    cases.push_back({"long name",
                     Bytes().Int(105).Int(1).Text(std::string(28, 'x')).Int(0).Int(1).Int(0).Int(0).data,
                     "longer than 27"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        WriteAll(dir / "K2Ter.Def", c.bytes);
        auto s = NewScenario();
        s->TerrainDefCount = 1;
        s->TerrainDefs[0] = Def("keep", 1, 2, 3, 4);
        auto before = std::make_unique<Scenario>(*s);
        Status st = ReadTerrainDefs(*s, dir / "K2Ter.Def");
        EXPECT_FALSE(st.ok);
        EXPECT_NE(st.message.find("K2Ter.Def is damaged"), std::string::npos) << st.message;
        EXPECT_NE(st.message.find(c.reason), std::string::npos) << st.message;
        EXPECT_TRUE(*s == *before);
    }
}

TEST(TerrainDefFile, MissingFileAndUnwritableFolder) {
    auto s = NewScenario();
    s->TerrainDefCount = 1;
    auto before = std::make_unique<Scenario>(*s);
    Status st = ReadTerrainDefs(*s, "/nonexistent/K2Ter.Def");
    EXPECT_EQ(st.message, "Could not open K2Ter.Def");
    EXPECT_EQ(st.title, "Warning");
    EXPECT_TRUE(*s == *before);
    st = WriteTerrainDefs(*s, "/nonexistent/K2Ter.Def", 5);
    EXPECT_EQ(st.message, "Could not write K2Ter.Def");
    EXPECT_EQ(s->TerrainDefCount, 1) << "the count changes only with a written file";
    EXPECT_FALSE(WriteTerrainDefs(*s, "/tmp/K2Ter-never.Def", 501).ok);
}

// Definitions: 0 costs 0 (skipped), 1 costs 2, 2 costs 11, 3 is impassable, 4 a hill.
std::unique_ptr<Scenario> DerivedFixture() {
    auto s = k2::test::MakeBattle({.cols = 3, .rows = 1});
    s->TerrainDefCount = 5;
    s->TerrainDefs[0] = Def("none", 3, 0, 7, 0);
    s->TerrainDefs[1] = Def("road", 1, 2, -2, 0);
    s->TerrainDefs[2] = Def("marsh", 2, 11, 4, 0);
    s->TerrainDefs[3] = Def("cliff", 3, 13, 8, 0);
    s->TerrainDefs[4] = Def("hill", 2, 4, 3, 0);
    // Past the count, as a legacy battle keeps it: still a definition of symbol 7.
    s->TerrainDefs[7] = Def("kept", 1, 6, 5, 0);
    return s;
}

TEST(DerivedHexValues, CostPerMoveLooksFromTheTopSlotDown) {
    auto s = DerivedFixture();
    HexCell& c = s->Hexes[1];
    c.PrimaryTerrain = 4;
    c.SecondaryTerrain[2] = 1; // slot 3 costs 2
    c.SecondaryTerrain[4] = 0; // slot 5 costs 0: skipped
    EXPECT_EQ(HexCostPerMove(*s, 1), 2);
    EXPECT_EQ(HexDefense(*s, 1), -2);
    c.Caltrops = 30;
    EXPECT_EQ(HexCostPerMove(*s, 1), 5);
    c.SecondaryTerrain[5] = 2; // slot 6 costs 11: with caltrops 14 -> impassable
    EXPECT_EQ(HexCostPerMove(*s, 1), 0);
    c.Caltrops = 0;
    EXPECT_EQ(HexCostPerMove(*s, 1), 11);
    c.SecondaryTerrain[5] = 3;
    EXPECT_EQ(HexCostPerMove(*s, 1), 0) << "13 is impassable";
    EXPECT_EQ(HexDefense(*s, 1), 8);
}

TEST(DerivedHexValues, EmptySlotsAndNumbersPastTheTableAreSkipped) {
    auto s = DerivedFixture();
    HexCell& c = s->Hexes[0];
    c.PrimaryTerrain = MaxTerrainDefs; // past the table
    c.SecondaryTerrain = {NoSymbol, MaxTerrainDefs, -3, 5000, NoSymbol, 62999};
    EXPECT_EQ(HexElevation(*s, 0), 0);
    EXPECT_EQ(HexCostPerMove(*s, 0), 0);
    EXPECT_EQ(HexHeight(*s, 0), 0);
    EXPECT_EQ(HexDefense(*s, 0), 0);
    c.PrimaryTerrain = NoSymbol;
    EXPECT_EQ(HexElevation(*s, 0), 0);
    c.PrimaryTerrain = 4;
    EXPECT_EQ(HexCostPerMove(*s, 0), 4);
    for (int32_t bad : {-1, 3, NoSymbol}) {
        EXPECT_EQ(HexElevation(*s, bad), 0);
        EXPECT_EQ(HexCostPerMove(*s, bad), 0);
        EXPECT_EQ(HexHeight(*s, bad), 0);
        EXPECT_EQ(HexDefense(*s, bad), 0);
    }
}

// A legacy battle holds fewer definitions than its terrain set has symbols; the entries above
// its count (filled from the definition file) are the symbols' definitions all the same.
TEST(DerivedHexValues, DefinitionsPastTheCountAreRead) {
    auto s = DerivedFixture();
    HexCell& c = s->Hexes[0];
    c.PrimaryTerrain = 7; // elevation 1, cost 6, defense 5
    EXPECT_EQ(HexElevation(*s, 0), 1);
    EXPECT_EQ(HexCostPerMove(*s, 0), 6);
    EXPECT_EQ(HexDefense(*s, 0), 5);
    c.PrimaryTerrain = 0;
    c.SecondaryTerrain[2] = 7;
    EXPECT_EQ(HexCostPerMove(*s, 0), 6);
    EXPECT_EQ(HexHeight(*s, 0), 1 + 3);
    s->TerrainDefs[MaxTerrainDefs - 1] = Def("last", 0, 9, -4, 0);
    c.SecondaryTerrain[5] = MaxTerrainDefs - 1;
    EXPECT_EQ(HexCostPerMove(*s, 0), 9);
    EXPECT_EQ(HexDefense(*s, 0), -4);
}

TEST(DerivedHexValues, HeightAndElevation) {
    auto s = DerivedFixture();
    HexCell& c = s->Hexes[2];
    c.PrimaryTerrain = 4; // elevation 2
    EXPECT_EQ(HexElevation(*s, 2), 2);
    EXPECT_EQ(HexHeight(*s, 2), 2);
    c.SecondaryTerrain[0] = 0; // elevation 3 but no cost: does not count
    c.SecondaryTerrain[3] = 1; // elevation 1
    c.SecondaryTerrain[5] = 2; // elevation 2
    EXPECT_EQ(HexHeight(*s, 2), 4);
    s->StructureCount = 1;
    s->Structures[1].Height = 5;
    c.Structure = 1;
    EXPECT_EQ(HexHeight(*s, 2), 7);
    s->Structures[1].Height = 1;
    EXPECT_EQ(HexHeight(*s, 2), 4) << "a lower structure does not lower the height";
    c.Structure = 9; // refers past the table: ignored, never read
    s->Structures[9].Height = 50;
    EXPECT_EQ(HexHeight(*s, 2), 4);
}

} // namespace
