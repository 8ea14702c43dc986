#include "edit/dialogs/marker_dialog.h"

#include "graphics/ansi_text.h"
#include "graphics/backdrop.h"
#include "widgets/dialog_look.h"
#include "widgets/picture_panel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace k2 {

namespace {

constexpr int PreviewSide = 112;
constexpr int PreviewZoom = 2; // the largest symbols

struct KindButton {
    int32_t kind;
    const char* name;
    const char* caption;
};
constexpr std::array<KindButton, 3> KindButtons = {{
    {MarkerWesternReinforcement, "WestReinf", "Western Reinforcement"},
    {MarkerEasternReinforcement, "EastReinf", "Eastern Reinforcement"},
    {MarkerObjective, "ObjSym", "Objective"},
}};

} // namespace

TSelectHxMrk::TSelectHxMrk(Scenario& scenario, const SymbolSet& symbols, EditHistory& history,
                           QWidget* parent)
    : QDialog(parent), symbols_(symbols), logic_(scenario, symbols, history) {
    setObjectName("TSelectHxMrk");
    setWindowTitle("Special Hex Markers");
    setModal(true);
    Build();
}

void TSelectHxMrk::Build() {
    TMy_Panel* backdrop = LayOnBackdrop(this);
    // "Panel1" names the group of kind buttons in this dialog.
    backdrop->setObjectName("Backdrop");

    auto* grid = new QGridLayout(backdrop);
    grid->setContentsMargins(16, 10, 16, 14);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(10);

    grid->addWidget(MakeHeading("Special Hex Markers", backdrop), 0, 0, 1, 2);

    terList_ = new QListWidget(backdrop);
    terList_->setObjectName("TerList");
    terList_->setFont(PixelFont("Arial", 13));
    terList_->setMinimumSize(210, 300);
    terList_->setSelectionMode(QAbstractItemView::SingleSelection);
    // The current row, however it moved (a click or the keys), is the choice.
    connect(terList_, &QListWidget::currentRowChanged, this, [this](int row) {
        logic_.ClickRow(row);
        Refresh();
    });
    grid->addWidget(terList_, 1, 0, 2, 1);

    auto* symPan = new QGroupBox("Symbol", backdrop);
    symPan->setObjectName("SymPan");
    symPan->setFont(PixelFont("Arial", 13, true));
    auto* symLayout = new QVBoxLayout(symPan);
    symLayout->setSpacing(6);
    image1_ = new QLabel(symPan);
    image1_->setObjectName("Image1");
    image1_->setFixedSize(PreviewSide + 4, PreviewSide + 4);
    image1_->setAlignment(Qt::AlignCenter);
    image1_->setStyleSheet("border: 2px solid #9C7A3C; background-color: black;");
    symLayout->addWidget(image1_, 0, Qt::AlignHCenter);
    symNamPan_ = new QLabel(symPan);
    symNamPan_->setObjectName("SymNamPan");
    symNamPan_->setFont(PixelFont("Arial", 14, true));
    symNamPan_->setAlignment(Qt::AlignCenter);
    symNamPan_->setMinimumWidth(190);
    symNamPan_->setStyleSheet("color: #F0E6CC; background-color: rgba(0, 0, 0, 90);"
                              " border: 1px solid #7A5C2E; padding: 3px;");
    symLayout->addWidget(symNamPan_);
    grid->addWidget(symPan, 1, 1);

    auto* panel1 = new QGroupBox("Marker", backdrop);
    panel1->setObjectName("Panel1");
    panel1->setFont(PixelFont("Arial", 13, true));
    auto* kindLayout = new QVBoxLayout(panel1);
    kinds_ = new QButtonGroup(this);
    for (const KindButton& k : KindButtons) {
        auto* radio = new QRadioButton(k.caption, panel1);
        radio->setObjectName(k.name);
        radio->setFont(PixelFont("Arial", 13));
        kinds_->addButton(radio, k.kind);
        kindLayout->addWidget(radio);
    }
    connect(kinds_, &QButtonGroup::idClicked, this, [this](int kind) {
        logic_.SelectKind(kind);
        Refresh();
    });
    grid->addWidget(panel1, 2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton("Exit", backdrop);
    ok->setObjectName("OkBtn");
    ok->setFont(PixelFont("Kelt", 17));
    ok->setMinimumWidth(96);
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TSelectHxMrk::ExitClicked);
    buttons->addWidget(ok);
    grid->addLayout(buttons, 3, 0, 1, 2);
}

void TSelectHxMrk::Refresh() {
    {
        const QSignalBlocker block(terList_);
        if (terList_->count() != int(logic_.Rows().size())) {
            terList_->clear();
            for (const MarkerRow& row : logic_.Rows())
                terList_->addItem(FromAnsi(row.Name));
        }
        terList_->setCurrentRow(logic_.SelectedRow());
        if (QListWidgetItem* item = terList_->currentItem()) terList_->scrollToItem(item);
    }
    if (QAbstractButton* button = kinds_->button(logic_.CurrentKind())) button->setChecked(true);

    // One cell of the largest symbols, on black, stretched over the preview.
    QImage preview(PreviewSide, PreviewSide, QImage::Format_RGB32);
    preview.fill(Qt::black);
    const int32_t symbol = logic_.PreviewSymbol();
    if (symbols_.IsTerrainSymbol(symbol)) {
        const SymbolCell& cell = symbols_.Terrain(symbol).Cells[PreviewZoom];
        const QImage& bitmap = symbols_.TerrainBitmap(PreviewZoom);
        const QRect source =
            QRect(cell.Left, cell.Top, cell.Width(), cell.Height()).intersected(bitmap.rect());
        if (!source.isEmpty()) {
            QPainter painter(&preview);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
            painter.drawImage(preview.rect(), bitmap, source);
        }
    }
    image1_->setPixmap(QPixmap::fromImage(preview));
    symNamPan_->setText(FromAnsi(logic_.PreviewName()));
}

void TSelectHxMrk::Prepare() {
    logic_.Open();
    terList_->clear();
    Refresh();
    FitAndCentre(this);
    terList_->setFocus();
}

DialogResult TSelectHxMrk::Run() {
    Prepare();
    exec();
    // Closing by any means is Exit: list clicks have already taken effect.
    if (logic_.IsOpen()) logic_.Exit();
    return DialogResult::Ok;
}

void TSelectHxMrk::ExitClicked() {
    done(logic_.Exit());
}

void TSelectHxMrk::reject() {
    done(logic_.Exit());
}

} // namespace k2
