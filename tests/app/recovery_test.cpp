// The recovery copy: its timing, what it records, and a battle brought back after the editor
// was killed.
#include "app/editor_context.h"
#include "app/main_window.h"
#include "app/recovery_store.h"
#include "common/battle_builder.h"
#include "common/recorders.h"
#include "core/battle_file.h"
#include "core/scenario_diff.h"

#include <QAction>
#include <QApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace {

using std::chrono::seconds;

class RecoveryStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("k2_recovery_" + std::to_string(std::random_device{}())) / "a";
        battle_ = k2::test::NewBattle(12, 10, "Ford", 3);
    }
    void TearDown() override { fs::remove_all(folder_.parent_path()); }
    k2::Scenario ReadCopy() {
        k2::Scenario read;
        EXPECT_TRUE(k2::ReadBattle(read, store_.BattleFile(), {}).ok);
        return read;
    }

    fs::path folder_;
    k2::Scenario battle_;
    std::chrono::system_clock::time_point now_{std::chrono::hours(500000)};
    k2::RecoveryStore store_{"unset", [this] { return now_; }};
};

TEST_F(RecoveryStoreTest, WritesAtTheFirstEditThenAtMostOnceAnInterval) {
    store_ = k2::RecoveryStore(folder_, [this] { return now_; });
    EXPECT_FALSE(store_.Pending());
    EXPECT_EQ(store_.AfterEdit(battle_, 130, "/b/ford.k2s").count(), 0);
    ASSERT_TRUE(store_.Pending());
    EXPECT_EQ(ReadCopy().BattleName.Str(), "Ford");

    // Too soon: nothing written, and the wait until the copy is due.
    battle_.BattleName = "Ford II";
    now_ += seconds(45);
    EXPECT_EQ(store_.AfterEdit(battle_, 130, "/b/ford.k2s"), std::chrono::milliseconds(15000));
    EXPECT_EQ(ReadCopy().BattleName.Str(), "Ford");
    now_ += seconds(15);
    EXPECT_EQ(store_.AfterEdit(battle_, 130, "/b/ford.k2s").count(), 0);
    EXPECT_EQ(ReadCopy().BattleName.Str(), "Ford II");
    // The battle in memory is left as it was (a save would have raised its count).
    EXPECT_EQ(battle_.SaveCount, 0);

    const auto pending = store_.Pending();
    ASSERT_TRUE(pending);
    EXPECT_EQ(pending->name, "Ford II");
    EXPECT_EQ(pending->originalPath, "/b/ford.k2s");
    EXPECT_THAT(pending->time, ::testing::MatchesRegex("[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}"));

    // Discarded, it is gone, and the next edit writes at once.
    store_.Discard();
    EXPECT_FALSE(store_.Pending());
    EXPECT_FALSE(fs::exists(store_.InfoFile()));
    now_ += seconds(1);
    EXPECT_EQ(store_.AfterEdit(battle_, 130, {}).count(), 0);
    EXPECT_TRUE(store_.Pending());
}

TEST_F(RecoveryStoreTest, AFolderThatCannotBeMadeFailsWithoutThrowing) {
    fs::create_directories(folder_.parent_path());
    std::ofstream(folder_) << "a file where the folder should be";
    store_ = k2::RecoveryStore(folder_ / "inner", [this] { return now_; });
    EXPECT_FALSE(store_.Write(battle_, 130, {}).ok);
    EXPECT_FALSE(store_.Pending());
}

#ifdef K2_RECOVERY_CHILD
// The editor is killed with its battle modified; the next start offers the copy, and Yes brings
// back exactly what it held, as a modified battle that must be saved under a chosen name.
TEST(RecoveryAfterKill, TheKilledEditorsBattleComesBackModified) {
    const fs::path root = fs::temp_directory_path() / ("k2_killed_" + std::to_string(std::random_device{}()));
    const fs::path install = root / "install";
    fs::create_directories(root);
    fs::copy(K2_STOCK_DIR, install, fs::copy_options::recursive);
    fs::remove(install / "battle.lst");
    const fs::path recovery = root / "recovery";
    const fs::path expected = root / "expected.k2s";
    k2::Scenario original = k2::test::NewBattle(30, 20, "Killed Field", 9, install / "sysdefs" / "K2Ter.Def");
    const fs::path battle = install / "scenarios" / "killed.k2s";
    ASSERT_TRUE(k2::WriteBattle(original, battle, 130).ok);

    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    editor.setProcessEnvironment(env);
    editor.start(K2_RECOVERY_CHILD,
                 {QString::fromStdString(install.string()), QString::fromStdString(battle.string()),
                  QString::fromStdString(recovery.string()), QString::fromStdString(expected.string())});
    ASSERT_TRUE(editor.waitForStarted(10000));
    QByteArray out;
    while (!out.contains("ready") && editor.waitForReadyRead(60000))
        out += editor.readAllStandardOutput();
    ASSERT_TRUE(out.contains("ready")) << editor.readAllStandardError().toStdString();
    editor.kill(); // SIGKILL
    ASSERT_TRUE(editor.waitForFinished(10000));
    EXPECT_EQ(editor.exitStatus(), QProcess::CrashExit);

    k2::PlatformSeams seams;
    seams.sounds = std::make_unique<k2::test::SoundRecorder>();
    auto boxes = std::make_unique<k2::test::MessageBoxRecorder>();
    k2::test::MessageBoxRecorder& asked = *boxes;
    asked.confirmAnswers = {true};
    seams.boxes = std::move(boxes);
    seams.chooser = std::make_unique<k2::test::ScriptedFileChooser>();
    seams.help = std::make_unique<k2::test::HelpRecorder>();
    seams.recoveryFolder = recovery;
    {
        k2::EditorContext context(install, std::move(seams));
        k2::TMainForm window(context);
        window.show();
        QApplication::processEvents(); // the offer comes once the window is up
        ASSERT_EQ(asked.confirmed.size(), 1u);
        EXPECT_THAT(asked.confirmed[0],
                    HasSubstr("Recover Battle: Recover the unsaved battle Killed Field from "));
        ASSERT_TRUE(window.Lifecycle().BattleActive());
        EXPECT_TRUE(window.Lifecycle().BattleModified());
        EXPECT_TRUE(window.Lifecycle().SaveAsRequired());
        EXPECT_EQ(window.Lifecycle().SavePath(), battle.string());
        EXPECT_FALSE(window.findChild<QAction*>("SaveMapFile")->isEnabled());

        k2::Scenario held;
        ASSERT_TRUE(k2::ReadBattle(held, expected, install / "sysdefs" / "K2Ter.Def").ok);
        EXPECT_TRUE(k2::ScenarioDiff::Between(held, context.Battle()).Empty());
        EXPECT_FALSE(k2::ScenarioDiff::Between(original, context.Battle()).Empty());
        EXPECT_EQ(context.Battle().SaveCount, original.SaveCount); // the file's count, not the copy's
    }
    fs::remove_all(root);
}
#endif

} // namespace
