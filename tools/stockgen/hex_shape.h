// The hexagon that a terrain tile fills inside its CellSize square, derived from the map pitches
// so that tiles laid at (col * ColumnPitch, row * RowPitch, odd columns half a row down) interlock.
#pragma once

#include <QImage>
#include <QPointF>
#include <QPolygonF>

namespace k2stock {

struct HexShape {
    explicit HexShape(int cellSize);

    int size;        // S: cell width and height
    int height;      // S - 2: the tile's height, also the row pitch
    int columnPitch; // (4 S) / 5 - 1
    int inset;       // S - columnPitch: how far the flat top edge is set in on each side

    QPointF Centre() const { return {size / 2.0, height / 2.0}; }
    // Corners clockwise from the top-left end of the flat top edge.
    QPolygonF Corners() const;
    // Middle of side `side` (0 N, 1 NE, 2 SE, 3 S, 4 SW, 5 NW) and the side's two ends.
    QPointF SideMiddle(int side) const;
    void SideEnds(int side, QPointF& a, QPointF& b) const;

    // Whether pixel (x, y) belongs to the tile: its centre lies in the closed hexagon. Exact integer
    // arithmetic, so that the tiles of a map cover every pixel.
    bool Contains(int x, int y) const;
    // Distance from the centre of pixel (x, y) to the line of side `side`.
    double SideDistance(int x, int y, int side) const;
};

} // namespace k2stock
