#include "edit/dialogs/terrain_picker_dialog.h"

#include "core/file_lookup.h"
#include "graphics/ansi_text.h"
#include "graphics/backdrop.h"
#include "widgets/dialog_look.h"
#include "widgets/picture_panel.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace k2 {

namespace {

constexpr int PreviewSize = 112;
// The gap between the map and the picker placed beside it.
constexpr int MapGap = 6;

constexpr int ArrowGlyph = 10;

QString Text(const std::string& bytes) {
    return FromAnsi(bytes);
}

// The stock arrows are drawn dark and vanish on the dark buttons of the shell style.
QIcon ArrowIcon(Qt::ArrowType type) {
    QIcon icon;
    for (const auto& [mode, colour] : {std::pair{QIcon::Normal, BackdropCream()},
                                       {QIcon::Active, BackdropGold()},
                                       {QIcon::Disabled, BackdropGrey()}}) {
        QPixmap glyph(ArrowGlyph, ArrowGlyph);
        glyph.fill(Qt::transparent);
        QPainter painter(&glyph);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        const qreal m = 1.5, e = ArrowGlyph - 1.5, c = ArrowGlyph / 2.0;
        const QPolygonF left{QPointF(m, c), QPointF(e - 1, m), QPointF(e - 1, e)};
        const QPolygonF right{QPointF(e, c), QPointF(m + 1, m), QPointF(m + 1, e)};
        painter.drawPolygon(type == Qt::LeftArrow ? left : right);
        painter.end();
        icon.addPixmap(glyph, mode);
    }
    return icon;
}

} // namespace

TSelectTer::TSelectTer(Scenario& scenario, const SymbolSet& symbols, EditState& edit, EditHistory& history,
                       MessageBoxes& boxes, std::filesystem::path installDir, QWidget* parent)
    : QDialog(parent), logic_(scenario, symbols, edit, history, boxes), symbols_(symbols),
      installDir_(std::move(installDir)) {
    setObjectName("TSelectTer");
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle("Terrain Symbols");
    Build();
}

QWidget* TSelectTer::MakeArrows(const char* name, StepChange (TerrainPickerLogic::*down)(),
                                StepChange (TerrainPickerLogic::*up)()) {
    auto* pair = new QWidget;
    pair->setObjectName(name);
    auto* layout = new QHBoxLayout(pair);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    const auto arrow = [&](const char* part, Qt::ArrowType type, StepChange (TerrainPickerLogic::*action)()) {
        auto* button = new QToolButton(pair);
        button->setObjectName(QString(name) + part);
        button->setIcon(ArrowIcon(type));
        button->setIconSize(QSize(ArrowGlyph, ArrowGlyph));
        button->setFixedSize(20, 20);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, action] {
            (logic_.*action)();
            ShowValues();
        });
        layout->addWidget(button);
    };
    arrow("Down", Qt::LeftArrow, down);
    arrow("Up", Qt::RightArrow, up);
    return pair;
}

QGroupBox* TSelectTer::MakeCounter(const char* groupName, const QString& title, const char* labelName,
                                   QLabel*& label, QWidget* arrows) {
    auto* group = new QGroupBox(title);
    group->setObjectName(groupName);
    group->setFont(PixelFont("Arial", 12, true));
    auto* layout = new QHBoxLayout(group);
    layout->setContentsMargins(8, 4, 6, 2);
    label = new QLabel(group);
    label->setObjectName(labelName);
    label->setFont(PixelFont("Arial", 15, true));
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(30);
    label->setStyleSheet(QString("color: %1;").arg(BackdropGold().name()));
    layout->addWidget(label, 1);
    layout->addWidget(arrows);
    return group;
}

void TSelectTer::Build() {
    TMy_Panel* panel = LayOnBackdrop(this);

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);

    // The symbol as the map shows it at the largest zoom, with its name under it.
    auto* symPan = new QFrame(panel);
    symPan->setObjectName("SymPan");
    symPan->setFrameShape(QFrame::Box);
    symPan->setStyleSheet("QFrame#SymPan { background-color: #000000; border: 1px solid #9C7A3C; }");
    auto* symLayout = new QVBoxLayout(symPan);
    symLayout->setContentsMargins(1, 1, 1, 1);
    image1_ = new QLabel(symPan);
    image1_->setObjectName("Image1");
    image1_->setFixedSize(PreviewSize, PreviewSize);
    image1_->setAlignment(Qt::AlignCenter);
    symLayout->addWidget(image1_);

    symNamPan_ = new QLabel(panel);
    symNamPan_->setObjectName("SymNamPan");
    symNamPan_->setAlignment(Qt::AlignCenter);
    symNamPan_->setFont(PixelFont("Arial", 12, true));
    symNamPan_->setFixedWidth(PreviewSize + 4);
    symNamPan_->setMinimumHeight(20);
    symNamPan_->setStyleSheet(QString("QLabel#SymNamPan { color: %1; background-color: rgba(0, 0, 0, 110);"
                                      " border: 1px solid #7A5C2E; border-radius: 2px; padding: 1px 2px; }")
                                  .arg(BackdropGold().name()));

    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(symPan, 0, Qt::AlignHCenter);
    left->addWidget(symNamPan_, 0, Qt::AlignHCenter);
    left->addStretch(1);

    // The definition of the selected terrain type.
    definitionControls_ = new QWidget(panel);
    auto* right = new QVBoxLayout(definitionControls_);
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(2);
    right->addWidget(MakeCounter(
        "ElvGrp", "Elevation/Height", "ElvLbl", elvLbl_,
        MakeArrows("ElvUpDn", &TerrainPickerLogic::ElevationDown, &TerrainPickerLogic::ElevationUp)));
    right->addWidget(
        MakeCounter("CpmGrp", "Cost Per Move", "CpmLbl", cpmLbl_,
                    MakeArrows("CpmUpDn", &TerrainPickerLogic::CostDown, &TerrainPickerLogic::CostUp)));
    right->addWidget(
        MakeCounter("DefGrp", "Defense Modifier", "DefLbl", defLbl_,
                    MakeArrows("DefUpDn", &TerrainPickerLogic::DefenseDown, &TerrainPickerLogic::DefenseUp)));

    grid->addLayout(left, 0, 0);
    grid->addWidget(definitionControls_, 0, 1);

    terList_ = new QListWidget(panel);
    terList_->setObjectName("TerList");
    terList_->setSelectionMode(QAbstractItemView::SingleSelection);
    terList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    terList_->setUniformItemSizes(true);
    terList_->setFont(PixelFont("Arial", 13));
    terList_->setMinimumHeight(250);
    grid->addWidget(terList_, 1, 0, 1, 2);
    grid->setRowStretch(1, 1);

    auto* nameGroup = new QGroupBox("Name", panel);
    nameGroup->setObjectName("NameGrp");
    nameGroup->setFont(PixelFont("Arial", 12, true));
    auto* nameLayout = new QHBoxLayout(nameGroup);
    nameLayout->setContentsMargins(6, 4, 6, 4);
    symName_ = new QLineEdit(nameGroup);
    symName_->setObjectName("SymName");
    symName_->setMaxLength(int(TerrainPickerLogic::NameChars));
    symName_->setFont(PixelFont("Arial", 13));
    nameLayout->addWidget(symName_);
    grid->addWidget(nameGroup, 2, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    button1_ = new QPushButton("OK", panel);
    button1_->setObjectName("Button1");
    button2_ = new QPushButton("Cancel", panel);
    button2_->setObjectName("Button2");
    for (QPushButton* button : {button1_, button2_}) {
        button->setFont(PixelFont("Kelt", 17));
        button->setMinimumWidth(84);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    grid->addLayout(buttons, 3, 0, 1, 2);

    // The brush: one button per radius, captioned with the hexes it paints.
    brushGrp_ = new QGroupBox("Brush", panel);
    brushGrp_->setObjectName("BrushGrp");
    brushGrp_->setFont(PixelFont("Arial", 12, true));
    auto* brushLayout = new QHBoxLayout(brushGrp_);
    brushLayout->setContentsMargins(6, 4, 6, 4);
    brushButtons_ = new QButtonGroup(brushGrp_);
    // The chosen brush stands out in the gold of the captions.
    brushGrp_->setStyleSheet(
        QString("QToolButton:checked { background-color: %1; color: #15110C; }").arg(BackdropGold().name()));
    for (int32_t radius = 0; radius <= MaxBrushRadius; ++radius) {
        auto* button = new QToolButton(brushGrp_);
        button->setObjectName(QString("Brush%1").arg(radius));
        button->setText(QString::number(3 * radius * (radius + 1) + 1));
        button->setToolTip(radius == 0 ? QString("One hex")
                                       : QString("Every hex within %1 of the pointer").arg(radius));
        button->setCheckable(true);
        button->setFont(PixelFont("Arial", 12, true));
        button->setMinimumWidth(34);
        brushButtons_->addButton(button, radius);
        brushLayout->addWidget(button);
    }
    brushLayout->addStretch(1);
    grid->addWidget(brushGrp_, 4, 0, 1, 2);
    connect(brushButtons_, &QButtonGroup::idClicked, this,
            [this](int radius) { logic_.SetBrushRadius(radius); });

    connect(button1_, &QPushButton::clicked, this, &TSelectTer::OkClicked);
    connect(button2_, &QPushButton::clicked, this, [this] { done(logic_.Cancel()); });
    connect(terList_, &QListWidget::currentRowChanged, this, &TSelectTer::RowChosen);
    connect(terList_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const int row = terList_->row(item);
        if (logic_.Use() != PickerUseFill || !isModal()) return;
        if (row == logic_.SelectedRow() || logic_.ClickRow(row)) OkClicked();
    });
    connect(symName_, &QLineEdit::textEdited, this,
            [this](const QString& text) { logic_.SetName(ToAnsi(text)); });
}

void TSelectTer::FillList() {
    const QSignalBlocker block(terList_);
    terList_->clear();
    QFont headingFont = terList_->font();
    headingFont.setBold(true);
    for (const TerrainPickerRow& row : logic_.Rows()) {
        auto* item = new QListWidgetItem(Text(row.Text), terList_);
        if (!row.Heading) continue;
        // Headings are neither selectable nor reachable with the keys.
        item->setFlags(Qt::NoItemFlags);
        item->setFont(headingFont);
        item->setForeground(QColor(0xF0, 0xE6, 0xCC));
        item->setBackground(QColor(0x5C, 0x43, 0x26));
        item->setTextAlignment(Qt::AlignCenter);
    }
}

void TSelectTer::ShowSelection() {
    {
        const QSignalBlocker block(terList_);
        terList_->setCurrentRow(logic_.SelectedRow());
    }
    symName_->setText(Text(logic_.DefinitionName()));
    symNamPan_->setText(Text(logic_.SymbolName()));
    const QImage preview = logic_.Preview();
    if (preview.isNull()) {
        QPixmap black(PreviewSize, PreviewSize);
        black.fill(Qt::black);
        image1_->setPixmap(black);
    } else {
        image1_->setPixmap(QPixmap::fromImage(
            preview.scaled(PreviewSize, PreviewSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    }
    definitionControls_->setEnabled(logic_.HasSelection());
    symName_->setEnabled(logic_.HasSelection());
    ShowValues();
}

void TSelectTer::ShowValues() {
    elvLbl_->setText(Text(logic_.ElevationText()));
    cpmLbl_->setText(Text(logic_.CostText()));
    defLbl_->setText(Text(logic_.DefenseText()));
}

void TSelectTer::RowChosen(int row) {
    // No scrolling here: during a click the list keeps still until the button is up, or the
    // pointer would stand over the next row and the press would carry the choice on to it.
    // Qt's own scrolling already brings a row reached with the keys into view.
    if (logic_.ClickRow(row)) {
        ShowSelection();
        emit SelectionChanged(logic_.SelectedTerrain());
        return;
    }
    // A heading keeps the previous row selected.
    const QSignalBlocker block(terList_);
    terList_->setCurrentRow(logic_.SelectedRow());
}

void TSelectTer::Prepare(int8_t use) {
    logic_.Activate(use);
    setWindowTitle(Text(logic_.Caption()));
    const bool buttons = logic_.ButtonsVisible();
    for (QPushButton* button : {button1_, button2_}) {
        button->setVisible(buttons);
        button->setEnabled(buttons);
    }
    button1_->setDefault(buttons);
    FillList();
    ShowSelection();
    ScrollToSelection();
    ShowBrush();
}

void TSelectTer::ShowBrush() {
    brushGrp_->setVisible(logic_.BrushVisible());
    if (QAbstractButton* button = brushButtons_->button(logic_.BrushRadius())) button->setChecked(true);
}

void TSelectTer::ScrollToSelection() {
    if (QListWidgetItem* item = terList_->currentItem()) terList_->scrollToItem(item);
}

void TSelectTer::ShowModeless(int8_t use) {
    if (isVisible() && isModal()) return;
    const bool wasVisible = isVisible();
    setModal(false);
    Prepare(use == PickerUseSecondary ? PickerUseSecondary : PickerUsePrimary);
    if (!wasVisible) {
        adjustSize();
        PlaceBesideMap();
    }
    show();
    if (wasVisible) raise();
}

void TSelectTer::PrepareFill() {
    if (isVisible()) hide();
    setModal(true);
    Prepare(PickerUseFill);
    adjustSize();
    PlaceBesideMap();
    show();
    activateWindow();
    terList_->setFocus();
}

DialogResult TSelectTer::RunFill() {
    PrepareFill();
    const int result = exec();
    setModal(false);
    return result == PickerResultOk ? DialogResult::Ok : DialogResult::Cancel;
}

void TSelectTer::ClosePicker() {
    if (!isVisible()) return;
    if (isModal())
        done(logic_.Cancel());
    else
        hide();
}

void TSelectTer::Refresh() {
    logic_.Refresh();
    FillList();
    ShowSelection();
    ScrollToSelection();
}

void TSelectTer::reject() {
    done(logic_.Cancel());
}

void TSelectTer::OkClicked() {
    done(logic_.Ok(FindFile(installDir_ / "sysdefs", "K2Ter.Def"), symbols_.TerrainCount()));
}

void TSelectTer::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (isVisible()) place_ = pos();
}

void TSelectTer::hideEvent(QHideEvent* event) {
    place_ = pos();
    QDialog::hideEvent(event);
}

QRect TSelectTer::ScreenArea() const {
    const QWidget* anchor = parentWidget() ? parentWidget()->window() : nullptr;
    QScreen* screen = anchor ? anchor->screen() : this->screen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void TSelectTer::PlaceBesideMap() {
    const QRect area = ScreenArea();
    QPoint target;
    if (place_) {
        target = *place_;
    } else {
        const QWidget* window = parentWidget() ? parentWidget()->window() : nullptr;
        const QWidget* map = window ? window->findChild<QWidget*>("MapWin") : nullptr;
        if (map && map->isVisible()) {
            // The map's area ends with its vertical scroll bar.
            QRect mapArea(map->mapToGlobal(QPoint(0, 0)), map->size());
            const QWidget* bar = window->findChild<QWidget*>("ScrollVert");
            if (bar && bar->isVisible()) mapArea |= QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size());
            target = QPoint(mapArea.right() + 1 + MapGap, mapArea.top());
        } else if (window) {
            const QRect frame = window->frameGeometry();
            target = QPoint(frame.right() + 1 + MapGap, frame.top());
        } else {
            target = area.center() - QPoint(width() / 2, height() / 2);
        }
    }
    // Whatever was remembered or computed, the whole window stays on the screen.
    const QSize size = frameGeometry().size();
    target.setX(std::clamp(target.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
    target.setY(std::clamp(target.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
    move(target);
}

} // namespace k2
