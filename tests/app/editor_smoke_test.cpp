// Starts the real editor executable in the stock installation and ends it the way a desktop
// session does, checking that it came up, stayed up and closed cleanly.
#include <QProcess>
#include <QProcessEnvironment>
#include <gmock/gmock.h>

#include <filesystem>

namespace {

TEST(EditorSmoke, StartsInTheStockInstallationAndClosesCleanly) {
    ASSERT_TRUE(std::filesystem::exists(K2_EDITOR_PATH));
    ASSERT_TRUE(std::filesystem::exists(std::filesystem::path(K2_STOCK_DIR) / "scenarios"));
    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    editor.setProcessEnvironment(env);
    editor.setWorkingDirectory(K2_STOCK_DIR);
    editor.setProcessChannelMode(QProcess::MergedChannels);
    editor.start(K2_EDITOR_PATH, {});
    ASSERT_TRUE(editor.waitForStarted(10000));
    // Still running after start-up: it did not crash or refuse its installation.
    EXPECT_FALSE(editor.waitForFinished(2500)) << editor.readAll().toStdString();
    editor.terminate();
    ASSERT_TRUE(editor.waitForFinished(20000));
    const std::string output = editor.readAll().toStdString();
    EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit) << output;
    EXPECT_EQ(editor.exitCode(), 0) << output;
    EXPECT_THAT(output, ::testing::Not(::testing::HasSubstr("AddressSanitizer")));
    EXPECT_THAT(output, ::testing::Not(::testing::HasSubstr("runtime error")));
}

} // namespace
