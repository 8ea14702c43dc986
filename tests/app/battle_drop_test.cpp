// Battle files dropped on the main window: which drags are taken, and that a drop opens the
// battle as Open Battle does, asking about unsaved changes first.
#include "app/battle_drop.h"
#include "app/editor_context.h"
#include "app/main_window.h"
#include "common/recorders.h"
#include "core/battle_file.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

namespace k2 {
namespace {
namespace fs = std::filesystem;

std::unique_ptr<QMimeData> Urls(const QStringList& urls) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> list;
    for (const QString& u : urls)
        list << QUrl(u);
    data->setUrls(list);
    return data;
}

TEST(BattleDropTest, TakesOneLocalBattleFile) {
    struct Case {
        QStringList urls;
        QString expected;
    };
    const Case cases[] = {
        {{"file:///home/d/Border Skirmish.k2s"}, "/home/d/Border Skirmish.k2s"},
        {{"file:///home/d/OLD%20RAID.SCN"}, "/home/d/OLD RAID.SCN"},
        {{"file:///home/d/notes.txt"}, ""},
        {{"file:///home/d/k2s"}, ""},
        {{"file:///home/d/a.k2s", "file:///home/d/b.k2s"}, ""},
        {{"https://example.org/a.k2s"}, ""},
        {{}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DroppedBattleFile(Urls(c.urls).get()), c.expected) << c.urls.join(' ').toStdString();
    QMimeData text;
    text.setText("/home/d/a.k2s");
    EXPECT_EQ(DroppedBattleFile(&text), "");
}

class DropOnWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        install_ = fs::temp_directory_path() / ("k2_drop_" + std::to_string(std::random_device{}()));
        fs::copy(K2_STOCK_DIR, install_, fs::copy_options::recursive);
        fs::remove(install_ / "battle.lst");
        PlatformSeams seams;
        seams.sounds = std::make_unique<test::SoundRecorder>();
        auto boxes = std::make_unique<test::MessageBoxRecorder>();
        boxes_ = boxes.get();
        seams.boxes = std::move(boxes);
        seams.chooser = std::make_unique<test::ScriptedFileChooser>();
        seams.help = std::make_unique<test::HelpRecorder>();
        context_ = std::make_unique<EditorContext>(install_, std::move(seams));
        window_ = std::make_unique<TMainForm>(*context_);
        filter_ = std::make_unique<BattleDropFilter>(
            [this](const QString& path) { OpenBattleFile(window_->Lifecycle(), path); });
        window_->setAcceptDrops(true);
        window_->installEventFilter(filter_.get());
        window_->resize(900, 640);
        window_->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        filter_.reset();
        window_.reset();
        context_.reset();
        fs::remove_all(install_);
    }

    // A drag over the window and, when it was taken, the drop. Returns whether the drag was taken.
    bool DragAndDrop(const QString& file) {
        auto data = Urls({QUrl::fromLocalFile(file).toString()});
        const QPoint at(300, 300);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(window_.get(), &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(window_.get(), &drop);
        EXPECT_TRUE(drop.isAccepted());
        EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
        return true;
    }

    QString Battle(const char* name) const {
        return QString::fromStdString((install_ / "scenarios" / name).string());
    }
    BattleLifecycle& Lifecycle() { return window_->Lifecycle(); }

    fs::path install_;
    test::MessageBoxRecorder* boxes_ = nullptr;
    std::unique_ptr<EditorContext> context_;
    std::unique_ptr<TMainForm> window_;
    std::unique_ptr<BattleDropFilter> filter_;
};

TEST_F(DropOnWindowTest, ADroppedBattleOpensOnceTheDropIsOver) {
    const QString small = Battle("Border Skirmish.k2s");
    EXPECT_FALSE(DragAndDrop(Battle("K2T.ter")));
    ASSERT_TRUE(DragAndDrop(small));
    // The open waits for the drop to end: the file manager is not held by a question.
    EXPECT_FALSE(Lifecycle().BattleActive());
    QApplication::processEvents();
    EXPECT_TRUE(Lifecycle().BattleActive());
    EXPECT_EQ(Lifecycle().CurrentPath(), small.toStdString());
    EXPECT_TRUE(boxes_->Silent());
}

TEST_F(DropOnWindowTest, UnsavedChangesAreAskedAboutFirst) {
    ASSERT_TRUE(DragAndDrop(Battle("Border Skirmish.k2s")));
    QApplication::processEvents();
    Lifecycle().MarkModified();
    const QString legacy = Battle("Old Raid.scn");
    ASSERT_TRUE(DragAndDrop(legacy));
    QApplication::processEvents();
    EXPECT_EQ(boxes_->asked.size(), 1u);
    EXPECT_EQ(Lifecycle().CurrentPath(), legacy.toStdString());
    EXPECT_FALSE(Lifecycle().BattleModified());
}

TEST_F(DropOnWindowTest, ARefusedFileLeavesItsMessageAndNoBattle) {
    const fs::path bad = install_ / "scenarios" / "bad.k2s";
    std::ofstream(bad, std::ios::binary) << std::string("\x00\xc8\x00\x01", 4);
    ASSERT_TRUE(DragAndDrop(QString::fromStdString(bad.string())));
    QApplication::processEvents();
    EXPECT_FALSE(Lifecycle().BattleActive());
    ASSERT_EQ(boxes_->plain.size(), 1u);
    EXPECT_THAT(boxes_->plain[0], ::testing::StartsWith("Warning: Could not read selected file"));
}

} // namespace
} // namespace k2
