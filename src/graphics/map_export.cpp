#include "graphics/map_export.h"

#include "graphics/reference_image.h"

#include "core/file_io.h"
#include "graphics/hex_geometry.h"
#include "graphics/map_renderer.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImageWriter>

#include <algorithm>
#include <cstring>
#include <memory>

namespace k2 {

namespace {

constexpr const char* CancelledText = "The export of the map image was cancelled.";

// Rows of the output image each band supplies, in pixels.
constexpr int32_t BandHeight = 768;

bool Drawable(const Scenario& s, const SymbolSet& symbols) {
    return symbols.Loaded() && s.Cols > 0 && s.Rows > 0 && s.HexCount == s.Cols * s.Rows &&
           static_cast<int32_t>(s.Hexes.size()) >= s.HexCount && s.HexCount <= MaxHexes;
}

int32_t ZoomOf(const Scenario& s) {
    return std::clamp<int32_t>(s.ZoomLevel, 0, 2);
}

HexPitches PitchesOf(const SymbolSet& symbols) {
    return ComputePitches({symbols.CellSize(0), symbols.CellSize(1), symbols.CellSize(2)});
}

// The height of the tallest map text at the scenario's zoom level: a label can stand that far
// above or below its hex.
int32_t TallestLabel(const Scenario& s) {
    int32_t tallest = 0;
    const int32_t zoom = ZoomOf(s);
    const QImage device(1, 1, QImage::Format_RGB16); // measured on an image, as the renderer does
    for (int32_t m = 1; m <= std::min(s.MapTextCount, MaxMapTexts); ++m) {
        const PlaceName& entry = s.MapTexts[static_cast<size_t>(m)];
        if (entry.Text.Str().empty() || entry.Size[static_cast<size_t>(zoom)] < 6) continue;
        tallest = std::max(tallest, QFontMetrics(MapTextFont(entry, zoom), &device).height());
    }
    return tallest;
}

} // namespace

QSize WholeMapSize(const Scenario& s, const SymbolSet& symbols) {
    if (!Drawable(s, symbols)) return {};
    const HexPitches p = PitchesOf(symbols);
    if (!p.Valid()) return {};
    const auto z = static_cast<size_t>(ZoomOf(s));
    const int32_t cell = symbols.CellSize(ZoomOf(s));
    return QSize((s.Cols - 1) * p.ColumnPitch[z] + cell,
                 (s.Rows - 1) * p.RowPitch[z] + (s.Cols > 1 ? p.RowPitch[z] / 2 : 0) + cell);
}

QImage DrawWholeMap(const Scenario& scenario, const SymbolSet& symbols, const DisplaySwitches& switches,
                    const ExportProgress& progress, bool* cancelled) {
    if (cancelled) *cancelled = false;
    const QSize size = WholeMapSize(scenario, symbols);
    if (size.isEmpty()) return {};
    QImage out(size, QImage::Format_RGB16);
    if (out.isNull()) return {};

    // The renderer draws from the view origin, so each band is a view of the full width whose
    // origin row lies far enough above the band that everything reaching into it from above
    // (raised hexes, map text, tall unit symbols) is drawn, and tall enough to take in what
    // reaches up into it from below. Drawing order is row by row in both cases, so the band
    // equals the same rows of one pass over the whole map.
    auto copy = std::make_unique<Scenario>(scenario);
    copy->ZoomLevel = static_cast<uint8_t>(ZoomOf(scenario));
    const auto z = static_cast<size_t>(copy->ZoomLevel);
    const int32_t rowPitch = PitchesOf(symbols).RowPitch[z];
    const int32_t overlap = 4 * symbols.CellSize(copy->ZoomLevel) + TallestLabel(*copy);
    MapRenderer renderer(*copy, symbols, switches);
    renderer.SetBattleLoaded(true);

    const int32_t bands = (size.height() + BandHeight - 1) / BandHeight;
    for (int32_t band = 0; band < bands; ++band) {
        const int32_t top = band * BandHeight;
        const int32_t bottom = std::min(size.height(), top + BandHeight);
        const int32_t originRow = std::clamp((top - overlap) / rowPitch, 0, copy->Rows - 1);
        const int32_t originY = originRow * rowPitch;
        const int32_t viewHeight = std::min(size.height(), bottom + overlap) - originY;
        copy->ViewOriginHex = copy->HexIndex(originRow, 0);
        renderer.SetViewSize(size.width(), viewHeight);
        renderer.Render();
        const QImage& buffer = renderer.Buffer().Image();
        const QRect view = renderer.ViewRect();
        if (buffer.isNull() || view.width() < size.width() || view.height() < bottom - originY) return {};
        for (int32_t y = top; y < bottom; ++y)
            std::memcpy(out.scanLine(y), buffer.constScanLine(view.top() + y - originY) + view.left() * 2,
                        static_cast<size_t>(size.width()) * 2);
        if (progress && !progress((band + 1) * 100 / bands)) {
            if (cancelled) *cancelled = true;
            return {};
        }
    }
    return out;
}

QImage DrawMapView(const Scenario& scenario, const SymbolSet& symbols, const DisplaySwitches& switches,
                   QSize view, QPointF* mapOrigin) {
    if (!Drawable(scenario, symbols) || view.isEmpty()) return {};
    auto copy = std::make_unique<Scenario>(scenario);
    copy->ZoomLevel = static_cast<uint8_t>(ZoomOf(scenario));
    if (!copy->IsValidHex(copy->ViewOriginHex)) copy->ViewOriginHex = 0;
    const HexPitches p = PitchesOf(symbols);
    if (!p.Valid()) return {};
    const auto z = static_cast<size_t>(copy->ZoomLevel);
    const ViewMetrics m = ComputeViewMetrics(view.width(), view.height(), p.ColumnPitch[z], p.RowPitch[z]);
    copy->ViewOriginHex =
        ClampViewOrigin(copy->ViewOriginHex, copy->Cols, copy->Rows, m.VisibleColumns, m.VisibleRows);
    MapRenderer renderer(*copy, symbols, switches);
    renderer.SetBattleLoaded(true);
    renderer.SetViewSize(view.width(), view.height());
    renderer.Render();
    if (mapOrigin) *mapOrigin = MapOriginInView(renderer, *copy, p, copy->ZoomLevel);
    return renderer.Present();
}

Status ExportMapImage(const Scenario& scenario, const SymbolSet& symbols, const DisplaySwitches& switches,
                      ExportArea area, QSize visibleView, const std::filesystem::path& path,
                      const ExportProgress& progress, const MapDecoration& decorate) {
    if (!Drawable(scenario, symbols)) return Status::Fail("There is no map to export.");
    QImage image;
    QPointF mapOrigin;
    if (area == ExportArea::WholeMap) {
        bool cancelled = false;
        image = DrawWholeMap(scenario, symbols, switches, progress, &cancelled);
        if (cancelled) return Status::Fail(CancelledText);
        if (image.isNull()) {
            const QSize size = WholeMapSize(scenario, symbols);
            return Status::Fail("There is not enough memory for a map image of " +
                                std::to_string(size.width()) + " x " + std::to_string(size.height()) +
                                " pixels.");
        }
    } else {
        if (visibleView.isEmpty()) return Status::Fail("There is no map to export.");
        image = DrawMapView(scenario, symbols, switches, visibleView, &mapOrigin);
        if (image.isNull()) return Status::Fail("The map image could not be drawn.");
        if (progress && !progress(100)) return Status::Fail(CancelledText);
    }
    if (decorate) decorate(image, mapOrigin);

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        return Status::Fail("The map image could not be encoded: " + writer.errorString().toStdString());
    const WriteFileOutcome written =
        WriteFileAtomically(path, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(png.constData()),
                                                           size_t(png.size())));
    if (written.result != WriteFileResult::Ok)
        return Status::Fail("The map image could not be written to " + path.string() + ": " + written.detail);
    return Status::Ok();
}

bool IsExportCancelled(const Status& status) {
    return !status.ok && status.message == CancelledText;
}

} // namespace k2
