// Check Battle's force rules: both sides present, wings with units and leaders, units within
// a leader's command, reinforcements that arrive within the battle's turns.
#include "check/battle_check_rules.h"
#include "forces/unit_ratings.h"

#include <algorithm>
#include <array>

namespace k2 {

namespace {

int32_t UnitTotal(const Scenario& s) {
    return std::clamp(s.UnitCount, 0, MaxUnits);
}
int32_t WingTotal(const Scenario& s) {
    return std::clamp(s.WingCount, 0, MaxWings);
}

std::string WingLabel(const Scenario& s, int32_t wing) {
    return "wing \"" + s.WingNames[size_t(wing)].Str() + "\"";
}

std::vector<CheckHit> ActivationTurns(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    for (int32_t u = 1; u <= UnitTotal(s); ++u) {
        const UnitRecord& unit = s.Units[size_t(u)];
        if (unit.ActivationTurn > s.MaxTurns)
            hits.push_back({UnitLabel(s, u) + " arrives on turn " + std::to_string(unit.ActivationTurn) +
                                ", after the battle's last turn " + std::to_string(s.MaxTurns) + ".",
                            unit.Hex});
        else if (unit.ActivationTurn < 1)
            hits.push_back({UnitLabel(s, u) + " has activation turn " + std::to_string(unit.ActivationTurn) +
                                "; turns start at 1.",
                            unit.Hex});
    }
    return hits;
}

std::vector<CheckHit> SidesWithoutUnits(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    for (int32_t side : {SideWestern, SideEastern}) {
        bool any = false;
        for (int32_t u = 1; u <= UnitTotal(s) && !any; ++u)
            any = s.Units[size_t(u)].Side == side;
        if (!any) hits.push_back({"The " + SideLabel(side) + " side has no units."});
    }
    return hits;
}

std::vector<CheckHit> WingsWithoutUnits(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    for (int32_t w = 0; w < WingTotal(s); ++w) {
        bool any = false;
        for (int32_t u = 1; u <= UnitTotal(s) && !any; ++u)
            any = s.Units[size_t(u)].Wing == w;
        if (!any) {
            std::string name = WingLabel(s, w);
            name[0] = 'W';
            hits.push_back({name + " has no units."});
        }
    }
    return hits;
}

bool SideWingHasLeader(const Scenario& s, int32_t side, int32_t wing) {
    for (int32_t u = 1; u <= UnitTotal(s); ++u) {
        const UnitRecord& unit = s.Units[size_t(u)];
        if (unit.Side == side && unit.Wing == wing && unit.WingLeader != 0) return true;
    }
    return false;
}

// A wing is led per side: a leader commands only units of its own side.
std::vector<CheckHit> WingsWithoutLeader(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    for (int32_t side : {SideWestern, SideEastern}) {
        for (int32_t w = 0; w < WingTotal(s); ++w) {
            int32_t first = 0;
            for (int32_t u = 1; u <= UnitTotal(s) && first == 0; ++u)
                if (s.Units[size_t(u)].Side == side && s.Units[size_t(u)].Wing == w) first = u;
            if (first != 0 && !SideWingHasLeader(s, side, w))
                hits.push_back(
                    {"The " + SideLabel(side) + " units of " + WingLabel(s, w) + " have no leader.",
                     s.Units[size_t(first)].Hex});
        }
    }
    return hits;
}

// Units on the map at the start that no leader commands. Units of a wing without a leader of
// their side are left to wing-without-leader, which names the cause once; reinforcements are
// left out because their leaders may have moved by the time they arrive.
std::vector<CheckHit> UnitsOutOfCommand(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    for (int32_t u = 1; u <= UnitTotal(s); ++u) {
        const UnitRecord& unit = s.Units[size_t(u)];
        if (unit.ActivationTurn != 1 || unit.WingLeader != 0) continue;
        if (!SideWingHasLeader(s, unit.Side, unit.Wing)) continue;
        if (CommandingLeader(s, u) == 0)
            hits.push_back({UnitLabel(s, u) + " stands outside every leader's command range.", unit.Hex});
    }
    return hits;
}

constexpr std::array Rules = {
    CheckRule{"activation-turn-out-of-range", CheckSeverity::Error, ActivationTurns},
    CheckRule{"side-without-units", CheckSeverity::Error, SidesWithoutUnits},
    CheckRule{"wing-without-units", CheckSeverity::Warning, WingsWithoutUnits},
    CheckRule{"wing-without-leader", CheckSeverity::Warning, WingsWithoutLeader},
    CheckRule{"unit-out-of-command", CheckSeverity::Warning, UnitsOutOfCommand},
};

} // namespace

std::span<const CheckRule> ForcesCheckRules() {
    return Rules;
}

} // namespace k2
