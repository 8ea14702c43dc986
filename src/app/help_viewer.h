// The in-program help window: the HTML help file in a browser, with a keyword search pane over
// the file's index. A missing or unreadable file is explained in the window itself.
#pragma once

#include "app/help_index.h"

#include <QRect>
#include <QWidget>

#include <filesystem>
#include <vector>

class QLineEdit;
class QListWidget;
class QTextBrowser;
class QLabel;

namespace k2 {

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Loads `helpFile` (again, if it changed) and shows it from the top; the search pane hides.
    void ShowContents(const std::filesystem::path& helpFile);
    // Loads `helpFile` and opens the keyword search with an empty keyword.
    void ShowKeywordSearch(const std::filesystem::path& helpFile);

    bool Loaded() const { return loaded_; }
    const std::vector<HelpKeyword>& Index() const { return index_; }
    // The entries the keyword list currently shows, in order.
    const std::vector<HelpKeyword>& Shown() const { return shown_; }

    // Jumps to the anchor of shown entry `row`.
    void ActivateEntry(int row);

    // Where a window of `size` goes at its first showing: beside `owner` (right, else left) on
    // `screen`, top-aligned with it; where neither side has room, inside the screen below the
    // owner's menu bar, so that the owner's menus stay in reach.
    static QRect PlaceBeside(const QRect& owner, const QSize& size, const QRect& screen);

  private:
    void Load(const std::filesystem::path& helpFile);
    void RefillList(const QString& typed);
    void JumpTo(const QString& anchor);
    void Present();
    bool placed_ = false;

    QTextBrowser* browser_;
    QWidget* searchPane_;
    QLineEdit* keywordEdit_;
    QListWidget* keywordList_;
    std::filesystem::path file_;
    bool loaded_ = false;
    std::vector<HelpKeyword> index_;
    std::vector<HelpKeyword> shown_;
};

} // namespace k2
