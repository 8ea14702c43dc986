#include "app/export_map_dialog.h"

#include "widgets/dialog_look.h"
#include "widgets/picture_panel.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace k2 {

namespace {

QString SizeText(QSize size) {
    return QString("%1 x %2 pixels").arg(size.width()).arg(size.height());
}

} // namespace

TExportMap::TExportMap(QWidget* parent) : QDialog(parent) {
    setObjectName("TExportMap");
    setWindowTitle("Export Map Image");
    setModal(true);
    TMy_Panel* panel = LayOnBackdrop(this);
    QGroupBox* group = MakeGroup("ExportAreaGrp", "Picture of", panel);
    whole_ = new QRadioButton(group);
    whole_->setObjectName("WholeMapBtn");
    visible_ = new QRadioButton(group);
    visible_->setObjectName("VisiblePartBtn");
    whole_->setChecked(true);
    auto* choices = new QVBoxLayout(group);
    choices->addWidget(whole_);
    choices->addWidget(visible_);
    reference_ = new QCheckBox("Include the reference image", panel);
    reference_->setObjectName("IncludeReferenceChk");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, panel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("ExportOkBtn");
    buttons->button(QDialogButtonBox::Ok)->setText("Export...");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("ExportCancelBtn");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->addWidget(group);
    layout->addWidget(reference_);
    layout->addWidget(buttons);
}

std::optional<ExportArea> TExportMap::Choose(QSize wholeMap, QSize visiblePart) {
    whole_->setText("The whole map (" + SizeText(wholeMap) + ")");
    visible_->setText("The visible part (" + SizeText(visiblePart) + ")");
    adjustSize();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return visible_->isChecked() ? ExportArea::VisiblePart : ExportArea::WholeMap;
}

void TExportMap::OfferReference(bool available, bool checked) {
    reference_->setEnabled(available);
    reference_->setChecked(available && checked);
}

bool TExportMap::IncludeReference() const {
    return reference_->isEnabled() && reference_->isChecked();
}

} // namespace k2
