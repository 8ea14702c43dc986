#include "forces/dialogs/arrival_chart.h"

#include "graphics/ansi_text.h"
#include "graphics/backdrop.h"
#include "widgets/dialog_look.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace k2 {

namespace {

constexpr int Margin = 8;

QColor PlotBackground() {
    return QColor(0, 0, 0, 90);
}

} // namespace

ArrivalChart::ArrivalChart(const Scenario& scenario, QWidget* parent)
    : QWidget(parent), scenario_(scenario), logic_(scenario) {
    setObjectName("ArrivalChart");
    setToolTip("Reinforcements arriving on each turn: Western and Eastern side by side");
}

void ArrivalChart::Refresh() {
    logic_.Refresh();
    update();
}

void ArrivalChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QFont body = PixelFont("Arial", 12);
    const QFont bold = PixelFont("Arial", 13, true);
    p.setFont(body);
    const QFontMetrics fm(body);
    const int line = fm.height();

    // Legend: a swatch and each side's force name.
    int y = Margin;
    int x = Margin;
    const std::array<std::pair<QColor, QString>, 2> legend = {
        std::pair{ChartWesternColour, "Western: " + FromAnsi(scenario_.WesternName.View())},
        std::pair{ChartEasternColour, "Eastern: " + FromAnsi(scenario_.EasternName.View())}};
    for (const auto& [colour, text] : legend) {
        p.fillRect(QRect(x, y + 2, line - 4, line - 4), colour);
        p.setPen(QColor(0, 0, 0, 160));
        p.drawRect(QRect(x, y + 2, line - 5, line - 5));
        p.setPen(BackdropCream());
        const QString shown = fm.elidedText(text, Qt::ElideRight, width() / 2 - line - 2 * Margin);
        p.drawText(x + line, y + fm.ascent(), shown);
        x += line + fm.horizontalAdvance(shown) + 3 * Margin;
    }
    y += line + Margin / 2;

    const QString note = QString::fromStdString(logic_.LateNote());
    const int noteHeight = note.isEmpty() ? 0 : 2 * line + Margin / 2;
    const int chartsHeight = height() - y - noteHeight - Margin;
    const int each = chartsHeight / 2;
    p.setFont(bold);
    PaintChart(p, QRect(Margin, y, width() - 2 * Margin, each - Margin / 2), ArrivalMeasure::Units,
               "Units arriving, by turn");
    PaintChart(p, QRect(Margin, y + each + Margin / 2, width() - 2 * Margin, each - Margin / 2),
               ArrivalMeasure::Men, "Men arriving, by turn");
    if (!note.isEmpty()) {
        p.setFont(body);
        p.setPen(BackdropGold());
        p.drawText(QRect(Margin, height() - noteHeight - Margin / 2, width() - 2 * Margin, noteHeight),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, note);
    }
}

void ArrivalChart::PaintChart(QPainter& p, const QRect& area, ArrivalMeasure measure, const QString& title) {
    const QFont titleFont = PixelFont("Arial", 13, true);
    const QFont small = PixelFont("Arial", 11);
    const QFontMetrics tm(titleFont), sm(small);
    p.setFont(titleFont);
    p.setPen(BackdropGold());
    p.drawText(area.left(), area.top() + tm.ascent(), title);

    const int32_t top = logic_.AxisTop(measure);
    const int32_t step = ArrivalChartLogic::AxisStep(logic_.Largest(measure));
    const int axisLabelWidth = sm.horizontalAdvance(QString::number(top)) + 6;
    const QRect plot(area.left() + axisLabelWidth, area.top() + tm.height() + 4,
                     area.width() - axisLabelWidth - 2, area.height() - tm.height() - 4 - sm.height() - 4);
    if (plot.width() < 10 || plot.height() < 10) return;
    p.fillRect(plot, PlotBackground());

    // Value axis: grid lines at each step with their numbers.
    p.setFont(small);
    for (int32_t v = 0; v <= top; v += step) {
        const int gy = plot.bottom() - static_cast<int>(int64_t(v) * plot.height() / top);
        p.setPen(QColor(0xF0, 0xE6, 0xCC, v == 0 ? 200 : 50));
        p.drawLine(plot.left(), gy, plot.right(), gy);
        p.setPen(BackdropCream());
        p.drawText(QRect(area.left(), gy - sm.height() / 2, axisLabelWidth - 4, sm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
    }

    const auto& turns = logic_.Turns();
    if (turns.empty()) {
        p.setPen(BackdropCream());
        p.drawText(plot, Qt::AlignCenter, "No turns after the first");
        return;
    }
    // Turn axis: one slot per turn, two bars in each with a gap between slots.
    const double slot = double(plot.width()) / double(turns.size());
    const int32_t stride = ArrivalChartLogic::LabelStride(slot, sm.horizontalAdvance("300") + 4);
    for (size_t i = 0; i < turns.size(); ++i) {
        const double left = plot.left() + slot * double(i);
        const double barWidth = std::max(1.0, slot * 0.4);
        const double gap = slot * 0.1;
        for (int32_t side : {SideWestern, SideEastern}) {
            const int32_t value = ArrivalChartLogic::Value(turns[i], side, measure);
            if (value <= 0) continue;
            const int h = std::max(1, static_cast<int>(int64_t(value) * plot.height() / top));
            const double bx = left + gap + (side == SideEastern ? barWidth : 0.0);
            p.fillRect(QRectF(bx, plot.bottom() + 1 - h, barWidth, h),
                       side == SideWestern ? ChartWesternColour : ChartEasternColour);
        }
        const int32_t turn = turns[i].Turn;
        if ((turn - FirstArrivalTurn) % stride == 0) {
            p.setPen(BackdropCream());
            p.drawText(QRectF(left + slot / 2 - 20, plot.bottom() + 3, 40, sm.height()),
                       Qt::AlignHCenter | Qt::AlignTop, QString::number(turn));
        }
    }
    p.setPen(QColor(0xF0, 0xE6, 0xCC, 200));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
}

} // namespace k2
