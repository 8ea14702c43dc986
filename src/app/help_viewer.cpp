#include "app/help_viewer.h"

#include "graphics/dialog_look.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

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

void HelpWindow::Present() {
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
