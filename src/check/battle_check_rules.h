// The groups of Check Battle's rules, each a table in its own file, and what their rules share.
// Adding a rule is one function and one row of its group's table.
#pragma once

#include "check/battle_check.h"

#include <span>
#include <string>

namespace k2 {

std::span<const CheckRule> ReferenceCheckRules();
std::span<const CheckRule> ForcesCheckRules();
std::span<const CheckRule> MarkerCheckRules();
std::span<const CheckRule> MapCheckRules();

// How findings name things: `unit 3 "Guard"`, `Western`.
std::string UnitLabel(const Scenario& battle, int32_t unit);
std::string SideLabel(int32_t side);
// The unit standing on `hex`, 0 for none or for a link to no unit.
int32_t CheckedUnitOnHex(const Scenario& battle, int32_t hex);

} // namespace k2
