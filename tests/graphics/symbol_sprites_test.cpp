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

} // namespace
