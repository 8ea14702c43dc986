#include "widgets/dialog_look.h"

#include "graphics/backdrop.h"
#include "widgets/picture_panel.h"

#include <QAbstractScrollArea>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace k2 {

QFont PixelFont(const QString& family, int pixels, bool bold) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QString ShellButtonStyle() {
    return "QPushButton { color: #F0E6CC; background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
           " stop:0 #5C4326, stop:1 #35240F); border: 1px solid #9C7A3C; border-radius: 3px;"
           " padding: 2px 10px; }"
           "QPushButton:hover { border-color: #DDC51C; }"
           "QPushButton:pressed { background-color: #2A1B0B; }"
           "QPushButton:focus { border-color: #DDC51C; }"
           "QPushButton:disabled { color: #808080; border-color: #5A4A30; }";
}

QString ShellDialogStyle() {
    return ShellButtonStyle() +
           "QGroupBox { color: #F0E6CC; border: 1px solid #7A5C2E; border-radius: 4px;"
           " margin-top: 11px; padding: 8px 6px 6px 6px; background-color: rgba(0, 0, 0, 55); }"
           "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 10px;"
           " padding: 0px 4px; color: #DDC51C; }"
           "QGroupBox::title:disabled { color: #808080; }"
           "QLabel { color: #F0E6CC; background: transparent; }"
           "QLabel:disabled { color: #808080; }"
           "QRadioButton, QCheckBox { color: #F0E6CC; background: transparent; spacing: 6px; }"
           "QRadioButton:disabled, QCheckBox:disabled { color: #808080; }"
           // The stock indicators are drawn dark and vanish on the backdrop.
           "QRadioButton::indicator, QCheckBox::indicator { width: 11px; height: 11px;"
           " border: 1px solid #C9A65A; background-color: #F4EBD3; }"
           "QRadioButton::indicator { border-radius: 6px; }"
           "QCheckBox::indicator { border-radius: 2px; }"
           "QRadioButton::indicator:checked { background-color: qradialgradient(cx:0.5, cy:0.5, radius:0.5,"
           " fx:0.5, fy:0.5, stop:0 #3A2208, stop:0.55 #3A2208, stop:0.65 #F4EBD3, stop:1 #F4EBD3); }"
           "QCheckBox::indicator:checked { background-color: qlineargradient(x1:0, y1:0, x2:1, y2:1,"
           " stop:0 #F2DC50, stop:1 #B8961A); border-color: #F4EBD3; }"
           "QRadioButton::indicator:disabled, QCheckBox::indicator:disabled { background-color: #8A8070; }"
           "QLineEdit, QTextEdit, QTextBrowser, QListWidget { color: #2A1B0E; background-color: #F4EBD3;"
           " border: 1px solid #7A5C2E; selection-background-color: #8C6A2E; selection-color: #FFF8E6; }"
           "QToolButton { background-color: #4A341C; border: 1px solid #9C7A3C; }"
           "QToolButton:hover { border-color: #DDC51C; }"
           "QToolButton:pressed { background-color: #2A1B0B; }"
           "QToolButton:disabled { background-color: #3A2D1E; border-color: #5A4A30; }"
           "QComboBox, QSpinBox { color: #2A1B0E; background-color: #F4EBD3; border: 1px solid #7A5C2E;"
           " padding: 1px 4px; }"
           "QComboBox:disabled, QSpinBox:disabled, QLineEdit:disabled { color: #6A6050;"
           " background-color: #B8AE98; }"
           "QComboBox QAbstractItemView { color: #2A1B0E; background-color: #F4EBD3;"
           " selection-background-color: #8C6A2E; selection-color: #FFF8E6; }"
           "QTableWidget, QTableView { color: #2A1B0E; background-color: #F4EBD3; gridline-color: #B89C66;"
           " border: 1px solid #7A5C2E; selection-background-color: #8C6A2E; selection-color: #FFF8E6; }"
           "QHeaderView::section { color: #F0E6CC; background-color: #4A341C; border: 1px solid #7A5C2E;"
           " padding: 2px 4px; }"
           // A disabled list or table ignores clicks, so it must not look like the live one.
           "QListWidget:disabled, QTableWidget:disabled, QTableView:disabled { color: #6A6050;"
           " background-color: #B8AE98; selection-background-color: #8A8070; selection-color: #E8E0CC; }";
}

TMy_Panel* LayOnBackdrop(QWidget* dialog, int bodyPixels) {
    dialog->setStyleSheet(ShellDialogStyle());
    dialog->setFont(PixelFont("Arial", bodyPixels));
    auto* outer = new QVBoxLayout(dialog);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* panel = new TMy_Panel(dialog);
    panel->setObjectName("Panel1");
    panel->SetPicture(BackdropPixmap());
    panel->SetPictureDraw(TPictureKind::kTile);
    panel->SetBevelInner(TBevelCut::bvLowered);
    panel->SetBevelWidth(2);
    outer->addWidget(panel);
    return panel;
}

QLabel* MakeHeading(const QString& text, QWidget* parent, int pixels) {
    auto* heading = new QLabel(text, parent);
    heading->setObjectName("TitleLbl");
    heading->setFont(PixelFont("Kelt", pixels));
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet(QString("color: %1;").arg(BackdropGold().name()));
    return heading;
}

QGroupBox* MakeGroup(const char* name, const QString& title, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    box->setFont(PixelFont("Arial", 13, true));
    return box;
}

namespace {

// The least of a scrolling table or list that stays in view however small the screen.
constexpr int MinScrollingSide = 120;

const QWidget* ParentWindow(const QWidget* window) {
    return window->parentWidget() ? window->parentWidget()->window() : nullptr;
}

// The frame the window system draws around a top-level window, judged by the parent's (a
// dialog's own frame is unknown until it shows).
QSize FrameExtra(const QWidget* window) {
    const QWidget* top = ParentWindow(window);
    if (!top || !top->isVisible()) return {0, 0};
    return (top->frameGeometry().size() - top->geometry().size()).expandedTo(QSize(0, 0));
}

// A size set on a widget deep in the window reaches the window's own layout only through a
// posted event; the fitting needs every layout's sizes at once.
void ActivateLayout(QWidget* window) {
    for (QWidget* child : window->findChildren<QWidget*>())
        child->updateGeometry(); // drops the size its parent's layout keeps for it
    for (QLayout* layout : window->findChildren<QLayout*>())
        layout->invalidate();
    if (QLayout* layout = window->layout()) {
        layout->invalidate();
        layout->activate();
    }
}

} // namespace

QRect DialogArea(const QWidget* window) {
    const QWidget* top = ParentWindow(window);
    QScreen* screen = top ? top->screen() : window->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void FitToArea(QWidget* window, const QRect& area, QWidget* scrolling, QSize wanted) {
    const QSize room = area.size() - FrameExtra(window);
    if (scrolling && wanted.isValid()) {
        const auto over = [&](QSize shown) {
            scrolling->setMinimumSize(shown);
            ActivateLayout(window);
            const QSize need = window->minimumSizeHint().expandedTo(window->minimumSize());
            return QSize(std::max(0, need.width() - room.width()),
                         std::max(0, need.height() - room.height()));
        };
        QSize shown = wanted;
        const int overWidth = over(shown).width();
        if (overWidth > 0) {
            shown.setWidth(std::max(MinScrollingSide, wanted.width() - overWidth));
            // The horizontal scroll bar that appears takes its height from the rows.
            if (const auto* scrollArea = qobject_cast<const QAbstractScrollArea*>(scrolling))
                shown.rheight() +=
                    scrollArea->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollArea);
        }
        if (const int overHeight = over(shown).height(); overHeight > 0) {
            shown.setHeight(std::max(MinScrollingSide, shown.height() - overHeight));
            over(shown);
        }
    }
    ActivateLayout(window);
    // With a scrolling part the window takes what its parts need; otherwise what its layout
    // would like. Neither goes beyond the room unless the parts cannot shrink.
    QSize size =
        scrolling ? window->minimumSizeHint() : window->sizeHint().expandedTo(window->minimumSizeHint());
    size = size.boundedTo(room).expandedTo(window->minimumSize());
    window->resize(size);
}

void CentreOnParent(QWidget* window, const QRect& area) {
    const QWidget* top = ParentWindow(window);
    const QPoint centre = top ? top->frameGeometry().center() : area.center();
    const QSize size = window->size() + FrameExtra(window);
    QPoint corner = centre - QPoint((size.width() - 1) / 2, (size.height() - 1) / 2);
    corner.setX(std::clamp(corner.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
    corner.setY(std::clamp(corner.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
    window->move(corner);
}

void FitAndCentre(QWidget* window, QWidget* scrolling, QSize wanted) {
    const QRect area = DialogArea(window);
    FitToArea(window, area, scrolling, wanted);
    CentreOnParent(window, area);
}

} // namespace k2
