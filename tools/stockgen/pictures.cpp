#include "stockgen/pictures.h"

#include "stockgen/art_kit.h"
#include "stockgen/pixel_rules.h"
#include "stockgen/unit_painter.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace k2stock {
namespace {

const QColor Ink(36, 26, 18);
const QColor Gold(232, 190, 64);
const QColor Crimson(160, 28, 32);
const QColor Azure(36, 70, 150);

void Castle(QPainter& p, double x, double base, double scale, const QColor& stone) {
    p.setPen(QPen(Shade(stone, 0.45), 1.5 * scale));
    p.setBrush(stone);
    auto tower = [&](double cx, double w, double h) {
        p.drawRect(QRectF(cx - w / 2, base - h, w, h));
        for (double t = cx - w / 2; t < cx + w / 2 - 1; t += w / 4)
            p.drawRect(QRectF(t, base - h - w / 6, w / 8, w / 6));
    };
    p.drawRect(QRectF(x - 70 * scale, base - 40 * scale, 140 * scale, 40 * scale));
    for (double t = x - 70 * scale; t < x + 70 * scale - 1; t += 12 * scale)
        p.drawRect(QRectF(t, base - 46 * scale, 6 * scale, 6 * scale));
    tower(x - 70 * scale, 26 * scale, 70 * scale);
    tower(x + 70 * scale, 26 * scale, 70 * scale);
    tower(x, 40 * scale, 100 * scale);
    p.setBrush(Shade(stone, 0.3));
    p.drawRect(QRectF(x - 8 * scale, base - 22 * scale, 16 * scale, 22 * scale));
    p.setPen(QPen(Ink, 2 * scale));
    p.drawLine(QPointF(x, base - 100 * scale - 7 * scale), QPointF(x, base - 140 * scale));
    QPainterPath flag;
    flag.moveTo(x, base - 140 * scale);
    flag.lineTo(x + 34 * scale, base - 132 * scale);
    flag.lineTo(x, base - 122 * scale);
    flag.closeSubpath();
    p.setBrush(Crimson);
    p.drawPath(flag);
}

QPainterPath HeaterShield(QRectF r) {
    QPainterPath s;
    s.moveTo(r.topLeft());
    s.lineTo(r.topRight());
    s.lineTo(r.right(), r.top() + r.height() * 0.45);
    s.quadTo(r.right(), r.bottom() - r.height() * 0.15, r.center().x(), r.bottom());
    s.quadTo(r.left(), r.bottom() - r.height() * 0.15, r.left(), r.top() + r.height() * 0.45);
    s.closeSubpath();
    return s;
}

void Sword(QPainter& p, QPointF hilt, QPointF tip, double width) {
    const QPointF d = (tip - hilt) / std::hypot(tip.x() - hilt.x(), tip.y() - hilt.y());
    const QPointF n(-d.y(), d.x());
    QPainterPath blade;
    blade.moveTo(hilt + n * width / 2);
    blade.lineTo(tip - d * width * 1.5 + n * width / 2);
    blade.lineTo(tip);
    blade.lineTo(tip - d * width * 1.5 - n * width / 2);
    blade.lineTo(hilt - n * width / 2);
    blade.closeSubpath();
    p.setPen(QPen(Ink, 2));
    p.setBrush(QColor(214, 220, 230));
    p.drawPath(blade);
    p.setPen(QPen(Ink, width * 1.0 + 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hilt + n * width * 2, hilt - n * width * 2);
    p.setPen(QPen(Gold, width * 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hilt + n * width * 2, hilt - n * width * 2);
    p.setPen(QPen(QColor(110, 70, 40), width * 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hilt, hilt - d * width * 3);
    p.setPen(QPen(Ink, 1.5));
    p.setBrush(Gold);
    p.drawEllipse(hilt - d * width * 3.6, width * 0.8, width * 0.8);
}

QImage IconCanvas(const QColor& top, const QColor& bottom) {
    QImage image(120, 120, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    QLinearGradient g(0, 0, 0, 120);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(image.rect(), g);
    p.setPen(QPen(Gold, 4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2, 2, 116, 116));
    p.setPen(QPen(Ink, 1));
    p.drawRect(QRectF(5.5, 5.5, 109, 109));
    return image;
}

QImage Finish(QImage image) {
    return FinishSymbol(image);
}

} // namespace

QString PickFontFamily(const QStringList& preferred) {
    const QStringList families = QFontDatabase::families();
    for (const QString& want : preferred)
        for (const QString& have : families)
            if (have.compare(want, Qt::CaseInsensitive) == 0 ||
                have.startsWith(want + "_", Qt::CaseInsensitive))
                return have;
    return QStringLiteral("serif");
}

QImage PaintTitlePicture() {
    QImage image(640, 400, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    PreparePainter(p);
    // Evening sky over rolling hills.
    QLinearGradient sky(0, 0, 0, 260);
    sky.setColorAt(0, QColor(34, 44, 86));
    sky.setColorAt(0.6, QColor(168, 108, 84));
    sky.setColorAt(1, QColor(236, 184, 108));
    p.fillRect(image.rect(), sky);
    QRadialGradient sun(QPointF(470, 232), 90);
    sun.setColorAt(0, QColor(255, 236, 170));
    sun.setColorAt(1, QColor(255, 236, 170, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(470, 232), 90, 90);
    SeededRandom r(2202);
    auto hills = [&](double base, double amp, QColor colour, uint32_t seed) {
        QPainterPath path(QPointF(0, 400));
        for (int x = 0; x <= 640; x += 8)
            path.lineTo(x, base - amp * FractalNoise(x / 160.0, 0.5, seed, 3));
        path.lineTo(640, 400);
        path.closeSubpath();
        p.setBrush(colour);
        p.drawPath(path);
    };
    hills(270, 70, QColor(92, 86, 98), 11);
    Castle(p, 470, 262, 0.9, QColor(110, 100, 108));
    hills(310, 60, QColor(64, 84, 56), 12);
    hills(350, 50, QColor(44, 62, 40), 13);
    // Banners of the two sides on their poles.
    for (int side = 0; side < 2; ++side) {
        const double x = side ? 596 : 44;
        p.setPen(QPen(Ink, 4));
        p.drawLine(QPointF(x, 396), QPointF(x, 150));
        QPainterPath flag;
        const double dir = side ? -1 : 1;
        flag.moveTo(x, 156);
        flag.lineTo(x + dir * 64, 166);
        flag.lineTo(x + dir * 48, 186);
        flag.lineTo(x + dir * 64, 206);
        flag.lineTo(x, 214);
        flag.closeSubpath();
        p.setPen(QPen(Ink, 2));
        p.setBrush(side ? Crimson : Azure);
        p.drawPath(flag);
        p.setBrush(side ? Gold : QColor(236, 240, 250));
        p.drawEllipse(QPointF(x + dir * 26, 185), 9, 9);
    }
    // The shield with crossed swords behind it.
    Sword(p, QPointF(250, 250), QPointF(390, 96), 9);
    Sword(p, QPointF(390, 250), QPointF(250, 96), 9);
    const QRectF shieldRect(270, 110, 100, 124);
    const QPainterPath shield = HeaterShield(shieldRect);
    p.setPen(QPen(Ink, 4));
    p.setBrush(Gold);
    p.drawPath(shield);
    p.save();
    p.setClipPath(shield);
    p.setPen(Qt::NoPen);
    p.setBrush(Azure);
    p.drawRect(QRectF(270, 110, 50, 130));
    p.setBrush(Crimson);
    p.drawRect(QRectF(320, 110, 50, 130));
    p.restore();
    p.setPen(QPen(Ink, 4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shield);
    p.setPen(QPen(Gold, 3));
    p.drawPath(HeaterShield(shieldRect.adjusted(7, 7, -7, -9)));
    // A gold tower on the shield.
    p.setPen(QPen(Ink, 2));
    p.setBrush(Gold);
    p.drawRect(QRectF(306, 150, 28, 44));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(304 + i * 12, 142, 8, 9));
    p.setBrush(Ink);
    p.drawRect(QRectF(315, 178, 10, 16));

    // Title and subtitle, with a dark shadow so they read over the sky.
    const QString titleFamily = PickFontFamily({"Blankenburg", "Cardo", "Klaudia", "Liberation Serif"});
    const QString subFamily = PickFontFamily({"Cardo", "Klaudia", "Liberation Serif"});
    QFont title(titleFamily);
    title.setPixelSize(62);
    QFont sub(subFamily);
    sub.setPixelSize(30);
    sub.setItalic(true);
    auto text = [&](const QFont& font, const QRectF& box, const QString& s, const QColor& colour) {
        p.setFont(font);
        p.setPen(QColor(20, 14, 10));
        p.drawText(box.translated(3, 3), Qt::AlignCenter, s);
        p.setPen(colour);
        p.drawText(box, Qt::AlignCenter, s);
    };
    text(title, QRectF(0, 18, 640, 80), QStringLiteral("Keldmar 2"), Gold);
    text(sub, QRectF(0, 300, 640, 50), QStringLiteral("Battle Editor"), QColor(240, 232, 210));
    p.setPen(QPen(Gold, 2));
    p.drawLine(QPointF(200, 352), QPointF(440, 352));
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

std::vector<BattleIcon> PaintBattleIcons() {
    std::vector<BattleIcon> icons;
    {
        QImage img = IconCanvas(QColor(60, 70, 120), QColor(24, 28, 56));
        QPainter p(&img);
        PreparePainter(p);
        Sword(p, QPointF(42, 86), QPointF(96, 20), 8);
        p.end();
        icons.push_back({"sword", Finish(img)});
    }
    {
        QImage img = IconCanvas(QColor(120, 160, 210), QColor(200, 190, 150));
        QPainter p(&img);
        PreparePainter(p);
        Castle(p, 60, 104, 0.5, QColor(190, 182, 164));
        p.end();
        icons.push_back({"castle", Finish(img)});
    }
    {
        QImage img = IconCanvas(QColor(110, 20, 30), QColor(60, 10, 16));
        QPainter p(&img);
        PreparePainter(p);
        QPainterPath crown;
        crown.moveTo(24, 86);
        crown.lineTo(20, 40);
        crown.lineTo(40, 62);
        crown.lineTo(60, 30);
        crown.lineTo(80, 62);
        crown.lineTo(100, 40);
        crown.lineTo(96, 86);
        crown.closeSubpath();
        p.setPen(QPen(Ink, 3));
        p.setBrush(Gold);
        p.drawPath(crown);
        p.setBrush(Crimson);
        p.drawEllipse(QPointF(60, 74), 6, 6);
        p.setBrush(QColor(60, 120, 200));
        p.drawEllipse(QPointF(38, 76), 4, 4);
        p.drawEllipse(QPointF(82, 76), 4, 4);
        p.end();
        icons.push_back({"crown", Finish(img)});
    }
    {
        QImage img = IconCanvas(QColor(90, 130, 70), QColor(40, 70, 36));
        QPainter p(&img);
        PreparePainter(p);
        QPainterPath bow;
        bow.moveTo(36, 18);
        bow.quadTo(104, 60, 36, 102);
        p.setPen(QPen(Ink, 9, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(bow);
        p.setPen(QPen(QColor(170, 120, 60), 6, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(bow);
        p.setPen(QPen(QColor(230, 230, 220), 1.5));
        p.drawLine(QPointF(36, 18), QPointF(36, 102));
        p.setPen(QPen(Ink, 3));
        p.drawLine(QPointF(22, 60), QPointF(98, 60));
        p.setBrush(QColor(200, 204, 214));
        QPainterPath head;
        head.moveTo(104, 60);
        head.lineTo(92, 54);
        head.lineTo(92, 66);
        head.closeSubpath();
        p.drawPath(head);
        p.end();
        icons.push_back({"bow", Finish(img)});
    }
    {
        QImage img = IconCanvas(QColor(170, 150, 110), QColor(110, 90, 60));
        QPainter p(&img);
        PreparePainter(p);
        p.translate(60, 62);
        p.scale(0.95, 0.95);
        DrawUnitCounter(p, UnitArt::Knight, UnitSide::Western, 0.95);
        p.end();
        icons.push_back({"horse", Finish(img)});
    }
    {
        QImage img = IconCanvas(QColor(40, 60, 110), QColor(20, 30, 60));
        QPainter p(&img);
        PreparePainter(p);
        p.setPen(QPen(Ink, 4));
        p.drawLine(QPointF(30, 108), QPointF(30, 14));
        QPainterPath flag;
        flag.moveTo(32, 18);
        flag.lineTo(100, 28);
        flag.lineTo(84, 48);
        flag.lineTo(100, 68);
        flag.lineTo(32, 74);
        flag.closeSubpath();
        p.setPen(QPen(Ink, 2));
        p.setBrush(Crimson);
        p.drawPath(flag);
        p.setBrush(Gold);
        p.drawEllipse(QPointF(56, 46), 11, 11);
        p.end();
        icons.push_back({"banner", Finish(img)});
    }
    {
        QImage img = IconCanvas(QColor(150, 150, 160), QColor(80, 80, 92));
        QPainter p(&img);
        PreparePainter(p);
        const QPainterPath s = HeaterShield(QRectF(24, 16, 72, 90));
        p.setPen(QPen(Ink, 3));
        p.setBrush(Azure);
        p.drawPath(s);
        p.setClipPath(s);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(236, 240, 250));
        p.drawRect(QRectF(52, 10, 16, 100));
        p.drawRect(QRectF(20, 44, 80, 16));
        p.setClipping(false);
        p.setPen(QPen(Gold, 3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(s);
        p.end();
        icons.push_back({"shield", Finish(img)});
    }
    return icons;
}

} // namespace k2stock
