// The terrain role table of a terrain set: which terrain numbers the terrain generator lays for
// open ground, fields, woods, marsh, water and hills of each elevation, and which are the road,
// river, bridge and ford pieces by the hex sides they join. The table is a small text file beside
// the terrain definitions, sysdefs/<terrain set>.roles, written by the stock generator:
//
//     # comment lines and blank lines are skipped
//     k2-terrain-roles 1          first line: the format and its version
//     terrains 143                how many terrain symbols the set has; every number is below it
//     open 0 51 67 4 78           look-alikes, any of which is laid (1 to 16 numbers a list)
//     fields 1 3 57 58
//     woods 55 56 109 54          secondary terrain
//     marsh 76 91 75 52
//     water 90 112 102 101
//     hill 1 14                   hills by elevation 1, 2 and 3
//     hill 2 15
//     hill 3 21
//     road N 31                   one piece per side: N NE SE S SW NW, from the centre to that side
//     river N 43                  likewise
//     bridge N S 85               a road piece joining two sides over a river (optional, any number)
//     ford 49                     laid with the road pieces where a road crosses a river
//     houses 68 69                secondary terrain around a village (optional)
//     village 131 130             structure symbols of a village
//
// Every line but the optional ones must appear, each once (roads and rivers once per side, hills
// once per elevation, bridges once per pair of sides), and no number may serve two roles. A
// line is at most 200 bytes, the file at most 64 KiB, every line (the last too) ends in LF, a
// CR before it is allowed. Anything else refuses the whole file with the line at fault.
#pragma once

#include "core/hex_grid.h"
#include "core/status.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace k2 {

enum class TerrainRole : uint8_t {
    None,
    Open,
    Fields,
    Woods,
    Marsh,
    Water,
    Hill,
    Road,
    River,
    Bridge,
    Ford,
    Houses,
    Village
};

// What one terrain number is for. `Sides` has bit k set for each side k (HexDirection) that a
// road, river or bridge piece joins; `Elevation` is a hill's level.
struct TerrainRoleEntry {
    TerrainRole Role = TerrainRole::None;
    uint8_t Sides = 0;
    int32_t Elevation = 0;

    bool operator==(const TerrainRoleEntry&) const = default;
};

struct BridgePiece {
    int32_t Terrain = 0;
    HexDirection From = HexDirection::North;
    HexDirection To = HexDirection::South;

    bool operator==(const BridgePiece&) const = default;
};

struct RoleTable {
    static constexpr int32_t MaxListLength = 16;
    static constexpr std::size_t MaxFileBytes = 64 * 1024;
    static constexpr std::size_t MaxLineBytes = 200;

    int32_t TerrainCount = 0;
    std::vector<int32_t> Open, Fields, Woods, Marsh, Water, Houses, Villages;
    std::array<std::vector<int32_t>, 3> Hills; // elevation 1, 2, 3
    std::array<int32_t, 6> Road{};             // by side
    std::array<int32_t, 6> River{};
    std::vector<BridgePiece> Bridges;
    int32_t Ford = 0;

    bool operator==(const RoleTable&) const = default;

    // The role of every terrain number below TerrainCount, by number (None for a number the
    // table does not name).
    std::vector<TerrainRoleEntry> Index() const;
    // The highest terrain number the table names.
    int32_t HighestTerrain() const;
};

// The file of `terrainSetName`'s table in an installation, looked up exactly and then without
// regard to case (it may not exist).
std::filesystem::path RoleTableFile(const std::filesystem::path& installDir, std::string_view terrainSetName);

// Reads a table from the bytes of a file. A damaged table is refused with the reason and the
// line ("line 7: unknown role \"forest\""); `table` is then unchanged.
Status ParseRoleTable(std::span<const uint8_t> bytes, RoleTable& table);

// Reads `file`. Failure: the file is missing ("The terrain set K2T has no role table.") or
// damaged ("The role table K2T.roles is damaged: line 7: ..."); `table` is then unchanged.
Status ReadRoleTable(const std::filesystem::path& file, RoleTable& table);

// Whether a terrain set of `symbolCount` symbols holds every number the table names: Ok, or
// "The role table of K2T names terrain 131, but the terrain set has only 130 symbols."
Status CheckRoleTableFits(const RoleTable& table, int32_t symbolCount, std::string_view setName);

// The file text of a table, in the order shown above. A table that could not be read back
// (a number out of range, a list empty or too long) throws std::invalid_argument.
std::string EncodeRoleTable(const RoleTable& table);

} // namespace k2
