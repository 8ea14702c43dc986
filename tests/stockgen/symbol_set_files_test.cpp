// The generated symbol set files: byte layout, names, cells, fixed places and list orders.
#include "stock_file_readers.h"

#include "stockgen/stock_catalogue.h"

#include <gmock/gmock.h>
#include <set>

namespace {

using namespace stocktest;
namespace ter = k2stock::ter;

const int CellSizes[3] = {24, 40, 56};

class TerrainSetFile : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        file = ParseSetFile(ReadBytes(StockDir() / "scenarios" / "K2T.ter"));
        ASSERT_TRUE(file.has_value()) << "K2T.ter does not follow the symbol set layout";
    }
    static const Entry& At(int32_t place) { return file->terrain.at(static_cast<size_t>(place)); }
    static inline std::optional<SetFile> file;
};

TEST_F(TerrainSetFile, HeaderNamesOnlyTerrainAndTheSymbolCountIsInRange) {
    EXPECT_EQ(file->magic, 252);
    EXPECT_GE(file->counts[0], 124);
    EXPECT_LE(file->counts[0], 200);
    EXPECT_EQ(file->counts[0], ter::Count);
    EXPECT_EQ(file->counts[1], 0);
    EXPECT_EQ(file->counts[2], 0);
}

TEST_F(TerrainSetFile, SymbolZeroSetsTheCellSizeOfEachLevelAndEveryCellIsThatSquareInsideItsBitmap) {
    for (int level = 0; level < 3; ++level) {
        const QImage bitmap(QString::fromStdString(
            (StockDir() / "scenarios" / ("K2T-t" + std::to_string(level + 1) + ".bmp")).string()));
        ASSERT_FALSE(bitmap.isNull()) << "level " << level;
        const Cell& zero = At(0).cells[level];
        EXPECT_EQ(zero.right - zero.left + 1, CellSizes[level]);
        for (const Entry& e : file->terrain) {
            const Cell& c = e.cells[level];
            EXPECT_EQ(c.right - c.left + 1, CellSizes[level]) << e.name;
            EXPECT_EQ(c.bottom - c.top + 1, CellSizes[level]) << e.name;
            EXPECT_GE(c.left, 0);
            EXPECT_GE(c.top, 0);
            EXPECT_LT(c.right, bitmap.width()) << e.name;
            EXPECT_LT(c.bottom, bitmap.height()) << e.name;
        }
    }
}

TEST_F(TerrainSetFile, NamesCarryACategoryPrefixAndFitTwentyFiveBytes) {
    std::set<std::string> seen;
    for (const Entry& e : file->terrain) {
        ASSERT_GE(e.name.size(), 3u);
        EXPECT_LE(e.name.size(), 25u);
        EXPECT_THAT(std::string(1, e.name[0]), ::testing::AnyOf("1", "2", "3", "4")) << e.name;
        EXPECT_EQ(e.name[1], ' ') << e.name;
        EXPECT_EQ(e.masked, 1) << e.name;
        EXPECT_TRUE(seen.insert(e.name).second) << "two symbols named " << e.name;
        if (e.name[2] == '_') {
            EXPECT_THAT(std::string(1, e.name[0]), ::testing::AnyOf("1", "2")) << e.name;
        }
    }
}

struct FixedPlace {
    int32_t place;
    char category;
    const char* nameContains;
};

TEST_F(TerrainSetFile, EveryFixedPlaceHoldsWhatTheEditorAssumes) {
    const FixedPlace places[] = {
        {0, '1', "Open Ground"},
        {51, '1', "Open Ground"},
        {67, '1', "Open Ground"},
        {4, '1', "Open Ground"},
        {78, '1', "Open Ground"},
        {13, '1', "Map Edge"},
        {26, '2', ""},
        {7, '4', "Hex Grid"},
        {9, '4', "Objective"},
        {17, '4', "Hot Hex"},
        {18, '4', "Combat Hex"},
        {19, '4', "Legal Move"},
        {20, '4', "Destroyed"},
        {28, '4', "Eastern Reinforcement"},
        {29, '4', "Western Reinforcement"},
        {30, '4', "Caltrops"},
        {122, '4', "Western Stakes"},
        {123, '4', "Eastern Stakes"},
    };
    for (const FixedPlace& f : places) {
        const Entry& e = At(f.place);
        EXPECT_EQ(e.name[0], f.category) << f.place << " " << e.name;
        EXPECT_NE(e.name[2], '_') << f.place << " must not be a heading";
        EXPECT_THAT(e.name, ::testing::HasSubstr(f.nameContains)) << f.place;
    }
}

TEST_F(TerrainSetFile, VariantListMembersShareTheirBasesCategoryAndLook) {
    const std::vector<std::vector<int32_t>> lists = {
        {0, 51, 67, 4},   {1, 3, 57, 58},  {2, 64, 107, 108},   {55, 56, 109, 54},  {16, 50, 59, 60},
        {76, 91, 75, 52}, {5, 74, 73, 77}, {90, 112, 102, 101}, {104, 111, 105, 72}};
    for (const auto& list : lists) {
        const Entry& base = At(list[0]);
        EXPECT_NE(base.name[2], '_');
        for (int32_t member : list) {
            const Entry& e = At(member);
            EXPECT_EQ(e.name[0], base.name[0]) << member;
            // "1 Marsh 3" is a variant of "1 Marsh": the same name with a number.
            EXPECT_EQ(e.name.rfind(base.name, 0), 0u) << e.name << " vs " << base.name;
        }
    }
    // The primary lists are primary terrain; the fill-or-secondary lists may be either, but not
    // structures or markers.
    for (int32_t base : {0, 1, 2})
        EXPECT_EQ(At(base).name[0], '1');
    for (int32_t base : {55, 16, 76, 5, 90, 104})
        EXPECT_THAT(std::string(1, At(base).name[0]), ::testing::AnyOf("1", "2"));
}

TEST_F(TerrainSetFile, CatalogueNumbersNameTheRightKindOfSymbol) {
    const std::vector<std::pair<int32_t, const char*>> roles = {{ter::Woods, "2 Woods"},
                                                                {ter::Road(ter::NorthEast), "2 Road NE"},
                                                                {ter::River(ter::South), "2 River S"},
                                                                {ter::Ford, "2 Ford"},
                                                                {ter::Hill1, "1 Low Hill"},
                                                                {ter::Hill3, "1 High Hill"},
                                                                {ter::Castle, "3 Castle"},
                                                                {ter::Wall(ter::NorthWest), "2 Wall NW"},
                                                                {ter::Slope(ter::SouthWest), "2 Slope SW"},
                                                                {ter::Village, "3 Village"},
                                                                {ter::Water, "1 Lake"},
                                                                {ter::BridgeNESW, "2 Bridge NE-SW"}};
    for (const auto& [place, name] : roles)
        EXPECT_EQ(At(place).name, name);
}

TEST_F(TerrainSetFile, ListOrderHasOneInRangeLinePerSymbolAndListsEachOnce) {
    const auto lines = Lines(ReadBytes(StockDir() / "scenarios" / "K2T.sdx"));
    ASSERT_EQ(lines.size(), file->terrain.size());
    std::set<int> seen;
    for (const std::string& line : lines) {
        ASSERT_LE(line.size(), 4u);
        const int n = std::stoi(line);
        EXPECT_GE(n, 1);
        EXPECT_LE(n, static_cast<int>(file->terrain.size()));
        seen.insert(n);
    }
    EXPECT_EQ(seen.size(), lines.size());
    // The primary list opens with a heading, as the picker's first row.
    EXPECT_EQ(At(std::stoi(lines[0]) - 1).name.substr(0, 3), "1 _");
}

TEST(UnitSetFile, HoldsFacingPairsWithWesternNamesListedAndEasternNamesHidden) {
    const auto file = ParseSetFile(ReadBytes(StockDir() / "scenarios" / "K2U.set"));
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->magic, 252);
    EXPECT_EQ(file->counts[0], 0);
    ASSERT_EQ(file->counts[1], k2stock::unit::Count);
    EXPECT_GE(file->units.size(), 48u);
    EXPECT_EQ(file->units.size() % 2, 0u);
    for (size_t i = 0; i < file->units.size(); i += 2) {
        const Entry& east = file->units[i];
        const Entry& west = file->units[i + 1];
        EXPECT_NE(east.name[0], '-') << i;
        EXPECT_EQ(west.name, "-" + east.name) << i;
        EXPECT_LE(west.name.size(), 25u);
        EXPECT_EQ(east.masked, 1);
    }
    EXPECT_EQ(file->units[k2stock::unit::Longbowmen].name, "Longbowmen");
    EXPECT_EQ(file->units[k2stock::unit::HeavyGun].name, "Heavy Gun");
    for (int level = 0; level < 3; ++level) {
        const QImage bitmap(QString::fromStdString(
            (StockDir() / "scenarios" / ("K2U-u" + std::to_string(level + 1) + ".bmp")).string()));
        ASSERT_FALSE(bitmap.isNull());
        for (const Entry& e : file->units) {
            const Cell& c = e.cells[level];
            const int w = c.right - c.left + 1, h = c.bottom - c.top + 1;
            EXPECT_LT(w, CellSizes[level]) << "units are smaller than the terrain cell";
            EXPECT_LE(h, CellSizes[level]);
            EXPECT_GE(c.left, 0);
            EXPECT_LT(c.right, bitmap.width());
            EXPECT_LT(c.bottom, bitmap.height());
        }
    }
    const auto lines = Lines(ReadBytes(StockDir() / "scenarios" / "K2U.sdx"));
    ASSERT_EQ(lines.size(), file->units.size()) << "no terrain lines to skip, one line per unit symbol";
    for (const std::string& line : lines) {
        EXPECT_GE(std::stoi(line), 1);
        EXPECT_LE(std::stoi(line), static_cast<int>(file->units.size()));
    }
}

} // namespace
