// The editor as a test kills it: the real main window offscreen, with the platform's questions
// answered by recorders and its recovery copy kept in a given folder, written at most once a
// second. It opens a battle, lays caltrops on two hexes through map clicks, writes what it holds
// to EXPECTED, prints "ready" once its recovery copy holds the same and then waits to be killed.
//
// usage: recovery_child INSTALL BATTLE RECOVERY_FOLDER EXPECTED
#include "app/editor_context.h"
#include "app/main_window.h"
#include "common/recorders.h"
#include "core/battle_file.h"
#include "core/file_io.h"

#include <QApplication>
#include <QThread>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: recovery_child INSTALL BATTLE RECOVERY_FOLDER EXPECTED\n");
        return 2;
    }
    QApplication app(argc, argv);
    k2::PlatformSeams seams;
    seams.sounds = std::make_unique<k2::test::SoundRecorder>();
    seams.boxes = std::make_unique<k2::test::MessageBoxRecorder>();
    seams.chooser = std::make_unique<k2::test::ScriptedFileChooser>();
    seams.help = std::make_unique<k2::test::HelpRecorder>();
    seams.recoveryFolder = argv[3];
    seams.recoveryInterval = std::chrono::seconds(1);
    k2::EditorContext context(argv[1], std::move(seams));
    k2::TMainForm window(context);
    window.show();
    QApplication::processEvents();
    if (!window.Lifecycle().LoadBattle(argv[2])) return 3;

    window.Commands().PlaceCaltrops();
    for (const int32_t hex : {context.Battle().Cols * 3 + 4, context.Battle().Cols * 5 + 7}) {
        window.Dispatch().Press(true, k2::MapButton::Left, hex);
        window.Dispatch().Release();
    }
    if (!window.Lifecycle().BattleModified()) return 4;
    std::vector<uint8_t> bytes;
    if (!k2::EncodeBattle(context.Battle(), context.Symbols().TerrainCount(), bytes)) return 5;
    if (k2::WriteFileAtomically(argv[4], bytes).result != k2::WriteFileResult::Ok) return 5;

    // The clicks came too soon after the copy the mode change wrote; the editor's own timer
    // writes the next one.
    const std::filesystem::path copy = std::filesystem::path(argv[3]) / "recovery.k2s";
    const auto holdsTheEdits = [&copy, &bytes] {
        std::ifstream in(copy, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}) == bytes;
    };
    while (!holdsTheEdits()) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
