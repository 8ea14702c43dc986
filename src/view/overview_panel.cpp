#include "view/overview_panel.h"

#include "view/map_view.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace k2 {

OverviewPanel::OverviewPanel(const Scenario& scenario, const SymbolSet& symbols, MapView& view,
                             QWidget* parent)
    : QWidget(parent), scenario_(scenario), view_(view), logic_(scenario, symbols) {
    setObjectName("Overview");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
    connect(&view_, &MapView::ViewMoved, this, &OverviewPanel::ViewChanged);
}

bool OverviewPanel::Active() const {
    return view_.BattleLoaded() && !logic_.Image().isNull();
}

void OverviewPanel::BattleChanged() {
    if (!logic_.SetPanelSize(size())) logic_.Rebuild();
    lastRequested_ = NoSymbol;
    update();
}

void OverviewPanel::HexesChanged(const std::vector<int32_t>& hexes) {
    if (logic_.Stale()) {
        BattleChanged(); // the grid was replaced: everything is new
        return;
    }
    logic_.UpdateHexes(hexes);
    // Only the squares of the changed hexes need painting again.
    const QPoint offset = ImageOffset();
    const int32_t px = logic_.PixelSize();
    for (int32_t hex : hexes) {
        if (!scenario_.IsValidHex(hex)) continue;
        const auto [row, col] = scenario_.HexRowCol(hex);
        update(QRect(offset.x() + col * px - 1, offset.y() + row * px - 1, px + 2, px + 2));
    }
}

void OverviewPanel::ViewChanged() {
    // A grid replaced without BattleChanged (a trim) still shows the right map.
    if (view_.BattleLoaded() && logic_.Stale()) logic_.SetPanelSize(size());
    update();
}

QPoint OverviewPanel::ImageOffset() const {
    const QSize image = logic_.Image().size();
    return QPoint(std::max(0, (width() - image.width()) / 2), std::max(0, (height() - image.height()) / 2));
}

QRect OverviewPanel::ViewRectInPanel() const {
    if (!Active()) return {};
    const ViewMetrics m = view_.Logic().Metrics();
    const QRect r = logic_.ViewRect(scenario_.ViewOriginHex, m.VisibleColumns, m.VisibleRows);
    return r.translated(ImageOffset());
}

void OverviewPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (!Active()) return;
    p.drawImage(ImageOffset(), logic_.Image());
    const QRect view = ViewRectInPanel();
    if (view.isEmpty()) return;
    // A dark rim under a light line reads on every terrain colour.
    p.setPen(QPen(QColor(0, 0, 0, 170), 3));
    p.drawRect(view.adjusted(0, 0, -1, -1));
    p.setPen(QPen(QColor(0xF2, 0xDC, 0x50), 1));
    p.drawRect(view.adjusted(0, 0, -1, -1));
}

void OverviewPanel::resizeEvent(QResizeEvent*) {
    if (view_.BattleLoaded()) logic_.SetPanelSize(size());
    update();
}

void OverviewPanel::RequestAt(QPoint panelPoint) {
    const QRect image(ImageOffset(), logic_.Image().size());
    // A drag past the edge keeps to the nearest hex of the map.
    const QPoint inside(std::clamp(panelPoint.x(), image.left(), image.right()),
                        std::clamp(panelPoint.y(), image.top(), image.bottom()));
    const int32_t hex = logic_.HexAt(inside - image.topLeft());
    if (hex == NoSymbol || hex == lastRequested_) return;
    lastRequested_ = hex;
    emit ScrollRequested(hex);
}

void OverviewPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !Active()) return;
    dragging_ = true;
    lastRequested_ = NoSymbol;
    RequestAt(event->position().toPoint());
}

void OverviewPanel::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && Active()) RequestAt(event->position().toPoint());
}

void OverviewPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
}

} // namespace k2
