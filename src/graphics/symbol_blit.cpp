#include "graphics/symbol_blit.h"

#include <algorithm>
#include <cstring>

namespace k2 {

void BlitSymbol(QImage& target, const QRect& clip, int32_t dx, int32_t dy, const QImage& bitmap,
                const QImage* mask, int32_t sx, int32_t sy, int32_t w, int32_t h) {
    if (w <= 0 || h <= 0 || bitmap.isNull() || target.isNull()) return;
    if (target.format() != QImage::Format_RGB16 || bitmap.format() != QImage::Format_RGB16) return;
    if (mask && (mask->isNull() || mask->format() != QImage::Format_RGB16)) return;

    // Source rectangle, cut to the bitmap (and the mask).
    int64_t srcRight = std::min<int64_t>(int64_t(sx) + w, bitmap.width());
    int64_t srcBottom = std::min<int64_t>(int64_t(sy) + h, bitmap.height());
    if (mask) {
        srcRight = std::min<int64_t>(srcRight, mask->width());
        srcBottom = std::min<int64_t>(srcBottom, mask->height());
    }
    // Target rectangle, cut to the clip and the target.
    const QRect bounds = clip.intersected(target.rect());
    if (bounds.isEmpty()) return;
    int64_t x0 = std::max<int64_t>({dx, bounds.left(), int64_t(dx) - std::min<int64_t>(sx, 0)});
    int64_t y0 = std::max<int64_t>({dy, bounds.top(), int64_t(dy) - std::min<int64_t>(sy, 0)});
    int64_t x1 =
        std::min<int64_t>({int64_t(dx) + w, int64_t(bounds.right()) + 1, int64_t(dx) + (srcRight - sx)});
    int64_t y1 =
        std::min<int64_t>({int64_t(dy) + h, int64_t(bounds.bottom()) + 1, int64_t(dy) + (srcBottom - sy)});
    if (x0 >= x1 || y0 >= y1) return;

    const int32_t width = static_cast<int32_t>(x1 - x0);
    const int32_t srcX = static_cast<int32_t>(sx + (x0 - dx));
    const int32_t srcY = static_cast<int32_t>(sy + (y0 - dy));
    const qsizetype dstStride = target.bytesPerLine() / 2;
    const qsizetype srcStride = bitmap.bytesPerLine() / 2;
    uint16_t* dst = reinterpret_cast<uint16_t*>(target.bits()) + y0 * dstStride + x0;
    const uint16_t* src = reinterpret_cast<const uint16_t*>(bitmap.constBits()) + srcY * srcStride + srcX;
    const int32_t rows = static_cast<int32_t>(y1 - y0);
    if (mask) {
        const qsizetype maskStride = mask->bytesPerLine() / 2;
        const uint16_t* msk = reinterpret_cast<const uint16_t*>(mask->constBits()) + srcY * maskStride + srcX;
        for (int32_t r = 0; r < rows; ++r, dst += dstStride, src += srcStride, msk += maskStride)
            for (int32_t i = 0; i < width; ++i)
                dst[i] = static_cast<uint16_t>((dst[i] & msk[i]) | src[i]);
    } else {
        for (int32_t r = 0; r < rows; ++r, dst += dstStride, src += srcStride)
            for (int32_t i = 0; i < width; ++i)
                dst[i] = static_cast<uint16_t>(dst[i] | src[i]);
    }
}

void FillRect16(QImage& target, const QRect& rect, uint16_t value) {
    if (target.isNull() || target.format() != QImage::Format_RGB16) return;
    const QRect r = rect.intersected(target.rect());
    if (r.isEmpty()) return;
    const qsizetype stride = target.bytesPerLine() / 2;
    uint16_t* row = reinterpret_cast<uint16_t*>(target.bits()) + r.top() * stride + r.left();
    if ((value & 0xFF) == (value >> 8)) {
        // Both bytes alike (black above all): memset, in one call when the rows are contiguous.
        const int byte = value & 0xFF;
        if (r.width() == target.width() && stride == r.width()) {
            std::memset(row, byte, size_t(r.width()) * size_t(r.height()) * 2);
            return;
        }
        for (int y = 0; y < r.height(); ++y, row += stride)
            std::memset(row, byte, size_t(r.width()) * 2);
        return;
    }
    for (int y = 0; y < r.height(); ++y, row += stride)
        std::fill(row, row + r.width(), value);
}

uint16_t ToRgb16(QRgb c) {
    return static_cast<uint16_t>(((qRed(c) >> 3) << 11) | ((qGreen(c) >> 2) << 5) | (qBlue(c) >> 3));
}

} // namespace k2
