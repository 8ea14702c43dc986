// The stock role table as installed: it reads back, and every number it names is a symbol of the
// stock terrain set that fits its role, so the generator lays what the pictures show.
#include "stock_file_readers.h"

#include "generate/role_table.h"
#include "stockgen/stock_catalogue.h"

#include <gmock/gmock.h>

namespace {

using namespace stocktest;
namespace ter = k2stock::ter;

TEST(StockRoleTable, NamesSymbolsOfTheRightLayerAndHeight) {
    k2::RoleTable roles;
    const k2::Status read = k2::ReadRoleTable(StockDir() / "sysdefs" / "K2T.roles", roles);
    ASSERT_TRUE(read.ok) << read.message;
    const auto set = ParseSetFile(ReadBytes(StockDir() / "scenarios" / "K2T.ter"));
    const auto defs = ParseTerrainDefs(ReadBytes(StockDir() / "sysdefs" / "K2Ter.Def"));
    ASSERT_TRUE(set && defs);
    ASSERT_EQ(roles.TerrainCount, int32_t(set->terrain.size()));
    const std::vector<k2::TerrainRoleEntry> index = roles.Index();
    for (int32_t t = 0; t < roles.TerrainCount; ++t) {
        const k2::TerrainRoleEntry& e = index[std::size_t(t)];
        const std::string& name = set->terrain[std::size_t(t)].name;
        char layer = '\0';
        switch (e.Role) {
        case k2::TerrainRole::None:
            continue;
        case k2::TerrainRole::Open:
        case k2::TerrainRole::Fields:
        case k2::TerrainRole::Marsh:
        case k2::TerrainRole::Water:
        case k2::TerrainRole::Hill:
            layer = '1';
            break;
        case k2::TerrainRole::Village:
            layer = '3';
            break;
        default:
            layer = '2';
        }
        EXPECT_EQ(name[0], layer) << name;
        EXPECT_NE(name[2], '_') << "a heading has no role: " << name;
        if (e.Role == k2::TerrainRole::Hill)
            EXPECT_EQ(defs->records[std::size_t(t)].elevation, e.Elevation) << name;
        if (e.Role == k2::TerrainRole::Water || e.Role == k2::TerrainRole::River)
            EXPECT_EQ(defs->records[std::size_t(t)].cost, 13) << name;
    }
}

TEST(StockRoleTable, GivesEachRouteAndBridgeTheSidesItIsDrawnTo) {
    k2::RoleTable roles;
    ASSERT_TRUE(k2::ReadRoleTable(StockDir() / "sysdefs" / "K2T.roles", roles).ok);
    for (int32_t side = 0; side < 6; ++side) {
        EXPECT_EQ(roles.Road[std::size_t(side)], ter::Road(ter::HexSide(side)));
        EXPECT_EQ(roles.River[std::size_t(side)], ter::River(ter::HexSide(side)));
    }
    using D = k2::HexDirection;
    EXPECT_THAT(roles.Bridges,
                testing::UnorderedElementsAre(k2::BridgePiece{ter::BridgeNS, D::North, D::South},
                                              k2::BridgePiece{ter::BridgeNESW, D::NorthEast, D::SouthWest},
                                              k2::BridgePiece{ter::BridgeNWSE, D::NorthWest, D::SouthEast}));
    EXPECT_EQ(roles.Ford, ter::Ford);
    EXPECT_THAT(roles.Villages, testing::UnorderedElementsAre(ter::Village, ter::Church));
}

} // namespace
