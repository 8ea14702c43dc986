#include "forces/dialogs/definition_tables_dialog.h"

#include "forces/dialogs/grid_view.h"
#include "widgets/dialog_look.h"
#include "widgets/picture_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace k2 {

namespace {

// Rows the grid shows before it scrolls.
constexpr int VisibleRows = 16;

} // namespace

TDefStats::TDefStats(const EquipmentTables& tables, SoundPlayer& sounds, QWidget* parent)
    : QDialog(parent), tables_(tables), logic_(tables, sounds) {
    setObjectName("TDefStats");
    setModal(true);
    Build();
}

void TDefStats::Build() {
    TMy_Panel* panel = LayOnBackdrop(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 10, 0, 12);
    layout->setSpacing(8);

    label1_ = MakeGridTitle(panel);
    layout->addWidget(label1_);

    // The grid stands at a place of its own in this area: the missile weapons at the left edge,
    // the other tables centred.
    gridArea_ = new QWidget(panel);
    gridArea_->setObjectName("GridArea");
    rptGrd_ = MakeReadOnlyGrid("RptGrd", gridArea_);
    rptGrd_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    rptGrd_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rptGrd_->setSelectionMode(QAbstractItemView::SingleSelection);
    rptGrd_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    layout->addWidget(gridArea_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* ok = MakeCloseButton("OK", panel);
    buttons->addWidget(ok);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] {
        logic_.Ok();
        accept();
    });
}

void TDefStats::Prepare(DefTable table) {
    // Every table is placed in an area wide enough for the missile weapons, so the dialog keeps
    // its size from one table to the next.
    const GridTable missiles = DefinitionTable(tables_, DefTable::MissileWeapons);
    FillGrid(rptGrd_, missiles.Headers, missiles.Widths, missiles.Rows, DefStatsRowHeight);
    const int missileWidth = GridFullWidth(rptGrd_, true);
    const int area = std::max(DefStatsCentreArea, missileWidth + 2 * DefStatsLeftEdge);

    logic_.Show(table);
    const GridTable& grid = logic_.Grid();
    label1_->setText(QString::fromStdString(grid.Title));
    setWindowTitle(QString::fromStdString(grid.Title));
    FillGrid(rptGrd_, grid.Headers, grid.Widths, grid.Rows, DefStatsRowHeight);
    const int width = std::max(GridFullWidth(rptGrd_, true), logic_.GridWidth());
    const int height = GridHeightFor(rptGrd_, VisibleRows);
    rptGrd_->setGeometry(logic_.GridLeft(width, area), 0, width, height);
    gridArea_->setFixedSize(area, height);
    rptGrd_->clearSelection();
    rptGrd_->scrollToTop();
    FitAndCentre(this);
}

void TDefStats::Run(DefTable table) {
    Prepare(table);
    exec();
}

} // namespace k2
