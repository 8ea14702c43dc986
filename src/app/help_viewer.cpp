#include "app/help_viewer.h"

#include "widgets/dialog_look.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace k2 {

namespace {
// The help file is a page of text, not a data file; anything larger is not ours.
constexpr qint64 MaxHelpFileBytes = 8 * 1024 * 1024;
} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("HelpWindow");
    setWindowTitle("Keldmar 2 Help");
    resize(820, 620);

    searchPane_ = new QWidget(this);
    searchPane_->setObjectName("KeywordPane");
    auto* searchLayout = new QVBoxLayout(searchPane_);
    searchLayout->setContentsMargins(0, 0, 0, 0);
    auto* prompt = new QLabel("Type the first letters of a keyword:", searchPane_);
    keywordEdit_ = new QLineEdit(searchPane_);
    keywordEdit_->setObjectName("KeywordEdit");
    keywordEdit_->setClearButtonEnabled(true);
    keywordList_ = new QListWidget(searchPane_);
    keywordList_->setObjectName("KeywordList");
    searchLayout->addWidget(prompt);
    searchLayout->addWidget(keywordEdit_);
    searchLayout->addWidget(keywordList_, 1);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpBrowser");
    // Links are followed here: the file's own anchors scroll, nothing leaves the window.
    browser_->setOpenLinks(false);
    browser_->setOpenExternalLinks(false);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(searchPane_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({230, 590});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(splitter);

    // Closed as other viewers are: Escape or Ctrl+W.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }

    connect(keywordEdit_, &QLineEdit::textChanged, this, &HelpWindow::RefillList);
    connect(keywordEdit_, &QLineEdit::returnPressed, this,
            [this] { ActivateEntry(keywordList_->currentRow() >= 0 ? keywordList_->currentRow() : 0); });
    connect(keywordList_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { ActivateEntry(keywordList_->row(item)); });
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (!url.fragment().isEmpty() && (url.path().isEmpty() || url.isRelative())) JumpTo(url.fragment());
    });
}

void HelpWindow::Load(const std::filesystem::path& helpFile) {
    file_ = helpFile;
    index_.clear();
    loaded_ = false;
    const QString name = QString::fromStdString(helpFile.string());
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxHelpFileBytes) {
        browser_->setHtml(QString("<h2>Help is not available</h2><p>The help file <b>%1</b> could not be "
                                  "opened. Reinstall the editor to restore it.</p>")
                              .arg(name.toHtmlEscaped()));
    } else {
        const QString html = QString::fromUtf8(file.readAll());
        browser_->setHtml(html);
        index_ = ParseHelpIndex(html);
        loaded_ = true;
    }
    RefillList(keywordEdit_->text());
}

void HelpWindow::RefillList(const QString& typed) {
    shown_ = FilterHelpIndex(index_, typed);
    keywordList_->clear();
    for (const HelpKeyword& entry : shown_)
        keywordList_->addItem(entry.keyword);
    if (!shown_.empty()) keywordList_->setCurrentRow(0);
}

void HelpWindow::ActivateEntry(int row) {
    if (row < 0 || row >= int(shown_.size())) return;
    JumpTo(shown_[size_t(row)].anchor);
}

void HelpWindow::JumpTo(const QString& anchor) {
    browser_->scrollToAnchor(anchor);
}

QRect HelpWindow::PlaceBeside(const QRect& owner, const QSize& size, const QRect& screen) {
    const int width = std::min(size.width(), screen.width());
    const int height = std::min(size.height(), screen.height());
    const int top = std::clamp(owner.top(), screen.top(), screen.bottom() + 1 - height);
    if (owner.right() + 1 + width <= screen.right() + 1) return {owner.right() + 1, top, width, height};
    if (owner.left() - width >= screen.left()) return {owner.left() - width, top, width, height};
    // No room at either side: over the owner's map, clear of its caption and menu bar, shortened
    // where the screen ends first.
    constexpr int MenuClearance = 60;
    const int below = std::clamp(owner.top() + MenuClearance, screen.top(), screen.bottom());
    const int left = std::clamp(owner.right() + 1 - width, screen.left(), screen.right() + 1 - width);
    return {left, below, width, std::min(height, screen.bottom() + 1 - below)};
}

void HelpWindow::Present() {
    if (!placed_) {
        placed_ = true;
        // The window the user asked from (the main window, or a dialog over it); where the
        // platform reports no active window, the main window.
        const QWidget* owner = QApplication::activeWindow();
        for (const QWidget* w : QApplication::topLevelWidgets())
            if (!owner && w != this && w->isVisible() && qobject_cast<const QMainWindow*>(w)) owner = w;
        if (owner && owner != this) {
            const QScreen* screen = owner->screen();
            const QRect area = screen ? screen->availableGeometry() : owner->frameGeometry();
            setGeometry(PlaceBeside(owner->frameGeometry(), size(), area));
        }
    }
    show();
    raise();
    activateWindow();
}

void HelpWindow::ShowContents(const std::filesystem::path& helpFile) {
    Load(helpFile);
    searchPane_->hide();
    browser_->verticalScrollBar()->setValue(0);
    Present();
}

void HelpWindow::ShowKeywordSearch(const std::filesystem::path& helpFile) {
    Load(helpFile);
    keywordEdit_->clear();
    searchPane_->show();
    Present();
    keywordEdit_->setFocus();
}

} // namespace k2
