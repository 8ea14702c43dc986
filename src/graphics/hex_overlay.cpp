#include "graphics/hex_overlay.h"

#include "core/hex_grid.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace k2 {

namespace {

bool Marked(std::span<const uint8_t> marks, int32_t hex) {
    return hex >= 0 && std::size_t(hex) < marks.size() && marks[std::size_t(hex)] != 0;
}

uint16_t Rgb16(QRgb c) {
    return uint16_t(((qRed(c) >> 3) << 11) | ((qGreen(c) >> 2) << 5) | (qBlue(c) >> 3));
}

// Each channel of an RGB16 pixel divided by four, for the quarter blend.
constexpr uint16_t QuarterMask = 0x39E7;

// p * 3/4 + tint/4, channel by channel (a channel never borrows from or carries into the next).
void TintSpan(uint16_t* p, int32_t n, uint16_t tintQuarter) {
    int32_t i = 0;
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi16(short(QuarterMask));
    const __m128i add = _mm_set1_epi16(short(tintQuarter));
    for (; i + 8 <= n; i += 8) {
        auto* at = reinterpret_cast<__m128i*>(p + i);
        const __m128i v = _mm_loadu_si128(at);
        const __m128i quarter = _mm_and_si128(_mm_srli_epi16(v, 2), mask);
        _mm_storeu_si128(at, _mm_add_epi16(_mm_sub_epi16(v, quarter), add));
    }
#endif
    for (; i < n; ++i)
        p[i] = uint16_t(p[i] - ((p[i] >> 2) & QuarterMask) + tintQuarter);
}

// A line two pixels wide, cut to the picture.
void DrawLine(QImage& picture, QLine line, uint16_t colour) {
    const int32_t w = picture.width(), h = picture.height();
    const auto plot = [&](int32_t x, int32_t y) {
        for (int32_t dy = 0; dy < 2; ++dy) {
            if (y + dy < 0 || y + dy >= h) continue;
            auto* row = reinterpret_cast<uint16_t*>(picture.scanLine(y + dy));
            for (int32_t dx = 0; dx < 2; ++dx)
                if (x + dx >= 0 && x + dx < w) row[x + dx] = colour;
        }
    };
    int32_t x = line.x1(), y = line.y1();
    const int32_t dx = std::abs(line.x2() - x), dy = -std::abs(line.y2() - y);
    const int32_t sx = x < line.x2() ? 1 : -1, sy = y < line.y2() ? 1 : -1;
    int32_t err = dx + dy;
    while (true) {
        plot(x, y);
        if (x == line.x2() && y == line.y2()) break;
        const int32_t e2 = 2 * err;
        if (e2 >= dy) err += dy, x += sx;
        if (e2 <= dx) err += dx, y += sy;
    }
}

} // namespace

HexOverlay::Shape HexOverlay::ShapeNow() const {
    const HexPitches p = renderer_.Pitches();
    const auto z = std::size_t(std::clamp(renderer_.Zoom(), 0, 2));
    return {p.CellSize[z], p.RowPitch[z], p.CellSize[z] - p.ColumnPitch[z]};
}

QPoint HexOverlay::CellAt(int32_t hex) const {
    const HexPoint at = renderer_.HexPositionInBuffer(hex);
    return {at.X - renderer_.LeftMargin(), at.Y - renderer_.TopMargin()};
}

std::vector<QLine> HexOverlay::Outline(std::span<const uint8_t> marks) const {
    std::vector<QLine> lines;
    const Shape s = ShapeNow();
    if (s.Cell <= 0 || s.Height <= 0) return lines;
    const HexGrid grid{scenario_.Cols, scenario_.Rows};
    for (int32_t hex : renderer_.Visible().Hexes()) {
        if (!Marked(marks, hex)) continue;
        const QPoint c = CellAt(hex);
        const int32_t x = c.x(), y = c.y(), half = s.Height / 2;
        // The corners of the hexagon, clockwise from the top-left; side k runs from corner k to
        // corner k + 1 and faces the neighbour across HexDirection k.
        const std::array<QPoint, 6> corner = {
            QPoint(x + s.Inset, y),
            QPoint(x + s.Cell - 1 - s.Inset, y),
            QPoint(x + s.Cell - 1, y + half),
            QPoint(x + s.Cell - 1 - s.Inset, y + s.Height - 1),
            QPoint(x + s.Inset, y + s.Height - 1),
            QPoint(x, y + half),
        };
        for (int side = 0; side < 6; ++side) {
            const auto across = grid.Neighbour(hex, HexDirection(side));
            if (across && Marked(marks, *across)) continue;
            lines.emplace_back(corner[std::size_t(side)], corner[std::size_t((side + 1) % 6)]);
        }
    }
    return lines;
}

void HexOverlay::Draw(QImage& picture, std::span<const uint8_t> marks, QRgb tint, QRgb line) const {
    if (picture.isNull() || picture.format() != QImage::Format_RGB16) return;
    const Shape s = ShapeNow();
    if (s.Cell <= 0 || s.Height <= 0) return;
    const int32_t w = picture.width(), h = picture.height(), half = std::max(1, s.Height / 2);
    // How far each row of the hexagon starts inside its cell: the full inset at the top and
    // bottom edges, none across the middle. Neighbouring hexagons meet without overlapping.
    std::vector<int32_t> indent(std::size_t(s.Height));
    for (int32_t dy = 0; dy < s.Height; ++dy)
        indent[std::size_t(dy)] = s.Inset * std::abs(half - dy) / half;
    const uint16_t tintQuarter = uint16_t((Rgb16(tint) >> 2) & QuarterMask);
    for (int32_t hex : renderer_.Visible().Hexes()) {
        if (!Marked(marks, hex)) continue;
        const QPoint c = CellAt(hex);
        for (int32_t dy = 0; dy < s.Height; ++dy) {
            const int32_t y = c.y() + dy;
            if (y < 0 || y >= h) continue;
            const int32_t x0 = std::max(0, c.x() + indent[std::size_t(dy)]);
            const int32_t x1 = std::min(w, c.x() + s.Cell - indent[std::size_t(dy)]);
            if (x0 >= x1) continue;
            TintSpan(reinterpret_cast<uint16_t*>(picture.scanLine(y)) + x0, x1 - x0, tintQuarter);
        }
    }
    const uint16_t colour = Rgb16(line);
    for (const QLine& l : Outline(marks))
        DrawLine(picture, l, colour);
}

} // namespace k2
