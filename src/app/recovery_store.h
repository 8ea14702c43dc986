// The recovery copy of a modified battle: written after an edit at most once a minute into the
// user's application data folder, removed when the battle is saved or given up, and offered back
// at the next start-up after the editor ended without either.
#pragma once

#include "core/scenario.h"
#include "core/status.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace k2 {

// What the recovery folder holds about the copy waiting there.
struct PendingRecovery {
    std::filesystem::path battleFile;
    std::string name;         // the battle's name, or its file's name
    std::string originalPath; // the battle file the copy came from; empty for a new battle
    std::string time;         // when the copy was written, "yyyy-MM-dd hh:mm"
};

class RecoveryStore {
  public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;
    static constexpr std::chrono::seconds DefaultInterval{60};

    explicit RecoveryStore(std::filesystem::path folder, Clock clock = &std::chrono::system_clock::now,
                           std::chrono::seconds interval = DefaultInterval);

    // The folder of the user's application data the editor keeps its recovery copy in.
    static std::filesystem::path DefaultFolder();

    const std::filesystem::path& Folder() const { return folder_; }
    std::filesystem::path BattleFile() const { return folder_ / "recovery.k2s"; }
    std::filesystem::path InfoFile() const { return folder_ / "recovery.txt"; }

    // After an edit of a modified battle: writes the copy when none has been written since the
    // last Discard, or when the interval has passed since the last write. Returns how long until a
    // write would be due when it was too early (zero when it wrote or the write failed).
    std::chrono::milliseconds AfterEdit(const Scenario& scenario, int32_t terrainSymbolCount,
                                        const std::string& originalPath);
    // Writes the copy now, each file replaced atomically; the battle is left as it is.
    Status Write(const Scenario& scenario, int32_t terrainSymbolCount, const std::string& originalPath);
    // Removes the copy; the next edit writes one at once.
    void Discard();
    std::optional<PendingRecovery> Pending() const;

  private:
    std::filesystem::path folder_;
    Clock clock_;
    std::chrono::seconds interval_;
    std::optional<std::chrono::system_clock::time_point> lastWrite_;
};

} // namespace k2
