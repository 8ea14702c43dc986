#include "stockgen/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>
#include <cmath>
#include <system_error>

namespace k2stock {
namespace fs = std::filesystem;
namespace {

const QColor Ink(36, 26, 18);
const QColor Gold(232, 190, 64);
const QColor Crimson(160, 28, 32);
const QColor Azure(36, 70, 150);
const QColor Field(74, 118, 58);

// A hexagon with flat top and bottom, like the map's hexes.
QPolygonF Hexagon(QPointF centre, double radius) {
    QPolygonF hex;
    for (int k = 0; k < 6; ++k) {
        const double angle = M_PI / 3 * k;
        hex << QPointF(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
    }
    return hex;
}

QPainterPath Shield(const QRectF& r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right(), r.top());
    path.lineTo(r.right(), r.top() + r.height() * 0.45);
    path.quadTo(r.right(), r.bottom() - r.height() * 0.12, r.center().x(), r.bottom());
    path.quadTo(r.left(), r.bottom() - r.height() * 0.12, r.left(), r.top() + r.height() * 0.45);
    path.closeSubpath();
    return path;
}

} // namespace

QImage PaintAppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 256-unit square; the outlines thicken a little at small sizes so they still show.
    p.scale(size / 256.0, size / 256.0);
    const double line = std::max(6.0, 256.0 / size * 1.2);

    p.setPen(QPen(Ink, line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Gold);
    p.drawPolygon(Hexagon(QPointF(128, 128), 122));
    p.setPen(Qt::NoPen);
    p.setBrush(Field);
    p.drawPolygon(Hexagon(QPointF(128, 128), 104));

    // The shield of the two forces, Western blue and Eastern red, with a gold rim.
    const QRectF shieldBox(66, 48, 124, 156);
    const QPainterPath shield = Shield(shieldBox);
    p.save();
    p.setClipPath(shield);
    p.fillRect(QRectF(shieldBox.left(), shieldBox.top(), shieldBox.width() / 2, shieldBox.height()), Azure);
    p.fillRect(QRectF(shieldBox.center().x(), shieldBox.top(), shieldBox.width() / 2, shieldBox.height()),
               Crimson);
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Ink, line * 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shield);
    p.setPen(QPen(Gold, line * 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shield);
    // A gold tower in the middle; left out where it would be a smudge.
    if (size >= 32) {
        p.setPen(QPen(Ink, line * 0.6));
        p.setBrush(Gold);
        p.drawRect(QRectF(110, 96, 36, 58));
        for (int i = 0; i < 3; ++i)
            p.drawRect(QRectF(106 + i * 16, 84, 12, 14));
        p.setBrush(Ink);
        p.drawRect(QRectF(122, 132, 12, 22));
    }
    p.end();
    return image;
}

fs::path AppIconsPath(const fs::path& installDir) {
    fs::path dir = fs::absolute(installDir).lexically_normal();
    if (dir.filename().empty()) dir = dir.parent_path(); // "install/" names the same directory
    return dir.parent_path() / "icons";
}

bool WriteAppIcons(const fs::path& iconsDir, std::string& error) {
    for (int size : AppIconSizes) {
        const std::string sizeName = std::to_string(size) + "x" + std::to_string(size);
        const fs::path dir = iconsDir / "hicolor" / sizeName / "apps";
        std::error_code ec;
        fs::create_directories(dir, ec);
        const fs::path file = dir / (std::string(AppIconName) + ".png");
        if (ec || !PaintAppIcon(size).save(QString::fromStdString(file.string()), "PNG")) {
            error = "Could not write " + file.string();
            return false;
        }
    }
    return true;
}

} // namespace k2stock
