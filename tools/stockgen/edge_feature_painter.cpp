// Linear features. Routes (roads, tracks, rivers, streams) run from the hex centre to the middle
// of one side, where the neighbouring hex's matching piece carries on; barriers (walls, hedges,
// slopes) lie along one side. Stacking pieces in the secondary slots builds any junction.
#include "stockgen/art_kit.h"
#include "stockgen/bridge_spans.h"
#include "stockgen/symbol_painters.h"

#include <QPainterPath>
#include <cmath>

namespace k2stock {
namespace {

using A = TerrainArt;

QPointF Unit(QPointF v) {
    const double len = std::hypot(v.x(), v.y());
    return len > 0 ? v / len : QPointF(0, 0);
}

// One route piece. The edge band starts clear of the centre so that a second piece stacked on the
// same hex never draws its edge across the first one's surface.
void RoutePiece(QPainter& p, const HexShape& hex, int side, double width, QColor surface, QColor edge,
                double edgeWidth) {
    const QPointF c = hex.Centre();
    const QPointF m = hex.SideMiddle(side);
    const QPointF dir = Unit(m - c);
    const QPointF end = m + dir * width; // past the side; the hexagon cut ends it exactly there
    if (edge.isValid() && edgeWidth > 0) {
        p.setPen(QPen(edge, width + 2 * edgeWidth, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(c + dir * (width * 1.2), end);
    }
    p.setPen(QPen(surface, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, end);
}

void RiverHighlight(QPainter& p, const HexShape& hex, int side, double width, QColor colour) {
    const QPointF c = hex.Centre();
    const QPointF m = hex.SideMiddle(side);
    const QPointF dir = Unit(m - c);
    const QPointF normal(-dir.y(), dir.x());
    p.setPen(QPen(colour, std::max(0.7, width * 0.14), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + dir * width * 0.8 + normal * width * 0.18, m + dir * width - normal * width * 0.12);
}

// Along side `side`, pushed `inward` pixels towards the centre.
void SideLine(const HexShape& hex, int side, double inward, QPointF& a, QPointF& b) {
    hex.SideEnds(side, a, b);
    const QPointF n = Unit(hex.Centre() - (a + b) / 2);
    a += n * inward;
    b += n * inward;
}

void Wall(QPainter& p, const HexShape& hex, int side) {
    const double w = std::max(2.2, hex.size / 10.0);
    QPointF a, b;
    SideLine(hex, side, w / 2 + 0.4, a, b);
    p.setPen(QPen(QColor(82, 78, 72), w + 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    p.setPen(QPen(QColor(176, 170, 158), w - 0.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    // Joints between the stones.
    const QPointF dir = Unit(b - a), n(-dir.y(), dir.x());
    const double len = std::hypot(b.x() - a.x(), b.y() - a.y());
    p.setPen(QPen(QColor(112, 106, 98), std::max(0.6, w / 5)));
    for (double t = w; t < len - w / 2; t += w * 1.3)
        p.drawLine(a + dir * t - n * (w / 2 - 0.5), a + dir * t + n * (w / 2 - 0.5));
}

void Hedge(QPainter& p, const HexShape& hex, int side, SeededRandom& r) {
    const double rad = std::max(1.4, hex.size / 16.0);
    QPointF a, b;
    SideLine(hex, side, rad + 0.3, a, b);
    const QPointF dir = Unit(b - a);
    const double len = std::hypot(b.x() - a.x(), b.y() - a.y());
    for (double t = rad * 0.6; t <= len - rad * 0.6; t += rad * 1.1) {
        const QColor leaf = Shade(QColor(46, 108, 42), r.Range(0.85, 1.15));
        p.setPen(QPen(QColor(24, 60, 22), std::max(0.6, rad * 0.3)));
        p.setBrush(leaf);
        p.drawEllipse(a + dir * t, rad, rad * 0.9);
    }
}

void Slope(QPainter& p, const HexShape& hex, int side) {
    QPointF a, b;
    SideLine(hex, side, 0.3, a, b);
    const QPointF dir = Unit(b - a);
    const QPointF n = Unit(hex.Centre() - (a + b) / 2);
    const double len = std::hypot(b.x() - a.x(), b.y() - a.y());
    const double depth = hex.size * 0.26;
    const double spacing = std::max(2.6, hex.size / 9.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(108, 76, 42));
    for (double t = spacing * 0.6; t <= len - spacing * 0.4; t += spacing) {
        // Hachures: wedges broad at the crest (inside) and sharp at the foot (the side).
        const QPointF foot = a + dir * t;
        const QPointF crest = foot + n * depth;
        const double half = spacing * 0.36;
        QPainterPath wedge;
        wedge.moveTo(foot);
        wedge.lineTo(crest - dir * half);
        wedge.lineTo(crest + dir * half);
        wedge.closeSubpath();
        p.drawPath(wedge);
    }
}

void Bridge(QPainter& p, const HexShape& hex, int span, SeededRandom&) {
    const QPointF a = hex.SideMiddle(BridgeSpanSides[span][0]), b = hex.SideMiddle(BridgeSpanSides[span][1]);
    const QPointF dir = Unit(b - a), n(-dir.y(), dir.x());
    const double w = std::max(4.0, hex.size * 0.22);
    const double len = std::hypot(b.x() - a.x(), b.y() - a.y());
    const QPointF from = a - dir * 2, to = b + dir * 2;
    // Road surface over the deck, then stone parapets that stop short of the banks.
    p.setPen(QPen(QColor(200, 174, 124), w, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(from, to);
    const double pw = std::max(1.2, w * 0.26);
    const QPointF s0 = a + dir * len * 0.18, s1 = b - dir * len * 0.18;
    for (int k : {-1, 1}) {
        const QPointF off = n * k * (w / 2 + pw / 2 - 0.3);
        p.setPen(QPen(QColor(72, 68, 62), pw + 1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(s0 + off, s1 + off);
        p.setPen(QPen(QColor(186, 180, 168), pw - 0.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(s0 + off, s1 + off);
    }
}

} // namespace

void PaintEdgeFeature(QImage& canvas, const TerrainSymbolRecipe& recipe) {
    const HexShape hex(canvas.width());
    const double s = hex.size;
    SeededRandom r(recipe.seed);
    QPainter p(&canvas);
    PreparePainter(p);
    const int side = recipe.param;
    switch (recipe.art) {
    case A::Road:
        RoutePiece(p, hex, side, std::max(3.0, s * 0.15), QColor(206, 180, 128), QColor(128, 104, 72),
                   std::max(0.8, s / 40.0));
        break;
    case A::Track:
        RoutePiece(p, hex, side, std::max(2.0, s * 0.08), QColor(166, 132, 90), QColor(), 0);
        break;
    case A::River: {
        const double w = std::max(4.0, s * 0.24);
        RoutePiece(p, hex, side, w, QColor(64, 116, 188), QColor(92, 108, 70), std::max(1.0, s / 30.0));
        RiverHighlight(p, hex, side, w, QColor(124, 170, 222));
        break;
    }
    case A::Stream:
        RoutePiece(p, hex, side, std::max(2.2, s * 0.1), QColor(84, 140, 202), QColor(70, 96, 120),
                   std::max(0.6, s / 60.0));
        break;
    case A::Wall:
        Wall(p, hex, side);
        break;
    case A::Hedge:
        Hedge(p, hex, side, r);
        break;
    case A::Slope:
        Slope(p, hex, side);
        break;
    case A::Bridge:
        Bridge(p, hex, recipe.param, r);
        break;
    default:
        break;
    }
}

} // namespace k2stock
