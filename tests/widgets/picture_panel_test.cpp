// The picture panel's painting, read back pixel by pixel from a rendered image, and the
// generated backdrop texture.
#include "graphics/backdrop.h"
#include "widgets/picture_panel.h"

#include <gmock/gmock.h>

#include <set>

namespace k2 {
namespace {

QImage Render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

// Every pixel different, so that a tile drawn at the wrong place shows.
QPixmap Pattern(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, (x * 7 + y * 13) % 256));
    return QPixmap::fromImage(image);
}

class PanelTest : public ::testing::Test {
  protected:
    TMy_Panel panel;
    void SetUp() override {
        panel.resize(100, 70);
        panel.SetBevelOuter(TBevelCut::bvNone);
        panel.SetColor(QColor(10, 20, 30));
    }
};

TEST_F(PanelTest, TilesColumnsAndRowsClippedAtTheEdges) {
    const QPixmap picture = Pattern(40, 30);
    panel.SetPicture(picture);
    ASSERT_EQ(panel.PictureDraw(), TPictureKind::kTile);
    const QImage shown = Render(panel), source = picture.toImage();
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(shown.pixel(x, y), source.pixel(x % 40, y % 30)) << x << "," << y;
}

TEST_F(PanelTest, CentredPictureLargerThanThePanelIsCutOnAllSides) {
    const QPixmap picture = Pattern(140, 110);
    panel.SetPicture(picture);
    panel.SetPictureDraw(TPictureKind::kCenter);
    const QImage shown = Render(panel), source = picture.toImage();
    // Offsets ((100 - 140) / 2, (70 - 110) / 2) = (-20, -20).
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(shown.pixel(x, y), source.pixel(x + 20, y + 20)) << x << "," << y;
}

TEST_F(PanelTest, CentredSmallPictureSitsOnThePanelColour) {
    const QPixmap picture = Pattern(40, 30);
    panel.SetPicture(picture);
    panel.SetPictureDraw(TPictureKind::kCenter);
    const QImage shown = Render(panel), source = picture.toImage();
    EXPECT_EQ(shown.pixel(29, 19), qRgb(10, 20, 30));
    EXPECT_EQ(shown.pixel(30, 20), source.pixel(0, 0));
    EXPECT_EQ(shown.pixel(69, 49), source.pixel(39, 29));
    EXPECT_EQ(shown.pixel(70, 50), qRgb(10, 20, 30));
}

TEST_F(PanelTest, StretchedPictureFillsThePanel) {
    QImage quadrants(2, 2, QImage::Format_RGB32);
    quadrants.setPixel(0, 0, qRgb(255, 0, 0));
    quadrants.setPixel(1, 0, qRgb(0, 255, 0));
    quadrants.setPixel(0, 1, qRgb(0, 0, 255));
    quadrants.setPixel(1, 1, qRgb(255, 255, 255));
    panel.SetPicture(QPixmap::fromImage(quadrants));
    panel.SetPictureDraw(TPictureKind::kStrech);
    const QImage shown = Render(panel);
    EXPECT_EQ(shown.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(90, 10), qRgb(0, 255, 0));
    EXPECT_EQ(shown.pixel(10, 60), qRgb(0, 0, 255));
    EXPECT_EQ(shown.pixel(90, 60), qRgb(255, 255, 255));
}

TEST_F(PanelTest, WithoutPictureItIsAPlainBevelledPanel) {
    panel.SetBevelOuter(TBevelCut::bvRaised);
    const QImage shown = Render(panel);
    const QRgb light = panel.HighlightColor().rgb(), dark = panel.ShadowColor().rgb(),
               face = qRgb(10, 20, 30);
    EXPECT_EQ(shown.pixel(0, 0), light);
    EXPECT_EQ(shown.pixel(50, 0), light);
    EXPECT_EQ(shown.pixel(0, 35), light);
    EXPECT_EQ(shown.pixel(99, 35), dark);
    EXPECT_EQ(shown.pixel(50, 69), dark);
    for (int y = 1; y < 69; ++y)
        for (int x = 1; x < 99; ++x)
            ASSERT_EQ(shown.pixel(x, y), face) << x << "," << y;
}

struct FrameCase {
    TBevelCut outer;
    int bevelWidth;
    int borderWidth;
    TBevelCut inner;
};

TEST_F(PanelTest, BevelsAndBorderNestInsideEachOther) {
    const std::vector<FrameCase> cases = {{TBevelCut::bvLowered, 2, 3, TBevelCut::bvRaised},
                                          {TBevelCut::bvRaised, 1, 0, TBevelCut::bvLowered},
                                          {TBevelCut::bvNone, 2, 1, TBevelCut::bvLowered}};
    panel.SetPicture(Pattern(40, 30));
    for (const FrameCase& c : cases) {
        panel.SetBevelOuter(c.outer);
        panel.SetBevelWidth(c.bevelWidth);
        panel.SetBorderWidth(c.borderWidth);
        panel.SetBevelInner(c.inner);
        const QImage shown = Render(panel);
        const QRgb light = panel.HighlightColor().rgb(), dark = panel.ShadowColor().rgb(),
                   face = qRgb(10, 20, 30);
        // Walk in from the left and right edges along the middle row.
        std::vector<QRgb> left, right;
        const auto ring = [&](TBevelCut cut, int width) {
            if (cut == TBevelCut::bvNone) return;
            for (int i = 0; i < width; ++i) {
                left.push_back(cut == TBevelCut::bvLowered ? dark : light);
                right.push_back(cut == TBevelCut::bvLowered ? light : dark);
            }
        };
        ring(c.outer, c.bevelWidth);
        for (int i = 0; i < c.borderWidth; ++i) {
            left.push_back(face);
            right.push_back(face);
        }
        ring(c.inner, c.bevelWidth);
        for (size_t i = 0; i < left.size(); ++i) {
            EXPECT_EQ(shown.pixel(int(i), 35), left[i]) << i;
            EXPECT_EQ(shown.pixel(99 - int(i), 35), right[i]) << i;
        }
        // Inside the frames the picture shows.
        EXPECT_EQ(shown.pixel(int(left.size()), 35),
                  Pattern(40, 30).toImage().pixel(int(left.size()) % 40, 5));
    }
}

TEST_F(PanelTest, CaptionFollowsItsAlignment) {
    panel.SetColor(Qt::white);
    panel.SetCaptionColor(Qt::black);
    panel.SetCaption("WW");
    const auto inkSpan = [&] {
        const QImage shown = Render(panel);
        int minX = 100, maxX = -1, minY = 70, maxY = -1;
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < 100; ++x)
                if (qGray(shown.pixel(x, y)) < 128) {
                    minX = std::min(minX, x), maxX = std::max(maxX, x);
                    minY = std::min(minY, y), maxY = std::max(maxY, y);
                }
        return QRect(QPoint(minX, minY), QPoint(maxX, maxY));
    };
    panel.SetAlignment(Qt::AlignHCenter);
    const QRect centred = inkSpan();
    ASSERT_TRUE(centred.isValid());
    EXPECT_NEAR(centred.center().x(), 50, 3);
    EXPECT_NEAR(centred.center().y(), 35, 6);
    panel.SetAlignment(Qt::AlignLeft);
    EXPECT_LT(inkSpan().left(), 5);
    panel.SetAlignment(Qt::AlignRight);
    EXPECT_GT(inkSpan().right(), 94);
}

TEST_F(PanelTest, SettingTheSameKindDoesNotRepaint) {
    const int32_t before = panel.RepaintRequests();
    panel.SetPictureDraw(TPictureKind::kTile);
    EXPECT_EQ(panel.RepaintRequests(), before);
    panel.SetPictureDraw(TPictureKind::kCenter);
    EXPECT_EQ(panel.RepaintRequests(), before + 1);
    panel.SetPictureDraw(TPictureKind::kCenter);
    EXPECT_EQ(panel.RepaintRequests(), before + 1);
    panel.SetPicture(Pattern(4, 4));
    EXPECT_EQ(panel.RepaintRequests(), before + 2);
}

TEST_F(PanelTest, KeepsItsOwnCopyOfThePicture) {
    QImage source(4, 4, QImage::Format_RGB32);
    source.fill(qRgb(200, 0, 0));
    QPixmap picture = QPixmap::fromImage(source);
    panel.SetPicture(picture);
    picture.fill(Qt::green);
    EXPECT_EQ(Render(panel).pixel(50, 35), qRgb(200, 0, 0));
}

TEST(BackdropTest, DarkVariedSeamlessAndTheSameEveryTime) {
    const QImage a = MakeBackdropTexture(128), b = MakeBackdropTexture(128);
    ASSERT_EQ(a.size(), QSize(128, 128));
    EXPECT_EQ(a, b);
    std::set<QRgb> colours;
    int64_t grey = 0, seam = 0, inner = 0;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            colours.insert(a.pixel(x, y));
            grey += qGray(a.pixel(x, y));
        }
    for (int i = 0; i < 128; ++i) {
        seam += std::abs(qGray(a.pixel(127, i)) - qGray(a.pixel(0, i))) +
                std::abs(qGray(a.pixel(i, 127)) - qGray(a.pixel(i, 0)));
        inner += std::abs(qGray(a.pixel(63, i)) - qGray(a.pixel(64, i))) +
                 std::abs(qGray(a.pixel(i, 63)) - qGray(a.pixel(i, 64)));
    }
    EXPECT_LT(grey / (128 * 128), 70); // dark enough for gold and cream text
    EXPECT_GT(colours.size(), 40u);
    EXPECT_LE(seam, 2 * inner + 128); // the edges meet like any two neighbouring columns
}

} // namespace
} // namespace k2
