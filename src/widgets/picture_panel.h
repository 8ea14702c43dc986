// TMy_Panel: a bevelled panel that paints a picture as its background, tiled, stretched or
// centred. Every dialog is laid out on one; without a picture it is a plain panel.
#pragma once

#include <QPixmap>
#include <QWidget>

#include <cstdint>

namespace k2 {

enum class TPictureKind : int32_t { kTile = 0, kStrech = 1, kCenter = 2 };
enum class TBevelCut : int32_t { bvNone = 0, bvLowered = 1, bvRaised = 2 };

class TMy_Panel : public QWidget {
    Q_OBJECT
  public:
    explicit TMy_Panel(QWidget* parent = nullptr);

    // The panel keeps its own copy of the picture.
    void SetPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return picture_; }
    void SetPictureDraw(TPictureKind kind);
    TPictureKind PictureDraw() const { return pictureDraw_; }

    void SetColor(const QColor& color);
    QColor Color() const { return color_; }
    void SetBevelOuter(TBevelCut cut);
    void SetBevelInner(TBevelCut cut);
    void SetBevelWidth(int32_t width);
    void SetBorderWidth(int32_t width);
    void SetCaption(const QString& caption);
    QString Caption() const { return caption_; }
    // Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter.
    void SetAlignment(Qt::Alignment alignment);
    void SetCaptionColor(const QColor& color);

    // The colours of a 3-D frame: dark top-left for a lowered bevel, light for a raised one.
    QColor ShadowColor() const;
    QColor HighlightColor() const;

    // How many repaints the panel has asked for since it was created.
    int32_t RepaintRequests() const { return repaintRequests_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    // Every property change goes through here, so a subclass (or a test) can see the requests.
    virtual void RequestRepaint();

  private:
    void DrawFrame(QPainter& painter, QRect& rect, const QColor& topLeft, const QColor& bottomRight,
                   int32_t width) const;
    void DrawBevel(QPainter& painter, QRect& rect, TBevelCut cut) const;

    QPixmap picture_;
    TPictureKind pictureDraw_ = TPictureKind::kTile;
    QColor color_;
    QColor captionColor_;
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
    TBevelCut bevelInner_ = TBevelCut::bvNone;
    int32_t bevelWidth_ = 1;
    int32_t borderWidth_ = 0;
    QString caption_;
    Qt::Alignment alignment_ = Qt::AlignHCenter;
    int32_t repaintRequests_ = 0;
};

} // namespace k2
