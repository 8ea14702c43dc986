// The overview of the whole battle without widgets: one small square of one to four pixels per
// hex, coloured by the hex's top terrain (the mean colour of its symbol), tinted by a structure,
// with a side-coloured dot for a unit; the view rectangle and the hex under a point.
#pragma once

#include "core/scenario.h"
#include "graphics/symbol_set.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <vector>

namespace k2 {

// Unit dots, in the colours of the two sides' stock figures (blue coats, red coats).
inline const QColor OverviewWesternColour{70, 120, 235};
inline const QColor OverviewEasternColour{225, 45, 40};

class OverviewLogic {
  public:
    static constexpr int32_t MaxPixelSize = 4;

    OverviewLogic(const Scenario& scenario, const SymbolSet& symbols);

    // The largest size from 1 to 4 pixels a hex at which the whole map fits `panel`; 1 when
    // even that does not fit (the panel then shows the map's top left part).
    static int32_t PixelSizeFor(int32_t cols, int32_t rows, QSize panel);

    // Chooses the pixel size for a panel; true when it changed (the image was rebuilt).
    bool SetPanelSize(QSize panel);
    int32_t PixelSize() const { return pixel_; }

    // Redraws every hex (a new battle, a resized map, a table change). The symbol colours are
    // computed again only when the symbol set has changed.
    void Rebuild();
    // Repaints only these hexes; indices that are not hexes of the map are ignored.
    void UpdateHexes(const std::vector<int32_t>& hexes);
    // True when the image no longer has the map's size (the grid was replaced).
    bool Stale() const;

    const QImage& Image() const { return image_; }

    // The part of the overview the main view shows, in overview pixels, cut to the map.
    QRect ViewRect(int32_t originHex, int32_t visibleColumns, int32_t visibleRows) const;
    // The hex under an overview pixel, or NoSymbol outside the map.
    int32_t HexAt(QPoint point) const;

    // The colour a terrain symbol stands for: the mean of its zoom level 0 cell without the
    // transparent (black) pixels. Black for a symbol the set does not hold.
    QColor SymbolColour(int32_t symbol) const;

  private:
    void ComputeSymbolColours();
    void PaintHex(int32_t hex);
    QColor TerrainColour(const HexCell& cell) const;

    const Scenario& scenario_;
    const SymbolSet& symbols_;
    int32_t pixel_ = 1;
    QImage image_;
    std::vector<QColor> symbolColours_;
    qint64 coloursKey_ = -1; // cache key of the bitmap the colours were taken from
    int32_t coloursCount_ = -1;
};

} // namespace k2
