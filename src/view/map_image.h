// MapWin, the image control that shows the map picture and reports the mouse over it.
#pragma once

#include <QImage>
#include <QLine>
#include <QPolygon>
#include <QWidget>

#include <vector>

namespace k2 {

class MapImage : public QWidget {
    Q_OBJECT
  public:
    explicit MapImage(QWidget* parent = nullptr);

    // The picture shown at (0, 0), view width by view height.
    QImage& Picture() { return picture_; }
    const QImage& Picture() const { return picture_; }
    void ResetPicture(QSize size);
    // An outline drawn over the picture (never into it); empty for none.
    void SetOutline(const QPolygon& outline);
    const QPolygon& Outline() const { return outline_; }
    // Lines drawn over the picture like the outline (the edge of a brush wider than one hex),
    // in its place while there are any.
    void SetOutlineLines(std::vector<QLine> lines);
    const std::vector<QLine>& OutlineLines() const { return lines_; }

  signals:
    void Moved(int x, int y);
    void Pressed(Qt::MouseButton button);
    void DoubleClicked(Qt::MouseButton button);
    void Released(Qt::MouseButton button);
    void Left();
    void Wheeled(int horizontalNotches, int verticalNotches);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    QImage picture_;
    QPolygon outline_;
    std::vector<QLine> lines_;
    QPoint wheelRemainder_;
};

} // namespace k2
