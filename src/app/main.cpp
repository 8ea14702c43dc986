// The editor's entry point: the installation directory is the working directory.
#include "app/battle_lifecycle.h"
#include "app/editor_context.h"
#include "app/main_window.h"

#include <QApplication>
#include <QMessageBox>

#include <filesystem>
#include <system_error>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessary:Keldmar 2");

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
    window.show();
    return app.exec();
}
