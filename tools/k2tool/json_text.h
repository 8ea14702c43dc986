// The layout of the JSON that k2tool prints: Qt's serialiser for every value, one record per line.
#pragma once

#include <QByteArray>
#include <QJsonValue>

namespace k2tool {

// The members of a top-level object (or the elements of a top-level array) each on a line, and the
// records of an array of objects or arrays each on a line of their own; everything deeper is compact.
// Qt's indented form would put each of a large map's 315,000 grid integers on a line.
QByteArray JsonText(const QJsonValue& value);

} // namespace k2tool
