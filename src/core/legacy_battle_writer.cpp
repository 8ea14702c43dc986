#include "core/legacy_battle_writer.h"

#include "core/battle_file.h"
#include "core/file_io.h"

#include <algorithm>

namespace k2 {

namespace {

BattleEncoding LegacyEncoding(const Scenario& scenario, int32_t formatNumber) {
    BattleEncoding encoding;
    encoding.Layout = BattleLayout::Legacy;
    encoding.FormatNumber = formatNumber;
    encoding.SaveCount = scenario.SaveCount;
    encoding.TerrainDefCount = std::clamp(scenario.TerrainDefCount, 0, MaxTerrainDefs);
    return encoding;
}

} // namespace

std::vector<uint8_t> EncodeLegacyBattle(const Scenario& scenario, int32_t formatNumber) {
    std::vector<uint8_t> bytes;
    if (!EncodeBattle(scenario, LegacyEncoding(scenario, formatNumber), bytes)) bytes.clear();
    return bytes;
}

Status WriteLegacyBattle(const Scenario& scenario, const std::filesystem::path& file, int32_t formatNumber) {
    std::vector<uint8_t> bytes;
    if (Status encoded = EncodeBattle(scenario, LegacyEncoding(scenario, formatNumber), bytes); !encoded)
        return encoded;
    WriteFileOutcome outcome = WriteFileAtomically(file, bytes);
    if (outcome.result == WriteFileResult::Ok) return Status::Ok();
    return Status::Fail(outcome.result == WriteFileResult::CannotOpen
                            ? std::string("Could not open selected file.")
                            : "Could not write selected file (" + outcome.detail + ").");
}

} // namespace k2
