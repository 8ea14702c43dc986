#include "edit/dialogs/objective_dialogs.h"

#include "edit/dialogs/edit_dialog_parts.h"
#include "graphics/ansi_text.h"
#include "widgets/dialog_look.h"
#include "widgets/picture_panel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

namespace k2 {

TAddVHex::TAddVHex(Scenario& scenario, const EditState& edit, QWidget* parent)
    : QDialog(parent), logic_(scenario), edit_(edit) {
    setObjectName("TAddVHex");
    setWindowTitle("Victory Objectives");
    setModal(true);
    Build();
}

void TAddVHex::Build() {
    TMy_Panel* panel = LayOnBackdrop(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(18, 10, 18, 14);
    layout->setSpacing(8);
    layout->addWidget(MakeHeading("Terrain Victory Objective", panel, 24));

    symBox_ = MakeGroup("SymBox", "Name", panel);
    auto* nameLayout = new QVBoxLayout(symBox_);
    symName_ = new QLineEdit(symBox_);
    symName_->setObjectName("SymName");
    symName_->setMaxLength(int(ObjectiveNameChars));
    symName_->setFont(PixelFont("Arial", 13));
    symName_->setMinimumWidth(220);
    nameLayout->addWidget(symName_);
    connect(symName_, &QLineEdit::textChanged, this,
            [this](const QString& text) { logic_.SetName(ToAnsi(text)); });
    layout->addWidget(symBox_);

    auto* value = MakeGroup("ValueBox", "Value", panel);
    auto* valueLayout = new QHBoxLayout(value);
    vptLbl_ = MakeValueLabel("VptLbl", value);
    valueLayout->addWidget(vptLbl_, 1);
    valueLayout->addWidget(MakeArrowPair(
        "VpUD", value, [this] { logic_.PointsDown(); }, [this] { logic_.PointsUp(); },
        [this] { vptLbl_->setText(FromAnsi(logic_.PointsText())); }));
    layout->addWidget(value);
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    addBtn_ = MakeDialogButton("AddBtn", "Add", panel);
    remBtn_ = MakeDialogButton("RemBtn", "Remove", panel);
    auto* exit = MakeDialogButton("Exit", "Exit", panel);
    buttons->addWidget(addBtn_);
    buttons->addWidget(remBtn_);
    buttons->addStretch(1);
    buttons->addWidget(exit);
    layout->addLayout(buttons);

    connect(addBtn_, &QPushButton::clicked, this, [this] {
        logic_.Add();
        RefreshAll();
    });
    connect(remBtn_, &QPushButton::clicked, this, [this] { done(logic_.Remove()); });
    connect(exit, &QPushButton::clicked, this, [this] { done(logic_.Exit()); });
}

void TAddVHex::RefreshAll() {
    symBox_->setEnabled(logic_.NameEnabled());
    addBtn_->setEnabled(logic_.AddEnabled());
    remBtn_->setEnabled(logic_.RemoveEnabled());
    vptLbl_->setText(FromAnsi(logic_.PointsText()));
}

void TAddVHex::Prepare(int32_t hex) {
    logic_.Activate(hex);
    {
        // Filling the box is not a change of the name.
        const QSignalBlocker block(symName_);
        symName_->setText(FromAnsi(logic_.NameBox()));
    }
    RefreshAll();
    FitAndCentre(this);
}

DialogResult TAddVHex::Run(int32_t hex) {
    Prepare(hex);
    return exec() == ObjectiveResultRedraw ? DialogResult::Ok : DialogResult::Cancel;
}

TVicHexes::TVicHexes(const Scenario& scenario, SoundPlayer& sounds, QWidget* parent)
    : QDialog(parent), scenario_(scenario), sounds_(sounds) {
    setObjectName("TVicHexes");
    setWindowTitle("Terrain Objective Status");
    setModal(true);

    TMy_Panel* panel = LayOnBackdrop(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(16, 10, 16, 14);
    layout->setSpacing(8);
    layout->addWidget(MakeHeading("Terrain Objective Status", panel, 24));

    constexpr std::array<const char*, 4> Headers = {"Objective", "Owner", "Value", "Hex"};
    constexpr std::array<int, 4> Widths = {115, 115, 50, 50};
    obGrd_ = new QTableWidget(0, int(Headers.size()), panel);
    obGrd_->setObjectName("OBGrd");
    obGrd_->setFont(PixelFont("Arial", 13));
    obGrd_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    obGrd_->setSelectionMode(QAbstractItemView::SingleSelection);
    obGrd_->verticalHeader()->hide();
    obGrd_->verticalHeader()->setDefaultSectionSize(20);
    obGrd_->horizontalHeader()->setFont(PixelFont("Arial", 13, true));
    obGrd_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    obGrd_->horizontalHeader()->setHighlightSections(false);
    obGrd_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    obGrd_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    int width = 0;
    for (int c = 0; c < int(Headers.size()); ++c) {
        obGrd_->setHorizontalHeaderItem(c, new QTableWidgetItem(Headers[size_t(c)]));
        obGrd_->setColumnWidth(c, Widths[size_t(c)]);
        width += Widths[size_t(c)];
    }
    // Room for the four columns and a scroll bar when the objectives outgrow the grid.
    obGrd_->setFixedWidth(width + 2 * obGrd_->frameWidth() + 16);
    obGrd_->setMinimumHeight(140);
    layout->addWidget(obGrd_, 1, Qt::AlignHCenter);

    auto* buttons = new QHBoxLayout;
    auto* ok = MakeDialogButton("Button1", "OK", panel);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] {
        sounds_.Play(SoundAccept, 1);
        done(StatusResultOk);
    });
}

void TVicHexes::Prepare() {
    const std::vector<ObjectiveStatusRow> rows = ObjectiveStatusRows(scenario_);
    obGrd_->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const ObjectiveStatusRow& row = rows[size_t(r)];
        const std::array<const std::string*, 4> cells = {&row.Name, &row.Owner, &row.Value, &row.Hex};
        for (int c = 0; c < int(cells.size()); ++c)
            obGrd_->setItem(r, c, new QTableWidgetItem(FromAnsi(*cells[size_t(c)])));
    }
    if (!rows.empty()) obGrd_->setCurrentCell(0, 0);
    FitAndCentre(this);
}

DialogResult TVicHexes::Run() {
    Prepare();
    return exec() == StatusResultOk ? DialogResult::Ok : DialogResult::Cancel;
}

} // namespace k2
