// Pictures of the map through the map renderer: the whole map drawn band by band (for a
// 150 x 150 battle at the largest zoom level, with progress and cancel), a view-sized picture
// at the view origin, and the export of either as a PNG file written atomically.
#pragma once

#include "core/edit_state.h"
#include "core/scenario.h"
#include "core/status.h"
#include "graphics/symbol_set.h"

#include <QImage>
#include <QPointF>
#include <QSize>

#include <filesystem>
#include <functional>

namespace k2 {

enum class ExportArea { WholeMap, VisiblePart };

// Receives the percentage done after each band; returning false cancels.
using ExportProgress = std::function<bool(int percent)>;

// Draws over a finished map picture whose map pixel (0, 0) lies at `mapOrigin` (the reference
// picture, when the export includes it).
using MapDecoration = std::function<void(QImage& picture, QPointF mapOrigin)>;

// The size of the whole map's picture at the scenario's zoom level: every column and row with
// the half-row shift of the odd columns and the last cell whole. Empty without a battle or a
// loaded symbol set.
QSize WholeMapSize(const Scenario& scenario, const SymbolSet& symbols);

// The whole map from hex 0 at the scenario's zoom level (RGB16), equal to one render pass over
// a view of WholeMapSize, drawn in bands so that the buffer stays small and progress can be
// shown. A null image when there is nothing to draw, the memory is short or `progress`
// cancelled (then `*cancelled` is set).
QImage DrawWholeMap(const Scenario& scenario, const SymbolSet& symbols, const DisplaySwitches& switches,
                    const ExportProgress& progress = {}, bool* cancelled = nullptr);

// What a map view of `view` pixels shows at the scenario's origin and zoom level, the origin
// kept on the map as the view keeps it (RGB16; null when there is nothing to draw). `mapOrigin`
// receives where the map's pixel (0, 0) lies in it.
QImage DrawMapView(const Scenario& scenario, const SymbolSet& symbols, const DisplaySwitches& switches,
                   QSize view, QPointF* mapOrigin = nullptr);

// Writes the whole map or the visible part (a view of `visibleView` pixels at the scenario's
// origin) as a PNG at the scenario's zoom level and with `switches`. The file is written next
// to `path` and renamed over it, so a failed or cancelled export leaves any earlier file as it
// was. The scenario itself is never changed. `decorate` draws over the picture before it is written.
Status ExportMapImage(const Scenario& scenario, const SymbolSet& symbols, const DisplaySwitches& switches,
                      ExportArea area, QSize visibleView, const std::filesystem::path& path,
                      const ExportProgress& progress = {}, const MapDecoration& decorate = {});

// The status ExportMapImage returns when the progress callback cancelled.
bool IsExportCancelled(const Status& status);

} // namespace k2
