// The Qt side of the platform seams: filters, default extensions, the file dialog as built,
// and the two kinds of message box.
#include "app/message_box.h"
#include "app/qt_platform.h"
#include "common/recorders.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gmock/gmock.h>

namespace k2 {
namespace {

TEST(QtFilterTest, PipeFiltersBecomeQtNameFilters) {
    const std::vector<std::pair<std::string, QStringList>> cases = {
        {"Keldmar 2 Scenarios|*.k2s|Keldmar 1 Scenarios|*.scn",
         {"Keldmar 2 Scenarios (*.k2s)", "Keldmar 1 Scenarios (*.scn)"}},
        {"Bitmaps|*.bmp", {"Bitmaps (*.bmp)"}},
        {"Tessary Symbol Files (*.set)|*.set", {"Tessary Symbol Files (*.set)"}},
        {"Pictures|*.bmp;*.png", {"Pictures (*.bmp *.png)"}},
        {"", {"All files (*)"}},
        {"Dangling", {"All files (*)"}},
    };
    for (const auto& [pipes, expected] : cases)
        EXPECT_EQ(QtNameFilters(pipes), expected) << pipes;
}

TEST(QtFilterTest, DefaultExtensionOnlyWhenNoneWasTyped) {
    EXPECT_EQ(WithDefaultExtension("/a/battle", ".k2s"), "/a/battle.k2s");
    EXPECT_EQ(WithDefaultExtension("/a/battle", "k2s"), "/a/battle.k2s");
    EXPECT_EQ(WithDefaultExtension("/a/battle.scn", ".k2s"), "/a/battle.scn");
    EXPECT_EQ(WithDefaultExtension("/a/battle", ""), "/a/battle");
    EXPECT_EQ(WithDefaultExtension("", ".k2s"), "");
}

TEST(QtFileChooserTest, DialogCarriesTitleFilterFolderAndProposal) {
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    QtFileChooser chooser(nullptr);
    const auto dialog = chooser.BuildDialog(
        {"Save Battle File", "Keldmar 2 Scenarios|*.k2s", ".k2s", folder, folder / "agincourt.k2s"}, true);
    EXPECT_EQ(dialog->windowTitle(), "Save Battle File");
    EXPECT_EQ(dialog->nameFilters(), QStringList({"Keldmar 2 Scenarios (*.k2s)"}));
    EXPECT_EQ(dialog->defaultSuffix(), "k2s");
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(std::filesystem::path(dialog->directory().absolutePath().toStdString()), folder);
    ASSERT_FALSE(dialog->selectedFiles().isEmpty());
    EXPECT_TRUE(dialog->selectedFiles().front().endsWith("agincourt.k2s"));

    const auto open = chooser.BuildDialog({"Open Map File", "Bitmaps|*.bmp", ".map", folder, {}}, false);
    EXPECT_EQ(open->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(open->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(open->defaultSuffix(), "map");
}

TEST(QtMessageBoxesTest, PlainBoxHasTheTitleTextAndOneOk) {
    test::SoundRecorder sounds;
    TQRMMsgBox question(sounds);
    QtMessageBoxes boxes(question, nullptr);
    QString title, text;
    int buttons = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        buttons = int(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    });
    boxes.ShowPlain("Warning", "Hex Array Mem Allocation Error.");
    EXPECT_EQ(title, "Warning");
    EXPECT_EQ(text, "Hex Array Mem Allocation Error.");
    EXPECT_EQ(buttons, 1);
}

TEST(QtMessageBoxesTest, QuestionsGoToTheProgramsOwnBox) {
    test::SoundRecorder sounds;
    TQRMMsgBox question(sounds);
    QtMessageBoxes boxes(question, nullptr);
    QTimer::singleShot(0, [&] { question.findChild<QPushButton*>("nobtn")->click(); });
    EXPECT_EQ(boxes.Ask(2, 1), 2);
    EXPECT_EQ(question.windowTitle(), "Save Changes?");
    QTimer::singleShot(0, [&] { question.findChild<QPushButton*>("yesbtn")->click(); });
    EXPECT_EQ(boxes.Ask(2, 1), 1);
}

} // namespace
} // namespace k2
