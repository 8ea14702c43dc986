// Which installation directory a run uses: the working directory when it holds one (a build tree,
// or a designer's own folder), otherwise the user's own copy of the packaged stock installation,
// which is created at the first start and brought up to a newer package at later starts.
#pragma once

#include "core/status.h"

#include <filesystem>
#include <string>

namespace k2 {

// Whether `dir` holds an installation: its terrain definitions and its battles folder.
bool HoldsInstallation(const std::filesystem::path& dir);

// The stock installation a package puts beside the programs: <prefix>/share/keldmar2 for a program
// in <prefix>/bin. Relative to the program, so an extracted or moved package finds its own.
std::filesystem::path PackagedStockDir(const std::filesystem::path& executable);

// The file of the running program (empty when the system does not say).
std::filesystem::path RunningExecutable();

// What a sync did, file by file.
struct StockSyncReport {
    Status status;
    int copied = 0;  // stock files the user's installation did not have
    int updated = 0; // stock files that changed while the user's copy was still the old stock one
    int kept = 0;    // files the user changed, left as they are
};

// Brings `user` up to `stock`: copies what is missing and replaces a file only while it still
// holds what an earlier sync put there. A record of those files (StockRecordName) lives in `user`.
StockSyncReport SyncUserInstallation(const std::filesystem::path& stock, const std::filesystem::path& user);
inline constexpr const char* StockRecordName = ".stock-files";

struct InstallationChoice {
    enum class Source { WorkingDirectory, UserCopy, Nothing };
    std::filesystem::path dir;
    Source source = Source::Nothing;
    Status status; // a failed sync of the user's copy; the directory is still the best there is
};

// The working directory if it holds an installation; else the user's copy, synced from the stock
// installation when there is one; else the working directory, whose missing files are then
// reported as they are read.
InstallationChoice LocateInstallation(const std::filesystem::path& workingDir,
                                      const std::filesystem::path& stockDir,
                                      const std::filesystem::path& userDir);

} // namespace k2
