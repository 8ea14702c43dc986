// Generate Terrain as an edit: one step of the history that one Undo takes back.
#include "edit/generate_terrain.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace k2;

class GenerateTerrainStep : public ::testing::Test {
  protected:
    GenerateTerrainStep() {
        EXPECT_TRUE(ReadRoleTable(RoleTableFile(K2_STOCK_DIR, "K2T"), roles).ok);
        battle->Cols = 30;
        battle->Rows = 20;
        battle->HexCount = 600;
        battle->Hexes.assign(600, HexCell{});
        battle->TerrainDefCount = roles.TerrainCount;
        battle->StructureCount = 1;
        battle->Structures[1].Hex = 95;
        battle->Hexes[95].Structure = 1;
        battle->Hexes[200].Caltrops = 30;
        history.Reset();
    }

    RoleTable roles;
    std::unique_ptr<Scenario> battle = std::make_unique<Scenario>();
    EditHistory history{*battle};
};

TEST_F(GenerateTerrainStep, IsOneStepThatUndoAndRedoTakeBackAndForth) {
    const auto before = std::make_unique<Scenario>(*battle);
    GeneratorSettings settings;
    settings.Seed = 31;
    const GenerateTerrainOutcome out = RecordTerrainGeneration(history, *battle, roles, settings);
    ASSERT_TRUE(out.Result.ok) << out.Result.message;
    EXPECT_TRUE(out.Change.Changed);
    const auto generated = std::make_unique<Scenario>(*battle);
    EXPECT_FALSE(*generated == *before);
    EXPECT_EQ(history.StepCount(), 1u);
    EXPECT_EQ(history.UndoName(), "Generate Terrain");
    EXPECT_TRUE(history.Modified());

    history.Undo();
    EXPECT_TRUE(*battle == *before);
    EXPECT_FALSE(history.Modified());
    history.Redo();
    EXPECT_TRUE(*battle == *generated);
}

TEST_F(GenerateTerrainStep, ARefusalRecordsNothing) {
    const auto before = std::make_unique<Scenario>(*battle);
    GeneratorSettings settings;
    settings.Rivers = 140;
    const GenerateTerrainOutcome out = RecordTerrainGeneration(history, *battle, roles, settings);
    EXPECT_EQ(out.Result.message, "Rivers must be from 0 to 100.");
    EXPECT_FALSE(out.Change.Changed);
    EXPECT_EQ(history.StepCount(), 0u);
    EXPECT_TRUE(*battle == *before);

    // A map made for a battle of another size does not fit this one.
    auto other = std::make_unique<Scenario>(*battle);
    other->Cols = 20, other->Rows = 30;
    GeneratedMap map;
    ASSERT_TRUE(GenerateMap(*other, roles, GeneratorSettings{}, map).ok);
    EXPECT_FALSE(RecordGeneratedMap(history, *battle, map).Result.ok);
    EXPECT_EQ(history.StepCount(), 0u);
}

} // namespace
