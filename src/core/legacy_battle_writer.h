// Writes a battle in the legacy (.scn) layout, which the editor itself only reads: the sample
// generator and the tests use it to produce legacy battles.
#pragma once

#include "core/scenario.h"
#include "core/status.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace k2 {

// The bytes of the scenario in the legacy layout (BattleLayout::Legacy) with format number
// `formatNumber`; SaveCount and the terrain definitions are written as they are. Empty when the
// scenario cannot be written (WriteLegacyBattle says why).
std::vector<uint8_t> EncodeLegacyBattle(const Scenario& scenario, int32_t formatNumber = 100);

Status WriteLegacyBattle(const Scenario& scenario, const std::filesystem::path& file,
                         int32_t formatNumber = 100);

} // namespace k2
