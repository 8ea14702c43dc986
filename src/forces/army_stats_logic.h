// The army statistics: men, units, average morale, fire power, combat strength and points of
// each force, and the grid that compares them side by side.
#pragma once

#include "core/scenario.h"
#include "forces/equipment_defs.h"
#include "forces/grid_rows.h"

#include <cstdint>
#include <string>

namespace k2 {

struct ForceTotals {
    std::string Name; // the force name, Windows-1252 bytes
    int32_t Men = 0;
    int32_t Units = 0;
    int32_t AvgMorale = 0; // truncated; 0 for a force without units
    int32_t FirePower = 0;
    int32_t CombatStrength = 0;
    int32_t TotalPoints = 0; // SidePoints: unit values and the objective held

    bool operator==(const ForceTotals&) const = default;
};

struct ArmyStatistics {
    ForceTotals Western;
    ForceTotals Eastern;

    bool operator==(const ArmyStatistics&) const = default;
};

// Every unit counts, placed and reinforcements alike: Side 1 for the Western force, any other
// side for the Eastern.
ArmyStatistics ComputeArmyStatistics(const Scenario& scenario, const EquipmentTables& tables);

// The grid of the statistics dialog: the force names over columns 1 and 2 (column 0's header
// empty), and six rows "Men ", "Units ", "Avg. Morale", "Fire Power", "Combat Strength",
// "Total Points" with each force's number. Every column is 100 pixels wide.
GridTable ArmyStatisticsGrid(const ArmyStatistics& statistics);

} // namespace k2
