#include "check/battle_check.h"

#include "check/battle_check_rules.h"

#include <algorithm>

namespace k2 {

std::string_view CheckSeverityName(CheckSeverity severity) {
    return severity == CheckSeverity::Error ? "error" : "warning";
}

std::vector<CheckRule> BattleCheckRules() {
    std::vector<CheckRule> rules;
    for (auto group : {ReferenceCheckRules(), ForcesCheckRules(), MarkerCheckRules(), MapCheckRules()})
        rules.insert(rules.end(), group.begin(), group.end());
    return rules;
}

std::vector<CheckFinding> RunBattleCheck(const CheckInput& input) {
    const Scenario& battle = input.Battle;
    std::vector<CheckFinding> findings;
    for (const CheckRule& rule : BattleCheckRules()) {
        for (CheckHit& hit : rule.Function(input)) {
            CheckFinding f;
            f.Severity = rule.Severity;
            f.Rule = std::string(rule.Name);
            f.Text = std::move(hit.Text);
            // A finding is a sentence of its own, whatever its rule's text starts with.
            if (!f.Text.empty() && f.Text[0] >= 'a' && f.Text[0] <= 'z')
                f.Text[0] = char(f.Text[0] - 'a' + 'A');
            if (battle.IsValidHex(hit.Hex) && battle.Cols > 0) {
                f.Hex = hit.Hex;
                std::tie(f.Row, f.Column) = battle.HexRowCol(hit.Hex);
            }
            findings.push_back(std::move(f));
        }
    }
    std::stable_sort(findings.begin(), findings.end(), [](const CheckFinding& a, const CheckFinding& b) {
        if (a.Severity != b.Severity) return a.Severity == CheckSeverity::Error;
        return a.Hex < b.Hex;
    });
    return findings;
}

int32_t CountFindings(const std::vector<CheckFinding>& findings, CheckSeverity severity) {
    return int32_t(std::count_if(findings.begin(), findings.end(),
                                 [&](const CheckFinding& f) { return f.Severity == severity; }));
}

std::string CheckSummary(const std::vector<CheckFinding>& findings) {
    if (findings.empty()) return "No problems found.";
    auto counted = [](int32_t n, const char* word) {
        return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
    };
    const int32_t errors = CountFindings(findings, CheckSeverity::Error);
    const int32_t warnings = CountFindings(findings, CheckSeverity::Warning);
    if (errors == 0) return counted(warnings, "warning");
    if (warnings == 0) return counted(errors, "error");
    return counted(errors, "error") + ", " + counted(warnings, "warning");
}

std::string UnitLabel(const Scenario& battle, int32_t unit) {
    std::string label = "unit " + std::to_string(unit);
    if (unit >= 1 && unit <= MaxUnits) label += " \"" + battle.Units[size_t(unit)].Name.Str() + "\"";
    return label;
}

std::string SideLabel(int32_t side) {
    if (side == SideWestern) return "Western";
    if (side == SideEastern) return "Eastern";
    return "side " + std::to_string(side);
}

int32_t CheckedUnitOnHex(const Scenario& battle, int32_t hex) {
    if (!battle.IsValidHex(hex)) return 0;
    const int32_t unit = battle.Hexes[size_t(hex)].Unit;
    return unit >= 1 && unit <= battle.UnitCount && unit <= MaxUnits ? unit : 0;
}

} // namespace k2
