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

    // Tints the marked hexes of `picture` (RGB16, the view's top-left at (0, 0)) a quarter of
    // the way toward `tint`, then draws their outline two pixels wide in `line`.
    void Draw(QImage& picture, std::span<const uint8_t> marks, QRgb tint, QRgb line) const;

  private:
    struct Shape {
        int32_t Cell = 0, Height = 0, Inset = 0;
    };
    Shape ShapeNow() const;
    // Where the hex's cell lies in the view.
    QPoint CellAt(int32_t hex) const;

    const Scenario& scenario_;
    const MapRenderer& renderer_;
};

} // namespace k2
