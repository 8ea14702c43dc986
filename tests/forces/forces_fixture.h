// Shared set-up for the forces tests: a small grid and equipment tables with known values.
#pragma once

#include "common/battle_builder.h"
#include "core/scenario.h"
#include "forces/equipment_defs.h"

namespace k2test {

inline k2::EquipmentTables MakeTables() {
    k2::EquipmentTables t;
    t.Classes = k2::BuiltInUnitClasses;
    t.ClassCount = k2::UnitClassCount;
    t.MissileWeapons[0] = {k2::FixedText<27>("None"), 0, 0, 0, 0, 0, 0};
    t.MissileWeapons[1] = {k2::FixedText<27>("Long Bow"), 5, 12, 70, 1, 2, 4};
    t.MissileWeapons[2] = {k2::FixedText<27>("Light Gun"), 400, 20, 300, 0, 1, 1};
    t.MissileWeapons[3] = {k2::FixedText<27>("Hand Gun"), 8, 6, 60, 0, 1, 2};
    t.MissileCount = 4;
    t.CombatWeapons[0] = {k2::FixedText<27>("Unarmed"), 0, 0, 0, 0, 0, 0};
    t.CombatWeapons[1] = {k2::FixedText<27>("Spear"), 10, 8, 50, 0, 0, 0};
    t.CombatWeapons[2] = {k2::FixedText<27>("Club"), 5, 2, 10, 0, 0, 0};
    t.CombatCount = 3;
    t.Armours[0] = {k2::FixedText<27>("None"), 0, 0};
    t.Armours[1] = {k2::FixedText<27>("Mail"), 60, 20};
    t.ArmourCount = 2;
    t.Shields[0] = {k2::FixedText<27>("None"), 0, 0};
    t.Shields[1] = {k2::FixedText<27>("Kite"), 40, 9};
    t.ShieldCount = 2;
    return t;
}

// The forces tests' battle: a cols x rows grid of empty hexes, both sides named, two wings.
inline k2::test::BattleShape ForcesShape(int32_t cols = 10, int32_t rows = 10) {
    return {.cols = cols,
            .rows = rows,
            .wings = {"Main", "Left"},
            .western = "Western Forces",
            .eastern = "Eastern Forces"};
}

// That battle with no units.
inline k2::Scenario MakeScenario(int32_t cols = 10, int32_t rows = 10) {
    return k2::test::Battle(ForcesShape(cols, rows));
}

using k2::test::AddUnit;

} // namespace k2test
