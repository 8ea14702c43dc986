#include "graphics/symbol_sprites.h"

#include "graphics/symbol_blit.h"

#include <gmock/gmock.h>

#include <cstring>

using namespace k2;

namespace {

QImage Random16(int w, int h, uint32_t seed, bool maskLike) {
    QImage img(w, h, QImage::Format_RGB16);
    uint32_t state = seed;
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint16_t*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            state = state * 1664525u + 1013904223u;
            const uint32_t r = state >> 16;
            // Mostly the clean values, now and then anything, so every run kind occurs.
            if (maskLike)
                row[x] = (r % 7 == 0) ? uint16_t(r) : ((r % 2) ? 0xFFFF : 0);
            else
                row[x] = (r % 3 == 0) ? 0 : uint16_t(r * 40503u);
        }
    }
    return img;
}

// Sprites must give exactly what the plain AND-then-OR blit gives, clipping included.
TEST(SymbolSprites, DrawEqualsThePlainMaskAndSymbolBlit) {
    const QImage bitmap = Random16(40, 30, 1, false);
    const QImage mask = Random16(40, 30, 2, true);
    struct Case {
        int32_t sx, sy, w, h, dx, dy;
        QRect clip;
        bool masked;
    };
    const std::vector<Case> cases = {
        {0, 0, 20, 20, 5, 5, QRect(0, 0, 64, 48), true},
        {10, 5, 20, 20, 5, 5, QRect(0, 0, 64, 48), false},
        {30, 20, 20, 20, 50, 35, QRect(0, 0, 64, 48), true}, // cut by the bitmap and the target
        {-5, -3, 12, 12, -4, -6, QRect(0, 0, 64, 48), true}, // negative corners
        {2, 2, 25, 25, 10, 10, QRect(15, 12, 9, 30), true},  // a strip clip
        {2, 2, 25, 25, 10, 10, QRect(15, 12, 9, 30), false},
        {0, 0, 40, 30, 0, 0, QRect(70, 0, 5, 5), true}, // clip outside the target
    };
    for (const Case& c : cases) {
        QImage expected = Random16(64, 48, 3, false);
        QImage actual = expected.copy();
        BlitSymbol(expected, c.clip, c.dx, c.dy, bitmap, c.masked ? &mask : nullptr, c.sx, c.sy, c.w, c.h);
        const auto sprite = SymbolSprites::Build(bitmap, c.masked ? &mask : nullptr, c.sx, c.sy, c.w, c.h);
        DrawSprite(reinterpret_cast<uint16_t*>(actual.bits()), actual.width(), actual.height(),
                   actual.bytesPerLine() / 2, c.clip, c.dx, c.dy, sprite);
        EXPECT_EQ(actual, expected) << c.sx << "," << c.sy << " at " << c.dx << "," << c.dy;
    }
}

TEST(SymbolSprites, RunsCopyOpaqueSkipTransparentAndCombineTheRest) {
    QImage bitmap(4, 1, QImage::Format_RGB16);
    QImage mask(4, 1, QImage::Format_RGB16);
    const uint16_t src[4] = {0x1111, 0, 0x2222, 0x3333};
    const uint16_t msk[4] = {0, 0xFFFF, 0x00FF, 0};
    std::memcpy(bitmap.bits(), src, 8);
    std::memcpy(mask.bits(), msk, 8);
    const auto sprite = SymbolSprites::Build(bitmap, &mask, 0, 0, 4, 1);
    ASSERT_EQ(sprite.Runs.size(), 3u);
    EXPECT_EQ(sprite.Runs[0].Kind, SymbolSprites::RunKind::Copy);
    EXPECT_EQ(sprite.Runs[1].X, 2);
    EXPECT_EQ(sprite.Runs[1].Kind, SymbolSprites::RunKind::Combine);
    EXPECT_EQ(sprite.Runs[2].Kind, SymbolSprites::RunKind::Copy);
    SymbolSprites cache;
    const auto& a = cache.Get(7, bitmap, &mask, 0, 0, 4, 1);
    EXPECT_EQ(&cache.Get(7, bitmap, &mask, 0, 0, 4, 1), &a);
}

// A stack of layers folded into one sprite draws what drawing the layers one after another
// draws: masked and unmasked, cut by the bitmap's edges, clipped, over any background.
TEST(SymbolSprites, ComposedStackEqualsDrawingEachLayerInTurn) {
    const QImage bitmap = Random16(40, 30, 4, false);
    const QImage mask = Random16(40, 30, 5, true);
    using Layer = SymbolSprites::Layer;
    struct Case {
        std::vector<Layer> layers;
        int32_t dx, dy;
        QRect clip;
    };
    const std::vector<Case> cases = {
        {{{&bitmap, &mask, 0, 0, 16, 16}, {&bitmap, nullptr, 16, 2, 16, 16}}, 4, 4, QRect(0, 0, 64, 48)},
        {{{&bitmap, &mask, 3, 1, 12, 12},
          {&bitmap, &mask, 20, 10, 12, 12},
          {&bitmap, nullptr, 8, 8, 12, 12},
          {&bitmap, &mask, 1, 17, 12, 12}},
         50,
         40,
         QRect(0, 0, 64, 48)}, // cut by the target
        {{{&bitmap, &mask, 30, 22, 16, 16}, {&bitmap, &mask, -4, -2, 16, 16}},
         -3,
         6,
         QRect(0, 0, 64, 48)}, // cut sources
        {{{&bitmap, nullptr, 0, 0, 20, 9}, {&bitmap, &mask, 5, 5, 9, 20}},
         10,
         10,
         QRect(12, 0, 5, 48)}, // a strip
        {{{&bitmap, &mask, 0, 0, 16, 16}}, 10, 10, QRect(0, 0, 64, 48)},
        {{{&bitmap, &mask, 50, 50, 8, 8}}, 10, 10, QRect(0, 0, 64, 48)}, // nothing inside the bitmap
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        QImage expected = Random16(64, 48, 6 + uint32_t(i), false);
        QImage actual = expected.copy();
        for (const Layer& l : c.layers)
            BlitSymbol(expected, c.clip, c.dx, c.dy, *l.Bitmap, l.Mask, l.Sx, l.Sy, l.W, l.H);
        const auto sprite = SymbolSprites::Compose(c.layers);
        DrawSprite(reinterpret_cast<uint16_t*>(actual.bits()), actual.width(), actual.height(),
                   actual.bytesPerLine() / 2, c.clip, c.dx, c.dy, sprite);
        EXPECT_EQ(actual, expected) << "case " << i;
    }
}

} // namespace
