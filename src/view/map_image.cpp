#include "view/map_image.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <utility>

namespace k2 {

MapImage::MapImage(QWidget* parent) : QWidget(parent) {
    setObjectName("MapWin");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapImage::ResetPicture(QSize size) {
    picture_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB16);
    picture_.fill(Qt::black);
}

void MapImage::SetOutline(const QPolygon& outline) {
    if (outline == outline_) return;
    outline_ = outline;
    update();
}

void MapImage::SetOutlineLines(std::vector<QLine> lines) {
    if (lines == lines_) return;
    lines_ = std::move(lines);
    update();
}

void MapImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (!picture_.isNull()) p.drawImage(0, 0, picture_);
    if (outline_.isEmpty() && lines_.empty()) return;
    p.setRenderHint(QPainter::Antialiasing);
    // A dark edge under the gold line keeps it visible on any terrain.
    for (const QPen& pen : {QPen(QColor(0, 0, 0, 160), 4), QPen(QColor(0xF2, 0xDC, 0x50), 2)}) {
        p.setPen(pen);
        if (!lines_.empty())
            p.drawLines(lines_.data(), int(lines_.size()));
        else
            p.drawPolygon(outline_);
    }
}

void MapImage::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    emit Moved(pos.x(), pos.y());
}

void MapImage::mousePressEvent(QMouseEvent* event) {
    // The click acts on the position the last mouse move reported, not on this one.
    emit Pressed(event->button());
}

void MapImage::mouseReleaseEvent(QMouseEvent* event) {
    emit Released(event->button());
}

void MapImage::mouseDoubleClickEvent(QMouseEvent* event) {
    // The press of a double-click comes as a press too; the double-click follows it.
    emit Pressed(event->button());
    emit DoubleClicked(event->button());
}

void MapImage::leaveEvent(QEvent*) {
    emit Left();
}

void MapImage::wheelEvent(QWheelEvent* event) {
    // One notch is 120 units; high-resolution wheels deliver fractions that add up.
    wheelRemainder_ += event->angleDelta();
    int h = wheelRemainder_.x() / 120;
    int v = wheelRemainder_.y() / 120;
    wheelRemainder_ -= QPoint(h * 120, v * 120);
    if (event->modifiers() & Qt::ShiftModifier) std::swap(h, v);
    // Turning the wheel away from the user scrolls toward the top of the map.
    if (h != 0 || v != 0) emit Wheeled(-h, -v);
    event->accept();
}

} // namespace k2
