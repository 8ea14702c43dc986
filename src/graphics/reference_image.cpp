#include "graphics/reference_image.h"

#include "core/scenario.h"
#include "graphics/map_renderer.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace k2 {

namespace {

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

// `under` times (32 - alpha)/32 plus `over`, which holds the picture already times alpha/32: no
// channel can carry into the next, as both parts are rounded down.
void BlendNarrow(uint16_t* under, const uint16_t* over, int32_t n, int32_t alpha) {
    const __m128i k = _mm_set1_epi16(short((32 - alpha) * 2048));
    int32_t i = 0;
    for (; i + 8 <= n; i += 8) {
        auto* at = reinterpret_cast<__m128i*>(under + i);
        const __m128i p = _mm_loadu_si128(at);
        _mm_storeu_si128(
            at, _mm_add_epi16(ScaleLanes(p, k), _mm_loadu_si128(reinterpret_cast<const __m128i*>(over + i))));
    }
    for (; i < n; ++i)
        under[i] = uint16_t(ScalePixel(under[i], 32 - alpha) + over[i]);
}
#endif

#if defined(__GNUC__) && defined(__x86_64__)
__attribute__((target("avx2"))) void BlendWide(uint16_t* under, const uint16_t* over, int32_t n,
                                               int32_t alpha) {
    const __m256i k = _mm256_set1_epi16(short((32 - alpha) * 2048));
    const __m256i red = _mm256_set1_epi16(short(0xF800)), green = _mm256_set1_epi16(0x07E0),
                  blue = _mm256_set1_epi16(0x1F);
    int32_t i = 0;
    for (; i + 16 <= n; i += 16) {
        auto* at = reinterpret_cast<__m256i*>(under + i);
        const __m256i p = _mm256_loadu_si256(at);
        const __m256i scaled = _mm256_or_si256(
            _mm256_or_si256(_mm256_and_si256(_mm256_mulhi_epu16(_mm256_and_si256(p, red), k), red),
                            _mm256_and_si256(_mm256_mulhi_epu16(_mm256_and_si256(p, green), k), green)),
            _mm256_mulhi_epu16(_mm256_and_si256(p, blue), k));
        _mm256_storeu_si256(
            at, _mm256_add_epi16(scaled, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(over + i))));
    }
    for (; i < n; ++i)
        under[i] = uint16_t(ScalePixel(under[i], 32 - alpha) + over[i]);
}
#endif

} // namespace

void ScaleRgb16(uint16_t* pixels, int32_t n, int32_t factor) {
    factor = std::clamp(factor, 0, 32);
    if (factor == 32) return;
    for (int32_t i = 0; i < n; ++i)
        pixels[i] = ScalePixel(pixels[i], factor);
}

void BlendScaledRgb16(uint16_t* under, const uint16_t* over, int32_t n, int32_t alpha) {
    alpha = std::clamp(alpha, 0, 32);
    if (n <= 0 || alpha == 0) return;
    if (alpha == 32) {
        std::memcpy(under, over, std::size_t(n) * 2);
        return;
    }
#if defined(__GNUC__) && defined(__x86_64__)
    static const bool wide = __builtin_cpu_supports("avx2");
    if (wide) return BlendWide(under, over, n, alpha);
#endif
#if defined(__SSE2__)
    BlendNarrow(under, over, n, alpha);
#else
    for (int32_t i = 0; i < n; ++i)
        under[i] = uint16_t(ScalePixel(under[i], 32 - alpha) + over[i]);
#endif
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

void ReferenceLayer::SetPicture(const QImage& picture) {
    layerValid_ = false;
    if (picture.isNull()) {
        picture_ = QImage();
        return;
    }
    if (!picture.hasAlphaChannel()) {
        picture_ = picture.convertToFormat(QImage::Format_RGB32);
        return;
    }
    picture_ = QImage(picture.size(), QImage::Format_RGB32);
    picture_.fill(Qt::white);
    QPainter p(&picture_);
    p.drawImage(0, 0, picture);
}

void ReferenceLayer::Transform(const QRegion& area) {
    // Each rectangle on a picture of its own size: the painter then works on that part alone.
    for (const QRect& r : area) {
        QImage part(r.size(), QImage::Format_RGB16);
        part.fill(Qt::white); // the picture's soft edge blends with white
        {
            QPainter p(&part);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.setTransform(layerTransform_ * QTransform::fromTranslate(-r.x(), -r.y()));
            p.drawImage(0, 0, picture_);
        }
        for (int32_t y = 0; y < r.height(); ++y) {
            // Kept already times the opacity, so that each present only scales what is under it.
            ScaleRgb16(reinterpret_cast<uint16_t*>(part.scanLine(y)), r.width(), layerAlpha_);
            std::memcpy(layer_.scanLine(r.y() + y) + r.x() * 2, part.constScanLine(y),
                        std::size_t(r.width()) * 2);
        }
        lastTransformed_ += int64_t(r.width()) * r.height();
    }
}

void ReferenceLayer::Prepare(QSize size, const QTransform& toView, int32_t alpha) {
    lastTransformed_ = 0;
    const int32_t w = size.width(), h = size.height();

    // The rows and columns whose pixel centres the placed picture covers (a parallelogram).
    const QPolygonF corners = toView.map(QPolygonF(QRectF(QPointF(0, 0), QSizeF(picture_.size()))));
    spans_.assign(std::size_t(h), {0, 0});
    for (int32_t y = 0; y < h; ++y) {
        const double yc = y + 0.5;
        double lo = 1e18, hi = -1e18;
        for (int i = 0; i < 4; ++i) {
            const QPointF a = corners[i], b = corners[(i + 1) % 4];
            if ((a.y() <= yc) == (b.y() <= yc)) continue;
            const double x = a.x() + (yc - a.y()) * (b.x() - a.x()) / (b.y() - a.y());
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
        if (lo > hi) continue;
        const double first = std::max(0.0, std::ceil(lo - 0.5)),
                     last = std::min(double(w), std::floor(hi - 0.5) + 1);
        if (first < last) spans_[std::size_t(y)] = {int32_t(first), int32_t(last)};
    }

    if (layer_.size() != size || layerAlpha_ != alpha) {
        if (layer_.size() != size) layer_ = QImage(size, QImage::Format_RGB16);
        layerAlpha_ = alpha;
        layerValid_ = false;
    }
    const QTransform before = layerTransform_;
    layerTransform_ = toView;
    // Only the part of the view the picture reaches is ever transformed.
    const QRegion whole =
        QRegion(0, 0, w, h) & QRegion(corners.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1));
    const double moveX = toView.dx() - before.dx(), moveY = toView.dy() - before.dy();
    const bool sameShape = before.m11() == toView.m11() && before.m12() == toView.m12() &&
                           before.m21() == toView.m21() && before.m22() == toView.m22();
    const bool wholePixels =
        std::abs(moveX - std::round(moveX)) < 1e-6 && std::abs(moveY - std::round(moveY)) < 1e-6;
    const int32_t dx = int32_t(std::lround(moveX)), dy = int32_t(std::lround(moveY));
    if (!layerValid_ || !sameShape || !wholePixels || std::abs(dx) >= w || std::abs(dy) >= h) {
        layerValid_ = true;
        Transform(whole);
        return;
    }
    if (dx == 0 && dy == 0) return;
    // A scroll: what stays in view moves with the map, and only the strips it uncovers are new.
    uint8_t* bits = layer_.bits();
    const qsizetype stride = layer_.bytesPerLine();
    const std::size_t bytes = std::size_t(w - std::abs(dx)) * 2;
    const int32_t from = std::max(0, -dx), to = std::max(0, dx);
    auto moveRow = [&](int32_t y) {
        std::memmove(bits + y * stride + to * 2, bits + (y - dy) * stride + from * 2, bytes);
    };
    if (dy > 0)
        for (int32_t y = h - 1; y >= dy; --y)
            moveRow(y);
    else
        for (int32_t y = 0; y < h + dy; ++y)
            moveRow(y);
    Transform(whole - QRegion(dx, dy, w, h));
}

void ReferenceLayer::DrawOver(QImage& view, const QTransform& toView, int32_t opacity) {
    lastTransformed_ = 0;
    const int32_t alpha = (std::clamp(opacity, 0, 100) * 32 + 50) / 100;
    if (picture_.isNull() || view.isNull() || alpha == 0 || view.format() != QImage::Format_RGB16) return;
    Prepare(view.size(), toView, alpha);
    for (int32_t y = 0; y < view.height(); ++y) {
        const auto [first, last] = spans_[std::size_t(y)];
        if (first >= last) continue;
        BlendScaledRgb16(reinterpret_cast<uint16_t*>(view.scanLine(y)) + first,
                         reinterpret_cast<const uint16_t*>(layer_.constScanLine(y)) + first, last - first,
                         alpha);
    }
}

} // namespace k2
