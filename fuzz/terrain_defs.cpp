// Fuzzes the terrain definition file parser: an accepted file writes back to the same table.
#include "core/terrain_defs.h"
#include "core/byte_codec.h"

#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto scenario = std::make_unique<k2::Scenario>();
    const auto before = std::make_unique<k2::Scenario>(*scenario);
    k2::Status st = k2::ParseTerrainDefs(*scenario, std::span<const uint8_t>(data, size));
    if (!st.ok) {
        if (!(*scenario == *before)) std::abort();
        return 0;
    }
    k2::ByteWriter out;
    out.Int(105);
    k2::WriteTerrainDefRecords(out, *scenario, scenario->TerrainDefCount);
    if (out.HasRangeError()) std::abort();
    auto again = std::make_unique<k2::Scenario>();
    if (!k2::ParseTerrainDefs(*again, out.Bytes()).ok || !(*again == *scenario)) std::abort();
    return 0;
}
