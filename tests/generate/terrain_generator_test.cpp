#include "generate/terrain_generator.h"

#include "core/hex_grid.h"
#include "generate/terrain_random.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace k2;

const RoleTable& StockRoles() {
    static const RoleTable roles = [] {
        RoleTable t;
        const Status st = ReadRoleTable(RoleTableFile(K2_STOCK_DIR, "K2T"), t);
        if (!st) ADD_FAILURE() << st.message;
        return t;
    }();
    return roles;
}

std::unique_ptr<Scenario> Blank(int32_t cols, int32_t rows) {
    auto s = std::make_unique<Scenario>();
    s->Cols = cols;
    s->Rows = rows;
    s->HexCount = cols * rows;
    s->Hexes.assign(std::size_t(s->HexCount), HexCell{});
    s->TerrainDefCount = StockRoles().TerrainCount;
    for (int32_t h = 0; h < s->HexCount; ++h)
        if (s->IsBorderHex(h)) s->Hexes[std::size_t(h)].PrimaryTerrain = BorderTerrain;
    return s;
}

// What a generated map holds, read back from the battle through the role table alone, and every
// way in which it falls short of a battlefield.
struct MapFacts {
    int32_t HillHexes = 0, WetHexes = 0, FieldHexes = 0, WoodsHexes = 0;
    int32_t Villages = 0, RoadEnds = 0, RiverEnds = 0;
    std::vector<std::string> Faults;
};

// The sizes of the groups of neighbouring hexes for which `member` holds.
std::vector<int32_t> Clumps(const HexGrid& grid, const std::vector<uint8_t>& member) {
    std::vector<int32_t> sizes;
    std::vector<uint8_t> seen(member.size(), 0);
    for (std::size_t start = 0; start < member.size(); ++start) {
        if (!member[start] || seen[start]) continue;
        int32_t size = 0;
        std::deque<int32_t> queue = {int32_t(start)};
        seen[start] = 1;
        while (!queue.empty()) {
            const int32_t h = queue.front();
            queue.pop_front();
            ++size;
            for (int32_t side = 0; side < 6; ++side)
                if (auto n = grid.Neighbour(h, HexDirection(side));
                    n && member[std::size_t(*n)] && !seen[std::size_t(*n)]) {
                    seen[std::size_t(*n)] = 1;
                    queue.push_back(*n);
                }
        }
        sizes.push_back(size);
    }
    return sizes;
}

MapFacts Examine(const Scenario& s, int32_t minHillClump) {
    const std::vector<TerrainRoleEntry> index = StockRoles().Index();
    const auto role = [&](int32_t t) {
        return t >= 0 && t < int32_t(index.size()) ? index[std::size_t(t)] : TerrainRoleEntry{};
    };
    const HexGrid grid{s.Cols, s.Rows};
    const std::size_t count = s.Hexes.size();
    MapFacts f;
    std::vector<uint8_t> road(count, 0), river(count, 0), hill(count, 0), woods(count, 0);
    std::vector<int32_t> level(count, 0);
    std::vector<bool> crossed(count, false);
    for (int32_t h = 0; h < int32_t(count); ++h) {
        const HexCell& c = s.Hexes[std::size_t(h)];
        const std::string at = "hex " + std::to_string(h) + ": ";
        if (s.IsBorderHex(h)) {
            if (c.PrimaryTerrain != BorderTerrain || c.SecondaryTerrain != HexCell{}.SecondaryTerrain)
                f.Faults.push_back(at + "the border ring changed");
            continue;
        }
        const TerrainRoleEntry primary = role(c.PrimaryTerrain);
        switch (primary.Role) {
        case TerrainRole::Hill:
            ++f.HillHexes;
            hill[std::size_t(h)] = 1;
            level[std::size_t(h)] = primary.Elevation;
            break;
        case TerrainRole::Marsh:
        case TerrainRole::Water:
            ++f.WetHexes;
            break;
        case TerrainRole::Fields:
            ++f.FieldHexes;
            break;
        case TerrainRole::Open:
            break;
        default:
            f.Faults.push_back(at + "primary terrain " + std::to_string(c.PrimaryTerrain) +
                               " has no ground role");
        }
        for (int32_t t : c.SecondaryTerrain) {
            const TerrainRoleEntry e = role(t);
            if (e.Role == TerrainRole::Road || e.Role == TerrainRole::Bridge) road[std::size_t(h)] |= e.Sides;
            if (e.Role == TerrainRole::River) river[std::size_t(h)] |= e.Sides;
            if (e.Role == TerrainRole::Woods) woods[std::size_t(h)] = 1;
            if (e.Role == TerrainRole::Bridge || e.Role == TerrainRole::Ford) crossed[std::size_t(h)] = true;
        }
        f.WoodsHexes += woods[std::size_t(h)];
        if (road[std::size_t(h)] && river[std::size_t(h)] && !crossed[std::size_t(h)])
            f.Faults.push_back(at + "a road crosses a river without a bridge or ford");
    }
    // Joins across every side: a piece meets its neighbour's matching piece, or the edge (or, for
    // roads, a village).
    for (int32_t h = 0; h < int32_t(count); ++h) {
        for (int32_t side = 0; side < 6; ++side) {
            const auto n = grid.Neighbour(h, HexDirection(side));
            const bool edge = !n || s.IsBorderHex(*n);
            const uint8_t bit = uint8_t(1u << side), back = uint8_t(1u << ((side + 3) % 6));
            const std::string at = "hex " + std::to_string(h) + " side " + std::to_string(side) + ": ";
            if (road[std::size_t(h)] & bit) {
                const bool village =
                    s.Hexes[std::size_t(h)].Structure != 0 || (n && s.Hexes[std::size_t(*n)].Structure != 0);
                if (edge)
                    ++f.RoadEnds;
                else if (!(road[std::size_t(*n)] & back) && !village)
                    f.Faults.push_back(at + "a road piece without its neighbour's");
            }
            if (river[std::size_t(h)] & bit) {
                if (edge)
                    ++f.RiverEnds;
                else if (!(river[std::size_t(*n)] & back))
                    f.Faults.push_back(at + "a river piece without its neighbour's");
            }
            if (n && !edge && std::abs(level[std::size_t(h)] - level[std::size_t(*n)]) > 1)
                f.Faults.push_back(at + "a hill rises more than one level at once");
        }
    }
    // Each river, followed along its joins, reaches the edge at both ends.
    std::vector<uint8_t> seen(count, 0);
    for (int32_t start = 0; start < int32_t(count); ++start) {
        if (!river[std::size_t(start)] || seen[std::size_t(start)]) continue;
        int32_t ends = 0;
        std::deque<int32_t> queue = {start};
        seen[std::size_t(start)] = 1;
        while (!queue.empty()) {
            const int32_t h = queue.front();
            queue.pop_front();
            for (int32_t side = 0; side < 6; ++side) {
                if (!(river[std::size_t(h)] & (1u << side))) continue;
                const auto n = grid.Neighbour(h, HexDirection(side));
                if (!n || s.IsBorderHex(*n)) {
                    ++ends;
                } else if (!seen[std::size_t(*n)]) {
                    seen[std::size_t(*n)] = 1;
                    queue.push_back(*n);
                }
            }
        }
        if (ends < 2) f.Faults.push_back("the river through hex " + std::to_string(start) + " ends inland");
    }
    for (int32_t size : Clumps(grid, hill))
        if (size < minHillClump) f.Faults.push_back("a hill of " + std::to_string(size) + " hexes");
    for (int32_t size : Clumps(grid, woods))
        if (size < 3) f.Faults.push_back("a wood of " + std::to_string(size) + " hexes");
    f.Villages = s.StructureCount;
    for (int32_t k = 1; k <= s.StructureCount; ++k) {
        const StructureRecord& st = s.Structures[std::size_t(k)];
        const std::string at = "village " + std::to_string(k) + ": ";
        if (!s.IsValidHex(st.Hex) || s.Hexes[std::size_t(st.Hex)].Structure != k) {
            f.Faults.push_back(at + "its hex does not refer to it");
            continue;
        }
        const TerrainRole ground = role(s.Hexes[std::size_t(st.Hex)].PrimaryTerrain).Role;
        if (ground == TerrainRole::Water || ground == TerrainRole::Marsh || river[std::size_t(st.Hex)])
            f.Faults.push_back(at + "stands on water");
        if (role(st.Symbol).Role != TerrainRole::Village) f.Faults.push_back(at + "is not a village symbol");
    }
    return f;
}

// Within a tenth of what was asked (nothing when nothing was asked).
void ExpectNear(int32_t got, int32_t asked, const std::string& what) {
    EXPECT_LE(std::abs(got - asked) * 10, asked) << what << ": " << got << " for " << asked;
}

void ExpectBattlefield(int32_t cols, int32_t rows, const GeneratorSettings& settings,
                       const std::string& label) {
    auto s = Blank(cols, rows);
    const Status st = GenerateTerrain(*s, StockRoles(), settings);
    ASSERT_TRUE(st.ok) << label << ": " << st.message;
    const GeneratorTargets asked = TargetsFor(cols, rows, settings);
    const MapFacts f = Examine(*s, std::min(4, asked.HillHexes));
    for (const std::string& fault : f.Faults)
        ADD_FAILURE() << label << ": " << fault;
    ExpectNear(f.HillHexes, asked.HillHexes, label + " hills");
    ExpectNear(f.WoodsHexes, asked.WoodsHexes, label + " woods");
    ExpectNear(f.WetHexes, asked.WetHexes, label + " marsh and water");
    ExpectNear(f.FieldHexes, asked.FieldHexes, label + " fields");
    ExpectNear(f.Villages, asked.Villages, label + " villages");
    ExpectNear(f.RoadEnds / 2, asked.Roads, label + " roads");
    ExpectNear(f.RiverEnds / 2, asked.Rivers, label + " rivers");
}

GeneratorSettings All(int32_t value, uint32_t seed) {
    GeneratorSettings s;
    s.Seed = seed;
    for (const SliderInfo& slider : Sliders)
        s.*slider.Value = value;
    return s;
}

struct FieldCase {
    const char* name;
    int32_t cols, rows;
    int32_t seeds;
    GeneratorSettings (*settings)(uint32_t seed);
};

const FieldCase FieldCases[] = {
    {"the proposed sliders", 40, 20, 24,
     [](uint32_t seed) {
         GeneratorSettings s;
         s.Seed = seed;
         return s;
     }},
    {"every slider at the top", 60, 45, 8,
     [](uint32_t seed) { return All(GeneratorSettings::MaxSlider, seed); }},
    {"every slider at the bottom", 30, 30, 2, [](uint32_t seed) { return All(0, seed); }},
    {"sliders drawn at random", 70, 50, 24,
     [](uint32_t seed) {
         TerrainRandom random(seed, 99);
         GeneratorSettings s;
         s.Seed = seed;
         for (const SliderInfo& slider : Sliders)
             s.*slider.Value = random.Range(0, GeneratorSettings::MaxSlider);
         return s;
     }},
    {"the smallest map", 10, 10, 12, [](uint32_t seed) { return All(70, seed); }},
    {"a full-size map", 150, 150, 3, [](uint32_t seed) { return All(60, seed); }},
};

TEST(TerrainGenerator, LaysABattlefieldThatMeetsEverySlider) {
    for (const FieldCase& c : FieldCases)
        for (int32_t k = 0; k < c.seeds; ++k) {
            const uint32_t seed = 1000u + uint32_t(k) * 7919u;
            ExpectBattlefield(c.cols, c.rows, c.settings(seed),
                              std::string(c.name) + " (seed " + std::to_string(seed) + ")");
        }
}

TEST(TerrainGenerator, TheSameSeedAndSettingsGiveTheSameMap) {
    GeneratorSettings settings = All(50, 77);
    auto a = Blank(60, 40), b = Blank(60, 40);
    ASSERT_TRUE(GenerateTerrain(*a, StockRoles(), settings).ok);
    ASSERT_TRUE(GenerateTerrain(*b, StockRoles(), settings).ok);
    EXPECT_TRUE(*a == *b);
    settings.Seed = 78;
    auto c = Blank(60, 40);
    ASSERT_TRUE(GenerateTerrain(*c, StockRoles(), settings).ok);
    EXPECT_FALSE(*a == *c);
}

TEST(TerrainGenerator, KeepsUnitsObjectivesMarkersAndMapTextAndGivesVillagesTheirSide) {
    auto s = Blank(40, 20);
    // Western units fill every other row of the eastern half; one reinforcement marker west.
    for (int32_t row = 2; row < 18; row += 2)
        for (int32_t col = 20; col < 39; ++col) {
            const int32_t k = ++s->UnitCount;
            s->Units[std::size_t(k)].Hex = s->HexIndex(row, col);
            s->Units[std::size_t(k)].Side = SideWestern;
            s->Hexes[std::size_t(s->HexIndex(row, col))].Unit = k;
        }
    const int32_t marked = s->HexIndex(9, 7);
    s->Hexes[std::size_t(marked)].ReinforcementMarker = 29;
    s->Hexes[std::size_t(s->HexIndex(5, 5))].Objective = 1;
    s->Hexes[std::size_t(s->HexIndex(6, 6))].MapText = 1;
    s->Hexes[std::size_t(s->HexIndex(7, 7))].Caltrops = 30;
    s->Hexes[std::size_t(s->HexIndex(8, 8))].Stakes = 122;
    s->StructureCount = 1;
    s->Structures[1].Hex = s->HexIndex(3, 3);
    s->Structures[1].Name = "Old Keep";
    s->Hexes[std::size_t(s->HexIndex(3, 3))].Structure = 1;
    const auto before = std::make_unique<Scenario>(*s);

    GeneratorSettings settings = All(100, 5);
    ASSERT_TRUE(GenerateTerrain(*s, StockRoles(), settings).ok);
    const std::vector<TerrainRoleEntry> index = StockRoles().Index();
    for (int32_t h = 0; h < s->HexCount; ++h) {
        const HexCell& was = before->Hexes[std::size_t(h)];
        const HexCell& now = s->Hexes[std::size_t(h)];
        EXPECT_EQ(now.Unit, was.Unit);
        EXPECT_EQ(now.Objective, was.Objective);
        EXPECT_EQ(now.MapText, was.MapText);
        EXPECT_EQ(now.ReinforcementMarker, was.ReinforcementMarker);
        EXPECT_EQ(now.Caltrops, was.Caltrops);
        EXPECT_EQ(now.Stakes, was.Stakes);
        if (was.Unit == 0 && was.ReinforcementMarker == 0) continue;
        EXPECT_NE(index[std::size_t(now.PrimaryTerrain)].Role, TerrainRole::Water) << "hex " << h;
        for (int32_t t : now.SecondaryTerrain)
            EXPECT_TRUE(t == NoSymbol || index[std::size_t(t)].Role != TerrainRole::River) << "hex " << h;
    }
    EXPECT_EQ(s->Units, before->Units);
    ASSERT_GT(s->StructureCount, 0);
    for (int32_t k = 1; k <= s->StructureCount; ++k) {
        const StructureRecord& v = s->Structures[std::size_t(k)];
        EXPECT_NE(v.Name.Str(), "Old Keep") << "the battle's structures give way to the villages";
        const int32_t unit = s->Hexes[std::size_t(v.Hex)].Unit;
        const int32_t side = unit              ? s->Units[std::size_t(unit)].Side
                             : v.Hex % 40 < 20 ? SideWestern
                                               : SideEastern;
        EXPECT_EQ(v.Side, side) << v.Name.Str();
    }
}

TEST(TerrainGenerator, RefusesWithAReasonAndChangesNothing) {
    struct Case {
        const char* name;
        void (*spoil)(Scenario&, GeneratorSettings&);
        std::string message;
    };
    const Case cases[] = {
        {"a slider above 100", [](Scenario&, GeneratorSettings& g) { g.Hills = 101; },
         "Hills must be from 0 to 100."},
        {"a slider below 0", [](Scenario&, GeneratorSettings& g) { g.Water = -1; },
         "Marsh and Water must be from 0 to 100."},
        {"a map without inner hexes",
         [](Scenario& s, GeneratorSettings&) {
             s.Rows = 2, s.HexCount = 2 * s.Cols, s.Hexes.resize(std::size_t(s.HexCount));
         },
         "The map is too small to generate terrain on."},
    };
    for (const Case& c : cases) {
        auto s = Blank(20, 20);
        GeneratorSettings settings;
        c.spoil(*s, settings);
        const auto before = std::make_unique<Scenario>(*s);
        const Status st = GenerateTerrain(*s, StockRoles(), settings);
        EXPECT_FALSE(st.ok) << c.name;
        EXPECT_EQ(st.message, c.message) << c.name;
        EXPECT_TRUE(*s == *before) << c.name;
    }
}

} // namespace
