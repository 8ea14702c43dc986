#include "forces/dialogs/force_roster_dialog.h"

#include "forces/dialogs/arrival_chart.h"
#include "forces/dialogs/grid_view.h"
#include "graphics/ansi_text.h"
#include "widgets/dialog_look.h"
#include "widgets/picture_panel.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace k2 {

namespace {

// Rows shown at most before the grid scrolls, and the room around the grid.
constexpr int MaxVisibleRows = 22;
constexpr int SideMargin = 14;
// The arrival chart beside the schedule's grid.
constexpr int ChartWidth = 400;
constexpr int ChartMinimumHeight = 380;

} // namespace

ForceRosterDialog::ForceRosterDialog(RosterKind kind, Scenario& scenario, const EquipmentTables& tables,
                                     MessageBoxes& boxes, SoundPlayer& sounds, UnitEditorOpener& editor,
                                     QWidget* parent)
    : QDialog(parent), logic_(kind, scenario, tables, boxes, sounds), editor_(editor) {
    setModal(true);
    Build(scenario);
}

void ForceRosterDialog::Build(Scenario& scenario) {
    TMy_Panel* panel = LayOnBackdrop(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(SideMargin, 10, SideMargin, 12);
    layout->setSpacing(8);

    label1_ = MakeGridTitle(panel);
    layout->addWidget(label1_);

    const bool ob = logic_.Kind() == RosterKind::OrderOfBattle;
    obGrd_ = MakeReadOnlyGrid("OBGrd", panel, true);
    obGrd_->setSelectionBehavior(ob ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    obGrd_->setSelectionMode(QAbstractItemView::SingleSelection);
    obGrd_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QHeaderView* header = obGrd_->horizontalHeader();
    header->setSectionResizeMode(ob ? QHeaderView::Interactive : QHeaderView::Fixed);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    header->setToolTip("Click a column to sort the list by it; Ctrl+C copies the list");
    obGrd_->installEventFilter(this);
    if (ob) {
        layout->addWidget(obGrd_, 1);
    } else {
        // The schedule shows both sides' arrivals by turn beside its grid.
        auto* row = new QHBoxLayout;
        row->setSpacing(SideMargin);
        row->addWidget(obGrd_, 1);
        chart_ = new ArrivalChart(scenario, panel);
        chart_->setMinimumSize(ChartWidth, ChartMinimumHeight);
        row->addWidget(chart_);
        layout->addLayout(row, 1);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    button1_ = MakeCloseButton(QString::fromStdString(logic_.CloseCaption()), panel);
    buttons->addWidget(button1_);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    connect(button1_, &QPushButton::clicked, this, [this] { done(logic_.Close()); });
    connect(obGrd_, &QTableWidget::cellClicked, this, [this](int row, int) { logic_.ClickRow(row); });
    connect(obGrd_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { OpenEditor(row); });
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        logic_.ClickHeader(column);
        RefreshGrid();
    });
}

bool ForceRosterDialog::Prepare(int32_t side, const std::function<void()>& sortUnits) {
    mapChanged_ = false;
    if (!logic_.Open(side, sortUnits)) return false;
    obGrd_->setColumnCount(0); // widths dragged at an earlier showing do not carry over
    if (chart_) chart_->Refresh();
    label1_->setText(FromAnsi(logic_.Title()));
    setWindowTitle(FromAnsi(logic_.Title()).trimmed());
    RefreshGrid();
    FitToGrid();
    obGrd_->scrollToTop();
    obGrd_->setFocus();
    return true;
}

int32_t ForceRosterDialog::Run(int32_t side, const std::function<void()>& sortUnits) {
    if (!Prepare(side, sortUnits)) return RosterNotShown;
    exec();
    return mapChanged_ ? RosterRedrawMap : RosterClosed;
}

void ForceRosterDialog::RefreshGrid() {
    std::vector<std::vector<std::string>> rows;
    rows.reserve(static_cast<std::size_t>(logic_.RowCount()));
    for (int32_t r = 0; r < logic_.RowCount(); ++r)
        rows.push_back(logic_.Cells(r));
    // Widths the user dragged in the order of battle stay while it is open.
    std::vector<int> kept;
    if (logic_.Kind() == RosterKind::OrderOfBattle &&
        obGrd_->columnCount() == static_cast<int>(logic_.Headers().size()))
        for (int c = 0; c < obGrd_->columnCount(); ++c)
            kept.push_back(obGrd_->columnWidth(c));
    FillGrid(obGrd_, logic_.Headers(), logic_.Widths(), rows);
    for (int c = 0; c < static_cast<int>(kept.size()); ++c)
        obGrd_->setColumnWidth(c, std::max(obGrd_->columnWidth(c), kept[static_cast<std::size_t>(c)]));

    QHeaderView* header = obGrd_->horizontalHeader();
    if (logic_.Sort() == SortDirection::None) {
        header->setSortIndicatorShown(false);
    } else {
        header->setSortIndicatorShown(true);
        header->setSortIndicator(logic_.SortColumn(), logic_.Sort() == SortDirection::Ascending
                                                          ? Qt::AscendingOrder
                                                          : Qt::DescendingOrder);
    }
    if (logic_.SelectedRow() >= 0) {
        if (logic_.Kind() == RosterKind::OrderOfBattle)
            obGrd_->selectRow(logic_.SelectedRow());
        else
            obGrd_->setCurrentCell(logic_.SelectedRow(), 0);
    }
}

void ForceRosterDialog::FitToGrid() {
    const int rows = std::clamp(logic_.RowCount(), 1, MaxVisibleRows);
    const bool scrolls = logic_.RowCount() > MaxVisibleRows;
    // The grid asks for every column; on a screen too small for that it scrolls instead of
    // pushing the window off the screen's edge.
    const QSize wanted(GridFullWidth(obGrd_, scrolls), GridHeightFor(obGrd_, rows));
    FitAndCentre(this, obGrd_, wanted);
}

void ForceRosterDialog::OpenEditor(int row) {
    const int32_t unit = logic_.DoubleClickRow(row);
    if (unit == 0) return;
    if (editor_.OpenUnitEditor(unit) == DialogResult::Ok) mapChanged_ = true;
    logic_.Refresh();
    if (chart_) chart_->Refresh();
    RefreshGrid();
}

bool ForceRosterDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == obGrd_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(FromAnsi(logic_.CopyText()));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// Escape or the window's close box leave without the closing button's click.
void ForceRosterDialog::reject() {
    done(RosterClosed);
}

TFactionOB::TFactionOB(Scenario& scenario, const EquipmentTables& tables, MessageBoxes& boxes,
                       SoundPlayer& sounds, UnitEditorOpener& editor, QWidget* parent)
    : ForceRosterDialog(RosterKind::OrderOfBattle, scenario, tables, boxes, sounds, editor, parent) {
    setObjectName("TFactionOB");
}

TRForceRoster::TRForceRoster(Scenario& scenario, const EquipmentTables& tables, MessageBoxes& boxes,
                             SoundPlayer& sounds, UnitEditorOpener& editor, QWidget* parent)
    : ForceRosterDialog(RosterKind::Schedule, scenario, tables, boxes, sounds, editor, parent) {
    setObjectName("TRForceRoster");
}

} // namespace k2
