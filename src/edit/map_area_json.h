// The map area clipboard's form outside the program: JSON of our own MIME type, which the
// system clipboard carries between runs and programs. What comes back is read as hostile
// input: every field is checked, and anything damaged is refused as a whole.
#pragma once

#include "edit/map_area.h"

#include <QByteArray>

#include <optional>
#include <string>

namespace k2 {

constexpr const char* MapAreaMimeType = "application/x-keldmar2-map-area";

QByteArray MapAreaToJson(const MapArea& area);
// The area, or nothing with the reason in `error`.
std::optional<MapArea> MapAreaFromJson(const QByteArray& json, std::string& error);

} // namespace k2
