// A picture traced over the map (a period map, a survey of the field): where it lies on the map,
// tied by two of its points to two hexes, and its drawing over the map picture at an opacity.
// None of it is part of the battle.
#pragma once

#include "graphics/hex_geometry.h"

#include <QImage>
#include <QPointF>
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

// The picture over the view, kept transformed between presents: a present at the same placement
// only blends, and a scroll (a move by whole pixels) transforms only the strips it brings in.
class ReferenceLayer {
  public:
    // The picture as it is drawn: without transparency (flattened onto white). Null clears it.
    void SetPicture(const QImage& picture);
    bool HasPicture() const { return !picture_.isNull(); }
    QSize PictureSize() const { return picture_.size(); }
    const QImage& Picture() const { return picture_; }

    // Blends the picture into `view` (RGB16) placed by `toView` (picture pixels to view pixels)
    // at `opacity` percent.
    void DrawOver(QImage& view, const QTransform& toView, int32_t opacity);
    // The view pixels the last DrawOver had to transform anew.
    int64_t LastTransformedPixels() const { return lastTransformed_; }

  private:
    void Prepare(QSize size, const QTransform& toView, int32_t alpha);
    void Transform(const QRegion& area);

    QImage picture_;
    QImage layer_; // RGB16, the view's size, the picture times layerAlpha_/32
    int32_t layerAlpha_ = 0;
    QTransform layerTransform_;
    bool layerValid_ = false;
    // Per row of the view: the columns [first, last) the picture covers.
    std::vector<std::pair<int32_t, int32_t>> spans_;
    int64_t lastTransformed_ = 0;
};

// Each channel of `n` RGB16 pixels times factor/32 (0 to 32), rounded down.
void ScaleRgb16(uint16_t* pixels, int32_t n, int32_t factor);
// Blends a picture into `under` at `alpha` of 32, where `over` holds the picture already scaled
// by alpha (ScaleRgb16): each channel becomes under * (32 - alpha)/32 + over, both rounded down.
void BlendScaledRgb16(uint16_t* under, const uint16_t* over, int32_t n, int32_t alpha);

} // namespace k2
