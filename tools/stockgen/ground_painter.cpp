// Primary ground: a per-pixel texture of layered noise in the terrain's colours, then a few
// pictorial details (tufts, stones, furrows, waves) that keep each terrain recognisable when small.
#include "stockgen/art_kit.h"
#include "stockgen/symbol_painters.h"

#include <QPainterPath>
#include <cmath>
#include <functional>

namespace k2stock {
namespace {

using A = TerrainArt;

// Fills every pixel from a colour function of the pixel's position in cell units (0..1).
void FillTexture(QImage& canvas, const std::function<QColor(double, double)>& colourAt) {
    const int s = canvas.width();
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < s; ++x)
            canvas.setPixelColor(x, y, colourAt((x + 0.5) / s, (y + 0.5) / s));
}

// Two colours blended by broad noise, with fine grain on top.
void Mottled(QImage& canvas, uint32_t seed, QColor a, QColor b, double scale, double grain) {
    FillTexture(canvas, [&](double u, double v) {
        const double broad = FractalNoise(u * scale, v * scale, seed, 3);
        const double fine = ValueNoise(u * canvas.width() * 0.5, v * canvas.width() * 0.5, seed + 99);
        return Shade(Mix(a, b, broad * 1.4 - 0.2), 1 - grain / 2 + grain * fine);
    });
}

// Relief shading from a noise height field lit from the north-west: hills look rounded.
void Relief(QImage& canvas, uint32_t seed, QColor base, double strength) {
    FillTexture(canvas, [&](double u, double v) {
        auto h = [&](double a, double b) { return FractalNoise(a * 2.2, b * 2.2, seed, 3); };
        const double e = 0.04;
        const double dx = h(u + e, v) - h(u - e, v), dy = h(u, v + e) - h(u, v - e);
        const double light = std::clamp(1 - (dx + dy) * strength, 0.7, 1.3);
        const double fine = ValueNoise(u * canvas.width() * 0.6, v * canvas.width() * 0.6, seed + 5);
        return Shade(base, light * (0.95 + 0.1 * fine));
    });
}

void Tufts(QPainter& p, const HexShape& hex, SeededRandom& r, int count, const QColor& colour) {
    const double len = std::max(1.5, hex.size * 0.07);
    p.setPen(QPen(colour, std::max(0.8, hex.size / 40.0), Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < count; ++i) {
        const QPointF c = RandomPointInHex(hex, r, 1);
        p.drawLine(c, c + QPointF(-len * 0.5, -len));
        p.drawLine(c, c + QPointF(0, -len * 1.2));
        p.drawLine(c, c + QPointF(len * 0.5, -len));
    }
}

void Dots(QPainter& p, const HexShape& hex, SeededRandom& r, int count, const QColor& colour, double radius) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int i = 0; i < count; ++i)
        p.drawEllipse(RandomPointInHex(hex, r, 0), radius, radius);
}

void Stones(QPainter& p, const HexShape& hex, SeededRandom& r, int count, const QColor& stone, double size) {
    for (int i = 0; i < count; ++i) {
        const double rx = size * r.Range(0.6, 1.2);
        DrawStone(p, RandomPointInHex(hex, r, rx), rx, rx * r.Range(0.6, 0.85),
                  Shade(stone, r.Range(0.9, 1.1)));
    }
}

// Parallel furrows across the tile at a slight angle.
void Furrows(QPainter& p, const HexShape& hex, double angle, double spacing, const QColor& dark,
             const QColor& light, double width) {
    const double s = hex.size;
    p.save();
    p.translate(hex.Centre());
    p.rotate(angle);
    for (double y = -s; y <= s; y += spacing) {
        p.setPen(QPen(dark, width));
        p.drawLine(QPointF(-s, y), QPointF(s, y));
        if (light.isValid()) {
            p.setPen(QPen(light, width * 0.7));
            p.drawLine(QPointF(-s, y + spacing * 0.45), QPointF(s, y + spacing * 0.45));
        }
    }
    p.restore();
}

void Waves(QPainter& p, const HexShape& hex, SeededRandom& r, int count, const QColor& colour) {
    const double w = hex.size * 0.16;
    p.setPen(QPen(colour, std::max(0.8, hex.size / 36.0), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        const QPointF c = RandomPointInHex(hex, r, w * 0.6);
        QPainterPath path(c - QPointF(w / 2, 0));
        path.quadTo(c + QPointF(-w / 4, -w / 3), c);
        path.quadTo(c + QPointF(w / 4, w / 3), c + QPointF(w / 2, 0));
        p.drawPath(path);
    }
}

// Irregular pools of water where broad noise is low.
void Pools(QImage& canvas, uint32_t seed, double threshold, QColor water) {
    const int s = canvas.width();
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < s; ++x) {
            const double n = FractalNoise((x + 0.5) / s * 3.5, (y + 0.5) / s * 3.5, seed + 31, 3);
            if (n < threshold) {
                const double depth = (threshold - n) / threshold;
                canvas.setPixelColor(x, y, Shade(water, 1.1 - depth * 0.25));
            } else if (n < threshold + 0.03) {
                canvas.setPixelColor(x, y, Shade(canvas.pixelColor(x, y), 0.75)); // muddy rim
            }
        }
}

} // namespace

void PaintGround(QImage& canvas, const TerrainSymbolRecipe& recipe) {
    const HexShape hex(canvas.width());
    const int s = hex.size;
    const uint32_t seed = recipe.seed;
    SeededRandom r(seed);
    const double area = s * s / 1600.0; // detail counts scale with the tile's area
    auto count = [area](double n) { return std::max(1, static_cast<int>(std::lround(n * area))); };

    switch (recipe.art) {
    case A::OpenGround:
        Mottled(canvas, seed, QColor(134, 168, 80), QColor(156, 180, 94), 2.5, 0.08);
        break;
    case A::Meadow:
        Mottled(canvas, seed, QColor(104, 160, 66), QColor(124, 176, 76), 3, 0.1);
        break;
    case A::Heath:
        Mottled(canvas, seed, QColor(128, 124, 78), QColor(118, 104, 90), 3, 0.14);
        break;
    case A::Wheat:
        Mottled(canvas, seed, QColor(218, 186, 92), QColor(206, 172, 84), 2, 0.08);
        break;
    case A::Ploughed:
        Mottled(canvas, seed, QColor(146, 108, 72), QColor(132, 98, 66), 2, 0.1);
        break;
    case A::Mud:
        Mottled(canvas, seed, QColor(124, 100, 70), QColor(104, 88, 64), 3, 0.12);
        break;
    case A::Rough:
        Mottled(canvas, seed, QColor(150, 150, 100), QColor(132, 128, 92), 3.5, 0.16);
        break;
    case A::Stony:
        Mottled(canvas, seed, QColor(170, 162, 136), QColor(150, 146, 124), 3.5, 0.12);
        break;
    case A::Sand: {
        const double phase = r.Range(0, 6.28);
        FillTexture(canvas, [&](double u, double v) {
            const double ripple =
                0.5 + 0.5 * std::sin((u * 0.5 + v) * 26 + phase + 3 * ValueNoise(u * 3, v * 3, seed));
            const double broad = FractalNoise(u * 2, v * 2, seed, 2);
            return Shade(Mix(QColor(228, 208, 150), QColor(214, 190, 132), broad), 0.96 + 0.06 * ripple);
        });
        break;
    }
    case A::Marsh:
        Mottled(canvas, seed, QColor(112, 138, 88), QColor(98, 124, 80), 3, 0.12);
        break;
    case A::Bog:
        Mottled(canvas, seed, QColor(104, 94, 64), QColor(90, 84, 60), 3, 0.12);
        break;
    case A::Shallows:
        Mottled(canvas, seed, QColor(118, 172, 186), QColor(140, 182, 178), 2.5, 0.08);
        break;
    case A::Water:
        Mottled(canvas, seed, QColor(62, 110, 170), QColor(72, 124, 182), 2, 0.08);
        break;
    case A::Hill: {
        // Each level of height a step further from green towards brown, so that levels read apart.
        static const QColor tint[4] = {QColor(150, 172, 92), QColor(166, 180, 98), QColor(196, 168, 98),
                                       QColor(176, 124, 80)};
        Relief(canvas, seed, tint[std::clamp(recipe.param, 1, 3)], 2.0 + recipe.param);
        break;
    }
    case A::RockyHill:
        Relief(canvas, seed, QColor(168, 152, 118), 4);
        break;
    case A::MapEdge:
        FillTexture(canvas, [&](double u, double v) {
            const double hatch = std::fmod((u + v) * s / 4.0, 1.0) < 0.3 ? 0.85 : 1.0;
            return Shade(QColor(66, 70, 84), hatch);
        });
        break;
    default:
        break;
    }

    QPainter p(&canvas);
    PreparePainter(p);
    switch (recipe.art) {
    case A::OpenGround:
        Tufts(p, hex, r, count(4), QColor(96, 130, 60));
        break;
    case A::Meadow:
        Tufts(p, hex, r, count(3), QColor(76, 122, 48));
        Dots(p, hex, r, count(7), QColor(240, 236, 200), std::max(0.7, s / 50.0));
        Dots(p, hex, r, count(5), QColor(236, 196, 64), std::max(0.7, s / 50.0));
        break;
    case A::Heath:
        Dots(p, hex, r, count(16), QColor(150, 96, 140), std::max(0.8, s / 36.0));
        Tufts(p, hex, r, count(3), QColor(92, 92, 52));
        break;
    case A::Wheat:
        Furrows(p, hex, r.Range(-12, 12), std::max(3.0, s / 7.0), QColor(184, 150, 70), QColor(236, 208, 118),
                std::max(0.8, s / 40.0));
        break;
    case A::Ploughed:
        Furrows(p, hex, r.Range(20, 40), std::max(2.5, s / 9.0), QColor(104, 74, 48), QColor(168, 128, 88),
                std::max(0.8, s / 36.0));
        break;
    case A::Mud:
        Pools(canvas, seed, 0.3, QColor(108, 112, 104));
        break;
    case A::Rough:
        Stones(p, hex, r, count(5), QColor(168, 164, 150), std::max(1.2, s / 22.0));
        Tufts(p, hex, r, count(3), QColor(100, 104, 60));
        break;
    case A::Stony:
        Stones(p, hex, r, count(14), QColor(186, 180, 164), std::max(1.0, s / 28.0));
        break;
    case A::Sand:
        Dots(p, hex, r, count(8), QColor(196, 172, 118), std::max(0.6, s / 60.0));
        break;
    case A::Marsh:
        p.end();
        Pools(canvas, seed, 0.36, QColor(96, 134, 146));
        p.begin(&canvas);
        PreparePainter(p);
        Tufts(p, hex, r, count(7), QColor(62, 96, 44));
        break;
    case A::Bog:
        p.end();
        Pools(canvas, seed, 0.42, QColor(84, 100, 96));
        p.begin(&canvas);
        PreparePainter(p);
        Tufts(p, hex, r, count(5), QColor(70, 74, 40));
        break;
    case A::Shallows:
        Dots(p, hex, r, count(6), QColor(196, 190, 150), std::max(1.0, s / 24.0));
        Waves(p, hex, r, count(3), QColor(178, 212, 220));
        break;
    case A::Water:
        Waves(p, hex, r, count(5), QColor(120, 164, 214));
        break;
    case A::Hill:
        if (recipe.param >= 2) Tufts(p, hex, r, count(2), QColor(120, 120, 64));
        break;
    case A::RockyHill:
        Stones(p, hex, r, count(6), QColor(176, 170, 160), std::max(1.5, s / 16.0));
        break;
    default:
        break;
    }
}

} // namespace k2stock
