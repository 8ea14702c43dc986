// The editor's entry point: the installation directory is the working directory.
#include "app/battle_lifecycle.h"
#include "app/editor_context.h"
#include "app/main_window.h"

#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>
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
                std::printf("window up %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
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
    QApplication app(argc, argv);
    // Settings go to ~/.config/Tessary/Keldmar 2.conf and the recovery copy under
    // ~/.local/share/Tessary/Keldmar 2/.
    QApplication::setOrganizationName("Tessary");
    QApplication::setApplicationName("Keldmar 2");

    std::error_code ec;
    const std::filesystem::path installDir = std::filesystem::current_path(ec);
    const k2::Status usable = ec ? k2::Status::Fail("The working directory cannot be read.")
                                 : k2::BattleLifecycle::CheckInstallDir(installDir);
    if (!usable) {
        QMessageBox::critical(nullptr, "Error", QString::fromStdString(usable.message));
        return 1;
    }

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

    StartupProbe probe;
    if (qEnvironmentVariableIsSet("K2_STARTUP_PROBE")) window.installEventFilter(&probe);
    window.show();
    return app.exec();
}
