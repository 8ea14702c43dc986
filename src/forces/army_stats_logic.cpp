#include "forces/army_stats_logic.h"

#include "forces/unit_ratings.h"

#include <algorithm>

namespace k2 {

ArmyStatistics ComputeArmyStatistics(const Scenario& scenario, const EquipmentTables& tables) {
    ArmyStatistics s;
    s.Western.Name = scenario.WesternName.Str();
    s.Eastern.Name = scenario.EasternName.Str();
    int32_t westMorale = 0, eastMorale = 0;
    for (int32_t u = 1; u <= std::min(scenario.UnitCount, MaxUnits); ++u) {
        const UnitRecord& unit = scenario.Units[static_cast<std::size_t>(u)];
        const bool west = unit.Side == SideWestern;
        ForceTotals& t = west ? s.Western : s.Eastern;
        (west ? westMorale : eastMorale) += unit.Morale;
        t.Units += 1;
        t.Men += unit.Men;
        t.FirePower += FirePower(scenario, tables, u);
        t.CombatStrength += CombatStrength(scenario, tables, u);
    }
    s.Western.AvgMorale = s.Western.Units > 0 ? westMorale / s.Western.Units : 0;
    s.Eastern.AvgMorale = s.Eastern.Units > 0 ? eastMorale / s.Eastern.Units : 0;
    const auto [westPoints, eastPoints] = SidePoints(scenario);
    s.Western.TotalPoints = westPoints;
    s.Eastern.TotalPoints = eastPoints;
    return s;
}

GridTable ArmyStatisticsGrid(const ArmyStatistics& statistics) {
    GridTable g;
    g.Title = "Army Statistics";
    g.Headers = {"", statistics.Western.Name, statistics.Eastern.Name};
    g.Widths = {100, 100, 100};
    const auto row = [&](const char* label, int32_t ForceTotals::*field) {
        g.Rows.push_back(
            {label, std::to_string(statistics.Western.*field), std::to_string(statistics.Eastern.*field)});
    };
    row("Men ", &ForceTotals::Men);
    row("Units ", &ForceTotals::Units);
    row("Avg. Morale", &ForceTotals::AvgMorale);
    row("Fire Power", &ForceTotals::FirePower);
    row("Combat Strength", &ForceTotals::CombatStrength);
    row("Total Points", &ForceTotals::TotalPoints);
    return g;
}

} // namespace k2
