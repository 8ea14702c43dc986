#include "graphics/symbol_sprites.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace k2 {

SymbolSprites::Sprite SymbolSprites::Build(const QImage& bitmap, const QImage* mask, int32_t sx, int32_t sy,
                                           int32_t w, int32_t h) {
    const Layer layer{&bitmap, mask, sx, sy, w, h};
    return Compose(std::span<const Layer>(&layer, 1));
}

namespace {

// A layer cut to its images, in coordinates relative to the sprite's corner.
struct CutLayer {
    const uint16_t* bits = nullptr; // pixel (0, 0) of the images
    const uint16_t* mask = nullptr;
    qsizetype stride = 0;
    qsizetype maskStride = 0;
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0; // the part inside the images
};

bool Cut(const SymbolSprites::Layer& l, CutLayer& out) {
    if (!l.Bitmap || l.Bitmap->isNull() || l.Bitmap->format() != QImage::Format_RGB16 || l.W <= 0 || l.H <= 0)
        return false;
    if (l.Mask && (l.Mask->isNull() || l.Mask->format() != QImage::Format_RGB16)) return false;
    int64_t right = std::min<int64_t>(int64_t(l.Sx) + l.W, l.Bitmap->width());
    int64_t bottom = std::min<int64_t>(int64_t(l.Sy) + l.H, l.Bitmap->height());
    if (l.Mask) {
        right = std::min<int64_t>(right, l.Mask->width());
        bottom = std::min<int64_t>(bottom, l.Mask->height());
    }
    const int64_t left = std::max<int64_t>(l.Sx, 0);
    const int64_t top = std::max<int64_t>(l.Sy, 0);
    if (left >= right || top >= bottom) return false;
    out.x0 = int32_t(left - l.Sx);
    out.y0 = int32_t(top - l.Sy);
    out.x1 = int32_t(right - l.Sx);
    out.y1 = int32_t(bottom - l.Sy);
    out.stride = l.Bitmap->bytesPerLine() / 2;
    out.bits = reinterpret_cast<const uint16_t*>(l.Bitmap->constBits());
    if (l.Mask) {
        out.maskStride = l.Mask->bytesPerLine() / 2;
        out.mask = reinterpret_cast<const uint16_t*>(l.Mask->constBits());
    }
    return true;
}

} // namespace

SymbolSprites::Sprite SymbolSprites::Compose(std::span<const Layer> layers) {
    Sprite sprite;
    std::vector<CutLayer> cut;
    std::vector<const Layer*> source;
    int32_t width = 0;
    int32_t height = 0;
    for (const Layer& l : layers) {
        CutLayer c;
        if (!Cut(l, c)) continue;
        cut.push_back(c);
        source.push_back(&l);
        width = std::max(width, c.x1);
        height = std::max(height, c.y1);
    }
    if (cut.empty()) return sprite;

    std::vector<uint16_t> andRow(static_cast<size_t>(width)), orRow(static_cast<size_t>(width));
    for (int32_t y = 0; y < height; ++y) {
        std::fill(andRow.begin(), andRow.end(), uint16_t(0xFFFF));
        std::fill(orRow.begin(), orRow.end(), uint16_t(0));
        for (size_t i = 0; i < cut.size(); ++i) {
            const CutLayer& c = cut[i];
            if (y < c.y0 || y >= c.y1) continue;
            const Layer& l = *source[i];
            const uint16_t* src = c.bits + qsizetype(l.Sy + y) * c.stride;
            const uint16_t* msk = c.mask ? c.mask + qsizetype(l.Sy + y) * c.maskStride : nullptr;
            for (int32_t x = c.x0; x < c.x1; ++x) {
                const uint16_t m = msk ? msk[l.Sx + x] : uint16_t(0xFFFF);
                andRow[size_t(x)] &= m;
                orRow[size_t(x)] = uint16_t((orRow[size_t(x)] & m) | src[l.Sx + x]);
            }
        }
        int32_t runStart = -1;
        RunKind runKind = RunKind::Copy;
        auto close = [&](int32_t x) {
            if (runStart < 0) return;
            const uint32_t offset = uint32_t(sprite.Pixels.size());
            for (int32_t i = runStart; i < x; ++i) {
                sprite.Pixels.push_back(orRow[size_t(i)]);
                sprite.Masks.push_back(andRow[size_t(i)]);
            }
            sprite.Runs.push_back({y, runStart, x - runStart, runKind, offset});
            sprite.Bounds = sprite.Bounds.united(QRect(runStart, y, x - runStart, 1));
            runStart = -1;
        };
        for (int32_t x = 0; x < width; ++x) {
            const uint16_t m = andRow[size_t(x)];
            const uint16_t s = orRow[size_t(x)];
            const bool skip = m == 0xFFFF && s == 0; // (d & 0xFFFF) | 0
            const RunKind kind = m == 0 ? RunKind::Copy : (m == 0xFFFF ? RunKind::Or : RunKind::Combine);
            if (skip || (runStart >= 0 && kind != runKind)) close(x);
            if (!skip && runStart < 0) {
                runStart = x;
                runKind = kind;
            }
        }
        close(width);
    }
    sprite.Runs.shrink_to_fit();
    sprite.Pixels.shrink_to_fit();
    sprite.Masks.shrink_to_fit();
    return sprite;
}

const SymbolSprites::Sprite& SymbolSprites::Get(uint64_t key, const QImage& bitmap, const QImage* mask,
                                                int32_t sx, int32_t sy, int32_t w, int32_t h) {
    auto it = sprites_.find(key);
    if (it == sprites_.end()) it = sprites_.emplace(key, Build(bitmap, mask, sx, sy, w, h)).first;
    return it->second;
}

// GCC turns a copying loop into a call to memmove, which costs more than a short run itself.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC push_options
#pragma GCC optimize("no-tree-loop-distribute-patterns")
#endif

namespace {

// Runs are a few dozen pixels long: whole 16-byte blocks, the last one overlapping the one before
// it, beat a library call per run. Every kind of run is idempotent ((d & m | s) & m | s = d & m | s),
// so pixels written twice by the overlap come out the same.
#if defined(__SSE2__)
template <SymbolSprites::RunKind Kind>
inline __m128i Apply(__m128i d, const uint16_t* src, const uint16_t* msk) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
    if constexpr (Kind == SymbolSprites::RunKind::Copy) {
        (void)d, (void)msk;
        return s;
    } else if constexpr (Kind == SymbolSprites::RunKind::Or) {
        (void)msk;
        return _mm_or_si128(d, s);
    } else {
        const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(msk));
        return _mm_or_si128(_mm_and_si128(d, m), s);
    }
}
#endif

// The same on 2 or 4 pixels at once through a plain integer; T is uint32_t or uint64_t.
template <SymbolSprites::RunKind Kind, typename T>
inline void ApplyWord(uint16_t* dst, const uint16_t* src, const uint16_t* msk) {
    T s;
    std::memcpy(&s, src, sizeof s);
    if constexpr (Kind != SymbolSprites::RunKind::Copy) {
        T d;
        std::memcpy(&d, dst, sizeof d);
        if constexpr (Kind == SymbolSprites::RunKind::Or) {
            (void)msk;
            s |= d;
        } else {
            T m;
            std::memcpy(&m, msk, sizeof m);
            s |= d & m;
        }
    } else {
        (void)msk;
    }
    std::memcpy(dst, &s, sizeof s);
}

template <SymbolSprites::RunKind Kind>
inline void RunPixels(uint16_t* __restrict dst, const uint16_t* __restrict src,
                      const uint16_t* __restrict msk, qsizetype n) {
#if defined(__SSE2__)
    if (n >= 8) {
        qsizetype i = 0;
        for (; i + 8 <= n; i += 8) {
            auto* p = reinterpret_cast<__m128i*>(dst + i);
            _mm_storeu_si128(p, Apply<Kind>(_mm_loadu_si128(p), src + i, msk + i));
        }
        if (i < n) {
            i = n - 8;
            auto* p = reinterpret_cast<__m128i*>(dst + i);
            _mm_storeu_si128(p, Apply<Kind>(_mm_loadu_si128(p), src + i, msk + i));
        }
        return;
    }
#else
    for (; n >= 8; n -= 4, dst += 4, src += 4, msk += 4)
        ApplyWord<Kind, uint64_t>(dst, src, msk);
#endif
    // Short runs (and tails): two overlapping words, no loop for the compiler to turn into a call.
    if (n >= 4) {
        ApplyWord<Kind, uint64_t>(dst, src, msk);
        ApplyWord<Kind, uint64_t>(dst + n - 4, src + n - 4, msk + n - 4);
    } else if (n >= 2) {
        ApplyWord<Kind, uint32_t>(dst, src, msk);
        ApplyWord<Kind, uint32_t>(dst + n - 2, src + n - 2, msk + n - 2);
    } else if (n == 1) {
        if constexpr (Kind == SymbolSprites::RunKind::Copy)
            dst[0] = src[0];
        else if constexpr (Kind == SymbolSprites::RunKind::Or)
            dst[0] = uint16_t(dst[0] | src[0]);
        else
            dst[0] = uint16_t((dst[0] & msk[0]) | src[0]);
    }
}

inline void DrawRun(uint16_t* dst, const SymbolSprites::Sprite& sprite, uint32_t offset, qsizetype n,
                    SymbolSprites::RunKind kind) {
    const uint16_t* src = sprite.Pixels.data() + offset;
    const uint16_t* msk = sprite.Masks.data() + offset;
    switch (kind) {
    case SymbolSprites::RunKind::Copy:
        RunPixels<SymbolSprites::RunKind::Copy>(dst, src, msk, n);
        break;
    case SymbolSprites::RunKind::Or:
        RunPixels<SymbolSprites::RunKind::Or>(dst, src, msk, n);
        break;
    case SymbolSprites::RunKind::Combine:
        RunPixels<SymbolSprites::RunKind::Combine>(dst, src, msk, n);
        break;
    }
}

} // namespace

void DrawSprite(uint16_t* target, int32_t width, int32_t height, qsizetype stride, const QRect& clip,
                int32_t dx, int32_t dy, const SymbolSprites::Sprite& sprite) {
    if (sprite.Runs.empty()) return;
    const int64_t clipLeft = std::max(clip.left(), 0);
    const int64_t clipTop = std::max(clip.top(), 0);
    const int64_t clipRight = std::min<int64_t>(int64_t(clip.right()) + 1, width);
    const int64_t clipBottom = std::min<int64_t>(int64_t(clip.bottom()) + 1, height);
    const QRect& b = sprite.Bounds;
    const int64_t left = int64_t(dx) + b.left();
    const int64_t top = int64_t(dy) + b.top();
    const int64_t right = int64_t(dx) + b.right() + 1;
    const int64_t bottom = int64_t(dy) + b.bottom() + 1;
    if (left >= clipRight || top >= clipBottom || right <= clipLeft || bottom <= clipTop) return;
    if (left >= clipLeft && top >= clipTop && right <= clipRight && bottom <= clipBottom) {
        // Wholly inside: no clipping per run.
        uint16_t* corner = target + qsizetype(dy) * stride + dx;
        for (const SymbolSprites::Run& run : sprite.Runs)
            DrawRun(corner + qsizetype(run.Row) * stride + run.X, sprite, run.Offset, run.Length, run.Kind);
        return;
    }
    for (const SymbolSprites::Run& run : sprite.Runs) {
        const int64_t y = int64_t(dy) + run.Row;
        if (y < clipTop || y >= clipBottom) continue;
        const int64_t x0 = std::max<int64_t>(int64_t(dx) + run.X, clipLeft);
        const int64_t x1 = std::min<int64_t>(int64_t(dx) + run.X + run.Length, clipRight);
        if (x0 >= x1) continue;
        const uint32_t skipped = uint32_t(x0 - (int64_t(dx) + run.X));
        DrawRun(target + qsizetype(y) * stride + x0, sprite, run.Offset + skipped, qsizetype(x1 - x0),
                run.Kind);
    }
}

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC pop_options
#endif

} // namespace k2
