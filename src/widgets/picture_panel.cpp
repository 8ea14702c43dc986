#include "widgets/picture_panel.h"

#include <QFontMetrics>
#include <QPainter>

namespace k2 {

TMy_Panel::TMy_Panel(QWidget* parent) : QWidget(parent) {
    color_ = palette().color(QPalette::Button);
    captionColor_ = palette().color(QPalette::ButtonText);
}

void TMy_Panel::RequestRepaint() {
    ++repaintRequests_;
    update();
}

void TMy_Panel::SetPicture(const QPixmap& picture) {
    picture_ = picture.copy();
    RequestRepaint();
}

void TMy_Panel::SetPictureDraw(TPictureKind kind) {
    if (kind == pictureDraw_) return;
    pictureDraw_ = kind;
    RequestRepaint();
}

void TMy_Panel::SetColor(const QColor& color) {
    color_ = color;
    RequestRepaint();
}

void TMy_Panel::SetBevelOuter(TBevelCut cut) {
    bevelOuter_ = cut;
    RequestRepaint();
}

void TMy_Panel::SetBevelInner(TBevelCut cut) {
    bevelInner_ = cut;
    RequestRepaint();
}

void TMy_Panel::SetBevelWidth(int32_t width) {
    bevelWidth_ = std::max<int32_t>(width, 0);
    RequestRepaint();
}

void TMy_Panel::SetBorderWidth(int32_t width) {
    borderWidth_ = std::max<int32_t>(width, 0);
    RequestRepaint();
}

void TMy_Panel::SetCaption(const QString& caption) {
    caption_ = caption;
    RequestRepaint();
}

void TMy_Panel::SetAlignment(Qt::Alignment alignment) {
    alignment_ = alignment & Qt::AlignHorizontal_Mask;
    RequestRepaint();
}

void TMy_Panel::SetCaptionColor(const QColor& color) {
    captionColor_ = color;
    RequestRepaint();
}

QColor TMy_Panel::ShadowColor() const {
    return palette().color(QPalette::Dark);
}
QColor TMy_Panel::HighlightColor() const {
    return palette().color(QPalette::Light);
}

// A frame of `width` one-pixel rings, each drawn top and left in one colour and bottom and
// right in the other; the rectangle shrinks by the frame so that the next one nests inside.
void TMy_Panel::DrawFrame(QPainter& painter, QRect& rect, const QColor& topLeft, const QColor& bottomRight,
                          int32_t width) const {
    for (int32_t i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
        const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
        painter.setPen(topLeft);
        painter.drawLine(l, b, l, t);
        painter.drawLine(l, t, r, t);
        painter.setPen(bottomRight);
        painter.drawLine(r, t, r, b);
        painter.drawLine(r, b, l, b);
        rect.adjust(1, 1, -1, -1);
    }
}

void TMy_Panel::DrawBevel(QPainter& painter, QRect& rect, TBevelCut cut) const {
    if (cut == TBevelCut::bvNone) return;
    const bool lowered = cut == TBevelCut::bvLowered;
    DrawFrame(painter, rect, lowered ? ShadowColor() : HighlightColor(),
              lowered ? HighlightColor() : ShadowColor(), bevelWidth_);
}

void TMy_Panel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect rect = this->rect();
    if (picture_.isNull()) {
        painter.fillRect(rect, color_);
    } else {
        const int gw = picture_.width(), gh = picture_.height();
        switch (pictureDraw_) {
        case TPictureKind::kTile:
            for (int x = 0; x < width(); x += gw)
                for (int y = 0; y < height(); y += gh)
                    painter.drawPixmap(x, y, picture_);
            break;
        case TPictureKind::kStrech:
            painter.drawPixmap(rect, picture_);
            break;
        case TPictureKind::kCenter:
            painter.fillRect(rect, color_);
            painter.drawPixmap((width() - gw) / 2, (height() - gh) / 2, picture_);
            break;
        }
    }
    DrawBevel(painter, rect, bevelOuter_);
    DrawFrame(painter, rect, color_, color_, borderWidth_);
    DrawBevel(painter, rect, bevelInner_);

    if (!caption_.isEmpty()) {
        painter.setFont(font());
        painter.setPen(captionColor_);
        const int lineHeight = QFontMetrics(font()).height();
        QRect line = rect;
        line.setTop(rect.top() + (rect.height() - lineHeight) / 2);
        line.setHeight(lineHeight);
        painter.drawText(line, int(alignment_ | Qt::AlignVCenter | Qt::TextSingleLine), caption_);
    }
}

} // namespace k2
