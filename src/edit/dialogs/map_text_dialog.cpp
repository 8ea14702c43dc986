#include "edit/dialogs/map_text_dialog.h"

#include "graphics/ansi_text.h"
#include "graphics/backdrop.h"
#include "graphics/map_text_place.h"
#include "widgets/dialog_look.h"
#include "widgets/picture_panel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace k2 {

namespace {

// Map text point sizes are meant for a 96 dpi screen, as in the map buffer.
constexpr int DotsPerMeter96Dpi = 3780;
constexpr QSize SampleSize(380, 150);
// Where the sample's ground colour comes from when the set has no tile for the hex.
const QColor PlainGround(0x8F, 0x9E, 0x5E);

QColor InkOf(uint32_t colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

// The average colour of a tile's drawn (non-black) pixels.
QColor GroundOf(const QImage& tile) {
    int64_t r = 0, g = 0, b = 0, n = 0;
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x) {
            const QRgb p = tile.pixel(x, y);
            if ((p & 0xFFFFFF) == 0) continue;
            r += qRed(p), g += qGreen(p), b += qBlue(p), ++n;
        }
    if (n == 0) return PlainGround;
    return QColor(int(r / n), int(g / n), int(b / n));
}

// The square a terrain symbol is drawn from at a zoom level, or a null image.
QImage TerrainTile(const SymbolSet& symbols, int32_t terrain, int32_t zoom) {
    if (!symbols.IsTerrainSymbol(terrain)) return {};
    const int32_t s = symbols.CellSize(zoom);
    const SymbolCell& cell = symbols.Terrain(terrain).Cells[static_cast<std::size_t>(zoom)];
    const QImage& bitmap = symbols.TerrainBitmap(zoom);
    const QRect source(cell.Left, cell.Top, s, s);
    if (s <= 0 || !bitmap.rect().contains(source)) return {};
    return bitmap.copy(source).convertToFormat(QImage::Format_ARGB32);
}

QIcon Swatch(uint32_t colour) {
    QPixmap swatch(14, 14);
    swatch.fill(InkOf(colour));
    QPainter(&swatch).drawRect(0, 0, 13, 13);
    return QIcon(swatch);
}

// The hex outline drawn between the position buttons.
QPixmap HexGlyph() {
    QPixmap glyph(34, 30);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.moveTo(9, 2);
    path.lineTo(25, 2);
    path.lineTo(32, 15);
    path.lineTo(25, 28);
    path.lineTo(9, 28);
    path.lineTo(2, 15);
    path.closeSubpath();
    painter.setPen(QPen(BackdropGold(), 2));
    painter.setBrush(QColor(0x6E, 0x7E, 0x44));
    painter.drawPath(path);
    return glyph;
}

QString Text(const std::string& bytes) {
    return FromAnsi(bytes);
}

} // namespace

QImage MapTextSample(const PlaceName& entry, int32_t zoom, const SymbolSet& symbols, int32_t terrain,
                     int32_t overlay, QSize size) {
    zoom = std::clamp(zoom, 0, 2);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(DotsPerMeter96Dpi);
    image.setDotsPerMeterY(DotsPerMeter96Dpi);
    const QImage tile = TerrainTile(symbols, terrain, zoom);
    image.fill(tile.isNull() ? PlainGround : GroundOf(tile));

    const int32_t s = tile.isNull() ? 32 : tile.width();
    const int32_t x = (size.width() - s) / 2;
    const int32_t y = (size.height() - s) / 2;
    QPainter painter(&image);
    for (const QImage& layer : {tile, TerrainTile(symbols, overlay, zoom)}) {
        if (layer.isNull()) continue;
        // Black is transparent in the symbol bitmaps.
        QImage shown = layer;
        for (int row = 0; row < shown.height(); ++row) {
            auto* line = reinterpret_cast<QRgb*>(shown.scanLine(row));
            for (int col = 0; col < shown.width(); ++col)
                if ((line[col] & 0xFFFFFF) == 0) line[col] = 0;
        }
        painter.drawImage(x, y, shown);
    }

    if (!MapTextShows(entry, zoom)) return image;

    const QFont font = MapTextFont(entry, zoom);
    const QFontMetrics metrics(font, &image);
    const QString text = FromAnsi(entry.Text.View());
    const QPoint topLeft = MapTextTopLeft(entry.Placement[static_cast<std::size_t>(zoom)], QPoint(x, y), s,
                                          QSize(metrics.horizontalAdvance(text), metrics.height()));
    painter.setFont(font);
    painter.setPen(InkOf(entry.Colour));
    painter.drawText(topLeft + QPoint(0, metrics.ascent()), text);
    return image;
}

TAddLocation::TAddLocation(Scenario& scenario, EditState& edit, EditHistory& history,
                           const SymbolSet& symbols, SoundPlayer& sounds, MessageBoxes& boxes,
                           QWidget* parent)
    : QDialog(parent), scenario_(scenario), edit_(edit), symbols_(symbols),
      logic_(scenario, history, sounds, boxes) {
    // The sample must show the stored faces as the map does.
    InstallFontSubstitutions();
    setObjectName("TAddLocation");
    setWindowTitle("Map Text");
    setModal(true);
    Build();
}

QWidget* TAddLocation::BuildLevelPanel(int32_t level) {
    auto* panel = new TMy_Panel;
    panel->setObjectName(QString("FSzePan%1").arg(level));
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(0);
    panel->installEventFilter(this);
    panel->setCursor(Qt::PointingHandCursor);
    auto* layout = new QGridLayout(panel);
    layout->setContentsMargins(10, 6, 8, 6);
    layout->setHorizontalSpacing(10);
    layout->setVerticalSpacing(2);

    auto* caption = new QLabel(QString("Level %1").arg(level), panel);
    caption->setFont(PixelFont("Arial", 13, true));
    caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* value = new QLabel(panel);
    value->setObjectName(QString("TSze%1").arg(level));
    value->setFont(PixelFont("Arial", 15));
    value->setMinimumWidth(30);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* points = new QLabel("pt", panel);
    points->setAttribute(Qt::WA_TransparentForMouseEvents);
    sizeLabels_[static_cast<std::size_t>(level - 1)] = value;

    auto* arrows = new QWidget(panel);
    arrows->setObjectName(QString("UpDown%1").arg(level));
    auto* arrowLayout = new QVBoxLayout(arrows);
    arrowLayout->setContentsMargins(0, 0, 0, 0);
    arrowLayout->setSpacing(1);
    const auto arrow = [&](const char* part, Qt::ArrowType type, void (MapTextLogic::*step)(int32_t)) {
        auto* button = new QToolButton(arrows);
        button->setObjectName(part);
        button->setArrowType(type);
        button->setFixedSize(22, 14);
        button->setAutoRepeat(true);
        connect(button, &QToolButton::clicked, this, [this, step, level] {
            (logic_.*step)(level);
            RefreshLevels();
            RefreshSample();
        });
        arrowLayout->addWidget(button);
    };
    arrow("Up", Qt::UpArrow, &MapTextLogic::SizeUp);
    arrow("Down", Qt::DownArrow, &MapTextLogic::SizeDown);

    layout->addWidget(caption, 0, 0, 1, 2);
    layout->addWidget(value, 1, 0);
    layout->addWidget(points, 1, 1);
    layout->addWidget(arrows, 0, 2, 2, 1, Qt::AlignVCenter);
    levelPanels_[static_cast<std::size_t>(level - 1)] = panel;
    return panel;
}

void TAddLocation::Build() {
    TMy_Panel* panel = LayOnBackdrop(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(16, 10, 16, 14);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);

    grid->addWidget(MakeHeading("Map Text", panel), 0, 0, 1, 2);

    const auto group = [panel](const char* name, const QString& title) {
        return MakeGroup(name, title, panel);
    };
    const auto plain = [](QWidget* widget) {
        widget->setFont(PixelFont("Arial", 13));
        return widget;
    };

    // The text and its sample.
    textGroup_ = group("TextGrp", "Text");
    auto* textLayout = new QVBoxLayout(textGroup_);
    locText_ = new QLineEdit(textGroup_);
    locText_->setObjectName("LocText");
    plain(locText_);
    textLayout->addWidget(locText_);
    txtSample_ = new QLabel(textGroup_);
    txtSample_->setObjectName("TxtSample");
    txtSample_->setFixedSize(SampleSize + QSize(4, 4));
    txtSample_->setAlignment(Qt::AlignCenter);
    txtSample_->setStyleSheet("border: 2px solid #7A5C2E;");
    textLayout->addWidget(txtSample_, 0, Qt::AlignHCenter);
    grid->addWidget(textGroup_, 1, 0, 1, 2);
    connect(locText_, &QLineEdit::textEdited, this, [this](const QString& text) {
        logic_.SetText(ToAnsi(text));
        remveBtn_->setEnabled(logic_.RemoveEnabled());
        RefreshSample();
    });

    // Font and colour; style.
    fontGroup_ = group("FntGrp", "Font");
    auto* fontLayout = new QGridLayout(fontGroup_);
    fntBox_ = new QComboBox(fontGroup_);
    fntBox_->setObjectName("FntBox");
    plain(fntBox_);
    for (std::string_view name : MapTextFonts) {
        fntBox_->addItem(Text(std::string(name)));
        QFont face(Text(std::string(name)));
        face.setPixelSize(15);
        fntBox_->setItemData(fntBox_->count() - 1, face, Qt::FontRole);
    }
    clrBox_ = new QComboBox(fontGroup_);
    clrBox_->setObjectName("ClrBox");
    plain(clrBox_);
    clrBox_->setMaxVisibleItems(16);
    for (const MapTextColour& colour : MapTextColours)
        clrBox_->addItem(Swatch(colour.Value), Text(std::string(colour.Name)));
    auto* faceLabel = new QLabel("Face:", fontGroup_);
    auto* colourLabel = new QLabel("Colour:", fontGroup_);
    plain(faceLabel);
    plain(colourLabel);
    fontLayout->addWidget(faceLabel, 0, 0);
    fontLayout->addWidget(fntBox_, 0, 1);
    fontLayout->addWidget(colourLabel, 1, 0);
    fontLayout->addWidget(clrBox_, 1, 1);
    fontLayout->setColumnStretch(1, 1);
    connect(fntBox_, &QComboBox::activated, this, [this](int index) {
        logic_.SelectFont(index);
        RefreshSample();
    });
    connect(clrBox_, &QComboBox::activated, this, [this](int index) {
        logic_.SelectColour(index);
        RefreshSample();
    });

    styleGroup_ = group("StyleGrp", "Style");
    auto* styleLayout = new QVBoxLayout(styleGroup_);
    txtBld_ = new QCheckBox("Bold", styleGroup_);
    txtBld_->setObjectName("TxtBld");
    txtItl_ = new QCheckBox("Italic", styleGroup_);
    txtItl_->setObjectName("TxtItl");
    txtUnd_ = new QCheckBox("Underline", styleGroup_);
    txtUnd_->setObjectName("TxtUnd");
    for (QCheckBox* box : {txtBld_, txtItl_, txtUnd_}) {
        plain(box);
        styleLayout->addWidget(box);
    }
    connect(txtBld_, &QCheckBox::clicked, this, [this](bool on) {
        logic_.SetBold(on);
        RefreshSample();
    });
    connect(txtItl_, &QCheckBox::clicked, this, [this](bool on) {
        logic_.SetItalic(on);
        RefreshSample();
    });
    connect(txtUnd_, &QCheckBox::clicked, this, [this](bool on) {
        logic_.SetUnderline(on);
        RefreshSample();
    });

    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(fontGroup_, 1);
    fontRow->addWidget(styleGroup_);
    grid->addLayout(fontRow, 2, 0, 1, 2);

    // Sizes per level; the selected level's orientation.
    sizeGroup_ = group("SizeGrp", "Size");
    auto* sizeLayout = new QVBoxLayout(sizeGroup_);
    sizeLayout->setSpacing(6);
    for (int32_t level = 1; level <= MapTextLevels; ++level)
        sizeLayout->addWidget(BuildLevelPanel(level));
    grid->addWidget(sizeGroup_, 3, 0);

    oriBox_ = group("OriBox", "Level 1 Orientation");
    auto* oriLayout = new QGridLayout(oriBox_);
    oriLayout->setHorizontalSpacing(10);
    oriLayout->setVerticalSpacing(10);
    positions_ = new QButtonGroup(this);
    // Each button sits where its text goes around the hex.
    const std::array<std::pair<int, int>, 8> cells = {
        {{2, 1}, {0, 1}, {2, 2}, {0, 2}, {0, 0}, {2, 0}, {1, 0}, {1, 2}}};
    for (std::size_t i = 0; i < MapTextPositions.size(); ++i) {
        const MapTextPosition& position = MapTextPositions[i];
        auto* radio = new QRadioButton(Text(std::string(position.Caption)), oriBox_);
        radio->setObjectName(Text(std::string(position.Button)));
        plain(radio);
        positions_->addButton(radio, position.Value);
        oriLayout->addWidget(radio, cells[i].first, cells[i].second);
    }
    auto* hex = new QLabel(oriBox_);
    hex->setPixmap(HexGlyph());
    hex->setAlignment(Qt::AlignCenter);
    oriLayout->addWidget(hex, 1, 1);
    connect(positions_, &QButtonGroup::idClicked, this, [this](int value) {
        logic_.SetPosition(value);
        RefreshSample();
    });
    grid->addWidget(oriBox_, 3, 1);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    newBtn_ = new QPushButton("Add", panel);
    newBtn_->setObjectName("NewBtn");
    remveBtn_ = new QPushButton("Remove", panel);
    remveBtn_->setObjectName("RemveBtn");
    auto* exitBtn = new QPushButton("Exit", panel);
    exitBtn->setObjectName("ExitBtn");
    buttons->addWidget(newBtn_);
    buttons->addWidget(remveBtn_);
    buttons->addStretch(1);
    buttons->addWidget(exitBtn);
    for (QPushButton* button : {newBtn_, remveBtn_, exitBtn}) {
        button->setFont(PixelFont("Kelt", 17));
        button->setMinimumWidth(96);
        button->setAutoDefault(false);
    }
    grid->addLayout(buttons, 4, 0, 1, 2);
    connect(newBtn_, &QPushButton::clicked, this, [this] {
        if (logic_.Add()) Refresh();
    });
    connect(remveBtn_, &QPushButton::clicked, this, [this] {
        if (const int32_t result = logic_.Remove()) done(result);
    });
    connect(exitBtn, &QPushButton::clicked, this, [this] { done(logic_.Exit()); });
}

bool TAddLocation::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        for (int32_t level = 1; level <= MapTextLevels; ++level) {
            if (watched != levelPanels_[static_cast<std::size_t>(level - 1)]) continue;
            if (!sizeGroup_->isEnabled()) return false;
            logic_.SelectLevel(level);
            RefreshLevels();
            RefreshSample();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAddLocation::RefreshLevels() {
    for (int32_t level = 1; level <= MapTextLevels; ++level) {
        TMy_Panel* panel = levelPanels_[static_cast<std::size_t>(level - 1)];
        const bool selected = level == logic_.Level();
        panel->SetBevelOuter(selected ? TBevelCut::bvLowered : TBevelCut::bvRaised);
        panel->SetColor(selected ? QColor(0x2A, 0x1B, 0x0B) : QColor(0x5C, 0x43, 0x26));
        panel->setStyleSheet(selected ? QString("QLabel:enabled { color: %1; }").arg(BackdropGold().name())
                                      : QString());
        sizeLabels_[static_cast<std::size_t>(level - 1)]->setText(Text(logic_.SizeText(level)));
    }
    oriBox_->setTitle(Text(logic_.OrientationCaption()));
    // A stored position outside 1..8 checks no button.
    positions_->setExclusive(false);
    for (QAbstractButton* button : positions_->buttons())
        button->setChecked(positions_->id(button) == logic_.Position(logic_.Level()));
    positions_->setExclusive(true);
}

void TAddLocation::RefreshSample() {
    if (!logic_.Editing()) {
        txtSample_->setPixmap(QPixmap());
        txtSample_->setStyleSheet("border: 2px solid #7A5C2E; background-color: rgba(0, 0, 0, 90);");
        return;
    }
    txtSample_->setStyleSheet("border: 2px solid #7A5C2E;");
    const int32_t hex = logic_.Hex();
    const int32_t terrain =
        scenario_.IsValidHex(hex) ? scenario_.Hexes[static_cast<std::size_t>(hex)].PrimaryTerrain : -1;
    txtSample_->setPixmap(
        QPixmap::fromImage(MapTextSample(logic_.Pending(), logic_.Level() - 1, symbols_, terrain,
                                         scenario_.MarkerSymbols[MarkerMapOverlay], SampleSize)));
}

void TAddLocation::Refresh() {
    const bool editing = logic_.GroupsEnabled();
    for (QGroupBox* box : {textGroup_, fontGroup_, styleGroup_, sizeGroup_, oriBox_})
        box->setEnabled(editing);
    newBtn_->setEnabled(logic_.AddEnabled());
    remveBtn_->setEnabled(logic_.RemoveEnabled());
    {
        const QSignalBlocker blockText(locText_);
        locText_->setMaxLength(int(logic_.InputLimit()));
        locText_->setText(Text(logic_.Text()));
    }
    {
        const QSignalBlocker blockFont(fntBox_), blockColour(clrBox_);
        fntBox_->setCurrentIndex(logic_.FontIndex());
        clrBox_->setCurrentIndex(logic_.ColourIndex());
    }
    txtBld_->setChecked(logic_.Bold());
    txtItl_->setChecked(logic_.Italic());
    txtUnd_->setChecked(logic_.Underline());
    RefreshLevels();
    RefreshSample();
}

void TAddLocation::Prepare(int32_t hex) {
    logic_.Activate(hex);
    Refresh();
    FitAndCentre(this);
    if (logic_.Editing())
        locText_->setFocus();
    else
        newBtn_->setFocus();
}

DialogResult TAddLocation::Run() {
    Prepare(edit_.CurrentHex);
    return exec() == MapTextResultOk ? DialogResult::Ok : DialogResult::Cancel;
}

void TAddLocation::reject() {
    done(logic_.Cancel());
}

} // namespace k2
