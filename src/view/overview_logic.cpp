#include "view/overview_logic.h"

#include <algorithm>

namespace k2 {

namespace {

// Direct pixel writes: a rebuild paints every hex of a 150 x 150 map.
void FillSquare(QImage& image, const QRect& square, const QColor& colour) {
    const QRect r = square.intersected(image.rect());
    const QRgb value = colour.rgb();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line + r.left(), line + r.right() + 1, value);
    }
}

} // namespace

OverviewLogic::OverviewLogic(const Scenario& scenario, const SymbolSet& symbols)
    : scenario_(scenario), symbols_(symbols) {}

int32_t OverviewLogic::PixelSizeFor(int32_t cols, int32_t rows, QSize panel) {
    if (cols <= 0 || rows <= 0) return 1;
    const int32_t fit = std::min(panel.width() / cols, panel.height() / rows);
    return std::clamp(fit, 1, MaxPixelSize);
}

bool OverviewLogic::SetPanelSize(QSize panel) {
    const int32_t size = PixelSizeFor(scenario_.Cols, scenario_.Rows, panel);
    if (size == pixel_ && !Stale()) return false;
    pixel_ = size;
    Rebuild();
    return true;
}

bool OverviewLogic::Stale() const {
    return image_.width() != std::max(0, scenario_.Cols) * pixel_ ||
           image_.height() != std::max(0, scenario_.Rows) * pixel_;
}

void OverviewLogic::ComputeSymbolColours() {
    const QImage& bitmap = symbols_.Loaded() ? symbols_.TerrainBitmap(0) : QImage();
    if (bitmap.cacheKey() == coloursKey_ && symbols_.TerrainCount() == coloursCount_) return;
    coloursKey_ = bitmap.cacheKey();
    coloursCount_ = symbols_.TerrainCount();
    symbolColours_.assign(static_cast<size_t>(std::max(0, coloursCount_)), QColor(Qt::black));
    if (bitmap.isNull()) return;
    const QImage rgb = bitmap.convertToFormat(QImage::Format_RGB32);
    for (int32_t s = 0; s < coloursCount_; ++s) {
        const QRect cell =
            QRect(QPoint(symbols_.Terrain(s).Cells[0].Left, symbols_.Terrain(s).Cells[0].Top),
                  QPoint(symbols_.Terrain(s).Cells[0].Right, symbols_.Terrain(s).Cells[0].Bottom))
                .intersected(rgb.rect());
        int64_t r = 0, g = 0, b = 0, n = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            for (int x = cell.left(); x <= cell.right(); ++x) {
                const QRgb p = line[x];
                if ((p & 0xFFFFFF) == 0) continue; // black is transparent in symbol bitmaps
                r += qRed(p);
                g += qGreen(p);
                b += qBlue(p);
                ++n;
            }
        }
        if (n > 0)
            symbolColours_[static_cast<size_t>(s)] =
                QColor(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n));
    }
}

QColor OverviewLogic::SymbolColour(int32_t symbol) const {
    if (symbol < 0 || static_cast<size_t>(symbol) >= symbolColours_.size()) return QColor(Qt::black);
    return symbolColours_[static_cast<size_t>(symbol)];
}

QColor OverviewLogic::TerrainColour(const HexCell& cell) const {
    // The top layer decides: the last secondary terrain the renderer would draw, else the
    // primary terrain.
    int32_t top = cell.PrimaryTerrain;
    for (int32_t symbol : cell.SecondaryTerrain) {
        if (symbol == NoSymbol) break;
        if (symbol != 0 && symbols_.IsTerrainSymbol(symbol)) top = symbol;
    }
    QColor colour = SymbolColour(top);
    if (cell.Structure >= 1 && cell.Structure <= scenario_.StructureCount &&
        cell.Structure <= MaxStructures) {
        const QColor tint = SymbolColour(scenario_.Structures[static_cast<size_t>(cell.Structure)].Symbol);
        colour = QColor((colour.red() + tint.red()) / 2, (colour.green() + tint.green()) / 2,
                        (colour.blue() + tint.blue()) / 2);
    }
    return colour;
}

void OverviewLogic::PaintHex(int32_t hex) {
    const auto [row, col] = scenario_.HexRowCol(hex);
    const HexCell& cell = scenario_.Hexes[static_cast<size_t>(hex)];
    const QRect square(col * pixel_, row * pixel_, pixel_, pixel_);
    FillSquare(image_, square, TerrainColour(cell));
    if (cell.Unit >= 1 && cell.Unit <= scenario_.UnitCount && cell.Unit <= MaxUnits) {
        const bool west = scenario_.Units[static_cast<size_t>(cell.Unit)].Side != SideEastern;
        // Small squares are all dot; larger ones keep a rim of terrain around it.
        const QRect dot = pixel_ <= 2 ? square : square.adjusted(1, 1, -1, -1);
        FillSquare(image_, dot, west ? OverviewWesternColour : OverviewEasternColour);
    }
}

void OverviewLogic::Rebuild() {
    ComputeSymbolColours();
    const int32_t cols = std::max(0, scenario_.Cols), rows = std::max(0, scenario_.Rows);
    if (cols == 0 || rows == 0 || scenario_.HexCount <= 0) {
        image_ = QImage();
        return;
    }
    image_ = QImage(cols * pixel_, rows * pixel_, QImage::Format_RGB32);
    image_.fill(Qt::black);
    for (int32_t hex = 0; hex < scenario_.HexCount; ++hex)
        if (scenario_.IsValidHex(hex)) PaintHex(hex);
}

void OverviewLogic::UpdateHexes(const std::vector<int32_t>& hexes) {
    if (Stale()) {
        Rebuild();
        return;
    }
    for (int32_t hex : hexes)
        if (scenario_.IsValidHex(hex)) PaintHex(hex);
}

QRect OverviewLogic::ViewRect(int32_t originHex, int32_t visibleColumns, int32_t visibleRows) const {
    if (!scenario_.IsValidHex(originHex) || visibleColumns <= 0 || visibleRows <= 0) return {};
    const auto [row, col] = scenario_.HexRowCol(originHex);
    const int32_t cols = std::min(visibleColumns, scenario_.Cols - col);
    const int32_t rows = std::min(visibleRows, scenario_.Rows - row);
    return QRect(col * pixel_, row * pixel_, cols * pixel_, rows * pixel_);
}

int32_t OverviewLogic::HexAt(QPoint point) const {
    if (point.x() < 0 || point.y() < 0) return NoSymbol;
    const int32_t col = point.x() / pixel_, row = point.y() / pixel_;
    if (col >= scenario_.Cols || row >= scenario_.Rows) return NoSymbol;
    const int32_t hex = scenario_.HexIndex(row, col);
    return scenario_.IsValidHex(hex) ? hex : NoSymbol;
}

} // namespace k2
