// The editor's command line: the battle to open, --help, --version and usage errors, parsed and
// as the program answers them.
#include "app/command_line.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gmock/gmock.h>

namespace k2 {
namespace {

using Action = EditorCommandLine::Action;
using ::testing::HasSubstr;

TEST(EditorCommandLineTest, ParsesTheBattleAndTheOptions) {
    struct Case {
        QStringList arguments; // after the program's name
        Action action;
        QString battleFile;
    };
    const Case cases[] = {
        {{}, Action::Run, ""},
        {{"Border Skirmish.k2s"}, Action::Run, "/home/designer/battles/Border Skirmish.k2s"},
        {{"../old/Raid.SCN"}, Action::Run, "/home/designer/old/Raid.SCN"},
        {{"/srv/k2/x.k2s"}, Action::Run, "/srv/k2/x.k2s"},
        {{"--", "-odd name.k2s"}, Action::Run, "/home/designer/battles/-odd name.k2s"},
        {{"-platform", "offscreen", "a.k2s"}, Action::Run, "/home/designer/battles/a.k2s"},
        {{"-style=fusion", "-reverse", "--platform", "xcb"}, Action::Run, ""},
        {{"--help"}, Action::ShowHelp, ""},
        {{"-h", "a.k2s"}, Action::ShowHelp, ""},
        {{"--help-all"}, Action::ShowHelp, ""},
        {{"--bogus", "--help"}, Action::ShowHelp, ""},
        {{"--version"}, Action::ShowVersion, ""},
        {{"-v"}, Action::ShowVersion, ""},
        {{"--bogus"}, Action::UsageError, ""},
        {{"-x", "a.k2s"}, Action::UsageError, ""},
        {{"a.k2s", "b.k2s"}, Action::UsageError, ""},
    };
    for (const Case& c : cases) {
        const EditorCommandLine line = ParseEditorCommandLine(
            QStringList{"/usr/bin/keldmar2-editor"} + c.arguments, "/home/designer/battles");
        const std::string name = c.arguments.join(' ').toStdString();
        EXPECT_EQ(line.action, c.action) << name;
        EXPECT_EQ(line.battleFile, c.battleFile) << name;
    }
}

TEST(EditorCommandLineTest, TextsNameTheProgramAndTheVersion) {
    const auto parse = [](const QString& option) {
        return ParseEditorCommandLine({"/usr/bin/keldmar2-editor", option}, "/tmp").text.toStdString();
    };
    EXPECT_EQ(parse("--version"), std::string("keldmar2-editor ") + K2_VERSION + "\n");
    const std::string help = parse("--help");
    EXPECT_THAT(help, HasSubstr("[FILE]"));
    EXPECT_THAT(help, HasSubstr("--version"));
    EXPECT_THAT(help, HasSubstr("Open Battle"));
    EXPECT_THAT(help, HasSubstr("Usage: keldmar2-editor"));
    EXPECT_THAT(help, ::testing::Not(HasSubstr("platform"))) << "Qt's options are Qt's to explain";
    const std::string error = parse("--colour");
    EXPECT_THAT(error, HasSubstr("colour"));
    EXPECT_THAT(error, HasSubstr("Usage: keldmar2-editor"));
}

// The program itself: the answers come before any window, with the exit statuses users script on.
TEST(EditorCommandLineTest, TheProgramAnswersAndExits) {
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* out;
        const char* err;
    };
    const Case cases[] = {
        {{"--version"}, 0, "keldmar2-editor " K2_VERSION "\n", ""},
        {{"--help"}, 0, "--version", ""},
        {{"--frobnicate"}, UsageExitStatus, "", "frobnicate"},
        {{"one.k2s", "two.k2s"}, UsageExitStatus, "", "Only one battle"},
    };
    QTemporaryDir elsewhere;
    for (const Case& c : cases) {
        QProcess editor;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // No display at all: none of these answers needs one.
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        if (c.exitCode == 0)
            env.remove("QT_QPA_PLATFORM");
        else
            env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", elsewhere.path());
        // The exit status is what is checked here; a sanitizer build's leak report would replace it.
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        editor.setProcessEnvironment(env);
        editor.setWorkingDirectory(elsewhere.path());
        editor.start(K2_EDITOR_PATH, c.arguments);
        ASSERT_TRUE(editor.waitForFinished(30000));
        const std::string name = c.arguments.join(' ').toStdString();
        EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit) << name;
        EXPECT_EQ(editor.exitCode(), c.exitCode) << name;
        const std::string out = editor.readAllStandardOutput().toStdString();
        const std::string err = editor.readAllStandardError().toStdString();
        if (c.exitCode == 0 && std::string(c.out).ends_with("\n"))
            EXPECT_EQ(out, c.out) << name;
        else
            EXPECT_THAT(out, HasSubstr(c.out)) << name;
        EXPECT_THAT(err, HasSubstr(c.err)) << name;
        if (c.exitCode != 0) {
            EXPECT_TRUE(out.empty()) << name;
        }
    }
}

} // namespace
} // namespace k2
