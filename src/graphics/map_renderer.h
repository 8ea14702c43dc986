// The off-screen map buffer and the renderer that paints the battle into it layer by layer:
// full passes, passes restricted to chosen layers, the redraw of one hex, and the buffer shift
// of an incremental scroll.
#pragma once

#include "core/edit_state.h"
#include "core/scenario.h"
#include "graphics/hex_geometry.h"
#include "graphics/symbol_set.h"
#include "graphics/symbol_sprites.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QRegion>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace k2 {

// Bits of a render pass. Units are drawn by every pass.
enum RedrawLayer : uint32_t {
    RedrawClear = 1,   // fill the buffer with the background colour first
    RedrawTerrain = 2, // terrain, structures and markers
    RedrawText = 32,   // map text
    RedrawAll = 63,
    RedrawStrip = 62, // everything but the clearing
};

// The face, size, style and solid glyphs of a map text entry at zoom level `zoom`, as the map
// draws it (and the map text dialog's sample shows it).
QFont MapTextFont(const PlaceName& entry, int32_t zoom);

// What changed in the buffer since it was last asked: everything, or the pixels moved by Shift
// (a scroll) and then the Repainted ones drawn anew, in buffer pixels.
struct BufferChanges {
    bool Whole = true;
    QPoint Shift;
    QRegion Repainted;
};

// The off-screen bitmap, 16 bits per pixel, draw width by draw height.
class MapBuffer {
  public:
    MapBuffer();
    void Resize(int32_t width, int32_t height);
    int32_t Width() const { return image_.width(); }
    int32_t Height() const { return image_.height(); }
    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }

  private:
    QImage image_;
};

class MapRenderer {
  public:
    MapRenderer(const Scenario& scenario, const SymbolSet& symbols, const DisplaySwitches& switches);

    // Render passes do nothing until a battle is loaded (and a symbol set with usable pitches).
    void SetBattleLoaded(bool loaded);
    bool BattleLoaded() const { return battleLoaded_; }

    // Sets the view size and resizes the buffer to the draw size of the scenario's current
    // ZoomLevel. Call again after a zoom change or a symbol set load.
    void SetViewSize(int32_t viewWidth, int32_t viewHeight);
    // Like SetViewSize with the current view size.
    void SetupView() { SetViewSize(viewWidth_, viewHeight_); }
    int32_t ViewWidth() const { return viewWidth_; }
    int32_t ViewHeight() const { return viewHeight_; }

    void SetBackground(QColor colour);

    // Pitches of the loaded symbol set, and the view metrics at the current zoom level.
    HexPitches Pitches() const;
    ViewMetrics Metrics() const;
    int32_t Zoom() const;

    // A full pass (RedrawAll).
    void Render() { RenderPass(RedrawAll); }
    // A pass honouring the RedrawLayer bits of `layers`.
    void RenderPass(uint32_t layers);
    // Repaints one hex in place (terrain group without the stakes, then its unit); does nothing
    // when the hex is not in the current render window.
    void RedrawHex(int32_t hex);
    // Call after the view has moved ViewOriginHex by a small step (the map view uses two
    // columns or two rows): shifts the buffer and repaints only the band that needs it: the
    // strip that came into view and every pixel a hex entering or leaving the window reaches
    // with its cell, its raised symbols, its unit or its map text. Inside the band terrain, map
    // text and units are drawn in their usual order. The result equals a full pass at the new
    // origin; when the buffer does not hold a full pass of the same zoom, map and switches, or
    // the step is diagonal or larger than the buffer, it runs the full pass instead.
    void ScrollShift();

    // State of the last pass, for the hit test and the view.
    const RenderWindow& Window() const { return window_; }
    int32_t LeftMargin() const { return window_.LeftMargin; }
    int32_t TopMargin() const { return window_.TopMargin; }
    const VisibleHexList& Visible() const { return visible_; }
    HexPoint HexPositionInBuffer(int32_t hex) const { return visible_.Position(hex); }

    MapBuffer& Buffer() { return buffer_; }
    const MapBuffer& Buffer() const { return buffer_; }
    // The part of the buffer the view shows: from (left margin, top margin), view width by
    // view height (cut to the buffer).
    QRect ViewRect() const;
    QImage Present() const;
    // Copies the view rectangle into `target` at (0, 0); `target` must be RGB16.
    void PresentTo(QImage& target) const;
    // What the passes changed since the last call, for a view that keeps a picture made from
    // the buffer (the reference picture's blend) and renews only that.
    BufferChanges TakeChanges();
    bool ChangesPending() const {
        return changes_.Whole || !changes_.Shift.isNull() || !changes_.Repainted.isEmpty();
    }

  private:
    void NoteWhole() { changes_ = {}; }
    void NoteRepainted(const QRect& r);

    struct PassContext;
    // The terrain symbols of one hex as drawn, in order: symbol number, plus MaskedBit when it
    // is drawn through its mask.
    struct GroupKey {
        std::array<uint32_t, 13> Codes{};
        uint32_t Count = 0;
        bool operator==(const GroupKey& o) const {
            return Count == o.Count && std::equal(Codes.begin(), Codes.begin() + Count, o.Codes.begin());
        }
    };
    struct GroupKeyHash {
        std::size_t operator()(const GroupKey& k) const;
    };
    // The solid pixels of one map text, laid out once per text, face, size and style.
    struct TextInk {
        int32_t Width = 0;        // measured advance
        int32_t Height = 0;       // line height
        QRect Area;               // where ink may fall, relative to the text's top-left corner
        std::vector<QRect> Spans; // one-row spans of ink, relative to the text's top-left corner
    };
    struct PlacedText {
        const TextInk* Ink = nullptr;
        QPoint TopLeft;
        uint16_t Colour = 0;
        QRect Area() const { return Ink ? Ink->Area.translated(TopLeft) : QRect(); }
    };
    static constexpr uint32_t MaskedBit = 0x10000;

    bool CanDraw() const;
    void SyncSprites();
    void BuildWindow();
    void DrawTerrainGroup(int32_t hex, const PassContext& ctx, bool withStakes);
    void DrawUnit(int32_t hex, const PassContext& ctx);
    void DrawMapTexts(const QRect& clip);
    GroupKey TerrainGroupOf(int32_t hex, bool withStakes) const;
    const SymbolSprites::Sprite& GroupSprite(const GroupKey& key, int32_t zoom);
    // Draws the terrain groups and/or units of `hexes` (in list order) that reach into the clip.
    void DrawHexes(const PassContext& ctx, const std::vector<int32_t>& hexes, bool terrain, bool units);
    // The listed hexes, in list order, whose symbols may reach into `band` (a superset).
    std::vector<int32_t> HexesNear(const QRect& band, const PassContext& ctx) const;
    PassContext MakeContext(const QRect& clip);
    HexPoint RaisedPosition(int32_t hex, const PassContext& ctx) const;
    QRect TerrainRect(int32_t hex, const PassContext& ctx) const;
    QRect UnitRect(int32_t hex, const PassContext& ctx) const;
    PlacedText PlaceText(int32_t hex, int32_t zoom);
    const TextInk& InkOf(const PlaceName& entry, int32_t zoom);

    const Scenario& scenario_;
    const SymbolSet& symbols_;
    const DisplaySwitches& switches_;
    SymbolSprites sprites_;                 // unit symbols
    std::array<qint64, 12> spriteImages_{}; // cache keys of the bitmaps the sprites were made from
    // Terrain groups folded into one sprite each, per zoom level; the common group of a primary
    // terrain with nothing but the map overlay on it is also found by its primary's number.
    std::array<std::unordered_map<GroupKey, SymbolSprites::Sprite, GroupKeyHash>, 3> groups_;
    std::array<std::vector<const SymbolSprites::Sprite*>, 3> plainGroups_;
    std::array<uint32_t, 3> plainOverlay_{}; // the second code of plainGroups_' pairs (the overlay)
    std::unordered_map<std::string, TextInk> texts_;
    MapBuffer buffer_;
    bool battleLoaded_ = false;
    int32_t viewWidth_ = 0;
    int32_t viewHeight_ = 0;
    uint16_t background_ = 0;
    QColor backgroundColour_ = Qt::black;
    RenderWindow window_;
    VisibleHexList visible_;
    bool visibleBuilt_ = false; // visible_ holds window_ for visibleCols_ and visiblePitches_
    int32_t visibleCols_ = 0;
    std::array<int32_t, 2> visiblePitches_{};
    // What the buffer holds, for the incremental scroll.
    BufferChanges changes_;
    bool bufferValid_ = false;
    int32_t bufferZoom_ = -1;
    int32_t bufferCols_ = 0;
    DisplaySwitches bufferSwitches_;
};

} // namespace k2
