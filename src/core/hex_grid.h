// Arithmetic on the hex grid of a battle: the six neighbours of a hex, the distance between two
// hexes, and the connected region that the terrain fill works on. Columns stand in the odd-q
// pattern: every odd column is half a hex lower than its even neighbours.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace k2 {

// The six sides of a hex, clockwise from the top.
enum class HexDirection : int32_t {
    North = 0,
    NorthEast = 1,
    SouthEast = 2,
    South = 3,
    SouthWest = 4,
    NorthWest = 5
};

struct HexGrid {
    int32_t Cols = 0;
    int32_t Rows = 0;

    bool Contains(int32_t row, int32_t col) const { return row >= 0 && col >= 0 && row < Rows && col < Cols; }
    bool Contains(int32_t hex) const { return hex >= 0 && Cols > 0 && int64_t(hex) < int64_t(Cols) * Rows; }

    // The hex across `side`, or nothing at the edge of the map.
    std::optional<int32_t> Neighbour(int32_t hex, HexDirection side) const;
    // The number of hex steps between two hexes.
    int32_t Distance(int32_t a, int32_t b) const;
    // The hexes of the map within `radius` steps of `centre` (a brush), in hex index order;
    // empty when `centre` is off the map or the radius is negative.
    std::vector<int32_t> Brush(int32_t centre, int32_t radius) const;

    // The region of the fill: `start` and every hex reachable from it through hexes for which
    // `member` holds, stepping only to the hex above or below in the same column and to the
    // hex of the same row number in the column to the left or right. (So of a hex's six
    // neighbours the two in adjacent columns whose row number differs do not count.) Returned
    // in hex index order; empty when `start` is off the grid or not a member itself.
    std::vector<int32_t> GridRegion(int32_t start, const std::function<bool(int32_t hex)>& member) const;
};

} // namespace k2
