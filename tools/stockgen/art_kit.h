// Drawing helpers shared by the stock painters: colour arithmetic and small pictorial pieces
// (trees, houses, stones) that several terrain and structure pictures are made of.
#pragma once

#include "stockgen/hex_shape.h"
#include "stockgen/seeded_noise.h"

#include <QColor>
#include <QPainter>
#include <QPointF>

namespace k2stock {

QColor Mix(const QColor& a, const QColor& b, double t); // t = 0 gives a
QColor Shade(const QColor& c, double factor);           // < 1 darker, > 1 lighter

// A painter with antialiasing on a canvas.
void PreparePainter(QPainter& painter);

// Outline width in pixels that reads at this cell size (1 px at the smallest).
double OutlineWidth(int cellSize);

// A round tree crown seen from above, lit from the north-west.
void DrawTreeCrown(QPainter& p, QPointF centre, double radius, const QColor& leaf);
// A small house in three-quarter view: wall, pitched roof; `width` is the wall width.
void DrawHouse(QPainter& p, QPointF base, double width, const QColor& roof, const QColor& wall,
               double outline);
// A stone or boulder lit from the north-west.
void DrawStone(QPainter& p, QPointF centre, double rx, double ry, const QColor& stone);
// A random point inside the hexagon shrunk by `margin` pixels from every side.
QPointF RandomPointInHex(const HexShape& hex, SeededRandom& random, double margin);

} // namespace k2stock
