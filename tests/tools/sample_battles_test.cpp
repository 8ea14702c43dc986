// The sample battles of the stock installation: they open, and they hold what a real battle
// holds (both forces, wings with leaders, reinforcements on marked hexes, structures, an
// objective, map text, caltrops and stakes, rivers, roads and woods).
#include "core/battle_file.h"
#include "core/scenario.h"
#include "stockgen/stock_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>

namespace {

namespace fs = std::filesystem;
using namespace k2;

const fs::path Stock = K2_STOCK_DIR;

std::unique_ptr<Scenario> Load(const char* name) {
    auto s = std::make_unique<Scenario>();
    Status st = ReadBattle(*s, Stock / "scenarios" / name, Stock / "sysdefs" / "K2Ter.Def");
    EXPECT_TRUE(st.ok) << name << ": " << st.message;
    EXPECT_TRUE(st.warnings.empty());
    return s;
}

int CountSecondary(const Scenario& s, int32_t lo, int32_t hi) {
    int n = 0;
    for (const HexCell& c : s.Hexes)
        n += std::any_of(c.SecondaryTerrain.begin(), c.SecondaryTerrain.end(),
                         [&](int32_t t) { return t >= lo && t <= hi; });
    return n;
}

void ExpectRealBattle(const Scenario& s, int minUnits) {
    int west = 0, east = 0, reinforcements = 0, leaders = 0;
    std::set<int32_t> wingsWithLeader, wingsUsed;
    for (int32_t k = 1; k <= s.UnitCount; ++k) {
        const UnitRecord& u = s.Units[k];
        (u.Side == SideWestern ? west : east)++;
        ASSERT_TRUE(s.IsValidHex(u.Hex));
        EXPECT_EQ(s.Hexes[u.Hex].Unit, k) << "every unit's hex points back";
        EXPECT_EQ(u.Symbol % 2, u.Side == SideWestern ? 0 : 1) << "Western units face east";
        EXPECT_LT(u.Symbol, k2stock::unit::Count);
        EXPECT_LT(u.Wing, s.WingCount);
        EXPECT_GE(u.Men, 10);
        EXPECT_LE(u.Men, 50);
        wingsUsed.insert(u.Wing);
        if (u.WingLeader) wingsWithLeader.insert(u.Wing), ++leaders;
        if (u.ActivationTurn > 1) {
            ++reinforcements;
            EXPECT_LE(u.ActivationTurn, s.MaxTurns);
            EXPECT_EQ(s.Hexes[u.Hex].ReinforcementMarker,
                      s.MarkerSymbols[u.Side == SideWestern ? MarkerWesternReinforcement
                                                            : MarkerEasternReinforcement]);
        }
    }
    EXPECT_GE(west + east, minUnits);
    EXPECT_LE(s.UnitCount, MaxUnits);
    EXPECT_GT(west, 12);
    EXPECT_GT(east, 12);
    EXPECT_GE(reinforcements, 4);
    EXPECT_EQ(wingsWithLeader, wingsUsed) << "every wing has its leader";
    EXPECT_EQ(int32_t(wingsUsed.size()), s.WingCount);
    EXPECT_GE(s.StructureCount, 4);
    for (int32_t k = 1; k <= s.StructureCount; ++k)
        EXPECT_EQ(s.Hexes[s.Structures[k].Hex].Structure, k);
    ASSERT_EQ(s.ObjectiveCount, 1);
    EXPECT_EQ(s.Hexes[s.Objectives[1].Hex].Objective, 1);
    EXPECT_GE(s.MapTextCount, 3);
    std::set<std::string> fonts;
    for (int32_t k = 1; k <= s.MapTextCount; ++k) {
        const PlaceName& m = s.MapTexts[k];
        fonts.insert(m.FontName.Str());
        EXPECT_EQ(m.Style & 15, 9);
        EXPECT_EQ(m.Size, (std::array<uint8_t, 3>{8, 12, 16}));
        EXPECT_EQ(s.Hexes[m.Hex].MapText, k);
    }
    for (const auto& f : fonts)
        EXPECT_TRUE(f == "Arial" || f == "Galant" || f == "Kelt" || f == "Viking") << f;
    EXPECT_GE(fonts.size(), 3u);
    int caltrops = 0, stakes = 0;
    for (int32_t h = 0; h < s.HexCount; ++h) {
        const HexCell& c = s.Hexes[h];
        caltrops += c.Caltrops == s.MarkerSymbols[MarkerCaltrops];
        stakes += c.Stakes == s.MarkerSymbols[MarkerStakes] || c.Stakes == s.MarkerSymbols[MarkerStakes] + 1;
        if (s.IsBorderHex(h)) {
            EXPECT_EQ(c.PrimaryTerrain, BorderTerrain);
            EXPECT_EQ(c.SecondaryTerrain[0], NoSymbol) << "nothing is painted on the border";
        }
    }
    EXPECT_GT(caltrops, 0);
    EXPECT_GT(stakes, 0);
    namespace t = k2stock::ter;
    EXPECT_GT(CountSecondary(s, t::RiverN, t::RiverN + 5), s.Rows / 2) << "a river crosses the map";
    EXPECT_GT(CountSecondary(s, t::RoadN, t::RoadN + 5), s.Cols / 2) << "a road crosses the map";
    EXPECT_GT(CountSecondary(s, t::Woods, t::Woods) + CountSecondary(s, t::WoodsB, t::WoodsB), 5);
    EXPECT_GT(CountSecondary(s, t::Hamlet, t::Hamlet) + CountSecondary(s, t::Farmstead, t::Farmstead), 0);
    int hills = 0, fields = 0;
    for (const HexCell& c : s.Hexes) {
        hills += c.PrimaryTerrain == t::Hill1 || c.PrimaryTerrain == t::Hill2 || c.PrimaryTerrain == t::Hill3;
        fields += c.PrimaryTerrain == t::WheatFields || c.PrimaryTerrain == t::PloughedField ||
                  c.PrimaryTerrain == t::Meadow || c.PrimaryTerrain == t::WheatFieldsB;
    }
    EXPECT_GT(hills, 10);
    EXPECT_GT(fields, 10);
}

TEST(SampleBattles, SmallCurrentBattle) {
    auto s = Load("Border Skirmish.k2s");
    EXPECT_EQ(s->Cols, 40);
    EXPECT_EQ(s->Rows, 30);
    EXPECT_EQ(s->TerrainSetName, "K2T");
    EXPECT_EQ(s->TerrainDefCount, k2stock::ter::Count);
    ExpectRealBattle(*s, 30);
}

TEST(SampleBattles, FullSizeCurrentBattle) {
    auto s = Load("Battle of the Great Field.k2s");
    EXPECT_EQ(s->Cols, 150);
    EXPECT_EQ(s->Rows, 150);
    ExpectRealBattle(*s, 200);
}

TEST(SampleBattles, LegacyBattleOpensConverted) {
    EXPECT_TRUE(IsLegacyBattleFile("Old Raid.scn"));
    auto s = Load("Old Raid.scn");
    EXPECT_EQ(s->TerrainSetName, "k2t");
    EXPECT_GT(s->UnitCount, 5);
    int broken = 0;
    for (const HexCell& c : s->Hexes)
        broken += c.SecondaryTerrain[0] == LegacySecondaryTerrain;
    EXPECT_GT(broken, 0) << "its woods convert to broken ground";
}

} // namespace
