// The editor's own terrain definition reader accepts the generated K2Ter.Def and sees the same
// values as the generator meant.
#include "stock_file_readers.h"

#include "core/scenario.h"
#include "core/terrain_defs.h"
#include "stockgen/definition_files.h"

#include <gmock/gmock.h>
#include <memory>

namespace {

TEST(EditorReaders, ReadTheStockTerrainDefinitions) {
    auto scenario = std::make_unique<k2::Scenario>();
    const k2::Status status = k2::ReadTerrainDefs(*scenario, stocktest::StockDir() / "sysdefs" / "K2Ter.Def");
    ASSERT_TRUE(status.ok) << status.message;
    const auto want = k2stock::StockTerrainDefs();
    ASSERT_EQ(scenario->TerrainDefCount, static_cast<int32_t>(want.size()));
    for (size_t i = 0; i < want.size(); ++i) {
        const k2::TerrainDef& got = scenario->TerrainDefs[i];
        EXPECT_EQ(got.name.View(), want[i].name) << i;
        EXPECT_EQ(got.elevation, want[i].elevation) << i;
        EXPECT_EQ(got.costPerMove, want[i].cost) << i;
        EXPECT_EQ(got.defenseModifier, want[i].defense) << i;
    }
}

} // namespace
