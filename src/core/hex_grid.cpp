#include "core/hex_grid.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace k2 {

std::optional<int32_t> HexGrid::Neighbour(int32_t hex, HexDirection side) const {
    if (!Contains(hex)) return std::nullopt;
    const int32_t row = hex / Cols, col = hex % Cols;
    const bool odd = col % 2 == 1;
    int32_t r = row, c = col;
    switch (side) {
    case HexDirection::North:
        r -= 1;
        break;
    case HexDirection::South:
        r += 1;
        break;
    case HexDirection::NorthEast:
        c += 1, r += odd ? 0 : -1;
        break;
    case HexDirection::SouthEast:
        c += 1, r += odd ? 1 : 0;
        break;
    case HexDirection::SouthWest:
        c -= 1, r += odd ? 1 : 0;
        break;
    case HexDirection::NorthWest:
        c -= 1, r += odd ? 0 : -1;
        break;
    }
    if (!Contains(r, c)) return std::nullopt;
    return r * Cols + c;
}

int32_t HexGrid::Distance(int32_t a, int32_t b) const {
    if (Cols <= 0) return 0;
    const auto cube = [this](int32_t h) {
        const int32_t row = h / Cols, col = h % Cols;
        return std::array<int32_t, 2>{col, row - (col - (col & 1)) / 2};
    };
    const auto p = cube(a), q = cube(b);
    const int32_t dx = q[0] - p[0], dz = q[1] - p[1];
    return std::max({std::abs(dx), std::abs(dz), std::abs(dx + dz)});
}

std::vector<int32_t> HexGrid::Brush(int32_t centre, int32_t radius) const {
    std::vector<int32_t> hexes;
    if (!Contains(centre) || radius < 0) return hexes;
    const int32_t row = centre / Cols, col = centre % Cols;
    // A hex within the radius lies at most `radius` columns away and, counting the half-row
    // shift of odd columns, at most one row further than the radius above or below.
    for (int32_t r = row - radius - 1; r <= row + radius + 1; ++r)
        for (int32_t c = col - radius; c <= col + radius; ++c)
            if (Contains(r, c) && Distance(centre, r * Cols + c) <= radius) hexes.push_back(r * Cols + c);
    return hexes;
}

std::vector<int32_t> HexGrid::GridRegion(int32_t start,
                                         const std::function<bool(int32_t hex)>& member) const {
    std::vector<int32_t> region;
    if (!Contains(start) || !member(start)) return region;
    std::vector<uint8_t> seen(static_cast<std::size_t>(Cols) * static_cast<std::size_t>(Rows), 0);
    std::vector<int32_t> stack = {start};
    seen[static_cast<std::size_t>(start)] = 1;
    while (!stack.empty()) {
        const int32_t hex = stack.back();
        stack.pop_back();
        region.push_back(hex);
        const int32_t row = hex / Cols, col = hex % Cols;
        const std::array<std::array<int32_t, 2>, 4> steps = {
            {{row - 1, col}, {row + 1, col}, {row, col - 1}, {row, col + 1}}};
        for (const auto& [r, c] : steps) {
            if (!Contains(r, c)) continue;
            const int32_t next = r * Cols + c;
            if (seen[static_cast<std::size_t>(next)] || !member(next)) continue;
            seen[static_cast<std::size_t>(next)] = 1;
            stack.push_back(next);
        }
    }
    std::sort(region.begin(), region.end());
    return region;
}

} // namespace k2
