#include "graphics/map_text_place.h"

namespace k2 {

bool MapTextShows(const PlaceName& entry, int32_t zoom) {
    if (zoom < 0 || zoom > 2) return false;
    const std::size_t z = static_cast<std::size_t>(zoom);
    const uint8_t position = entry.Placement[z];
    return !entry.Text.Empty() && entry.Size[z] >= 6 && position >= 1 && position <= 8;
}

QPoint MapTextTopLeft(int32_t position, QPoint cell, int32_t cellSize, QSize textSize) {
    const int32_t x = cell.x();
    const int32_t y = cell.y();
    const int32_t s = cellSize;
    const int32_t w = textSize.width();
    const int32_t h = textSize.height();
    const int32_t centreX = x + s / 2 - w / 2;
    const int32_t middleY = y + s / 2 - h / 2;
    switch (position) {
    case 1:
        return {centreX, y + s};
    case 2:
        return {centreX, y - h};
    case 3:
        return {x + s, y + s};
    case 4:
        return {x + s, y - h};
    case 5:
        return {x - w, y - h};
    case 6:
        return {x - w, y + s};
    case 7:
        return {x - w, middleY};
    default:
        return {x + s, middleY};
    }
}

} // namespace k2
