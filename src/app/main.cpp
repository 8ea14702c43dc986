// The editor's entry point: the command line, the installation directory (the working directory
// when it holds one, else the user's own copy of the packaged one) and the main window.
#include "app/battle_drop.h"
#include "app/battle_lifecycle.h"
#include "app/command_line.h"
#include "app/editor_context.h"
#include "app/main_window.h"
#include "core/install_locator.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <sys/socket.h>
#include <system_error>
#include <unistd.h>

namespace {

int terminateFds[2] = {-1, -1};

// A session that ends sends SIGTERM; the window is then closed the ordinary way (asking about
// unsaved changes) instead of the process dying with the battle in memory.
void OnTerminate(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(terminateFds[0], &byte, 1);
}

// With K2_STARTUP_PROBE set (the start-up benchmark sets it), the editor prints the wall clock
// time at which its main window first painted, in nanoseconds, and ends.
class StartupProbe : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !reported_) {
            reported_ = true;
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_REALTIME, &now);
                std::printf("window up %lld\n",
                            static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool reported_ = false;
};

} // namespace

int main(int argc, char** argv) {
    // The command line is answered before the display is reached, so that --help, --version and a
    // usage error work in any terminal.
    QStringList arguments;
    for (int k = 0; k < argc; ++k)
        arguments << QString::fromLocal8Bit(argv[k]);
    const k2::EditorCommandLine command = k2::ParseEditorCommandLine(arguments, QDir::currentPath());
    switch (command.action) {
    case k2::EditorCommandLine::Action::ShowHelp:
    case k2::EditorCommandLine::Action::ShowVersion:
        std::fputs(command.text.toLocal8Bit().constData(), stdout);
        return 0;
    case k2::EditorCommandLine::Action::UsageError:
        std::fputs(command.text.toLocal8Bit().constData(), stderr);
        return k2::UsageExitStatus;
    case k2::EditorCommandLine::Action::Run:
        break;
    }

    QApplication app(argc, argv);
    // Settings go to ~/.config/Tessary/Keldmar 2.conf; the recovery copy and the user's own
    // installation under ~/.local/share/Tessary/Keldmar 2/.
    QApplication::setOrganizationName("Tessary");
    QApplication::setApplicationName("Keldmar 2");
    QApplication::setApplicationVersion(K2_VERSION);
    QApplication::setDesktopFileName("com.tessary.Keldmar2Editor");

    std::error_code ec;
    const std::filesystem::path working = std::filesystem::current_path(ec);
    if (ec) {
        QMessageBox::critical(nullptr, "Error", "The working directory cannot be read.");
        return 1;
    }
    const std::filesystem::path userInstall =
        std::filesystem::path(
            QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation).toStdString()) /
        "install";
    const k2::InstallationChoice choice =
        k2::LocateInstallation(working, k2::PackagedStockDir(k2::RunningExecutable()), userInstall);
    if (!choice.status)
        QMessageBox::warning(nullptr, "Warning", QString::fromStdString(choice.status.message));
    const std::filesystem::path installDir = choice.dir;
    const k2::Status usable = k2::BattleLifecycle::CheckInstallDir(installDir);
    if (!usable) {
        QMessageBox::critical(nullptr, "Error", QString::fromStdString(usable.message));
        return 1;
    }
    // The rest of the program may rely on the installation being the working directory.
    std::filesystem::current_path(installDir, ec);

    k2::EditorContext context(installDir, k2::MakeQtSeams(installDir));
    k2::TMainForm window(context);

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, terminateFds) == 0) {
        auto* notifier = new QSocketNotifier(terminateFds[1], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
            char byte = 0;
            [[maybe_unused]] const ssize_t n = ::read(terminateFds[1], &byte, 1);
            window.close();
        });
        std::signal(SIGTERM, OnTerminate);
    }

    // A battle file dropped on the window opens as Open Battle would open it.
    k2::BattleDropFilter drops(
        [&window](const QString& path) { k2::OpenBattleFile(window.Lifecycle(), path); });
    window.setAcceptDrops(true);
    window.installEventFilter(&drops);

    StartupProbe probe;
    if (qEnvironmentVariableIsSet("K2_STARTUP_PROBE")) window.installEventFilter(&probe);
    window.show();
    // After the offer of a recovery copy, which was queued when the window was made.
    if (!command.battleFile.isEmpty())
        QTimer::singleShot(0, &window, [&window, file = command.battleFile] {
            k2::OpenBattleFile(window.Lifecycle(), file);
        });
    return app.exec();
}
