// The contact sheet for looking over the stock artwork, and the map preview it opens with.
#include "stockgen/pictures.h"
#include "stockgen/seeded_noise.h"
#include "stockgen/stock_catalogue.h"
#include "stockgen/stock_symbols.h"

#include <QPainter>
#include <algorithm>

namespace k2stock {
namespace {

// Copies the opaque (non-black) pixels of a square of the sheet: the same result as the editor's
// AND with the mask followed by OR with the symbol.
void DrawSymbol(QImage& target, const QImage& sheet, const SymbolCell& cell, int width, int height, int x,
                int y) {
    for (int dy = 0; dy < height; ++dy)
        for (int dx = 0; dx < width; ++dx) {
            const int sx = cell.left + dx, sy = cell.top + dy;
            const int tx = x + dx, ty = y + dy;
            if (sx >= sheet.width() || sy >= sheet.height() || tx < 0 || ty < 0 || tx >= target.width() ||
                ty >= target.height())
                continue;
            const QRgb c = sheet.pixel(sx, sy);
            if ((c & 0xFFFFFF) != 0) target.setPixel(tx, ty, c);
        }
}

int Neighbour(int cols, int rows, int hex, int side) {
    const int c = hex % cols, r = hex / cols;
    const bool odd = c % 2;
    static const int dc[6] = {0, 1, 1, 0, -1, -1};
    // Row step per side for even and odd columns (odd columns sit half a row lower).
    static const int drEven[6] = {-1, -1, 0, 1, 0, -1};
    static const int drOdd[6] = {-1, 0, 1, 1, 1, 0};
    const int nc = c + dc[side], nr = r + (odd ? drOdd[side] : drEven[side]);
    if (nc < 0 || nr < 0 || nc >= cols || nr >= rows) return -1;
    return nr * cols + nc;
}

// Lays a route from `start` along the given sides, adding the matching piece on both hexes.
void Route(std::vector<PreviewHex>& map, int cols, int rows, int start, std::initializer_list<int> sides,
           int32_t firstPiece, std::vector<std::vector<int>>* pieces = nullptr) {
    int hex = start;
    for (int side : sides) {
        const int next = Neighbour(cols, rows, hex, side);
        if (next < 0) break;
        map[hex].overlays.push_back(firstPiece + side);
        map[next].overlays.push_back(firstPiece + (side + 3) % 6);
        if (pieces) {
            (*pieces)[hex].push_back(side);
            (*pieces)[next].push_back((side + 3) % 6);
        }
        hex = next;
    }
}

} // namespace

QImage RenderMapPreview(const PaintedSet& terrain, const PaintedSet& units, int level, int cols, int rows,
                        const std::vector<PreviewHex>& hexes) {
    const int s = layout::CellSizes[level];
    const int pitchX = s * 4 / 5 - 1, pitchY = s - 2;
    QImage map(cols * pitchX + s, rows * pitchY + pitchY / 2 + s, QImage::Format_RGB32);
    map.fill(qRgb(0, 0, 0));
    auto place = [&](int hex, int& x, int& y) {
        const int c = hex % cols, r = hex / cols;
        x = c * pitchX;
        y = r * pitchY + (c % 2 ? pitchY / 2 : 0);
    };
    const auto& ts = terrain.section.symbols;
    for (int hex = 0; hex < cols * rows && hex < static_cast<int>(hexes.size()); ++hex) {
        int x, y;
        place(hex, x, y);
        DrawSymbol(map, terrain.sheets[level], ts[hexes[hex].primary].cells[level], s, s, x, y);
        for (int32_t o : hexes[hex].overlays)
            DrawSymbol(map, terrain.sheets[level], ts[o].cells[level], s, s, x, y);
    }
    for (int hex = 0; hex < cols * rows && hex < static_cast<int>(hexes.size()); ++hex) {
        if (hexes[hex].unit < 0) continue;
        const SymbolCell& cell = units.section.symbols[hexes[hex].unit].cells[level];
        const int w = cell.right - cell.left + 1, h = cell.bottom - cell.top + 1;
        int x, y;
        place(hex, x, y);
        x += (w < s ? (s - w) / 4 : 0) + (level == 0 ? 2 : 0);
        y += (h < s ? (s - h) / 4 : 0) + (level == 0 ? 2 : 0);
        DrawSymbol(map, units.sheets[level], cell, w, h, x, y);
    }
    return map;
}

std::vector<PreviewHex> SampleLandscape(int cols, int rows) {
    using namespace ter;
    std::vector<PreviewHex> map(cols * rows);
    const int32_t open[] = {OpenGround, OpenGroundB, OpenGroundC, OpenGroundD, OpenGroundE};
    const int32_t wheat[] = {WheatFields, WheatFieldsB, WheatFieldsC, WheatFieldsD};
    const int32_t woods[] = {Woods, WoodsB, WoodsC, WoodsD};
    const int32_t marsh[] = {Marsh, MarshB, MarshC, MarshD};
    auto at = [cols](int c, int r) { return r * cols + c; };
    for (int h = 0; h < cols * rows; ++h)
        map[h].primary = open[HashMix(h, 7, 11) % 5];
    for (int c = 2; c <= 4; ++c)
        for (int r = 6; r <= 8; ++r)
            map[at(c, r)].primary = wheat[HashMix(c, r, 3) % 4];
    map[at(3, 9)].primary = PloughedField;
    map[at(4, 9)].primary = PloughedField;
    for (int c = 0; c <= 3; ++c)
        for (int r = 0; r <= 2; ++r)
            map[at(c, r)].overlays.push_back(woods[HashMix(c, r, 5) % 4]);
    map[at(4, 1)].overlays.push_back(LightWoods);
    map[at(4, 2)].overlays.push_back(Orchard);
    for (int c = 9; c <= 13; ++c)
        for (int r = 0; r <= 4; ++r) {
            const int d = std::max(std::abs(c - 11), std::abs(r - 2));
            map[at(c, r)].primary = d == 0 ? Hill3 : d == 1 ? Hill2 : Hill1;
        }
    map[at(11, 4)].primary = RockyHill;
    map[at(5, 7)].primary = marsh[0];
    map[at(5, 8)].primary = marsh[2];
    map[at(6, 9)].primary = marsh[1];
    map[at(5, 8)].overlays.push_back(Reeds);
    map[at(8, 0)].primary = Sand;
    map[at(13, 9)].primary = Water;
    map[at(12, 9)].primary = Shallows;
    std::vector<std::vector<int>> riverSides(cols * rows), roadSides(cols * rows);
    Route(map, cols, rows, at(6, 0),
          {South, South, SouthEast, South, SouthWest, South, South, SouthWest, South}, RiverN, &riverSides);
    Route(map, cols, rows, at(0, 5),
          {NorthEast, SouthEast, NorthEast, SouthEast, NorthEast, SouthEast, SouthEast, NorthEast, NorthEast,
           SouthEast, NorthEast, SouthEast, NorthEast},
          RoadN, &roadSides);
    Route(map, cols, rows, at(8, 5), {North, North, NorthEast, NorthEast}, TrackN);
    Route(map, cols, rows, at(13, 6), {SouthWest, SouthWest, South}, StreamN);
    // Where the road meets the river, a bridge takes the place of both.
    for (int h = 0; h < cols * rows; ++h) {
        if (riverSides[h].empty() || roadSides[h].size() != 2) continue;
        const int a = std::min(roadSides[h][0], roadSides[h][1]),
                  b = std::max(roadSides[h][0], roadSides[h][1]);
        if (b - a != 3) continue;
        auto& o = map[h].overlays;
        o.erase(std::remove_if(o.begin(), o.end(), [](int32_t s) { return s >= RoadN && s < RoadN + 6; }),
                o.end());
        o.push_back(a == 0 ? BridgeNS : a == 1 ? BridgeNESW : BridgeNWSE);
    }
    map[at(6, 4)].overlays.push_back(Ford);
    for (int c = 2; c <= 4; ++c)
        map[at(c, 6)].overlays.push_back(Hedge(North));
    map[at(2, 7)].overlays.push_back(Wall(SouthWest));
    map[at(2, 8)].overlays.push_back(Wall(NorthWest));
    for (int side : {SouthEast, South, SouthWest})
        map[at(11, 4)].overlays.push_back(Slope(HexSide(side)));
    map[at(9, 7)].overlays.push_back(Hamlet);
    map[at(10, 8)].overlays.push_back(Scrub);
    map[at(1, 8)].overlays.push_back(BrokenGround);
    for (int h = 0; h < cols * rows; ++h)
        map[h].overlays.push_back(HexGrid);
    map[at(11, 2)].overlays.push_back(Castle);
    map[at(8, 6)].overlays.push_back(Village);
    map[at(4, 3)].overlays.push_back(Windmill);
    map[at(8, 6)].overlays.push_back(Objective);
    map[at(0, 8)].overlays.push_back(WesternReinforcement);
    map[at(13, 7)].overlays.push_back(EasternReinforcement);
    map[at(7, 8)].overlays.push_back(Caltrops);
    map[at(5, 5)].overlays.push_back(WesternStakes);
    map[at(10, 5)].overlays.push_back(EasternStakes);
    map[at(2, 4)].unit = unit::Western(unit::Knights);
    map[at(4, 5)].unit = unit::Western(unit::Spearmen);
    map[at(5, 5)].unit = unit::Western(unit::Longbowmen);
    map[at(3, 4)].unit = unit::Western(unit::MountedLeader);
    map[at(0, 8)].unit = unit::Western(unit::SupplyWagon);
    map[at(10, 5)].unit = unit::Eastern(unit::Crossbowmen);
    map[at(11, 6)].unit = unit::Eastern(unit::Pikemen);
    map[at(12, 4)].unit = unit::Eastern(unit::HeavyGun);
    map[at(13, 7)].unit = unit::Eastern(unit::Handgunners);
    map[at(9, 4)].unit = unit::Eastern(unit::Knights);
    return map;
}

QImage PaintContactSheet(const PaintedSet& terrain, const PaintedSet& units) {
    constexpr int Columns = 8, TileWidth = 180, Margin = 12, PreviewCols = 14, PreviewRows = 10;
    const auto landscape = SampleLandscape(PreviewCols, PreviewRows);
    std::vector<QImage> previews;
    for (int level = 0; level < layout::ZoomLevels; ++level)
        previews.push_back(RenderMapPreview(terrain, units, level, PreviewCols, PreviewRows, landscape));
    auto rowsFor = [](size_t n) { return static_cast<int>((n + Columns - 1) / Columns); };
    int height = Margin + std::max({previews[0].height(), previews[1].height(), previews[2].height()}) + 30;
    for (int level = 0; level < layout::ZoomLevels; ++level) {
        const int s = layout::CellSizes[level];
        height += 30 + rowsFor(terrain.section.symbols.size()) * (s + 8);
        height += 30 + rowsFor(units.section.symbols.size()) * (s + 8);
    }
    const int width = std::max(Columns * TileWidth + 2 * Margin,
                               previews[0].width() + previews[1].width() + previews[2].width() + 4 * Margin);
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(92, 92, 96));
    QPainter p(&sheet);
    QFont label(PickFontFamily({"Liberation Sans"}));
    label.setPixelSize(11);
    QFont heading = label;
    heading.setPixelSize(16);
    heading.setBold(true);
    int y = Margin;
    int x = Margin;
    for (const QImage& preview : previews) {
        p.drawImage(x, y, preview);
        x += preview.width() + Margin;
    }
    y += std::max({previews[0].height(), previews[1].height(), previews[2].height()}) + 30;
    auto section = [&](const PaintedSet& set, int level, const char* title) {
        const int s = layout::CellSizes[level];
        p.setFont(heading);
        p.setPen(QColor(250, 240, 200));
        p.drawText(Margin, y + 18, QString("%1, zoom level %2 (cell %3)").arg(title).arg(level).arg(s));
        y += 30;
        p.setFont(label);
        for (size_t i = 0; i < set.section.symbols.size(); ++i) {
            const int tx = Margin + static_cast<int>(i % Columns) * TileWidth;
            const int ty = y + static_cast<int>(i / Columns) * (s + 8);
            const SymbolRecord& rec = set.section.symbols[i];
            const int w = rec.cells[level].right - rec.cells[level].left + 1;
            const int h = rec.cells[level].bottom - rec.cells[level].top + 1;
            p.fillRect(tx, ty, s, s, QColor(128, 128, 132));
            p.end();
            DrawSymbol(sheet, set.sheets[level], rec.cells[level], w, h, tx, ty);
            p.begin(&sheet);
            p.setFont(label);
            p.setPen(QColor(255, 255, 255));
            p.drawText(QRect(tx + s + 4, ty, TileWidth - s - 8, s), Qt::AlignVCenter | Qt::TextWordWrap,
                       QString("%1 %2").arg(i).arg(QString::fromStdString(rec.name)));
        }
        y += rowsFor(set.section.symbols.size()) * (s + 8);
    };
    for (int level = 0; level < layout::ZoomLevels; ++level)
        section(terrain, level, "Terrain K2T");
    for (int level = 0; level < layout::ZoomLevels; ++level)
        section(units, level, "Units K2U");
    p.end();
    return sheet;
}

} // namespace k2stock
