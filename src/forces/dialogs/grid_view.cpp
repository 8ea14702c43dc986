#include "forces/dialogs/grid_view.h"

#include "graphics/ansi_text.h"
#include "graphics/backdrop.h"
#include "widgets/dialog_look.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPolygonF>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>

namespace k2 {

namespace {

// Room around a text inside a cell or header section: the style sheet's padding, the grid
// line, and a little air.
constexpr int CellPadding = 12;
// Room for the sort arrow of a header that shows one.
constexpr int SortArrowRoom = 16;
const char* SortArrowProperty = "k2SortArrows";

// A header that draws its own sort arrow: the style sheet's arrow is too small to see on the
// dark header sections.
class SortArrowHeader : public QHeaderView {
  public:
    explicit SortArrowHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
        setStyleSheet(
            "QHeaderView::up-arrow, QHeaderView::down-arrow { width: 0px; height: 0px; image: none; }");
    }

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        painter->save();
        QHeaderView::paintSection(painter, rect, logicalIndex);
        painter->restore();
        if (!isSortIndicatorShown() || logicalIndex != sortIndicatorSection()) return;
        const int half = 4;
        const QPointF centre(rect.right() - SortArrowRoom / 2.0 - 1, rect.center().y() + 0.5);
        const bool up = sortIndicatorOrder() == Qt::AscendingOrder;
        const QPolygonF arrow =
            up ? QPolygonF({centre + QPointF(-half, half / 2.0), centre + QPointF(half, half / 2.0),
                            centre + QPointF(0, -half / 2.0 - 1)})
               : QPolygonF({centre + QPointF(-half, -half / 2.0), centre + QPointF(half, -half / 2.0),
                            centre + QPointF(0, half / 2.0 + 1)});
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(BackdropGold());
        painter->drawPolygon(arrow);
        painter->restore();
    }
};

} // namespace

QTableWidget* MakeReadOnlyGrid(const char* objectName, QWidget* parent, bool sortable) {
    auto* grid = new QTableWidget(parent);
    grid->setObjectName(objectName);
    if (sortable) {
        grid->setHorizontalHeader(new SortArrowHeader(grid));
        grid->setProperty(SortArrowProperty, true);
    }
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->setWordWrap(false);
    grid->setTextElideMode(Qt::ElideNone);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setMinimumSectionSize(10);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->setFont(PixelFont("Arial", 13));
    grid->horizontalHeader()->setFont(PixelFont("Arial", 13, true));
    return grid;
}

void FillGrid(QTableWidget* grid, const std::vector<std::string>& headers, const std::vector<int32_t>& widths,
              const std::vector<std::vector<std::string>>& rows, int minRowHeight) {
    const int columns = static_cast<int>(headers.size());
    grid->clearContents();
    grid->setColumnCount(columns);
    grid->setRowCount(static_cast<int>(rows.size()));
    QStringList headerTexts;
    for (const std::string& h : headers)
        headerTexts << FromAnsi(h);
    grid->setHorizontalHeaderLabels(headerTexts);

    const QFontMetrics cellMetrics(grid->font());
    const QFontMetrics headerMetrics(grid->horizontalHeader()->font());
    std::vector<int> needed(static_cast<std::size_t>(columns), 0);
    const int arrowRoom = grid->property(SortArrowProperty).toBool() ? SortArrowRoom : 0;
    for (int c = 0; c < columns; ++c)
        needed[static_cast<std::size_t>(c)] =
            headerMetrics.horizontalAdvance(headerTexts[c]) + CellPadding + arrowRoom;
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const auto& cells = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < columns; ++c) {
            const QString text =
                c < static_cast<int>(cells.size()) ? FromAnsi(cells[static_cast<std::size_t>(c)]) : QString();
            auto* item = new QTableWidgetItem(text);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            grid->setItem(r, c, item);
            needed[static_cast<std::size_t>(c)] = std::max(needed[static_cast<std::size_t>(c)],
                                                           cellMetrics.horizontalAdvance(text) + CellPadding);
        }
    }
    for (int c = 0; c < columns; ++c) {
        const int nominal = c < static_cast<int>(widths.size()) ? widths[static_cast<std::size_t>(c)] : 0;
        grid->setColumnWidth(c, std::max(nominal, needed[static_cast<std::size_t>(c)]));
    }
    const int rowHeight = std::max(minRowHeight, cellMetrics.height() + 4);
    grid->verticalHeader()->setMinimumSectionSize(rowHeight);
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid->horizontalHeader()->setFixedHeight(headerMetrics.height() + 8);
}

int GridFullWidth(const QTableWidget* grid, bool withScrollBar) {
    int width = 2 * grid->frameWidth();
    for (int c = 0; c < grid->columnCount(); ++c)
        width += grid->columnWidth(c);
    if (withScrollBar) width += grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
    return width;
}

int GridHeightFor(const QTableWidget* grid, int rows) {
    return 2 * grid->frameWidth() + grid->horizontalHeader()->height() +
           rows * grid->verticalHeader()->defaultSectionSize();
}

QLabel* MakeGridTitle(QWidget* parent) {
    auto* title = new QLabel(parent);
    title->setObjectName("Label1");
    title->setFont(PixelFont("Kelt", 26));
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QString("color: %1;").arg(BackdropGold().name()));
    return title;
}

QPushButton* MakeCloseButton(const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName("Button1");
    button->setFont(PixelFont("Kelt", 17));
    button->setMinimumWidth(96);
    button->setAutoDefault(false);
    return button;
}

} // namespace k2
