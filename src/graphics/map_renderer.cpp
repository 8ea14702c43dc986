#include "graphics/map_renderer.h"

#include "core/terrain_defs.h"
#include "graphics/ansi_text.h"
#include "graphics/map_text_place.h"
#include "graphics/symbol_blit.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <utility>

namespace k2 {
namespace {

// Map text point sizes are meant for a 96 dpi screen.
constexpr int DotsPerMeter96Dpi = 3780;

} // namespace

MapBuffer::MapBuffer() = default;

void MapBuffer::Resize(int32_t width, int32_t height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (image_.width() == width && image_.height() == height) return;
    image_ = QImage(width, height, QImage::Format_RGB16);
    image_.setDotsPerMeterX(DotsPerMeter96Dpi);
    image_.setDotsPerMeterY(DotsPerMeter96Dpi);
    if (!image_.isNull()) image_.fill(0);
}

struct MapRenderer::PassContext {
    int32_t zoom = 0;
    int32_t cellSize = 0;
    QRect clip;
    bool raise = false;
    const QImage* terrainBitmap = nullptr;
    const QImage* terrainMask = nullptr;
    const QImage* unitBitmap = nullptr;
    const QImage* unitMask = nullptr;
    uint16_t* target = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    qsizetype stride = 0;
};

MapRenderer::MapRenderer(const Scenario& scenario, const SymbolSet& symbols, const DisplaySwitches& switches)
    : scenario_(scenario), symbols_(symbols), switches_(switches) {}

void MapRenderer::SetBattleLoaded(bool loaded) {
    NoteWhole();
    battleLoaded_ = loaded;
    bufferValid_ = false;
    visibleBuilt_ = false;
    if (!loaded) visible_.Clear();
}

void MapRenderer::SetBackground(QColor colour) {
    backgroundColour_ = colour;
    background_ = ToRgb16(colour.rgb());
    bufferValid_ = false;
    NoteWhole();
}

HexPitches MapRenderer::Pitches() const {
    if (!symbols_.Loaded()) return {};
    return ComputePitches({symbols_.CellSize(0), symbols_.CellSize(1), symbols_.CellSize(2)});
}

int32_t MapRenderer::Zoom() const {
    return std::clamp<int32_t>(scenario_.ZoomLevel, 0, 2);
}

ViewMetrics MapRenderer::Metrics() const {
    const HexPitches p = Pitches();
    if (!p.Valid()) return {viewWidth_, viewHeight_, 0, 0, viewWidth_, viewHeight_};
    const int32_t z = Zoom();
    return ComputeViewMetrics(viewWidth_, viewHeight_, p.ColumnPitch[z], p.RowPitch[z]);
}

void MapRenderer::SetViewSize(int32_t viewWidth, int32_t viewHeight) {
    viewWidth_ = std::max(viewWidth, 0);
    viewHeight_ = std::max(viewHeight, 0);
    const ViewMetrics m = Metrics();
    buffer_.Resize(m.DrawWidth, m.DrawHeight);
    bufferValid_ = false;
    NoteWhole();
}

bool MapRenderer::CanDraw() const {
    if (!battleLoaded_ || !symbols_.Loaded() || !Pitches().Valid()) return false;
    if (scenario_.ZoomLevel > 2 || scenario_.Cols <= 0 || scenario_.Rows <= 0) return false;
    if (int64_t(scenario_.Cols) * scenario_.Rows != scenario_.HexCount || scenario_.HexCount > MaxHexes)
        return false;
    return scenario_.Hexes.size() >= static_cast<size_t>(scenario_.HexCount) && !buffer_.Image().isNull();
}

void MapRenderer::SyncSprites() {
    std::array<qint64, 12> keys{};
    for (int z = 0; z < 3; ++z) {
        keys[size_t(z) * 4] = symbols_.TerrainBitmap(z).cacheKey();
        keys[size_t(z) * 4 + 1] = symbols_.TerrainMask(z).cacheKey();
        keys[size_t(z) * 4 + 2] = symbols_.UnitBitmap(z).cacheKey();
        keys[size_t(z) * 4 + 3] = symbols_.UnitMask(z).cacheKey();
    }
    // A symbol set load replaces the bitmaps (and with them the symbol tables).
    constexpr size_t MaxGroups = 8192; // a bound on memory for maps with endless combinations
    bool tooMany = false;
    for (const auto& g : groups_)
        tooMany = tooMany || g.size() > MaxGroups;
    if (keys != spriteImages_ || tooMany) {
        sprites_.Clear();
        for (int z = 0; z < 3; ++z) {
            groups_[size_t(z)].clear();
            plainGroups_[size_t(z)].clear();
        }
        spriteImages_ = keys;
    }
}

// One sprite per symbol, zoom level, set and mask choice.
static uint64_t SpriteKey(bool unit, int32_t zoom, bool masked, int32_t symbol) {
    return (uint64_t(uint32_t(symbol)) << 8) | (uint64_t(masked) << 4) | (uint64_t(zoom) << 1) |
           uint64_t(unit);
}

std::size_t MapRenderer::GroupKeyHash::operator()(const GroupKey& k) const {
    uint64_t h = 0x9E3779B97F4A7C15ull ^ k.Count;
    for (uint32_t i = 0; i < k.Count; ++i)
        h = (h ^ k.Codes[i]) * 0x100000001B3ull;
    return std::size_t(h ^ (h >> 29));
}

void MapRenderer::BuildWindow() {
    const HexPitches p = Pitches();
    const int32_t z = Zoom();
    const RenderWindow w =
        ComputeRenderWindow(scenario_.ViewOriginHex, scenario_.Cols, scenario_.Rows, buffer_.Width(),
                            buffer_.Height(), p.ColumnPitch[z], p.RowPitch[z]);
    const std::array<int32_t, 2> pitches{p.ColumnPitch[z], p.RowPitch[z]};
    // The list only depends on the window, the map width and the pitches: hex redraws during a
    // drag stroke find it built.
    if (visibleBuilt_ && w == window_ && visibleCols_ == scenario_.Cols && visiblePitches_ == pitches) return;
    window_ = w;
    visible_.Build(window_, scenario_.Cols, pitches[0], pitches[1]);
    visibleBuilt_ = true;
    visibleCols_ = scenario_.Cols;
    visiblePitches_ = pitches;
}

MapRenderer::PassContext MapRenderer::MakeContext(const QRect& clip) {
    PassContext ctx;
    ctx.zoom = Zoom();
    ctx.cellSize = symbols_.CellSize(ctx.zoom);
    ctx.clip = clip;
    ctx.raise = switches_.Elevation;
    ctx.terrainBitmap = &symbols_.TerrainBitmap(ctx.zoom);
    ctx.terrainMask = &symbols_.TerrainMask(ctx.zoom);
    ctx.unitBitmap = &symbols_.UnitBitmap(ctx.zoom);
    ctx.unitMask = &symbols_.UnitMask(ctx.zoom);
    QImage& image = buffer_.Image();
    ctx.target = reinterpret_cast<uint16_t*>(image.bits());
    ctx.width = image.width();
    ctx.height = image.height();
    ctx.stride = image.bytesPerLine() / 2;
    return ctx;
}

MapRenderer::GroupKey MapRenderer::TerrainGroupOf(int32_t hex, bool withStakes) const {
    GroupKey key;
    const HexCell& cell = scenario_.Hexes[static_cast<size_t>(hex)];
    auto add = [&](int32_t symbol, bool forceMask) {
        if (symbol == NoSymbol || !symbols_.IsTerrainSymbol(symbol)) return;
        const bool masked = forceMask || symbols_.Terrain(symbol).Masked != 0;
        key.Codes[key.Count++] = uint32_t(symbol) | (masked ? MaskedBit : 0u);
    };
    add(cell.PrimaryTerrain, true);
    for (int32_t s : cell.SecondaryTerrain) {
        if (s == NoSymbol) break;
        if (s != 0) add(s, false);
    }
    if (cell.Caltrops != 0) add(cell.Caltrops, false);
    const int32_t overlay = scenario_.MarkerSymbols[MarkerMapOverlay];
    if (switches_.Overlay && overlay != 0) add(overlay, false);
    if (cell.Structure >= 1 && cell.Structure <= std::min(scenario_.StructureCount, MaxStructures))
        add(scenario_.Structures[static_cast<size_t>(cell.Structure)].Symbol, false);
    if (switches_.Objectives && cell.Objective >= 1 &&
        cell.Objective <= std::min(scenario_.ObjectiveCount, MaxObjectives))
        add(scenario_.MarkerSymbols[MarkerObjective], false);
    if (switches_.Reinforcements && cell.ReinforcementMarker != 0) add(cell.ReinforcementMarker, false);
    if (withStakes && cell.Stakes != 0) add(cell.Stakes, false);
    return key;
}

const SymbolSprites::Sprite& MapRenderer::GroupSprite(const GroupKey& key, int32_t zoom) {
    const size_t z = static_cast<size_t>(zoom);
    // A primary terrain alone or with the map overlay on it: found by the primary's number.
    const uint32_t overlay = key.Count == 2 ? key.Codes[1] : 0;
    const bool plain = key.Count == 1 || key.Count == 2;
    std::vector<const SymbolSprites::Sprite*>& table = plainGroups_[z];
    const size_t slot = plain ? size_t(key.Codes[0] & 0xFFFF) * 2 + (key.Count - 1) : 0;
    if (plain) {
        if (key.Count == 2 && overlay != plainOverlay_[z]) {
            table.clear();
            plainOverlay_[z] = overlay;
        }
        if (slot < table.size() && table[slot]) return *table[slot];
    }
    auto it = groups_[z].find(key);
    if (it == groups_[z].end()) {
        const int32_t s = symbols_.CellSize(zoom);
        std::array<SymbolSprites::Layer, 13> layers;
        for (uint32_t i = 0; i < key.Count; ++i) {
            const SymbolCell& c = symbols_.Terrain(int32_t(key.Codes[i] & 0xFFFF)).Cells[z];
            layers[i] = {&symbols_.TerrainBitmap(zoom),
                         (key.Codes[i] & MaskedBit) ? &symbols_.TerrainMask(zoom) : nullptr,
                         c.Left,
                         c.Top,
                         s,
                         s};
        }
        it = groups_[z].emplace(key, SymbolSprites::Compose({layers.data(), key.Count})).first;
    }
    if (plain) {
        if (slot >= table.size())
            table.resize(std::max<size_t>(slot + 1, size_t(symbols_.TerrainCount()) * 2), nullptr);
        table[slot] = &it->second;
    }
    return it->second;
}

HexPoint MapRenderer::RaisedPosition(int32_t hex, const PassContext& ctx) const {
    HexPoint at = visible_.Position(hex);
    if (ctx.raise) at.Y -= ElevationRaise(HexElevation(scenario_, hex), ctx.zoom);
    return at;
}

void MapRenderer::DrawTerrainGroup(int32_t hex, const PassContext& ctx, bool withStakes) {
    if (hex < 0 || hex >= scenario_.HexCount) return;
    const GroupKey key = TerrainGroupOf(hex, withStakes);
    if (key.Count == 0) return;
    const HexPoint at = RaisedPosition(hex, ctx);
    DrawSprite(ctx.target, ctx.width, ctx.height, ctx.stride, ctx.clip, at.X, at.Y,
               GroupSprite(key, ctx.zoom));
}

// The unit of a hex, or null when it has none the unit set can draw.
static const SymbolEntry* UnitSymbolOf(const Scenario& scenario, const SymbolSet& symbols, int32_t hex) {
    const int32_t u = scenario.Hexes[static_cast<size_t>(hex)].Unit;
    if (u < 1 || u > std::min(scenario.UnitCount, MaxUnits)) return nullptr;
    const int32_t symbol = scenario.Units[static_cast<size_t>(u)].Symbol;
    return symbols.IsUnitSymbol(symbol) ? &symbols.Unit(symbol) : nullptr;
}

void MapRenderer::DrawUnit(int32_t hex, const PassContext& ctx) {
    if (hex < 0 || hex >= scenario_.HexCount) return;
    const SymbolEntry* e = UnitSymbolOf(scenario_, symbols_, hex);
    if (!e) return;
    const SymbolCell& c = e->Cells[static_cast<size_t>(ctx.zoom)];
    const HexPoint at =
        UnitPlacement(RaisedPosition(hex, ctx), ctx.cellSize, c.Width(), c.Height(), ctx.zoom);
    const bool masked = e->Masked != 0;
    const int32_t symbol = scenario_.Units[size_t(scenario_.Hexes[size_t(hex)].Unit)].Symbol;
    const SymbolSprites::Sprite& sprite =
        sprites_.Get(SpriteKey(true, ctx.zoom, masked, symbol), *ctx.unitBitmap,
                     masked ? ctx.unitMask : nullptr, c.Left, c.Top, c.Width(), c.Height());
    DrawSprite(ctx.target, ctx.width, ctx.height, ctx.stride, ctx.clip, at.X, at.Y, sprite);
}

QRect MapRenderer::TerrainRect(int32_t hex, const PassContext& ctx) const {
    const HexPoint at = RaisedPosition(hex, ctx);
    return QRect(at.X, at.Y, ctx.cellSize, ctx.cellSize);
}

QRect MapRenderer::UnitRect(int32_t hex, const PassContext& ctx) const {
    const SymbolEntry* e = UnitSymbolOf(scenario_, symbols_, hex);
    if (!e) return {};
    const SymbolCell& c = e->Cells[static_cast<size_t>(ctx.zoom)];
    const HexPoint u = UnitPlacement(RaisedPosition(hex, ctx), ctx.cellSize, c.Width(), c.Height(), ctx.zoom);
    return QRect(u.X, u.Y, c.Width(), c.Height());
}

void MapRenderer::DrawHexes(const PassContext& ctx, const std::vector<int32_t>& hexes, bool terrain,
                            bool units) {
    const bool clipped = ctx.clip != buffer_.Image().rect();
    if (terrain) {
        auto draw = [&](int32_t h) {
            if (!clipped || TerrainRect(h, ctx).intersects(ctx.clip)) DrawTerrainGroup(h, ctx, true);
        };
        if (ctx.raise) {
            // Higher ground is drawn later so that it overlaps lower ground; ground below 1 joins
            // the first sweep and ground above 3 the last, so that every hex is drawn.
            std::vector<int32_t> level(hexes.size());
            for (size_t i = 0; i < hexes.size(); ++i)
                level[i] = std::clamp(HexElevation(scenario_, hexes[i]), 1, 3);
            for (int32_t sweep = 1; sweep <= 3; ++sweep)
                for (size_t i = 0; i < hexes.size(); ++i)
                    if (level[i] == sweep) draw(hexes[i]);
        } else {
            for (int32_t h : hexes)
                draw(h);
        }
    }
    if (units)
        for (int32_t h : hexes)
            if (scenario_.Hexes[static_cast<size_t>(h)].Unit != 0 &&
                (!clipped || UnitRect(h, ctx).intersects(ctx.clip)))
                DrawUnit(h, ctx);
}

std::vector<int32_t> MapRenderer::HexesNear(const QRect& band, const PassContext& ctx) const {
    // How far a hex's symbols reach from its cell corner: the cell, or a unit placed in it
    // (never left of or above the corner), or raised by up to two steps.
    int32_t reach = ctx.cellSize;
    for (int32_t u = 0; u < symbols_.UnitCount(); ++u) {
        const SymbolCell& c = symbols_.Unit(u).Cells[static_cast<size_t>(ctx.zoom)];
        reach = std::max({reach, 2 + ctx.cellSize / 4 + c.Width(), 2 + ctx.cellSize / 4 + c.Height()});
    }
    const int32_t raise = ctx.raise ? ElevationRaise(3, ctx.zoom) : 0;
    const HexPitches p = Pitches();
    const int32_t cp = p.ColumnPitch[static_cast<size_t>(ctx.zoom)];
    const int32_t rp = p.RowPitch[static_cast<size_t>(ctx.zoom)];
    // Columns and rows of the window whose hexes may touch the band (a little generous).
    const int32_t c0 = std::max(0, (band.left() - reach) / cp - 1);
    const int32_t c1 = std::min(window_.ColumnCount, (band.right() + 1) / cp + 2);
    const int32_t r0 = std::max(0, (band.top() - reach - rp) / rp - 1);
    const int32_t r1 = std::min(window_.RowCount, (band.bottom() + 1 + raise) / rp + 2);
    std::vector<int32_t> hexes;
    if (c0 >= c1 || r0 >= r1) return hexes;
    hexes.reserve(size_t(c1 - c0) * size_t(r1 - r0));
    for (int32_t r = r0; r < r1; ++r)
        for (int32_t c = c0; c < c1; ++c) {
            const int32_t h = (window_.OriginRow + r) * scenario_.Cols + window_.OriginColumn + c;
            if (visible_.Contains(h)) hexes.push_back(h);
        }
    return hexes;
}

// The map text of a hex that the current zoom level shows, or null.
static const PlaceName* DrawableText(const Scenario& scenario, int32_t hex, int32_t zoom) {
    const int32_t m = scenario.Hexes[static_cast<size_t>(hex)].MapText;
    if (m < 1 || m > std::min(scenario.MapTextCount, MaxMapTexts)) return nullptr;
    const PlaceName& pn = scenario.MapTexts[static_cast<size_t>(m)];
    return MapTextShows(pn, zoom) ? &pn : nullptr;
}

QFont MapTextFont(const PlaceName& entry, int32_t zoom) {
    QFont font(FromAnsi(entry.FontName.View()));
    font.setPointSize(std::max<int>(1, entry.Size[static_cast<std::size_t>(std::clamp(zoom, 0, 2))]));
    font.setBold((entry.Style & 16) != 0);
    font.setItalic((entry.Style & 32) != 0);
    font.setUnderline((entry.Style & 64) != 0);
    // Solid glyphs: a pass that draws the text again over itself leaves the pixels as they are.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

const MapRenderer::TextInk& MapRenderer::InkOf(const PlaceName& entry, int32_t zoom) {
    // Everything the glyphs depend on: face, size, the three style bits and the text.
    std::string key;
    key.reserve(64);
    key += entry.FontName.View();
    key += '\0';
    key += char(entry.Size[static_cast<size_t>(zoom)]);
    key += char(entry.Style & (16 | 32 | 64));
    key += entry.Text.View();
    auto it = texts_.find(key);
    if (it != texts_.end()) return it->second;
    if (texts_.size() > 4096) texts_.clear();

    TextInk ink;
    const QFont font = MapTextFont(entry, zoom);
    const QImage& image = buffer_.Image();
    const QFontMetrics metrics(font, const_cast<QImage*>(&image));
    const QString text = FromAnsi(entry.Text.View());
    ink.Width = metrics.horizontalAdvance(text);
    ink.Height = metrics.height();
    // Glyphs are drawn into a 32-bit scratch image and copied over as solid pixels: Qt's
    // monochrome glyph path on 16-bit surfaces misplaces them. The scratch leaves room for
    // italic and bold overhang on either side.
    const int32_t pad = ink.Height;
    ink.Area = QRect(-pad, -pad / 2, ink.Width + 2 * pad, ink.Height + pad);
    QImage scratch(ink.Area.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    if (!scratch.isNull() && !ink.Area.isEmpty()) {
        scratch.setDotsPerMeterX(image.dotsPerMeterX());
        scratch.setDotsPerMeterY(image.dotsPerMeterY());
        scratch.fill(Qt::transparent);
        {
            QPainter painter(&scratch);
            painter.setFont(font);
            painter.setPen(Qt::white);
            painter.drawText(QPoint(-ink.Area.left(), -ink.Area.top() + metrics.ascent()), text);
        }
        for (int32_t y = 0; y < ink.Area.height(); ++y) {
            const auto* src = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
            int32_t x = 0;
            while (x < ink.Area.width()) {
                if (qAlpha(src[x]) < 128) {
                    ++x;
                    continue;
                }
                const int32_t start = x;
                while (x < ink.Area.width() && qAlpha(src[x]) >= 128)
                    ++x;
                ink.Spans.emplace_back(ink.Area.left() + start, ink.Area.top() + y, x - start, 1);
            }
        }
    }
    return texts_.emplace(std::move(key), std::move(ink)).first->second;
}

MapRenderer::PlacedText MapRenderer::PlaceText(int32_t hex, int32_t zoom) {
    const PlaceName* pn = DrawableText(scenario_, hex, zoom);
    if (!pn) return {};
    const TextInk& ink = InkOf(*pn, zoom);
    const HexPoint at = visible_.Position(hex);
    const QPoint topLeft = MapTextTopLeft(pn->Placement[static_cast<size_t>(zoom)], QPoint(at.X, at.Y),
                                          symbols_.CellSize(zoom), QSize(ink.Width, ink.Height));
    const uint32_t c = pn->Colour;
    const uint16_t colour = ToRgb16(qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
    return {&ink, topLeft, colour};
}

void MapRenderer::DrawMapTexts(const QRect& clip) {
    const int32_t zoom = Zoom();
    QImage& image = buffer_.Image();
    const QRect bounds = clip.intersected(image.rect());
    if (bounds.isEmpty()) return;
    const qsizetype stride = image.bytesPerLine() / 2;
    uint16_t* bits = reinterpret_cast<uint16_t*>(image.bits());
    for (int32_t hex : visible_.Hexes()) {
        if (scenario_.Hexes[static_cast<size_t>(hex)].MapText == 0) continue;
        const PlacedText placed = PlaceText(hex, zoom);
        if (!placed.Ink || !placed.Area().intersects(bounds)) continue;
        for (const QRect& span : placed.Ink->Spans) {
            const QRect r = span.translated(placed.TopLeft).intersected(bounds);
            if (r.isEmpty()) continue;
            uint16_t* row = bits + qsizetype(r.top()) * stride;
            std::fill(row + r.left(), row + r.left() + r.width(), placed.Colour);
        }
    }
}

void MapRenderer::RenderPass(uint32_t layers) {
    if (!CanDraw()) return;
    const ViewMetrics m = Metrics();
    if (buffer_.Width() != m.DrawWidth || buffer_.Height() != m.DrawHeight) {
        buffer_.Resize(m.DrawWidth, m.DrawHeight);
        bufferValid_ = false;
    }
    SyncSprites();
    BuildWindow();
    NoteWhole();
    QImage& image = buffer_.Image();
    const PassContext ctx = MakeContext(image.rect());
    const bool terrain = (layers & RedrawTerrain) != 0;
    if ((layers & RedrawClear) && terrain && !ctx.raise) {
        // Clear the rows just ahead of the hexes that draw over them, while they are still in
        // the cache: a row of hexes only reaches rows that no earlier row of hexes reached.
        int32_t cleared = 0;
        for (int32_t h : visible_.Hexes()) {
            const int32_t reach = std::min(visible_.Position(h).Y + ctx.cellSize, ctx.height);
            if (reach > cleared) {
                const int32_t to = std::min(reach + ctx.cellSize, ctx.height);
                FillRect16(image, QRect(0, cleared, ctx.width, to - cleared), background_);
                cleared = to;
            }
            DrawTerrainGroup(h, ctx, true);
        }
        if (cleared < ctx.height)
            FillRect16(image, QRect(0, cleared, ctx.width, ctx.height - cleared), background_);
    } else {
        if (layers & RedrawClear) FillRect16(image, image.rect(), background_);
        DrawHexes(ctx, visible_.Hexes(), terrain, false);
    }
    if ((layers & RedrawText) && switches_.MapText) DrawMapTexts(image.rect());
    DrawHexes(ctx, visible_.Hexes(), false, true);
    constexpr uint32_t complete = RedrawClear | RedrawTerrain | RedrawText;
    if ((layers & complete) == complete) {
        bufferValid_ = true;
        bufferZoom_ = Zoom();
        bufferCols_ = scenario_.Cols;
        bufferSwitches_ = switches_;
    }
}

void MapRenderer::RedrawHex(int32_t hex) {
    if (!CanDraw()) return;
    BuildWindow();
    if (!visible_.Contains(hex) || hex >= scenario_.HexCount) return;
    SyncSprites();
    const PassContext ctx = MakeContext(buffer_.Image().rect());
    DrawTerrainGroup(hex, ctx, false);
    DrawUnit(hex, ctx);
    NoteRepainted(TerrainRect(hex, ctx).united(UnitRect(hex, ctx)));
}

void MapRenderer::NoteRepainted(const QRect& r) {
    if (changes_.Whole) return;
    changes_.Repainted += r.intersected(buffer_.Image().rect());
    // Many small pieces cost more to follow than to take everything once.
    if (changes_.Repainted.rectCount() > 64) NoteWhole();
}

BufferChanges MapRenderer::TakeChanges() {
    BufferChanges taken = std::move(changes_);
    changes_ = BufferChanges{false, {}, {}};
    return taken;
}

void MapRenderer::ScrollShift() {
    if (!CanDraw()) return;
    const ViewMetrics m = Metrics();
    const bool sameBuffer = buffer_.Width() == m.DrawWidth && buffer_.Height() == m.DrawHeight;
    const DisplaySwitches& sw = switches_;
    const DisplaySwitches& was = bufferSwitches_;
    const bool sameSwitches = sw.Elevation == was.Elevation && sw.Objectives == was.Objectives &&
                              sw.Reinforcements == was.Reinforcements && sw.Overlay == was.Overlay &&
                              sw.MapText == was.MapText;
    if (!bufferValid_ || !sameSwitches || bufferZoom_ != Zoom() || bufferCols_ != scenario_.Cols ||
        !sameBuffer || !visibleBuilt_) {
        RenderPass(RedrawAll);
        return;
    }
    const HexPitches p = Pitches();
    const int32_t z = Zoom();
    const RenderWindow before = window_;
    const RenderWindow after =
        ComputeRenderWindow(scenario_.ViewOriginHex, scenario_.Cols, scenario_.Rows, buffer_.Width(),
                            buffer_.Height(), p.ColumnPitch[z], p.RowPitch[z]);
    if (after == before) return;
    const int32_t dx = (before.OriginColumn - after.OriginColumn) * p.ColumnPitch[z];
    const int32_t dy = (before.OriginRow - after.OriginRow) * p.RowPitch[z];
    const int32_t width = buffer_.Width();
    const int32_t height = buffer_.Height();
    if ((dx != 0 && dy != 0) || std::abs(dx) >= width || std::abs(dy) >= height) {
        RenderPass(RedrawAll);
        return;
    }
    SyncSprites();
    const int32_t cols = scenario_.Cols;

    // The bands to repaint: what the shift uncovers, and everything a hex that leaves or enters
    // the window reaches (its raised cell, its unit, its map text). Outside them every pixel is
    // covered by the same hexes, texts and units in the same order before and after the step,
    // only moved, so the shifted pixels are what a full pass draws there.
    const bool vertical = dy != 0;
    const int32_t extent = vertical ? height : width;
    const int32_t shift = vertical ? dy : dx;
    std::vector<std::pair<int32_t, int32_t>> bands; // [from, to) along the axis of travel
    bands.emplace_back(shift < 0 ? extent + shift : 0, shift < 0 ? extent : shift);
    auto extend = [&](const QRect& r) {
        if (r.isEmpty()) return;
        const int32_t from = std::max(vertical ? r.top() : r.left(), 0);
        const int32_t to = std::min(vertical ? r.bottom() + 1 : r.right() + 1, extent);
        if (from < to) bands.emplace_back(from, to);
    };
    const PassContext ctx = MakeContext(buffer_.Image().rect());
    auto reach = [&](int32_t h, int32_t ox, int32_t oy) {
        const HexCell& cell = scenario_.Hexes[static_cast<size_t>(h)];
        extend(TerrainRect(h, ctx).translated(ox, oy));
        if (cell.Unit != 0) extend(UnitRect(h, ctx).translated(ox, oy));
        if (switches_.MapText && cell.MapText != 0) extend(PlaceText(h, z).Area().translated(ox, oy));
    };
    // The hexes of window `w` that `other` does not hold.
    auto outside = [&](const RenderWindow& w, const RenderWindow& other, int32_t ox, int32_t oy) {
        const int32_t otherLeft = other.OriginColumn;
        const int32_t otherRight = other.OriginColumn + other.ColumnCount;
        for (int32_t r = w.OriginRow; r < w.OriginRow + w.RowCount; ++r) {
            const bool rowShared = r >= other.OriginRow && r < other.OriginRow + other.RowCount;
            for (int32_t c = w.OriginColumn; c < w.OriginColumn + w.ColumnCount; ++c)
                if (!rowShared || c < otherLeft || c >= otherRight) reach(r * cols + c, ox, oy);
        }
    };
    outside(before, after, dx, dy); // positions are still those of the previous pass
    BuildWindow();
    outside(after, before, 0, 0);
    std::sort(bands.begin(), bands.end());
    std::vector<std::pair<int32_t, int32_t>> merged;
    for (const auto& b : bands)
        if (!merged.empty() && b.first <= merged.back().second)
            merged.back().second = std::max(merged.back().second, b.second);
        else
            merged.push_back(b);

    // Shift the pixels against the direction of travel.
    QImage& image = buffer_.Image();
    const qsizetype stride = image.bytesPerLine();
    uchar* bits = image.bits();
    if (vertical) {
        // Rows [from, to) of the new buffer come from the rows dy above them.
        const int32_t from = std::max(0, dy);
        const int32_t to = std::min(height, height + dy);
        if (to > from)
            std::memmove(bits + qsizetype(from) * stride, bits + qsizetype(from - dy) * stride,
                         size_t(to - from) * size_t(stride));
    } else {
        const size_t bytes = size_t(width - std::abs(dx)) * 2;
        for (int32_t y = 0; y < height; ++y) {
            uchar* row = bits + qsizetype(y) * stride;
            if (dx < 0)
                std::memmove(row, row + qsizetype(-dx) * 2, bytes);
            else
                std::memmove(row + qsizetype(dx) * 2, row, bytes);
        }
    }
    if (!changes_.Whole) {
        changes_.Shift += QPoint(dx, dy);
        changes_.Repainted.translate(dx, dy);
    }
    for (const auto& [from, to] : merged) {
        const QRect band = vertical ? QRect(0, from, width, to - from) : QRect(from, 0, to - from, height);
        NoteRepainted(band);
        FillRect16(image, band, background_);
        const PassContext bandCtx = MakeContext(band);
        const std::vector<int32_t> near = HexesNear(band, bandCtx);
        DrawHexes(bandCtx, near, true, false);
        if (switches_.MapText) DrawMapTexts(band);
        DrawHexes(bandCtx, near, false, true);
    }
}

QRect MapRenderer::ViewRect() const {
    return QRect(window_.LeftMargin, window_.TopMargin, viewWidth_, viewHeight_)
        .intersected(buffer_.Image().rect());
}

QImage MapRenderer::Present() const {
    return buffer_.Image().copy(ViewRect());
}

void MapRenderer::PresentTo(QImage& target) const {
    if (target.isNull() || target.format() != QImage::Format_RGB16) return;
    const QRect r = ViewRect();
    const int32_t w = std::min(r.width(), target.width());
    const int32_t h = std::min(r.height(), target.height());
    if (w <= 0 || h <= 0) return;
    for (int32_t y = 0; y < h; ++y)
        std::memcpy(target.scanLine(y), buffer_.Image().constScanLine(r.top() + y) + r.left() * 2,
                    size_t(w) * 2);
}

} // namespace k2
