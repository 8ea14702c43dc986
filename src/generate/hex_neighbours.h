// The six neighbours of every hex of a map, looked up once from the grid arithmetic so that the
// generator's searches and growths do not repeat it for every step.
#pragma once

#include "core/hex_grid.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace k2 {

constexpr int32_t NoNeighbour = -1;

// The side across from `side`.
constexpr int32_t OppositeSide(int32_t side) {
    return (side + 3) % 6;
}

class HexNeighbours {
  public:
    HexNeighbours(int32_t cols, int32_t rows) : grid_{cols, rows} {
        const int32_t count = cols > 0 && rows > 0 ? cols * rows : 0;
        table_.resize(std::size_t(count));
        for (int32_t hex = 0; hex < count; ++hex)
            for (int32_t side = 0; side < 6; ++side)
                table_[std::size_t(hex)][std::size_t(side)] =
                    grid_.Neighbour(hex, HexDirection(side)).value_or(NoNeighbour);
    }

    const HexGrid& Grid() const { return grid_; }
    int32_t Count() const { return int32_t(table_.size()); }
    // The hex across `side` (0..5, clockwise from the top), or NoNeighbour at the map's edge.
    int32_t Across(int32_t hex, int32_t side) const { return table_[std::size_t(hex)][std::size_t(side)]; }
    const std::array<int32_t, 6>& Of(int32_t hex) const { return table_[std::size_t(hex)]; }
    // The side of `from` that faces `to`, or -1 when they are not neighbours.
    int32_t SideTowards(int32_t from, int32_t to) const {
        for (int32_t side = 0; side < 6; ++side)
            if (Across(from, side) == to) return side;
        return -1;
    }

  private:
    HexGrid grid_;
    std::vector<std::array<int32_t, 6>> table_;
};

} // namespace k2
