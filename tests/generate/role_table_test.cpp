#include "generate/role_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace k2;

// A small table with every role, numbered 0..39.
RoleTable SmallTable() {
    RoleTable t;
    t.TerrainCount = 40;
    t.Open = {0, 1};
    t.Fields = {2};
    t.Woods = {3, 4};
    t.Marsh = {5};
    t.Water = {6};
    t.Hills = {{{7}, {8}, {9}}};
    for (int32_t side = 0; side < 6; ++side) {
        t.Road[std::size_t(side)] = 10 + side;
        t.River[std::size_t(side)] = 16 + side;
    }
    t.Bridges = {{22, HexDirection::North, HexDirection::South},
                 {23, HexDirection::NorthWest, HexDirection::SouthEast}};
    t.Ford = 24;
    t.Houses = {25};
    t.Villages = {26, 27};
    return t;
}

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

Status Parse(const std::string& text, RoleTable& table) {
    const std::vector<uint8_t> bytes = Bytes(text);
    return ParseRoleTable(bytes, table);
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST(RoleTable, WritesAndReadsBackTheSameTable) {
    const RoleTable written = SmallTable();
    RoleTable read;
    ASSERT_TRUE(Parse(EncodeRoleTable(written), read).ok);
    EXPECT_EQ(read, written);
}

TEST(RoleTable, SkipsCommentsAndBlankLinesAndTakesCarriageReturns) {
    std::string text = "# roles of a test set\n\n" + EncodeRoleTable(SmallTable());
    std::string crlf;
    for (char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    RoleTable read;
    ASSERT_TRUE(Parse(crlf, read).ok) << Parse(crlf, read).message;
    EXPECT_EQ(read, SmallTable());
}

TEST(RoleTable, IndexGivesEachNumberItsRoleAndSides) {
    const std::vector<TerrainRoleEntry> index = SmallTable().Index();
    ASSERT_EQ(index.size(), 40u);
    EXPECT_EQ(index[1].Role, TerrainRole::Open);
    EXPECT_EQ(index[8], (TerrainRoleEntry{TerrainRole::Hill, 0, 2}));
    EXPECT_EQ(index[12], (TerrainRoleEntry{TerrainRole::Road, 1u << 2, 0}));
    EXPECT_EQ(index[19], (TerrainRoleEntry{TerrainRole::River, 1u << 3, 0}));
    EXPECT_EQ(index[23], (TerrainRoleEntry{TerrainRole::Bridge, (1u << 5) | (1u << 2), 0}));
    EXPECT_EQ(index[27].Role, TerrainRole::Village);
    EXPECT_EQ(index[39].Role, TerrainRole::None);
}

struct Refusal {
    const char* name;
    std::string text;
    const char* message;
};

std::vector<Refusal> Refusals() {
    const std::string good = EncodeRoleTable(SmallTable());
    std::string longList = "open";
    for (int n = 28; n < 45; ++n)
        longList += " " + std::to_string(n % 40);
    return {
        {"empty", "", "the file is empty"},
        {"not a role table", Replace(good, "k2-terrain-roles 1", "k2-terrain-rules 1"),
         "line 1: the first line must be \"k2-terrain-roles 1\""},
        {"a later version", Replace(good, "k2-terrain-roles 1", "k2-terrain-roles 2"),
         "line 1: version 2 is not known (this editor reads version 1)"},
        {"no count", Replace(good, "terrains 40\n", ""), "line 2: \"terrains\" must follow the first line"},
        {"count zero", Replace(good, "terrains 40", "terrains 0"),
         "line 2: the terrain count must be from 1 to 500"},
        {"count too large", Replace(good, "terrains 40", "terrains 501"),
         "line 2: the terrain count must be from 1 to 500"},
        {"unknown role", Replace(good, "woods 3 4", "forest 3 4"), "line 5: unknown role \"forest\""},
        {"number past the count", Replace(good, "woods 3 4", "woods 3 40"),
         "line 5: terrain 40 is not below the terrain count 40"},
        {"not a number", Replace(good, "woods 3 4", "woods 3 4x"), "line 5: \"4x\" is not a terrain number"},
        {"negative", Replace(good, "woods 3 4", "woods 3 -4"), "line 5: \"-4\" is not a terrain number"},
        {"empty list", Replace(good, "woods 3 4", "woods"), "line 5: a list holds 1 to 16 terrain numbers"},
        {"list too long", Replace(good, "open 0 1", longList),
         "line 3: a list holds 1 to 16 terrain numbers"},
        {"line twice", good + "marsh 30\n", "line 28: a second \"marsh\" line"},
        {"number with two roles", Replace(good, "marsh 5", "marsh 3"),
         "line 6: terrain 3 already has a role"},
        {"hill level", Replace(good, "hill 3 9", "hill 4 9"),
         "line 10: \"hill\" takes an elevation from 1 to 3 first"},
        {"bad side", Replace(good, "road NE 11", "road E 11"),
         "line 12: \"E\" is not a side (N, NE, SE, S, SW, NW)"},
        {"piece without number", Replace(good, "road NE 11", "road NE"),
         "line 12: \"road\" takes a side and one terrain number"},
        {"bridge on one side", Replace(good, "bridge N S 22", "bridge N N 22"),
         "line 23: a bridge joins two different sides"},
        {"missing role", Replace(good, "water 6\n", ""), "no \"water\" line"},
        {"missing piece", Replace(good, "river SW 20\n", ""), "no \"river SW\" line"},
        {"missing ford", Replace(good, "ford 24\n", ""), "no \"ford\" line"},
        {"long line", "# " + std::string(199, 'x') + "\n" + good, "line 1: longer than 200 bytes"},
        {"control byte", Replace(good, "fields 2", std::string("fields\0 2", 9)),
         "line 4: a character that is not plain text"},
        {"not ASCII", Replace(good, "fields 2", "fields 2 \xE9"),
         "line 4: a character that is not plain text"},
        {"too large", good + std::string(RoleTable::MaxFileBytes, '\n'), "the file is larger than 64 KiB"},
    };
}

TEST(RoleTable, RefusesADamagedTableWithTheReasonAndLeavesTheTableAlone) {
    for (const Refusal& r : Refusals()) {
        RoleTable table = SmallTable();
        table.Ford = 33;
        const RoleTable before = table;
        const Status st = Parse(r.text, table);
        EXPECT_FALSE(st.ok) << r.name;
        EXPECT_EQ(st.message, r.message) << r.name;
        EXPECT_EQ(table, before) << r.name;
    }
}

TEST(RoleTable, RefusesEveryFileCutShort) {
    const std::string good = EncodeRoleTable(SmallTable());
    for (std::size_t length = 0; length < good.size(); ++length) {
        RoleTable table;
        EXPECT_FALSE(Parse(good.substr(0, length), table).ok) << "cut at " << length;
    }
}

TEST(RoleTable, FitsATerrainSetThatHoldsEveryNumberItNames) {
    EXPECT_TRUE(CheckRoleTableFits(SmallTable(), 28, "MOOR").ok);
    EXPECT_EQ(CheckRoleTableFits(SmallTable(), 27, "MOOR").message,
              "The role table of MOOR names terrain 27, but the terrain set has only 27 symbols.");
}

TEST(RoleTable, EncodingRefusesATableThatCouldNotBeReadBack) {
    RoleTable empty = SmallTable();
    empty.Woods.clear();
    EXPECT_THROW(EncodeRoleTable(empty), std::invalid_argument);
    RoleTable outside = SmallTable();
    outside.River[4] = 40;
    EXPECT_THROW(EncodeRoleTable(outside), std::invalid_argument);
}

class RoleTableFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("k2-roles-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_ / "sysdefs");
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / "sysdefs" / name, std::ios::binary) << text;
    }
    std::filesystem::path dir_;
};

TEST_F(RoleTableFiles, FindsTheTableOfASetWhateverTheCaseOfItsName) {
    Write("k2t.ROLES", EncodeRoleTable(SmallTable()));
    RoleTable table;
    ASSERT_TRUE(ReadRoleTable(RoleTableFile(dir_, "K2T"), table).ok);
    EXPECT_EQ(table, SmallTable());
}

TEST_F(RoleTableFiles, NamesTheSetWithoutATableAndTheDamagedFile) {
    RoleTable table;
    EXPECT_EQ(ReadRoleTable(RoleTableFile(dir_, "MOOR"), table).message,
              "The terrain set MOOR has no role table (MOOR.roles).");
    Write("MOOR.roles", "k2-terrain-roles 1\nterrains 10\n");
    EXPECT_EQ(ReadRoleTable(RoleTableFile(dir_, "MOOR"), table).message,
              "The role table MOOR.roles is damaged: no \"open\" line.");
    Write("MOOR.roles", std::string(RoleTable::MaxFileBytes + 1, '#'));
    EXPECT_EQ(ReadRoleTable(RoleTableFile(dir_, "MOOR"), table).message,
              "The role table MOOR.roles is damaged: the file is larger than 64 KiB.");
}

} // namespace
