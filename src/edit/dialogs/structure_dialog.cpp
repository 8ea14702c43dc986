#include "edit/dialogs/structure_dialog.h"

#include "edit/dialogs/edit_dialog_parts.h"
#include "graphics/ansi_text.h"
#include "widgets/dialog_look.h"
#include "widgets/picture_panel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace k2 {

namespace {

constexpr int PreviewSide = 96;

} // namespace

TAddBase::TAddBase(Scenario& scenario, const SymbolSet& symbols, const EditState& edit, QWidget* parent)
    : QDialog(parent), logic_(scenario, symbols), symbols_(symbols), edit_(edit) {
    setObjectName("TAddBase");
    setWindowTitle("Structures");
    setModal(true);
    Build();
}

void TAddBase::Build() {
    TMy_Panel* panel = LayOnBackdrop(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(16, 10, 16, 14);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    grid->addWidget(MakeHeading("Structures", panel), 0, 0, 1, 2);

    // Left column: faction, name and statistics.
    auto* left = new QVBoxLayout;
    left->setSpacing(8);

    auto* faction = MakeGroup("FactionBox", "Faction", panel);
    auto* factionLayout = new QVBoxLayout(faction);
    aSideBtn_ = new QRadioButton(faction);
    aSideBtn_->setObjectName("ASideBtn");
    bSideBtn_ = new QRadioButton(faction);
    bSideBtn_->setObjectName("BSideBtn");
    auto* sides = new QButtonGroup(this);
    sides->addButton(aSideBtn_, SideWestern);
    sides->addButton(bSideBtn_, SideEastern);
    for (QRadioButton* radio : {aSideBtn_, bSideBtn_}) {
        radio->setFont(PixelFont("Arial", 13));
        factionLayout->addWidget(radio);
    }
    connect(sides, &QButtonGroup::idClicked, this, [this](int side) { logic_.SelectSide(side); });
    left->addWidget(faction);

    auto* nameBox = MakeGroup("NameBox", "Name", panel);
    auto* nameLayout = new QVBoxLayout(nameBox);
    symName_ = new QLineEdit(nameBox);
    symName_->setObjectName("SymName");
    symName_->setMaxLength(int(RecordNameChars));
    symName_->setFont(PixelFont("Arial", 13));
    nameLayout->addWidget(symName_);
    connect(symName_, &QLineEdit::textChanged, this,
            [this](const QString& text) { logic_.SetName(ToAnsi(text)); });
    left->addWidget(nameBox);

    auto* stats = MakeGroup("StatsBox", "Statistics", panel);
    auto* statsLayout = new QGridLayout(stats);
    statsLayout->setColumnStretch(0, 1);
    defLbl_ = MakeValueLabel("DefLbl", stats);
    rSplLbl_ = MakeValueLabel("RSplLbl", stats);
    elvLbl_ = MakeValueLabel("ElvLbl", stats);
    const auto refresh = [this] { RefreshValues(); };
    const auto row = [&](int r, QLabel* label, QWidget* arrows) {
        statsLayout->addWidget(label, r, 0);
        statsLayout->addWidget(arrows, r, 1, Qt::AlignRight);
    };
    row(0, defLbl_,
        MakeArrowPair(
            "DefUD", stats, [this] { logic_.DefenseDown(); }, [this] { logic_.DefenseUp(); }, refresh));
    row(1, rSplLbl_,
        MakeArrowPair(
            "RSplUD", stats, [this] { logic_.SupplyDown(); }, [this] { logic_.SupplyUp(); }, refresh));
    row(2, elvLbl_,
        MakeArrowPair(
            "ElvUD", stats, [this] { logic_.HeightDown(); }, [this] { logic_.HeightUp(); }, refresh));
    left->addWidget(stats);
    left->addStretch(1);

    // Right column: the symbol list with its preview.
    auto* symbol = MakeGroup("SymbolBox", "Symbol", panel);
    auto* symbolLayout = new QGridLayout(symbol);
    image1_ = new QLabel(symbol);
    image1_->setObjectName("Image1");
    image1_->setFixedSize(PreviewSide + 4, PreviewSide + 4);
    image1_->setAlignment(Qt::AlignCenter);
    image1_->setStyleSheet("border: 1px solid #9C7A3C; background-color: black;");
    symNamPan_ = new QLabel(symbol);
    symNamPan_->setObjectName("SymNamPan");
    symNamPan_->setFont(PixelFont("Arial", 13, true));
    symNamPan_->setAlignment(Qt::AlignCenter);
    symNamPan_->setMinimumWidth(PreviewSide + 4);
    symNamPan_->setStyleSheet(
        "border: 1px solid #7A5C2E; background-color: rgba(0, 0, 0, 90); padding: 2px;");
    terList_ = new QListWidget(symbol);
    terList_->setObjectName("TerList");
    terList_->setFont(PixelFont("Arial", 13));
    terList_->setMinimumSize(150, 180);
    symbolLayout->addWidget(image1_, 0, 0, Qt::AlignHCenter);
    symbolLayout->addWidget(symNamPan_, 1, 0);
    symbolLayout->addWidget(terList_, 0, 1, 3, 1);
    symbolLayout->setRowStretch(2, 1);
    connect(terList_, &QListWidget::currentRowChanged, this, [this](int row) {
        logic_.SelectRow(row);
        RefreshPreview();
    });

    groups_[0] = faction;
    groups_[1] = nameBox;
    groups_[2] = symbol;
    groups_[3] = stats;

    grid->addLayout(left, 1, 0);
    grid->addWidget(symbol, 1, 1);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    remBtn_ = MakeDialogButton("RemBtn", "Remove", panel);
    addBtn_ = MakeDialogButton("AddBtn", "Add", panel);
    auto* exit = MakeDialogButton("Exit", "Exit", panel);
    buttons->addWidget(remBtn_);
    buttons->addStretch(1);
    buttons->addWidget(addBtn_);
    buttons->addWidget(exit);
    grid->addLayout(buttons, 2, 0, 1, 2);

    connect(addBtn_, &QPushButton::clicked, this, [this] {
        logic_.Add();
        RefreshAll();
    });
    connect(exit, &QPushButton::clicked, this, [this] { done(logic_.Exit()); });
    connect(remBtn_, &QPushButton::clicked, this, [this] { done(logic_.Remove()); });
}

void TAddBase::RefreshValues() {
    defLbl_->setText(FromAnsi(logic_.DefenseText()));
    rSplLbl_->setText(FromAnsi(logic_.SupplyText()));
    elvLbl_->setText(FromAnsi(logic_.HeightText()));
}

void TAddBase::RefreshPreview() {
    symNamPan_->setText(FromAnsi(logic_.SelectedSymbolName()));
    image1_->setPixmap(TerrainSymbolPreview(symbols_, logic_.SelectedSymbol(), PreviewSide));
}

void TAddBase::RefreshAll() {
    for (QGroupBox* group : groups_)
        group->setEnabled(logic_.GroupsEnabled());
    remBtn_->setEnabled(logic_.RemoveEnabled());
    addBtn_->setEnabled(logic_.AddEnabled());

    aSideBtn_->setText(FromAnsi(logic_.WesternCaption()));
    bSideBtn_->setText(FromAnsi(logic_.EasternCaption()));
    aSideBtn_->setEnabled(logic_.WesternEnabled());
    bSideBtn_->setEnabled(logic_.EasternEnabled());
    (logic_.Side() == SideWestern ? aSideBtn_ : bSideBtn_)->setChecked(true);
    {
        const QSignalBlocker block(symName_);
        symName_->setText(FromAnsi(logic_.Name()));
    }
    {
        const QSignalBlocker block(terList_);
        if (terList_->count() != int(logic_.Rows().size())) {
            terList_->clear();
            for (const SymbolRow& row : logic_.Rows())
                terList_->addItem(FromAnsi(row.Name));
        } else {
            for (int i = 0; i < terList_->count(); ++i)
                terList_->item(i)->setText(FromAnsi(logic_.Rows()[size_t(i)].Name));
        }
        terList_->setCurrentRow(logic_.Rows().empty() ? -1 : logic_.SelectedRow());
    }
    RefreshValues();
    RefreshPreview();
}

void TAddBase::Prepare(int32_t hex) {
    logic_.Activate(hex);
    RefreshAll();
    FitAndCentre(this);
    if (terList_->currentItem()) terList_->scrollToItem(terList_->currentItem());
}

StructureDialogOutcome TAddBase::Run(int32_t hex) {
    Prepare(hex);
    const int result = exec();
    return {result == QDialog::Rejected ? DialogResult::Cancel : DialogResult::Ok, logic_.MarkModified()};
}

} // namespace k2
