// The reference picture's arithmetic: two points tied to two hexes, the placement at every zoom,
// the clicks of the align mode, the blend over the view and its reuse after a scroll, and the
// settings file beside the battle with its refusals.
#include "core/scenario.h"
#include "graphics/hex_geometry.h"
#include "graphics/map_renderer.h"
#include "graphics/reference_image.h"
#include "graphics/reference_sidecar.h"

#include <QColor>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

const k2::HexPitches Pitches = k2::ComputePitches({24, 40, 56});
constexpr int32_t Cols = 40, Rows = 30;

double Distance(QPointF a, QPointF b) {
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

TEST(ReferenceAlignmentTest, TwoPointsLandOnTheirTargetsWithTheScaleAndAngleBetweenThem) {
    struct Case {
        QPointF p1, p2, m1, m2;
        double scale, degrees;
    };
    const Case cases[] = {
        {{0, 0}, {10, 0}, {0, 0}, {10, 0}, 1, 0},
        {{5, 5}, {15, 5}, {100, 50}, {120, 50}, 2, 0},
        {{0, 0}, {10, 0}, {0, 0}, {0, 10}, 1, 90}, // y grows downward: clockwise on the screen
        {{30, 40}, {130, 40}, {7, 9}, {7 + 50 * std::cos(-0.5236), 9 + 50 * std::sin(-0.5236)}, 0.5, -30},
    };
    for (const Case& c : cases) {
        const std::optional<QTransform> t = k2::TwoPointTransform(c.p1, c.p2, c.m1, c.m2);
        ASSERT_TRUE(t.has_value());
        EXPECT_LT(Distance(t->map(c.p1), c.m1), 1e-9);
        EXPECT_LT(Distance(t->map(c.p2), c.m2), 1e-9);
        const k2::ScaleAngle sa = k2::ScaleAndAngleOf(*t);
        EXPECT_NEAR(sa.Scale, c.scale, 1e-6);
        EXPECT_NEAR(sa.Degrees, c.degrees, 1e-3);
    }
    EXPECT_FALSE(k2::TwoPointTransform({3, 3}, {3, 3}, {0, 0}, {9, 9}));
    EXPECT_FALSE(k2::TwoPointTransform({0, 0}, {9, 9}, {4, 4}, {4, 4}));
}

TEST(ReferenceAlignmentTest, HexCentresAreWhereTheViewFindsTheirHexes) {
    for (int32_t zoom = 0; zoom < 3; ++zoom)
        for (int32_t hex : {0, 1, 41, 77, Cols * Rows - 1}) {
            const QPointF c = k2::HexCentre(hex, Cols, Pitches, zoom);
            EXPECT_EQ(k2::HitTest(int32_t(c.x()), int32_t(c.y()), 0, Cols, Rows, Pitches.ColumnPitch[zoom],
                                  Pitches.RowPitch[zoom]),
                      hex)
                << "zoom " << zoom;
        }
}

TEST(ReferenceAlignmentTest, AnchoredPointsSitOnTheirHexesAtEveryZoomAndTheNudgeMovesByZoomTwoPixels) {
    k2::ReferenceSettings s;
    s.Picture = "/maps/field.png";
    s.Anchors = {{{120.5, 80.25}, 5 * Cols + 7}, {{610, 455}, 22 * Cols + 31}};
    const QTransform placed = k2::PlacementOf(s, QSize(800, 600), Cols, Rows, Pitches);
    for (int32_t zoom = 0; zoom < 3; ++zoom) {
        const QTransform atZoom = k2::PlacementAtZoom(placed, Pitches, zoom);
        for (const k2::ReferenceAnchor& a : s.Anchors)
            EXPECT_LT(Distance(atZoom.map(a.Picture), k2::HexCentre(a.Hex, Cols, Pitches, zoom)), 1.0)
                << "zoom " << zoom;
    }
    s.Nudge = {3, -2};
    const QTransform nudged = k2::PlacementOf(s, QSize(800, 600), Cols, Rows, Pitches);
    EXPECT_LT(Distance(nudged.map(s.Anchors[0].Picture),
                       k2::HexCentre(s.Anchors[0].Hex, Cols, Pitches, k2::AlignZoom) + QPointF(3, -2)),
              1e-9);

    // Without anchors the picture is laid over the map from its corner, as large as fits.
    s.Anchors.clear();
    s.Nudge = {};
    const QTransform fitted = k2::PlacementOf(s, QSize(800, 400), Cols, Rows, Pitches);
    const QSizeF map = k2::MapExtent(Cols, Rows, Pitches, k2::AlignZoom);
    EXPECT_EQ(fitted.map(QPointF(0, 0)), QPointF(0, 0));
    const QPointF corner = fitted.map(QPointF(800, 400));
    EXPECT_NEAR(std::min(map.width() - corner.x(), map.height() - corner.y()), 0, 1e-9);
    EXPECT_LE(corner.x(), map.width() + 1e-9);
    EXPECT_LE(corner.y(), map.height() + 1e-9);
}

TEST(ReferenceAlignmentTest, TheAlignClicksTakeAPointThenItsHexTwiceAndRefuseWhatCannotAlign) {
    k2::ReferenceAligner aligner;
    const std::string first = aligner.Prompt();
    EXPECT_FALSE(aligner.Click({5, 5}, false, 10).Refusal.empty()) << "off the picture";
    EXPECT_TRUE(aligner.Click({5, 5}, true, 10).Refusal.empty());
    EXPECT_EQ(aligner.Awaits(), k2::ReferenceAligner::Waiting::Hex);
    EXPECT_NE(aligner.Prompt(), first);
    EXPECT_FALSE(aligner.Click({}, true, k2::NoSymbol).Refusal.empty()) << "off the map";
    EXPECT_TRUE(aligner.Click({}, true, 44).Refusal.empty());
    EXPECT_FALSE(aligner.Click({6, 6}, true, 0).Refusal.empty()) << "too near the first point";
    EXPECT_TRUE(aligner.Click({90, 40}, true, 0).Refusal.empty());
    EXPECT_EQ(aligner.PendingPoints().size(), 2u);
    EXPECT_FALSE(aligner.Click({}, true, 44).Refusal.empty()) << "the first hex again";
    const k2::ReferenceAligner::Outcome done = aligner.Click({}, true, 99);
    ASSERT_TRUE(done.Done.has_value());
    EXPECT_EQ(*done.Done, (std::vector<k2::ReferenceAnchor>{{{5, 5}, 44}, {{90, 40}, 99}}));
    EXPECT_EQ(aligner.Prompt(), first) << "the next click begins new pairs";
    EXPECT_TRUE(aligner.PendingPoints().empty());
}

TEST(ReferenceLayerTest, TheBlendMovesEachChannelTowardThePictureByTheOpacity) {
    struct Case {
        uint16_t under, over;
        int32_t alpha;
        uint16_t expected;
    };
    const uint16_t white = 0xFFFF, half = uint16_t((15 << 11) | (31 << 5) | 15);
    for (const Case& c :
         {Case{0, white, 0, 0}, Case{0, white, 32, white}, Case{0, white, 16, half}, Case{white, 0, 16, half},
          Case{white, white, 9, uint16_t((30 << 11) | (62 << 5) | 30)},
          Case{uint16_t(8 << 11), uint16_t(24 << 11), 8, uint16_t(12 << 11)}}) {
        uint16_t under = c.under, over = c.over;
        k2::ScaleRgb16(&over, 1, c.alpha);
        k2::BlendScaledRgb16(&under, &over, 1, c.alpha);
        EXPECT_EQ(under, c.expected) << c.under << " " << c.over << " " << c.alpha;
    }
    // Whole vectors of pixels and the pixels left over blend as single pixels do, and a channel
    // never carries into the next.
    std::mt19937 random(7);
    std::vector<uint16_t> under(53), over(53);
    for (std::size_t i = 0; i < under.size(); ++i) {
        under[i] = uint16_t(random());
        over[i] = uint16_t(random());
    }
    for (int32_t alpha : {1, 9, 16, 31}) {
        std::vector<uint16_t> scaled = over;
        k2::ScaleRgb16(scaled.data(), int32_t(scaled.size()), alpha);
        std::vector<uint16_t> together = under, single = under;
        k2::BlendScaledRgb16(together.data(), scaled.data(), int32_t(together.size()), alpha);
        for (std::size_t i = 0; i < single.size(); ++i) {
            k2::BlendScaledRgb16(&single[i], &scaled[i], 1, alpha);
            for (int shift : {11, 5, 0}) {
                const int mask = shift == 5 ? 63 : 31;
                const int d = (under[i] >> shift) & mask, s = (over[i] >> shift) & mask;
                const double exact = d + (s - d) * alpha / 32.0;
                EXPECT_NEAR((single[i] >> shift) & mask, exact, 1.99) << alpha << " " << i;
            }
        }
        EXPECT_EQ(together, single) << alpha;
    }
}

QImage Stripes(QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixelColor(x, y, QColor((x * 7) % 256, (y * 5) % 256, ((x + y) * 3) % 256));
    return picture;
}

TEST(ReferenceLayerTest, ThePictureCoversOnlyItsPlaceAtItsOpacity) {
    k2::ReferenceLayer layer;
    layer.SetPicture(Stripes({40, 30}));
    QImage view(100, 80, QImage::Format_RGB16);
    view.fill(Qt::black);
    const QImage blank = view.copy();
    layer.DrawOver(view, QTransform::fromTranslate(10, 20), 0);
    EXPECT_EQ(view, blank) << "at no opacity nothing is drawn";

    layer.DrawOver(view, QTransform::fromTranslate(10, 20), 100);
    const QImage expected = Stripes({40, 30}).convertToFormat(QImage::Format_RGB16);
    for (int y = 0; y < view.height(); ++y)
        for (int x = 0; x < view.width(); ++x) {
            const bool inside = x >= 10 && x < 50 && y >= 20 && y < 50;
            EXPECT_EQ(view.pixel(x, y), inside ? expected.pixel(x - 10, y - 20) : blank.pixel(x, y))
                << x << "," << y;
            if (HasFailure()) return;
        }
}

TEST(ReferenceLayerTest, AScrollTransformsOnlyTheStripsItUncoversAndGivesTheSamePicture) {
    const QTransform placed = QTransform().rotate(12).scale(1.7, 1.7) * QTransform::fromTranslate(-30, -15);
    k2::ReferenceLayer scrolled;
    scrolled.SetPicture(Stripes({300, 200}));
    QImage view(320, 240, QImage::Format_RGB16);
    view.fill(QColor(20, 90, 40));
    const QImage map = view.copy();
    scrolled.DrawOver(view, placed, 60);
    const int64_t whole = scrolled.LastTransformedPixels();
    for (const QPointF move : {QPointF(-36, 0), QPointF(0, 44), QPointF(18, -22)}) {
        const QTransform after = placed * QTransform::fromTranslate(move.x(), move.y());
        view = map.copy();
        scrolled.DrawOver(view, after, 60);
        EXPECT_LT(scrolled.LastTransformedPixels(), whole / 3) << move.x() << "," << move.y();

        k2::ReferenceLayer fresh;
        fresh.SetPicture(Stripes({300, 200}));
        QImage direct = map.copy();
        fresh.DrawOver(direct, after, 60);
        int32_t differing = 0;
        for (int y = 0; y < view.height(); ++y)
            for (int x = 0; x < view.width(); ++x) {
                const QColor a = view.pixelColor(x, y), b = direct.pixelColor(x, y);
                // The smooth transform may round a step differently where a strip begins.
                differing += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                                 std::abs(a.blue() - b.blue()) >
                             24;
            }
        EXPECT_EQ(differing, 0) << move.x() << "," << move.y();
        scrolled.DrawOver(view = map.copy(), after, 60);
        EXPECT_EQ(scrolled.LastTransformedPixels(), 0) << "the same place again only blends";
    }
}

// Each 565 channel of `a` within one level of `b`'s.
bool Near565(uint16_t a, uint16_t b) {
    for (const auto& [shift, mask] : {std::pair{11, 31}, std::pair{5, 63}, std::pair{0, 31}})
        if (std::abs(((a >> shift) & mask) - ((b >> shift) & mask)) > 1) return false;
    return true;
}

// The picture's point for each view pixel, blended bilinearly in doubles with the edge texels
// repeated: every pixel the picture covers lies within a level of it, at any scale and turn.
TEST(ReferenceLayerTest, EachPixelIsTheBilinearBlendOfTheFourTexelsAroundItsPoint) {
    QImage picture(61, 47, QImage::Format_RGB32);
    std::mt19937 random(3);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(int(random() % 256), int(random() % 256), int(random() % 256)));
    k2::ReferenceLayer layer;
    layer.SetPicture(picture);
    for (const auto& [degrees, scale] : {std::pair{0.0, 1.0}, std::pair{0.0, 2.5}, std::pair{-7.0, 1.7},
                                         std::pair{33.0, 0.6}, std::pair{180.0, 3.0}}) {
        const QTransform placed = QTransform().scale(scale, scale).rotate(degrees) *
                                  QTransform::fromTranslate(120 - 30 * scale, 90 - 23 * scale);
        QImage view(240, 180, QImage::Format_RGB16);
        view.fill(Qt::black);
        layer.DrawOver(view, placed, 100);
        const QTransform back = placed.inverted();
        int32_t covered = 0;
        for (int y = 0; y < view.height(); ++y)
            for (int x = 0; x < view.width(); ++x) {
                const QPointF p = back.map(QPointF(x + 0.5, y + 0.5)) - QPointF(0.5, 0.5);
                if (p.x() < -0.49 || p.y() < -0.49 || p.x() > picture.width() - 0.51 ||
                    p.y() > picture.height() - 0.51)
                    continue; // at the very edge the covered pixels are counted by their centres
                ++covered;
                const int tx = int(std::floor(p.x())), ty = int(std::floor(p.y()));
                const double fx = p.x() - tx, fy = p.y() - ty;
                auto texel = [&](int i, int j) {
                    return picture.pixel(std::clamp(i, 0, picture.width() - 1),
                                         std::clamp(j, 0, picture.height() - 1));
                };
                double rgb[3];
                for (int c = 0; c < 3; ++c) {
                    auto channel = [c](QRgb v) {
                        return double(c == 0 ? qRed(v) : c == 1 ? qGreen(v) : qBlue(v));
                    };
                    const double top = channel(texel(tx, ty)) * (1 - fx) + channel(texel(tx + 1, ty)) * fx;
                    const double bottom =
                        channel(texel(tx, ty + 1)) * (1 - fx) + channel(texel(tx + 1, ty + 1)) * fx;
                    rgb[c] = top * (1 - fy) + bottom * fy;
                }
                const uint16_t expected =
                    uint16_t(((int(rgb[0]) >> 3) << 11) | ((int(rgb[1]) >> 2) << 5) | (int(rgb[2]) >> 3));
                const uint16_t got = reinterpret_cast<const uint16_t*>(view.constScanLine(y))[x];
                ASSERT_TRUE(Near565(got, expected))
                    << degrees << " degrees, scale " << scale << ": pixel " << x << "," << y << " is " << got
                    << ", the blend " << expected;
            }
        EXPECT_GT(covered, 500) << degrees << " " << scale;
    }
}

// The blend kept between presents against one made afresh each time: a map that scrolls (its
// pixels moved and the strip drawn anew) and is edited, the picture moving with it; the idle
// work (the kept blend made again after a whole one, the margin) done or not; a present that
// went by while the picture was hidden.
TEST(ReferenceLayerTest, TheKeptBlendFollowsScrollsAndEditsAsAFreshOneWould) {
    const QTransform placed = QTransform().rotate(-6).scale(1.4, 1.4) * QTransform::fromTranslate(-60, -20);
    const QSize size(200, 150);
    QImage map(size + QSize(40, 30), QImage::Format_RGB16); // the renderer's buffer, with margins
    std::mt19937 random(11);
    auto paint = [&](QRect r) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                reinterpret_cast<uint16_t*>(map.scanLine(y))[x] = uint16_t(random());
    };
    paint(map.rect());
    const QRect from(QPoint(20, 15), size);
    k2::ReferenceLayer kept;
    kept.SetPicture(Stripes({300, 200}));
    QImage view(size, QImage::Format_RGB16);
    kept.Present(map, from, view, placed, 45, k2::BufferChanges{});
    struct Step {
        QPoint shift;
        bool idle, hidden;
    };
    const std::vector<Step> steps = {
        {{-24, 0}, true, false}, {{0, 18}, false, false}, {{-24, 0}, false, false}, {{24, 0}, true, false},
        {{0, -90}, true, false}, {{0, 0}, false, true},   {{-24, 0}, true, false},  {{150, 0}, false, false}};
    QPoint moved;
    bool lastWhole = true, forgotten = false;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        if (step.idle)
            while (kept.RenewComposite(map, from, 40) || kept.FillMargin(5000)) {
            }
        // The renderer's step: its pixels moved, what came in drawn, and two hexes redrawn.
        k2::BufferChanges changes{false, step.shift, {}};
        map = [&] {
            QImage shifted = map.copy();
            shifted.fill(0);
            QPainter(&shifted).drawImage(step.shift, map);
            return shifted;
        }();
        changes.Repainted = QRegion(map.rect()) - QRegion(map.rect().translated(step.shift));
        for (const QRect edit : {QRect(60 + int(i) * 9, 40, 14, 12), QRect(150, 100 - int(i) * 7, 10, 16)})
            changes.Repainted += edit;
        for (const QRect& r : changes.Repainted)
            paint(r);
        moved += step.shift;
        const QTransform now = placed * QTransform::fromTranslate(moved.x(), moved.y());
        if (step.hidden) {
            kept.Forget(); // the view copied the map itself, and these changes went with it
            forgotten = true;
            continue;
        }
        kept.Present(map, from, view, now, 45, changes);
        // Only what moved in or was drawn again is blended, unless the blend kept is not the view's.
        const bool whole = forgotten || (lastWhole && !step.idle);
        const int64_t all = int64_t(size.width()) * size.height();
        if (whole)
            EXPECT_EQ(kept.LastComposedPixels(), all) << "step " << i;
        else
            EXPECT_LT(kept.LastComposedPixels(), all * 3 / 4) << "step " << i;
        lastWhole = whole;
        forgotten = false;

        k2::ReferenceLayer fresh;
        fresh.SetPicture(Stripes({300, 200}));
        QImage direct(size, QImage::Format_RGB16);
        fresh.Present(map, from, direct, now, 45, k2::BufferChanges{});
        int32_t differing = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                differing += !Near565(reinterpret_cast<const uint16_t*>(view.constScanLine(y))[x],
                                      reinterpret_cast<const uint16_t*>(direct.constScanLine(y))[x]);
        EXPECT_EQ(differing, 0) << "step " << i;
    }
}

TEST(ReferenceLayerTest, TheMarginFilledWhileIdleLeavesAScrollNothingToSample) {
    const QTransform placed = QTransform().rotate(10).scale(2, 2);
    k2::ReferenceLayer layer;
    layer.SetPicture(Stripes({300, 200}));
    QImage view(320, 240, QImage::Format_RGB16);
    view.fill(Qt::black);
    layer.DrawOver(view, placed, 50);
    // A new placement samples the view where the picture covers it, not the margin.
    EXPECT_GT(layer.LastTransformedPixels(), 320 * 240 / 2);
    EXPECT_LE(layer.LastTransformedPixels(), 320 * 240);
    ASSERT_TRUE(layer.MarginPending());
    int32_t slices = 0;
    while (layer.FillMargin(20000))
        ++slices;
    EXPECT_GT(slices, 3) << "the margin is filled a slice at a time";
    EXPECT_FALSE(layer.MarginPending());
    layer.DrawOver(view, placed * QTransform::fromTranslate(-40, 30), 50);
    EXPECT_EQ(layer.LastTransformedPixels(), 0);
    EXPECT_TRUE(layer.MarginPending()) << "the strip the scroll took is to be filled again";
}

class ReferenceSidecarTest : public ::testing::Test {
  protected:
    std::filesystem::path Path(const char* name) const {
        return std::filesystem::path(dir_.path().toStdString()) / name;
    }
    QTemporaryDir dir_;
};

TEST_F(ReferenceSidecarTest, SettingsComeBackAsWrittenWithThePicturesPathRelativeToTheBattle) {
    std::filesystem::create_directories(Path("maps"));
    std::filesystem::create_directories(Path("other"));
    k2::ReferenceSettings s;
    s.Picture = Path("maps") / "survey.jpg";
    s.Anchors = {{{12.5, 40}, 3}, {{200, 310.75}, 1180}};
    s.Nudge = {-4, 7};
    s.Opacity = 35;
    s.Shown = false;
    for (const auto& [battle, stored] : {std::pair{Path("Field.k2s"), "maps/survey.jpg"},
                                         std::pair{Path("other") / "Copy.k2s", "../maps/survey.jpg"}}) {
        ASSERT_TRUE(k2::WriteReferenceSidecar(s, battle));
        QFile file(QString::fromStdString(k2::ReferenceSidecarPath(battle).string()));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().contains(QByteArray("\"picture\": \"") + stored + "\""));
        const k2::ReferenceSidecarRead read = k2::ReadReferenceSidecar(battle, 1200);
        EXPECT_TRUE(read.Found);
        ASSERT_TRUE(read.Outcome) << read.Outcome.message;
        EXPECT_EQ(read.Settings, s);
    }
    // Without a picture the file of an earlier one goes, and no file is no message.
    ASSERT_TRUE(k2::WriteReferenceSidecar({}, Path("Field.k2s")));
    EXPECT_FALSE(std::filesystem::exists(k2::ReferenceSidecarPath(Path("Field.k2s"))));
    const k2::ReferenceSidecarRead none = k2::ReadReferenceSidecar(Path("Field.k2s"), 1200);
    EXPECT_FALSE(none.Found);
    EXPECT_TRUE(none.Outcome);
}

TEST_F(ReferenceSidecarTest, ADamagedFileIsRefusedWholeWithAMessageThatNamesIt) {
    const char* anchor = R"({"pictureX": 1, "pictureY": 2, "hex": 5})";
    const std::string two = std::string("[") + anchor + R"(, {"pictureX": 9, "pictureY": 9, "hex": 6}])";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"not json at all", "not a JSON object"},
        {"[1, 2]", "not a JSON object"},
        {R"({"opacity": 50})", "no picture"},
        {R"({"picture": 7})", "no picture"},
        {R"({"picture": "a.png", "opacity": 101})", "opacity"},
        {R"({"picture": "a.png", "opacity": 12.5})", "opacity"},
        {R"({"picture": "a.png", "shown": "yes"})", "shown"},
        {R"({"picture": "a.png", "nudge": [1, 2, 3]})", "nudge"},
        {R"({"picture": "a.png", "nudge": [1e300, 2]})", "nudge"},
        {std::string(R"({"picture": "a.png", "anchors": [)") + anchor + "]}", "two anchors"},
        {R"({"picture": "a.png", "anchors": [{"pictureX": 1, "pictureY": 2, "hex": 1200}, )" +
             std::string(anchor) + "]}",
         "not on this battle's map"},
        {R"({"picture": "a.png", "anchors": [{"pictureX": 1, "pictureY": 2, "hex": -1}, )" +
             std::string(anchor) + "]}",
         "not on this battle's map"},
        {R"({"picture": "a.png", "anchors": [{"pictureX": "1", "pictureY": 2, "hex": 4}, )" +
             std::string(anchor) + "]}",
         "point of the picture"},
        {std::string(R"({"picture": "a.png", "anchors": [)") + anchor + ", " + anchor + "]}", "coincide"},
    };
    for (const auto& [json, reason] : cases) {
        const k2::ReferenceSidecarRead read =
            k2::ParseReferenceSidecar(QByteArray::fromStdString(json), Path("Field.k2s"), 1200);
        EXPECT_FALSE(read.Outcome) << json;
        EXPECT_NE(read.Outcome.message.find("Field.k2s.reference.json"), std::string::npos) << json;
        EXPECT_NE(read.Outcome.message.find(reason), std::string::npos) << read.Outcome.message;
        EXPECT_EQ(read.Settings, k2::ReferenceSettings{}) << json;
    }
    EXPECT_TRUE(k2::ParseReferenceSidecar(
                    QByteArray::fromStdString(R"({"picture": "a.png", "anchors": )" + two + "}"),
                    Path("Field.k2s"), 1200)
                    .Outcome);

    // A file far larger than any settings is not read at all.
    QFile big(QString::fromStdString(k2::ReferenceSidecarPath(Path("Field.k2s")).string()));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(QByteArray(int(k2::MaxReferenceSidecarBytes) + 1, ' '));
    big.close();
    const k2::ReferenceSidecarRead read = k2::ReadReferenceSidecar(Path("Field.k2s"), 1200);
    EXPECT_TRUE(read.Found);
    EXPECT_NE(read.Outcome.message.find("larger than"), std::string::npos) << read.Outcome.message;
}

} // namespace
