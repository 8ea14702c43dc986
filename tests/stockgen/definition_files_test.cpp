// The generated sysdefs/ files: terrain definitions and the four fixed-column equipment tables.
#include "stock_file_readers.h"

#include "stockgen/definition_files.h"
#include "stockgen/stock_catalogue.h"

#include <gmock/gmock.h>

namespace {

using namespace stocktest;
namespace ter = k2stock::ter;

std::string Sysdef(const char* name) {
    return ReadBytes(StockDir() / "sysdefs" / name);
}

TEST(TerrainDefFile, HoldsOnePlausibleRecordPerTerrainSymbol) {
    const auto defs = ParseTerrainDefs(Sysdef("K2Ter.Def"));
    ASSERT_TRUE(defs.has_value()) << "K2Ter.Def does not follow its layout";
    const auto set = ParseSetFile(ReadBytes(StockDir() / "scenarios" / "K2T.ter"));
    ASSERT_TRUE(set.has_value());
    EXPECT_EQ(defs->format, 105);
    ASSERT_EQ(defs->records.size(), set->terrain.size());
    for (size_t i = 0; i < defs->records.size(); ++i) {
        const TerrainDef& d = defs->records[i];
        const std::string& symbol = set->terrain[i].name;
        EXPECT_LE(d.name.size(), 27u);
        EXPECT_FALSE(d.name.empty());
        EXPECT_EQ(symbol.substr(2).rfind(d.name, 0), 0u) << "definition " << d.name << " for " << symbol;
        EXPECT_GE(d.elevation, 0);
        EXPECT_LE(d.elevation, 3);
        EXPECT_GE(d.cost, 0);
        EXPECT_LE(d.cost, 13);
        EXPECT_GE(d.defense, -8);
        EXPECT_LE(d.defense, 8);
        EXPECT_EQ(d.spare, 0);
        if (symbol[0] == '4' || symbol[2] == '_') {
            EXPECT_EQ(d.cost, 0) << symbol << " must never count";
        }
    }
    auto rec = [&](int32_t place) { return defs->records.at(static_cast<size_t>(place)); };
    for (int side = 0; side < 6; ++side) {
        EXPECT_EQ(rec(ter::RoadN + side).cost, 1);
        EXPECT_EQ(rec(ter::RiverN + side).cost, 13) << "rivers are impassable";
        EXPECT_EQ(rec(ter::WallN + side).defense, 3);
    }
    EXPECT_LT(rec(ter::Ford).cost, 13) << "a ford crosses the river";
    EXPECT_EQ(rec(ter::Woods).cost, 3);
    EXPECT_EQ(rec(ter::Woods).defense, 2);
    EXPECT_EQ(rec(ter::Hill1).elevation, 1);
    EXPECT_EQ(rec(ter::Hill2).elevation, 2);
    EXPECT_EQ(rec(ter::Hill3).elevation, 3);
    EXPECT_EQ(rec(ter::MapEdge).cost, 13);
    EXPECT_EQ(rec(ter::OpenGround).cost, 1);
    EXPECT_EQ(rec(ter::OpenGroundB).name, "Open Ground") << "variants show their base's name";
}

TEST(TerrainDefFile, NegativeDefenseIsWrittenWithHighByte255) {
    const std::string bytes = k2stock::EncodeTerrainDefs({{"Marsh", 0, 4, -8, 0}});
    // format, count, "Marsh\0", elevation, cost, defense...
    const size_t defense = 4 + 6 + 4;
    ASSERT_GT(bytes.size(), defense + 1);
    EXPECT_EQ(static_cast<uint8_t>(bytes[defense]), 255);
    EXPECT_EQ(static_cast<uint8_t>(bytes[defense + 1]), 248);
    EXPECT_THROW(k2stock::EncodeTerrainDefs({{std::string(28, 'x'), 0, 0, 0, 0}}), std::length_error);
}

struct Columns {
    size_t from, width;
};

// Every entry line lies within the buffer, reaches its last position and ends the table with "$".
std::vector<std::string> EntryLines(const std::string& text, size_t lastPosition) {
    const auto lines = Lines(text);
    std::vector<std::string> entries;
    size_t i = 0;
    for (; i < lines.size() && (lines[i].empty() || lines[i][0] != '$'); ++i) {
        EXPECT_LT(lines[i].size() + 1, 79u) << lines[i];
        EXPECT_GT(lines[i].size(), lastPosition) << "line too short for its fields: " << lines[i];
        entries.push_back(lines[i]);
    }
    EXPECT_LT(i, lines.size()) << "no \"$\" line";
    EXPECT_LE(entries.size(), 50u);
    return entries;
}

TEST(EquipmentFiles, MissileWeaponsParseToTheirIntendedValues) {
    const auto lines = EntryLines(Sysdef("MWEAP.DEF"), 30);
    const auto& want = k2stock::StockMissileWeapons();
    ASSERT_EQ(lines.size(), want.size());
    ASSERT_EQ(lines.size(), static_cast<size_t>(k2stock::missile::Count));
    bool light = false, medium = false, heavy = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        EXPECT_EQ(TextField(l, 0, 14), want[i].name);
        EXPECT_EQ(NumberField(l, 14, 4), want[i].weight) << l;
        EXPECT_EQ(NumberField(l, 19, 2), want[i].range) << l;
        EXPECT_EQ(NumberField(l, 22, 3), want[i].rating) << l;
        EXPECT_EQ(NumberField(l, 26, 1), want[i].overhead) << l;
        EXPECT_EQ(NumberField(l, 28, 1), want[i].shots) << l;
        EXPECT_EQ(NumberField(l, 30, 1), want[i].kind) << l;
        for (size_t sep : {18u, 21u, 25u, 27u, 29u})
            EXPECT_EQ(l[sep], ' ') << "separator in " << l;
        if (NumberField(l, 30, 1) == 1) {
            const int32_t w = NumberField(l, 14, 4);
            light |= w <= 500;
            medium |= w > 500 && w < 1000;
            heavy |= w >= 1000;
        }
    }
    EXPECT_TRUE(light && medium && heavy) << "guns of every weight class";
    EXPECT_EQ(TextField(lines[0], 0, 14), "None");
    EXPECT_EQ(NumberField(lines[0], 22, 3), 0);
    EXPECT_GE(NumberField(lines[k2stock::missile::Longbow], 30, 1), 3) << "bows use no powder";
    EXPECT_GE(NumberField(lines[k2stock::missile::Crossbow], 30, 1), 3);
    EXPECT_EQ(NumberField(lines[k2stock::missile::Handgun], 30, 1), 2);
    EXPECT_EQ(NumberField(lines[k2stock::missile::HeavyGun], 30, 1), 1);
}

TEST(EquipmentFiles, CombatArmourAndShieldTablesParseToTheirIntendedValues) {
    const auto combat = EntryLines(Sysdef("CWEAP.DEF"), 23);
    const auto& wantCombat = k2stock::StockCombatWeapons();
    ASSERT_EQ(combat.size(), wantCombat.size());
    for (size_t i = 0; i < combat.size(); ++i) {
        EXPECT_EQ(TextField(combat[i], 0, 14), wantCombat[i].name);
        EXPECT_EQ(NumberField(combat[i], 14, 2), wantCombat[i].weight);
        EXPECT_EQ(NumberField(combat[i], 17, 3), wantCombat[i].length);
        EXPECT_EQ(NumberField(combat[i], 21, 3), wantCombat[i].rating);
    }
    EXPECT_EQ(TextField(combat[k2stock::combat::Unarmed], 0, 14), "Unarmed");
    EXPECT_EQ(TextField(combat[k2stock::combat::Pike], 0, 14), "Pike");
    struct Table {
        const char* file;
        const std::vector<k2stock::ArmourLine>& want;
        const char* none;
    };
    for (const Table& t : {Table{"UARMOR.DEF", k2stock::StockArmours(), "None"},
                           Table{"USHIELD.DEF", k2stock::StockShields(), "None"}}) {
        const auto lines = EntryLines(Sysdef(t.file), 25);
        ASSERT_EQ(lines.size(), t.want.size()) << t.file;
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(TextField(lines[i], 0, 18), t.want[i].name) << t.file;
            EXPECT_EQ(NumberField(lines[i], 19, 3), t.want[i].rating) << t.file;
            EXPECT_EQ(NumberField(lines[i], 23, 3), t.want[i].weight) << t.file;
        }
        EXPECT_EQ(TextField(lines[0], 0, 18), t.none);
        EXPECT_EQ(NumberField(lines[0], 19, 3), 0);
    }
    EXPECT_EQ(TextField(EntryLines(Sysdef("UARMOR.DEF"), 25)[k2stock::armour::Mail], 0, 18), "Mail Hauberk");
    EXPECT_EQ(TextField(EntryLines(Sysdef("USHIELD.DEF"), 25)[k2stock::shield::Kite], 0, 18), "Kite Shield");
}

TEST(EquipmentFiles, AFieldThatWouldOverflowItsColumnsIsRefused) {
    EXPECT_THROW(k2stock::EncodeMissileFile({{"A name that is too long", 1, 1, 1, 0, 1, 3}}),
                 std::length_error);
    EXPECT_THROW(k2stock::EncodeCombatFile({{"Sword", 100, 1, 1}}), std::length_error);
    EXPECT_THROW(k2stock::EncodeArmourFile({{"Plate", 1000, 1}}), std::length_error);
}

} // namespace
