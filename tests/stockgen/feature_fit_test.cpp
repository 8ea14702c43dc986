// How the pictures sit on the map: route pieces of neighbouring hexes join up, and a unit's
// counter lands in the middle of its hex after the renderer's placement rule.
#include "stock_file_readers.h"

#include "stockgen/stock_catalogue.h"

#include <cmath>
#include <gmock/gmock.h>

namespace {

using namespace stocktest;
namespace ter = k2stock::ter;

const int CellSizes[3] = {24, 40, 56};

QImage Sheet(const std::string& name) {
    return QImage(QString::fromStdString((StockDir() / "scenarios" / name).string()))
        .convertToFormat(QImage::Format_RGB32);
}

void Stamp(QImage& map, const QImage& sheet, const Cell& cell, int w, int h, int x, int y) {
    for (int dy = 0; dy < h; ++dy)
        for (int dx = 0; dx < w; ++dx) {
            const QRgb c = sheet.pixel(cell.left + dx, cell.top + dy);
            if ((c & 0xFFFFFF) && x + dx >= 0 && y + dy >= 0 && x + dx < map.width() && y + dy < map.height())
                map.setPixel(x + dx, y + dy, c);
        }
}

// Offsets of the neighbour across each side, for a hex in an even column.
void NeighbourOffset(int side, int pitchX, int pitchY, int& dx, int& dy) {
    static const int dc[6] = {0, 1, 1, 0, -1, -1};
    static const double dr[6] = {-1, -0.5, 0.5, 1, 0.5, -0.5};
    dx = dc[side] * pitchX;
    dy = static_cast<int>(std::lround(dr[side] * pitchY));
}

TEST(StockRoutes, PiecesOfNeighbouringHexesMeetWithoutAGap) {
    const auto set = ParseSetFile(ReadBytes(StockDir() / "scenarios" / "K2T.ter"));
    ASSERT_TRUE(set.has_value());
    for (int level = 0; level < 3; ++level) {
        const QImage sheet = Sheet("K2T-t" + std::to_string(level + 1) + ".bmp");
        const int s = CellSizes[level], px = s * 4 / 5 - 1, py = s - 2;
        for (int32_t first : {ter::RoadN, ter::TrackN, ter::RiverN, ter::StreamN}) {
            for (int side = 0; side < 6; ++side) {
                QImage map(3 * s, 3 * s, QImage::Format_RGB32);
                map.fill(qRgb(0, 0, 0));
                const int ax = s, ay = s;
                int dx, dy;
                NeighbourOffset(side, px, py, dx, dy);
                Stamp(map, sheet, set->terrain[first + side].cells[level], s, s, ax, ay);
                Stamp(map, sheet, set->terrain[first + (side + 3) % 6].cells[level], s, s, ax + dx, ay + dy);
                // Walk from one hex centre to the other: every step lies on the route.
                const double x0 = ax + s / 2.0, y0 = ay + py / 2.0, x1 = x0 + dx, y1 = y0 + dy;
                int gaps = 0;
                for (int k = 0; k <= 40; ++k) {
                    const double t = k / 40.0;
                    const int x = static_cast<int>(x0 + (x1 - x0) * t),
                              y = static_cast<int>(y0 + (y1 - y0) * t);
                    gaps += (map.pixel(x, y) & 0xFFFFFF) == 0;
                }
                EXPECT_EQ(gaps, 0) << set->terrain[first + side].name << " at level " << level;
            }
        }
    }
}

TEST(StockUnits, CountersLandInTheMiddleOfTheirHex) {
    const auto set = ParseSetFile(ReadBytes(StockDir() / "scenarios" / "K2U.set"));
    ASSERT_TRUE(set.has_value());
    for (int level = 0; level < 3; ++level) {
        const QImage sheet = Sheet("K2U-u" + std::to_string(level + 1) + ".bmp");
        const int s = CellSizes[level];
        for (const Entry& e : set->units) {
            const Cell& c = e.cells[level];
            const int w = c.right - c.left + 1, h = c.bottom - c.top + 1;
            // Where the renderer puts the cell inside the hex cell.
            const int ox = (w < s ? (s - w) / 4 : 0) + (level == 0 ? 2 : 0);
            const int oy = (h < s ? (s - h) / 4 : 0) + (level == 0 ? 2 : 0);
            int minX = w, minY = h, maxX = -1, maxY = -1;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    if (sheet.pixel(c.left + x, c.top + y) & 0xFFFFFF) {
                        minX = std::min(minX, x), maxX = std::max(maxX, x);
                        minY = std::min(minY, y), maxY = std::max(maxY, y);
                    }
            ASSERT_GE(maxX, 0) << e.name << " is empty";
            const double cx = ox + (minX + maxX + 1) / 2.0, cy = oy + (minY + maxY + 1) / 2.0;
            EXPECT_NEAR(cx, s / 2.0, 1.5) << e.name << " at level " << level;
            EXPECT_NEAR(cy, (s - 2) / 2.0, 1.5) << e.name << " at level " << level;
            EXPECT_GE(maxX - minX + 1, s * 65 / 100) << e.name << " is too small to read";
            EXPECT_LE(maxX - minX + 1, s * 82 / 100) << e.name << " hides its hex";
        }
    }
}

} // namespace
