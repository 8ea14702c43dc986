// The definition files of sysdefs/: the terrain definitions (binary) and the four fixed-column
// equipment tables (text).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace k2stock {

struct TerrainDefRecord {
    std::string name; // at most 27 characters
    int32_t elevation = 0, cost = 0, defense = 0, spare = 0;
};

constexpr int32_t TerrainDefFormat = 105;

// Format number, count, then each record: name, zero byte, four 16-bit big-endian values.
std::string EncodeTerrainDefs(const std::vector<TerrainDefRecord>& records);
// The records of the stock terrain set, one per symbol in symbol order.
std::vector<TerrainDefRecord> StockTerrainDefs();

struct MissileLine {
    const char* name;
    int32_t weight, range, rating, overhead, shots, kind;
};
struct CombatLine {
    const char* name;
    int32_t weight, length, rating;
};
struct ArmourLine {
    const char* name;
    int32_t rating, weight;
};

const std::vector<MissileLine>& StockMissileWeapons();
const std::vector<CombatLine>& StockCombatWeapons();
const std::vector<ArmourLine>& StockArmours();
const std::vector<ArmourLine>& StockShields();

// File texts: one padded line per entry in the fixed columns, then a "$" line.
std::string EncodeMissileFile(const std::vector<MissileLine>& lines);
std::string EncodeCombatFile(const std::vector<CombatLine>& lines);
std::string EncodeArmourFile(const std::vector<ArmourLine>& lines);

} // namespace k2stock
