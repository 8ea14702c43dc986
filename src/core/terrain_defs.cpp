#include "core/terrain_defs.h"

#include "core/file_io.h"

namespace k2 {

namespace {

// Generously above the largest valid file (500 records of a 27-character name).
constexpr std::size_t MaxTerrainDefFileBytes = 1 << 20;
constexpr int32_t CostImpassable = 13;
constexpr int32_t CaltropsCost = 3;

// The table entry of a symbol, or null for an empty slot or a number past the table. Entries at
// or above TerrainDefCount are read too: a legacy battle keeps definitions beyond its own count.
const TerrainDef* Definition(const Scenario& s, int32_t symbol) {
    if (symbol == NoSymbol || symbol < 0 || symbol >= MaxTerrainDefs) return nullptr;
    return &s.TerrainDefs[symbol];
}

// The topmost terrain of the hex that sets a cost: secondary slot 6 down to slot 1, then primary.
const TerrainDef* CostingTerrain(const Scenario& s, const HexCell& cell) {
    for (int32_t slot = SecondarySlotCount - 1; slot >= 0; --slot) {
        const TerrainDef* def = Definition(s, cell.SecondaryTerrain[slot]);
        if (def && def->costPerMove != 0) return def;
    }
    const TerrainDef* def = Definition(s, cell.PrimaryTerrain);
    return (def && def->costPerMove != 0) ? def : nullptr;
}

} // namespace

int32_t ReadTerrainDefRecords(ByteReader& in, std::array<TerrainDef, MaxTerrainDefs>& defs) {
    const int32_t count = in.Int();
    if (count < 0 || count > MaxTerrainDefs) {
        throw FormatError{"the terrain definition count " + std::to_string(count) + " is outside 0 to " +
                          std::to_string(MaxTerrainDefs)};
    }
    for (int32_t i = 0; i < count; ++i) {
        TerrainDef def;
        def.name = in.Text(TerrainDefNameChars, "terrain definition " + std::to_string(i));
        def.elevation = in.Int();
        def.costPerMove = in.Int();
        def.defenseModifier = in.Int();
        def.spare = in.Int();
        defs[i] = def;
    }
    return count;
}

void WriteTerrainDefRecords(ByteWriter& out, const Scenario& scenario, int32_t count) {
    out.SetContext("the terrain definition count");
    out.Int(count);
    for (int32_t i = 0; i < count; ++i) {
        const TerrainDef& def = scenario.TerrainDefs[i];
        out.SetContext("terrain definition", i);
        out.Text(def.name.View());
        out.Int(def.elevation);
        out.Int(def.costPerMove);
        out.Int(def.defenseModifier);
        out.Int(def.spare);
    }
}

Status ParseTerrainDefs(Scenario& scenario, std::span<const uint8_t> bytes) {
    auto defs = scenario.TerrainDefs;
    int32_t count = 0;
    try {
        ByteReader in(bytes);
        in.Int(); // format number, ignored
        count = ReadTerrainDefRecords(in, defs);
    } catch (const FormatError& e) {
        return Status::Fail("K2Ter.Def is damaged: " + e.reason + ".");
    }
    scenario.TerrainDefs = defs;
    scenario.TerrainDefCount = count;
    return Status::Ok();
}

Status ReadTerrainDefs(Scenario& scenario, const std::filesystem::path& file) {
    std::vector<uint8_t> bytes;
    switch (ReadFileBytes(file, MaxTerrainDefFileBytes, bytes)) {
    case ReadFileResult::Ok:
        return ParseTerrainDefs(scenario, bytes);
    case ReadFileResult::TooLarge:
        return Status::Fail("K2Ter.Def is damaged: it is larger than any terrain definition file.");
    case ReadFileResult::CannotOpen:
    case ReadFileResult::ReadError:
        break;
    }
    return Status::Fail("Could not open K2Ter.Def");
}

Status WriteTerrainDefs(Scenario& scenario, const std::filesystem::path& file, int32_t count) {
    if (count < 0 || count > MaxTerrainDefs) return Status::Fail("Could not write K2Ter.Def");
    ByteWriter out;
    out.SetContext("the format number");
    out.Int(scenario.EditorFormatNumber);
    WriteTerrainDefRecords(out, scenario, count);
    if (out.HasRangeError()) return Status::Fail("Could not write K2Ter.Def: " + out.RangeError() + ".");
    WriteFileOutcome outcome = WriteFileAtomically(file, out.Bytes());
    if (outcome.result != WriteFileResult::Ok) {
        return Status::Fail("Could not write K2Ter.Def" + (outcome.result == WriteFileResult::WriteFailed
                                                               ? " (" + outcome.detail + ")"
                                                               : ""));
    }
    scenario.TerrainDefCount = count;
    return Status::Ok();
}

int32_t HexElevation(const Scenario& scenario, int32_t hex) {
    if (!scenario.IsValidHex(hex)) return 0;
    const TerrainDef* def = Definition(scenario, scenario.Hexes[hex].PrimaryTerrain);
    return def ? def->elevation : 0;
}

int32_t HexCostPerMove(const Scenario& scenario, int32_t hex) {
    if (!scenario.IsValidHex(hex)) return 0;
    const HexCell& cell = scenario.Hexes[hex];
    const TerrainDef* def = CostingTerrain(scenario, cell);
    if (!def) return 0;
    int32_t cost = def->costPerMove;
    if (cell.Caltrops != 0) cost += CaltropsCost;
    return cost >= CostImpassable ? 0 : cost;
}

int32_t HexHeight(const Scenario& scenario, int32_t hex) {
    if (!scenario.IsValidHex(hex)) return 0;
    const HexCell& cell = scenario.Hexes[hex];
    int32_t height = 0;
    bool found = false;
    for (int32_t slot = 0; slot < SecondarySlotCount; ++slot) {
        const TerrainDef* def = Definition(scenario, cell.SecondaryTerrain[slot]);
        if (def && def->costPerMove != 0 && (!found || def->elevation > height)) {
            height = def->elevation;
            found = true;
        }
    }
    if (cell.Structure >= 1 && cell.Structure <= scenario.StructureCount &&
        scenario.Structures[cell.Structure].Height > height) {
        height = scenario.Structures[cell.Structure].Height;
    }
    return height + HexElevation(scenario, hex);
}

int32_t HexDefense(const Scenario& scenario, int32_t hex) {
    if (!scenario.IsValidHex(hex)) return 0;
    const TerrainDef* def = CostingTerrain(scenario, scenario.Hexes[hex]);
    return def ? def->defenseModifier : 0;
}

} // namespace k2
