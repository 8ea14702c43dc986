#include "stockgen/pixel_rules.h"

namespace k2stock {

QRgb OpaqueColour(QRgb colour) {
    const int r = qRed(colour), g = qGreen(colour), b = qBlue(colour);
    if (IsBlackIn565(r, g, b)) return qRgb(10, 10, 10);
    return qRgb(r, g, b);
}

QImage FinishSymbol(const QImage& painted) {
    const QImage src = painted.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x)
            line[x] = qAlpha(in[x]) >= 128 ? OpaqueColour(in[x]) : qRgb(0, 0, 0);
    }
    return out;
}

QImage TransparentCanvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

} // namespace k2stock
