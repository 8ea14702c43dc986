// Paints one terrain symbol at one cell size and applies the rules every symbol follows.
#include "stockgen/hex_shape.h"
#include "stockgen/pixel_rules.h"
#include "stockgen/symbol_painters.h"

namespace k2stock {

ArtGroup GroupOf(TerrainArt art) {
    using A = TerrainArt;
    if (art == A::Heading) return ArtGroup::Heading;
    if (art <= A::MapEdge) return ArtGroup::Ground;
    if (art == A::Road || art == A::Track || art == A::River || art == A::Stream || art == A::Wall ||
        art == A::Hedge || art == A::Slope || art == A::Bridge)
        return ArtGroup::EdgeFeature;
    if (art <= A::Bridge) return ArtGroup::Cover;
    if (art <= A::Camp) return ArtGroup::Structure;
    return ArtGroup::Marker;
}

QImage PaintTerrainSymbol(const TerrainSymbolRecipe& recipe, int cellSize) {
    QImage canvas = TransparentCanvas(cellSize, cellSize);
    const ArtGroup group = GroupOf(recipe.art);
    switch (group) {
    case ArtGroup::Heading:
        PaintHeading(canvas);
        break;
    case ArtGroup::Ground:
        PaintGround(canvas, recipe);
        break;
    case ArtGroup::Cover:
        PaintCover(canvas, recipe);
        break;
    case ArtGroup::EdgeFeature:
        PaintEdgeFeature(canvas, recipe);
        break;
    case ArtGroup::Structure:
        PaintStructure(canvas, recipe);
        break;
    case ArtGroup::Marker:
        PaintMarker(canvas, recipe);
        break;
    }
    QImage symbol = FinishSymbol(canvas);
    // Terrain stays inside its hexagon: neighbouring tiles then meet edge to edge and a feature
    // never spills into the next hex.
    if (group == ArtGroup::Ground || group == ArtGroup::Cover || group == ArtGroup::EdgeFeature) {
        const HexShape hex(cellSize);
        for (int y = 0; y < cellSize; ++y)
            for (int x = 0; x < cellSize; ++x)
                if (!hex.Contains(x, y)) symbol.setPixel(x, y, qRgb(0, 0, 0));
    }
    return symbol;
}

} // namespace k2stock
