// k2tool: the command-line companion of the editor, for inspecting, checking, converting and
// rendering battle files of an installation, for editing them from a script and for making new
// battles with generated terrain.
#include "edit_command.h"
#include "forces_commands.h"
#include "generate_command.h"
#include "render_command.h"
#include "tool_commands.h"

#include "core/install_locator.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* Usage = R"(usage: k2tool COMMAND ... [--install DIR]

The installation directory is the working directory when it holds one, else your own
installation (~/.local/share/Tessary/Keldmar 2/install), which the editor and this tool make
from the packaged one. --install DIR names another; it may stand before or after the command.

Commands:
  dump FILE [--ratings]   print the battle as JSON (--ratings adds the unit ratings and SidePoints)
  check FILE [--rules]    print "ok", or the reason the editor would refuse the file; --rules runs
                          Check Battle and prints its findings as JSON (exit 1 when one is an error)
  convert IN OUT          read IN (current or legacy), sort its units and write OUT in the current layout
  render ...              draw a battle as the map view shows it (k2tool render --help)
  edit FILE --script OPS.json --out NEW.k2s [--seed N]
                          apply the ops of a JSON script as the editor does (k2tool edit --help)
  generate --cols C --rows R --seed N [--hills 0-100 ...] --out NEW.k2s
                          write a new battle with generated terrain (k2tool generate --help)
  stats FILE              print both forces' army statistics as JSON
  oob FILE --side 1|2 [--schedule]
                          print a side's order of battle (sorted first) or its reinforcement schedule as JSON
  --help                  show this list
  --version               show the version

Exit status: 0 success, 1 a file refused or not written, 2 a usage error.
)";

// The editor's way: the working directory if it holds an installation, else the user's own copy.
std::filesystem::path FindInstallation() {
    QCoreApplication::setOrganizationName("Tessary");
    QCoreApplication::setApplicationName("Keldmar 2");
    std::error_code ec;
    const std::filesystem::path working = std::filesystem::current_path(ec);
    const std::filesystem::path user =
        std::filesystem::path(
            QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation).toStdString()) /
        "install";
    const k2::InstallationChoice choice =
        k2::LocateInstallation(working, k2::PackagedStockDir(k2::RunningExecutable()), user);
    if (!choice.status) std::cerr << "k2tool: " << choice.status.message << "\n";
    return choice.dir;
}

} // namespace

int main(int argc, char** argv) {
    // --install is the tool's own option, wherever it stands: before the command or among its words.
    std::vector<std::string> args;
    std::optional<std::filesystem::path> install;
    for (int k = 1; k < argc; ++k) {
        const std::string word = argv[k];
        if (word != "--install") {
            args.push_back(word);
            continue;
        }
        if (k + 1 == argc) {
            std::cerr << "k2tool: --install needs a directory\n" << Usage;
            return k2tool::ExitUsage;
        }
        if (install) {
            std::cerr << "k2tool: --install given twice\n" << Usage;
            return k2tool::ExitUsage;
        }
        install = argv[++k];
    }
    std::size_t i = 0;
    for (; i < args.size() && args[i].starts_with("-"); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            std::cout << Usage;
            return k2tool::ExitOk;
        }
        if (args[i] == "--version") {
            std::cout << "k2tool " << K2_VERSION << "\n";
            return k2tool::ExitOk;
        }
        std::cerr << "k2tool: unknown option " << args[i] << "\n" << Usage;
        return k2tool::ExitUsage;
    }
    if (i == args.size()) {
        std::cerr << Usage;
        return k2tool::ExitUsage;
    }
    const std::filesystem::path installDir = install ? *install : FindInstallation();
    if (!std::filesystem::is_directory(installDir)) {
        std::cerr << "k2tool: installation directory " << installDir.string() << " does not exist\n";
        return k2tool::ExitUsage;
    }
    const std::string command = args[i];
    const std::vector<std::string> rest(args.begin() + std::ptrdiff_t(i) + 1, args.end());
    if (command == "dump") return k2tool::DumpCommand(installDir, rest);
    if (command == "check") return k2tool::CheckCommand(installDir, rest);
    if (command == "convert") return k2tool::ConvertCommand(installDir, rest);
    if (command == "render") return k2tool::RenderCommand(installDir, rest);
    if (command == "stats") return k2tool::StatsCommand(installDir, rest);
    if (command == "oob") return k2tool::OobCommand(installDir, rest);
    if (command == "edit") return k2tool::EditCommand(installDir, rest);
    if (command == "generate") return k2tool::GenerateCommand(installDir, rest);
    if (command == "help") {
        std::cout << Usage;
        return k2tool::ExitOk;
    }
    std::cerr << "k2tool: unknown command " << command << "\n" << Usage;
    return k2tool::ExitUsage;
}
