// Writes a battle in the legacy (.scn) layout, which the editor itself only reads: the sample
// generator and the tests use it to produce legacy battles.
#pragma once

#include "core/scenario.h"
#include "core/status.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace k2 {

// The legacy layout has no weather, break points or leader replacement, no terrain set name,
// unit records end after SupplyLevel and hex records after Caltrops. The format number
// written is `formatNumber`; SaveCount is written as it is.
std::vector<uint8_t> EncodeLegacyBattle(const Scenario& scenario, int32_t formatNumber = 100);

Status WriteLegacyBattle(const Scenario& scenario, const std::filesystem::path& file,
                         int32_t formatNumber = 100);

} // namespace k2
