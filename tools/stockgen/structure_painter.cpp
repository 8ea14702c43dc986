// Structures: fortifications and buildings in a three-quarter view, with dark outlines so that they
// stand out over any terrain. Drawn in a frame of 100 units across the cell, centred on the hex.
#include "stockgen/art_kit.h"
#include "stockgen/symbol_painters.h"

#include <QPainterPath>
#include <cmath>

namespace k2stock {
namespace {

using A = TerrainArt;

const QColor Stone(196, 188, 168);
const QColor StoneDark(150, 142, 124);
const QColor Ink(44, 36, 30);
const QColor Slate(92, 104, 128);
const QColor Tile(170, 74, 52);
const QColor Timber(132, 92, 54);
const QColor Plaster(232, 222, 196);

struct Frame {
    QPainter& p;
    double px; // one pixel in frame units
    QPen Outline(double scale = 1) const {
        return QPen(Ink, OutlineWidth(int(100 / px)) * px * scale, Qt::SolidLine, Qt::RoundCap,
                    Qt::RoundJoin);
    }
    void Fill(const QColor& c) const { p.setBrush(c); }
};

void Crenels(const Frame& f, double x0, double x1, double top, double tooth) {
    f.p.setPen(f.Outline());
    f.Fill(Stone);
    for (double x = x0; x + tooth <= x1 + 0.01; x += tooth * 2)
        f.p.drawRect(QRectF(x, top - tooth, tooth, tooth));
}

void SquareTower(const Frame& f, double cx, double base, double w, double h, bool crenels) {
    f.p.setPen(f.Outline());
    f.Fill(Stone);
    f.p.drawRect(QRectF(cx - w / 2, base - h, w, h));
    f.p.setPen(Qt::NoPen);
    f.Fill(StoneDark);
    f.p.drawRect(QRectF(cx + w * 0.15, base - h, w * 0.35, h)); // shaded east face
    if (crenels) Crenels(f, cx - w / 2, cx + w / 2, base - h, w / 5);
    f.p.setPen(Qt::NoPen);
    f.Fill(Ink);
    f.p.drawRect(QRectF(cx - w * 0.08, base - h * 0.7, w * 0.16, h * 0.18)); // window slit
}

void RoundTower(const Frame& f, double cx, double base, double w, double h) {
    f.p.setPen(f.Outline());
    f.Fill(Stone);
    f.p.drawRect(QRectF(cx - w / 2, base - h, w, h));
    QPainterPath roof;
    roof.moveTo(cx - w * 0.62, base - h);
    roof.lineTo(cx, base - h - w * 1.1);
    roof.lineTo(cx + w * 0.62, base - h);
    roof.closeSubpath();
    f.Fill(Slate);
    f.p.drawPath(roof);
}

void Gate(const Frame& f, double cx, double base, double w, double h) {
    QPainterPath arch;
    arch.moveTo(cx - w / 2, base);
    arch.lineTo(cx - w / 2, base - h + w / 2);
    arch.arcTo(QRectF(cx - w / 2, base - h, w, w), 180, -180);
    arch.lineTo(cx + w / 2, base);
    arch.closeSubpath();
    f.p.setPen(Qt::NoPen);
    f.Fill(QColor(58, 44, 32));
    f.p.drawPath(arch);
}

void Pennant(const Frame& f, double x, double top, double size, const QColor& colour) {
    f.p.setPen(QPen(Ink, std::max(f.px, size * 0.08)));
    f.p.drawLine(QPointF(x, top), QPointF(x, top - size));
    QPainterPath flag;
    flag.moveTo(x, top - size);
    flag.lineTo(x + size * 0.8, top - size * 0.8);
    flag.lineTo(x, top - size * 0.6);
    flag.closeSubpath();
    f.p.setPen(f.Outline(0.6));
    f.Fill(colour);
    f.p.drawPath(flag);
}

void Castle(const Frame& f) {
    // Curtain wall between two towers, a taller keep behind.
    SquareTower(f, 0, 8, 34, 44, true);
    f.p.setPen(f.Outline());
    f.Fill(Stone);
    f.p.drawRect(QRectF(-38, 6, 76, 30));
    Crenels(f, -38, 38, 6, 6);
    Gate(f, 0, 36, 14, 20);
    SquareTower(f, -34, 38, 20, 42, true);
    SquareTower(f, 34, 38, 20, 42, true);
    Pennant(f, 0, -42, 16, QColor(220, 180, 40));
}

void Church(const Frame& f, double cx, double base, double scale) {
    f.p.setPen(f.Outline());
    f.Fill(Plaster);
    f.p.drawRect(QRectF(cx - 22 * scale, base - 22 * scale, 40 * scale, 22 * scale)); // nave
    QPainterPath roof;
    roof.moveTo(cx - 25 * scale, base - 21 * scale);
    roof.lineTo(cx - 16 * scale, base - 34 * scale);
    roof.lineTo(cx + 20 * scale, base - 34 * scale);
    roof.lineTo(cx + 21 * scale, base - 21 * scale);
    roof.closeSubpath();
    f.Fill(Tile);
    f.p.drawPath(roof);
    // Tower with spire at the west end.
    f.Fill(Stone);
    f.p.drawRect(QRectF(cx - 34 * scale, base - 40 * scale, 16 * scale, 40 * scale));
    QPainterPath spire;
    spire.moveTo(cx - 36 * scale, base - 40 * scale);
    spire.lineTo(cx - 26 * scale, base - 64 * scale);
    spire.lineTo(cx - 16 * scale, base - 40 * scale);
    spire.closeSubpath();
    f.Fill(Slate);
    f.p.drawPath(spire);
    f.p.setPen(QPen(QColor(220, 184, 60), std::max(f.px * 1.2, 2.5 * scale)));
    f.p.drawLine(QPointF(cx - 26 * scale, base - 64 * scale), QPointF(cx - 26 * scale, base - 74 * scale));
    f.p.drawLine(QPointF(cx - 30 * scale, base - 70 * scale), QPointF(cx - 22 * scale, base - 70 * scale));
    f.p.setPen(Qt::NoPen);
    f.Fill(Ink);
    f.p.drawRect(QRectF(cx - 28 * scale, base - 12 * scale, 5 * scale, 12 * scale));
}

void House(const Frame& f, double cx, double base, double w, const QColor& roof) {
    DrawHouse(f.p, QPointF(cx, base), w, roof, Plaster, OutlineWidth(int(100 / f.px)) * f.px);
}

void Stakes(const Frame& f, double radius, int count, double height) {
    for (int i = 0; i < count; ++i) {
        const double a = i * 2 * M_PI / count;
        const QPointF base(std::cos(a) * radius, std::sin(a) * radius * 0.8 + height * 0.4);
        QPainterPath stake;
        const double w = 2 * M_PI * radius / count * 0.55;
        stake.moveTo(base + QPointF(-w / 2, 0));
        stake.lineTo(base + QPointF(-w / 2, -height));
        stake.lineTo(base + QPointF(0, -height - w));
        stake.lineTo(base + QPointF(w / 2, -height));
        stake.lineTo(base + QPointF(w / 2, 0));
        stake.closeSubpath();
        f.p.setPen(f.Outline(0.8));
        f.Fill(i % 2 ? Timber : Shade(Timber, 1.15));
        f.p.drawPath(stake);
    }
}

void Palisade(const Frame& f) {
    // Back half of the ring first, then the huts inside, then the front half.
    f.p.setPen(Qt::NoPen);
    f.Fill(QColor(150, 128, 88));
    f.p.drawEllipse(QPointF(0, 4), 36, 26);
    House(f, 0, 12, 24, Timber);
    Stakes(f, 38, 22, 16);
}

void Earthworks(const Frame& f) {
    // A ditch and an earthen bank in a broken ring, hachured on the outer face.
    QPen ditch(QColor(88, 72, 50), 7, Qt::SolidLine, Qt::FlatCap);
    QPen bank(QColor(160, 128, 80), 9, Qt::SolidLine, Qt::FlatCap);
    const QRectF outer(-40, -34, 80, 66), inner(-32, -27, 64, 52);
    for (int k = 0; k < 3; ++k) {
        const int start = 100 + k * 120, span = 95;
        f.p.setBrush(Qt::NoBrush);
        f.p.setPen(QPen(Ink, 11));
        f.p.drawArc(inner, start * 16, span * 16);
        f.p.setPen(ditch);
        f.p.drawArc(outer, start * 16, span * 16);
        f.p.setPen(bank);
        f.p.drawArc(inner, start * 16, span * 16);
    }
}

void Windmill(const Frame& f) {
    QPainterPath body;
    body.moveTo(-14, 36);
    body.lineTo(-9, -14);
    body.lineTo(9, -14);
    body.lineTo(14, 36);
    body.closeSubpath();
    f.p.setPen(f.Outline());
    f.Fill(Plaster);
    f.p.drawPath(body);
    QPainterPath cap;
    cap.moveTo(-12, -13);
    cap.quadTo(0, -30, 12, -13);
    cap.closeSubpath();
    f.Fill(Timber);
    f.p.drawPath(cap);
    const QPointF hub(0, -16);
    for (int k = 0; k < 4; ++k) {
        f.p.save();
        f.p.translate(hub);
        f.p.rotate(35 + k * 90);
        f.Fill(QColor(236, 230, 214));
        f.p.setPen(f.Outline(0.8));
        f.p.drawRect(QRectF(4, -5, 34, 9));
        f.p.restore();
    }
    f.Fill(Ink);
    f.p.drawEllipse(hub, 3, 3);
}

void Tents(const Frame& f) {
    const QPointF spots[] = {{-22, -4}, {18, -10}, {-4, 22}, {26, 20}};
    int i = 0;
    for (QPointF c : spots) {
        QPainterPath tent;
        tent.moveTo(c + QPointF(-15, 12));
        tent.lineTo(c + QPointF(0, -14));
        tent.lineTo(c + QPointF(15, 12));
        tent.closeSubpath();
        f.p.setPen(f.Outline());
        f.Fill(i++ % 2 ? QColor(236, 228, 206) : QColor(210, 196, 160));
        f.p.drawPath(tent);
        f.p.setPen(f.Outline(0.7));
        f.p.drawLine(c + QPointF(0, -14), c + QPointF(0, 12));
    }
    Pennant(f, 18, -24, 14, QColor(220, 180, 40));
}

void Bridgework(const Frame& f) {
    // A bridge running north-south with a gate tower on it.
    f.p.setPen(f.Outline());
    f.Fill(QColor(206, 180, 128));
    f.p.drawRect(QRectF(-12, -49, 24, 98));
    f.p.setPen(QPen(StoneDark, 5));
    f.p.drawLine(QPointF(-13, -46), QPointF(-13, 46));
    f.p.drawLine(QPointF(13, -46), QPointF(13, 46));
    SquareTower(f, 0, 18, 34, 34, true);
    Gate(f, 0, 18, 12, 16);
}

} // namespace

void PaintStructure(QImage& canvas, const TerrainSymbolRecipe& recipe) {
    const HexShape hex(canvas.width());
    QPainter p(&canvas);
    PreparePainter(p);
    p.translate(hex.Centre());
    p.scale(hex.size / 100.0, hex.size / 100.0);
    const Frame f{p, 100.0 / hex.size};
    switch (recipe.art) {
    case A::Castle:
        Castle(f);
        break;
    case A::Keep:
        SquareTower(f, 0, 38, 46, 66, true);
        Gate(f, 0, 38, 12, 18);
        Pennant(f, 0, -34, 14, QColor(220, 180, 40));
        break;
    case A::Tower:
        RoundTower(f, 0, 40, 28, 52);
        f.p.setPen(Qt::NoPen);
        f.Fill(Ink);
        f.p.drawRect(QRectF(-3, 0, 6, 10));
        break;
    case A::Church:
        Church(f, 8, 38, 1.0);
        break;
    case A::Village:
        House(f, -20, -4, 26, Tile);
        House(f, 20, -8, 24, QColor(150, 96, 60));
        House(f, -24, 30, 24, QColor(150, 96, 60));
        Church(f, 24, 34, 0.55);
        House(f, 4, 38, 22, Tile);
        break;
    case A::Palisade:
        Palisade(f);
        break;
    case A::Earthworks:
        Earthworks(f);
        break;
    case A::FortifiedBridge:
        Bridgework(f);
        break;
    case A::Manor:
        f.p.setPen(f.Outline());
        f.Fill(QColor(178, 168, 146));
        f.p.drawRect(QRectF(-42, 14, 84, 8)); // garden wall
        House(f, -6, 22, 56, Tile);
        SquareTower(f, 30, 22, 16, 40, true);
        break;
    case A::Windmill:
        Windmill(f);
        break;
    case A::Abbey:
        f.p.setPen(f.Outline());
        f.Fill(QColor(178, 168, 146));
        f.p.drawRect(QRectF(-40, 8, 80, 30)); // cloister
        f.Fill(QColor(120, 150, 80));
        f.p.drawRect(QRectF(-28, 14, 56, 18));
        Church(f, 12, 10, 0.8);
        break;
    case A::Gatehouse:
        f.p.setPen(f.Outline());
        f.Fill(Stone);
        f.p.drawRect(QRectF(-46, 4, 92, 28));
        Crenels(f, -46, 46, 4, 6);
        SquareTower(f, -16, 36, 22, 54, true);
        SquareTower(f, 16, 36, 22, 54, true);
        f.p.setPen(f.Outline());
        f.Fill(Stone);
        f.p.drawRect(QRectF(-6, -8, 12, 44));
        Gate(f, 0, 36, 12, 22);
        break;
    case A::Farm:
        House(f, -14, 20, 40, Tile);
        House(f, 22, 34, 30, Timber);
        f.p.setPen(f.Outline());
        f.Fill(QColor(220, 190, 90));
        f.p.drawEllipse(QPointF(26, -4), 10, 12); // haystack
        break;
    case A::Camp:
        Tents(f);
        break;
    default:
        break;
    }
}

} // namespace k2stock
