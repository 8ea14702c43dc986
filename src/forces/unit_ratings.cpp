#include "forces/unit_ratings.h"

#include "core/hex_grid.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace k2 {

namespace {

const UnitRecord* UnitAt(const Scenario& scenario, int32_t unit) {
    return unit >= 1 && unit <= scenario.UnitCount && unit <= MaxUnits ? &scenario.Units[unit] : nullptr;
}

// A 32-bit product that wraps as the game's 32-bit arithmetic does, instead of overflowing
// (battle files can hold men and morale up to 65279).
int32_t Mul32(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<int64_t>(a) * b);
}

// The strength used to order units: leaders count ten times so they head their wing.
int32_t SortStrength(const Scenario& scenario, const EquipmentTables& tables, int32_t unit) {
    int32_t strength = CombatStrength(scenario, tables, unit);
    return scenario.Units[unit].WingLeader != 0 ? strength * 10 : strength;
}

} // namespace

int32_t CombatStrength(const Scenario& scenario, const EquipmentTables& tables, int32_t unit) {
    const UnitRecord* u = UnitAt(scenario, unit);
    if (!u) return 0;
    int32_t perMan = tables.Combat(u->CombatWeapon).rating + tables.Class(u->Class).bonus + u->Morale - 100;
    int32_t t = Mul32(u->Men, perMan) / 100;
    t = (t * 30) / 100;
    return std::max(t, 0);
}

int32_t FirePower(const Scenario& scenario, const EquipmentTables& tables, int32_t unit) {
    const UnitRecord* u = UnitAt(scenario, unit);
    if (!u || u->MissileWeapon == 0 || u->MissileAmmo == 0) return 0;
    int32_t crew = u->Men;
    if (IsGun(scenario, tables, unit)) crew = (u->Men / 5) * 5;
    int32_t perMan = tables.Missile(u->MissileWeapon).rating + tables.Class(u->Class).bonus + u->Morale - 99;
    int32_t t = ((Mul32(crew, perMan) / 100) * 30) / 100;
    if (t < 0 || u->Morale < 10) t = 0;
    return std::min(crew, t);
}

int32_t DefenceRating(const Scenario& scenario, const EquipmentTables& tables, int32_t unit) {
    const UnitRecord* u = UnitAt(scenario, unit);
    if (!u) return 0;
    int32_t d = ((tables.Armour(u->Armour).rating + tables.Shield(u->Shield).rating) * u->Morale) / 100;
    return std::clamp(d, 0, 75);
}

int32_t UnitLoad(const Scenario& scenario, const EquipmentTables& tables, int32_t unit) {
    const UnitRecord* u = UnitAt(scenario, unit);
    if (!u) return 0;
    return tables.Combat(u->CombatWeapon).weight + tables.Missile(u->MissileWeapon).weight +
           tables.Armour(u->Armour).weight + tables.Shield(u->Shield).weight;
}

std::string_view WeightClass(const Scenario& scenario, const EquipmentTables& tables, int32_t unit) {
    const UnitRecord* u = UnitAt(scenario, unit);
    if (u && u->UnitType == 3) return "N/A";
    int32_t load = UnitLoad(scenario, tables, unit);
    if (load < 30) return "Lt";
    if (load < 60) return "Mod";
    return "Hvy";
}

bool IsGun(const Scenario& scenario, const EquipmentTables& tables, int32_t unit) {
    const UnitRecord* u = UnitAt(scenario, unit);
    return u && u->MissileWeapon != 0 && IsGunWeapon(tables.Missile(u->MissileWeapon));
}

int32_t HexDistance(const Scenario& scenario, int32_t hexA, int32_t hexB) {
    return HexGrid{scenario.Cols, scenario.Rows}.Distance(hexA, hexB);
}

int32_t CommandingLeader(const Scenario& scenario, int32_t unit) {
    const UnitRecord* u = UnitAt(scenario, unit);
    if (!u) return 0;
    if (u->WingLeader != 0) return unit;
    int32_t best = 0, bestDistance = 0;
    for (int32_t l = 1; l <= scenario.UnitCount && l <= MaxUnits; ++l) {
        const UnitRecord& leader = scenario.Units[l];
        if (leader.ActivationTurn != 1 || leader.WingLeader == 0 || leader.Side != u->Side) continue;
        if (leader.Wing != u->Wing && leader.Wing != 0) continue;
        int32_t d = HexDistance(scenario, u->Hex, leader.Hex);
        if (leader.CommandRange < d) continue;
        if (best == 0 || d < bestDistance ||
            (d == bestDistance && leader.CommandRating > scenario.Units[best].CommandRating)) {
            best = l;
            bestDistance = d;
        }
    }
    return best;
}

std::pair<int32_t, int32_t> SidePoints(const Scenario& scenario) {
    int32_t west = 0, east = 0;
    auto add = [&](int32_t side, int32_t points) {
        if (side == SideWestern)
            west += points;
        else if (side == SideEastern)
            east += points;
    };
    for (int32_t u = 1; u <= scenario.UnitCount && u <= MaxUnits; ++u)
        add(scenario.Units[u].Side, scenario.Units[u].Value);
    if (scenario.ObjectiveCount >= 1) {
        const ObjectiveRecord& objective = scenario.Objectives[1];
        if (scenario.IsValidHex(objective.Hex)) {
            if (const UnitRecord* holder = UnitAt(scenario, scenario.Hexes[objective.Hex].Unit))
                add(holder->Side, objective.VictoryPoints);
        }
    }
    return {west, east};
}

void SortUnits(Scenario& scenario, const EquipmentTables& tables) {
    const int32_t count = std::min(scenario.UnitCount, MaxUnits);
    auto sortsBefore = [&](int32_t a, int32_t b) {
        const UnitRecord& ua = scenario.Units[a];
        const UnitRecord& ub = scenario.Units[b];
        if (ua.Side != ub.Side) return ua.Side < ub.Side;
        if (ua.Wing != ub.Wing) return ua.Wing < ub.Wing;
        return SortStrength(scenario, tables, a) > SortStrength(scenario, tables, b);
    };
    for (int32_t p = 1; p < count; ++p) {
        int32_t best = p;
        for (int32_t k = p + 1; k <= count; ++k)
            if (sortsBefore(k, best)) best = k;
        if (best != p) std::swap(scenario.Units[p], scenario.Units[best]);
    }
    for (HexCell& cell : scenario.Hexes)
        cell.Unit = 0;
    for (int32_t u = 1; u <= count; ++u)
        if (scenario.IsValidHex(scenario.Units[u].Hex)) scenario.Hexes[scenario.Units[u].Hex].Unit = u;
}

} // namespace k2
