// Check Battle: one set of rules run over a whole battle before it goes to players. Each rule
// looks for one kind of mistake and reports every place it finds it; the result is a list of
// findings, errors first, then by hex.
#pragma once

#include "core/scenario.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace k2 {

// Error: the game is likely to misbehave with the battle. Warning: probably a mistake.
enum class CheckSeverity { Error, Warning };

// "error" or "warning".
std::string_view CheckSeverityName(CheckSeverity severity);

struct CheckFinding {
    CheckSeverity Severity = CheckSeverity::Warning;
    std::string Rule; // the rule's kebab-case name
    std::string Text; // one line for the user
    int32_t Hex = -1; // a hex of the map, or -1 when the finding concerns no hex
    // The hex's column and row (from 0), -1 with no hex.
    int32_t Column = -1;
    int32_t Row = -1;

    bool operator==(const CheckFinding&) const = default;
};

// What the rules look at. Everything they need is in the battle itself: the marker symbols
// tell each side's reinforcement and stakes symbols, the battle's terrain definitions give the
// cost per move.
struct CheckInput {
    const Scenario& Battle;
};

// One place a rule found: the text and the hex it concerns (-1 for none).
struct CheckHit {
    std::string Text;
    int32_t Hex = -1;
};

using CheckFunction = std::vector<CheckHit> (*)(const CheckInput& input);

struct CheckRule {
    std::string_view Name;
    CheckSeverity Severity;
    CheckFunction Function;
};

// Every rule, group by group.
std::vector<CheckRule> BattleCheckRules();

// Runs every rule. A hit whose hex is not a hex of the map is reported without a hex. Sorted:
// errors first, then by hex (findings without a hex first), then in rule order.
std::vector<CheckFinding> RunBattleCheck(const CheckInput& input);

// Counts per severity, and the summary line the panel shows ("No problems found.",
// "1 error, 2 warnings").
int32_t CountFindings(const std::vector<CheckFinding>& findings, CheckSeverity severity);
std::string CheckSummary(const std::vector<CheckFinding>& findings);

} // namespace k2
