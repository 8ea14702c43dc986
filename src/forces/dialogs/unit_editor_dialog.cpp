#include "forces/dialogs/unit_editor_dialog.h"

#include "graphics/ansi_text.h"
#include "graphics/backdrop.h"
#include "graphics/symbol_set.h"
#include "widgets/dialog_look.h"
#include "widgets/picture_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace k2 {

namespace {

constexpr int PreviewSide = 50;
constexpr int PreviewZoom = 2;

struct CounterControl {
    UnitCounter Counter;
    const char* Arrows;
    const char* Label;
    const char* Hint;
};

// In the order of UnitCounter.
constexpr std::array<CounterControl, 9> CounterControls = {{
    {UnitCounter::Men, "MenUD", "MenLbl", nullptr},
    {UnitCounter::Morale, "MorUD", "MorLbl", nullptr},
    {UnitCounter::Movement, "MvpUD", "MvpLbl", nullptr},
    {UnitCounter::Ammo, "AmmoUpDn", "AmmoLbl", nullptr},
    {UnitCounter::Supply, "SplUD", "SplLbl", nullptr},
    {UnitCounter::Turn, "AtrnUD", "ActLbl", nullptr},
    {UnitCounter::Value, "VpUD", "VptLbl", nullptr},
    {UnitCounter::Rating, "RateUD", "RateLbl", "Effectiveness Rating"},
    {UnitCounter::Range, "RangeUD", "RngLbl", "Command Range in Hexes"},
}};

struct EquipmentControl {
    EquipmentList List;
    const char* Combo;
    const char* Caption;
    const char* Info;
    const char* Hint;
    int32_t Table;
};

constexpr std::array<EquipmentControl, 4> EquipmentControls = {{
    {EquipmentList::Combat, "UnitCombat", "Combat", "ComSts", "Combat Weapon Information", DefTableCombat},
    {EquipmentList::Missile, "UnitMissle", "Missile", "MslSts", "Missle Weapon Information", DefTableMissile},
    {EquipmentList::Armour, "UnitArmor", "Armour", "ArmSts", "Armor Information", DefTableArmour},
    {EquipmentList::Shield, "UnitShield", "Shield", "ShlSts", "Shield Information", DefTableShield},
}};

constexpr std::array<std::pair<UnitFlag, std::pair<const char*, const char*>>, 3> FlagControls = {{
    {UnitFlag::Stakes, {"HasStakes", "Stakes"}},
    {UnitFlag::Ferocious, {"FerAtk", "Ferocious Attack"}},
    {UnitFlag::Disrupted, {"StartsDsrpt", "Starts Disrupted"}},
}};

QString Text(const std::string& bytes) {
    return FromAnsi(bytes);
}

void FillCombo(QComboBox* combo, const std::vector<std::string>& names) {
    combo->clear();
    for (const std::string& name : names)
        combo->addItem(Text(name));
}

} // namespace

TAddUnit::TAddUnit(Scenario& scenario, EditState& edit, const EquipmentTables& tables,
                   const SymbolSet& symbols, SoundPlayer& sounds, MessageBoxes& boxes,
                   DefinitionTablesOpener& definitions, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      logic_(scenario, edit, tables, symbols, sounds, boxes, definitions), symbols_(symbols) {
    setObjectName("TAddUnit");
    setWindowTitle("Units");
    setModal(true);
    Build();
}

QWidget* TAddUnit::MakeUpDown(const char* name, UnitCounter counter) {
    auto* box = new QWidget;
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    const auto arrow = [&](const char* part, Qt::ArrowType type, bool up) {
        auto* button = new QToolButton(box);
        button->setObjectName(part);
        button->setArrowType(type);
        button->setFixedSize(22, 12);
        button->setAutoRepeat(true);
        connect(button, &QToolButton::clicked, this, [this, counter, up] {
            logic_.Step(counter, up);
            AfterAction();
        });
        layout->addWidget(button);
    };
    arrow("Up", Qt::UpArrow, true);
    arrow("Down", Qt::DownArrow, false);
    return box;
}

void TAddUnit::Build() {
    TMy_Panel* panel = LayOnBackdrop(this);
    auto* outer = new QVBoxLayout(panel);
    outer->setContentsMargins(14, 8, 14, 12);
    outer->setSpacing(8);

    frmLbl_ = new QLabel("Units", panel);
    frmLbl_->setObjectName("FrmLbl");
    frmLbl_->setFont(PixelFont("Kelt", 32));
    frmLbl_->setAlignment(Qt::AlignCenter);
    frmLbl_->setStyleSheet(QString("color: %1;").arg(BackdropGold().name()));
    outer->addWidget(frmLbl_);

    int groupCount = 0;
    const auto group = [&](const char* name, const QString& title) {
        auto* box = new QGroupBox(title, panel);
        box->setObjectName(name);
        box->setFont(PixelFont("Arial", 13, true));
        groups_[size_t(groupCount++)] = box;
        return box;
    };
    const auto plain = [](QWidget* widget, const char* name) {
        widget->setObjectName(name);
        widget->setFont(PixelFont("Arial", 13));
        return widget;
    };
    const auto label = [&](const char* name, QWidget* parent) {
        auto* l = new QLabel(parent);
        plain(l, name);
        return l;
    };
    const auto button = [&](const char* name, const QString& caption, QWidget* parent) {
        auto* b = new QPushButton(caption, parent);
        plain(b, name);
        b->setAutoDefault(false);
        return b;
    };

    auto* columns = new QHBoxLayout;
    columns->setSpacing(10);
    outer->addLayout(columns, 1);

    // First column: the symbol.
    symBox_ = group("SymBox", "Unit Symbol");
    auto* symLayout = new QVBoxLayout(symBox_);
    terList_ = new QListWidget(symBox_);
    plain(terList_, "TerList");
    terList_->setMinimumWidth(170);
    terList_->setMinimumHeight(240);
    symLayout->addWidget(terList_, 1);
    auto* previewRow = new QHBoxLayout;
    image1_ = label("Image1", symBox_);
    image1_->setFixedSize(PreviewSide + 2, PreviewSide + 2);
    image1_->setAlignment(Qt::AlignCenter);
    image1_->setStyleSheet("border: 1px solid #9C7A3C; background-color: black;");
    previewRow->addWidget(image1_);
    auto* nameAndFacing = new QVBoxLayout;
    symNamPan_ = label("SymNamPan", symBox_);
    symNamPan_->setWordWrap(true);
    facBtn_ = button("FacBtn", "Facing", symBox_);
    nameAndFacing->addWidget(symNamPan_);
    nameAndFacing->addWidget(facBtn_, 0, Qt::AlignLeft);
    previewRow->addLayout(nameAndFacing, 1);
    symLayout->addLayout(previewRow);
    columns->addWidget(symBox_);

    // Second column: who the unit is.
    // Wide enough for a whole wing name of 24 characters in the wing box.
    const int textBoxWidth = QFontMetrics(PixelFont("Arial", 13)).horizontalAdvance(QString(18, 'M'));
    auto* second = new QVBoxLayout;
    second->setSpacing(6);
    auto* factionGroup = group("FactionGroup", "Faction");
    auto* factionLayout = new QVBoxLayout(factionGroup);
    aSideBtn_ = new QRadioButton(factionGroup);
    plain(aSideBtn_, "ASideBtn");
    bSideBtn_ = new QRadioButton(factionGroup);
    plain(bSideBtn_, "BSideBtn");
    factionLayout->addWidget(aSideBtn_);
    factionLayout->addWidget(bSideBtn_);
    second->addWidget(factionGroup);

    auto* nameGroup = group("NameGroup", "Unit Name");
    auto* nameLayout = new QVBoxLayout(nameGroup);
    symName_ = new QLineEdit(nameGroup);
    plain(symName_, "SymName");
    symName_->setMaxLength(int(UnitNameFieldChars));
    symName_->setMinimumWidth(textBoxWidth);
    nameLayout->addWidget(symName_);
    second->addWidget(nameGroup);

    auto* typeGroup = group("TypeGroup", "Unit Type");
    auto* typeLayout = new QHBoxLayout(typeGroup);
    const std::array<std::pair<const char*, const char*>, 3> types = {
        {{"UType1", "Foot"}, {"UType2", "Horse"}, {"UType3", "Supply"}}};
    for (std::size_t t = 0; t < types.size(); ++t) {
        uType_[t] = new QRadioButton(types[t].second, typeGroup);
        plain(uType_[t], types[t].first);
        typeLayout->addWidget(uType_[t]);
        connect(uType_[t], &QRadioButton::clicked, this, [this, t] {
            logic_.SetUnitType(int32_t(t) + 1);
            AfterAction();
        });
    }
    second->addWidget(typeGroup);

    auto* wingGroup = group("GroupBox", "Wing");
    auto* wingLayout = new QVBoxLayout(wingGroup);
    unitGroup_ = new QComboBox(wingGroup);
    plain(unitGroup_, "UnitGroup");
    unitGroup_->setEditable(true);
    unitGroup_->setInsertPolicy(QComboBox::NoInsert);
    unitGroup_->setCompleter(nullptr);
    unitGroup_->lineEdit()->setMaxLength(int(WingFieldChars));
    unitGroup_->setMinimumWidth(textBoxWidth);
    wingLayout->addWidget(unitGroup_);
    second->addWidget(wingGroup);

    auto* rankGroup = group("RankGroup", "Class");
    auto* rankLayout = new QVBoxLayout(rankGroup);
    unitRank_ = new QComboBox(rankGroup);
    plain(unitRank_, "UnitRank");
    rankLayout->addWidget(unitRank_);
    second->addWidget(rankGroup);

    auto* commandGroup = group("CommandGroup", "Command");
    auto* commandLayout = new QGridLayout(commandGroup);
    wingLdrBtn_ = new QCheckBox("Wing Leader", commandGroup);
    plain(wingLdrBtn_, "WingLdrBtn");
    commandLayout->addWidget(wingLdrBtn_, 0, 0, 1, 2);
    second->addWidget(commandGroup);
    second->addStretch(1);
    columns->addLayout(second);

    // Third column: how the unit is armed.
    auto* third = new QVBoxLayout;
    third->setSpacing(6);
    auto* weaponsGroup = group("WeaponsGroup", "Weapons and Armour");
    auto* weaponsLayout = new QGridLayout(weaponsGroup);
    weaponsLayout->setHorizontalSpacing(6);
    for (std::size_t e = 0; e < EquipmentControls.size(); ++e) {
        const EquipmentControl& control = EquipmentControls[e];
        auto* caption = new QLabel(control.Caption, weaponsGroup);
        caption->setFont(PixelFont("Arial", 13));
        equipment_[e] = new QComboBox(weaponsGroup);
        plain(equipment_[e], control.Combo);
        equipment_[e]->setMinimumWidth(150);
        auto* info = new QToolButton(weaponsGroup);
        info->setObjectName(control.Info);
        info->setText("?");
        info->setFont(PixelFont("Arial", 12, true));
        info->setStyleSheet("QToolButton { color: #F0E6CC; } QToolButton:disabled { color: #808080; }");
        info->setFixedSize(20, 20);
        info->setToolTip(control.Hint);
        weaponsLayout->addWidget(caption, int(e), 0);
        weaponsLayout->addWidget(equipment_[e], int(e), 1);
        weaponsLayout->addWidget(info, int(e), 2);
        const EquipmentList list = control.List;
        connect(equipment_[e], &QComboBox::activated, this, [this, list](int index) {
            logic_.SelectEquipment(list, index);
            AfterAction();
        });
        const int32_t table = control.Table;
        connect(info, &QToolButton::clicked, this, [this, table] { logic_.ShowDefinitions(table); });
    }
    weaponsLayout->setColumnStretch(1, 1);
    auto* flagRow = new QHBoxLayout;
    for (std::size_t f = 0; f < FlagControls.size(); ++f) {
        flags_[f] = new QCheckBox(FlagControls[f].second.second, weaponsGroup);
        plain(flags_[f], FlagControls[f].second.first);
        flagRow->addWidget(flags_[f]);
        const UnitFlag flag = FlagControls[f].first;
        connect(flags_[f], &QCheckBox::clicked, this, [this, flag] {
            logic_.ToggleFlag(flag);
            AfterAction();
        });
    }
    weaponsLayout->addLayout(flagRow, int(EquipmentControls.size()), 0, 1, 3);
    third->addWidget(weaponsGroup);

    auto* statsGroup = group("StatsGroup", "Statistics");
    auto* statsLayout = new QGridLayout(statsGroup);
    statsLayout->setVerticalSpacing(3);
    statsLayout->setHorizontalSpacing(16);
    for (std::size_t c = 0; c < CounterControls.size(); ++c) {
        const CounterControl& control = CounterControls[c];
        const bool command = control.Counter == UnitCounter::Rating || control.Counter == UnitCounter::Range;
        QGroupBox* owner = command ? commandGroup : statsGroup;
        counterLabels_[c] = label(control.Label, owner);
        counterArrows_[c] = MakeUpDown(control.Arrows, control.Counter);
        counterArrows_[c]->setParent(owner);
        if (control.Hint) {
            counterArrows_[c]->setToolTip(control.Hint);
            counterLabels_[c]->setToolTip(control.Hint);
        }
        if (command) {
            const int row = control.Counter == UnitCounter::Rating ? 1 : 2;
            commandLayout->addWidget(counterLabels_[c], row, 0);
            commandLayout->addWidget(counterArrows_[c], row, 1, Qt::AlignRight);
        } else {
            // Two columns of value controls.
            const int row = int(c) % 4, col = int(c) / 4 * 2;
            statsLayout->addWidget(counterLabels_[c], row, col);
            statsLayout->addWidget(counterArrows_[c], row, col + 1, Qt::AlignLeft);
        }
    }
    statsLayout->setColumnStretch(0, 1);
    statsLayout->setColumnStretch(2, 1);
    third->addWidget(statsGroup);

    auto* strengthRow = new QHBoxLayout;
    auto* cmbtBox = group("CmbtBox", "Strength");
    auto* strengthLayout = new QGridLayout(cmbtBox);
    strengthLayout->setHorizontalSpacing(18);
    cStrLbl_ = label("CStrLbl", cmbtBox);
    fStrLbl_ = label("FStrLbl", cmbtBox);
    dStrLbl_ = label("DStrLbl", cmbtBox);
    wgtLbl_ = label("WgtLbl", cmbtBox);
    strengthLayout->addWidget(cStrLbl_, 0, 0);
    strengthLayout->addWidget(fStrLbl_, 0, 1);
    strengthLayout->addWidget(dStrLbl_, 1, 0);
    strengthLayout->addWidget(wgtLbl_, 1, 1);
    wingPlaceLbl_ = label("WingPlaceLbl", cmbtBox);
    ledByLbl_ = label("LedByLbl", cmbtBox);
    for (QLabel* l : {wingPlaceLbl_, ledByLbl_})
        l->setStyleSheet(QString("color: %1;").arg(BackdropGold().name()));
    strengthLayout->addWidget(wingPlaceLbl_, 2, 0, 1, 2);
    strengthLayout->addWidget(ledByLbl_, 3, 0, 1, 2);
    strengthRow->addWidget(cmbtBox, 1);
    third->addLayout(strengthRow);
    third->addStretch(1);
    columns->addLayout(third, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    addBtn_ = button("AddBtn", "Add", panel);
    remBtn_ = button("RemBtn", "Remove", panel);
    exitBtn_ = button("ExitBtn", "Exit", panel);
    for (QPushButton* b : {addBtn_, remBtn_, exitBtn_}) {
        b->setFont(PixelFont("Kelt", 17));
        b->setMinimumWidth(96);
        buttons->addWidget(b);
    }
    outer->addLayout(buttons);

    // Events.
    connect(aSideBtn_, &QRadioButton::clicked, this, [this] {
        logic_.SetSide(SideWestern);
        AfterAction();
    });
    connect(bSideBtn_, &QRadioButton::clicked, this, [this] {
        logic_.SetSide(SideEastern);
        AfterAction();
    });
    connect(symName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        logic_.SetName(ToAnsi(text));
        AfterAction();
    });
    connect(unitGroup_, &QComboBox::activated, this, [this](int index) {
        logic_.SelectWing(index);
        AfterAction();
    });
    connect(unitGroup_->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        logic_.SetWingText(ToAnsi(text));
        AfterAction();
    });
    connect(unitRank_, &QComboBox::activated, this, [this](int index) {
        logic_.SelectClass(index);
        AfterAction();
    });
    connect(terList_, &QListWidget::currentRowChanged, this, [this](int row) {
        logic_.PickSymbolRow(row);
        AfterAction();
    });
    // A click on the row already selected still picks it (after a side switch it gives the
    // other side's facing).
    connect(terList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        logic_.PickSymbolRow(terList_->row(item));
        AfterAction();
    });
    connect(facBtn_, &QPushButton::clicked, this, [this] {
        logic_.ToggleFacing();
        AfterAction();
    });
    connect(wingLdrBtn_, &QCheckBox::clicked, this, [this](bool on) {
        logic_.SetWingLeader(on);
        AfterAction();
    });
    connect(addBtn_, &QPushButton::clicked, this, [this] {
        if (logic_.Add()) {
            RefreshLists();
            Refresh();
        }
    });
    connect(remBtn_, &QPushButton::clicked, this, &TAddUnit::RemoveClicked);
    connect(exitBtn_, &QPushButton::clicked, this, &TAddUnit::ExitClicked);
}

void TAddUnit::RefreshLists() {
    const QSignalBlocker blockList(terList_), blockWing(unitGroup_), blockWingText(unitGroup_->lineEdit()),
        blockRank(unitRank_);
    terList_->clear();
    for (const UnitEditorLogic::SymbolRow& row : logic_.SymbolRows())
        terList_->addItem(Text(row.Name));
    FillCombo(unitGroup_, logic_.WingNameList());
    FillCombo(unitRank_, logic_.ClassNames());
    for (std::size_t e = 0; e < EquipmentControls.size(); ++e) {
        const QSignalBlocker block(equipment_[e]);
        FillCombo(equipment_[e], logic_.EquipmentNames(EquipmentControls[e].List));
    }
    aSideBtn_->setText(Text(logic_.WesternCaption()));
    bSideBtn_->setText(Text(logic_.EasternCaption()));
    symName_->setText(Text(logic_.NameText()));
    unitGroup_->setCurrentIndex(logic_.SelectedWing());
    unitGroup_->setEditText(Text(logic_.WingText()));
}

void TAddUnit::RefreshPreview() {
    QImage preview(PreviewSide, PreviewSide, QImage::Format_RGB32);
    preview.fill(Qt::black);
    const int32_t symbol = logic_.CurrentSymbol();
    const QImage& bitmap = symbols_.UnitCount() > 0 ? symbols_.UnitBitmap(PreviewZoom) : QImage();
    if (symbols_.IsUnitSymbol(symbol) && !bitmap.isNull()) {
        const SymbolCell& cell = symbols_.Unit(symbol).Cells[PreviewZoom];
        QImage picture(std::max(1, cell.Width()), std::max(1, cell.Height()), QImage::Format_RGB32);
        picture.fill(Qt::black);
        QPainter(&picture).drawImage(QPoint(0, 0), bitmap,
                                     QRect(cell.Left, cell.Top, cell.Width(), cell.Height()));
        preview = picture.scaled(PreviewSide, PreviewSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    image1_->setPixmap(QPixmap::fromImage(preview));
    symNamPan_->setText(Text(logic_.CurrentSymbolName()));
}

void TAddUnit::Refresh() {
    frmLbl_->setText(Text(logic_.FormTitle()));
    setWindowTitle(Text(logic_.FormTitle()));
    const bool unit = logic_.GroupsEnabled();
    for (QGroupBox* box : groups_)
        if (box) box->setEnabled(unit);
    addBtn_->setEnabled(logic_.AddEnabled());
    remBtn_->setEnabled(logic_.RemoveEnabled());

    {
        const QSignalBlocker blockA(aSideBtn_), blockB(bSideBtn_);
        // Neither button is on without a unit: the exclusive group must let go first.
        aSideBtn_->setAutoExclusive(false);
        bSideBtn_->setAutoExclusive(false);
        aSideBtn_->setChecked(logic_.CheckedSide() == SideWestern);
        bSideBtn_->setChecked(logic_.CheckedSide() == SideEastern);
        aSideBtn_->setAutoExclusive(true);
        bSideBtn_->setAutoExclusive(true);
    }
    for (std::size_t t = 0; t < uType_.size(); ++t) {
        const QSignalBlocker block(uType_[t]);
        uType_[t]->setAutoExclusive(false);
        uType_[t]->setChecked(logic_.CheckedType() == int32_t(t) + 1);
    }
    for (QRadioButton* radio : uType_)
        radio->setAutoExclusive(true);

    {
        const QSignalBlocker block(terList_);
        terList_->setCurrentRow(logic_.SelectedSymbolRow());
    }
    {
        const QSignalBlocker block(unitRank_);
        unitRank_->setCurrentIndex(logic_.SelectedClass());
    }
    for (std::size_t e = 0; e < EquipmentControls.size(); ++e) {
        const QSignalBlocker block(equipment_[e]);
        equipment_[e]->setCurrentIndex(logic_.SelectedEquipment(EquipmentControls[e].List));
    }
    for (std::size_t f = 0; f < FlagControls.size(); ++f) {
        const QSignalBlocker block(flags_[f]);
        flags_[f]->setChecked(logic_.Flag(FlagControls[f].first));
    }
    {
        const QSignalBlocker block(wingLdrBtn_);
        wingLdrBtn_->setChecked(logic_.WingLeader());
    }
    for (std::size_t c = 0; c < CounterControls.size(); ++c) {
        const UnitCounter counter = CounterControls[c].Counter;
        counterLabels_[c]->setText(Text(logic_.CounterText(counter)));
        const bool enabled = logic_.CounterEnabled(counter);
        counterArrows_[c]->setEnabled(enabled);
        counterLabels_[c]->setEnabled(enabled || !unit);
    }
    cStrLbl_->setText(Text(logic_.CombatText()));
    fStrLbl_->setText(Text(logic_.MissileText()));
    dStrLbl_->setText(Text(logic_.DefenseText()));
    wgtLbl_->setText(Text(logic_.WeightText()));
    wingPlaceLbl_->setText(Text(logic_.WingPlaceText()));
    ledByLbl_->setText(Text(logic_.LedByText()));
    RefreshPreview();
}

void TAddUnit::AfterAction() {
    Refresh();
}

void TAddUnit::Shown() {
    RefreshLists();
    Refresh();
    FitAndCentre(this);
}

void TAddUnit::Prepare(bool reinforcementUse) {
    logic_.Open(reinforcementUse);
    Shown();
}

void TAddUnit::PrepareForUnit(int32_t unit) {
    logic_.OpenUnit(unit);
    Shown();
}

DialogResult TAddUnit::Run(bool reinforcementUse) {
    Prepare(reinforcementUse);
    return exec() == QDialog::Rejected ? DialogResult::Cancel : DialogResult::Ok;
}

DialogResult TAddUnit::RunForUnit(int32_t unit) {
    PrepareForUnit(unit);
    return exec() == QDialog::Rejected ? DialogResult::Cancel : DialogResult::Ok;
}

void TAddUnit::ExitClicked() {
    done(logic_.Exit());
}

void TAddUnit::RemoveClicked() {
    if (const int32_t result = logic_.Remove(); result != 0) done(result);
}

void TAddUnit::reject() {
    ExitClicked();
}

} // namespace k2
