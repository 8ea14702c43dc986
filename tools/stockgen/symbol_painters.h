// The painters of the stock terrain set, one per kind of picture. Each paints one symbol at one
// cell size onto a transparent ARGB canvas of cellSize x cellSize; the caller clips and finishes.
#pragma once

#include "stockgen/terrain_catalogue.h"

#include <QImage>

namespace k2stock {

// Ground of a primary terrain, covering the whole canvas (the caller cuts the hexagon out).
void PaintGround(QImage& canvas, const TerrainSymbolRecipe& recipe);
// Area cover drawn over a primary: woods, orchards, buildings, rocks, reeds, ponds, fords.
void PaintCover(QImage& canvas, const TerrainSymbolRecipe& recipe);
// Roads, tracks, rivers, streams, bridges, walls, hedges and slopes.
void PaintEdgeFeature(QImage& canvas, const TerrainSymbolRecipe& recipe);
void PaintStructure(QImage& canvas, const TerrainSymbolRecipe& recipe);
void PaintMarker(QImage& canvas, const TerrainSymbolRecipe& recipe);
// A picker heading: a small scroll, never placed on a map.
void PaintHeading(QImage& canvas);

// Which painter a kind of picture belongs to.
enum class ArtGroup { Heading, Ground, Cover, EdgeFeature, Structure, Marker };
ArtGroup GroupOf(TerrainArt art);

// The finished symbol: RGB32, pure black where transparent; primary and secondary terrain keep
// inside the tile's hexagon.
QImage PaintTerrainSymbol(const TerrainSymbolRecipe& recipe, int cellSize);

} // namespace k2stock
