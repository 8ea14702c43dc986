// The battle file (.k2s) reader and writer, with the conversion of legacy (.scn) battles.
#pragma once

#include "core/file_io.h"
#include "core/scenario.h"
#include "core/status.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

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

// The same with the file system calls of `ops`, so that tests can make a write, the close or
// the rename fail.
Status WriteBattle(Scenario& scenario, const std::filesystem::path& file, int32_t terrainSymbolCount,
                   FileOps& ops);

// Parses the bytes of a battle file as ReadBattle does once its terrain definitions are loaded
// (no file is touched; a legacy file keeps the definitions it carries). Refused bytes leave
// `scenario` exactly as it was.
Status ParseBattle(Scenario& scenario, std::span<const uint8_t> bytes, bool legacy);

// The format number the editor writes into the battles it saves.
constexpr int32_t CurrentFormatNumber = 200;

// The two layouts of a battle file. The legacy one (.scn), which the editor reads and converts
// but never saves, has no weather, break points or leader replacement and no terrain set name;
// its unit records end after SupplyLevel and its hex records after Caltrops.
enum class BattleLayout { Current, Legacy };

// How a battle is encoded: the layout, and the values that the file carries besides the
// scenario's own fields.
struct BattleEncoding {
    BattleLayout Layout = BattleLayout::Current;
    int32_t FormatNumber = CurrentFormatNumber;
    int32_t SaveCount = 0;       // as it stands in the file
    int32_t TerrainDefCount = 0; // terrain definitions written from the scenario's table
};

// The bytes of the scenario as `encoding` asks, leaving the scenario as it is. Refuses a
// scenario that the reader would refuse to open again (a value a FileInt cannot carry, a hex
// that refers past a table, a record off the map).
Status EncodeBattle(const Scenario& scenario, const BattleEncoding& encoding, std::vector<uint8_t>& out);

// The bytes WriteBattle writes: the current layout with SaveCount + 1 and `terrainSymbolCount`
// terrain definitions.
Status EncodeBattle(const Scenario& scenario, int32_t terrainSymbolCount, std::vector<uint8_t>& out);

} // namespace k2
