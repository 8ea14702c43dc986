// The help index read from the HTML help file, the partial-key filter, and the help window on
// a present and on a missing file.
#include "app/help_index.h"
#include "app/help_viewer.h"
#include "app/qt_platform.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "common/gui_input.h"

#include <gmock/gmock.h>

namespace k2 {
namespace {

QStringList Keywords(const std::vector<HelpKeyword>& index) {
    QStringList words;
    for (const HelpKeyword& k : index)
        words << k.keyword;
    return words;
}

// A help document with contents links, anchored sections with a long body, and an index.
QString SampleHelp() {
    QString html =
        "<html><body><h1>Keldmar 2 Battle Editor</h1><ul>"
        "<li><a href=\"#open\">Open Battle</a></li><li><a href=\"#save\">Save Battle</a></li></ul>";
    for (const char* id : {"open", "save", "fill"}) {
        html += QString("<h2 id=\"%1\">Section %1</h2>").arg(id);
        for (int i = 0; i < 80; ++i)
            html += QString("<p>Paragraph %1 of %2.</p>").arg(i).arg(id);
    }
    html += "<h2><a name=\"index\"></a>Index</h2><ul class=\"index\">"
            "<li><a href=\"#save\">saving a battle</a></li>"
            "<li><a href=\"#fill\">Terrain &amp; fill</a></li>"
            "<li><a href='#open'>Open Battle</a></li></ul></body></html>";
    return html;
}

TEST(HelpIndexTest, CollectsLinksAndAnchoredHeadingsOnceEachSorted) {
    const std::vector<HelpKeyword> index = ParseHelpIndex(SampleHelp());
    EXPECT_EQ(Keywords(index),
              QStringList({"Index", "Open Battle", "Save Battle", "saving a battle", "Section fill",
                           "Section open", "Section save", "Terrain & fill"}));
    const auto find = [&](const QString& word) {
        return std::find_if(index.begin(), index.end(),
                            [&](const HelpKeyword& k) { return k.keyword == word; });
    };
    EXPECT_EQ(find("saving a battle")->anchor, "save");
    EXPECT_EQ(find("Terrain & fill")->anchor, "fill");
    EXPECT_EQ(find("Index")->anchor, "index");
    // The heading without an anchor gives nothing; links to other files are not keywords.
    EXPECT_TRUE(ParseHelpIndex("<h1>Title</h1><a href=\"other.html#x\">elsewhere</a>").empty());
}

TEST(HelpIndexTest, FilterPutsPrefixMatchesFirstAndIgnoresCase) {
    const std::vector<HelpKeyword> index = ParseHelpIndex(SampleHelp());
    EXPECT_EQ(Keywords(FilterHelpIndex(index, "SA")),
              QStringList({"Save Battle", "saving a battle", "Section save"}));
    EXPECT_EQ(Keywords(FilterHelpIndex(index, "battle")),
              QStringList({"Open Battle", "Save Battle", "saving a battle"}));
    EXPECT_EQ(Keywords(FilterHelpIndex(index, "fill")), QStringList({"Section fill", "Terrain & fill"}));
    EXPECT_EQ(FilterHelpIndex(index, "").size(), index.size());
    EXPECT_TRUE(FilterHelpIndex(index, "zzz").empty());
}

class HelpWindowTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    std::filesystem::path file;
    HelpWindow window;
    void SetUp() override {
        file = std::filesystem::path(dir.path().toStdString()) / "tkx2.hlp";
        QFile out(QString::fromStdString(file.string()));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(SampleHelp().toUtf8());
        window.resize(700, 400);
    }
    QTextBrowser* Browser() { return window.findChild<QTextBrowser*>("HelpBrowser"); }
    QLineEdit* Edit() { return window.findChild<QLineEdit*>("KeywordEdit"); }
    QListWidget* List() { return window.findChild<QListWidget*>("KeywordList"); }
};

TEST_F(HelpWindowTest, ContentsShowsTheDocumentWithoutTheSearch) {
    window.ShowContents(file);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.Loaded());
    EXPECT_TRUE(Browser()->toPlainText().contains("Keldmar 2 Battle Editor"));
    EXPECT_FALSE(Edit()->isVisible());
    window.hide();
}

TEST_F(HelpWindowTest, KeywordSearchFiltersAsYouTypeAndJumps) {
    window.ShowKeywordSearch(file);
    ASSERT_TRUE(Edit()->isVisible());
    EXPECT_TRUE(Edit()->text().isEmpty());
    EXPECT_EQ(List()->count(), int(window.Index().size()));
    gui_input::Type(Edit(), "ter");
    ASSERT_EQ(List()->count(), 1);
    EXPECT_EQ(List()->item(0)->text(), "Terrain & fill");
    ASSERT_EQ(Browser()->verticalScrollBar()->value(), 0);
    gui_input::PressKey(Edit(), Qt::Key_Return);
    const int atFill = Browser()->verticalScrollBar()->value();
    EXPECT_GT(atFill, 0);
    Edit()->clear();
    gui_input::Type(Edit(), "open");
    window.ActivateEntry(0);
    EXPECT_LT(Browser()->verticalScrollBar()->value(), atFill);
    // Asking again starts from an empty keyword.
    window.ShowKeywordSearch(file);
    EXPECT_TRUE(Edit()->text().isEmpty());
    window.hide();
}

TEST_F(HelpWindowTest, MissingFileIsExplainedInTheWindow) {
    const std::filesystem::path missing = file.parent_path() / "gone" / "tkx2.hlp";
    window.ShowContents(missing);
    EXPECT_FALSE(window.Loaded());
    EXPECT_TRUE(Browser()->toPlainText().contains("could not be opened"));
    EXPECT_TRUE(Browser()->toPlainText().contains("tkx2.hlp"));
    window.ShowKeywordSearch(missing);
    EXPECT_EQ(List()->count(), 0);
    gui_input::PressKey(Edit(), Qt::Key_Return); // nothing to jump to, nothing breaks
    window.hide();
}

TEST(HelpWindowPlace, BesideItsOwnerOrClearOfItsMenus) {
    const QRect screen(0, 0, 1366, 768);
    const QSize size(500, 600);
    struct Case {
        QRect owner;
        QRect expected;
    } cases[] = {
        {{100, 50, 700, 600}, {800, 50, 500, 600}},   // room at the right
        {{700, 80, 600, 600}, {200, 80, 500, 600}},   // room only at the left
        {{20, 400, 600, 300}, {620, 168, 500, 600}},  // kept on the screen
        {{10, 20, 1300, 740}, {810, 80, 500, 600}},   // no room: below the owner's menu bar
        {{10, 300, 1300, 400}, {810, 360, 500, 408}}, // ... and shortened to the screen
    };
    for (const Case& c : cases)
        EXPECT_EQ(HelpWindow::PlaceBeside(c.owner, size, screen), c.expected) << c.owner.x();
}

TEST_F(HelpWindowTest, EscapeAndCtrlWClose) {
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        window.ShowContents(file);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::keySequence(&window, keys);
        EXPECT_FALSE(window.isVisible()) << keys.toString().toStdString();
    }
}

TEST_F(HelpWindowTest, PlatformViewerOpensOneWindowForBothRequests) {
    QtHelpViewer viewer(nullptr);
    viewer.ShowContents(file);
    HelpWindow* first = &viewer.Window();
    EXPECT_TRUE(first->isVisible());
    viewer.ShowKeywordSearch(file);
    EXPECT_EQ(&viewer.Window(), first);
    EXPECT_TRUE(first->findChild<QLineEdit*>("KeywordEdit")->isVisible());
    first->hide();
}

} // namespace
} // namespace k2
