#include "forces/dialogs/army_stats_dialog.h"

#include "forces/dialogs/grid_view.h"
#include "widgets/dialog_look.h"
#include "widgets/picture_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace k2 {

TStats::TStats(const Scenario& scenario, const EquipmentTables& tables, QWidget* parent)
    : QDialog(parent), scenario_(scenario), tables_(tables) {
    setObjectName("TStats");
    setModal(true);
    setWindowTitle("Army Statistics");

    TMy_Panel* panel = LayOnBackdrop(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(16, 10, 16, 12);
    layout->setSpacing(8);
    QLabel* title = MakeGridTitle(panel);
    title->setText("Army Statistics");
    layout->addWidget(title);

    rptGrd_ = MakeReadOnlyGrid("RptGrd", panel);
    rptGrd_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rptGrd_->setSelectionMode(QAbstractItemView::SingleSelection);
    rptGrd_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rptGrd_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rptGrd_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    layout->addWidget(rptGrd_, 0, Qt::AlignHCenter);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* ok = MakeCloseButton("OK", panel);
    buttons->addWidget(ok);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TStats::Prepare() {
    const GridTable grid = ArmyStatisticsGrid(ComputeArmyStatistics(scenario_, tables_));
    FillGrid(rptGrd_, grid.Headers, grid.Widths, grid.Rows);
    // The force names head their columns as the grid's fixed top row did; numbers read best
    // aligned under each other.
    for (int c = 1; c < rptGrd_->columnCount(); ++c) {
        rptGrd_->horizontalHeaderItem(c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        for (int r = 0; r < rptGrd_->rowCount(); ++r)
            rptGrd_->item(r, c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    rptGrd_->setFixedSize(GridFullWidth(rptGrd_, false), GridHeightFor(rptGrd_, rptGrd_->rowCount()));
    rptGrd_->setCurrentItem(nullptr);
    rptGrd_->clearSelection();
    FitAndCentre(this);
}

void TStats::Run() {
    Prepare();
    exec();
}

} // namespace k2
