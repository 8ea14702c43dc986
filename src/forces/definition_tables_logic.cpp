#include "forces/definition_tables_logic.h"

#include <algorithm>
#include <string>

namespace k2 {

namespace {

std::string Num(int32_t v) {
    return std::to_string(v);
}
std::string YesNo(bool yes) {
    return yes ? "Yes" : "No";
}
int32_t Loaded(int32_t count) {
    return std::clamp(count, 0, MaxEquipmentEntries);
}

std::vector<std::string> MissileRow(const WeaponDef& w) {
    const std::string weight = IsGunWeapon(w) ? std::string(GunSizeClass(w.weight)) : Num(w.weight);
    return {w.name.Str(),
            Num(w.rating),
            Num(w.reach),
            YesNo(w.overheadFire != 0),
            Num(w.shotsPerTurn),
            weight,
            std::string(PowderFlag(w))};
}

std::vector<std::string> ArmourRow(const ArmourDef& a) {
    return {a.name.Str(), Num(a.rating), Num(a.weight)};
}

} // namespace

int32_t DefinitionGridWidth(DefTable table) {
    switch (table) {
    case DefTable::MissileWeapons:
        return 440;
    case DefTable::CombatWeapons:
        return 245;
    case DefTable::Armour:
    case DefTable::Shields:
        return 205;
    }
    return 205;
}

int32_t DefinitionGridLeft(DefTable table, int32_t gridWidth, int32_t areaWidth) {
    if (table == DefTable::MissileWeapons) return DefStatsLeftEdge;
    if (gridWidth < 0) gridWidth = DefinitionGridWidth(table);
    return (areaWidth - gridWidth) / 2;
}

GridTable DefinitionTable(const EquipmentTables& tables, DefTable table) {
    GridTable g;
    switch (table) {
    case DefTable::MissileWeapons:
        g.Title = "Missile Weapons";
        g.Headers = {"Weapon", "Rating", "Range", "OverHead Fire", "Shots Per Turn", "Weight", "Pwdr"};
        g.Widths = {100, 40, 40, 75, 80, 40, 40};
        for (int32_t i = 0; i < Loaded(tables.MissileCount); ++i)
            g.Rows.push_back(MissileRow(tables.MissileWeapons[static_cast<std::size_t>(i)]));
        break;
    case DefTable::CombatWeapons:
        g.Title = "Combat Weapons";
        g.Headers = {"Weapon", "Rating", "Length", "Weight"};
        g.Widths = {100, 40, 40, 40};
        for (int32_t i = 0; i < Loaded(tables.CombatCount); ++i) {
            const WeaponDef& w = tables.CombatWeapons[static_cast<std::size_t>(i)];
            g.Rows.push_back({w.name.Str(), Num(w.rating), Num(w.reach), Num(w.weight)});
        }
        break;
    case DefTable::Armour:
        g.Title = "Battle Armour";
        g.Headers = {"Type", "Rating", "Weight"};
        g.Widths = {100, 40, 40};
        for (int32_t i = 0; i < Loaded(tables.ArmourCount); ++i)
            g.Rows.push_back(ArmourRow(tables.Armours[static_cast<std::size_t>(i)]));
        break;
    case DefTable::Shields:
        g.Title = "Battle Shields";
        g.Headers = {"Type", "Rating", "Weight"};
        g.Widths = {100, 40, 40};
        for (int32_t i = 0; i < Loaded(tables.ShieldCount); ++i)
            g.Rows.push_back(ArmourRow(tables.Shields[static_cast<std::size_t>(i)]));
        break;
    }
    return g;
}

void DefStatsLogic::Show(DefTable table) {
    table_ = table;
    grid_ = DefinitionTable(tables_, table);
}

} // namespace k2
