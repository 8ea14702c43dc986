#include "app/check_panel.h"

#include "graphics/ansi_text.h"
#include "widgets/dialog_look.h"
#include "widgets/picture_panel.h"

#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTime>
#include <QVBoxLayout>

namespace k2 {

namespace {

constexpr int HexRole = Qt::UserRole;
enum Column { SeverityColumn = 0, TextColumn = 1, HexColumn = 2 };

} // namespace

CheckPanel::CheckPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("CheckPanel");
    TMy_Panel* panel = LayOnBackdrop(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(8, 8, 8, 8);

    summary_ = new QLabel(panel);
    summary_->setObjectName("CheckSummary");
    summary_->setFont(PixelFont("Arial", 14, true));
    state_ = new QLabel(panel);
    state_->setObjectName("CheckState");
    auto* top = new QHBoxLayout;
    top->addWidget(summary_, 1);
    top->addWidget(state_);
    layout->addLayout(top);

    list_ = new QTableWidget(0, 3, panel);
    list_->setObjectName("CheckFindings");
    list_->setHorizontalHeaderLabels({"Severity", "Rule / Text", "Hex"});
    list_->verticalHeader()->hide();
    list_->setShowGrid(false);
    list_->setWordWrap(false);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->horizontalHeader()->setSectionResizeMode(TextColumn, QHeaderView::Stretch);
    layout->addWidget(list_, 1);

    again_ = new QPushButton("Check Again", panel);
    again_->setObjectName("CheckAgainBtn");
    layout->addWidget(again_, 0, Qt::AlignRight);

    // itemActivated covers the double-click and Enter (and a single click where the platform
    // activates items that way).
    connect(list_, &QTableWidget::itemActivated, this, [this](QTableWidgetItem* item) { Activated(item); });
    connect(again_, &QPushButton::clicked, this, &CheckPanel::CheckRequested);
    Clear();
}

void CheckPanel::Clear() {
    list_->clearContents();
    list_->setRowCount(0);
    summary_->clear();
    state_->clear();
}

QString CheckPanel::HexText(const CheckFinding& finding) {
    if (finding.Hex < 0 || finding.Column < 0 || finding.Row < 0) return {};
    // As the hover line writes it: the row number, then the column number.
    return QString::number(finding.Row) + QString::number(finding.Column);
}

void CheckPanel::MarkStale() {
    state_->setText("Checking after the last change...");
}

void CheckPanel::ShowFindings(const std::vector<CheckFinding>& findings) {
    list_->clearContents();
    list_->setRowCount(int(findings.size()));
    for (int row = 0; row < int(findings.size()); ++row) {
        const CheckFinding& f = findings[size_t(row)];
        const bool error = f.Severity == CheckSeverity::Error;
        auto* severity = new QTableWidgetItem(error ? "Error" : "Warning");
        severity->setForeground(error ? QColor(0xA0, 0x10, 0x10) : QColor(0x7A, 0x52, 0x00));
        severity->setData(HexRole, f.Hex);
        auto* text = new QTableWidgetItem(QString::fromStdString(f.Rule) + ": " + FromAnsi(f.Text));
        text->setToolTip(FromAnsi(f.Text));
        text->setData(HexRole, f.Hex);
        auto* hex = new QTableWidgetItem(HexText(f));
        hex->setData(HexRole, f.Hex);
        list_->setItem(row, SeverityColumn, severity);
        list_->setItem(row, TextColumn, text);
        list_->setItem(row, HexColumn, hex);
    }
    for (int c : {SeverityColumn, HexColumn})
        list_->resizeColumnToContents(c);
    summary_->setText(QString::fromStdString(CheckSummary(findings)));
    state_->setText(QTime::currentTime().toString("'Up to date at' HH:mm:ss."));
    if (!findings.empty()) list_->setCurrentCell(0, SeverityColumn);
}

void CheckPanel::Activated(QTableWidgetItem* item) {
    if (!item) return;
    const int hex = item->data(HexRole).toInt();
    if (hex >= 0) emit FindingActivated(hex);
}

} // namespace k2
