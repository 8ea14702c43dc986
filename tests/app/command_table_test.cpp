// The command table's rules: every row is in the window as written, the rows that wait for a
// battle follow it, and no key is given to two commands.
#include "app/command_table.h"
#include "app/editor_context.h"
#include "app/main_window.h"
#include "common/recorders.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

QString ToQString(std::string_view text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QList<QKeySequence> KeysOf(const k2::CommandRow& row) {
    QList<QKeySequence> keys;
    for (std::string_view text : row.keys)
        if (!text.empty()) keys.push_back(QKeySequence(ToQString(text)));
    return keys;
}

bool IsMenuRow(const k2::CommandRow& row) {
    return row.kind == k2::CommandKind::Item || row.kind == k2::CommandKind::Switch ||
           row.kind == k2::CommandKind::OverviewDock;
}

TEST(CommandTableTest, EveryKeyIsReadAsWrittenAndBelongsToOneCommand) {
    std::map<QKeySequence, std::string_view> owners;
    for (const k2::CommandRow& row : k2::CommandTable) {
        for (std::string_view text : row.keys) {
            if (text.empty()) continue;
            const QKeySequence keys(ToQString(text));
            // A misspelt key ("Ctrl+Shft+S") reads as nothing or as something else.
            EXPECT_EQ(keys.toString(QKeySequence::PortableText), ToQString(text)) << std::string(row.name);
            const auto [owner, added] = owners.emplace(keys, row.name);
            EXPECT_TRUE(added) << std::string(text) << " is the key of " << std::string(owner->second)
                               << " and of " << std::string(row.name);
        }
    }
}

TEST(CommandTableTest, EveryCommandRunsExactlyOneMethodAndIsNamedOnce) {
    std::map<std::string_view, int> names;
    for (const k2::CommandRow& row : k2::CommandTable) {
        if (row.kind == k2::CommandKind::Separator) continue;
        ++names[row.name];
        const bool runs = row.kind == k2::CommandKind::Item || row.kind == k2::CommandKind::MapKeys;
        EXPECT_EQ((row.window != nullptr) + (row.edit != nullptr), runs ? 1 : 0) << std::string(row.name);
        EXPECT_EQ(row.menu == k2::CommandMenu::None, row.kind == k2::CommandKind::MapKeys)
            << std::string(row.name);
    }
    for (const auto& [name, count] : names)
        EXPECT_EQ(count, 1) << std::string(name);
}

// The editor on the stock installation, which these tests only read.
class CommandTableWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        k2::PlatformSeams seams;
        seams.sounds = std::make_unique<k2::test::SoundRecorder>();
        seams.boxes = std::make_unique<k2::test::MessageBoxRecorder>();
        auto chooser = std::make_unique<k2::test::ScriptedFileChooser>();
        chooser_ = chooser.get();
        seams.chooser = std::move(chooser);
        seams.help = std::make_unique<k2::test::HelpRecorder>();
        context_ = std::make_unique<k2::EditorContext>(K2_STOCK_DIR, std::move(seams));
        window_ = std::make_unique<k2::TMainForm>(*context_);
        window_->show();
        QApplication::processEvents();
    }

    QAction* Item(std::string_view name) const { return window_->findChild<QAction*>(ToQString(name)); }

    void OpenStockBattle() {
        chooser_->openAnswers.push_back(std::filesystem::path(K2_STOCK_DIR) / "scenarios" /
                                        "Border Skirmish.k2s");
        Item(k2::cmd::OpenBattle)->trigger();
        QApplication::processEvents();
        ASSERT_TRUE(window_->Lifecycle().BattleActive());
    }

    k2::test::ScriptedFileChooser* chooser_ = nullptr;
    std::unique_ptr<k2::EditorContext> context_;
    std::unique_ptr<k2::TMainForm> window_;
};

TEST_F(CommandTableWindowTest, EveryRowIsInItsMenuWithItsCaptionAndKeys) {
    for (const k2::MenuHeading& heading : k2::MenuHeadings) {
        const QMenu* menu = window_->menuBar()->findChild<QMenu*>(ToQString(heading.name));
        ASSERT_NE(menu, nullptr) << std::string(heading.name);
        EXPECT_EQ(menu->title(), ToQString(heading.title));
        for (const k2::CommandRow& row : k2::CommandTable) {
            if (row.menu != heading.menu || !IsMenuRow(row)) continue;
            QAction* item = Item(row.name);
            ASSERT_NE(item, nullptr) << std::string(row.name);
            EXPECT_TRUE(menu->actions().contains(item)) << std::string(row.name);
            EXPECT_EQ(item->shortcuts(), KeysOf(row)) << std::string(row.name);
            if (row.kind == k2::CommandKind::Switch) continue; // its caption says its state
            EXPECT_EQ(item->text(), ToQString(row.caption)) << std::string(row.name);
        }
    }
}

TEST_F(CommandTableWindowTest, RowsThatWaitForABattleAreEnabledOnlyWithOne) {
    const auto expectEnabled = [this](bool withBattle) {
        for (const k2::CommandRow& row : k2::CommandTable) {
            if (row.kind == k2::CommandKind::Item || row.kind == k2::CommandKind::Switch) {
                if (row.enabling == k2::Enabling::Own) continue;
                const bool expected = row.enabling == k2::Enabling::Always || withBattle;
                EXPECT_EQ(Item(row.name)->isEnabled(), expected)
                    << std::string(row.name) << " " << withBattle;
            } else if (row.kind == k2::CommandKind::MapKeys && !withBattle) {
                // With a battle the view enables its zoom buttons by the zoom level as well.
                const QWidget* control = window_->findChild<QWidget*>(ToQString(row.name));
                ASSERT_NE(control, nullptr) << std::string(row.name);
                EXPECT_FALSE(control->isEnabled()) << std::string(row.name);
            }
        }
    };
    expectEnabled(false);
    OpenStockBattle();
    expectEnabled(true);
}

} // namespace
