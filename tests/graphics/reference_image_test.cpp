// The reference picture's arithmetic: two points tied to two hexes, the placement at every zoom,
// the clicks of the align mode, the blend over the view and its reuse after a scroll, and the
// settings file beside the battle with its refusals.
#include "core/scenario.h"
#include "graphics/hex_geometry.h"
#include "graphics/reference_image.h"
#include "graphics/reference_sidecar.h"

#include <QColor>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

uint16_t Rgb16(QColor c) {
    return uint16_t(((c.red() >> 3) << 11) | ((c.green() >> 2) << 5) | (c.blue() >> 3));
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
