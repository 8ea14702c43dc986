#include "graphics/hex_geometry.h"

#include <algorithm>

namespace k2 {

bool HexPitches::Valid() const {
    for (int z = 0; z < 3; ++z)
        if (ColumnPitch[z] < 1 || RowPitch[z] < 1) return false;
    return true;
}

HexPitches ComputePitches(const std::array<int32_t, 3>& cellSizes) {
    HexPitches p;
    for (int z = 0; z < 3; ++z) {
        p.CellSize[z] = cellSizes[z];
        p.ColumnPitch[z] = ColumnPitchOf(cellSizes[z]);
        p.RowPitch[z] = RowPitchOf(cellSizes[z]);
    }
    return p;
}

HexPoint HexPosition(int32_t hex, int32_t originHex, int32_t cols, int32_t columnPitch, int32_t rowPitch) {
    const int32_t dc = (hex - originHex) % cols;
    const int32_t dr = (hex - originHex) / cols;
    HexPoint p{dc * columnPitch, dr * rowPitch};
    if ((hex % cols) % 2 != 0) p.Y += rowPitch / 2;
    return p;
}

ViewMetrics ComputeViewMetrics(int32_t viewWidth, int32_t viewHeight, int32_t columnPitch, int32_t rowPitch) {
    ViewMetrics m;
    m.ViewWidth = std::max(viewWidth, 0);
    m.ViewHeight = std::max(viewHeight, 0);
    m.VisibleColumns = m.ViewWidth / columnPitch;
    m.VisibleRows = m.ViewHeight / rowPitch;
    m.DrawWidth = m.ViewWidth + 2 * columnPitch;
    m.DrawHeight = m.ViewHeight + 2 * rowPitch;
    return m;
}

RenderWindow ComputeRenderWindow(int32_t viewOriginHex, int32_t cols, int32_t rows, int32_t drawWidth,
                                 int32_t drawHeight, int32_t columnPitch, int32_t rowPitch) {
    RenderWindow w;
    if (cols <= 0 || rows <= 0) return w;
    int32_t columns = drawWidth / columnPitch;
    int32_t rowCount = drawHeight / rowPitch;
    int32_t originRow = viewOriginHex / cols;
    int32_t originCol = viewOriginHex % cols;
    // A stale origin outside the grid starts the pass at the first hex instead.
    if (viewOriginHex < 0 || originRow >= rows) originRow = originCol = 0;
    if (originRow > 0) {
        --originRow;
        ++rowCount;
        w.TopMargin = rowPitch;
    }
    if (originCol > 0) {
        --originCol;
        ++columns;
        w.LeftMargin = columnPitch;
    }
    w.OriginRow = originRow;
    w.OriginColumn = originCol;
    w.OriginHex = originRow * cols + originCol;
    w.RowCount = std::max(0, std::min(rowCount + 1, rows - originRow));
    w.ColumnCount = std::max(0, std::min(columns + 1, cols - originCol));
    return w;
}

VisibleHexList::VisibleHexList() : positions_(MaxHexes), listed_(MaxHexes, 0) {}

void VisibleHexList::Clear() {
    for (int32_t h : hexes_)
        listed_[static_cast<size_t>(h)] = 0;
    hexes_.clear();
}

void VisibleHexList::Build(const RenderWindow& window, int32_t cols, int32_t columnPitch, int32_t rowPitch) {
    Clear();
    if (cols <= 0) return;
    hexes_.reserve(static_cast<size_t>(window.RowCount) * static_cast<size_t>(window.ColumnCount));
    // The position rule of HexPosition, stepped along the rows and columns of the window.
    for (int32_t r = 0; r < window.RowCount; ++r) {
        const int32_t rowStart = (window.OriginRow + r) * cols + window.OriginColumn;
        const int32_t y = r * rowPitch;
        for (int32_t c = 0; c < window.ColumnCount; ++c) {
            const int32_t hex = rowStart + c;
            if (hex < 0 || hex >= MaxHexes) continue;
            hexes_.push_back(hex);
            listed_[static_cast<size_t>(hex)] = 1;
            const bool odd = ((window.OriginColumn + c) % 2) != 0;
            positions_[static_cast<size_t>(hex)] = {c * columnPitch, odd ? y + rowPitch / 2 : y};
        }
    }
}

bool VisibleHexList::Contains(int32_t hex) const {
    return hex >= 0 && hex < MaxHexes && listed_[static_cast<size_t>(hex)] != 0;
}

HexPoint VisibleHexList::Position(int32_t hex) const {
    if (hex < 0 || hex >= MaxHexes) return {};
    return positions_[static_cast<size_t>(hex)];
}

int32_t ElevationRaise(int32_t elevation, int32_t zoom) {
    const int32_t step = 5 * (std::clamp(zoom, 0, 2) + 1);
    if (elevation >= 3) return 2 * step;
    if (elevation == 2) return step;
    return 0;
}

int32_t HitTest(int32_t x, int32_t y, int32_t viewOriginHex, int32_t cols, int32_t rows, int32_t columnPitch,
                int32_t rowPitch) {
    if (cols <= 0 || rows <= 0 || columnPitch <= 0 || rowPitch <= 0) return NoSymbol;
    int32_t xs = std::max(x - 2, 0);
    int32_t ys = std::max(y - 2, 0);
    const int32_t column = xs / columnPitch + viewOriginHex % cols;
    if (column % 2 != 0) ys -= rowPitch >> 2;
    const int32_t row = ys / rowPitch + viewOriginHex / cols;
    if (column < 0 || row < 0 || column >= cols || row >= rows) return NoSymbol;
    return row * cols + column;
}

HexPoint UnitPlacement(HexPoint hexPosition, int32_t cellSize, int32_t width, int32_t height, int32_t zoom) {
    HexPoint p = hexPosition;
    if (width < cellSize) p.X += (cellSize - width) >> 2;
    if (height < cellSize) p.Y += (cellSize - height) >> 2;
    if (zoom == 0) {
        p.X += 2;
        p.Y += 2;
    }
    return p;
}

ScrollRange HorizontalScrollRange(int32_t visibleColumns, int32_t cols) {
    if (visibleColumns >= cols) return {};
    int32_t maximum = cols - visibleColumns;
    if (visibleColumns % 2 == 0) maximum += 1;
    return {true, std::max(maximum, 0)};
}

ScrollRange VerticalScrollRange(int32_t visibleRows, int32_t rows) {
    if (visibleRows >= rows) return {};
    return {true, std::max(rows - visibleRows, 0)};
}

int32_t ClampViewOrigin(int32_t viewOriginHex, int32_t cols, int32_t rows, int32_t visibleColumns,
                        int32_t visibleRows) {
    if (cols <= 0 || rows <= 0) return 0;
    int32_t c = viewOriginHex >= 0 ? viewOriginHex % cols : 0;
    int32_t r = viewOriginHex >= 0 ? viewOriginHex / cols : 0;
    if (c + visibleColumns > cols) c = cols - visibleColumns;
    if (r + visibleRows > rows) r = rows - visibleRows;
    c = std::max(c, 0);
    r = std::max(r, 0);
    if (c % 2 != 0) c -= 1;
    if (r % 2 != 0) r -= 1;
    return r * cols + c;
}

} // namespace k2
