// Markers: signs over the terrain that stay visible with a unit standing in the hex, so most of
// them hug the hex outline and leave the centre (where the unit sits) free.
#include "stockgen/art_kit.h"
#include "stockgen/symbol_painters.h"

#include <QPainterPath>
#include <cmath>

namespace k2stock {
namespace {

using A = TerrainArt;

const QColor WestBlue(40, 84, 180);
const QColor WestWhite(236, 240, 248);
const QColor EastRed(186, 36, 36);
const QColor EastGold(236, 190, 48);
const QColor Gold(238, 196, 52);
const QColor Ink(40, 30, 24);

// The hexagon pushed `inset` pixels in from the tile's outline.
QPolygonF InsetHex(const HexShape& hex, double inset) {
    QPolygonF out;
    const QPointF c = hex.Centre();
    for (QPointF q : hex.Corners()) {
        const QPointF v = q - c;
        const double len = std::hypot(v.x(), v.y());
        out << c + v * ((len - inset) / len);
    }
    return out;
}

void Ring(QPainter& p, const HexShape& hex, double width, const QColor& colour, const QColor& edge) {
    const QPolygonF poly = InsetHex(hex, width / 2 + 0.6);
    p.setBrush(Qt::NoBrush);
    if (edge.isValid()) {
        p.setPen(QPen(edge, width + 1.4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawPolygon(poly);
    }
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPolygon(poly);
}

QPainterPath Star(QPointF c, double outer, double inner, int points) {
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double a = -M_PI / 2 + i * M_PI / points;
        const double r = i % 2 ? inner : outer;
        const QPointF q = c + QPointF(std::cos(a) * r, std::sin(a) * r);
        if (i == 0)
            path.moveTo(q);
        else
            path.lineTo(q);
    }
    path.closeSubpath();
    return path;
}

// Thin outline along the north, north-east and north-west sides only: the hex below draws the
// south sides as its own north sides, so a map shows every line once and one pixel wide.
void HexGrid(QImage& canvas) {
    const HexShape hex(canvas.width());
    const QColor line(62, 66, 48);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            if (!hex.Contains(x, y)) continue;
            const double d =
                std::min({hex.SideDistance(x, y, 0), hex.SideDistance(x, y, 1), hex.SideDistance(x, y, 5)});
            if (d < 0.75) canvas.setPixelColor(x, y, line);
        }
}

// Arrowheads at the hex's west and east points in the side's colours: the way the troops arrive.
void Reinforcement(QPainter& p, const HexShape& hex, const QColor& field, const QColor& trim,
                   bool pointsEast) {
    const double s = hex.size;
    Ring(p, hex, std::max(2.0, s / 14.0), field, trim);
    const double a = std::max(4.0, s * 0.2);
    for (double cx : {a * 0.9, s - a * 0.9}) {
        const QPointF c(cx, hex.height / 2.0);
        const double dir = pointsEast ? 1 : -1;
        QPainterPath head;
        head.moveTo(c + QPointF(dir * a * 0.55, 0));
        head.lineTo(c + QPointF(-dir * a * 0.45, -a * 0.55));
        head.lineTo(c + QPointF(-dir * a * 0.2, 0));
        head.lineTo(c + QPointF(-dir * a * 0.45, a * 0.55));
        head.closeSubpath();
        p.setPen(QPen(trim, std::max(1.0, s / 30.0)));
        p.setBrush(field);
        p.drawPath(head);
    }
}

void Caltrops(QPainter& p, const HexShape& hex, SeededRandom& r) {
    const double size = std::max(2.2, hex.size / 11.0);
    for (int i = 0; i < 9; ++i) {
        const QPointF c = RandomPointInHex(hex, r, size);
        p.setPen(QPen(QColor(40, 40, 44), std::max(1.0, size * 0.5), Qt::SolidLine, Qt::RoundCap));
        const double a = r.Range(0, M_PI);
        for (int k = 0; k < 2; ++k) {
            const QPointF d(std::cos(a + k * M_PI / 2) * size, std::sin(a + k * M_PI / 2) * size);
            p.drawLine(c - d, c + d);
        }
        p.setPen(QPen(QColor(176, 178, 186), std::max(0.6, size * 0.22), Qt::SolidLine, Qt::RoundCap));
        const QPointF d(std::cos(a) * size * 0.8, std::sin(a) * size * 0.8);
        p.drawLine(c - d, c + d);
    }
}

// A row of sharpened stakes slanting towards the enemy, at the front edge of the hex.
void ArcherStakes(QPainter& p, const HexShape& hex, bool facingEast, const QColor& tag) {
    const double s = hex.size;
    const double x = facingEast ? s * 0.84 : s * 0.16;
    const double dir = facingEast ? 1 : -1;
    const double len = s * 0.24, w = std::max(1.4, s / 22.0);
    for (int i = 0; i < 4; ++i) {
        const double y = hex.height * (0.2 + 0.2 * i);
        const double dx = std::abs(y - hex.height / 2.0) * 0.25; // follow the hex's pointed side
        const QPointF foot(x - dir * (len * 0.5 + dx), y + len * 0.3);
        const QPointF tip = foot + QPointF(dir * len, -len * 0.55);
        p.setPen(QPen(QColor(60, 40, 22), w + 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(foot, tip);
        p.setPen(QPen(QColor(176, 132, 80), w, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(foot, tip);
        p.setPen(QPen(QColor(236, 214, 170), w, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(foot + (tip - foot) * 0.8, tip);
    }
    p.setPen(QPen(Ink, 1));
    p.setBrush(tag);
    const double t = std::max(2.0, s / 16.0);
    p.drawEllipse(QPointF(x - dir * len * 0.4, hex.height * 0.1 + t), t, t);
}

} // namespace

void PaintMarker(QImage& canvas, const TerrainSymbolRecipe& recipe) {
    if (recipe.art == A::HexGrid) return HexGrid(canvas);
    const HexShape hex(canvas.width());
    const double s = hex.size;
    SeededRandom r(recipe.seed);
    QPainter p(&canvas);
    PreparePainter(p);
    const QPointF c = hex.Centre();
    switch (recipe.art) {
    case A::Objective: {
        // Dotted gold ring that shows round a unit, and a gold star for an empty hex.
        const QPolygonF poly = InsetHex(hex, std::max(2.0, s / 14.0));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Ink, std::max(2.0, s / 12.0) + 1.2, Qt::DashLine, Qt::FlatCap));
        p.drawPolygon(poly);
        p.setPen(QPen(Gold, std::max(2.0, s / 12.0), Qt::DashLine, Qt::FlatCap));
        p.drawPolygon(poly);
        p.setPen(QPen(QColor(120, 30, 24), std::max(1.0, s / 28.0)));
        p.setBrush(Gold);
        p.drawPath(Star(c, s * 0.28, s * 0.12, 5));
        break;
    }
    case A::VictoryBanner: {
        p.setPen(QPen(Ink, std::max(1.2, s / 24.0)));
        p.drawLine(c + QPointF(-s * 0.18, s * 0.34), c + QPointF(-s * 0.18, -s * 0.36));
        QPainterPath flag;
        flag.moveTo(c + QPointF(-s * 0.17, -s * 0.34));
        flag.lineTo(c + QPointF(s * 0.3, -s * 0.24));
        flag.lineTo(c + QPointF(s * 0.18, -s * 0.12));
        flag.lineTo(c + QPointF(s * 0.3, 0));
        flag.lineTo(c + QPointF(-s * 0.17, -s * 0.02));
        flag.closeSubpath();
        p.setPen(QPen(QColor(120, 30, 24), std::max(1.0, s / 36.0)));
        p.setBrush(Gold);
        p.drawPath(flag);
        p.setBrush(QColor(190, 40, 36));
        p.drawPath(Star(c + QPointF(s * 0.04, -s * 0.17), s * 0.08, s * 0.035, 5));
        break;
    }
    case A::HotHex:
        Ring(p, hex, std::max(2.0, s / 10.0), QColor(244, 128, 32), QColor(120, 40, 10));
        break;
    case A::LegalMove:
        Ring(p, hex, std::max(1.5, s / 16.0), QColor(96, 220, 96), QColor(20, 80, 20));
        break;
    case A::CombatHex: {
        Ring(p, hex, std::max(1.5, s / 16.0), QColor(220, 40, 32), QColor());
        for (int k : {-1, 1}) {
            const QPointF a = c + QPointF(-k * s * 0.22, s * 0.22), b = c + QPointF(k * s * 0.2, -s * 0.22);
            p.setPen(QPen(Ink, std::max(2.0, s / 14.0) + 1.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(a, b);
            p.setPen(QPen(QColor(214, 218, 226), std::max(2.0, s / 14.0), Qt::SolidLine, Qt::RoundCap));
            p.drawLine(a, b);
            p.setPen(QPen(QColor(150, 100, 40), std::max(2.0, s / 12.0), Qt::SolidLine, Qt::RoundCap));
            p.drawLine(a + (b - a) * 0.05 + QPointF(k * s * 0.06, s * 0.05),
                       a + (b - a) * 0.05 - QPointF(k * s * 0.06, s * 0.05));
        }
        break;
    }
    case A::Destroyed: {
        const double d = s * 0.3;
        for (int k : {-1, 1}) {
            p.setPen(QPen(QColor(30, 20, 20), std::max(3.0, s / 7.0), Qt::SolidLine, Qt::RoundCap));
            p.drawLine(c + QPointF(-d, -k * d * 0.9), c + QPointF(d, k * d * 0.9));
        }
        for (int k : {-1, 1}) {
            p.setPen(QPen(QColor(200, 30, 30), std::max(1.8, s / 11.0), Qt::SolidLine, Qt::RoundCap));
            p.drawLine(c + QPointF(-d, -k * d * 0.9), c + QPointF(d, k * d * 0.9));
        }
        break;
    }
    case A::WesternReinforcement:
        Reinforcement(p, hex, WestBlue, WestWhite, true);
        break;
    case A::EasternReinforcement:
        Reinforcement(p, hex, EastRed, EastGold, false);
        break;
    case A::Caltrops:
        Caltrops(p, hex, r);
        break;
    case A::WesternStakes:
        ArcherStakes(p, hex, true, WestBlue);
        break;
    case A::EasternStakes:
        ArcherStakes(p, hex, false, EastRed);
        break;
    default:
        break;
    }
}

void PaintHeading(QImage& canvas) {
    // A rolled scroll: what a list heading would look like if it were ever shown.
    const HexShape hex(canvas.width());
    const double s = hex.size;
    QPainter p(&canvas);
    PreparePainter(p);
    const QRectF body(s * 0.2, s * 0.3, s * 0.6, s * 0.38);
    p.setPen(QPen(QColor(110, 80, 40), std::max(1.0, s / 30.0)));
    p.setBrush(QColor(236, 220, 172));
    p.drawRect(body);
    p.drawEllipse(QPointF(body.left(), body.center().y()), s * 0.06, s * 0.21);
    p.drawEllipse(QPointF(body.right(), body.center().y()), s * 0.06, s * 0.21);
    p.setPen(QPen(QColor(150, 110, 60), std::max(0.8, s / 40.0)));
    for (int i = 1; i <= 3; ++i) {
        const double y = body.top() + body.height() * i / 4.0;
        p.drawLine(QPointF(body.left() + s * 0.1, y), QPointF(body.right() - s * 0.1, y));
    }
}

} // namespace k2stock
