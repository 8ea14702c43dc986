// The terrain definition file sysdefs/K2Ter.Def and the game values derived for one hex.
#pragma once

#include "core/byte_codec.h"
#include "core/scenario.h"
#include "core/status.h"

#include <filesystem>
#include <span>

namespace k2 {

// Reads the definitions into scenario.TerrainDefs from index 0 and sets TerrainDefCount.
// Failure: "Could not open K2Ter.Def" (or a refusal of a damaged file); the table is unchanged.
Status ReadTerrainDefs(Scenario& scenario, const std::filesystem::path& file);

// Writes `count` definitions (the terrain set's symbol count) with the editor's current
// format number and sets TerrainDefCount to it. Failure: "Could not write K2Ter.Def"; the
// previous file is untouched.
Status WriteTerrainDefs(Scenario& scenario, const std::filesystem::path& file, int32_t count);

// K2Ter.Def from memory, as ReadTerrainDefs after opening the file; a damaged file is refused
// with the reason and leaves the table unchanged.
Status ParseTerrainDefs(Scenario& scenario, std::span<const uint8_t> bytes);

// The record sequence (count, then records from definition 0) that K2Ter.Def and the battle
// file share. Reading throws FormatError for a count beyond MaxTerrainDefs, a name longer than
// TerrainDefNameChars or a file that ends early; it returns the count.
int32_t ReadTerrainDefRecords(ByteReader& in, std::array<TerrainDef, MaxTerrainDefs>& defs);
void WriteTerrainDefRecords(ByteWriter& out, const Scenario& scenario, int32_t count);

// Derived values of a hex from TerrainDefs[symbol]; empty slots (NoSymbol) and numbers past the
// table's capacity are skipped. Entries at or above TerrainDefCount count like any other.
int32_t HexElevation(const Scenario& scenario, int32_t hex);
int32_t HexCostPerMove(const Scenario& scenario, int32_t hex); // 0 means impassable ("X")
int32_t HexHeight(const Scenario& scenario, int32_t hex);
int32_t HexDefense(const Scenario& scenario, int32_t hex);

} // namespace k2
