// The map painting of the stock sample battles: a seeded random generator of our own, a
// painter that lays terrain on one scenario's grid (areas around a hex, wandering paths, edge
// features along them), and the country it paints: fields, hills, woods, lakes, rivers, roads.
#pragma once

#include "core/hex_grid.h"
#include "core/scenario.h"
#include "stockgen/stock_catalogue.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace k2stock::samples {

using k2::HexCell;
using k2::HexDirection;
using k2::HexGrid;
using k2::NoSymbol;
using k2::Scenario;
using ter::HexSide;

// A small generator of our own, so the samples are the same on every platform and library.
class Rng {
  public:
    explicit Rng(uint32_t seed) : state_(seed ? seed : 1) {}
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int32_t Range(int32_t lo, int32_t hi) { return lo + int32_t(Next() % uint32_t(hi - lo + 1)); }
    bool Chance(int32_t percent) { return Range(0, 99) < percent; }
    template <typename T, std::size_t N> T Pick(const std::array<T, N>& items) { return items[Next() % N]; }

  private:
    uint32_t state_;
};

constexpr std::array<HexSide, 6> AllSides = {ter::North, ter::NorthEast, ter::SouthEast,
                                             ter::South, ter::SouthWest, ter::NorthWest};

inline HexSide Opposite(HexSide side) {
    return HexSide((side + 3) % 6);
}

// Map painting on the grid of one scenario. Odd columns stand half a row lower.
class Painter {
  public:
    Painter(Scenario& s, Rng& rng) : s_(s), rng_(rng) {}

    bool Inner(int32_t row, int32_t col) const {
        return row >= 1 && col >= 1 && row < s_.Rows - 1 && col < s_.Cols - 1;
    }
    int32_t Index(int32_t row, int32_t col) const { return row * s_.Cols + col; }
    HexCell& Cell(int32_t h) { return s_.Hexes[h]; }

    std::optional<int32_t> Neighbour(int32_t h, HexSide side) const {
        return HexGrid{s_.Cols, s_.Rows}.Neighbour(h, HexDirection(side));
    }

    std::optional<HexSide> SideTowards(int32_t from, int32_t to) const {
        for (HexSide side : AllSides)
            if (Neighbour(from, side) == to) return side;
        return std::nullopt;
    }

    int32_t Distance(int32_t a, int32_t b) const { return HexGrid{s_.Cols, s_.Rows}.Distance(a, b); }

    bool HasSecondary(int32_t h, int32_t symbol) const {
        const auto& slots = s_.Hexes[h].SecondaryTerrain;
        return std::find(slots.begin(), slots.end(), symbol) != slots.end();
    }
    bool HasAnySecondary(int32_t h) const { return s_.Hexes[h].SecondaryTerrain[0] != NoSymbol; }

    void AddSecondary(int32_t h, int32_t symbol) {
        if (!s_.IsValidHex(h) || s_.IsBorderHex(h) || HasSecondary(h, symbol)) return;
        for (int32_t& slot : s_.Hexes[h].SecondaryTerrain) {
            if (slot == NoSymbol) {
                slot = symbol;
                return;
            }
        }
    }

    void SetPrimary(int32_t h, int32_t symbol) {
        if (s_.IsValidHex(h) && !s_.IsBorderHex(h)) s_.Hexes[h].PrimaryTerrain = symbol;
    }

    // Every inner hex within `radius` of `centre`, with its distance.
    template <typename Fn> void Around(int32_t centre, int32_t radius, Fn fn) {
        auto [row, col] = s_.HexRowCol(centre);
        for (int32_t r = row - radius - 1; r <= row + radius + 1; ++r)
            for (int32_t c = col - radius; c <= col + radius; ++c)
                if (Inner(r, c) && Distance(centre, Index(r, c)) <= radius)
                    fn(Index(r, c), Distance(centre, Index(r, c)));
    }

    // A wandering walk of neighbouring inner hexes from `from` to `to`.
    std::vector<int32_t> Path(int32_t from, int32_t to, int32_t wander);

    // Lays pieces of an edge feature (road, river...) along a path: each hex gets the piece
    // towards the hex before and the hex after it; the ends run out through `startSide` and
    // `endSide` (to the map edge) when given.
    void Route(const std::vector<int32_t>& path, int32_t (*piece)(HexSide), std::optional<HexSide> startSide,
               std::optional<HexSide> endSide, const std::vector<int32_t>& skip = {});

    Scenario& s_;
    Rng& rng_;
};

// Fields, meadows and ploughland in patches, with hedges where a field meets other ground.
void PaintFields(Painter& p, Rng& rng, int32_t centre, int32_t radius, bool hedges);

// A hill rising in up to three levels towards `centre`.
void PaintHill(Painter& p, int32_t centre, int32_t radius);

// Woods, fringed with light woods and scrub.
void PaintWoods(Painter& p, Rng& rng, int32_t centre, int32_t radius);

// Water, ringed with marsh and reeds.
void PaintLake(Painter& p, Rng& rng, int32_t centre, int32_t radius);

// A river from the top edge at column `fromCol` to the bottom edge at column `toCol`; returns
// its hexes.
std::vector<int32_t> PaintRiver(Painter& p, Scenario& s, int32_t fromCol, int32_t toCol, int32_t wander);

// A road from the west edge to the east edge; where it meets the river it crosses by a
// bridge (or a ford where the road turns in the crossing hex).
std::vector<int32_t> PaintRoad(Painter& p, Scenario& s, int32_t fromRow, int32_t toRow, int32_t wander,
                               const std::vector<int32_t>& river, bool ford);

} // namespace k2stock::samples
