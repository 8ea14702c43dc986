#include "edit/dialogs/generate_terrain_dialog.h"

#include "edit/dialogs/edit_dialog_parts.h"
#include "widgets/dialog_look.h"
#include "widgets/picture_panel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

namespace k2 {

namespace {

// The preview's side in pixels: a 150 x 150 map at two pixels a hex.
constexpr int PreviewSide = 302;

// Each hex as a 2 x 2 block, odd columns half a hex (one pixel) lower, as the map stands.
QImage PreviewImage(const std::vector<uint32_t>& colours, int32_t cols, int32_t rows) {
    QImage image(2 * cols, 2 * rows + 1, QImage::Format_RGB32);
    image.fill(QColor(preview::Border));
    for (int32_t r = 0; r < rows; ++r)
        for (int32_t c = 0; c < cols; ++c) {
            const QRgb colour = 0xFF000000u | colours[std::size_t(r) * std::size_t(cols) + std::size_t(c)];
            const int x = 2 * c, y = 2 * r + (c & 1);
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    image.setPixel(x + dx, y + dy, colour);
        }
    return image;
}

QString SliderText(std::size_t slider, int32_t value) {
    return QString("%1: %2").arg(Sliders[slider].Caption).arg(value);
}

} // namespace

TGenerateTerrain::TGenerateTerrain(Scenario& battle, const RoleTable& roles, EditHistory& history,
                                   RandomSource& random, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), logic_(battle, roles, history, random), boxes_(boxes) {
    setObjectName("TGenerateTerrain");
    setWindowTitle("Generate Terrain");
    setModal(true);

    TMy_Panel* panel = LayOnBackdrop(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(16, 10, 16, 14);
    layout->setSpacing(8);
    layout->addWidget(MakeHeading("Generate Terrain", panel));

    auto* body = new QHBoxLayout;
    auto* controls = new QVBoxLayout;

    auto* seedBox = MakeGroup("SeedBox", "Seed", panel);
    auto* seedRow = new QHBoxLayout(seedBox);
    seed_ = new QLineEdit(seedBox);
    seed_->setObjectName("SeedEdit");
    seed_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,10}"), seed_));
    seedRow->addWidget(seed_, 1);
    QPushButton* newSeed = MakeDialogButton("NewSeedBtn", "New Seed", seedBox);
    seedRow->addWidget(newSeed);
    controls->addWidget(seedBox);
    connect(newSeed, &QPushButton::clicked, this, [this] {
        logic_.NewSeed();
        ShowSettings();
        SchedulePreview();
    });
    connect(seed_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (logic_.SetSeedText(text.toStdString())) SchedulePreview();
    });

    auto* slidersBox = MakeGroup("SlidersBox", "Ground", panel);
    auto* grid = new QGridLayout(slidersBox);
    for (std::size_t k = 0; k < Sliders.size(); ++k) {
        values_[k] = MakeValueLabel((std::string(Sliders[k].Name) + "Lbl").c_str(), slidersBox);
        values_[k]->setMinimumWidth(150);
        sliders_[k] = new QSlider(Qt::Horizontal, slidersBox);
        sliders_[k]->setObjectName(QString(Sliders[k].Name) + "Slider");
        sliders_[k]->setRange(0, GeneratorSettings::MaxSlider);
        sliders_[k]->setPageStep(10);
        sliders_[k]->setMinimumWidth(160);
        grid->addWidget(values_[k], int(k), 0);
        grid->addWidget(sliders_[k], int(k), 1);
        connect(sliders_[k], &QSlider::valueChanged, this, [this, k](int value) {
            logic_.SetSlider(k, value);
            values_[k]->setText(SliderText(k, logic_.Settings().*Sliders[k].Value));
            SchedulePreview();
        });
    }
    controls->addWidget(slidersBox);
    controls->addStretch(1);
    body->addLayout(controls);

    auto* previewBox = MakeGroup("PreviewBox", "Preview", panel);
    auto* previewLayout = new QVBoxLayout(previewBox);
    preview_ = new QLabel(previewBox);
    preview_->setObjectName("PreviewImg");
    preview_->setFixedSize(PreviewSide, PreviewSide);
    preview_->setAlignment(Qt::AlignCenter);
    previewLayout->addWidget(preview_);
    problem_ = MakeValueLabel("ProblemLbl", previewBox);
    problem_->setWordWrap(true);
    previewLayout->addWidget(problem_);
    body->addWidget(previewBox);
    layout->addLayout(body);

    auto* buttons = new QHBoxLayout;
    QPushButton* ok = MakeDialogButton("OkBtn", "OK", panel);
    QPushButton* cancel = MakeDialogButton("CancelBtn", "Cancel", panel);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { Accept(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });

    previewTimer_ = new QTimer(this);
    previewTimer_->setObjectName("PreviewTimer");
    previewTimer_->setSingleShot(true);
    previewTimer_->setInterval(0);
    connect(previewTimer_, &QTimer::timeout, this, [this] { ShowPreview(); });
}

void TGenerateTerrain::ShowSettings() {
    const GeneratorSettings& s = logic_.Settings();
    seed_->setText(QString::fromStdString(logic_.SeedText()));
    for (std::size_t k = 0; k < Sliders.size(); ++k) {
        const QSignalBlocker quiet(sliders_[k]);
        sliders_[k]->setValue(s.*Sliders[k].Value);
        values_[k]->setText(SliderText(k, s.*Sliders[k].Value));
    }
}

void TGenerateTerrain::SchedulePreview() {
    previewTimer_->start();
}

void TGenerateTerrain::ShowPreview() {
    if (!logic_.RefreshPreview()) return;
    problem_->setText(QString::fromStdString(logic_.Problem()));
    const std::vector<uint32_t>& colours = logic_.PreviewColours();
    if (colours.empty()) {
        preview_->clear();
        return;
    }
    const QImage image = PreviewImage(colours, logic_.Cols(), logic_.Rows());
    preview_->setPixmap(
        QPixmap::fromImage(image.scaled(preview_->size(), Qt::KeepAspectRatio, Qt::FastTransformation)));
}

void TGenerateTerrain::Accept() {
    const GenerateTerrainOutcome outcome = logic_.Ok();
    if (!outcome.Result) {
        boxes_.ShowPlain(outcome.Result.title, outcome.Result.message);
        return;
    }
    accept();
}

void TGenerateTerrain::Prepare() {
    logic_.Activate();
    ShowSettings();
    ShowPreview();
    FitAndCentre(this);
}

DialogResult TGenerateTerrain::Run() {
    Prepare();
    return exec() == QDialog::Accepted ? DialogResult::Ok : DialogResult::Cancel;
}

} // namespace k2
