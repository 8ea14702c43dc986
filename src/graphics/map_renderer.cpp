#include "graphics/map_renderer.h"

#include "core/terrain_defs.h"
#include "graphics/ansi_text.h"
#include "graphics/symbol_blit.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstring>

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
    battleLoaded_ = loaded;
    bufferValid_ = false;
    if (!loaded) visible_.Clear();
}

void MapRenderer::SetBackground(QColor colour) {
    backgroundColour_ = colour;
    background_ = ToRgb16(colour.rgb());
    bufferValid_ = false;
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
    if (keys != spriteImages_) {
        sprites_.Clear();
        spriteImages_ = keys;
    }
}

// One sprite per symbol, zoom level, set and mask choice.
static uint64_t SpriteKey(bool unit, int32_t zoom, bool masked, int32_t symbol) {
    return (uint64_t(uint32_t(symbol)) << 8) | (uint64_t(masked) << 4) | (uint64_t(zoom) << 1) |
           uint64_t(unit);
}

void MapRenderer::BuildWindow() {
    const HexPitches p = Pitches();
    const int32_t z = Zoom();
    window_ = ComputeRenderWindow(scenario_.ViewOriginHex, scenario_.Cols, scenario_.Rows, buffer_.Width(),
                                  buffer_.Height(), p.ColumnPitch[z], p.RowPitch[z]);
    visible_.Build(window_, scenario_.Cols, p.ColumnPitch[z], p.RowPitch[z]);
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

void MapRenderer::DrawTerrainSymbol(int32_t symbol, HexPoint at, bool forceMask, const PassContext& ctx) {
    if (symbol == NoSymbol || !symbols_.IsTerrainSymbol(symbol)) return;
    const SymbolEntry& e = symbols_.Terrain(symbol);
    const SymbolCell& c = e.Cells[static_cast<size_t>(ctx.zoom)];
    const bool masked = forceMask || e.Masked != 0;
    const SymbolSprites::Sprite& sprite =
        sprites_.Get(SpriteKey(false, ctx.zoom, masked, symbol), *ctx.terrainBitmap,
                     masked ? ctx.terrainMask : nullptr, c.Left, c.Top, ctx.cellSize, ctx.cellSize);
    DrawSprite(ctx.target, ctx.width, ctx.height, ctx.stride, ctx.clip, at.X, at.Y, sprite);
}

void MapRenderer::DrawTerrainGroup(int32_t hex, const PassContext& ctx, bool withStakes) {
    if (hex < 0 || hex >= scenario_.HexCount) return;
    const HexCell& cell = scenario_.Hexes[static_cast<size_t>(hex)];
    HexPoint at = visible_.Position(hex);
    if (ctx.raise) at.Y -= ElevationRaise(HexElevation(scenario_, hex), ctx.zoom);

    DrawTerrainSymbol(cell.PrimaryTerrain, at, true, ctx);
    for (int32_t s : cell.SecondaryTerrain) {
        if (s == NoSymbol) break;
        if (s != 0) DrawTerrainSymbol(s, at, false, ctx);
    }
    if (cell.Caltrops != 0) DrawTerrainSymbol(cell.Caltrops, at, false, ctx);
    const int32_t overlay = scenario_.MarkerSymbols[MarkerMapOverlay];
    if (switches_.Overlay && overlay != 0) DrawTerrainSymbol(overlay, at, false, ctx);
    if (cell.Structure >= 1 && cell.Structure <= std::min(scenario_.StructureCount, MaxStructures))
        DrawTerrainSymbol(scenario_.Structures[static_cast<size_t>(cell.Structure)].Symbol, at, false, ctx);
    if (switches_.Objectives && cell.Objective >= 1 &&
        cell.Objective <= std::min(scenario_.ObjectiveCount, MaxObjectives))
        DrawTerrainSymbol(scenario_.MarkerSymbols[MarkerObjective], at, false, ctx);
    if (switches_.Reinforcements && cell.ReinforcementMarker != 0)
        DrawTerrainSymbol(cell.ReinforcementMarker, at, false, ctx);
    if (withStakes && cell.Stakes != 0) DrawTerrainSymbol(cell.Stakes, at, false, ctx);
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
    HexPoint at = visible_.Position(hex);
    if (ctx.raise) at.Y -= ElevationRaise(HexElevation(scenario_, hex), ctx.zoom);
    at = UnitPlacement(at, ctx.cellSize, c.Width(), c.Height(), ctx.zoom);
    const bool masked = e->Masked != 0;
    const int32_t symbol = scenario_.Units[size_t(scenario_.Hexes[size_t(hex)].Unit)].Symbol;
    const SymbolSprites::Sprite& sprite =
        sprites_.Get(SpriteKey(true, ctx.zoom, masked, symbol), *ctx.unitBitmap,
                     masked ? ctx.unitMask : nullptr, c.Left, c.Top, c.Width(), c.Height());
    DrawSprite(ctx.target, ctx.width, ctx.height, ctx.stride, ctx.clip, at.X, at.Y, sprite);
}

QRect MapRenderer::Footprint(int32_t hex, const PassContext& ctx) const {
    const HexPoint at = visible_.Position(hex);
    QRect r(at.X, at.Y, ctx.cellSize, ctx.cellSize);
    if (const SymbolEntry* e = UnitSymbolOf(scenario_, symbols_, hex)) {
        const SymbolCell& c = e->Cells[static_cast<size_t>(ctx.zoom)];
        const HexPoint u = UnitPlacement(at, ctx.cellSize, c.Width(), c.Height(), ctx.zoom);
        r = r.united(QRect(u.X, u.Y, c.Width(), c.Height()));
    }
    return r;
}

void MapRenderer::DrawHexes(const PassContext& ctx, bool terrain, bool units) {
    const std::vector<int32_t>& hexes = visible_.Hexes();
    const bool wanted = ctx.clip != buffer_.Image().rect();
    auto inClip = [&](int32_t h) { return !wanted || Footprint(h, ctx).intersects(ctx.clip); };
    if (terrain) {
        if (ctx.raise) {
            // Higher ground is drawn later so that it overlaps lower ground; ground below 1 joins
            // the first sweep and ground above 3 the last, so that every hex is drawn.
            std::vector<int32_t> level(hexes.size());
            for (size_t i = 0; i < hexes.size(); ++i)
                level[i] = std::clamp(HexElevation(scenario_, hexes[i]), 1, 3);
            for (int32_t sweep = 1; sweep <= 3; ++sweep)
                for (size_t i = 0; i < hexes.size(); ++i)
                    if (level[i] == sweep && inClip(hexes[i])) DrawTerrainGroup(hexes[i], ctx, true);
        } else {
            for (int32_t h : hexes)
                if (inClip(h)) DrawTerrainGroup(h, ctx, true);
        }
    }
    if (units)
        for (int32_t h : hexes)
            if (scenario_.Hexes[static_cast<size_t>(h)].Unit != 0 && inClip(h)) DrawUnit(h, ctx);
}

// The map text of a hex that the current zoom level shows, or null.
static const PlaceName* DrawableText(const Scenario& scenario, int32_t hex, int32_t zoom) {
    const int32_t m = scenario.Hexes[static_cast<size_t>(hex)].MapText;
    if (m < 1 || m > std::min(scenario.MapTextCount, MaxMapTexts)) return nullptr;
    const PlaceName& pn = scenario.MapTexts[static_cast<size_t>(m)];
    const uint8_t placement = pn.Placement[static_cast<size_t>(zoom)];
    if (pn.Text.Empty() || pn.Size[static_cast<size_t>(zoom)] < 6 || placement < 1 || placement > 8)
        return nullptr;
    return &pn;
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

void MapRenderer::DrawMapTexts() {
    const int32_t zoom = Zoom();
    const int32_t s = symbols_.CellSize(zoom);
    QImage& image = buffer_.Image();
    for (int32_t hex : visible_.Hexes()) {
        const PlaceName* pn = DrawableText(scenario_, hex, zoom);
        if (!pn) continue;
        const QFont font = MapTextFont(*pn, zoom);
        const QFontMetrics metrics(font, &image);
        const QString text = FromAnsi(pn->Text.View());
        const int32_t w = metrics.horizontalAdvance(text);
        const int32_t h = metrics.height();
        const HexPoint at = visible_.Position(hex);
        const int32_t cx = at.X + s / 2;
        const int32_t cy = at.Y + s / 2;
        int32_t left = 0;
        int32_t top = 0;
        switch (pn->Placement[static_cast<size_t>(zoom)]) {
        case 1:
            left = cx - w / 2, top = at.Y + s;
            break;
        case 2:
            left = cx - w / 2, top = at.Y - h;
            break;
        case 3:
            left = at.X + s, top = at.Y + s;
            break;
        case 4:
            left = at.X + s, top = at.Y - h;
            break;
        case 5:
            left = at.X - w, top = at.Y - h;
            break;
        case 6:
            left = at.X - w, top = at.Y + s;
            break;
        case 7:
            left = at.X - w, top = cy - h / 2;
            break;
        default:
            left = at.X + s, top = cy - h / 2;
            break;
        }
        // Glyphs are drawn into a 32-bit scratch image and copied over as solid pixels: Qt's
        // monochrome glyph path on 16-bit surfaces misplaces them. The scratch leaves room for
        // italic and bold overhang on either side.
        const int32_t pad = h;
        const QRect area = QRect(left - pad, top - pad / 2, w + 2 * pad, h + pad).intersected(image.rect());
        if (area.isEmpty()) continue;
        QImage scratch(area.size(), QImage::Format_ARGB32_Premultiplied);
        if (scratch.isNull()) continue;
        scratch.setDotsPerMeterX(image.dotsPerMeterX());
        scratch.setDotsPerMeterY(image.dotsPerMeterY());
        scratch.fill(Qt::transparent);
        {
            QPainter painter(&scratch);
            painter.setFont(font);
            painter.setPen(Qt::white);
            painter.drawText(QPoint(left - area.left(), top - area.top() + metrics.ascent()), text);
        }
        const uint32_t c = pn->Colour;
        const uint16_t ink = ToRgb16(qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
        for (int32_t y = 0; y < area.height(); ++y) {
            const auto* src = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
            auto* dst = reinterpret_cast<uint16_t*>(image.scanLine(area.top() + y)) + area.left();
            for (int32_t x = 0; x < area.width(); ++x)
                if (qAlpha(src[x]) >= 128) dst[x] = ink;
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
    if (layers & RedrawClear) FillRect16(buffer_.Image(), buffer_.Image().rect(), background_);
    BuildWindow();
    const PassContext ctx = MakeContext(buffer_.Image().rect());
    DrawHexes(ctx, (layers & RedrawTerrain) != 0, false);
    if ((layers & RedrawText) && switches_.MapText) DrawMapTexts();
    DrawHexes(ctx, false, true);
    constexpr uint32_t complete = RedrawClear | RedrawTerrain | RedrawText;
    if ((layers & complete) == complete) {
        bufferValid_ = true;
        bufferZoom_ = Zoom();
        bufferCols_ = scenario_.Cols;
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
}

void MapRenderer::ScrollShift() {
    if (!CanDraw()) return;
    const ViewMetrics m = Metrics();
    const bool sameBuffer = buffer_.Width() == m.DrawWidth && buffer_.Height() == m.DrawHeight;
    if (!bufferValid_ || switches_.Elevation || bufferZoom_ != Zoom() || bufferCols_ != scenario_.Cols ||
        !sameBuffer) {
        RenderPass(RedrawAll);
        return;
    }
    const HexPitches p = Pitches();
    const int32_t z = Zoom();
    const RenderWindow before = window_;
    const std::vector<int32_t> beforeHexes = visible_.Hexes();
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
    const int32_t cols = scenario_.Cols;
    auto inWindow = [cols](const RenderWindow& w, int32_t h) {
        const int32_t r = h / cols;
        const int32_t c = h % cols;
        return r >= w.OriginRow && r < w.OriginRow + w.RowCount && c >= w.OriginColumn &&
               c < w.OriginColumn + w.ColumnCount;
    };
    // Map text that leaves the window would stay in the shifted pixels; only a full pass removes it.
    if (switches_.MapText)
        for (int32_t h : beforeHexes)
            if (!inWindow(after, h) && DrawableText(scenario_, h, z)) {
                RenderPass(RedrawAll);
                return;
            }

    // Shift the pixels against the direction of travel.
    QImage& image = buffer_.Image();
    const qsizetype stride = image.bytesPerLine();
    uchar* bits = image.bits();
    if (dy != 0) {
        const size_t bytes = size_t(height - std::abs(dy)) * size_t(stride);
        if (dy < 0)
            std::memmove(bits, bits + qsizetype(-dy) * stride, bytes);
        else
            std::memmove(bits + qsizetype(dy) * stride, bits, bytes);
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

    // The strip to repaint: what the shift uncovered, and every cell of a hex that entered or
    // left the window, so that overlapping neighbours come out as a full pass draws them.
    const bool vertical = dy != 0;
    const int32_t extent = vertical ? height : width;
    const int32_t shift = vertical ? dy : dx;
    int32_t lo = shift < 0 ? extent + shift : 0;
    int32_t hi = shift < 0 ? extent : shift;
    auto extend = [&](const QRect& r) {
        lo = std::min(lo, vertical ? r.top() : r.left());
        hi = std::max(hi, vertical ? r.bottom() + 1 : r.right() + 1);
    };
    const PassContext probe = MakeContext(image.rect());
    for (int32_t h : beforeHexes) // positions are still those of the previous pass
        if (!inWindow(after, h)) extend(Footprint(h, probe).translated(dx, dy));
    BuildWindow();
    for (int32_t h : visible_.Hexes())
        if (!inWindow(before, h)) extend(Footprint(h, probe));
    lo = std::max(lo, 0);
    hi = std::min(hi, extent);
    if (lo < hi) {
        const QRect strip = vertical ? QRect(0, lo, width, hi - lo) : QRect(lo, 0, hi - lo, height);
        FillRect16(image, strip, background_);
        SyncSprites();
        DrawHexes(MakeContext(strip), true, true);
    }
    RenderPass(RedrawText);
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
