// A picture traced over the map (a period map, a survey of the field): where it lies on the map,
// tied by two of its points to two hexes, and its drawing over the map picture at an opacity.
// None of it is part of the battle.
#pragma once

#include "graphics/hex_geometry.h"

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRegion>
#include <QSizeF>
#include <QTransform>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace k2 {

class MapRenderer;
struct BufferChanges;
struct Scenario;

// A point of the picture and the hex it shows.
struct ReferenceAnchor {
    QPointF Picture; // picture pixels
    int32_t Hex = 0;
    bool operator==(const ReferenceAnchor&) const = default;
};

struct ReferenceSettings {
    static constexpr int32_t DefaultOpacity = 50;
    // Absolute while the editor holds it; the file beside the battle keeps it relative.
    std::filesystem::path Picture;
    // None (the picture laid over the whole map from its top-left corner) or two.
    std::vector<ReferenceAnchor> Anchors;
    // Moved this far after the anchors placed it, in pixels of the zoom-2 map.
    QPointF Nudge;
    int32_t Opacity = DefaultOpacity; // percent
    bool Shown = true;
    bool operator==(const ReferenceSettings&) const = default;
};

// The placement is kept in pixels of the map at this zoom level, the finest one.
constexpr int32_t AlignZoom = 2;

// The centre of `hex` in map pixels at `zoom`; the map's first hex has its corner at (0, 0).
QPointF HexCentre(int32_t hex, int32_t cols, const HexPitches& pitches, int32_t zoom);
// The map's width and height in pixels at `zoom`.
QSizeF MapExtent(int32_t cols, int32_t rows, const HexPitches& pitches, int32_t zoom);

// The scale, rotation and move that puts picture points p1 and p2 on map points m1 and m2;
// nothing when either pair's points coincide.
std::optional<QTransform> TwoPointTransform(QPointF p1, QPointF p2, QPointF m1, QPointF m2);

// Picture pixels to zoom-2 map pixels: by the anchors, or else the picture fitted over the
// whole map from its top-left corner; then the nudge.
QTransform PlacementOf(const ReferenceSettings& settings, QSize picture, int32_t cols, int32_t rows,
                       const HexPitches& pitches);
// The placement at `zoom`: the zoom-2 map stretched to that level's column and row pitches.
QTransform PlacementAtZoom(const QTransform& placement, const HexPitches& pitches, int32_t zoom);

struct ScaleAngle {
    double Scale = 1;   // map pixels at zoom 2 per picture pixel
    double Degrees = 0; // clockwise on the screen
};
ScaleAngle ScaleAndAngleOf(const QTransform& placement);

// Where the map's pixel (0, 0) lies in the view the renderer's last pass drew.
QPointF MapOriginInView(const MapRenderer& renderer, const Scenario& scenario, const HexPitches& pitches,
                        int32_t zoom);

// The clicks of Align Reference Image: a point of the picture, then its hex, twice.
class ReferenceAligner {
  public:
    enum class Waiting { PicturePoint, Hex };

    void Restart() { count_ = 0; }
    Waiting Awaits() const { return count_ % 2 == 0 ? Waiting::PicturePoint : Waiting::Hex; }
    // The picture points chosen for the pairs under way.
    std::vector<QPointF> PendingPoints() const;
    // The info bar's prompt for the next click.
    std::string Prompt() const;

    struct Outcome {
        std::string Refusal;                              // why the click was not taken ("" when it was)
        std::optional<std::vector<ReferenceAnchor>> Done; // both pairs, after the fourth click
    };
    // A click at `picturePoint` over `hex` (NoSymbol off the map); `onPicture` says whether the
    // point lies on the picture at all.
    Outcome Click(QPointF picturePoint, bool onPicture, int32_t hex);

  private:
    int32_t count_ = 0;
    ReferenceAnchor pairs_[2];
};

// The picture over the view, kept sampled between presents: a present at the same placement
// only blends, and a scroll (a move by whole pixels) samples only the strips it brings in.
class ReferenceLayer {
  public:
    // The picture as it is drawn: without transparency (flattened onto white). Null clears it.
    // False, and no picture, when there is no memory to hold it.
    bool SetPicture(const QImage& picture);
    bool HasPicture() const { return !picture_.isNull(); }
    QSize PictureSize() const { return picture_.size(); }
    const QImage& Picture() const { return picture_; }

    // Copies `from` of `map` (RGB16) into `view` (RGB16) at (0, 0), with the picture placed by
    // `toView` (picture pixels to view pixels) blended over it at `opacity` percent; where
    // `from` does not reach, the picture lies over black. The blend is kept between presents:
    // `changes` says what the renderer did to `map` since the last one, and only what it
    // redrew or a scroll brought into view is blended again.
    void Present(const QImage& map, QRect from, QImage& view, const QTransform& toView, int32_t opacity,
                 const BufferChanges& changes);
    // A present went by without the layer (the picture hidden): the blend kept is no longer
    // the view's.
    void Forget() { composed_ = false; }
    // The picture blended over `view` itself.
    void DrawOver(QImage& view, const QTransform& toView, int32_t opacity);
    // The view pixels the last present had to sample anew from the picture, and blend anew.
    int64_t LastTransformedPixels() const { return lastTransformed_; }
    int64_t LastComposedPixels() const { return lastComposed_; }

    // Around the view the layer keeps a margin sampled ahead, so that a scroll finds its new
    // strip ready: a present samples only the view, and the margin it leaves (all of it after a
    // new placement, the strip a scroll uncovered) is sampled here while the editor is idle,
    // about `pixels` at a time. True while some of it is still to do.
    bool FillMargin(int64_t pixels);
    bool MarginPending() const;
    // A present that blended the whole view (after a full render, a new placement) wrote it
    // straight to the view; the blend kept for the next scroll is made here while the editor is
    // idle, `rows` at a time, from the same `map` and `from`. True while some is still to do;
    // until it is done a present blends the whole view again.
    bool RenewComposite(const QImage& map, QRect from, int32_t rows);
    bool CompositePending() const { return composed_ && compositeRows_ < composite_.height(); }

  private:
    static constexpr int32_t MinMargin = 128;

    // Samples the picture where the view needs it, after a new placement (returning nothing) or
    // a move by whole pixels (returning the move).
    std::optional<QPoint> Prepare(QSize size, const QTransform& toView, int32_t alpha);
    // Each returns the pixels it did; `area` in view pixels.
    int64_t Sample(const QRegion& area);
    // The part of the map under the view, for the blend.
    struct ComposeRows {
        const uchar* mapBits; // the view's first pixel
        qsizetype mapStride;
        int32_t mapWidth, mapHeight; // how much of the view the map reaches
        // `from` of `map` (already cut to it) under a view of `view`'s size.
        static ComposeRows Of(const QImage& map, QRect from, QSize view);
    };
    // Blends view columns [x0, x1) of row `y` into `out`, the row of a ring turned by `outShift`.
    int64_t ComposeRow(const ComposeRows& rows, int32_t y, int32_t x0, int32_t x1, uint16_t* out,
                       int32_t outShift) const;
    int64_t Compose(const QRegion& area, const ComposeRows& rows);
    // Everything anew: the blend written to the view (the composite left to RenewComposite).
    int64_t ComposeWhole(const ComposeRows& rows, QImage& view);

    QImage padded_;  // the picture with its edge repeated all round
    QImage picture_; // the inside of padded_
    // RGB16, the view and its margin, the picture times layerAlpha_/32. A ring: view pixel
    // (x, y) is at ((x + margin + ringX_) mod width, (y + margin + ringY_) mod height), so that a
    // scroll moves nothing.
    QImage layer_;
    int32_t margin_ = 0, ringX_ = 0, ringY_ = 0;
    int32_t layerAlpha_ = 0;
    QTransform layerTransform_, inverse_;
    bool layerValid_ = false;
    QRegion sampled_; // the layer's pixels sampled for the placement, in view pixels
    // Per row of the view and its margin (the first being -margin): the columns [first, last)
    // the picture covers.
    std::vector<std::pair<int32_t, int32_t>> spans_;
    std::vector<uint16_t> scratch_; // a row sampled before it goes into the ring
    // The map blended with the layer, the view's size; a ring like the layer, without margin.
    QImage composite_;
    int32_t composeX_ = 0, composeY_ = 0;
    bool composed_ = false;
    int32_t compositeRows_ = 0; // the rows of the composite made since the last whole blend
    QRect composedFrom_;
    QSize composedMapSize_;
    int32_t composedAlpha_ = 0;
    int64_t lastTransformed_ = 0, lastComposed_ = 0;
};

// Each channel of `n` RGB16 pixels times factor/32 (0 to 32), rounded down.
void ScaleRgb16(uint16_t* pixels, int32_t n, int32_t factor);
// Blends a picture into `under` at `alpha` of 32, where `over` holds the picture already scaled
// by alpha (ScaleRgb16): each channel becomes under * (32 - alpha)/32 + over, both rounded down.
void BlendScaledRgb16(uint16_t* under, const uint16_t* over, int32_t n, int32_t alpha);

} // namespace k2
