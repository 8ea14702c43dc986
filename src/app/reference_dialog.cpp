#include "app/reference_dialog.h"

#include "app/reference_window.h"
#include "edit/dialogs/edit_dialog_parts.h"
#include "widgets/dialog_look.h"
#include "widgets/picture_panel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace k2 {

namespace {

constexpr const char* PictureFilter =
    "Pictures|*.png;*.jpg;*.jpeg;*.bmp;*.gif;*.tif;*.tiff;*.webp|All Files|*";

} // namespace

TReferenceImage::TReferenceImage(ReferenceWindow& owner, FileChooser& chooser, QWidget* parent)
    : QDialog(parent), owner_(owner), chooser_(chooser) {
    setObjectName("TReferenceImage");
    setWindowTitle("Reference Image");
    setModal(true);

    TMy_Panel* panel = LayOnBackdrop(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(16, 10, 16, 14);
    layout->setSpacing(8);
    layout->addWidget(MakeHeading("Reference Image", panel));

    auto* pictureBox = MakeGroup("PictureBox", "Picture", panel);
    auto* pictureGrid = new QGridLayout(pictureBox);
    name_ = MakeValueLabel("PictureLbl", pictureBox);
    name_->setMinimumWidth(260);
    pictureGrid->addWidget(name_, 0, 0, 1, 2);
    QPushButton* choose = MakeDialogButton("ChoosePictureBtn", "Choose...", pictureBox);
    remove_ = MakeDialogButton("RemovePictureBtn", "Remove", pictureBox);
    pictureGrid->addWidget(choose, 1, 0);
    pictureGrid->addWidget(remove_, 1, 1);
    problem_ = MakeValueLabel("ProblemLbl", pictureBox);
    problem_->setWordWrap(true);
    pictureGrid->addWidget(problem_, 2, 0, 1, 2);
    layout->addWidget(pictureBox);
    connect(choose, &QPushButton::clicked, this, [this] { Choose(); });
    connect(remove_, &QPushButton::clicked, this, [this] {
        owner_.RemovePicture();
        ShowSettings();
    });

    auto* drawBox = MakeGroup("DrawingBox", "Over the Map", panel);
    auto* drawGrid = new QGridLayout(drawBox);
    opacityValue_ = MakeValueLabel("OpacityLbl", drawBox);
    opacity_ = new QSlider(Qt::Horizontal, drawBox);
    opacity_->setObjectName("OpacitySlider");
    opacity_->setRange(0, 100);
    opacity_->setPageStep(10);
    drawGrid->addWidget(opacityValue_, 0, 0);
    drawGrid->addWidget(opacity_, 0, 1);
    scale_ = MakeValueLabel("ScaleLbl", drawBox);
    angle_ = MakeValueLabel("AngleLbl", drawBox);
    reset_ = MakeDialogButton("ResetAlignBtn", "Reset", drawBox);
    drawGrid->addWidget(scale_, 1, 0);
    drawGrid->addWidget(angle_, 2, 0);
    drawGrid->addWidget(reset_, 1, 1, 2, 1, Qt::AlignRight);
    layout->addWidget(drawBox);
    connect(opacity_, &QSlider::valueChanged, this, [this](int value) {
        owner_.SetOpacity(value);
        ShowSettings();
    });
    connect(reset_, &QPushButton::clicked, this, [this] {
        owner_.ResetAlignment();
        ShowSettings();
    });

    auto* buttons = new QHBoxLayout;
    QPushButton* ok = MakeDialogButton("OkBtn", "OK", panel);
    QPushButton* cancel = MakeDialogButton("CancelBtn", "Cancel", panel);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
}

void TReferenceImage::Choose() {
    const std::filesystem::path current = owner_.Settings().Picture;
    const std::optional<std::filesystem::path> file = chooser_.ChooseOpen(
        {"Choose Reference Picture", PictureFilter, "", current.parent_path(), current.filename()});
    if (!file) return;
    const Status read = owner_.ChoosePicture(*file);
    ShowSettings();
    problem_->setText(read ? QString() : QString::fromStdString(read.message));
}

void TReferenceImage::ShowSettings() {
    const ReferenceSettings& s = owner_.Settings();
    const bool picture = owner_.HasPicture();
    name_->setText(s.Picture.empty() ? QString("No picture")
                                     : QString::fromStdU16String(s.Picture.filename().u16string()));
    name_->setToolTip(QString::fromStdU16String(s.Picture.u16string()));
    {
        const QSignalBlocker quiet(opacity_);
        opacity_->setValue(s.Opacity);
    }
    opacityValue_->setText(QString("Opacity: %1 %").arg(s.Opacity));
    const ScaleAngle placed = owner_.CurrentScaleAngle();
    scale_->setText(picture ? QString("Scale: %1").arg(placed.Scale, 0, 'f', 3) : QString("Scale: -"));
    angle_->setText(picture ? QString("Angle: %1°").arg(placed.Degrees, 0, 'f', 1) : QString("Angle: -"));
    remove_->setEnabled(!s.Picture.empty());
    reset_->setEnabled(picture && (!s.Anchors.empty() || !s.Nudge.isNull()));
    opacity_->setEnabled(picture);
}

DialogResult TReferenceImage::Run() {
    const ReferenceSettings before = owner_.Settings();
    problem_->clear();
    ShowSettings();
    FitAndCentre(this);
    if (exec() == QDialog::Accepted) return DialogResult::Ok;
    if (owner_.Settings() != before) owner_.Restore(before);
    return DialogResult::Cancel;
}

} // namespace k2
