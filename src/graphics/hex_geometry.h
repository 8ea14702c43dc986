// Pixel geometry of the hex map: pitches per zoom level, hex positions in the map buffer, the
// render window with its margins, the elevation raise, the hit test, unit placement, scroll
// ranges and the clamping of the view origin. Pure integer arithmetic, truncating division.
#pragma once

#include "core/scenario.h"

#include <array>
#include <cstdint>
#include <vector>

namespace k2 {

struct HexPoint {
    int32_t X = 0;
    int32_t Y = 0;
    bool operator==(const HexPoint&) const = default;
};

// Cell size and pitches of each zoom level, derived from the terrain set's cell sizes.
struct HexPitches {
    std::array<int32_t, 3> CellSize{};
    std::array<int32_t, 3> ColumnPitch{};
    std::array<int32_t, 3> RowPitch{};

    // True when every level has pitches of at least one pixel, so that the geometry can divide.
    bool Valid() const;
};

constexpr int32_t ColumnPitchOf(int32_t cellSize) {
    return (cellSize * 4) / 5 - 1;
}
constexpr int32_t RowPitchOf(int32_t cellSize) {
    return cellSize - 2;
}
HexPitches ComputePitches(const std::array<int32_t, 3>& cellSizes);

// Position of hex `hex` in a pass whose first hex is `originHex`.
HexPoint HexPosition(int32_t hex, int32_t originHex, int32_t cols, int32_t columnPitch, int32_t rowPitch);

// What a view of viewWidth x viewHeight pixels shows at one zoom level.
struct ViewMetrics {
    int32_t ViewWidth = 0;
    int32_t ViewHeight = 0;
    int32_t VisibleColumns = 0;
    int32_t VisibleRows = 0;
    int32_t DrawWidth = 0; // the map buffer's size
    int32_t DrawHeight = 0;
};
// Pitches must be positive.
ViewMetrics ComputeViewMetrics(int32_t viewWidth, int32_t viewHeight, int32_t columnPitch, int32_t rowPitch);

// The hexes a full pass covers: the view plus one column to the left and one row above where
// the map has them.
struct RenderWindow {
    int32_t OriginHex = 0; // first hex of the pass
    int32_t OriginRow = 0;
    int32_t OriginColumn = 0;
    int32_t RowCount = 0;    // rows drawn, cut at the map edge
    int32_t ColumnCount = 0; // columns drawn, cut at the map edge
    int32_t LeftMargin = 0;  // where the view starts in the buffer
    int32_t TopMargin = 0;
    bool operator==(const RenderWindow&) const = default;
};
RenderWindow ComputeRenderWindow(int32_t viewOriginHex, int32_t cols, int32_t rows, int32_t drawWidth,
                                 int32_t drawHeight, int32_t columnPitch, int32_t rowPitch);

// The hexes of the last pass in drawing order (row by row, left to right), with the buffer
// position of each by hex index. Holds up to MaxHexes hexes.
class VisibleHexList {
  public:
    VisibleHexList();

    // Rebuilds from a render window of a map `cols` wide; hexes at or beyond MaxHexes are left out.
    void Build(const RenderWindow& window, int32_t cols, int32_t columnPitch, int32_t rowPitch);
    void Clear();

    int32_t Count() const { return static_cast<int32_t>(hexes_.size()); }
    const std::vector<int32_t>& Hexes() const { return hexes_; }
    bool Contains(int32_t hex) const;
    // Buffer position of a hex from the last pass that listed it ((0, 0) if it never was).
    HexPoint Position(int32_t hex) const;

  private:
    std::vector<int32_t> hexes_;
    std::vector<HexPoint> positions_; // by hex index
    std::vector<uint8_t> listed_;     // by hex index
};

// Pixels a hex's symbols are raised by with the elevation display on.
int32_t ElevationRaise(int32_t elevation, int32_t zoom);

// The hex under view pixel (x, y), or NoSymbol outside the map. The raise is ignored.
int32_t HitTest(int32_t x, int32_t y, int32_t viewOriginHex, int32_t cols, int32_t rows, int32_t columnPitch,
                int32_t rowPitch);

// Top-left corner of a unit symbol of width x height pixels in the cell at `hexPosition`.
HexPoint UnitPlacement(HexPoint hexPosition, int32_t cellSize, int32_t width, int32_t height, int32_t zoom);

// A scrollbar's range 0..Maximum; a disabled scrollbar has none.
struct ScrollRange {
    bool Enabled = false;
    int32_t Maximum = 0;
    bool operator==(const ScrollRange&) const = default;
};
ScrollRange HorizontalScrollRange(int32_t visibleColumns, int32_t cols);
ScrollRange VerticalScrollRange(int32_t visibleRows, int32_t rows);

// The view origin after a change of view size or zoom: inside the map, column and row even.
int32_t ClampViewOrigin(int32_t viewOriginHex, int32_t cols, int32_t rows, int32_t visibleColumns,
                        int32_t visibleRows);

} // namespace k2
