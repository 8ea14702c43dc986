// Fuzzes the battle file parser (both layouts; the first byte picks the legacy one). A file that
// is accepted must write back and read again to the same battle.
#include "core/battle_file.h"

#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const bool legacy = data[0] & 1;
    auto scenario = std::make_unique<k2::Scenario>();
    const auto before = std::make_unique<k2::Scenario>(*scenario);
    k2::Status st = k2::ParseBattle(*scenario, std::span<const uint8_t>(data + 1, size - 1), legacy);
    if (!st.ok) {
        if (!(*scenario == *before)) std::abort(); // a refusal must change nothing
        return 0;
    }
    if (scenario->SaveCount >= 65279) return 0; // the next save count cannot be stored
    std::vector<uint8_t> bytes;
    if (!k2::EncodeBattle(*scenario, scenario->TerrainDefCount, bytes).ok) std::abort();
    auto again = std::make_unique<k2::Scenario>();
    if (!k2::ParseBattle(*again, bytes, false).ok) std::abort();
    // One compaction pass may leave empty names that a second load removes; compare otherwise.
    for (int32_t i = 0; i < scenario->WingCount; ++i)
        if (scenario->WingNames[i].Empty()) return 0;
    again->SaveCount -= 1;
    if (scenario->ViewSaved == 0) { // written as 0 when no view was saved
        scenario->ViewOriginHex = 0;
        scenario->ZoomLevel = 0;
    }
    if (!(*again == *scenario)) std::abort();
    return 0;
}
