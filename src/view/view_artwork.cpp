#include "view/view_artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <cstring>

namespace k2 {

namespace {

constexpr QRgb Gold = 0xFFDDC51C;

QPixmap Canvas(int size) {
    QPixmap p(size, size);
    p.fill(Qt::transparent);
    return p;
}

// A gauntlet pointing up-left, outlined so it reads on dark and light terrain alike.
QCursor MakeHandCursor() {
    QPixmap pix = Canvas(32);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath hand;
    hand.moveTo(6, 2);
    hand.lineTo(10, 2);
    hand.lineTo(10, 12);
    hand.lineTo(13, 11);
    hand.lineTo(17, 12);
    hand.lineTo(21, 13);
    hand.lineTo(24, 15);
    hand.lineTo(24, 23);
    hand.lineTo(20, 29);
    hand.lineTo(10, 29);
    hand.lineTo(3, 19);
    hand.lineTo(3, 16);
    hand.lineTo(6, 16);
    hand.closeSubpath();
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(0xF2, 0xE6, 0xC8));
    p.drawPath(hand);
    p.setPen(QPen(QColor(0x60, 0x50, 0x30), 1));
    p.drawLine(QPointF(13.5, 12), QPointF(13.5, 18));
    p.drawLine(QPointF(17.5, 13), QPointF(17.5, 19));
    p.drawLine(QPointF(21, 14), QPointF(21, 19));
    p.end();
    return QCursor(pix, 8, 2);
}

void DrawMagnifier(QPainter& p, QRectF lens, bool plus, bool minus, QColor glass, QColor rim) {
    p.setRenderHint(QPainter::Antialiasing);
    const qreal handleWidth = lens.width() / 4.5;
    p.setPen(QPen(rim.darker(160), handleWidth, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = lens.center();
    const qreal r = lens.width() / 2;
    p.drawLine(c + QPointF(r * 0.7, r * 0.7), c + QPointF(r * 1.55, r * 1.55));
    p.setPen(QPen(rim, lens.width() / 9));
    p.setBrush(glass);
    p.drawEllipse(lens);
    p.setPen(QPen(Qt::black, lens.width() / 8, Qt::SolidLine, Qt::RoundCap));
    const qreal a = r * 0.5;
    if (plus || minus) p.drawLine(c - QPointF(a, 0), c + QPointF(a, 0));
    if (plus) p.drawLine(c - QPointF(0, a), c + QPointF(0, a));
}

QCursor MakeZoomCursor() {
    QPixmap pix = Canvas(32);
    QPainter p(&pix);
    DrawMagnifier(p, QRectF(2, 2, 18, 18), true, false, QColor(220, 235, 255, 200), QColor(Gold));
    p.end();
    return QCursor(pix, 11, 11);
}

} // namespace

const QCursor& MapCursor(const char* name) {
    static const QCursor hand = MakeHandCursor();
    static const QCursor zoom = MakeZoomCursor();
    return std::strcmp(name, "ZOOM") == 0 ? zoom : hand;
}

QIcon ZoomButtonIcon(bool zoomIn) {
    QIcon icon;
    for (int size : {16, 24, 32}) {
        for (bool enabled : {true, false}) {
            QPixmap pix = Canvas(size);
            QPainter p(&pix);
            const qreal lens = size * 0.62;
            DrawMagnifier(p, QRectF(1.5, 1.5, lens, lens), zoomIn, !zoomIn,
                          enabled ? QColor(225, 238, 255) : QColor(150, 150, 150),
                          enabled ? QColor(Gold) : QColor(110, 110, 110));
            p.end();
            icon.addPixmap(pix, enabled ? QIcon::Normal : QIcon::Disabled);
        }
    }
    return icon;
}

QImage DrawnTitlePicture(QSize size) {
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB16);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRect r = image.rect();
    const int unit = std::max(8, std::min(r.width() / 12, r.height() / 6));

    QFont small("Kelt");
    small.setPixelSize(unit);
    QFont large("Kelt");
    large.setPixelSize(unit * 2);
    large.setBold(true);

    QLinearGradient gold(0, r.height() / 2 - unit * 2, 0, r.height() / 2 + unit);
    gold.setColorAt(0, QColor(0xF6, 0xE2, 0x8A));
    gold.setColorAt(1, QColor(0xB0, 0x80, 0x1C));

    const QRect top(0, r.height() / 2 - unit * 3, r.width(), unit + unit / 2);
    const QRect mid(0, r.height() / 2 - unit * 3 / 2, r.width(), unit * 2 + unit / 2);
    p.setFont(small);
    p.setPen(QColor(Gold));
    p.drawText(top, Qt::AlignCenter, QStringLiteral("Tessary"));
    p.setFont(large);
    p.setPen(QPen(QBrush(gold), 1));
    p.drawText(mid, Qt::AlignCenter, QStringLiteral("Keldmar 2"));

    QFont caption("Arial");
    caption.setPixelSize(std::max(8, unit / 2));
    p.setFont(caption);
    p.setPen(QColor(0xA0, 0x98, 0x88));
    p.drawText(QRect(0, mid.bottom() + unit / 2, r.width(), unit), Qt::AlignCenter,
               QStringLiteral("Battle Editor"));
    p.setPen(QPen(QColor(0x80, 0x60, 0x20), 2));
    const int lineY = mid.bottom() + unit / 4;
    p.drawLine(r.width() / 2 - unit * 4, lineY, r.width() / 2 + unit * 4, lineY);
    p.end();
    return image;
}

} // namespace k2
