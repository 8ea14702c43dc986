#include "app/recovery_store.h"

#include "core/battle_file.h"
#include "core/file_io.h"

#include <QDateTime>
#include <QStandardPaths>
#include <QString>

#include <fstream>
#include <vector>

namespace k2 {

namespace {

std::string FormatTime(std::chrono::system_clock::time_point when) {
    const qint64 seconds = std::chrono::duration_cast<std::chrono::seconds>(when.time_since_epoch()).count();
    return QDateTime::fromSecsSinceEpoch(seconds).toString("yyyy-MM-dd hh:mm").toStdString();
}

// The info file: the name, the original path and the time, one a line.
std::string InfoText(const Scenario& scenario, const std::string& originalPath, const std::string& time) {
    std::string name = scenario.BattleName.Str();
    if (name.empty()) name = std::filesystem::path(originalPath).filename().string();
    if (name.empty()) name = "(unnamed)";
    return name + "\n" + originalPath + "\n" + time + "\n";
}

} // namespace

RecoveryStore::RecoveryStore(std::filesystem::path folder, Clock clock, std::chrono::seconds interval)
    : folder_(std::move(folder)), clock_(std::move(clock)), interval_(interval) {}

std::filesystem::path RecoveryStore::DefaultFolder() {
    const QString location = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (location.isEmpty()) return {};
    return std::filesystem::path(location.toStdString());
}

std::chrono::milliseconds RecoveryStore::AfterEdit(const Scenario& scenario, int32_t terrainSymbolCount,
                                                   const std::string& originalPath) {
    const auto now = clock_();
    if (lastWrite_ && now - *lastWrite_ < interval_)
        return std::chrono::duration_cast<std::chrono::milliseconds>(interval_ - (now - *lastWrite_));
    // A failed write is not retried before the interval either: the editor stays usable on a
    // full disk, and the next edit after it tries again.
    lastWrite_ = now;
    Write(scenario, terrainSymbolCount, originalPath);
    return std::chrono::milliseconds(0);
}

Status RecoveryStore::Write(const Scenario& scenario, int32_t terrainSymbolCount,
                            const std::string& originalPath) {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error) return Status::Fail("The recovery folder cannot be made: " + error.message());
    std::vector<uint8_t> bytes;
    Status encoded = EncodeBattle(scenario, terrainSymbolCount, bytes);
    if (!encoded) return encoded;
    WriteFileOutcome written = WriteFileAtomically(BattleFile(), bytes);
    if (written.result != WriteFileResult::Ok)
        return Status::Fail("The recovery copy cannot be written: " + written.detail);
    const std::string info = InfoText(scenario, originalPath, FormatTime(clock_()));
    written = WriteFileAtomically(InfoFile(),
                                  std::span(reinterpret_cast<const uint8_t*>(info.data()), info.size()));
    if (written.result != WriteFileResult::Ok)
        return Status::Fail("The recovery copy cannot be written: " + written.detail);
    return Status::Ok();
}

void RecoveryStore::Discard() {
    std::error_code error;
    std::filesystem::remove(BattleFile(), error);
    std::filesystem::remove(InfoFile(), error);
    lastWrite_.reset();
}

std::optional<PendingRecovery> RecoveryStore::Pending() const {
    std::error_code error;
    if (!std::filesystem::is_regular_file(BattleFile(), error)) return std::nullopt;
    PendingRecovery pending;
    pending.battleFile = BattleFile();
    std::ifstream in(InfoFile());
    std::getline(in, pending.name);
    std::getline(in, pending.originalPath);
    std::getline(in, pending.time);
    // Without its info file the copy still names what it can: its file's time.
    if (pending.name.empty()) pending.name = "(unnamed)";
    if (pending.name.size() > 100) pending.name.resize(100);
    if (pending.time.empty()) {
        const auto written = std::filesystem::last_write_time(BattleFile(), error);
        if (!error) pending.time = FormatTime(std::chrono::file_clock::to_sys(written));
    }
    return pending;
}

} // namespace k2
