#include "forces/equipment_defs.h"

#include "core/file_lookup.h"

#include <fstream>
#include <iterator>
#include <limits>
#include <string>

namespace k2 {

namespace {

const WeaponDef EmptyWeapon{};
const ArmourDef EmptyArmour{};

// The characters of [first, last] of a line; positions past the line's end read as blanks.
std::string_view FieldOf(std::string_view line, std::size_t first, std::size_t last) {
    if (first >= line.size()) return {};
    return line.substr(first, std::min(last + 1, line.size()) - first);
}

// A text field keeps its first character whatever it is and loses its trailing blanks.
std::string TextField(std::string_view line, std::size_t first, std::size_t last) {
    std::string text(FieldOf(line, first, last));
    while (text.size() > 1 && text.back() == ' ')
        text.pop_back();
    if (text.empty()) text = " "; // a blank first position still counts as the first character
    return text;
}

// Leading blanks, an optional sign, then digits up to the first other character.
int32_t NumberField(std::string_view line, std::size_t first, std::size_t last) {
    std::string_view field = FieldOf(line, first, last);
    std::size_t i = 0;
    while (i < field.size() && field[i] == ' ')
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
    int64_t value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        value = value * 10 + (field[i] - '0');
        if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(negative ? -value : value);
}

// Calls `entry` for each entry line until the "$" line, the end of the text, or 50 entries.
template <typename Fn> int32_t ForEachEntryLine(std::string_view text, Fn entry) {
    int32_t count = 0;
    std::size_t pos = 0;
    while (pos < text.size() && count < MaxEquipmentEntries) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty() && line.front() == '$') break;
        entry(line, count++);
    }
    return count;
}

bool ReadWholeFile(const std::filesystem::path& file, std::string& text) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

const WeaponDef& EquipmentTables::Missile(int32_t index) const {
    return index >= 0 && index < MissileCount ? MissileWeapons[index] : EmptyWeapon;
}
const WeaponDef& EquipmentTables::Combat(int32_t index) const {
    return index >= 0 && index < CombatCount ? CombatWeapons[index] : EmptyWeapon;
}
const ArmourDef& EquipmentTables::Armour(int32_t index) const {
    return index >= 0 && index < ArmourCount ? Armours[index] : EmptyArmour;
}
const ArmourDef& EquipmentTables::Shield(int32_t index) const {
    return index >= 0 && index < ShieldCount ? Shields[index] : EmptyArmour;
}
UnitClass EquipmentTables::Class(int32_t index) const {
    return index >= 0 && index < ClassCount ? Classes[index] : UnitClass{};
}

int32_t ParseWeaponLines(std::string_view text, bool missile,
                         std::array<WeaponDef, MaxEquipmentEntries>& out) {
    return ForEachEntryLine(text, [&](std::string_view line, int32_t i) {
        WeaponDef w;
        w.name = TextField(line, 0, 13);
        if (missile) {
            w.weight = NumberField(line, 14, 17);
            w.reach = NumberField(line, 19, 20);
            w.rating = NumberField(line, 22, 24);
            w.overheadFire = NumberField(line, 26, 26);
            w.shotsPerTurn = NumberField(line, 28, 28);
            w.missileKind = NumberField(line, 30, 30);
        } else {
            w.weight = NumberField(line, 14, 15);
            w.reach = NumberField(line, 17, 19);
            w.rating = NumberField(line, 21, 23);
        }
        out[i] = w;
    });
}

int32_t ParseArmourLines(std::string_view text, std::array<ArmourDef, MaxEquipmentEntries>& out) {
    return ForEachEntryLine(text, [&](std::string_view line, int32_t i) {
        ArmourDef a;
        a.name = TextField(line, 0, 17);
        a.rating = NumberField(line, 19, 21);
        a.weight = NumberField(line, 23, 25);
        out[i] = a;
    });
}

Status LoadEquipment(EquipmentTables& tables, const std::filesystem::path& sysdefsDir) {
    tables = EquipmentTables{};
    std::string text;
    if (!ReadWholeFile(FindFile(sysdefsDir, "MWEAP.DEF"), text))
        return Status::Fail("Missile Weapon Definition File Not Found", "Error");
    tables.MissileCount = ParseWeaponLines(text, true, tables.MissileWeapons);

    if (!ReadWholeFile(FindFile(sysdefsDir, "CWEAP.DEF"), text))
        return Status::Fail("Combat Weapon Definition File Not Found", "Error");
    tables.CombatCount = ParseWeaponLines(text, false, tables.CombatWeapons);

    tables.Classes = BuiltInUnitClasses;
    tables.ClassCount = UnitClassCount;

    if (!ReadWholeFile(FindFile(sysdefsDir, "UARMOR.DEF"), text))
        return Status::Fail("Unit Armour Definition File Not Found", "Error");
    tables.ArmourCount = ParseArmourLines(text, tables.Armours);

    if (!ReadWholeFile(FindFile(sysdefsDir, "USHIELD.DEF"), text))
        return Status::Fail("Unit Shield Definition File Not Found", "Error");
    tables.ShieldCount = ParseArmourLines(text, tables.Shields);
    return Status::Ok();
}

bool IsGunWeapon(const WeaponDef& weapon) {
    return weapon.missileKind == GunMissileKind;
}

std::string_view GunSizeClass(int32_t weight) {
    if (weight <= 500) return "Lt";
    if (weight < 1000) return "Med";
    return "Hvy";
}

std::string_view PowderFlag(const WeaponDef& weapon) {
    return weapon.missileKind < 3 ? "Yes" : "No";
}

} // namespace k2
