// Check Battle's map rules: units where no unit can stand, structures held by the other side,
// the terrain objective and the map texts.
#include "check/battle_check_rules.h"
#include "core/terrain_defs.h"

#include <algorithm>
#include <array>

namespace k2 {

namespace {

int32_t UnitTotal(const Scenario& s) {
    return std::clamp(s.UnitCount, 0, MaxUnits);
}

std::vector<CheckHit> UnitsOnBorder(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    for (int32_t u = 1; u <= UnitTotal(s); ++u) {
        const int32_t hex = s.Units[size_t(u)].Hex;
        if (s.IsValidHex(hex) && s.IsBorderHex(hex))
            hits.push_back({UnitLabel(s, u) + " stands on the map's border.", hex});
    }
    return hits;
}

// Cost per move "X": a terrain of cost 13 or more, caltrops included, or no terrain with a
// cost. Border hexes are left to unit-on-border.
std::vector<CheckHit> UnitsOnImpassable(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    for (int32_t u = 1; u <= UnitTotal(s); ++u) {
        const int32_t hex = s.Units[size_t(u)].Hex;
        if (s.IsValidHex(hex) && !s.IsBorderHex(hex) && HexCostPerMove(s, hex) == 0)
            hits.push_back({UnitLabel(s, u) + " stands on impassable terrain (cost per move X).", hex});
    }
    return hits;
}

std::vector<CheckHit> StructuresHeldByEnemy(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    for (int32_t k = 1; k <= std::clamp(s.StructureCount, 0, MaxStructures); ++k) {
        const StructureRecord& st = s.Structures[size_t(k)];
        const int32_t u = CheckedUnitOnHex(s, st.Hex);
        if (u != 0 && s.Units[size_t(u)].Side != st.Side)
            hits.push_back({"The " + SideLabel(st.Side) + " structure \"" + st.Name.Str() + "\" holds the " +
                                SideLabel(s.Units[size_t(u)].Side) + " " + UnitLabel(s, u) + ".",
                            st.Hex});
    }
    return hits;
}

// The game counts only the first objective.
std::vector<CheckHit> ExtraObjectives(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    for (int32_t k = 2; k <= std::clamp(s.ObjectiveCount, 0, MaxObjectives); ++k)
        hits.push_back({"Objective " + std::to_string(k) + " \"" + s.Objectives[size_t(k)].Name.Str() +
                            "\" is one more than the single terrain objective a battle has.",
                        s.Objectives[size_t(k)].Hex});
    return hits;
}

std::vector<CheckHit> WorthlessObjectives(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    for (int32_t k = 1; k <= std::clamp(s.ObjectiveCount, 0, MaxObjectives); ++k) {
        const ObjectiveRecord& o = s.Objectives[size_t(k)];
        if (o.VictoryPoints <= 0)
            hits.push_back({"Objective \"" + o.Name.Str() + "\" is worth " + std::to_string(o.VictoryPoints) +
                                " points.",
                            o.Hex});
    }
    return hits;
}

// A trim may leave a text off the map: it is kept, but never drawn.
std::vector<CheckHit> MapTextsOffMap(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    for (int32_t m = 1; m <= std::clamp(s.MapTextCount, 0, MaxMapTexts); ++m) {
        const PlaceName& text = s.MapTexts[size_t(m)];
        if (!s.IsValidHex(text.Hex))
            hits.push_back(
                {"Map text \"" + text.Text.Str() + "\" lies on no hex of the map and is never shown."});
    }
    return hits;
}

// A hex names one map text; a second text on it is drawn but cannot be reached to edit.
std::vector<CheckHit> MapTextsSharingHex(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    const int32_t count = std::clamp(s.MapTextCount, 0, MaxMapTexts);
    for (int32_t m = 2; m <= count; ++m) {
        const PlaceName& text = s.MapTexts[size_t(m)];
        if (!s.IsValidHex(text.Hex)) continue;
        for (int32_t earlier = 1; earlier < m; ++earlier) {
            if (s.MapTexts[size_t(earlier)].Hex != text.Hex) continue;
            hits.push_back({"Map texts \"" + s.MapTexts[size_t(earlier)].Text.Str() + "\" and \"" +
                                text.Text.Str() + "\" share one hex.",
                            text.Hex});
            break;
        }
    }
    return hits;
}

constexpr std::array Rules = {
    CheckRule{"unit-on-border", CheckSeverity::Error, UnitsOnBorder},
    CheckRule{"unit-on-impassable", CheckSeverity::Error, UnitsOnImpassable},
    CheckRule{"structure-held-by-enemy", CheckSeverity::Warning, StructuresHeldByEnemy},
    CheckRule{"extra-objective", CheckSeverity::Warning, ExtraObjectives},
    CheckRule{"objective-without-points", CheckSeverity::Warning, WorthlessObjectives},
    CheckRule{"map-text-off-map", CheckSeverity::Warning, MapTextsOffMap},
    CheckRule{"map-texts-share-hex", CheckSeverity::Warning, MapTextsSharingHex},
};

} // namespace

std::span<const CheckRule> MapCheckRules() {
    return Rules;
}

} // namespace k2
