// Start-up of the editor: from the moment the process is started to the first paint of its main
// window, on the stock installation. Under X (DISPLAY set, e.g. Xvfb) it measures the real
// window system; otherwise the offscreen platform.
#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <benchmark/benchmark.h>

#include <ctime>

namespace {

long long NowNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

void BM_EditorStartup(benchmark::State& state) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("K2_STARTUP_PROBE", "1");
    if (!env.contains("DISPLAY") && !env.contains("QT_QPA_PLATFORM"))
        env.insert("QT_QPA_PLATFORM", "offscreen");
    for (auto _ : state) {
        QProcess editor;
        editor.setProcessEnvironment(env);
        editor.setWorkingDirectory(K2_STOCK_DIR);
        const long long started = NowNs();
        editor.start(K2_EDITOR_PATH, {});
        if (!editor.waitForFinished(20000)) {
            state.SkipWithError("the editor did not report its window");
            editor.kill();
            editor.waitForFinished();
            return;
        }
        const QByteArray out = editor.readAllStandardOutput();
        const qsizetype at = out.indexOf("window up ");
        if (at < 0) {
            state.SkipWithError("the editor did not report its window");
            return;
        }
        const long long up = out.mid(at + 10).trimmed().toLongLong();
        state.SetIterationTime(double(up - started) / 1e9);
    }
}
BENCHMARK(BM_EditorStartup)->UseManualTime()->Iterations(3)->Repetitions(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
