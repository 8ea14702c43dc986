// Secondary area cover, drawn over any primary ground with transparency around it: trees, bushes,
// vines, rocks, reeds, water and buildings.
#include "stockgen/art_kit.h"
#include "stockgen/symbol_painters.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

namespace k2stock {
namespace {

using A = TerrainArt;

// Trees scattered over the hex; crowns near a side are cut by the hexagon, so that woods in
// neighbouring hexes close up into one wood.
void Forest(QPainter& p, const HexShape& hex, SeededRandom& r, int count, double radius, QColor leaf) {
    struct Tree {
        QPointF c;
        double r;
        QColor colour;
    };
    std::vector<Tree> trees;
    for (int i = 0; i < count; ++i) {
        const double tr = radius * r.Range(0.75, 1.15);
        trees.push_back({RandomPointInHex(hex, r, tr * 0.3), tr, Shade(leaf, r.Range(0.88, 1.12))});
    }
    // Draw from the top of the picture down, so lower crowns overlap upper ones like in a view from
    // slightly above.
    std::sort(trees.begin(), trees.end(), [](const Tree& a, const Tree& b) { return a.c.y() < b.c.y(); });
    for (const Tree& t : trees)
        DrawTreeCrown(p, t.c, t.r, t.colour);
}

void Orchard(QPainter& p, const HexShape& hex, SeededRandom& r) {
    const double s = hex.size;
    const double step = s / 4.2;
    const double radius = std::max(1.8, s / 11.0);
    const double jitter = s / 60.0;
    for (int row = -2; row <= 2; ++row)
        for (int col = -2; col <= 2; ++col) {
            const QPointF c = hex.Centre() +
                              QPointF(col * step + (row % 2 ? step / 2 : 0), row * step * 0.86) +
                              QPointF(r.Range(-jitter, jitter), r.Range(-jitter, jitter));
            bool inside = hex.Contains(int(c.x()), int(c.y()));
            for (int side = 0; inside && side < 6; ++side)
                inside = hex.SideDistance(int(c.x()), int(c.y()), side) >= radius * 1.1;
            if (inside) DrawTreeCrown(p, c, radius, Shade(QColor(96, 146, 58), r.Range(0.9, 1.1)));
        }
}

void Bushes(QPainter& p, const HexShape& hex, SeededRandom& r, int count, double size, QColor leaf) {
    for (int i = 0; i < count; ++i) {
        const QPointF c = RandomPointInHex(hex, r, size);
        const QColor col = Shade(leaf, r.Range(0.85, 1.1));
        p.setPen(QPen(Shade(col, 0.5), std::max(0.7, size * 0.2)));
        p.setBrush(col);
        QPainterPath blob;
        for (int k = 0; k < 3; ++k) {
            const double a = k * 2.1 + r.Range(0, 1);
            blob.addEllipse(c + QPointF(std::cos(a), std::sin(a)) * size * 0.45, size * 0.6, size * 0.5);
        }
        p.drawPath(blob.simplified());
    }
}

void Vines(QPainter& p, const HexShape& hex, SeededRandom& r) {
    const double s = hex.size;
    const double spacing = std::max(3.0, s / 6.0);
    const double leaf = std::max(1.0, s / 30.0);
    for (double y = spacing * 0.7; y < hex.height - 1; y += spacing) {
        for (double x = 1; x < s - 1; x += leaf * 2.4) {
            const QPointF c(x + r.Range(-0.3, 0.3), y);
            bool inside = hex.Contains(int(c.x()), int(c.y()));
            for (int side = 0; inside && side < 6; ++side)
                inside = hex.SideDistance(int(c.x()), int(c.y()), side) >= leaf;
            if (!inside) continue;
            p.setPen(QPen(QColor(48, 84, 36), std::max(0.6, leaf * 0.4)));
            p.setBrush(Shade(QColor(84, 128, 52), r.Range(0.9, 1.15)));
            p.drawEllipse(c, leaf * 1.1, leaf);
        }
    }
}

void Reeds(QPainter& p, const HexShape& hex, SeededRandom& r, int count) {
    const double len = std::max(3.0, hex.size / 7.0);
    for (int i = 0; i < count; ++i) {
        const QPointF c = RandomPointInHex(hex, r, len * 0.5) + QPointF(0, len * 0.4);
        for (int k = -1; k <= 1; ++k) {
            const QPointF top = c + QPointF(k * len * 0.3, -len * (k ? 0.85 : 1.0));
            p.setPen(QPen(QColor(86, 110, 50), std::max(0.8, len / 8), Qt::SolidLine, Qt::RoundCap));
            p.drawLine(c, top);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(120, 84, 50));
            p.drawEllipse(top, len * 0.1, len * 0.22);
        }
    }
}

void Pond(QPainter& p, const HexShape& hex, SeededRandom& r) {
    QPainterPath path;
    const QPointF c = hex.Centre();
    const int n = 10;
    for (int i = 0; i <= n; ++i) {
        const double a = i * 2 * M_PI / n;
        const double rad = hex.height * 0.34 * (i == n ? 1 : r.Range(0.85, 1.08));
        const QPointF q = c + QPointF(std::cos(a) * rad * 1.15, std::sin(a) * rad);
        if (i == 0)
            path.moveTo(q);
        else
            path.lineTo(q);
    }
    path.closeSubpath();
    p.setPen(QPen(QColor(96, 84, 56), std::max(1.0, hex.size / 22.0)));
    p.setBrush(QColor(68, 118, 176));
    p.drawPath(path);
    p.setPen(QPen(QColor(130, 172, 216), std::max(0.8, hex.size / 40.0)));
    p.drawLine(c + QPointF(-hex.size * 0.12, -hex.size * 0.05),
               c + QPointF(hex.size * 0.02, -hex.size * 0.05));
}

void Ford(QPainter& p, const HexShape& hex, SeededRandom& r) {
    // Pale shallows over the river bed with stepping stones: reads as a crossing whatever way the
    // river runs through the hex.
    const QPointF c = hex.Centre();
    const double rad = hex.height * 0.3;
    p.setPen(QPen(QColor(196, 178, 128), std::max(1.0, hex.size / 24.0)));
    p.setBrush(QColor(140, 190, 208));
    p.drawEllipse(c, rad * 1.1, rad);
    for (int i = 0; i < 5; ++i) {
        const double t = (i - 2) / 2.4;
        DrawStone(p, c + QPointF(t * rad, r.Range(-rad * 0.15, rad * 0.15)), rad * 0.2, rad * 0.15,
                  QColor(176, 168, 150));
    }
}

void Rubble(QPainter& p, const HexShape& hex, SeededRandom& r, int count, double size, QColor stone,
            QColor earth) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count / 2; ++i) {
        p.setBrush(Shade(earth, r.Range(0.9, 1.1)));
        const QPointF c = RandomPointInHex(hex, r, size * 1.5);
        p.drawEllipse(c, size * 1.6, size * 1.0);
    }
    for (int i = 0; i < count; ++i) {
        const double rx = size * r.Range(0.7, 1.3);
        DrawStone(p, RandomPointInHex(hex, r, rx), rx, rx * r.Range(0.6, 0.9),
                  Shade(stone, r.Range(0.9, 1.1)));
    }
}

void Houses(QPainter& p, const HexShape& hex, SeededRandom& r, int count, double width) {
    const QColor roofs[] = {QColor(168, 72, 52), QColor(150, 96, 60), QColor(120, 110, 100),
                            QColor(180, 110, 60)};
    std::vector<QPointF> spots;
    const double o = OutlineWidth(hex.size);
    for (int i = 0; i < count; ++i) {
        QPointF best = hex.Centre();
        double bestGap = -1;
        for (int k = 0; k < 12; ++k) { // spread the houses apart
            const QPointF q = RandomPointInHex(hex, r, width * 0.75) + QPointF(0, width * 0.35);
            double gap = 1e9;
            for (const QPointF& s : spots)
                gap = std::min(gap, std::hypot(q.x() - s.x(), q.y() - s.y()));
            if (gap > bestGap) bestGap = gap, best = q;
        }
        spots.push_back(best);
    }
    std::sort(spots.begin(), spots.end(), [](QPointF a, QPointF b) { return a.y() < b.y(); });
    for (const QPointF& s : spots)
        DrawHouse(p, s, width * r.Range(0.85, 1.1), roofs[r.Below(4)], QColor(226, 214, 186), o);
}

void Ruins(QPainter& p, const HexShape& hex, SeededRandom& r) {
    const double s = hex.size;
    const QPointF c = hex.Centre();
    const double w = s * 0.5, h = s * 0.36;
    QPen pen(QColor(150, 146, 134), std::max(1.5, s / 14.0), Qt::SolidLine, Qt::FlatCap);
    p.setPen(pen);
    // Broken walls of a house: an open rectangle with gaps.
    p.drawLine(c + QPointF(-w / 2, -h / 2), c + QPointF(w * 0.1, -h / 2));
    p.drawLine(c + QPointF(w / 2, -h / 4), c + QPointF(w / 2, h / 2));
    p.drawLine(c + QPointF(w / 2, h / 2), c + QPointF(-w * 0.2, h / 2));
    p.drawLine(c + QPointF(-w / 2, -h / 2), c + QPointF(-w / 2, h * 0.1));
    Rubble(p, hex, r, 5, std::max(1.0, s / 26.0), QColor(160, 156, 144), QColor(120, 110, 90));
}

} // namespace

void PaintCover(QImage& canvas, const TerrainSymbolRecipe& recipe) {
    const HexShape hex(canvas.width());
    const double s = hex.size;
    SeededRandom r(recipe.seed);
    QPainter p(&canvas);
    PreparePainter(p);
    switch (recipe.art) {
    case A::Woods:
        Forest(p, hex, r, 26, std::max(2.6, s / 8.5), QColor(50, 102, 46));
        break;
    case A::LightWoods:
        Forest(p, hex, r, 7, std::max(2.4, s / 9.0), QColor(84, 136, 58));
        break;
    case A::LoneTree:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(74, 88, 46)); // its shadow
        p.drawEllipse(hex.Centre() + QPointF(s * 0.08, s * 0.1), s * 0.2, s * 0.13);
        DrawTreeCrown(p, hex.Centre() - QPointF(s * 0.03, s * 0.04), s * 0.2, QColor(62, 116, 50));
        break;
    case A::Orchard:
        Orchard(p, hex, r);
        break;
    case A::Scrub:
        Bushes(p, hex, r, 7, std::max(1.8, s / 12.0), QColor(112, 124, 62));
        break;
    case A::Vineyard:
        Vines(p, hex, r);
        break;
    case A::BrokenGround:
        Rubble(p, hex, r, 7, std::max(1.0, s / 24.0), QColor(164, 156, 138), QColor(128, 112, 84));
        break;
    case A::Boulders:
        for (int i = 0; i < 4; ++i) {
            const double rx = s * r.Range(0.1, 0.15);
            DrawStone(p, RandomPointInHex(hex, r, rx * 1.1), rx, rx * 0.75,
                      Shade(QColor(150, 146, 140), r.Range(0.9, 1.1)));
        }
        break;
    case A::Reeds:
        Reeds(p, hex, r, 5);
        break;
    case A::Pond:
        Pond(p, hex, r);
        break;
    case A::Ford:
        Ford(p, hex, r);
        break;
    case A::Hamlet:
        Houses(p, hex, r, 3, s * 0.26);
        break;
    case A::Farmstead: {
        const double o = OutlineWidth(hex.size);
        p.setPen(QPen(QColor(120, 90, 56), std::max(0.8, s / 40.0)));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(s * 0.16, s * 0.16, s * 0.68, s * 0.6), s * 0.1, s * 0.1); // fence
        DrawHouse(p, QPointF(s * 0.38, s * 0.56), s * 0.3, QColor(168, 72, 52), QColor(226, 214, 186), o);
        DrawHouse(p, QPointF(s * 0.66, s * 0.66), s * 0.24, QColor(130, 96, 64), QColor(176, 140, 100), o);
        break;
    }
    case A::Ruins:
        Ruins(p, hex, r);
        break;
    default:
        break;
    }
}

} // namespace k2stock
