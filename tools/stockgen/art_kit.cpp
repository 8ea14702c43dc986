#include "stockgen/art_kit.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace k2stock {

QColor Mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QColor Shade(const QColor& c, double factor) {
    auto ch = [factor](int v) { return std::clamp(static_cast<int>(std::lround(v * factor)), 0, 255); };
    if (factor > 1) {
        // Lighten towards white rather than clipping hues.
        const double t = std::min(1.0, factor - 1);
        return Mix(c, QColor(255, 255, 255), t * 0.8);
    }
    return QColor(ch(c.red()), ch(c.green()), ch(c.blue()));
}

void PreparePainter(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

double OutlineWidth(int cellSize) {
    return cellSize <= 24 ? 1.0 : cellSize <= 40 ? 1.4 : 1.8;
}

void DrawTreeCrown(QPainter& p, QPointF c, double r, const QColor& leaf) {
    p.setPen(QPen(Shade(leaf, 0.45), std::max(0.8, r * 0.18)));
    p.setBrush(leaf);
    p.drawEllipse(c, r, r);
    if (r >= 2.5) {
        p.setPen(Qt::NoPen);
        p.setBrush(Shade(leaf, 1.25));
        p.drawEllipse(c + QPointF(-r * 0.3, -r * 0.3), r * 0.45, r * 0.4);
    }
}

void DrawHouse(QPainter& p, QPointF base, double w, const QColor& roof, const QColor& wall, double outline) {
    const double h = w * 0.55;     // wall height
    const double roofH = w * 0.45; // roof rise
    const QPen pen(Shade(roof, 0.35), outline);
    p.setPen(pen);
    p.setBrush(wall);
    p.drawRect(QRectF(base.x() - w / 2, base.y() - h, w, h));
    QPainterPath r;
    r.moveTo(base.x() - w * 0.62, base.y() - h + 0.5);
    r.lineTo(base.x() - w * 0.3, base.y() - h - roofH);
    r.lineTo(base.x() + w * 0.3, base.y() - h - roofH);
    r.lineTo(base.x() + w * 0.62, base.y() - h + 0.5);
    r.closeSubpath();
    p.setBrush(roof);
    p.drawPath(r);
    if (w >= 8) {
        p.setBrush(Shade(roof, 0.3));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(base.x() - w * 0.1, base.y() - h * 0.6, w * 0.2, h * 0.6)); // door
    }
}

void DrawStone(QPainter& p, QPointF c, double rx, double ry, const QColor& stone) {
    p.setPen(QPen(Shade(stone, 0.45), std::max(0.7, rx * 0.2)));
    p.setBrush(stone);
    p.drawEllipse(c, rx, ry);
    if (rx >= 2) {
        p.setPen(Qt::NoPen);
        p.setBrush(Shade(stone, 1.3));
        p.drawEllipse(c + QPointF(-rx * 0.3, -ry * 0.35), rx * 0.45, ry * 0.35);
    }
}

QPointF RandomPointInHex(const HexShape& hex, SeededRandom& random, double margin) {
    for (int attempt = 0; attempt < 64; ++attempt) {
        const QPointF q(random.Range(0, hex.size), random.Range(0, hex.height));
        bool inside = hex.Contains(static_cast<int>(q.x()), static_cast<int>(q.y()));
        for (int side = 0; inside && side < 6; ++side)
            inside = hex.SideDistance(static_cast<int>(q.x()), static_cast<int>(q.y()), side) >= margin;
        if (inside) return q;
    }
    return hex.Centre();
}

} // namespace k2stock
