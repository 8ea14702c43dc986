// Check Battle's reference rules: links between the hexes and the record tables that point at
// nothing or at the wrong place. The reader refuses most of them, so a finding here means the
// battle was changed past the rules that keep the links in step.
#include "check/battle_check_rules.h"

#include <algorithm>
#include <array>

namespace k2 {

namespace {

int32_t Count(int32_t count, int32_t capacity) {
    return std::clamp(count, 0, capacity);
}

// One kind of record with a hex field and a hex link that names it back.
struct LinkedTable {
    const char* what;
    int32_t count;
    int32_t HexCell::*link;
    int32_t (*hexOf)(const Scenario&, int32_t);
};

std::vector<CheckHit> CheckLinks(const Scenario& s, const LinkedTable& t) {
    std::vector<CheckHit> hits;
    const std::string what = t.what;
    for (int32_t k = 1; k <= t.count; ++k) {
        const int32_t hex = t.hexOf(s, k);
        if (!s.IsValidHex(hex)) {
            hits.push_back({what + " " + std::to_string(k) + " lies on hex " + std::to_string(hex) +
                            ", outside the map."});
        } else if (s.Hexes[size_t(hex)].*t.link != k) {
            hits.push_back(
                {what + " " + std::to_string(k) + " lies here, but the hex does not name it.", hex});
        }
    }
    for (int32_t h = 0; h < s.HexCount && size_t(h) < s.Hexes.size(); ++h) {
        const int32_t k = s.Hexes[size_t(h)].*t.link;
        if (k == 0) continue;
        if (k < 0 || k > t.count) {
            hits.push_back(
                {"The hex names " + what + " " + std::to_string(k) + ", which does not exist.", h});
        } else if (t.hexOf(s, k) != h) {
            hits.push_back(
                {"The hex names " + what + " " + std::to_string(k) + ", which lies elsewhere.", h});
        }
    }
    return hits;
}

std::vector<CheckHit> UnitReferences(const CheckInput& in) {
    const Scenario& s = in.Battle;
    return CheckLinks(s, {"Unit", Count(s.UnitCount, MaxUnits), &HexCell::Unit,
                          [](const Scenario& b, int32_t k) { return b.Units[size_t(k)].Hex; }});
}

std::vector<CheckHit> StructureReferences(const CheckInput& in) {
    const Scenario& s = in.Battle;
    return CheckLinks(s, {"Structure", Count(s.StructureCount, MaxStructures), &HexCell::Structure,
                          [](const Scenario& b, int32_t k) { return b.Structures[size_t(k)].Hex; }});
}

std::vector<CheckHit> ObjectiveReferences(const CheckInput& in) {
    const Scenario& s = in.Battle;
    return CheckLinks(s, {"Objective", Count(s.ObjectiveCount, MaxObjectives), &HexCell::Objective,
                          [](const Scenario& b, int32_t k) { return b.Objectives[size_t(k)].Hex; }});
}

// Map texts may lie off the map (a trim keeps them, inert), and two texts may share a hex of
// which the hex names one; only the hex's own link must be sound.
std::vector<CheckHit> MapTextReferences(const CheckInput& in) {
    const Scenario& s = in.Battle;
    const int32_t count = Count(s.MapTextCount, MaxMapTexts);
    std::vector<CheckHit> hits;
    for (int32_t h = 0; h < s.HexCount && size_t(h) < s.Hexes.size(); ++h) {
        const int32_t m = s.Hexes[size_t(h)].MapText;
        if (m == 0) continue;
        if (m < 0 || m > count)
            hits.push_back({"The hex names map text " + std::to_string(m) + ", which does not exist.", h});
        else if (s.MapTexts[size_t(m)].Hex != h)
            hits.push_back({"The hex names map text " + std::to_string(m) + ", which lies elsewhere.", h});
    }
    return hits;
}

std::vector<CheckHit> UnitWings(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    for (int32_t u = 1; u <= Count(s.UnitCount, MaxUnits); ++u) {
        const UnitRecord& unit = s.Units[size_t(u)];
        if (unit.Wing < 0 || unit.Wing >= s.WingCount)
            hits.push_back({UnitLabel(s, u) + " belongs to wing " + std::to_string(unit.Wing) +
                                ", which is not in the wing list.",
                            unit.Hex});
    }
    return hits;
}

bool IsSide(int32_t side) {
    return side == SideWestern || side == SideEastern;
}

std::vector<CheckHit> RecordSides(const CheckInput& in) {
    const Scenario& s = in.Battle;
    std::vector<CheckHit> hits;
    for (int32_t u = 1; u <= Count(s.UnitCount, MaxUnits); ++u) {
        const UnitRecord& unit = s.Units[size_t(u)];
        if (!IsSide(unit.Side))
            hits.push_back({UnitLabel(s, u) + " belongs to side " + std::to_string(unit.Side) +
                                ", neither Western nor Eastern.",
                            unit.Hex});
    }
    for (int32_t k = 1; k <= Count(s.StructureCount, MaxStructures); ++k) {
        const StructureRecord& st = s.Structures[size_t(k)];
        if (!IsSide(st.Side))
            hits.push_back({"Structure " + std::to_string(k) + " \"" + st.Name.Str() + "\" belongs to side " +
                                std::to_string(st.Side) + ", neither Western nor Eastern.",
                            st.Hex});
    }
    return hits;
}

constexpr std::array Rules = {
    CheckRule{"unit-reference", CheckSeverity::Error, UnitReferences},
    CheckRule{"structure-reference", CheckSeverity::Error, StructureReferences},
    CheckRule{"objective-reference", CheckSeverity::Error, ObjectiveReferences},
    CheckRule{"map-text-reference", CheckSeverity::Error, MapTextReferences},
    CheckRule{"unit-wing-reference", CheckSeverity::Error, UnitWings},
    CheckRule{"unknown-side", CheckSeverity::Error, RecordSides},
};

} // namespace

std::span<const CheckRule> ReferenceCheckRules() {
    return Rules;
}

} // namespace k2
