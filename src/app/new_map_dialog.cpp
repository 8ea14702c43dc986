#include "app/new_map_dialog.h"

#include "graphics/ansi_text.h"
#include "graphics/backdrop.h"
#include "widgets/dialog_look.h"
#include "widgets/picture_panel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace k2 {

namespace {

constexpr int IconArea = 120;
constexpr int IconPreview = 60;

QString Text(const std::string& bytes) {
    return FromAnsi(bytes);
}

} // namespace

QFont HistoryFont() {
    return PixelFont("Arial", 13);
}

QStringList WrapMemoLines(const QString& text, const QFont& font, int width) {
    QString normalised = text;
    normalised.replace(QChar::ParagraphSeparator, '\n').replace(QChar::LineSeparator, '\n').remove('\r');
    QStringList lines;
    for (const QString& paragraph : normalised.split('\n')) {
        if (paragraph.isEmpty()) {
            lines << QString();
            continue;
        }
        QTextLayout layout(paragraph, font);
        QTextOption option(Qt::AlignHCenter);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            QString shown = paragraph.mid(line.textStart(), line.textLength());
            while (!shown.isEmpty() && shown.back().isSpace())
                shown.chop(1);
            lines << shown;
        }
        layout.endLayout();
    }
    return lines;
}

TNewMap::TNewMap(Scenario& scenario, const std::filesystem::path& installDir, MessageBoxes& boxes,
                 FileChooser& chooser, QWidget* parent)
    : QDialog(parent), logic_(scenario, installDir, boxes, chooser) {
    setObjectName("TNewMap");
    setModal(true);
    Build();
}

QWidget* TNewMap::MakeUpDown(const char* name, void (NewMapLogic::*up)(), void (NewMapLogic::*down)()) {
    auto* box = new QWidget;
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    const auto arrow = [&](const char* part, Qt::ArrowType type, void (NewMapLogic::*action)()) {
        auto* button = new QToolButton(box);
        button->setObjectName(part);
        button->setArrowType(type);
        button->setFixedSize(22, 14);
        button->setAutoRepeat(true);
        connect(button, &QToolButton::clicked, this, [this, action] {
            (logic_.*action)();
            RefreshCounts();
        });
        layout->addWidget(button);
    };
    arrow("Up", Qt::UpArrow, up);
    arrow("Down", Qt::DownArrow, down);
    return box;
}

void TNewMap::Build() {
    TMy_Panel* panel = LayOnBackdrop(this);

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(16, 10, 16, 14);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(8);

    grid->addWidget(MakeHeading("Create Battle", panel, 34), 0, 0, 1, 2);

    const auto group = [panel](const char* name, const QString& title) {
        return MakeGroup(name, title, panel);
    };
    const auto plainFont = [](QWidget* widget) {
        widget->setFont(PixelFont("Arial", 13));
        return widget;
    };
    const auto label = [&](const char* name, QWidget* parent) {
        auto* l = new QLabel(parent);
        l->setObjectName(name);
        plainFont(l);
        return l;
    };

    // Left column: names, forces, description and the battle's conditions.
    auto* left = new QVBoxLayout;
    left->setSpacing(8);

    auto* nameGroup = group("NameGrp", "Battle Name");
    auto* nameLayout = new QHBoxLayout(nameGroup);
    sNam_ = new QLineEdit(nameGroup);
    sNam_->setObjectName("SNam");
    sNam_->setMaxLength(int(NameFieldChars));
    plainFont(sNam_);
    nameLayout->addWidget(sNam_);
    left->addWidget(nameGroup);

    auto* forcesGroup = group("ForcesGrp", "Forces");
    auto* forcesLayout = new QGridLayout(forcesGroup);
    sideA_ = new QLineEdit(forcesGroup);
    sideA_->setObjectName("SideA");
    sideB_ = new QLineEdit(forcesGroup);
    sideB_->setObjectName("SideB");
    for (QLineEdit* edit : {sideA_, sideB_}) {
        edit->setMaxLength(int(NameFieldChars));
        plainFont(edit);
    }
    auto* westLabel = new QLabel("Western:", forcesGroup);
    auto* eastLabel = new QLabel("Eastern:", forcesGroup);
    plainFont(westLabel);
    plainFont(eastLabel);
    forcesLayout->addWidget(westLabel, 0, 0);
    forcesLayout->addWidget(sideA_, 0, 1);
    forcesLayout->addWidget(eastLabel, 0, 2);
    forcesLayout->addWidget(sideB_, 0, 3);
    left->addWidget(forcesGroup);

    auto* historyGroup = group("HistoryGrp", "Battle Description");
    auto* historyLayout = new QVBoxLayout(historyGroup);
    history_ = new QTextEdit(historyGroup);
    history_->setObjectName("History");
    history_->setAcceptRichText(false);
    history_->setFont(HistoryFont());
    history_->document()->setDefaultFont(HistoryFont());
    history_->document()->setDocumentMargin(0);
    QTextOption memoOption(Qt::AlignHCenter);
    memoOption.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    history_->document()->setDefaultTextOption(memoOption);
    history_->setLineWrapMode(QTextEdit::FixedPixelWidth);
    history_->setLineWrapColumnOrWidth(HistoryWrapWidth);
    history_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    history_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    history_->setFixedWidth(HistoryWrapWidth + 2 * history_->frameWidth() +
                            history_->verticalScrollBar()->sizeHint().width() + 2);
    history_->setMinimumHeight(140);
    history_->setPlainText("History");
    historyLayout->addWidget(history_, 0, Qt::AlignHCenter);
    left->addWidget(historyGroup, 1);

    auto* conditions = new QHBoxLayout;
    conditions->setSpacing(8);
    wthrGrp_ = group("WthrGrp", "Weather");
    auto* weatherLayout = new QGridLayout(wthrGrp_);
    weatherButtons_ = new QButtonGroup(this);
    for (int i = 0; i < int(WeatherEntries.size()); ++i) {
        auto* radio = new QRadioButton(Text(std::string(WeatherEntries[size_t(i)])), wthrGrp_);
        radio->setObjectName(QString("Weather%1").arg(i));
        plainFont(radio);
        weatherButtons_->addButton(radio, i);
        weatherLayout->addWidget(radio, i % 3, i / 3);
    }
    connect(weatherButtons_, &QButtonGroup::idClicked, this, [this](int id) { logic_.SelectWeather(id); });
    conditions->addWidget(wthrGrp_);

    auto* initiativeGroup = group("IniGrp", "Start Initiative");
    auto* initiativeLayout = new QVBoxLayout(initiativeGroup);
    wstIni_ = new QRadioButton("Western Forces", initiativeGroup);
    wstIni_->setObjectName("WstIni");
    estIni_ = new QRadioButton("Eastern Forces", initiativeGroup);
    estIni_->setObjectName("EstIni");
    for (QRadioButton* radio : {wstIni_, estIni_}) {
        plainFont(radio);
        initiativeLayout->addWidget(radio);
    }
    connect(wstIni_, &QRadioButton::toggled, this, [this](bool on) { logic_.SetWesternInitiative(on); });
    conditions->addWidget(initiativeGroup);

    auto* replacementGroup = group("RplGrp", "Leader Replacement");
    auto* replacementLayout = new QVBoxLayout(replacementGroup);
    wstRplBtn_ = new QCheckBox("Western Forces", replacementGroup);
    wstRplBtn_->setObjectName("WstRplBtn");
    estRplBtn_ = new QCheckBox("Eastern Forces", replacementGroup);
    estRplBtn_->setObjectName("EstRplBtn");
    for (QCheckBox* box : {wstRplBtn_, estRplBtn_}) {
        plainFont(box);
        replacementLayout->addWidget(box);
    }
    connect(wstRplBtn_, &QCheckBox::toggled, this, [this](bool on) { logic_.SetWesternReplacement(on); });
    connect(estRplBtn_, &QCheckBox::toggled, this, [this](bool on) { logic_.SetEasternReplacement(on); });
    conditions->addWidget(replacementGroup);
    left->addLayout(conditions);

    // Right column: the map and its symbols, the icon, turn limit and break points.
    auto* right = new QVBoxLayout;
    right->setSpacing(8);
    const auto counterRow = [&](QGridLayout* layout, int row, QLabel* value, QWidget* arrows) {
        layout->addWidget(value, row, 0);
        layout->addWidget(arrows, row, 1, Qt::AlignRight);
    };

    mapSizeGroup_ = group("MapSizeGrp", "Map Size");
    auto* sizeLayout = new QGridLayout(mapSizeGroup_);
    mpRw_ = label("MpRw", mapSizeGroup_);
    mpCl_ = label("MpCl", mapSizeGroup_);
    totHex_ = label("TotHex", mapSizeGroup_);
    counterRow(sizeLayout, 0, mpRw_, MakeUpDown("RowUpDn", &NewMapLogic::RowsUp, &NewMapLogic::RowsDown));
    counterRow(sizeLayout, 1, mpCl_, MakeUpDown("ColUpDn", &NewMapLogic::ColsUp, &NewMapLogic::ColsDown));
    sizeLayout->addWidget(totHex_, 2, 0, 1, 2);
    right->addWidget(mapSizeGroup_);

    unitSetGroup_ = group("USetGrp", "Unit Symbol Set");
    auto* setLayout = new QHBoxLayout(unitSetGroup_);
    uSetLbl_ = label("USetLbl", unitSetGroup_);
    auto* button3 = new QPushButton("Select Unit Set", unitSetGroup_);
    button3->setObjectName("Button3");
    plainFont(button3);
    button3->setAutoDefault(false);
    setLayout->addWidget(uSetLbl_, 1);
    setLayout->addWidget(button3);
    connect(button3, &QPushButton::clicked, this, [this] {
        if (logic_.SelectUnitSet()) uSetLbl_->setText(Text(logic_.UnitSetName()));
    });
    right->addWidget(unitSetGroup_);

    auto* iconGroup = group("IconGrp", "Battle Icon");
    auto* iconLayout = new QGridLayout(iconGroup);
    image1_ = new QLabel(iconGroup);
    image1_->setObjectName("Image1");
    image1_->setFixedSize(IconPreview + 4, IconPreview + 4);
    image1_->setAlignment(Qt::AlignCenter);
    image1_->setStyleSheet("border: 1px solid #9C7A3C; background-color: #1A120A;");
    iconLbl_ = label("IconLbl", iconGroup);
    auto* button2 = new QPushButton("Select Icon", iconGroup);
    button2->setObjectName("Button2");
    plainFont(button2);
    button2->setAutoDefault(false);
    iconLayout->addWidget(image1_, 0, 0, 2, 1);
    iconLayout->addWidget(iconLbl_, 0, 1);
    iconLayout->addWidget(button2, 1, 1);
    iconLayout->setColumnStretch(1, 1);
    connect(button2, &QPushButton::clicked, this, [this] {
        if (logic_.SelectIcon()) RefreshIcon();
    });
    right->addWidget(iconGroup);

    auto* turnsGroup = group("TurnsGrp", "Game Length");
    auto* turnsLayout = new QGridLayout(turnsGroup);
    gameTurns_ = label("GameTurns", turnsGroup);
    counterRow(turnsLayout, 0, gameTurns_,
               MakeUpDown("TrnUpDn", &NewMapLogic::TurnsUp, &NewMapLogic::TurnsDown));
    right->addWidget(turnsGroup);

    auto* breakGroup = group("BreakGrp", "Army Break Points");
    auto* breakLayout = new QGridLayout(breakGroup);
    wbpLbl_ = label("WBPLbl", breakGroup);
    ebpLbl_ = label("EBPLbl", breakGroup);
    counterRow(breakLayout, 0, wbpLbl_,
               MakeUpDown("WBPUD", &NewMapLogic::WesternBreakUp, &NewMapLogic::WesternBreakDown));
    counterRow(breakLayout, 1, ebpLbl_,
               MakeUpDown("EBPUD", &NewMapLogic::EasternBreakUp, &NewMapLogic::EasternBreakDown));
    right->addWidget(breakGroup);
    right->addStretch(1);

    grid->addLayout(left, 1, 0);
    grid->addLayout(right, 1, 1);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton("OK", panel);
    ok->setObjectName("OK");
    auto* cancel = new QPushButton("Cancel", panel);
    cancel->setObjectName("Cancel");
    for (QPushButton* button : {ok, cancel}) {
        button->setFont(PixelFont("Kelt", 17));
        button->setMinimumWidth(96);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    grid->addLayout(buttons, 2, 0, 1, 2);
    connect(ok, &QPushButton::clicked, this, &TNewMap::OkClicked);
    connect(cancel, &QPushButton::clicked, this, [this] { done(logic_.Cancel()); });

    connect(sNam_, &QLineEdit::textChanged, this,
            [this](const QString& t) { logic_.SetBattleName(ToAnsi(t)); });
    connect(sideA_, &QLineEdit::textChanged, this,
            [this](const QString& t) { logic_.SetWesternName(ToAnsi(t)); });
    connect(sideB_, &QLineEdit::textChanged, this,
            [this](const QString& t) { logic_.SetEasternName(ToAnsi(t)); });
}

void TNewMap::RefreshCounts() {
    mpRw_->setText(Text(logic_.RowsText()));
    mpCl_->setText(Text(logic_.ColsText()));
    totHex_->setText(Text(logic_.TotalText()));
    gameTurns_->setText(Text(logic_.TurnsText()));
    wbpLbl_->setText(Text(logic_.WesternBreakText()));
    ebpLbl_->setText(Text(logic_.EasternBreakText()));
}

void TNewMap::RefreshIcon() {
    // The preview draws the icon's 120 x 120 area at half size; a bitmap that cannot be read
    // leaves the frame empty while the label still names the icon.
    QPixmap preview(IconPreview, IconPreview);
    preview.fill(QColor(0x1A, 0x12, 0x0A));
    const QImage icon(QString::fromStdString(logic_.IconFile().string()));
    if (!icon.isNull()) {
        QImage area(IconArea, IconArea, QImage::Format_RGB32);
        area.fill(Qt::black);
        QPainter(&area).drawImage(0, 0, icon);
        preview = QPixmap::fromImage(
            area.scaled(IconPreview, IconPreview, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    image1_->setPixmap(preview);
    iconLbl_->setText(Text(logic_.IconName()));
}

void TNewMap::RefreshAll() {
    RefreshCounts();
    // The limit first: a line edit cuts the text it is given to its maximum length.
    sNam_->setMaxLength(int(logic_.BattleNameLimit()));
    sideA_->setMaxLength(int(logic_.WesternNameLimit()));
    sideB_->setMaxLength(int(logic_.EasternNameLimit()));
    sNam_->setText(Text(logic_.BattleName()));
    sideA_->setText(Text(logic_.WesternName()));
    sideB_->setText(Text(logic_.EasternName()));
    {
        const QSignalBlocker blockWest(wstIni_);
        (logic_.WesternInitiative() ? wstIni_ : estIni_)->setChecked(true);
    }
    uSetLbl_->setText(Text(logic_.UnitSetName()));
    RefreshIcon();
    if (QAbstractButton* weather = weatherButtons_->button(logic_.Weather())) weather->setChecked(true);
    {
        const QSignalBlocker blockWest(wstRplBtn_), blockEast(estRplBtn_);
        wstRplBtn_->setChecked(logic_.WesternReplacement());
        estRplBtn_->setChecked(logic_.EasternReplacement());
    }
    mapSizeGroup_->setEnabled(logic_.SizeAndSetEnabled());
    unitSetGroup_->setEnabled(logic_.SizeAndSetEnabled());
    if (const auto& lines = logic_.HistoryRefill()) {
        QStringList shown;
        for (const std::string& line : *lines)
            shown << Text(line);
        history_->setPlainText(shown.join('\n'));
    }
}

void TNewMap::Prepare(NewMapMode mode) {
    logic_.Activate(mode);
    setWindowTitle(mode == NewMapMode::NewBattle ? "Create New Battle" : "Battle Settings");
    RefreshAll();
    sNam_->setFocus();
    sNam_->selectAll();
}

DialogResult TNewMap::Run(NewMapMode mode) {
    Prepare(mode);
    return exec() == NewMapResultOk ? DialogResult::Ok : DialogResult::Cancel;
}

void TNewMap::OkClicked() {
    std::vector<std::string> lines;
    for (const QString& line : WrapMemoLines(history_->toPlainText(), HistoryFont(), HistoryWrapWidth))
        lines.push_back(ToAnsi(line));
    if (logic_.Ok(lines) == NewMapResultOk) done(NewMapResultOk);
}

void TNewMap::reject() {
    done(logic_.Cancel());
}

} // namespace k2
