#include "stockgen/hex_shape.h"

#include <cmath>

namespace k2stock {

HexShape::HexShape(int cellSize)
    : size(cellSize), height(cellSize - 2), columnPitch(cellSize * 4 / 5 - 1), inset(cellSize - columnPitch) {
}

QPolygonF HexShape::Corners() const {
    const double s = size, h = height, d = inset;
    return QPolygonF({{d, 0}, {s - d, 0}, {s, h / 2}, {s - d, h}, {d, h}, {0, h / 2}});
}

void HexShape::SideEnds(int side, QPointF& a, QPointF& b) const {
    const QPolygonF c = Corners();
    // Side 0 (N) joins corners 0 and 1, side 1 (NE) corners 1 and 2, and so on round the hexagon.
    a = c[side % 6];
    b = c[(side + 1) % 6];
}

QPointF HexShape::SideMiddle(int side) const {
    QPointF a, b;
    SideEnds(side, a, b);
    return (a + b) / 2;
}

bool HexShape::Contains(int x, int y) const {
    // Doubled coordinates keep the pixel centre (x + 0.5, y + 0.5) integral.
    const int64_t X = 2 * x + 1, Y = 2 * y + 1;
    const int64_t S = 2 * size, H = 2 * height, D = 2 * inset, half = height; // H / 2 in doubled units
    if (Y < 0 || Y > H || X < 0 || X > S) return false;
    // Upper-left side from (0, H/2) to (D, 0): inside when (H/2) X + D Y >= D H/2.
    if (half * X + D * Y < D * half) return false;
    // Lower-left side from (0, H/2) to (D, H): inside when (H/2) X + D (H - Y) >= D H/2.
    if (half * X + D * (H - Y) < D * half) return false;
    // The right-hand sides mirror the left ones about x = S/2.
    if (half * (S - X) + D * Y < D * half) return false;
    if (half * (S - X) + D * (H - Y) < D * half) return false;
    return true;
}

double HexShape::SideDistance(int x, int y, int side) const {
    QPointF a, b;
    SideEnds(side, a, b);
    const QPointF p(x + 0.5, y + 0.5);
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double len = std::hypot(dx, dy);
    return std::abs((p.x() - a.x()) * dy - (p.y() - a.y()) * dx) / len;
}

} // namespace k2stock
