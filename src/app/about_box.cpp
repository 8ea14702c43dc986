#include "app/about_box.h"

#include "graphics/backdrop.h"
#include "widgets/dialog_look.h"
#include "widgets/picture_panel.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace k2 {

TAboutMBld::TAboutMBld(SoundPlayer& sounds, QWidget* parent) : QDialog(parent), sounds_(sounds) {
    setObjectName("TAboutMBld");
    setWindowTitle("About Tessary");
    setModal(true);
    setFixedSize(340, 250);
    TMy_Panel* panel = LayOnBackdrop(this);

    const auto makeLabel = [panel](const char* name, const QString& text, const QFont& font,
                                   const QColor& colour) {
        auto* label = new QLabel(text, panel);
        label->setObjectName(name);
        label->setFont(font);
        label->setAlignment(Qt::AlignCenter);
        label->setStyleSheet(QString("color: %1; background: transparent;").arg(colour.name()));
        return label;
    };
    auto* product = makeLabel("ProductLbl", "Tessary", PixelFont("Kelt", 46), BackdropGold());
    auto* game = makeLabel("GameLbl", "Keldmar 2", PixelFont("Kelt", 30), BackdropCream());
    auto* version =
        makeLabel("VersionLbl", QString(" Version ") + K2_VERSION, PixelFont("Arial", 14), BackdropCream());

    auto* ok = new QPushButton("OK", panel);
    ok->setObjectName("OK");
    ok->setFont(PixelFont("Kelt", 16));
    ok->setDefault(true);
    ok->setFixedWidth(90);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(18, 14, 18, 16);
    layout->addWidget(product);
    layout->addWidget(game);
    layout->addWidget(version);
    layout->addStretch(1);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    connect(ok, &QPushButton::clicked, this, [this] {
        sounds_.Play(SoundAccept, 1);
        accept();
    });
}

void TAboutMBld::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    sounds_.Play(SoundAccept, 1);
}

} // namespace k2
