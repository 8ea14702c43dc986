// Rules every stock bitmap pixel obeys. Pure black is the transparent colour, and the editor holds
// bitmaps at 16 bits (RGB565), so a drawn pixel must stay non-zero after that reduction.
#pragma once

#include <QImage>
#include <QRgb>

namespace k2stock {

// True when the colour reduces to 0 in RGB565, i.e. would read as transparent.
constexpr bool IsBlackIn565(int r, int g, int b) {
    return r < 8 && g < 4 && b < 8;
}

// The colour itself, or the darkest grey that survives the reduction when it would not.
QRgb OpaqueColour(QRgb colour);

// Turns a painted ARGB picture into a symbol picture: pixels at least half covered become opaque
// (their colour un-premultiplied and kept clear of black), all others pure black. Returns RGB32.
QImage FinishSymbol(const QImage& painted);

// A fresh, fully transparent ARGB32 premultiplied canvas.
QImage TransparentCanvas(int width, int height);

} // namespace k2stock
