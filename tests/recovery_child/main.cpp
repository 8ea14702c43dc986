// The editor as a test kills it: the real main window offscreen, with the platform's questions
// answered by recorders and its recovery copy kept in a given folder, written at most once a
// second. It opens a battle, edits it through map clicks and a stroke, writes what it holds to
// EXPECTED, prints "ready" once a quiet second later its recovery copy holds the same, and then
// waits to be killed.
//
// usage: recovery_child INSTALL BATTLE RECOVERY_FOLDER EXPECTED
#include "app/editor_context.h"
#include "app/main_window.h"
#include "common/recorders.h"
#include "core/battle_file.h"
#include "core/file_io.h"

#include <QApplication>
#include <QThread>

#include <chrono>

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

    // A caltrops click, then once the copy holds it, a primary terrain stroke: both come too
    // soon after the copy before them, so the editor's own timer must write each.
    const std::filesystem::path copy = std::filesystem::path(argv[3]) / "recovery.k2s";
    const auto copyHolds = [&copy](const std::vector<uint8_t>& bytes) {
        std::ifstream in(copy, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}) == bytes;
    };
    const auto current = [&context] {
        std::vector<uint8_t> bytes;
        k2::EncodeBattle(context.Battle(), context.Symbols().TerrainCount(), bytes);
        return bytes;
    };
    // Waits past the interval, as a user who stops working would; false when the copy missed it.
    // A machine busy with other work may fire the timer late, so the wait goes on for a while
    // after the interval until the copy holds the battle.
    const auto quietInterval = [&](const std::vector<uint8_t>& bytes) {
        const auto start = std::chrono::steady_clock::now();
        const auto passed = [start](int ms) {
            return std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(ms);
        };
        while (!passed(1600) || (!copyHolds(bytes) && !passed(8000))) {
            QApplication::processEvents();
            QThread::msleep(20);
        }
        return copyHolds(bytes);
    };
    const int32_t cols = context.Battle().Cols;

    window.Commands().PlaceCaltrops();
    window.Commands().MapPressed(true, k2::MapButton::Left, cols * 3 + 4);
    window.Dispatch().Release();
    if (!quietInterval(current())) return 6;

    context.Edit().SelectedTerrain = context.Edit().SelectedBaseTerrain = 16;
    window.Commands().PlacePrimaryTerrain();
    window.Commands().MapPressed(true, k2::MapButton::Left, cols * 5 + 7);
    window.Commands().MapDragged(cols * 5 + 8);
    window.Commands().MapDragged(cols * 6 + 8);
    window.Dispatch().Release();
    if (!window.Lifecycle().BattleModified()) return 4;
    const std::vector<uint8_t> bytes = current();
    if (bytes.empty()) return 5;
    if (k2::WriteFileAtomically(argv[4], bytes).result != k2::WriteFileResult::Ok) return 5;
    if (!quietInterval(bytes)) return 7;

    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
