// Check Battle's marker rules: reinforcement markers and archer stakes, which must match the
// unit on their hex and its side's symbol from the battle's marker table.
#include "check/battle_check_rules.h"
#include "edit/marker_tools.h"

#include <array>

namespace k2 {

namespace {

int32_t ReinforcementSymbol(const Scenario& s, int32_t side) {
    return s.MarkerSymbols[side == SideEastern ? MarkerEasternReinforcement : MarkerWesternReinforcement];
}

bool IsReinforcement(const UnitRecord& unit) {
    return unit.ActivationTurn > 1;
}

// Calls `visit(hex, cell, unit)` for every hex of the map; unit is 0 when the hex has none.
template <typename Visit> void ForEachHex(const Scenario& s, Visit visit) {
    for (int32_t h = 0; h < s.HexCount && size_t(h) < s.Hexes.size(); ++h)
        visit(h, s.Hexes[size_t(h)], CheckedUnitOnHex(s, h));
}

std::vector<CheckHit> ReinforcementsWithoutMarker(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    ForEachHex(s, [&](int32_t h, const HexCell& cell, int32_t u) {
        if (u != 0 && IsReinforcement(s.Units[size_t(u)]) && cell.ReinforcementMarker == 0)
            hits.push_back({UnitLabel(s, u) + " arrives on turn " +
                                std::to_string(s.Units[size_t(u)].ActivationTurn) +
                                ", but its hex has no reinforcement marker.",
                            h});
    });
    return hits;
}

std::vector<CheckHit> MarkersWithoutReinforcement(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    ForEachHex(s, [&](int32_t h, const HexCell& cell, int32_t u) {
        if (cell.ReinforcementMarker == 0) return;
        if (u == 0)
            hits.push_back({"A reinforcement marker lies on a hex with no unit.", h});
        else if (!IsReinforcement(s.Units[size_t(u)]))
            hits.push_back({"A reinforcement marker lies under " + UnitLabel(s, u) +
                                ", which is on the map from the start.",
                            h});
    });
    return hits;
}

std::vector<CheckHit> MarkersOfWrongSide(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    ForEachHex(s, [&](int32_t h, const HexCell& cell, int32_t u) {
        if (cell.ReinforcementMarker == 0 || u == 0) return;
        const UnitRecord& unit = s.Units[size_t(u)];
        if (!IsReinforcement(unit) || cell.ReinforcementMarker == ReinforcementSymbol(s, unit.Side)) return;
        const int32_t other = unit.Side == SideEastern ? SideWestern : SideEastern;
        if (cell.ReinforcementMarker == ReinforcementSymbol(s, other))
            hits.push_back({"The " + SideLabel(unit.Side) + " reinforcement " + UnitLabel(s, u) +
                                " has the " + SideLabel(other) + " reinforcement marker.",
                            h});
        else
            hits.push_back({UnitLabel(s, u) + " has marker symbol " +
                                std::to_string(cell.ReinforcementMarker) +
                                ", which is neither side's reinforcement marker.",
                            h});
    });
    return hits;
}

std::vector<CheckHit> StakesWithoutCarrier(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    ForEachHex(s, [&](int32_t h, const HexCell& cell, int32_t u) {
        // Stakes on an empty hex belong to the hex, as the stakes tool treats them.
        if (cell.Stakes != 0 && u != 0 && s.Units[size_t(u)].HasStakes == 0)
            hits.push_back(
                {"Archer stakes stand under " + UnitLabel(s, u) + ", which carries no stakes.", h});
    });
    return hits;
}

std::vector<CheckHit> StakesOfWrongSide(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    ForEachHex(s, [&](int32_t h, const HexCell& cell, int32_t u) {
        if (cell.Stakes == 0 || u == 0) return;
        const UnitRecord& unit = s.Units[size_t(u)];
        if (unit.HasStakes == 0 || cell.Stakes == StakesSymbolFor(s, unit.Side)) return;
        hits.push_back({"The stakes under the " + SideLabel(unit.Side) + " " + UnitLabel(s, u) +
                            " carry another side's symbol.",
                        h});
    });
    return hits;
}

constexpr std::array Rules = {
    CheckRule{"reinforcement-without-marker", CheckSeverity::Warning, ReinforcementsWithoutMarker},
    CheckRule{"marker-without-reinforcement", CheckSeverity::Warning, MarkersWithoutReinforcement},
    CheckRule{"reinforcement-marker-wrong-side", CheckSeverity::Warning, MarkersOfWrongSide},
    CheckRule{"stakes-without-carrier", CheckSeverity::Warning, StakesWithoutCarrier},
    CheckRule{"stakes-wrong-side", CheckSeverity::Warning, StakesOfWrongSide},
};

} // namespace

std::span<const CheckRule> MarkerCheckRules() {
    return Rules;
}

} // namespace k2
