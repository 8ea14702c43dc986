// The list of recently saved battles kept in battle.lst in the installation directory: a count
// byte followed by zero-terminated paths, newest first, at most five.
#pragma once

#include "core/status.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace k2 {

class RecentBattles {
  public:
    static constexpr int32_t MaxEntries = 5;
    // The longest path the list (and the editor's path fields) holds, in bytes.
    static constexpr std::size_t MaxPathBytes = 255;

    explicit RecentBattles(std::filesystem::path listFile) : file_(std::move(listFile)) {}

    // Reloads the list from the file. Entries whose file cannot be opened for reading are
    // dropped; a missing file gives an empty list; a damaged file keeps the entries read
    // before the damage. Never more than five entries.
    void Read();

    // Puts `path` first unless an entry equals it byte for byte, keeps at most five, replaces
    // the file atomically and reads it back. A failed write keeps the new list in memory and
    // returns the failure.
    Status Add(const std::string& path);

    const std::vector<std::string>& Entries() const { return entries_; }
    const std::filesystem::path& File() const { return file_; }

    // The list file's bytes for `entries` (at most five, each cut to MaxPathBytes).
    static std::string Encode(const std::vector<std::string>& entries);
    // The entries a list file's bytes hold, without checking that their files exist.
    static std::vector<std::string> Decode(const std::string& bytes);

  private:
    void KeepReadable();

    std::filesystem::path file_;
    std::vector<std::string> entries_;
};

} // namespace k2
