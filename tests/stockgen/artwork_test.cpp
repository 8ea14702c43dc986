// The generated bitmaps as the editor sees them: 16-bit pixels, black as the transparent colour,
// terrain tiles that interlock on the map's geometry, and the pictures' sizes.
#include "stock_file_readers.h"

#include "stockgen/hex_shape.h"
#include "stockgen/pixel_rules.h"

#include <gmock/gmock.h>

namespace {

using namespace stocktest;

const int CellSizes[3] = {24, 40, 56};

std::filesystem::path Scenario(const std::string& name) {
    return StockDir() / "scenarios" / name;
}

// In the 16-bit image a pixel is transparent exactly where the written bitmap is pure black: no
// drawn colour may collapse to 0 when the editor reduces it to RGB565.
void ExpectTransparencyExactlyWherePureBlack(const std::filesystem::path& file) {
    const QImage original =
        QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_RGB32);
    const QImage reduced = Load565(file);
    ASSERT_FALSE(original.isNull()) << file;
    ASSERT_EQ(original.size(), reduced.size());
    int wrong = 0;
    for (int y = 0; y < original.height(); ++y) {
        const uint16_t* line = reinterpret_cast<const uint16_t*>(reduced.constScanLine(y));
        for (int x = 0; x < original.width(); ++x) {
            const bool black = (original.pixel(x, y) & 0xFFFFFF) == 0;
            if (black != (line[x] == 0)) ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0) << file << ": pixels whose transparency changes at 16 bits";
}

TEST(StockBitmaps, NoDrawnPixelTurnsTransparentAtSixteenBits) {
    for (int level = 1; level <= 3; ++level) {
        ExpectTransparencyExactlyWherePureBlack(Scenario("K2T-t" + std::to_string(level) + ".bmp"));
        ExpectTransparencyExactlyWherePureBlack(Scenario("K2U-u" + std::to_string(level) + ".bmp"));
    }
}

TEST(StockBitmaps, ThePainterLiftsColoursThatWouldVanish) {
    EXPECT_TRUE(k2stock::IsBlackIn565(7, 3, 7));
    EXPECT_FALSE(k2stock::IsBlackIn565(8, 0, 0));
    EXPECT_FALSE(k2stock::IsBlackIn565(0, 4, 0));
    const QRgb lifted = k2stock::OpaqueColour(qRgb(5, 2, 6));
    EXPECT_FALSE(k2stock::IsBlackIn565(qRed(lifted), qGreen(lifted), qBlue(lifted)));
    EXPECT_EQ(k2stock::OpaqueColour(qRgb(200, 100, 50)), qRgb(200, 100, 50));
    QImage painted(2, 1, QImage::Format_ARGB32);
    painted.setPixel(0, 0, qRgba(1, 1, 1, 255));      // near black, fully covered: stays visible
    painted.setPixel(1, 0, qRgba(200, 200, 200, 40)); // barely covered: transparent
    const QImage finished = k2stock::FinishSymbol(painted);
    EXPECT_NE(finished.pixel(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(finished.pixel(1, 0) & 0xFFFFFF, 0u);
}

struct TerrainSet {
    std::optional<SetFile> file;
    QImage sheets[3];
};

const TerrainSet& Terrain() {
    static const TerrainSet set = [] {
        TerrainSet s;
        s.file = ParseSetFile(ReadBytes(Scenario("K2T.ter")));
        for (int l = 0; l < 3; ++l)
            s.sheets[l] =
                QImage(QString::fromStdString(Scenario("K2T-t" + std::to_string(l + 1) + ".bmp").string()))
                    .convertToFormat(QImage::Format_RGB32);
        return s;
    }();
    return set;
}

// Draws `symbol` the way the editor does: the CellSize square from the cell's corner, through
// the transparency (AND with the mask, then OR).
void Stamp(QImage& map, const QImage& sheet, const Cell& cell, int size, int x, int y) {
    for (int dy = 0; dy < size; ++dy)
        for (int dx = 0; dx < size; ++dx) {
            const QRgb c = sheet.pixel(cell.left + dx, cell.top + dy);
            if ((c & 0xFFFFFF) && x + dx < map.width() && y + dy < map.height())
                map.setPixel(x + dx, y + dy, c);
        }
}

TEST(StockTerrainTiles, EveryPrimaryTerrainCoversAMapPatchWithoutGaps) {
    const TerrainSet& t = Terrain();
    ASSERT_TRUE(t.file.has_value());
    for (int level = 0; level < 3; ++level) {
        const int s = CellSizes[level], px = s * 4 / 5 - 1, py = s - 2;
        for (size_t symbol = 0; symbol < t.file->terrain.size(); ++symbol) {
            const Entry& e = t.file->terrain[symbol];
            if (e.name[0] != '1' || e.name[2] == '_') continue;
            QImage map(6 * px + s, 6 * py + s, QImage::Format_RGB32);
            map.fill(qRgb(0, 0, 0));
            for (int r = 0; r < 6; ++r)
                for (int c = 0; c < 6; ++c)
                    Stamp(map, t.sheets[level], e.cells[level], s, c * px, r * py + (c % 2 ? py / 2 : 0));
            // The interior, away from the ragged outer edge of the patch.
            int holes = 0;
            for (int y = py; y < 5 * py; ++y)
                for (int x = px; x < 5 * px; ++x)
                    holes += (map.pixel(x, y) & 0xFFFFFF) == 0;
            EXPECT_EQ(holes, 0) << e.name << " at level " << level;
        }
    }
}

TEST(StockTerrainTiles, PrimaryTilesFillTheirHexagonAndTerrainNeverLeavesIt) {
    const TerrainSet& t = Terrain();
    ASSERT_TRUE(t.file.has_value());
    for (int level = 0; level < 3; ++level) {
        const k2stock::HexShape hex(CellSizes[level]);
        for (const Entry& e : t.file->terrain) {
            if (e.name[2] == '_' || (e.name[0] != '1' && e.name[0] != '2')) continue;
            int outside = 0, gaps = 0;
            for (int y = 0; y < hex.size; ++y)
                for (int x = 0; x < hex.size; ++x) {
                    const bool drawn =
                        (t.sheets[level].pixel(e.cells[level].left + x, e.cells[level].top + y) & 0xFFFFFF) !=
                        0;
                    if (!hex.Contains(x, y))
                        outside += drawn;
                    else if (e.name[0] == '1')
                        gaps += !drawn;
                }
            EXPECT_EQ(outside, 0) << e.name << " spills out of its hex at level " << level;
            EXPECT_EQ(gaps, 0) << e.name << " has transparent holes at level " << level;
        }
    }
}

TEST(StockTerrainTiles, HexagonCoversEveryPixelOfATiledPlaneOnce) {
    // Pixels of a plane tiled by the pitch rule: each belongs to a tile (ties on a slanted side may
    // belong to two).
    for (int s : CellSizes) {
        const k2stock::HexShape hex(s);
        EXPECT_EQ(hex.columnPitch, s * 4 / 5 - 1);
        EXPECT_EQ(hex.inset, s - hex.columnPitch);
        for (int y = 2 * hex.height; y < 4 * hex.height; ++y)
            for (int x = 2 * hex.columnPitch; x < 4 * hex.columnPitch; ++x) {
                int owners = 0;
                for (int c = 0; c < 6; ++c)
                    for (int r = 0; r < 6; ++r) {
                        const int ox = c * hex.columnPitch,
                                  oy = r * hex.height + (c % 2 ? hex.height / 2 : 0);
                        if (x >= ox && y >= oy && hex.Contains(x - ox, y - oy)) ++owners;
                    }
                EXPECT_GE(owners, 1) << "pixel " << x << "," << y << " at size " << s;
                EXPECT_LE(owners, 2);
            }
    }
}

TEST(StockTerrainTiles, LookAlikeVariantsDifferFromTheirBase) {
    const TerrainSet& t = Terrain();
    ASSERT_TRUE(t.file.has_value());
    const std::vector<std::vector<int>> lists = {
        {0, 51, 67, 4, 78}, {1, 3, 57, 58}, {55, 56, 109, 54}, {90, 112, 102, 101}};
    for (const auto& list : lists)
        for (size_t i = 1; i < list.size(); ++i) {
            const Cell& a = t.file->terrain[list[0]].cells[2];
            const Cell& b = t.file->terrain[list[i]].cells[2];
            EXPECT_NE(t.sheets[2].copy(a.left, a.top, 56, 56), t.sheets[2].copy(b.left, b.top, 56, 56))
                << list[i] << " looks exactly like " << list[0];
        }
}

TEST(StockPictures, IconsTitleAndUnitCountersHaveTheirSizes) {
    const auto icons = StockDir() / "scenarios" / "icons";
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(icons)) {
        const QImage icon(QString::fromStdString(entry.path().string()));
        EXPECT_EQ(icon.size(), QSize(120, 120)) << entry.path();
        ++count;
    }
    EXPECT_GE(count, 6);
    EXPECT_TRUE(std::filesystem::exists(icons / "sword.bmp"));
    const QImage title(QString::fromStdString((StockDir() / "sysbmps" / "tkedt.bmp").string()));
    EXPECT_EQ(title.size(), QSize(640, 400));
    // A unit picture is drawn within its cell and leaves transparency around it.
    const auto units = ParseSetFile(ReadBytes(Scenario("K2U.set")));
    ASSERT_TRUE(units.has_value());
    const QImage sheet =
        QImage(QString::fromStdString(Scenario("K2U-u2.bmp").string())).convertToFormat(QImage::Format_RGB32);
    for (const Entry& e : units->units) {
        const Cell& c = e.cells[1];
        int drawn = 0, corner = 0;
        for (int y = c.top; y <= c.bottom; ++y)
            for (int x = c.left; x <= c.right; ++x)
                drawn += (sheet.pixel(x, y) & 0xFFFFFF) != 0;
        corner = (sheet.pixel(c.left, c.top) & 0xFFFFFF) != 0;
        const int area = (c.right - c.left + 1) * (c.bottom - c.top + 1);
        EXPECT_GT(drawn, area / 3) << e.name;
        EXPECT_LT(drawn, area) << e.name;
        EXPECT_EQ(corner, 0) << e.name;
    }
}

TEST(StockPictures, FacingPairsDifferInColourAndDirection) {
    const auto units = ParseSetFile(ReadBytes(Scenario("K2U.set")));
    ASSERT_TRUE(units.has_value());
    const QImage sheet =
        QImage(QString::fromStdString(Scenario("K2U-u3.bmp").string())).convertToFormat(QImage::Format_RGB32);
    for (size_t i = 0; i + 1 < units->units.size(); i += 2) {
        const Cell& w = units->units[i].cells[2];
        const Cell& e = units->units[i + 1].cells[2];
        // Sample the counter's field beside its centre: blue for the West, red for the East.
        const int cx = (w.right - w.left) / 2, cy = (w.bottom - w.top) / 2;
        long westBlue = 0, eastRed = 0;
        for (int y = cy - 18; y <= cy + 18; ++y)
            for (int x = cx - 18; x <= cx + 18; ++x) {
                const QRgb a = sheet.pixel(w.left + x, w.top + y), b = sheet.pixel(e.left + x, e.top + y);
                westBlue += qBlue(a) > qRed(a) + 40;
                eastRed += qRed(b) > qBlue(b) + 40;
            }
        EXPECT_GT(westBlue, 100) << units->units[i].name;
        EXPECT_GT(eastRed, 100) << units->units[i + 1].name;
    }
}

} // namespace
