// Where a map text stands beside its hex: the one rule the map and the map text dialog's
// sample both draw by.
#pragma once

#include "core/scenario.h"

#include <QPoint>
#include <QSize>

#include <cstdint>

namespace k2 {

// Whether the map shows `entry` at zoom level `zoom` (0..2): a text that is not empty, a size of
// at least 6 points and a position of 1..8 at that level.
bool MapTextShows(const PlaceName& entry, int32_t zoom);

// The top-left corner of a text of `textSize` at position `position` beside the hex whose
// `cellSize` square cell starts at `cell`: 1 below the hex and 2 above it, both centred;
// 3 below right, 4 above right, 5 above left, 6 below left; 7 left and 8 right, both centred
// on the hex's middle row. Any other position is placed as 8.
QPoint MapTextTopLeft(int32_t position, QPoint cell, int32_t cellSize, QSize textSize);

} // namespace k2
