#include "graphics/backdrop.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace k2 {

namespace {

// A fixed-seed lattice of random values; sampling it with wrap-around makes tileable noise.
class Lattice {
  public:
    Lattice(int cells, uint32_t seed) : cells_(cells), values_(size_t(cells) * size_t(cells)) {
        uint32_t state = seed;
        for (float& v : values_) {
            state = state * 1664525u + 1013904223u;
            v = float(state >> 8) / float(1u << 24);
        }
    }
    float At(int x, int y) const {
        x = ((x % cells_) + cells_) % cells_;
        y = ((y % cells_) + cells_) % cells_;
        return values_[size_t(y) * size_t(cells_) + size_t(x)];
    }
    // Smoothly interpolated value at (u, v) in lattice cells.
    float Sample(float u, float v) const {
        const int x0 = int(std::floor(u)), y0 = int(std::floor(v));
        const float fx = u - float(x0), fy = v - float(y0);
        const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
        const float top = At(x0, y0) + (At(x0 + 1, y0) - At(x0, y0)) * sx;
        const float bottom = At(x0, y0 + 1) + (At(x0 + 1, y0 + 1) - At(x0, y0 + 1)) * sx;
        return top + (bottom - top) * sy;
    }

  private:
    int cells_;
    std::vector<float> values_;
};

} // namespace

QImage MakeBackdropTexture(int size) {
    size = std::max(size, 8);
    QImage image(size, size, QImage::Format_RGB32);
    const Lattice coarse(4, 0x4B32u), medium(16, 0x1D07u), fine(64, 0x7A11u);
    uint32_t grain = 0x2C1Bu;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float u = float(x) / float(size), v = float(y) / float(size);
            // Broad mottling, creases and a fine grain, as on worn leather.
            const float mottle = coarse.Sample(u * 4, v * 4);
            const float crease = medium.Sample(u * 16, v * 16);
            const float pore = fine.Sample(u * 64, v * 64);
            grain = grain * 1103515245u + 12345u;
            const float speck = float((grain >> 16) & 0xFF) / 255.0f;
            const float shade = 0.55f * mottle + 0.25f * crease + 0.12f * pore + 0.08f * speck;
            const int r = std::clamp(int(34 + 36 * shade), 0, 255);
            const int g = std::clamp(int(24 + 24 * shade), 0, 255);
            const int b = std::clamp(int(14 + 14 * shade), 0, 255);
            image.setPixel(x, y, qRgb(r, g, b));
        }
    }
    return image;
}

QPixmap BackdropPixmap() {
    return QPixmap::fromImage(MakeBackdropTexture());
}

} // namespace k2
