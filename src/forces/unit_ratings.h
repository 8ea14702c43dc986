// Values derived from a unit's raw attributes and the equipment tables, recomputed each time
// they are shown, and the canonical order of the unit list.
#pragma once

#include "core/scenario.h"
#include "forces/equipment_defs.h"

#include <string_view>
#include <utility>

namespace k2 {

int32_t CombatStrength(const Scenario& scenario, const EquipmentTables& tables, int32_t unit);
int32_t FirePower(const Scenario& scenario, const EquipmentTables& tables, int32_t unit);
int32_t DefenceRating(const Scenario& scenario, const EquipmentTables& tables, int32_t unit); // 0..75
int32_t UnitLoad(const Scenario& scenario, const EquipmentTables& tables, int32_t unit);
std::string_view WeightClass(const Scenario& scenario, const EquipmentTables& tables, int32_t unit);
bool IsGun(const Scenario& scenario, const EquipmentTables& tables, int32_t unit);
// Hex steps between two hexes of the scenario's grid.
int32_t HexDistance(const Scenario& scenario, int32_t hexA, int32_t hexB);
// The unit number of the leader commanding `unit`, or 0 for none.
int32_t CommandingLeader(const Scenario& scenario, int32_t unit);
// Western and Eastern point totals.
std::pair<int32_t, int32_t> SidePoints(const Scenario& scenario);
// Sorts units 1..UnitCount by side, wing and strength and relinks every hex's Unit field.
void SortUnits(Scenario& scenario, const EquipmentTables& tables);

} // namespace k2
