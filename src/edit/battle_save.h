// Writing the open battle as Save Battle does, shared by the editor and scripts: the change the
// save makes to the battle is a step of the history, and the state written becomes the saved one.
#pragma once

#include "core/scenario.h"
#include "core/status.h"
#include "edit/edit_history.h"
#include "forces/equipment_defs.h"

#include <cstdint>
#include <filesystem>

namespace k2 {

// Sorts the units into the game's order and writes the battle safely (the previous file stays
// until the new one is complete). The sort and the terrain definition count that the written
// file carries are one step ("Sort Units"), so that no change of the battle bypasses the
// history; after a successful write the history knows this state as saved.
Status SaveBattleFile(EditHistory& history, Scenario& scenario, const EquipmentTables& equipment,
                      const std::filesystem::path& file, int32_t terrainSymbolCount);

} // namespace k2
