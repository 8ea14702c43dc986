// The rules of the Generate Terrain dialog, headless: the seed, the sliders, the preview and OK.
#include "common/recorders.h"
#include "edit/dialogs/generate_terrain_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using namespace k2;

std::unique_ptr<Scenario> Battle(int32_t cols, int32_t rows, int32_t terrainCount) {
    auto s = std::make_unique<Scenario>();
    s->Cols = cols;
    s->Rows = rows;
    s->HexCount = cols * rows;
    s->Hexes.assign(std::size_t(s->HexCount), HexCell{});
    s->TerrainDefCount = terrainCount;
    return s;
}

class GenerateLogic : public ::testing::Test {
  protected:
    GenerateLogic() { EXPECT_TRUE(ReadRoleTable(RoleTableFile(K2_STOCK_DIR, "K2T"), roles).ok); }

    RoleTable roles;
    std::unique_ptr<Scenario> battle = Battle(40, 30, 143);
    EditHistory history{*battle};
    test::SequenceRandom random{{9001, 77}};
    GenerateTerrainLogic logic{*battle, roles, history, random};
};

TEST_F(GenerateLogic, ShowsANewSeedAndMakesThePreviewOnlyWhenTheSettingsChanged) {
    logic.Activate();
    EXPECT_EQ(logic.SeedText(), "9001");
    EXPECT_EQ(logic.Settings().Hills, GeneratorSettings{}.Hills);
    ASSERT_TRUE(logic.RefreshPreview());
    EXPECT_FALSE(logic.RefreshPreview()) << "nothing changed";
    ASSERT_EQ(logic.PreviewColours().size(), 1200u);
    EXPECT_EQ(logic.PreviewColours()[0], preview::Border);

    logic.SetSlider(0, 140);
    EXPECT_EQ(logic.Settings().Hills, 100);
    logic.SetSlider(0, 100);
    EXPECT_TRUE(logic.RefreshPreview());
    logic.NewSeed();
    EXPECT_EQ(logic.SeedText(), "77");
    EXPECT_TRUE(logic.PreviewStale());

    EXPECT_TRUE(logic.SetSeedText("4294967295"));
    EXPECT_EQ(logic.Settings().Seed, 4294967295u);
    for (const char* bad : {"", "12a", "-1", "4294967296", "99999999999"})
        EXPECT_FALSE(logic.SetSeedText(bad)) << bad;
    EXPECT_EQ(logic.Settings().Seed, 4294967295u);
}

TEST_F(GenerateLogic, OkLaysThePreviewedMapAsOneStepAndKeepsTheSliders) {
    logic.Activate();
    logic.SetSlider(1, 90);
    ASSERT_TRUE(logic.RefreshPreview());
    const std::vector<uint32_t> shown = logic.PreviewColours();
    const auto expected = std::make_unique<Scenario>(*battle);
    ASSERT_TRUE(GenerateTerrain(*expected, roles, logic.Settings()).ok);

    const GenerateTerrainOutcome out = logic.Ok();
    ASSERT_TRUE(out.Result.ok) << out.Result.message;
    EXPECT_TRUE(*battle == *expected);
    EXPECT_EQ(history.StepCount(), 1u);
    EXPECT_EQ(history.UndoName(), "Generate Terrain");
    // The preview showed that map: its villages in the village colour.
    for (int32_t k = 1; k <= battle->StructureCount; ++k)
        EXPECT_EQ(shown[std::size_t(battle->Structures[std::size_t(k)].Hex)], preview::Village);

    logic.Activate();
    EXPECT_EQ(logic.Settings().Woods, 90) << "the sliders of the last OK";
    EXPECT_EQ(logic.SeedText(), "77") << "a new seed";
}

TEST_F(GenerateLogic, AMapTooSmallShowsWhyAndOkChangesNothing) {
    auto tiny = Battle(2, 8, 143);
    EditHistory tinyHistory(*tiny);
    GenerateTerrainLogic small(*tiny, roles, tinyHistory, random);
    small.Activate();
    small.RefreshPreview();
    EXPECT_EQ(small.Problem(), "The map is too small to generate terrain on.");
    EXPECT_TRUE(small.PreviewColours().empty());
    EXPECT_FALSE(small.Ok().Result.ok);
    EXPECT_EQ(tinyHistory.StepCount(), 0u);
}

} // namespace
