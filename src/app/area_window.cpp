#include "app/area_window.h"

#include "edit/dialogs/terrain_picker_dialog.h"
#include "edit/map_area_json.h"
#include "graphics/hex_overlay.h"
#include "graphics/map_export.h"
#include "view/map_view.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace k2 {

namespace {

// A pale blue over the selection, gold where a paste would land, white around a rectangle
// being dragged.
constexpr QRgb SelectionTint = qRgb(0xC8, 0xDC, 0xFF);
constexpr QRgb SelectionLine = qRgb(0x5A, 0xAA, 0xFF);
constexpr QRgb PreviewTint = qRgb(0xFF, 0xE6, 0x96);
constexpr QRgb PreviewLine = qRgb(0xF2, 0xDC, 0x50);
constexpr QRgb DraftTint = qRgb(0xFF, 0xFF, 0xFF);
constexpr QRgb DraftLine = qRgb(0xFF, 0xFF, 0xFF);

QString MimeType() {
    return QString::fromLatin1(MapAreaMimeType);
}

} // namespace

void AreaWindow::DrawMarks(QImage& picture) const {
    if (!selection_ || !commands_) return;
    const HexOverlay overlay(scenario_, renderer_);
    if (const std::span<const uint8_t> marks = selection_->Marks(); !marks.empty())
        overlay.Draw(picture, marks, SelectionTint, SelectionLine);
    const auto drawHexes = [&](const std::vector<int32_t>& hexes, QRgb tint, QRgb line) {
        if (hexes.empty()) return;
        std::vector<uint8_t> marks(scenario_.Hexes.size(), 0);
        for (int32_t hex : hexes)
            if (scenario_.IsValidHex(hex)) marks[std::size_t(hex)] = 1;
        overlay.Draw(picture, marks, tint, line);
    };
    drawHexes(commands_->DraftHexes(), DraftTint, DraftLine);
    std::vector<int32_t> landed;
    for (const AreaLanding& landing : commands_->PreviewLandings())
        landed.push_back(landing.Hex);
    drawHexes(landed, PreviewTint, PreviewLine);
}

void AreaWindow::ShowAreaMarks() {
    view_.Present();
}

void AreaWindow::BrushChanged() {
    view_.RefreshBrush();
    picker_.ShowBrush();
}

void AreaWindow::ModeBegins(EditMode leaving) {
    picker_.ClosePicker();
    map_.SetHandCursor();
    if (leaving == EditMode::MoveUnit) map_.MarkMovePick(NoSymbol);
    view_.RefreshBrush();
}

QImage AreaWindow::AreaPicture(const MapArea& area) const {
    if (area.Empty() || !symbols_.Loaded()) return {};
    return DrawWholeMap(AreaBattle(area, scenario_), symbols_, switches_);
}

void AreaWindow::PutArea(const MapArea& area) {
    auto* data = new QMimeData;
    data->setData(MimeType(), MapAreaToJson(area));
    const QImage picture = AreaPicture(area);
    if (!picture.isNull()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
        data->setData("image/png", png);
        data->setImageData(picture);
    }
    QGuiApplication::clipboard()->setMimeData(data);
}

std::optional<QByteArray> AreaWindow::AreaJson() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(MimeType())) return std::nullopt;
    return data->data(MimeType());
}

bool AreaWindow::HoldsArea() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(MimeType());
}

} // namespace k2
