#include "app/recent_battles.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

namespace k2 {

namespace {

bool CanOpenForReading(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::path(path), ec)) return false;
    std::ifstream in(path, std::ios::binary);
    return in.good();
}

} // namespace

std::string RecentBattles::Encode(const std::vector<std::string>& entries) {
    const std::size_t count = std::min<std::size_t>(entries.size(), MaxEntries);
    std::string bytes(1, static_cast<char>(count));
    for (std::size_t i = 0; i < count; ++i) {
        std::string entry = entries[i].substr(0, MaxPathBytes);
        // An embedded zero would end the entry early on reading and shift every later one.
        entry = entry.substr(0, entry.find('\0'));
        bytes += entry;
        bytes += '\0';
    }
    return bytes;
}

std::vector<std::string> RecentBattles::Decode(const std::string& bytes) {
    std::vector<std::string> entries;
    if (bytes.empty()) return entries;
    const std::size_t count = std::min<std::size_t>(static_cast<unsigned char>(bytes[0]), MaxEntries);
    std::size_t pos = 1;
    while (entries.size() < count && pos < bytes.size()) {
        const std::size_t end = bytes.find('\0', pos);
        // An entry without its terminator, or longer than any path we write, means the file is
        // damaged from here on.
        if (end == std::string::npos || end - pos > MaxPathBytes) break;
        if (end > pos) entries.push_back(bytes.substr(pos, end - pos));
        pos = end + 1;
    }
    return entries;
}

void RecentBattles::Read() {
    entries_.clear();
    std::ifstream in(file_, std::ios::binary);
    if (!in) return;
    // More than a full list plus its count can never be useful; do not read a huge file.
    constexpr std::size_t Limit = 1 + MaxEntries * (MaxPathBytes + 1);
    std::string bytes(Limit, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(Limit));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    entries_ = Decode(bytes);
    KeepReadable();
}

void RecentBattles::KeepReadable() {
    std::erase_if(entries_, [](const std::string& p) { return !CanOpenForReading(p); });
}

Status RecentBattles::Add(const std::string& path) {
    if (path.empty() || path.size() > MaxPathBytes || path.find('\0') != std::string::npos)
        return Status::Fail("The path is too long for the recent battles list.");
    if (std::find(entries_.begin(), entries_.end(), path) == entries_.end()) {
        entries_.insert(entries_.begin(), path);
        if (entries_.size() > static_cast<std::size_t>(MaxEntries)) entries_.resize(MaxEntries);
    }

    // Written beside the list and renamed over it, so a full disk never leaves half a list.
    const std::string bytes = Encode(entries_);
    std::filesystem::path temp = file_;
    temp += ".tmp";
    bool written = false;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.close();
            written = !out.fail();
        }
    }
    std::error_code ec;
    if (written) {
        std::filesystem::permissions(temp,
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::rename(temp, file_, ec);
        written = !ec;
    }
    if (!written) {
        std::filesystem::remove(temp, ec);
        KeepReadable();
        return Status::Fail("Could not write battle.lst");
    }
    Read();
    return Status::Ok();
}

} // namespace k2
