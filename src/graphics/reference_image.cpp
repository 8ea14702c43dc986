#include "graphics/reference_image.h"

#include "core/scenario.h"
#include "graphics/map_renderer.h"

#include <QPainter>
#include <QRegion>
#include <QSemaphore>
#include <QThreadPool>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#if defined(__linux__)
#include <sys/mman.h>
#endif
#include <cstdio>
#include <numbers>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace k2 {

namespace {

// An image in memory the system may map with large pages where it can: the layer's strips
// run down the rows, each a page or more from the next, and with small pages nearly every row
// would first wait for its page to be looked up.
QImage PagedImage(QSize size, QImage::Format format) {
#if defined(__linux__)
    constexpr std::size_t Large = std::size_t(2) << 20;
    const int32_t depth = QImage::toPixelFormat(format).bitsPerPixel();
    const qsizetype stride = (qsizetype(size.width()) * depth / 8 + 63) / 64 * 64;
    const std::size_t bytes =
        (std::size_t(stride) * std::size_t(std::max(size.height(), 0)) + Large - 1) / Large * Large;
    if (size.isEmpty() || depth <= 0) return {};
    void* memory = std::aligned_alloc(Large, bytes);
    if (!memory) return QImage(size, format); // null too when memory is that short
    madvise(memory, bytes, MADV_HUGEPAGE);
    return QImage(
        static_cast<uchar*>(memory), size.width(), size.height(), stride, format,
        [](void* m) { std::free(m); }, memory);
#else
    return QImage(size, format);
#endif
}

// How many rows ahead the strips ask for the memory they will need.
constexpr int32_t Ahead = 4;

// `i` in [0, 2n) brought into [0, n).
inline int32_t RingIndex(int32_t i, int32_t n) {
    return i >= n ? i - n : i;
}

// Picture points closer than this give no usable angle.
constexpr double MinPointsApart = 4;

std::size_t Level(int32_t zoom) {
    return std::size_t(std::clamp(zoom, 0, 2));
}

// Each channel of an RGB16 pixel times factor/32, rounded down (factor 0 to 32).
inline uint16_t ScalePixel(uint16_t p, int32_t factor) {
    return uint16_t(((((p >> 11) * factor) >> 5) << 11) | (((((p >> 5) & 63) * factor) >> 5) << 5) |
                    (((p & 31) * factor) >> 5));
}

#if defined(__SSE2__)
// The same on eight pixels (sixteen in ScaleWide): each channel, kept in its place, is multiplied
// by `k` = factor * 2048 and the high half of the product taken, which is the channel times
// factor/32 in the same place; what falls below the channel is masked away (factor 1 to 31).
inline __m128i ScaleLanes(__m128i p, __m128i k) {
    const __m128i red = _mm_set1_epi16(short(0xF800)), green = _mm_set1_epi16(0x07E0),
                  blue = _mm_set1_epi16(0x1F);
    return _mm_or_si128(_mm_or_si128(_mm_and_si128(_mm_mulhi_epu16(_mm_and_si128(p, red), k), red),
                                     _mm_and_si128(_mm_mulhi_epu16(_mm_and_si128(p, green), k), green)),
                        _mm_mulhi_epu16(_mm_and_si128(p, blue), k));
}

// `under` times (32 - alpha)/32 plus `over`, which holds the picture already times alpha/32, into
// `out` (which may be `under`): no channel can carry into the next, as both parts are rounded down.
void BlendNarrow(uint16_t* out, const uint16_t* under, const uint16_t* over, int32_t n, int32_t alpha) {
    const __m128i k = _mm_set1_epi16(short((32 - alpha) * 2048));
    int32_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(under + i));
        _mm_storeu_si128(
            reinterpret_cast<__m128i*>(out + i),
            _mm_add_epi16(ScaleLanes(p, k), _mm_loadu_si128(reinterpret_cast<const __m128i*>(over + i))));
    }
    for (; i < n; ++i)
        out[i] = uint16_t(ScalePixel(under[i], 32 - alpha) + over[i]);
}

void ScaleNarrow(uint16_t* pixels, int32_t n, int32_t factor) {
    const __m128i k = _mm_set1_epi16(short(factor * 2048));
    int32_t i = 0;
    for (; i + 8 <= n; i += 8) {
        auto* at = reinterpret_cast<__m128i*>(pixels + i);
        _mm_storeu_si128(at, ScaleLanes(_mm_loadu_si128(at), k));
    }
    for (; i < n; ++i)
        pixels[i] = ScalePixel(pixels[i], factor);
}
#endif

#if defined(__GNUC__) && defined(__x86_64__)
__attribute__((target("avx2"))) void BlendWide(uint16_t* out, const uint16_t* under, const uint16_t* over,
                                               int32_t n, int32_t alpha) {
    const __m256i k = _mm256_set1_epi16(short((32 - alpha) * 2048));
    const __m256i red = _mm256_set1_epi16(short(0xF800)), green = _mm256_set1_epi16(0x07E0),
                  blue = _mm256_set1_epi16(0x1F);
    int32_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m256i p = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(under + i));
        const __m256i scaled = _mm256_or_si256(
            _mm256_or_si256(_mm256_and_si256(_mm256_mulhi_epu16(_mm256_and_si256(p, red), k), red),
                            _mm256_and_si256(_mm256_mulhi_epu16(_mm256_and_si256(p, green), k), green)),
            _mm256_mulhi_epu16(_mm256_and_si256(p, blue), k));
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(out + i),
            _mm256_add_epi16(scaled, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(over + i))));
    }
    for (; i < n; ++i)
        out[i] = uint16_t(ScalePixel(under[i], 32 - alpha) + over[i]);
}
#endif

void BlendInto(uint16_t* out, const uint16_t* under, const uint16_t* over, int32_t n, int32_t alpha) {
    if (n <= 0) return;
    if (alpha >= 32) {
        std::memcpy(out, over, std::size_t(n) * 2);
        return;
    }
#if defined(__GNUC__) && defined(__x86_64__)
    static const bool wide = __builtin_cpu_supports("avx2");
    if (wide) return BlendWide(out, under, over, n, alpha);
#endif
#if defined(__SSE2__)
    BlendNarrow(out, under, over, n, alpha);
#else
    for (int32_t i = 0; i < n; ++i)
        out[i] = uint16_t(ScalePixel(under[i], 32 - alpha) + over[i]);
#endif
}

// A picture pixel (0xffRRGGBB) in RGB16, each channel cut to its bits, as ToRgb16 does.
inline uint16_t PictureRgb16(uint32_t p) {
    return uint16_t(((p >> 8) & 0xF800) | ((p >> 5) & 0x07E0) | ((p >> 3) & 0x1F));
}

// `n` pixels of a row of the placed picture, bilinear: the first pixel's centre falls on picture
// point (u, v) counted from the first texel's centre, in fixed point with 32 fraction bits, and
// each next pixel (du, dv) further. `origin` is the picture's first texel inside a copy with one
// texel repeated all round, so that the four texels of a point just off the picture exist and
// give its edge colour; points farther off are held to that ring.
void SampleRowWide(const uint32_t* origin, qsizetype stride, int32_t w, int32_t h, int64_t u, int64_t v,
                   int64_t du, int64_t dv, uint16_t* out, int32_t n);

void SampleRow(const uint32_t* origin, qsizetype stride, int32_t w, int32_t h, int64_t u, int64_t v,
               int64_t du, int64_t dv, uint16_t* out, int32_t n) {
#if defined(__GNUC__) && defined(__x86_64__)
    static const bool wide = __builtin_cpu_supports("avx2");
    // Sixteen-bit texel numbers in the lanes: every point of the row, and its step, must fit.
    constexpr int64_t Fits = int64_t(30000) << 32;
    if (wide && w < 30000 && h < 30000 && std::abs(u) < Fits && std::abs(v) < Fits &&
        std::abs(u + (n + 8) * du) < Fits && std::abs(v + (n + 8) * dv) < Fits &&
        int64_t(h + 2) * stride < (int64_t(1) << 31))
        return SampleRowWide(origin, stride, w, h, u, v, du, dv, out, n);
#endif
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
#endif
    for (int32_t i = 0; i < n; ++i, u += du, v += dv) {
        const int64_t tx = std::clamp<int64_t>(u >> 32, -1, w - 1),
                      ty = std::clamp<int64_t>(v >> 32, -1, h - 1);
        // Seven-bit weights keep each product of a difference and a weight within 16 bits.
        const int32_t fx = int32_t((u >> 25) & 127), fy = int32_t((v >> 25) & 127);
        const uint32_t* top = origin + ty * stride + tx;
        const uint32_t* bottom = top + stride;
#if defined(__SSE2__)
        const __m128i t = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(top)), zero);
        const __m128i b = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(bottom)), zero);
        const __m128i across = _mm_add_epi16(
            t, _mm_srai_epi16(_mm_mullo_epi16(_mm_sub_epi16(b, t), _mm_set1_epi16(short(fy))), 7));
        const __m128i right = _mm_unpackhi_epi64(across, across);
        const __m128i p = _mm_add_epi16(
            across,
            _mm_srai_epi16(_mm_mullo_epi16(_mm_sub_epi16(right, across), _mm_set1_epi16(short(fx))), 7));
        out[i] = PictureRgb16(uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(p, p))));
#else
        uint32_t mixed = 0;
        for (int32_t shift = 0; shift < 24; shift += 8) {
            auto channel = [shift](uint32_t px) { return int32_t((px >> shift) & 0xFF); };
            const int32_t left = channel(top[0]) + (((channel(bottom[0]) - channel(top[0])) * fy) >> 7);
            const int32_t right = channel(top[1]) + (((channel(bottom[1]) - channel(top[1])) * fy) >> 7);
            mixed |= uint32_t(left + (((right - left) * fx) >> 7)) << shift;
        }
        out[i] = PictureRgb16(mixed);
#endif
    }
}

#if defined(__GNUC__) && defined(__x86_64__)
#define K2_AVX2 __attribute__((target("avx2")))
// `from` plus (`to` - `from`) times `weight`/128, on sixteen-bit lanes.
K2_AVX2 inline __m256i Lerp(__m256i from, __m256i to, __m256i weight) {
    return _mm256_add_epi16(from,
                            _mm256_srai_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(to, from), weight), 7));
}

// Down: two pixels' texel pairs, the top pairs in `t` and the ones below in `b`, sixteen bits a
// channel, each moved toward the row below by its own weight, picked from `fy`.
K2_AVX2 inline __m256i Down(__m128i t, __m128i b, __m256i fy, __m256i pick) {
    return Lerp(_mm256_cvtepu8_epi16(t), _mm256_cvtepu8_epi16(b), _mm256_permutevar8x32_epi32(fy, pick));
}

// The texel pairs at `a` and `b` of `texels`, in one register.
K2_AVX2 inline __m128i Pairs(const uint32_t* texels, int32_t a, int32_t b) {
    return _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(texels + a)),
                              _mm_loadl_epi64(reinterpret_cast<const __m128i*>(texels + b)));
}

// Across: the left texels of four pixels (from two Down results) toward their right ones.
K2_AVX2 inline __m256i Across(__m256i a, __m256i b, __m256i fx, __m256i pick) {
    return Lerp(_mm256_unpacklo_epi64(a, b), _mm256_unpackhi_epi64(a, b),
                _mm256_permutevar8x32_epi32(fx, pick));
}

// SampleRow eight pixels at a time, for a picture narrower and lower than 32768 texels: the eight
// points in 16.16 fixed point from the exact one of the first, each eight texel pairs gathered
// loaded from the top row and eight from the one below, and the same weights as SampleRow.
K2_AVX2 void SampleRowWide(const uint32_t* origin, qsizetype stride, int32_t w, int32_t h, int64_t u,
                           int64_t v, int64_t du, int64_t dv, uint16_t* out, int32_t n) {
    const int32_t du16 = int32_t(du >> 16), dv16 = int32_t(dv >> 16);
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i stepU = _mm256_mullo_epi32(lanes, _mm256_set1_epi32(du16)),
                  stepV = _mm256_mullo_epi32(lanes, _mm256_set1_epi32(dv16));
    const __m256i lowX = _mm256_set1_epi32(-1), highX = _mm256_set1_epi32(w - 1),
                  highY = _mm256_set1_epi32(h - 1);
    const __m256i rowStride = _mm256_set1_epi32(int32_t(stride)), seven = _mm256_set1_epi32(127);
    const __m256i zeroToOne = _mm256_setr_epi32(0, 0, 0, 0, 1, 1, 1, 1),
                  twoToThree = _mm256_setr_epi32(2, 2, 2, 2, 3, 3, 3, 3),
                  fourToFive = _mm256_setr_epi32(4, 4, 4, 4, 5, 5, 5, 5),
                  sixToSeven = _mm256_setr_epi32(6, 6, 6, 6, 7, 7, 7, 7);
    const __m256i acrossLow = _mm256_setr_epi32(0, 0, 2, 2, 1, 1, 3, 3),
                  acrossHigh = _mm256_setr_epi32(4, 4, 6, 6, 5, 5, 7, 7);
    const __m256i inOrder = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    const uint32_t* below = origin + stride;
    for (int32_t i = 0; i < n; i += 8, u += 8 * du, v += 8 * dv) {
        const __m256i U = _mm256_add_epi32(_mm256_set1_epi32(int32_t(u >> 16)), stepU);
        const __m256i V = _mm256_add_epi32(_mm256_set1_epi32(int32_t(v >> 16)), stepV);
        // Held to the ring of repeated texels, which also keeps the lanes past the row's end
        // (the last group is computed whole and stored in part) on the picture.
        const __m256i tx = _mm256_min_epi32(_mm256_max_epi32(_mm256_srai_epi32(U, 16), lowX), highX);
        const __m256i ty = _mm256_min_epi32(_mm256_max_epi32(_mm256_srai_epi32(V, 16), lowX), highY);
        __m256i fx = _mm256_and_si256(_mm256_srli_epi32(U, 9), seven);
        __m256i fy = _mm256_and_si256(_mm256_srli_epi32(V, 9), seven);
        fx = _mm256_or_si256(fx, _mm256_slli_epi32(fx, 16));
        fy = _mm256_or_si256(fy, _mm256_slli_epi32(fy, 16));
        const __m256i at = _mm256_add_epi32(_mm256_mullo_epi32(ty, rowStride), tx);
        // Loaded one by one: a gather is slower than its eight loads on many processors.
        alignas(32) int32_t texel[8];
        _mm256_store_si256(reinterpret_cast<__m256i*>(texel), at);
        const __m256i d01 =
            Down(Pairs(origin, texel[0], texel[1]), Pairs(below, texel[0], texel[1]), fy, zeroToOne);
        const __m256i d23 =
            Down(Pairs(origin, texel[2], texel[3]), Pairs(below, texel[2], texel[3]), fy, twoToThree);
        const __m256i d45 =
            Down(Pairs(origin, texel[4], texel[5]), Pairs(below, texel[4], texel[5]), fy, fourToFive);
        const __m256i d67 =
            Down(Pairs(origin, texel[6], texel[7]), Pairs(below, texel[6], texel[7]), fy, sixToSeven);
        // Pixels 0 2 1 3 and 4 6 5 7, packed to 0 2 4 6 | 1 3 5 7, then put in order.
        const __m256i p = _mm256_permutevar8x32_epi32(
            _mm256_packus_epi16(Across(d01, d23, fx, acrossLow), Across(d45, d67, fx, acrossHigh)), inOrder);
        const __m256i rgb16 = _mm256_or_si256(
            _mm256_or_si256(_mm256_and_si256(_mm256_srli_epi32(p, 8), _mm256_set1_epi32(0xF800)),
                            _mm256_and_si256(_mm256_srli_epi32(p, 5), _mm256_set1_epi32(0x07E0))),
            _mm256_and_si256(_mm256_srli_epi32(p, 3), _mm256_set1_epi32(0x1F)));
        const __m128i packed =
            _mm256_castsi256_si128(_mm256_permute4x64_epi64(_mm256_packus_epi32(rgb16, rgb16), 0x08));
        if (i + 8 <= n) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), packed);
        } else {
            alignas(16) uint16_t last[8];
            _mm_store_si128(reinterpret_cast<__m128i*>(last), packed);
            std::memcpy(out + i, last, std::size_t(n - i) * 2);
        }
    }
}
#endif

} // namespace

void ScaleRgb16(uint16_t* pixels, int32_t n, int32_t factor) {
    factor = std::clamp(factor, 0, 32);
    if (factor == 32) return;
#if defined(__SSE2__)
    ScaleNarrow(pixels, n, factor);
#else
    for (int32_t i = 0; i < n; ++i)
        pixels[i] = ScalePixel(pixels[i], factor);
#endif
}

void BlendScaledRgb16(uint16_t* under, const uint16_t* over, int32_t n, int32_t alpha) {
    alpha = std::clamp(alpha, 0, 32);
    if (alpha > 0) BlendInto(under, under, over, n, alpha);
}

QPointF HexCentre(int32_t hex, int32_t cols, const HexPitches& pitches, int32_t zoom) {
    const std::size_t z = Level(zoom);
    const int32_t column = cols > 0 ? hex % cols : 0, row = cols > 0 ? hex / cols : 0;
    const double rowPitch = pitches.RowPitch[z];
    return {column * double(pitches.ColumnPitch[z]) + pitches.CellSize[z] / 2.0,
            row * rowPitch + (column % 2 != 0 ? rowPitch / 2 : 0) + rowPitch / 2};
}

QSizeF MapExtent(int32_t cols, int32_t rows, const HexPitches& pitches, int32_t zoom) {
    const std::size_t z = Level(zoom);
    if (cols <= 0 || rows <= 0) return {};
    return {double(cols - 1) * pitches.ColumnPitch[z] + pitches.CellSize[z],
            double(rows) * pitches.RowPitch[z] + (cols > 1 ? pitches.RowPitch[z] / 2.0 : 0)};
}

std::optional<QTransform> TwoPointTransform(QPointF p1, QPointF p2, QPointF m1, QPointF m2) {
    const QPointF dp = p2 - p1, dm = m2 - m1;
    const double lp = std::hypot(dp.x(), dp.y()), lm = std::hypot(dm.x(), dm.y());
    if (!(lp > 1e-9) || !(lm > 1e-9)) return std::nullopt;
    const double scale = lm / lp;
    const double angle = std::atan2(dm.y(), dm.x()) - std::atan2(dp.y(), dp.x());
    const double a = scale * std::cos(angle), b = scale * std::sin(angle);
    // x' = a x - b y + tx, y' = b x + a y + ty, with p1 landing on m1.
    return QTransform(a, b, -b, a, m1.x() - (a * p1.x() - b * p1.y()), m1.y() - (b * p1.x() + a * p1.y()));
}

QTransform PlacementOf(const ReferenceSettings& settings, QSize picture, int32_t cols, int32_t rows,
                       const HexPitches& pitches) {
    std::optional<QTransform> placed;
    if (settings.Anchors.size() == 2) {
        const ReferenceAnchor& a = settings.Anchors[0];
        const ReferenceAnchor& b = settings.Anchors[1];
        placed = TwoPointTransform(a.Picture, b.Picture, HexCentre(a.Hex, cols, pitches, AlignZoom),
                                   HexCentre(b.Hex, cols, pitches, AlignZoom));
    }
    if (!placed) {
        const QSizeF map = MapExtent(cols, rows, pitches, AlignZoom);
        double scale = 1;
        if (picture.width() > 0 && picture.height() > 0 && !map.isEmpty())
            scale = std::min(map.width() / picture.width(), map.height() / picture.height());
        placed = QTransform::fromScale(scale, scale);
    }
    return *placed * QTransform::fromTranslate(settings.Nudge.x(), settings.Nudge.y());
}

QTransform PlacementAtZoom(const QTransform& placement, const HexPitches& pitches, int32_t zoom) {
    const std::size_t z = Level(zoom), fine = Level(AlignZoom);
    if (pitches.ColumnPitch[fine] <= 0 || pitches.RowPitch[fine] <= 0) return placement;
    return placement * QTransform::fromScale(double(pitches.ColumnPitch[z]) / pitches.ColumnPitch[fine],
                                             double(pitches.RowPitch[z]) / pitches.RowPitch[fine]);
}

ScaleAngle ScaleAndAngleOf(const QTransform& placement) {
    return {std::hypot(placement.m11(), placement.m12()),
            std::atan2(placement.m12(), placement.m11()) * 180 / std::numbers::pi};
}

QPointF MapOriginInView(const MapRenderer& renderer, const Scenario& scenario, const HexPitches& pitches,
                        int32_t zoom) {
    const int32_t origin = scenario.ViewOriginHex;
    if (scenario.Cols <= 0 || !renderer.Visible().Contains(origin)) return {};
    const std::size_t z = Level(zoom);
    const HexPoint at = renderer.HexPositionInBuffer(origin);
    const int32_t column = origin % scenario.Cols, row = origin / scenario.Cols;
    const int32_t shift = column % 2 != 0 ? pitches.RowPitch[z] / 2 : 0;
    return {double(at.X - renderer.LeftMargin() - column * pitches.ColumnPitch[z]),
            double(at.Y - renderer.TopMargin() - row * pitches.RowPitch[z] - shift)};
}

std::vector<QPointF> ReferenceAligner::PendingPoints() const {
    std::vector<QPointF> points;
    for (int32_t i = 0; i < 2; ++i)
        if (count_ > i * 2) points.push_back(pairs_[i].Picture);
    return points;
}

std::string ReferenceAligner::Prompt() const {
    switch (count_) {
    case 1:
        return "Click the hex where that point of the picture lies (first of two).";
    case 2:
        return "Click a second point of the reference picture, well away from the first.";
    case 3:
        return "Click the hex where that point of the picture lies (second of two).";
    default:
        return "Click a point of the reference picture (first of two); the arrow keys nudge the picture.";
    }
}

ReferenceAligner::Outcome ReferenceAligner::Click(QPointF picturePoint, bool onPicture, int32_t hex) {
    Outcome outcome;
    ReferenceAnchor& pair = pairs_[count_ / 2];
    if (Awaits() == Waiting::PicturePoint) {
        if (!onPicture) {
            outcome.Refusal = "That point is not on the reference picture.";
        } else if (count_ == 2 && std::hypot(picturePoint.x() - pairs_[0].Picture.x(),
                                             picturePoint.y() - pairs_[0].Picture.y()) < MinPointsApart) {
            outcome.Refusal = "Choose a point of the picture farther from the first one.";
        } else {
            pair.Picture = picturePoint;
            ++count_;
        }
        return outcome;
    }
    if (hex == NoSymbol) {
        outcome.Refusal = "Click a hex of the map.";
    } else if (count_ == 3 && hex == pairs_[0].Hex) {
        outcome.Refusal = "Choose a hex other than the first one.";
    } else {
        pair.Hex = hex;
        if (++count_ == 4) {
            outcome.Done = std::vector<ReferenceAnchor>{pairs_[0], pairs_[1]};
            count_ = 0;
        }
    }
    return outcome;
}

bool ReferenceLayer::SetPicture(const QImage& picture) {
    layerValid_ = false;
    picture_ = QImage();
    padded_ = QImage();
    if (picture.isNull()) return true;
    // Drawn onto white in a copy one texel larger all round, whose ring repeats the edge.
    const int32_t w = picture.width(), h = picture.height();
    padded_ = PagedImage(QSize(w + 2, h + 2), QImage::Format_RGB32);
    if (padded_.isNull()) return false;
    padded_.fill(Qt::white);
    {
        QPainter p(&padded_);
        p.setCompositionMode(picture.hasAlphaChannel() ? QPainter::CompositionMode_SourceOver
                                                       : QPainter::CompositionMode_Source);
        p.drawImage(1, 1, picture);
    }
    auto* bits = reinterpret_cast<uint32_t*>(padded_.bits());
    const qsizetype stride = padded_.bytesPerLine() / 4;
    for (int32_t y = 1; y <= h; ++y) {
        bits[y * stride] = bits[y * stride + 1];
        bits[y * stride + w + 1] = bits[y * stride + w];
    }
    std::memcpy(bits, bits + stride, std::size_t(stride) * 4);
    std::memcpy(bits + (h + 1) * stride, bits + h * stride, std::size_t(stride) * 4);
    // The picture itself is the inside of that copy, shared rather than copied.
    picture_ = QImage(padded_.constBits() + padded_.bytesPerLine() + 4, w, h, padded_.bytesPerLine(),
                      QImage::Format_RGB32);
    return true;
}

int64_t ReferenceLayer::Sample(const QRegion& area) {
    const int32_t lw = layer_.width(), lh = layer_.height(), m = margin_;
    const int32_t pw = picture_.width(), ph = picture_.height();
    uchar* const layerBits = layer_.bits();
    const qsizetype layerStride = layer_.bytesPerLine();
    const auto* origin = reinterpret_cast<const uint32_t*>(padded_.constBits() + padded_.bytesPerLine()) + 1;
    const qsizetype stride = padded_.bytesPerLine() / 4;
    constexpr double One = 4294967296.0; // 2^32, the fixed point's unit
    const double m11 = inverse_.m11(), m12 = inverse_.m12(), m21 = inverse_.m21(), m22 = inverse_.m22();
    const double ox = inverse_.dx() - 0.5, oy = inverse_.dy() - 0.5;
    const int64_t du = int64_t(m11 * One), dv = int64_t(m12 * One);
    scratch_.resize(std::size_t(lw));
    int64_t sampled = 0;
    for (const QRect& r : area)
        for (int32_t y = r.top(); y <= r.bottom(); ++y) {
            // Only where the picture is: the rest of the layer is never read.
            const auto [first, last] = spans_[std::size_t(y + m)];
            const int32_t x0 = std::max(first, r.left()), x1 = std::min(last, r.right() + 1);
            if (x0 >= x1) continue;
            // The picture point of the first pixel's centre, counted from the first texel's centre.
            const double cx = x0 + 0.5, cy = y + 0.5;
            const int64_t u = int64_t((m11 * cx + m21 * cy + ox) * One),
                          v = int64_t((m12 * cx + m22 * cy + oy) * One);
            const int32_t ly = RingIndex(y + m + ringY_, lh), lx = RingIndex(x0 + m + ringX_, lw);
#if defined(__SSE2__)
            // The rows lie a page or more apart, too far for the processor to fetch them ahead
            // by itself: ask for the picture's and the layer's rows a few rows down.
            {
                const int32_t tx = std::clamp(int32_t(m11 * cx + m21 * (cy + Ahead) + ox), -1, pw),
                              ty = std::clamp(int32_t(m12 * cx + m22 * (cy + Ahead) + oy), -1, ph);
                const auto* line = reinterpret_cast<const char*>(origin + ty * stride + tx);
                _mm_prefetch(line, _MM_HINT_T0);
                _mm_prefetch(line + stride * 4, _MM_HINT_T0);
                _mm_prefetch(reinterpret_cast<const char*>(layerBits +
                                                           RingIndex(ly + Ahead, lh) * layerStride + lx * 2),
                             _MM_HINT_T0);
            }
#endif
            const int32_t n = x1 - x0;
            uint16_t* row = scratch_.data();
            SampleRow(origin, stride, pw, ph, u, v, du, dv, row, n);
            ScaleRgb16(row, n, layerAlpha_);
            auto* out = reinterpret_cast<uint16_t*>(layerBits + ly * layerStride);
            const int32_t head = std::min(n, lw - lx);
            std::memcpy(out + lx, row, std::size_t(head) * 2);
            if (n > head) std::memcpy(out, row + head, std::size_t(n - head) * 2);
            sampled += n;
        }
    return sampled;
}

std::optional<QPoint> ReferenceLayer::Prepare(QSize size, const QTransform& toView, int32_t alpha) {
    const int32_t w = size.width(), h = size.height();
    // A margin all round the view, in the view's pixels, kept sampled while the editor is idle.
    const int32_t m = std::max(MinMargin, std::max(w, h) / 5);
    const QRect extent(-m, -m, w + 2 * m, h + 2 * m);

    // The rows and columns whose pixel centres the placed picture covers (a parallelogram),
    // over the view and its margin.
    const QPolygonF corners = toView.map(QPolygonF(QRectF(QPointF(0, 0), QSizeF(picture_.size()))));
    spans_.assign(std::size_t(extent.height()), {0, 0});
    struct Edge {
        double top, bottom, x, slope; // x at y = top, and its change a row
    };
    std::vector<Edge> edges;
    for (int i = 0; i < 4; ++i) {
        QPointF a = corners[i], b = corners[(i + 1) % 4];
        if (a.y() == b.y()) continue;
        if (a.y() > b.y()) std::swap(a, b);
        edges.push_back({a.y(), b.y(), a.x(), (b.x() - a.x()) / (b.y() - a.y())});
    }
    const QRectF bounds = corners.boundingRect();
    const int32_t firstRow = std::max(-m, int32_t(std::max(-1e9, std::floor(bounds.top())))),
                  lastRow = std::min(h + m, int32_t(std::min(1e9, std::ceil(bounds.bottom()))) + 1);
    for (int32_t y = firstRow; y < lastRow; ++y) {
        const double yc = y + 0.5;
        double lo = 1e18, hi = -1e18;
        for (const Edge& e : edges) {
            if ((e.top <= yc) == (e.bottom <= yc)) continue;
            const double x = e.x + (yc - e.top) * e.slope;
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
        if (lo > hi) continue;
        const double first = std::max(double(-m), std::ceil(lo - 0.5)),
                     last = std::min(double(w + m), std::floor(hi - 0.5) + 1);
        if (first < last) spans_[std::size_t(y + m)] = {int32_t(first), int32_t(last)};
    }

    if (layer_.size() != extent.size() || margin_ != m || layerAlpha_ != alpha) {
        if (layer_.size() != extent.size()) layer_ = PagedImage(extent.size(), QImage::Format_RGB16);
        margin_ = m;
        layerAlpha_ = alpha;
        layerValid_ = false;
    }
    const QTransform before = layerTransform_;
    layerTransform_ = toView;
    inverse_ = toView.inverted();
    const double moveX = toView.dx() - before.dx(), moveY = toView.dy() - before.dy();
    const bool sameShape = before.m11() == toView.m11() && before.m12() == toView.m12() &&
                           before.m21() == toView.m21() && before.m22() == toView.m22();
    const bool wholePixels =
        std::abs(moveX - std::round(moveX)) < 1e-6 && std::abs(moveY - std::round(moveY)) < 1e-6;
    const int32_t dx = int32_t(std::clamp(std::round(moveX), -1e9, 1e9)),
                  dy = int32_t(std::clamp(std::round(moveY), -1e9, 1e9));
    std::optional<QPoint> moved;
    if (!layerValid_ || !sameShape || !wholePixels || std::abs(dx) >= extent.width() ||
        std::abs(dy) >= extent.height()) {
        layerValid_ = true;
        ringX_ = ringY_ = 0;
        sampled_ = QRegion();
    } else {
        // What stays in the margin moves with the map by turning the ring.
        ringX_ = RingIndex(ringX_ - dx + extent.width(), extent.width());
        ringY_ = RingIndex(ringY_ - dy + extent.height(), extent.height());
        sampled_ = sampled_.translated(dx, dy) & extent;
        moved = QPoint(dx, dy);
    }
    // The view itself now; the margin waits for FillMargin.
    const QRegion needed = QRegion(0, 0, w, h) - sampled_;
    lastTransformed_ = Sample(needed);
    sampled_ += needed;
    return moved;
}

bool ReferenceLayer::MarginPending() const {
    return layerValid_ && !picture_.isNull() &&
           !(QRegion(-margin_, -margin_, layer_.width(), layer_.height()) - sampled_).isEmpty();
}

bool ReferenceLayer::FillMargin(int64_t pixels) {
    if (!layerValid_ || picture_.isNull()) return false;
    const QRegion missing = QRegion(-margin_, -margin_, layer_.width(), layer_.height()) - sampled_;
    QRegion part;
    for (const QRect& r : missing) {
        if (pixels <= 0) break;
        // Whole rows of the rectangle, as many as the allowance takes.
        const int32_t rows = int32_t(std::clamp<int64_t>(pixels / std::max(r.width(), 1), 1, r.height()));
        part += QRect(r.left(), r.top(), r.width(), rows);
        pixels -= int64_t(rows) * r.width();
    }
    Sample(part);
    sampled_ += part;
    return !(missing - part).isEmpty();
}

ReferenceLayer::ComposeRows ReferenceLayer::ComposeRows::Of(const QImage& map, QRect from, QSize view) {
    return {map.constBits() + from.top() * map.bytesPerLine() + from.left() * 2, map.bytesPerLine(),
            std::min(from.width(), view.width()), std::min(from.height(), view.height())};
}

int64_t ReferenceLayer::ComposeRow(const ComposeRows& rows, int32_t y, int32_t x0, int32_t x1, uint16_t* out,
                                   int32_t outShift) const {
    const int32_t w = composite_.width(), lw = layer_.width(), m = margin_;
    const auto* over = reinterpret_cast<const uint16_t*>(
        layer_.constBits() + RingIndex(y + m + ringY_, layer_.height()) * layer_.bytesPerLine());
    const auto* under =
        y < rows.mapHeight ? reinterpret_cast<const uint16_t*>(rows.mapBits + y * rows.mapStride) : nullptr;
    const int32_t mapEnd = under ? rows.mapWidth : 0;
    const auto [first, last] = spans_[std::size_t(y + m)];
    // The view columns where the rows of the output and of the layer start again.
    const int32_t outWrap = w - outShift, layerWrap = lw - m - ringX_;
    // In pieces that are each wholly on or off the picture, on or off the map, and on one side
    // of each ring's turn.
    for (int32_t x = x0; x < x1;) {
        int32_t end = x1;
        for (const int32_t edge : {first, last, mapEnd, outWrap, layerWrap})
            if (edge > x) end = std::min(end, edge);
        const int32_t at = RingIndex(x + outShift, w), layerAt = RingIndex(x + m + ringX_, lw), n = end - x;
        const bool onPicture = x >= first && x < last, onMap = x < mapEnd;
        if (onPicture && onMap)
            BlendInto(out + at, under + x, over + layerAt, n, layerAlpha_);
        else if (onPicture) // over black: the picture alone
            std::memcpy(out + at, over + layerAt, std::size_t(n) * 2);
        else if (onMap)
            std::memcpy(out + at, under + x, std::size_t(n) * 2);
        else
            std::memset(out + at, 0, std::size_t(n) * 2);
        x = end;
    }
    return x1 - x0;
}

int64_t ReferenceLayer::Compose(const QRegion& area, const ComposeRows& rows) {
    const int32_t w = composite_.width(), h = composite_.height(), lh = layer_.height();
    uchar* const compositeBits = composite_.bits();
    const qsizetype compositeStride = composite_.bytesPerLine();
    int64_t composed = 0;
    for (const QRect& r : area)
        for (int32_t y = r.top(); y <= r.bottom(); ++y) {
            const int32_t cy = RingIndex(y + composeY_, h);
#if defined(__SSE2__)
            // Rows a page apart again: the ones a few rows down asked for ahead, every line of a
            // short piece (a long one the processor follows by itself).
            if (y + Ahead <= r.bottom() && r.width() <= 256) {
                const int32_t x = r.left(), ly = RingIndex(y + margin_ + ringY_, lh);
                const uchar* lines[] = {
                    compositeBits + RingIndex(cy + Ahead, h) * compositeStride +
                        RingIndex(x + composeX_, w) * 2,
                    layer_.constBits() + RingIndex(ly + Ahead, lh) * layer_.bytesPerLine() +
                        RingIndex(x + margin_ + ringX_, layer_.width()) * 2,
                    y + Ahead < rows.mapHeight ? rows.mapBits + (y + Ahead) * rows.mapStride + x * 2
                                               : nullptr};
                for (const uchar* line : lines)
                    for (int32_t b = 0; line && b < r.width() * 2 + 63; b += 64)
                        _mm_prefetch(reinterpret_cast<const char*>(line + b), _MM_HINT_T0);
            }
#endif
            composed +=
                ComposeRow(rows, y, r.left(), r.right() + 1,
                           reinterpret_cast<uint16_t*>(compositeBits + cy * compositeStride), composeX_);
        }
    return composed;
}

int64_t ReferenceLayer::ComposeWhole(const ComposeRows& rows, QImage& view) {
    // Straight into the view: the composite is made again while the editor is idle.
    const int32_t w = view.width(), h = view.height();
    uchar* const viewBits = view.bits();
    for (int32_t y = 0; y < h; ++y)
        ComposeRow(rows, y, 0, w, reinterpret_cast<uint16_t*>(viewBits + y * view.bytesPerLine()), 0);
    compositeRows_ = 0;
    composeX_ = composeY_ = 0;
    return int64_t(w) * h;
}

bool ReferenceLayer::RenewComposite(const QImage& map, QRect from, int32_t rows) {
    if (!CompositePending()) return false;
    from &= map.rect();
    if (from != composedFrom_ || map.size() != composedMapSize_) {
        composed_ = false; // the map is not the one blended: the next present starts anew
        return false;
    }
    const int32_t w = composite_.width(), h = composite_.height();
    const ComposeRows under = ComposeRows::Of(map, from, composite_.size());
    uchar* const compositeBits = composite_.bits();
    const int32_t last = std::min(h, compositeRows_ + std::max(rows, 1));
    for (int32_t y = compositeRows_; y < last; ++y)
        ComposeRow(under, y, 0, w, reinterpret_cast<uint16_t*>(compositeBits + y * composite_.bytesPerLine()),
                   0);
    compositeRows_ = last;
    return CompositePending();
}

void ReferenceLayer::Present(const QImage& map, QRect from, QImage& view, const QTransform& toView,
                             int32_t opacity, const BufferChanges& changes) {
    lastTransformed_ = 0;
    lastComposed_ = 0;
    if (view.isNull() || view.format() != QImage::Format_RGB16 || map.format() != QImage::Format_RGB16)
        return;
    from &= map.rect();
    const int32_t w = view.width(), h = view.height();
    const int32_t alpha = (std::clamp(opacity, 0, 100) * 32 + 50) / 100;
    if (picture_.isNull() || alpha == 0) {
        composed_ = false;
        const int32_t cw = std::min(from.width(), w), ch = std::min(from.height(), h);
        if (&map != &view)
            for (int32_t y = 0; y < ch; ++y)
                std::memcpy(view.scanLine(y), map.constScanLine(from.top() + y) + from.left() * 2,
                            std::size_t(cw) * 2);
        return;
    }
    const std::optional<QPoint> moved = Prepare(view.size(), toView, alpha);
    const ComposeRows rows = ComposeRows::Of(map, from, view.size());
    if (composite_.size() != view.size()) {
        composite_ = PagedImage(view.size(), QImage::Format_RGB16);
        composed_ = false;
    }
    if (composite_.isNull()) { // no memory for it: every present blends the whole view
        composed_ = false;
        lastComposed_ = ComposeWhole(rows, view);
        return;
    }
    // The blend kept from the last present holds where the map and the picture moved alike and
    // the renderer drew nothing new: the composite's ring turns with them, and only what came
    // into view or was drawn again is blended anew.
    const QRegion whole(0, 0, w, h);
    QRegion stale = whole;
    if (composed_ && !CompositePending() && moved && !changes.Whole && changes.Shift == *moved &&
        from == composedFrom_ && map.size() == composedMapSize_ && alpha == composedAlpha_) {
        composeX_ = ((composeX_ - moved->x()) % w + w) % w;
        composeY_ = ((composeY_ - moved->y()) % h + h) % h;
        stale = (whole - QRegion(moved->x(), moved->y(), w, h)) +
                (changes.Repainted.translated(-from.topLeft()) & whole);
    }
    composed_ = true;
    composedFrom_ = from;
    composedMapSize_ = map.size();
    composedAlpha_ = alpha;
    if (stale == whole) {
        lastComposed_ = ComposeWhole(rows, view);
        return;
    }
    lastComposed_ = Compose(stale, rows);
    // The ring into the view, each row in two pieces.
    const uchar* const compositeBits = composite_.constBits();
    uchar* const viewBits = view.bits();
    const std::size_t head = std::size_t(w - composeX_) * 2, tail = std::size_t(composeX_) * 2;
    for (int32_t y = 0; y < h; ++y) {
        const uchar* row = compositeBits + RingIndex(y + composeY_, h) * composite_.bytesPerLine();
        uchar* out = viewBits + y * view.bytesPerLine();
        std::memcpy(out, row + tail, head);
        if (tail > 0) std::memcpy(out + head, row, tail);
    }
}

void ReferenceLayer::DrawOver(QImage& view, const QTransform& toView, int32_t opacity) {
    Present(view, view.rect(), view, toView, opacity, BufferChanges{});
}

} // namespace k2
