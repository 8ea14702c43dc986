// ArrivalChart: beside the reinforcement schedule, two stacked bar charts of both sides'
// arrivals by turn, units above and men below, Western and Eastern bars side by side.
#pragma once

#include "forces/arrival_chart_logic.h"

#include <QWidget>

namespace k2 {

// The bar colours of the two sides (the blue and red of their stock figures).
inline const QColor ChartWesternColour{64, 104, 200};
inline const QColor ChartEasternColour{196, 48, 40};

class ArrivalChart : public QWidget {
    Q_OBJECT
  public:
    explicit ArrivalChart(const Scenario& scenario, QWidget* parent = nullptr);

    // Counts again and repaints (each time the schedule is shown).
    void Refresh();
    const ArrivalChartLogic& Logic() const { return logic_; }

    QSize sizeHint() const override { return QSize(420, 420); }
    QSize minimumSizeHint() const override { return QSize(320, 300); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void PaintChart(QPainter& p, const QRect& area, ArrivalMeasure measure, const QString& title);

    const Scenario& scenario_;
    ArrivalChartLogic logic_;
};

} // namespace k2
