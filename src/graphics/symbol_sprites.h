// Symbols prepared for fast drawing. A sprite is one AND mask and one OR pattern per pixel, kept
// as rows of runs that are copied (opaque), combined with AND and OR (partly masked), ORed in, or
// skipped (transparent). Since (d & m1 | s1) & m2 | s2 = d & (m1 & m2) | (s1 & m2 | s2), any
// stack of masked and unmasked symbols drawn at one corner folds into a single sprite that gives
// exactly the pixels of drawing them one after another.
#pragma once

#include <QImage>
#include <QRect>

#include <cstdint>
#include <span>
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
        uint32_t Offset; // first pixel of the run in Pixels (and Masks)
    };
    struct Sprite {
        std::vector<Run> Runs;        // row by row, left to right
        std::vector<uint16_t> Pixels; // the OR pattern of every run pixel, in run order
        std::vector<uint16_t> Masks;  // the AND mask of every run pixel, in run order
        QRect Bounds;                 // the box of all runs, relative to the sprite's corner
    };
    // One symbol of a stack: the w x h rectangle at (sx, sy) of `bitmap`, through `mask` when
    // given (both Format_RGB16), cut to both images.
    struct Layer {
        const QImage* Bitmap = nullptr;
        const QImage* Mask = nullptr;
        int32_t Sx = 0;
        int32_t Sy = 0;
        int32_t W = 0;
        int32_t H = 0;
    };

    // Forgets every sprite.
    void Clear() { sprites_.clear(); }

    // The sprite of one layer. `key` must identify that rectangle and mask choice uniquely.
    const Sprite& Get(uint64_t key, const QImage& bitmap, const QImage* mask, int32_t sx, int32_t sy,
                      int32_t w, int32_t h);

    static Sprite Build(const QImage& bitmap, const QImage* mask, int32_t sx, int32_t sy, int32_t w,
                        int32_t h);
    // The layers drawn in order, each with its rectangle's corner at the sprite's corner.
    static Sprite Compose(std::span<const Layer> layers);

  private:
    std::unordered_map<uint64_t, Sprite> sprites_;
};

// Draws a sprite with its corner at (dx, dy), clipped to `clip` and the target. `target` points
// at pixel (0, 0) of a 16-bit surface of the given size and stride (pixels).
void DrawSprite(uint16_t* target, int32_t width, int32_t height, qsizetype stride, const QRect& clip,
                int32_t dx, int32_t dy, const SymbolSprites::Sprite& sprite);

} // namespace k2
