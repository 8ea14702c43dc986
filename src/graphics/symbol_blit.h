// Drawing a symbol rectangle into a 16-bit surface: AND with its mask, then OR with the symbol,
// one scanline at a time, clipped to a rectangle of the target, the target and the source.
#pragma once

#include <QImage>
#include <QRect>

#include <cstdint>

namespace k2 {

// Draws the w x h rectangle at (sx, sy) of `bitmap` at (dx, dy) of `target`. With `mask` the
// same rectangle of the mask is ANDed in first. Every image must be Format_RGB16; pixels outside
// `clip`, the target, the bitmap or the mask are left alone.
void BlitSymbol(QImage& target, const QRect& clip, int32_t dx, int32_t dy, const QImage& bitmap,
                const QImage* mask, int32_t sx, int32_t sy, int32_t w, int32_t h);

// Fills a rectangle of a 16-bit surface (clipped to it) with one pixel value.
void FillRect16(QImage& target, const QRect& rect, uint16_t value);

// The RGB16 pixel value of a colour.
uint16_t ToRgb16(QRgb colour);

} // namespace k2
