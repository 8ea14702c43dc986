// Symbols prepared for fast drawing: each row of a symbol rectangle split into runs that are
// copied (opaque), combined with AND and OR (partly masked) or skipped (transparent). Drawing a
// sprite gives exactly the pixels of the plain mask-and-symbol combination.
#pragma once

#include <QImage>
#include <QRect>

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace k2 {

class SymbolSprites {
  public:
    enum class RunKind : uint8_t { Copy, Combine, Or };
    struct Run {
        int32_t Row;
        int32_t X;
        int32_t Length;
        RunKind Kind;
    };
    struct Sprite {
        std::vector<Run> Runs;
        const uint16_t* Bits = nullptr; // pixel (0, 0) of the bitmap
        qsizetype Stride = 0;           // in pixels
        int32_t OriginX = 0;            // the rectangle's corner in the bitmap; runs are relative to it
        int32_t OriginY = 0;
        const uint16_t* MaskBits = nullptr;
        qsizetype MaskStride = 0;
    };

    // Forgets every sprite; needed whenever the bitmaps they point into change.
    void Clear() { sprites_.clear(); }

    // The sprite of the w x h rectangle at (sx, sy) of `bitmap`, through `mask` when given, cut
    // to both images. `key` must identify that rectangle and mask choice uniquely while the
    // images live.
    const Sprite& Get(uint64_t key, const QImage& bitmap, const QImage* mask, int32_t sx, int32_t sy,
                      int32_t w, int32_t h);

    static Sprite Build(const QImage& bitmap, const QImage* mask, int32_t sx, int32_t sy, int32_t w,
                        int32_t h);

  private:
    std::unordered_map<uint64_t, Sprite> sprites_;
};

// Draws a sprite with its rectangle's corner at (dx, dy), clipped to `clip` and the target.
// `target` points at pixel (0, 0) of a 16-bit surface of the given size and stride (pixels).
void DrawSprite(uint16_t* target, int32_t width, int32_t height, qsizetype stride, const QRect& clip,
                int32_t dx, int32_t dy, const SymbolSprites::Sprite& sprite);

} // namespace k2
