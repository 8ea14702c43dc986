#include "app/message_box.h"

#include "app/message_box_logic.h"
#include "graphics/backdrop.h"
#include "widgets/dialog_look.h"
#include "widgets/picture_panel.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace k2 {

namespace {
constexpr int BoxWidth = 409;
constexpr int BoxHeight = 73;
constexpr int ButtonWidth = 80;
constexpr int ButtonHeight = 24;
constexpr int ButtonTop = 41;
} // namespace

TQRMMsgBox::TQRMMsgBox(SoundPlayer& sounds, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), sounds_(sounds) {
    setObjectName("TQRMMsgBox");
    setModal(true);
    setFixedSize(BoxWidth, BoxHeight);

    panel_ = new TMy_Panel(this);
    panel_->setObjectName("Panel1");
    panel_->setGeometry(0, 0, BoxWidth, BoxHeight);
    panel_->SetPicture(BackdropPixmap());
    panel_->SetPictureDraw(TPictureKind::kTile);
    panel_->SetBevelInner(TBevelCut::bvLowered);

    label1_ = new QLabel(panel_);
    label1_->setObjectName("Label1");
    label1_->setGeometry(6, 5, BoxWidth - 12, 32);
    label1_->setAlignment(Qt::AlignCenter);
    label1_->setFont(PixelFont("Kelt", 21));
    label1_->setStyleSheet(QString("color: %1; background: transparent;").arg(BackdropGold().name()));

    const auto makeButton = [this](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, panel_);
        button->setObjectName(name);
        button->setFont(PixelFont("Kelt", 16));
        button->setStyleSheet(ShellButtonStyle());
        button->setAutoDefault(false);
        button->resize(ButtonWidth, ButtonHeight);
        return button;
    };
    yesbtn_ = makeButton("yesbtn", "Yes");
    nobtn_ = makeButton("nobtn", "No");
    canbtn_ = makeButton("canbtn", "Cancel");
    yesbtn_->setDefault(true);
    canbtn_->hide();

    connect(yesbtn_, &QPushButton::clicked, this, [this] { done(MsgResultYes); });
    connect(nobtn_, &QPushButton::clicked, this, [this] { done(MsgResultNo); });
    connect(canbtn_, &QPushButton::clicked, this, [this] { done(MsgResultNo); });
}

void TQRMMsgBox::Prepare(int32_t layout, int32_t kind) {
    const MessageButtons buttons = ButtonsForLayout(layout);
    yesbtn_->setText(QString::fromLatin1(buttons.yesCaption.data(), qsizetype(buttons.yesCaption.size())));
    nobtn_->setVisible(buttons.noVisible);
    canbtn_->setVisible(buttons.cancelVisible);
    PlaceButtons();

    const std::optional<MessageEntry> entry = LookUpMessage(kind);
    label1_->setText(entry ? QString::fromLatin1(entry->text.data(), qsizetype(entry->text.size()))
                           : QString());
    setWindowTitle(entry ? QString::fromLatin1(entry->title.data(), qsizetype(entry->title.size()))
                         : QStringLiteral("Keldmar 2"));
    yesbtn_->setFocus();
    sounds_.Play(SoundAccept, 1);
}

void TQRMMsgBox::PlaceButtons() {
    if (nobtn_->isVisibleTo(this)) {
        yesbtn_->move(BoxWidth / 2 - ButtonWidth - 10, ButtonTop);
        nobtn_->move(BoxWidth / 2 + 10, ButtonTop);
    } else {
        yesbtn_->move((BoxWidth - ButtonWidth) / 2, ButtonTop);
    }
}

int32_t TQRMMsgBox::Show(int32_t layout, int32_t kind) {
    Prepare(layout, kind);
    const int result = exec();
    return result == MsgResultYes ? MsgResultYes : MsgResultNo;
}

void TQRMMsgBox::reject() {
    done(MsgResultNo);
}

void TQRMMsgBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(BoxWidth / 2, BoxHeight / 2));
    }
}

} // namespace k2
