// Unit pictures: a counter in the side's colours carrying a figure of the troop type, facing the
// way the pair member faces.
#pragma once

#include "stockgen/unit_catalogue.h"

#include <QImage>

namespace k2stock {

enum class UnitSide { Western, Eastern }; // Western pictures face east, Eastern ones face west

// The finished picture (RGB32, pure black where transparent) of one unit symbol at one level.
QImage PaintUnitSymbol(UnitArt art, UnitSide side, int level);

// Draws the counter into a painter whose frame runs -50..50 across the counter; used for the
// symbols and for larger pictures such as the battle icons.
void DrawUnitCounter(class QPainter& painter, UnitArt art, UnitSide side, double pixelsPerUnit);

} // namespace k2stock
