// The battle file (.k2s) reader and writer, with the conversion of legacy (.scn) battles.
#pragma once

#include "core/scenario.h"
#include "core/status.h"

#include <filesystem>

namespace k2 {

// True when the file's own name ends in ".scn", compared without regard to case.
bool IsLegacyBattleFile(const std::filesystem::path& file);

// Reads `file` into the scenario. The terrain definitions are first reloaded from
// `terrainDefFile` (a missing file is a warning), then the battle's own table replaces them.
// The file is read into a scratch scenario and committed only on success: a refused file
// leaves `scenario` exactly as it was, terrain definitions included.
Status ReadBattle(Scenario& scenario, const std::filesystem::path& file,
                  const std::filesystem::path& terrainDefFile);

// Writes the scenario in the current layout, replacing `file` atomically. Raises SaveCount
// by one, writes `terrainSymbolCount` terrain definitions and sets the editor's format
// number to 200 - all only when the whole file was written. On failure the previous file
// and the scenario are unchanged.
Status WriteBattle(Scenario& scenario, const std::filesystem::path& file, int32_t terrainSymbolCount);

} // namespace k2
