// The map view's own pictures, drawn in code: the "HAND" and "ZOOM" cursors, the zoom button
// icons and the title shown when the installation has no title picture.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QSize>

namespace k2 {

// The named cursors of the map window; built once and kept for the whole run.
const QCursor& MapCursor(const char* name); // "HAND" or "ZOOM"
QIcon ZoomButtonIcon(bool zoomIn);
// A title picture of `size` pixels for an installation without sysbmps/tkedt.bmp.
QImage DrawnTitlePicture(QSize size);

} // namespace k2
