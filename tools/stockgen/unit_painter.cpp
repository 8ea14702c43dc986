#include "stockgen/unit_painter.h"

#include "stockgen/art_kit.h"
#include "stockgen/pixel_rules.h"

#include <QPainterPath>
#include <cmath>

namespace k2stock {
namespace {

struct Palette {
    QColor field, rim, figure, ink, accent;
};

const Palette West{QColor(38, 78, 170), QColor(236, 240, 250), QColor(244, 246, 252), QColor(16, 22, 48),
                   QColor(250, 214, 80)};
const Palette East{QColor(176, 32, 30), QColor(240, 196, 64), QColor(252, 226, 132), QColor(56, 14, 10),
                   QColor(250, 250, 250)};

// Figures are drawn facing east in a frame of -50..50; `w` is the line width of an outline.
struct Pen {
    QPainter& p;
    const Palette& c;
    double w;

    void Stroke(QPointF a, QPointF b, double width, const QColor& colour) const {
        p.setPen(QPen(c.ink, width + w * 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(a, b);
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(a, b);
    }
    void Shape(const QPainterPath& path, const QColor& colour) const {
        p.setPen(QPen(c.ink, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(colour);
        p.drawPath(path);
    }
    void Ellipse(QPointF centre, double rx, double ry, const QColor& colour) const {
        QPainterPath e;
        e.addEllipse(centre, rx, ry);
        Shape(e, colour);
    }
};

// A standing man at x, feet at y = 34.
void Man(const Pen& d, double x, double scale = 1) {
    QPainterPath body;
    body.moveTo(x - 9 * scale, 10);
    body.lineTo(x - 7 * scale, -14 * scale);
    body.lineTo(x + 7 * scale, -14 * scale);
    body.lineTo(x + 9 * scale, 10);
    body.closeSubpath();
    d.Stroke(QPointF(x - 4, 8), QPointF(x - 7, 34), 6, d.c.figure);
    d.Stroke(QPointF(x + 4, 8), QPointF(x + 7, 34), 6, d.c.figure);
    d.Shape(body, d.c.figure);
    d.Ellipse(QPointF(x, -23 * scale), 8 * scale, 8 * scale, d.c.figure);
}

void Shield(const Pen& d, double x, double y, double size, bool heater) {
    QPainterPath s;
    if (heater) {
        s.moveTo(x - size, y - size);
        s.lineTo(x + size, y - size);
        s.quadTo(x + size, y + size * 0.6, x, y + size * 1.3);
        s.quadTo(x - size, y + size * 0.6, x - size, y - size);
    } else {
        s.addEllipse(QPointF(x, y), size, size);
    }
    d.Shape(s, d.c.accent);
    d.p.setPen(QPen(d.c.field, size * 0.35));
    d.p.drawLine(QPointF(x, y - size * 0.8), QPointF(x, y + size * (heater ? 1.0 : 0.8)));
}

// A horse facing east, back at y = -2, hooves at y = 34.
void Horse(const Pen& d, bool barded) {
    const QColor coat = barded ? d.c.accent : d.c.figure;
    for (double x : {-26.0, -16.0, 14.0, 24.0})
        d.Stroke(QPointF(x, 10), QPointF(x + (x > 0 ? 4 : -2), 34), 5, coat);
    QPainterPath body;
    body.addRoundedRect(QRectF(-34, -4, 64, 22), 11, 11);
    QPainterPath neck;
    neck.moveTo(18, 4);
    neck.lineTo(30, -24);
    neck.lineTo(44, -18);
    neck.lineTo(40, -10);
    neck.lineTo(32, -12);
    neck.lineTo(30, 6);
    neck.closeSubpath();
    d.Shape(body.united(neck), coat);
    d.Stroke(QPointF(-34, 0), QPointF(-44, 14), 5, coat); // tail
}

void Rider(const Pen& d, double x) {
    QPainterPath body;
    body.moveTo(x - 8, 0);
    body.lineTo(x - 6, -26);
    body.lineTo(x + 6, -26);
    body.lineTo(x + 8, 0);
    body.closeSubpath();
    d.Shape(body, d.c.figure);
    d.Ellipse(QPointF(x, -34), 7, 7, d.c.figure);
}

void Spear(const Pen& d, QPointF butt, QPointF tip, double width) {
    d.Stroke(butt, tip, width, QColor(196, 160, 110));
    const QPointF dir = (tip - butt) / std::hypot(tip.x() - butt.x(), tip.y() - butt.y());
    const QPointF n(-dir.y(), dir.x());
    QPainterPath head;
    head.moveTo(tip + dir * 9);
    head.lineTo(tip + n * 4);
    head.lineTo(tip - dir * 3);
    head.lineTo(tip - n * 4);
    head.closeSubpath();
    d.Shape(head, QColor(220, 224, 232));
}

void Bow(const Pen& d, double x, double height) {
    QPainterPath bow;
    bow.moveTo(x, -height / 2);
    bow.quadTo(x + height * 0.45, 0, x, height / 2);
    d.p.setBrush(Qt::NoBrush);
    d.p.setPen(QPen(d.c.ink, 6 + 2 * d.w, Qt::SolidLine, Qt::RoundCap));
    d.p.drawPath(bow);
    d.p.setPen(QPen(QColor(196, 150, 90), 6, Qt::SolidLine, Qt::RoundCap));
    d.p.drawPath(bow);
    d.p.setPen(QPen(d.c.ink, 2));
    d.p.drawLine(QPointF(x, -height / 2), QPointF(x, height / 2));
}

void Crossbow(const Pen& d, QPointF at) {
    d.Stroke(at - QPointF(14, -4), at + QPointF(14, 0), 6, QColor(150, 104, 60));
    QPainterPath bow;
    bow.moveTo(at + QPointF(10, -16));
    bow.quadTo(at + QPointF(20, 0), at + QPointF(10, 16));
    d.p.setBrush(Qt::NoBrush);
    d.p.setPen(QPen(d.c.ink, 5 + 2 * d.w, Qt::SolidLine, Qt::RoundCap));
    d.p.drawPath(bow);
    d.p.setPen(QPen(QColor(220, 224, 232), 5, Qt::SolidLine, Qt::RoundCap));
    d.p.drawPath(bow);
}

void Gun(const Pen& d, double length, double bore) {
    // Barrel on a trail with one big wheel.
    d.Stroke(QPointF(-36, 26), QPointF(0, 8), 7, QColor(150, 104, 60));
    QPainterPath barrel;
    barrel.addRoundedRect(QRectF(-18, -bore, length, bore * 2), bore * 0.6, bore * 0.6);
    QTransform t;
    t.rotate(-10);
    d.Shape(t.map(barrel), QColor(204, 160, 78)); // bronze reads on both fields
    d.Ellipse(QPointF(-2, 18), 14, 14, QColor(170, 124, 70));
    d.Ellipse(QPointF(-2, 18), 4, 4, d.c.ink);
}

void Wagon(const Pen& d, double x, double scale) {
    QPainterPath cover;
    cover.moveTo(x - 24 * scale, 6);
    cover.quadTo(x, -30 * scale, x + 24 * scale, 6);
    cover.closeSubpath();
    d.Shape(cover, d.c.figure);
    QPainterPath box;
    box.addRect(QRectF(x - 28 * scale, 4, 56 * scale, 14 * scale));
    d.Shape(box, QColor(160, 112, 64));
    d.Stroke(QPointF(x + 28 * scale, 12), QPointF(x + 44 * scale, 18), 4, QColor(160, 112, 64));
    for (double wx : {-16.0, 16.0})
        d.Ellipse(QPointF(x + wx * scale, 24), 10 * scale, 10 * scale, QColor(120, 84, 48));
}

void Banner(const Pen& d, double x, double top, double bottom) {
    d.Stroke(QPointF(x, bottom), QPointF(x, top), 4, QColor(196, 160, 110));
    QPainterPath flag;
    flag.moveTo(x + 2, top);
    flag.lineTo(x + 30, top + 6);
    flag.lineTo(x + 22, top + 12);
    flag.lineTo(x + 30, top + 20);
    flag.lineTo(x + 2, top + 22);
    flag.closeSubpath();
    d.Shape(flag, d.c.accent);
}

void Crown(const Pen& d, QPointF at) {
    QPainterPath crown;
    crown.moveTo(at + QPointF(-14, 6));
    crown.lineTo(at + QPointF(-14, -8));
    crown.lineTo(at + QPointF(-7, 0));
    crown.lineTo(at + QPointF(0, -10));
    crown.lineTo(at + QPointF(7, 0));
    crown.lineTo(at + QPointF(14, -8));
    crown.lineTo(at + QPointF(14, 6));
    crown.closeSubpath();
    d.Shape(crown, QColor(250, 210, 60));
}

void Figure(const Pen& d, UnitArt art) {
    const QColor wood(196, 160, 110), steel(220, 224, 232);
    switch (art) {
    case UnitArt::Spear:
        Man(d, -6);
        Spear(d, QPointF(6, 34), QPointF(14, -40), 5);
        Shield(d, -14, 0, 11, false);
        break;
    case UnitArt::Pike:
        Man(d, -14);
        Spear(d, QPointF(-30, 30), QPointF(36, -38), 5);
        Spear(d, QPointF(-14, 34), QPointF(40, -24), 5);
        break;
    case UnitArt::Sword:
        Man(d, -8);
        d.Stroke(QPointF(6, 0), QPointF(28, -30), 6, steel);
        d.Stroke(QPointF(0, -8), QPointF(12, 8), 5, QColor(196, 150, 60));
        Shield(d, -16, 2, 12, true);
        break;
    case UnitArt::Bill: {
        Man(d, -10);
        d.Stroke(QPointF(4, 34), QPointF(18, -32), 5, wood);
        QPainterPath hook;
        hook.moveTo(16, -40);
        hook.lineTo(28, -34);
        hook.quadTo(28, -22, 20, -18);
        hook.lineTo(16, -24);
        hook.closeSubpath();
        d.Shape(hook, steel);
        break;
    }
    case UnitArt::Axe: {
        Man(d, -10);
        d.Stroke(QPointF(2, 20), QPointF(18, -26), 5, wood);
        QPainterPath blade;
        blade.moveTo(14, -32);
        blade.quadTo(36, -36, 32, -12);
        blade.lineTo(18, -20);
        blade.closeSubpath();
        d.Shape(blade, steel);
        break;
    }
    case UnitArt::Halberd: {
        Man(d, -10);
        d.Stroke(QPointF(6, 34), QPointF(14, -34), 5, wood);
        QPainterPath blade;
        blade.moveTo(14, -30);
        blade.lineTo(28, -34);
        blade.lineTo(28, -18);
        blade.lineTo(14, -18);
        blade.closeSubpath();
        d.Shape(blade, steel);
        Spear(d, QPointF(14, -30), QPointF(15, -40), 3);
        break;
    }
    case UnitArt::Levy:
        Man(d, -8);
        d.Stroke(QPointF(4, 34), QPointF(16, -28), 5, wood);
        for (int k = -1; k <= 1; ++k)
            d.Stroke(QPointF(16 + k * 6, -28), QPointF(17 + k * 7, -42), 3, steel);
        break;
    case UnitArt::DismountedKnight:
        Man(d, -6);
        d.Ellipse(QPointF(-6, -33), 4, 6, d.c.accent); // crest
        d.Stroke(QPointF(8, 10), QPointF(22, -38), 7, steel);
        d.Stroke(QPointF(2, -2), QPointF(16, 4), 5, QColor(196, 150, 60));
        Shield(d, -18, 0, 12, true);
        break;
    case UnitArt::Bow:
        Man(d, -10);
        Bow(d, 8, 46);
        break;
    case UnitArt::Longbow:
        Man(d, -12);
        Bow(d, 8, 76);
        break;
    case UnitArt::Crossbow:
        Man(d, -16);
        Crossbow(d, QPointF(8, -6));
        break;
    case UnitArt::Handgun:
        Man(d, -16);
        d.Stroke(QPointF(-6, -4), QPointF(26, -12), 6, QColor(110, 112, 124));
        d.Ellipse(QPointF(36, -16), 7, 6, QColor(230, 230, 230)); // smoke
        d.Ellipse(QPointF(42, -24), 5, 5, QColor(230, 230, 230));
        break;
    case UnitArt::Sling: {
        Man(d, -10);
        QPainterPath loop;
        loop.moveTo(4, -12);
        loop.cubicTo(30, -50, 40, -10, 14, -22);
        d.p.setBrush(Qt::NoBrush);
        d.p.setPen(QPen(d.c.ink, 5 + 2 * d.w, Qt::SolidLine, Qt::RoundCap));
        d.p.drawPath(loop);
        d.p.setPen(QPen(wood, 5, Qt::SolidLine, Qt::RoundCap));
        d.p.drawPath(loop);
        d.Ellipse(QPointF(30, -32), 5, 5, QColor(150, 150, 150));
        break;
    }
    case UnitArt::Javelin:
        Man(d, -10);
        Spear(d, QPointF(-8, -10), QPointF(30, -34), 4);
        Spear(d, QPointF(-20, 20), QPointF(-10, -30), 3);
        break;
    case UnitArt::Knight:
        Horse(d, true);
        Rider(d, -6);
        d.Ellipse(QPointF(-6, -44), 4, 5, d.c.field); // plume
        Spear(d, QPointF(-28, -14), QPointF(40, -30), 5);
        Shield(d, -14, -10, 9, true);
        break;
    case UnitArt::MenAtArms:
        Horse(d, false);
        Rider(d, -6);
        d.Stroke(QPointF(2, -22), QPointF(22, -44), 6, steel);
        Shield(d, -14, -10, 9, true);
        break;
    case UnitArt::LightHorse:
        Horse(d, false);
        Rider(d, -6);
        Spear(d, QPointF(-16, 0), QPointF(12, -46), 4);
        break;
    case UnitArt::HorseArcher:
        Horse(d, false);
        Rider(d, -8);
        Bow(d, 8, 34);
        break;
    case UnitArt::MountedCrossbow:
        Horse(d, false);
        Rider(d, -10);
        Crossbow(d, QPointF(10, -22));
        break;
    case UnitArt::LightGun:
        Gun(d, 44, 5);
        break;
    case UnitArt::MediumGun:
        Gun(d, 54, 7);
        break;
    case UnitArt::HeavyGun:
        Gun(d, 64, 10);
        d.Ellipse(QPointF(34, 22), 5, 5, QColor(90, 90, 96)); // shot
        d.Ellipse(QPointF(44, 22), 5, 5, QColor(90, 90, 96));
        break;
    case UnitArt::Wagon:
        Wagon(d, -4, 1.0);
        break;
    case UnitArt::Baggage:
        Wagon(d, -18, 0.7);
        d.Ellipse(QPointF(24, 12), 10, 14, QColor(160, 112, 64)); // barrels
        d.Ellipse(QPointF(34, 20), 8, 12, QColor(140, 100, 56));
        break;
    case UnitArt::FootLeader:
        Man(d, -12);
        Banner(d, 2, -44, 34);
        break;
    case UnitArt::MountedLeader:
        Horse(d, true);
        Rider(d, -6);
        Banner(d, 8, -48, -10);
        break;
    case UnitArt::General:
        Horse(d, true);
        Rider(d, -6);
        Crown(d, QPointF(-6, -44));
        Banner(d, 10, -46, -8);
        break;
    }
}

} // namespace

void DrawUnitCounter(QPainter& p, UnitArt art, UnitSide side, double pixelsPerUnit) {
    const Palette& c = side == UnitSide::Western ? West : East;
    const double px = 1 / pixelsPerUnit; // one pixel in frame units
    const double rim = std::max(5.0, px * 1.4);
    p.setPen(QPen(c.ink, std::max(px, 2.0)));
    p.setBrush(c.rim);
    p.drawRoundedRect(QRectF(-49, -49, 98, 98), 14, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(c.field);
    p.drawRoundedRect(QRectF(-49 + rim, -49 + rim, 98 - 2 * rim, 98 - 2 * rim), 10, 10);
    p.save();
    p.translate(0, 5); // the figures reach higher (weapons) than low (feet)
    p.scale(side == UnitSide::Western ? 0.94 : -0.94, 0.94); // Eastern pictures face west
    Figure(Pen{p, c, std::max(1.6, px * 0.9)}, art);
    p.restore();
}

QImage PaintUnitSymbol(UnitArt art, UnitSide side, int level) {
    const int cell = UnitCellSize(level);
    const double counter = UnitCounterSize(level);
    QImage canvas = TransparentCanvas(cell, cell);
    QPainter p(&canvas);
    PreparePainter(p);
    p.translate(UnitCounterCentreX(level), UnitCounterCentreY(level));
    p.scale(counter / 100.0, counter / 100.0);
    DrawUnitCounter(p, art, side, counter / 100.0);
    p.end();
    return FinishSymbol(canvas);
}

} // namespace k2stock
