// The dark leather texture that every dialog tiles as its backdrop, generated in code so that
// the program ships no picture of its own for it. The same texture comes out on every run.
#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>

namespace k2 {

// Tiles seamlessly: its noise wraps around both edges.
QImage MakeBackdropTexture(int size = 128);
QPixmap BackdropPixmap();

// Text colours that read well on the backdrop.
inline QColor BackdropGold() {
    return QColor(0xDD, 0xC5, 0x1C);
}
inline QColor BackdropCream() {
    return QColor(0xF0, 0xE6, 0xCC);
}
inline QColor BackdropGrey() {
    return QColor(0x80, 0x80, 0x80);
}

} // namespace k2
