#include "graphics/symbol_sprites.h"

#include <algorithm>
#include <cstring>

namespace k2 {

SymbolSprites::Sprite SymbolSprites::Build(const QImage& bitmap, const QImage* mask, int32_t sx, int32_t sy,
                                           int32_t w, int32_t h) {
    Sprite sprite;
    if (bitmap.isNull() || bitmap.format() != QImage::Format_RGB16 || w <= 0 || h <= 0) return sprite;
    if (mask && (mask->isNull() || mask->format() != QImage::Format_RGB16)) return sprite;
    // The part of the rectangle that lies inside the bitmap (and mask); the rest is never drawn.
    int64_t right = std::min<int64_t>(int64_t(sx) + w, bitmap.width());
    int64_t bottom = std::min<int64_t>(int64_t(sy) + h, bitmap.height());
    if (mask) {
        right = std::min<int64_t>(right, mask->width());
        bottom = std::min<int64_t>(bottom, mask->height());
    }
    const int64_t left = std::max<int64_t>(sx, 0);
    const int64_t top = std::max<int64_t>(sy, 0);
    if (left >= right || top >= bottom) return sprite;

    sprite.Stride = bitmap.bytesPerLine() / 2;
    sprite.Bits = reinterpret_cast<const uint16_t*>(bitmap.constBits());
    if (mask) {
        sprite.MaskStride = mask->bytesPerLine() / 2;
        sprite.MaskBits = reinterpret_cast<const uint16_t*>(mask->constBits());
    }
    for (int64_t y = top; y < bottom; ++y) {
        const uint16_t* src = sprite.Bits + y * sprite.Stride;
        const uint16_t* msk = mask ? sprite.MaskBits + y * sprite.MaskStride : nullptr;
        int32_t runStart = -1;
        RunKind runKind = RunKind::Copy;
        auto close = [&](int64_t x) {
            if (runStart >= 0)
                sprite.Runs.push_back({int32_t(y - sy), runStart, int32_t(x - sx) - runStart, runKind});
            runStart = -1;
        };
        for (int64_t x = left; x < right; ++x) {
            bool skip = false;
            RunKind kind = RunKind::Or;
            if (msk) {
                if (msk[x] == 0)
                    kind = RunKind::Copy; // (dst & 0) | src
                else if (msk[x] == 0xFFFF && src[x] == 0)
                    skip = true; // (dst & 0xFFFF) | 0
                else
                    kind = RunKind::Combine;
            } else if (src[x] == 0) {
                skip = true; // dst | 0
            }
            if (skip || (runStart >= 0 && kind != runKind)) close(x);
            if (!skip && runStart < 0) {
                runStart = int32_t(x - sx);
                runKind = kind;
            }
        }
        close(right);
    }
    sprite.OriginX = sx;
    sprite.OriginY = sy;
    return sprite;
}

const SymbolSprites::Sprite& SymbolSprites::Get(uint64_t key, const QImage& bitmap, const QImage* mask,
                                                int32_t sx, int32_t sy, int32_t w, int32_t h) {
    auto it = sprites_.find(key);
    if (it == sprites_.end()) it = sprites_.emplace(key, Build(bitmap, mask, sx, sy, w, h)).first;
    return it->second;
}

namespace {

// Runs are a few dozen pixels long: an inline copy in 8-byte steps beats a library call per run.
inline void CopyPixels(uint16_t* __restrict dst, const uint16_t* __restrict src, qsizetype n) {
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) {
        uint64_t v;
        std::memcpy(&v, src + i, sizeof v);
        std::memcpy(dst + i, &v, sizeof v);
    }
    for (; i < n; ++i)
        dst[i] = src[i];
}

} // namespace

void DrawSprite(uint16_t* target, int32_t width, int32_t height, qsizetype stride, const QRect& clip,
                int32_t dx, int32_t dy, const SymbolSprites::Sprite& sprite) {
    const int64_t clipLeft = std::max(clip.left(), 0);
    const int64_t clipTop = std::max(clip.top(), 0);
    const int64_t clipRight = std::min<int64_t>(int64_t(clip.right()) + 1, width);
    const int64_t clipBottom = std::min<int64_t>(int64_t(clip.bottom()) + 1, height);
    for (const SymbolSprites::Run& run : sprite.Runs) {
        const int64_t y = int64_t(dy) + run.Row;
        if (y < clipTop || y >= clipBottom) continue;
        const int64_t x0 = std::max<int64_t>(int64_t(dx) + run.X, clipLeft);
        const int64_t x1 = std::min<int64_t>(int64_t(dx) + run.X + run.Length, clipRight);
        if (x0 >= x1) continue;
        const qsizetype n = qsizetype(x1 - x0);
        const qsizetype srcX = qsizetype(sprite.OriginX) + (x0 - dx);
        const qsizetype srcY = qsizetype(sprite.OriginY) + run.Row;
        uint16_t* __restrict dst = target + qsizetype(y) * stride + x0;
        const uint16_t* __restrict src = sprite.Bits + srcY * sprite.Stride + srcX;
        switch (run.Kind) {
        case SymbolSprites::RunKind::Copy:
            CopyPixels(dst, src, n);
            break;
        case SymbolSprites::RunKind::Or:
            for (qsizetype i = 0; i < n; ++i)
                dst[i] = uint16_t(dst[i] | src[i]);
            break;
        case SymbolSprites::RunKind::Combine: {
            const uint16_t* __restrict msk = sprite.MaskBits + srcY * sprite.MaskStride + srcX;
            for (qsizetype i = 0; i < n; ++i)
                dst[i] = uint16_t((dst[i] & msk[i]) | src[i]);
            break;
        }
        }
    }
}

} // namespace k2
