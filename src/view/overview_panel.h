// The overview panel: the whole battle small, with the part the map view shows outlined. A
// click or drag asks the map view to centre on the hex under the pointer.
#pragma once

#include "view/overview_logic.h"

#include <QWidget>

#include <cstdint>
#include <vector>

namespace k2 {

class MapView;

class OverviewPanel : public QWidget {
    Q_OBJECT
  public:
    // Reads the view origin, the visible columns and rows and whether a battle is shown from
    // `view`, and follows its ViewMoved signal by itself.
    OverviewPanel(const Scenario& scenario, const SymbolSet& symbols, MapView& view,
                  QWidget* parent = nullptr);

    const OverviewLogic& Logic() const { return logic_; }
    // Where the overview image starts in the panel (it is centred).
    QPoint ImageOffset() const;
    // The view rectangle as drawn, in panel coordinates (empty without a battle).
    QRect ViewRectInPanel() const;

    QSize sizeHint() const override { return QSize(304, 304); }
    QSize minimumSizeHint() const override { return QSize(64, 64); }

  public slots:
    // A battle was loaded, created or closed, or a change touched the whole map.
    void BattleChanged();
    // These hexes changed (an edit step, an undo or redo).
    void HexesChanged(const std::vector<int32_t>& hexes);
    // The map view scrolled, zoomed or was resized.
    void ViewChanged();

  signals:
    // The hex the map view should centre on.
    void ScrollRequested(int32_t hex);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool Active() const;
    void RequestAt(QPoint panelPoint);

    const Scenario& scenario_;
    MapView& view_;
    OverviewLogic logic_;
    bool dragging_ = false;
    int32_t lastRequested_ = NoSymbol;
};

} // namespace k2
