// Marks drawn over the map picture, never into the map: a light tint over chosen hexes and a
// line where they meet the others (a selection, the preview of a paste, a brush). Works on the
// hexes of the renderer's last pass, placed as the view shows them.
#pragma once

#include "core/scenario.h"
#include "graphics/map_renderer.h"

#include <QImage>
#include <QLine>
#include <QRgb>

#include <cstdint>
#include <span>
#include <vector>

namespace k2 {

class HexOverlay {
  public:
    HexOverlay(const Scenario& scenario, const MapRenderer& renderer)
        : scenario_(scenario), renderer_(renderer) {}

    // The sides of marked hexes (marks: one byte per hex index, non-zero marked; a short span
    // marks none beyond its end) that face an unmarked hex or the map's edge, in view pixels.
    // Only the hexes of the last pass count.
    std::vector<QLine> Outline(std::span<const uint8_t> marks) const;

    // Tints the marked hexes of `picture` (RGB16, the view's top-left at (0, 0)): one row of
    // the map's pixels in three half the way toward `tint`; then draws their outline two pixels
    // wide in `line`.
    void Draw(QImage& picture, std::span<const uint8_t> marks, QRgb tint, QRgb line) const;

  private:
    struct Shape {
        int32_t Cell = 0, Height = 0, Inset = 0;
    };
    Shape ShapeNow() const;
    // The marks of the last pass's rows and columns, with a ring of their neighbours.
    struct Grid {
        int32_t Columns = 0, Rows = 0, Stride = 0;
        std::vector<uint8_t> Cells;
        std::size_t At(int32_t row, int32_t column) const {
            return std::size_t(row + 1) * std::size_t(Stride) + std::size_t(column + 1);
        }
    };
    Grid MakeGrid(std::span<const uint8_t> marks) const;
    std::vector<QLine> OutlineOf(const Grid& grid, const Shape& shape) const;

    const Scenario& scenario_;
    const MapRenderer& renderer_;
};

} // namespace k2
