#include "graphics/hex_overlay.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace k2 {

namespace {

uint16_t Rgb16(QRgb c) {
    return uint16_t(((qRed(c) >> 3) << 11) | ((qGreen(c) >> 2) << 5) | (qBlue(c) >> 3));
}

// The rows of the map's pixels that the tint covers: one in this many.
constexpr int32_t TintedRowEvery = 3;

// Each channel of an RGB16 pixel halved, for the even blend.
constexpr uint16_t HalfMask = 0x7BEF;

// p/2 + tint/2, channel by channel (a channel never carries into the next).
#if defined(__GNUC__) && defined(__x86_64__)
// Sixteen pixels a step where the processor has AVX2; the picked version stays for the run.
__attribute__((target("avx2"))) void TintSpanWide(uint16_t* p, int32_t n, uint16_t tintHalf) {
    int32_t i = 0;
    for (; i + 16 <= n; i += 16) {
        uint16_t* at = p + i;
        typedef uint16_t Lanes __attribute__((vector_size(32), aligned(2)));
        Lanes v;
        __builtin_memcpy(&v, at, sizeof v);
        v = ((v >> 1) & HalfMask) + tintHalf;
        __builtin_memcpy(at, &v, sizeof v);
    }
    for (; i < n; ++i)
        p[i] = uint16_t(((p[i] >> 1) & HalfMask) + tintHalf);
}
#endif

void TintSpanNarrow(uint16_t* p, int32_t n, uint16_t tintHalf) {
    int32_t i = 0;
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi16(short(HalfMask));
    const __m128i add = _mm_set1_epi16(short(tintHalf));
    for (; i + 8 <= n; i += 8) {
        auto* at = reinterpret_cast<__m128i*>(p + i);
        const __m128i v = _mm_loadu_si128(at);
        _mm_storeu_si128(at, _mm_add_epi16(_mm_and_si128(_mm_srli_epi16(v, 1), mask), add));
    }
#endif
    for (; i < n; ++i)
        p[i] = uint16_t(((p[i] >> 1) & HalfMask) + tintHalf);
}

void TintSpan(uint16_t* p, int32_t n, uint16_t tintHalf) {
#if defined(__GNUC__) && defined(__x86_64__)
    static const bool wide = __builtin_cpu_supports("avx2");
    if (wide) return TintSpanWide(p, n, tintHalf);
#endif
    TintSpanNarrow(p, n, tintHalf);
}

// A line two pixels wide, cut to the picture.
void DrawLine(uint16_t* bits, int32_t stride, int32_t w, int32_t h, QLine line, uint16_t colour) {
    const int32_t left = std::min(line.x1(), line.x2()), right = std::max(line.x1(), line.x2()) + 1;
    const int32_t top = std::min(line.y1(), line.y2()), bottom = std::max(line.y1(), line.y2()) + 1;
    if (right < 0 || bottom < 0 || left >= w || top >= h) return;
    if (line.y1() == line.y2()) { // the top and bottom sides of a hexagon
        const int32_t x0 = std::max(0, left), x1 = std::min(w, right + 1);
        for (int32_t y = std::max(0, top); y < std::min(h, bottom + 1); ++y)
            std::fill(bits + std::ptrdiff_t(y) * stride + x0, bits + std::ptrdiff_t(y) * stride + x1, colour);
        return;
    }
    const bool inside = left >= 0 && top >= 0 && right < w && bottom < h;
    int32_t x = line.x1(), y = line.y1();
    const int32_t dx = std::abs(line.x2() - x), dy = -std::abs(line.y2() - y);
    // Two pixels wide across the line: side by side on a steep line, one above the other on a
    // flat one.
    const int32_t ax = -dy >= dx ? 1 : 0, ay = 1 - ax;
    const auto plot = [&](int32_t px, int32_t py) {
        for (int32_t k = 0; k < 2; ++k) {
            const int32_t qx = px + k * ax, qy = py + k * ay;
            if (inside || (qx >= 0 && qx < w && qy >= 0 && qy < h))
                bits[std::ptrdiff_t(qy) * stride + qx] = colour;
        }
    };
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

// Floor division for a positive divisor.
int32_t FloorDiv(int32_t a, int32_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

HexOverlay::Shape HexOverlay::ShapeNow() const {
    const HexPitches p = renderer_.Pitches();
    const auto z = std::size_t(std::clamp(renderer_.Zoom(), 0, 2));
    return {p.CellSize[z], p.RowPitch[z], p.CellSize[z] - p.ColumnPitch[z]};
}

HexOverlay::Grid HexOverlay::MakeGrid(std::span<const uint8_t> marks) const {
    // The marks of the pass's rows and columns with a ring of their neighbours around them (off
    // the map: unmarked), so that every neighbour is one lookup.
    Grid g;
    const RenderWindow& w = renderer_.Window();
    g.Columns = std::max(0, w.ColumnCount);
    g.Rows = std::max(0, w.RowCount);
    g.Stride = g.Columns + 2;
    g.Cells.assign(std::size_t(g.Stride) * std::size_t(g.Rows + 2), 0);
    // The columns of the ring and the pass that lie on the map, copied row by row.
    const int32_t firstCol = std::max(-1, -w.OriginColumn);
    const int32_t lastCol = std::min(g.Columns, scenario_.Cols - 1 - w.OriginColumn);
    for (int32_t r = -1; r <= g.Rows && firstCol <= lastCol; ++r) {
        const int32_t row = w.OriginRow + r;
        if (row < 0 || row >= scenario_.Rows) continue;
        const int64_t start = int64_t(row) * scenario_.Cols + w.OriginColumn + firstCol;
        const int64_t count = std::min<int64_t>(lastCol - firstCol + 1, int64_t(marks.size()) - start);
        if (count > 0) std::memcpy(&g.Cells[g.At(r, firstCol)], marks.data() + start, std::size_t(count));
    }
    return g;
}

std::vector<QLine> HexOverlay::Outline(std::span<const uint8_t> marks) const {
    const Shape s = ShapeNow();
    if (s.Cell <= 0 || s.Height <= 0 || !renderer_.BattleLoaded()) return {};
    return OutlineOf(MakeGrid(marks), s);
}

std::vector<QLine> HexOverlay::OutlineOf(const Grid& g, const Shape& s) const {
    std::vector<QLine> lines;
    const RenderWindow& w = renderer_.Window();
    const int32_t pitch = s.Cell - s.Inset, half = s.Height / 2;
    const auto wholeRow = [&](int32_t r) {
        const uint8_t* row = &g.Cells[g.At(r, -1)];
        return std::memchr(row, 0, std::size_t(g.Stride)) == nullptr;
    };
    for (int32_t r = 0; r < g.Rows; ++r) {
        // A row whose neighbours all round are marked has no edge: inside a large selection
        // most rows are such.
        if (wholeRow(r - 1) && wholeRow(r) && wholeRow(r + 1)) continue;
        for (int32_t c = 0; c < g.Columns; ++c) {
            if (!g.Cells[g.At(r, c)]) continue;
            const bool odd = ((w.OriginColumn + c) & 1) != 0;
            // The rows of the neighbours in the columns either side: an odd column stands half a
            // row lower, so its side neighbours are on its own row and the one below.
            const int32_t up = odd ? r : r - 1, down = odd ? r + 1 : r;
            const std::array<bool, 6> across = {
                g.Cells[g.At(r - 1, c)] != 0,    g.Cells[g.At(up, c + 1)] != 0,
                g.Cells[g.At(down, c + 1)] != 0, g.Cells[g.At(r + 1, c)] != 0,
                g.Cells[g.At(down, c - 1)] != 0, g.Cells[g.At(up, c - 1)] != 0,
            };
            if (std::all_of(across.begin(), across.end(), [](bool m) { return m; })) continue;
            const int32_t x = c * pitch - w.LeftMargin;
            const int32_t y = r * s.Height + (odd ? half : 0) - w.TopMargin;
            // The corners clockwise from the top-left; side k runs from corner k to corner k + 1.
            const std::array<QPoint, 6> corner = {
                QPoint(x + s.Inset, y),
                QPoint(x + s.Cell - 1 - s.Inset, y),
                QPoint(x + s.Cell - 1, y + half),
                QPoint(x + s.Cell - 1 - s.Inset, y + s.Height - 1),
                QPoint(x + s.Inset, y + s.Height - 1),
                QPoint(x, y + half),
            };
            for (std::size_t side = 0; side < 6; ++side)
                if (!across[side]) lines.emplace_back(corner[side], corner[(side + 1) % 6]);
        }
    }
    return lines;
}

void HexOverlay::Draw(QImage& picture, std::span<const uint8_t> marks, QRgb tint, QRgb line) const {
    if (picture.isNull() || picture.format() != QImage::Format_RGB16) return;
    const Shape s = ShapeNow();
    if (s.Cell <= 0 || s.Height <= 0 || !renderer_.BattleLoaded()) return;
    const Grid g = MakeGrid(marks);
    const RenderWindow& w = renderer_.Window();
    const int32_t width = picture.width(), height = picture.height();
    const int32_t pitch = s.Cell - s.Inset, half = std::max(1, s.Height / 2);
    auto* bits = reinterpret_cast<uint16_t*>(picture.bits());
    const int32_t stride = int32_t(picture.bytesPerLine() / 2);

    // How far each row of the hexagon starts inside its cell: the full inset at the top and
    // bottom edges, none across the middle; neighbouring hexagons meet without overlapping.
    std::vector<int32_t> indent(std::size_t(s.Height));
    for (int32_t dy = 0; dy < s.Height; ++dy)
        indent[std::size_t(dy)] = s.Inset * std::abs(half - dy) / half;

    // A picture row crosses one hex row of the even columns and one of the odd columns. Rows
    // that cross the same two hex rows share the runs of marked columns, so the runs are found
    // once per such band and every row tints whole runs, not hex by hex.
    const uint16_t tintHalf = uint16_t((Rgb16(tint) >> 1) & HalfMask);
    const int32_t firstOdd = (w.OriginColumn & 1) ? 0 : 1; // window column of the first odd column
    std::vector<std::pair<int32_t, int32_t>> runs;         // first and last window column
    int32_t bandEven = INT32_MIN, bandOdd = INT32_MIN;
    for (int32_t y = 0; y < height; ++y) {
        const int32_t yb = y + w.TopMargin;
        // One row of the map's pixels in three is tinted halfway: a light, fine-lined tint that
        // costs a third of a pass over the picture.
        if ((yb + w.OriginRow * s.Height) % TintedRowEvery != 0) continue;
        const std::array<int32_t, 2> row = {FloorDiv(yb, s.Height), FloorDiv(yb - s.Height / 2, s.Height)};
        const std::array<int32_t, 2> dy = {yb - row[0] * s.Height, yb - s.Height / 2 - row[1] * s.Height};
        if (row[0] != bandEven || row[1] != bandOdd) {
            bandEven = row[0];
            bandOdd = row[1];
            runs.clear();
            // Inside a large selection both hex rows are marked from end to end: one run.
            const auto whole = [&](int32_t r) {
                return r >= 0 && r < g.Rows &&
                       std::memchr(&g.Cells[g.At(r, 0)], 0, std::size_t(g.Columns)) == nullptr;
            };
            const bool full = g.Columns > 0 && whole(row[0]) && whole(row[1]);
            if (full) runs.emplace_back(0, g.Columns - 1);
            for (int32_t c = 0; c < g.Columns && !full; ++c) {
                const int32_t r = row[std::size_t(((c - firstOdd) & 1) == 0 ? 1 : 0)];
                const bool marked = r >= 0 && r < g.Rows && g.Cells[g.At(r, c)] != 0;
                if (!marked) continue;
                if (!runs.empty() && runs.back().second == c - 1)
                    runs.back().second = c;
                else
                    runs.emplace_back(c, c);
            }
        }
        uint16_t* line = bits + std::ptrdiff_t(y) * stride;
        for (const auto& [first, last] : runs) {
            const std::size_t firstParity = ((first - firstOdd) & 1) == 0 ? 1 : 0;
            const std::size_t lastParity = ((last - firstOdd) & 1) == 0 ? 1 : 0;
            const int32_t x0 =
                std::max(0, first * pitch - w.LeftMargin + indent[std::size_t(dy[firstParity])]);
            const int32_t x1 =
                std::min(width, last * pitch - w.LeftMargin + s.Cell - indent[std::size_t(dy[lastParity])]);
            if (x0 < x1) TintSpan(line + x0, x1 - x0, tintHalf);
        }
    }

    const uint16_t colour = Rgb16(line);
    for (const QLine& l : OutlineOf(g, s))
        DrawLine(bits, stride, width, height, l, colour);
}

} // namespace k2
