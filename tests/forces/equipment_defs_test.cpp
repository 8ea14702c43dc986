#include "forces/equipment_defs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace k2;

namespace {

class TempDir {
  public:
    TempDir() {
        path_ = std::filesystem::temp_directory_path() /
                ("k2-equip-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(path_ / name, std::ios::binary) << text;
    }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Entry lines in the exact columns of each file.
std::string MissileLine(const char* name, int weight, int range, int rating, int overhead, int shots,
                        int kind) {
    char buf[80];
    std::snprintf(buf, sizeof buf, "%-14s%4d %2d %3d %1d %1d %1d\n", name, weight, range, rating, overhead,
                  shots, kind);
    return buf;
}
std::string CombatLine(const char* name, int weight, int length, int rating) {
    char buf[80];
    std::snprintf(buf, sizeof buf, "%-14s%2d %3d %3d\n", name, weight, length, rating);
    return buf;
}
std::string ArmourLine(const char* name, int rating, int weight) {
    char buf[80];
    std::snprintf(buf, sizeof buf, "%-18s %3d %3d\n", name, rating, weight);
    return buf;
}
// Places `text` at column `at` of a line of blanks.
std::string At(std::string line, std::size_t at, const std::string& text) {
    if (line.size() < at + text.size()) line.resize(at + text.size(), ' ');
    line.replace(at, text.size(), text);
    return line;
}

const std::string MissileText =
    MissileLine("None", 0, 0, 0, 0, 0, 0) + MissileLine("Long Bow", 5, 12, 70, 1, 2, 4) +
    MissileLine("Hand Gun", 8, 6, 60, 0, 1, 2) + MissileLine("Saker", 900, 20, 300, 0, 1, 1) + "$\n" +
    MissileLine("Ignored", 100, 10, 10, 0, 0, 1);

} // namespace

TEST(EquipmentParsing, MissileLineReadsEveryFixedColumn) {
    std::array<WeaponDef, MaxEquipmentEntries> out{};
    ASSERT_EQ(ParseWeaponLines(MissileText, true, out), 4);
    EXPECT_EQ(out[1].name, "Long Bow");
    EXPECT_EQ(out[1].weight, 5);
    EXPECT_EQ(out[1].reach, 12);
    EXPECT_EQ(out[1].rating, 70);
    EXPECT_EQ(out[1].overheadFire, 1);
    EXPECT_EQ(out[1].shotsPerTurn, 2);
    EXPECT_EQ(out[1].missileKind, 4);
    EXPECT_EQ(out[3].name, "Saker");
    EXPECT_EQ(out[3].weight, 900);
    EXPECT_EQ(out[3].missileKind, 1);
}

TEST(EquipmentParsing, CombatAndArmourColumnsDifferFromMissile) {
    std::array<WeaponDef, MaxEquipmentEntries> weapons{};
    ASSERT_EQ(ParseWeaponLines(CombatLine("Pike", 12, 18, 55) + "$\n", false, weapons), 1);
    EXPECT_EQ(weapons[0].name, "Pike");
    EXPECT_EQ(weapons[0].weight, 12);
    EXPECT_EQ(weapons[0].reach, 18);
    EXPECT_EQ(weapons[0].rating, 55);
    EXPECT_EQ(weapons[0].missileKind, 0);

    std::array<ArmourDef, MaxEquipmentEntries> armour{};
    ASSERT_EQ(ParseArmourLines(ArmourLine("Plate Harness", 45, 30) + "$\n", armour), 1);
    EXPECT_EQ(armour[0].name, "Plate Harness");
    EXPECT_EQ(armour[0].rating, 45);
    EXPECT_EQ(armour[0].weight, 30);
}

TEST(EquipmentParsing, FieldConversionRules) {
    std::array<ArmourDef, MaxEquipmentEntries> a{};
    // Blank number fields read 0, "  5" reads 5, a sign is accepted, digits stop at a letter.
    std::string text = At("Leather", 23, "  5") + "\n" + At(At("Odd", 19, " -3"), 23, "7x ") + "\n" +
                       "Short\n" + At(At("  Indented", 19, " 10"), 23, " 10") + "\n";
    ASSERT_EQ(ParseArmourLines(text, a), 4);
    EXPECT_EQ(a[0].rating, 0);
    EXPECT_EQ(a[0].weight, 5);
    EXPECT_EQ(a[1].rating, -3);
    EXPECT_EQ(a[1].weight, 7);
    // A short line reads its missing positions as blanks.
    EXPECT_EQ(a[2].name, "Short");
    EXPECT_EQ(a[2].rating, 0);
    EXPECT_EQ(a[2].weight, 0);
    // Only trailing blanks are stripped; a leading blank stays part of the name.
    EXPECT_EQ(a[3].name, "  Indented");
}

TEST(EquipmentParsing, TableEndsAtDollarEndOfTextOrCapacity) {
    std::array<WeaponDef, MaxEquipmentEntries> out{};
    EXPECT_EQ(ParseWeaponLines("$ first line ends it\nBow  1\n", true, out), 0);
    std::string crlf = MissileLine("Bow", 1, 2, 3, 0, 1, 4);
    crlf.insert(crlf.size() - 1, "\r");
    std::string last = MissileLine("Sling", 1, 2, 3, 0, 1, 4);
    last.pop_back(); // the file ends without a line end and without "$"
    EXPECT_EQ(ParseWeaponLines(crlf + last, true, out), 2);
    EXPECT_EQ(out[0].missileKind, 4) << "a CR before the line end is not part of the line";
    EXPECT_EQ(out[1].name, "Sling");

    std::string many;
    for (int i = 0; i < 70; ++i)
        many += "Entry " + std::to_string(i) + "\n";
    EXPECT_EQ(ParseWeaponLines(many, false, out), MaxEquipmentEntries);
    EXPECT_EQ(out[49].name, "Entry 49");
}

TEST(EquipmentParsing, LongNameNeverOutgrowsItsField) {
    std::array<WeaponDef, MaxEquipmentEntries> out{};
    ASSERT_EQ(ParseWeaponLines("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 and more\n", true, out), 1);
    EXPECT_EQ(out[0].name, "ABCDEFGHIJKLMN");
}

TEST(EquipmentLoading, ReadsAllFourFilesAndTheClassTable) {
    TempDir dir;
    dir.Write("MWEAP.DEF", MissileText);
    dir.Write("CWEAP.DEF", CombatLine("Unarmed", 0, 0, 0) + CombatLine("Sword", 6, 3, 60) + "$\n");
    dir.Write("uarmor.def", ArmourLine("None", 0, 0) + ArmourLine("Mail", 30, 20) + "$\n"); // any case
    dir.Write("USHIELD.DEF", ArmourLine("None", 0, 0) + "$\n");
    EquipmentTables t;
    Status st = LoadEquipment(t, dir.Path());
    ASSERT_TRUE(st.ok) << st.message;
    EXPECT_EQ(t.MissileCount, 4);
    EXPECT_EQ(t.CombatCount, 2);
    EXPECT_EQ(t.ArmourCount, 2);
    EXPECT_EQ(t.ShieldCount, 1);
    ASSERT_EQ(t.ClassCount, 6);
    EXPECT_EQ(t.Classes[5].name, "Hero");
    EXPECT_EQ(t.Classes[5].bonus, 30);
    EXPECT_EQ(t.Classes[0].name, "Peasant");
}

TEST(EquipmentLoading, StopsAtTheFirstMissingFile) {
    struct Case {
        std::vector<std::string> present;
        std::string message;
        int missile, combat, classes, armour;
    };
    const std::vector<Case> cases = {
        {{}, "Missile Weapon Definition File Not Found", 0, 0, 0, 0},
        {{"MWEAP.DEF"}, "Combat Weapon Definition File Not Found", 4, 0, 0, 0},
        {{"MWEAP.DEF", "CWEAP.DEF"}, "Unit Armour Definition File Not Found", 4, 1, 6, 0},
        {{"MWEAP.DEF", "CWEAP.DEF", "UARMOR.DEF"}, "Unit Shield Definition File Not Found", 4, 1, 6, 1},
    };
    for (const Case& c : cases) {
        TempDir dir;
        for (const std::string& f : c.present)
            dir.Write(f, f == "MWEAP.DEF" ? MissileText : CombatLine("Something", 1, 1, 1) + "$\n");
        EquipmentTables t;
        Status st = LoadEquipment(t, dir.Path());
        EXPECT_FALSE(st.ok);
        EXPECT_EQ(st.message, c.message);
        EXPECT_EQ(st.title, "Error");
        EXPECT_EQ(t.MissileCount, c.missile);
        EXPECT_EQ(t.CombatCount, c.combat);
        EXPECT_EQ(t.ClassCount, c.classes);
        EXPECT_EQ(t.ArmourCount, c.armour);
        EXPECT_EQ(t.ShieldCount, 0);
    }
}

TEST(EquipmentReadings, GunSizeClassAndPowder) {
    EXPECT_EQ(GunSizeClass(500), "Lt");
    EXPECT_EQ(GunSizeClass(501), "Med");
    EXPECT_EQ(GunSizeClass(999), "Med");
    EXPECT_EQ(GunSizeClass(1000), "Hvy");
    WeaponDef w;
    w.missileKind = 2;
    EXPECT_EQ(PowderFlag(w), "Yes");
    EXPECT_FALSE(IsGunWeapon(w));
    w.missileKind = 3;
    EXPECT_EQ(PowderFlag(w), "No");
    w.missileKind = 1;
    EXPECT_TRUE(IsGunWeapon(w));
}

TEST(EquipmentReadings, IndexBeyondTheTableReadsAsEmptyEntry) {
    EquipmentTables t;
    t.MissileCount = 1;
    t.MissileWeapons[0].rating = 50;
    t.MissileWeapons[1].rating = 99; // beyond the count: must not be read
    EXPECT_EQ(t.Missile(0).rating, 50);
    EXPECT_EQ(t.Missile(1).rating, 0);
    EXPECT_EQ(t.Missile(-1).rating, 0);
    EXPECT_EQ(t.Combat(400).weight, 0);
    EXPECT_EQ(t.Armour(50).rating, 0);
    EXPECT_EQ(t.Shield(63000).weight, 0);
    EXPECT_EQ(t.Class(3).bonus, 0) << "no class table loaded yet";
}
