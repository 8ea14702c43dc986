// The equipment tables read once at start-up from the four fixed-column files in sysdefs/
// (missile and combat weapons, armour, shields) and the built-in unit class table.
#pragma once

#include "core/fixed_text.h"
#include "core/status.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace k2 {

constexpr int32_t MaxEquipmentEntries = 50;
constexpr int32_t UnitClassCount = 6;
constexpr int32_t GunMissileKind = 1;

struct WeaponDef {
    FixedText<27> name;
    int32_t weight = 0;
    int32_t reach = 0;
    int32_t rating = 0;
    int32_t overheadFire = 0;
    int32_t shotsPerTurn = 0;
    int32_t missileKind = 0;

    bool operator==(const WeaponDef&) const = default;
};

struct ArmourDef {
    FixedText<27> name;
    int32_t rating = 0;
    int32_t weight = 0;

    bool operator==(const ArmourDef&) const = default;
};

struct UnitClass {
    std::string_view name;
    int32_t bonus = 0;
};

constexpr std::array<UnitClass, UnitClassCount> BuiltInUnitClasses = {
    {{"Peasant", 0}, {"Militia", 5}, {"Veteran", 10}, {"Elite", 15}, {"Noble", 20}, {"Hero", 30}}};

struct EquipmentTables {
    std::array<WeaponDef, MaxEquipmentEntries> MissileWeapons{};
    int32_t MissileCount = 0;
    std::array<WeaponDef, MaxEquipmentEntries> CombatWeapons{};
    int32_t CombatCount = 0;
    std::array<ArmourDef, MaxEquipmentEntries> Armours{};
    int32_t ArmourCount = 0;
    std::array<ArmourDef, MaxEquipmentEntries> Shields{};
    int32_t ShieldCount = 0;
    std::array<UnitClass, UnitClassCount> Classes{};
    int32_t ClassCount = 0;

    // Entry lookups that never read outside a table: an index beyond the count (a battle made
    // with other definition files) reads as an empty entry whose values are all 0.
    const WeaponDef& Missile(int32_t index) const;
    const WeaponDef& Combat(int32_t index) const;
    const ArmourDef& Armour(int32_t index) const;
    const ArmourDef& Shield(int32_t index) const;
    UnitClass Class(int32_t index) const;
};

// Reads MWEAP.DEF, CWEAP.DEF, the class table, UARMOR.DEF and USHIELD.DEF in that order from
// `sysdefsDir`, stopping at the first file that cannot be opened with its message (title "Error").
Status LoadEquipment(EquipmentTables& tables, const std::filesystem::path& sysdefsDir);

// Parses one definition file's text; stops at the first "$" line, at the end, or at 50 entries.
int32_t ParseWeaponLines(std::string_view text, bool missile,
                         std::array<WeaponDef, MaxEquipmentEntries>& out);
int32_t ParseArmourLines(std::string_view text, std::array<ArmourDef, MaxEquipmentEntries>& out);

// Derived readings of a missile weapon.
bool IsGunWeapon(const WeaponDef& weapon);
std::string_view GunSizeClass(int32_t weight);        // "Lt", "Med", "Hvy"
std::string_view PowderFlag(const WeaponDef& weapon); // "Yes", "No"

} // namespace k2
