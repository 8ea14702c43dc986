#include "core/install_locator.h"

#include "core/file_lookup.h"

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>
#include <vector>

namespace k2 {
namespace fs = std::filesystem;
namespace {

// One stock file as the last sync left it: the content it copied, and the size and time of both
// sides then, so that an unchanged file is recognised without reading it again.
struct Record {
    uint64_t hash = 0;
    uintmax_t stockSize = 0;
    int64_t stockTime = 0;
    uintmax_t userSize = 0;
    int64_t userTime = 0;
    bool operator==(const Record&) const = default;
};
using Records = std::map<std::string, Record>; // by path relative to the installation

struct FileStamp {
    uintmax_t size = 0;
    int64_t time = 0;
};

bool Stamp(const fs::path& file, FileStamp& stamp) {
    std::error_code ec;
    stamp.size = fs::file_size(file, ec);
    if (ec) return false;
    const auto time = fs::last_write_time(file, ec);
    if (ec) return false;
    stamp.time = static_cast<int64_t>(time.time_since_epoch().count());
    return true;
}

// FNV-1a: enough to tell whether a file still holds what was copied into it.
bool HashFile(const fs::path& file, uint64_t& hash) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    hash = 14695981039346656037ull;
    char buffer[65536];
    while (in) {
        in.read(buffer, sizeof buffer);
        for (std::streamsize i = 0; i < in.gcount(); ++i) {
            hash ^= static_cast<unsigned char>(buffer[i]);
            hash *= 1099511628211ull;
        }
    }
    return in.eof();
}

Records ReadRecords(const fs::path& file) {
    Records records;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Record r;
        std::string path;
        if (fields >> r.hash >> r.stockSize >> r.stockTime >> r.userSize >> r.userTime &&
            fields.get() == '\t' && std::getline(fields, path) && !path.empty())
            records[path] = r;
    }
    return records;
}

bool WriteRecords(const fs::path& file, const Records& records) {
    const fs::path part = file.string() + ".part";
    {
        std::ofstream out(part, std::ios::trunc);
        for (const auto& [path, r] : records)
            out << r.hash << ' ' << r.stockSize << ' ' << r.stockTime << ' ' << r.userSize << ' '
                << r.userTime << '\t' << path << '\n';
        if (!out.flush()) return false;
    }
    std::error_code ec;
    fs::rename(part, file, ec);
    return !ec;
}

// Written beside the target and renamed over it, so an interrupted start never leaves half a file.
bool CopyWhole(const fs::path& from, const fs::path& to, std::string& error) {
    std::error_code ec;
    fs::create_directories(to.parent_path(), ec);
    const fs::path part = to.string() + ".part";
    fs::copy_file(from, part, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::rename(part, to, ec);
    if (ec) {
        fs::remove(part, ec);
        error = "Could not copy " + from.string() + " to " + to.string() + ".";
        return false;
    }
    return true;
}

// The editor keeps a terrain mask beside each terrain bitmap and trusts it while the sizes agree;
// a new bitmap of the same size needs its mask computed again.
void DropMaskOf(const fs::path& bitmap) {
    const std::string name = bitmap.filename().string();
    if (name.size() < 7 || name.compare(name.size() - 4, 4, ".bmp") != 0 || name[name.size() - 7] != '-' ||
        name[name.size() - 6] != 't')
        return;
    std::string mask = name;
    mask[mask.size() - 6] = 'x';
    std::error_code ec;
    fs::remove(bitmap.parent_path() / mask, ec);
}

} // namespace

bool HoldsInstallation(const fs::path& dir) {
    std::error_code ec;
    return fs::is_directory(dir / "scenarios", ec) &&
           fs::is_regular_file(FindFile(dir / "sysdefs", "K2Ter.Def"), ec);
}

fs::path PackagedStockDir(const fs::path& executable) {
    return (executable.parent_path() / ".." / "share" / "keldmar2").lexically_normal();
}

fs::path RunningExecutable() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : self;
}

StockSyncReport SyncUserInstallation(const fs::path& stock, const fs::path& user) {
    StockSyncReport report;
    std::error_code ec;
    fs::create_directories(user, ec);
    if (!fs::is_directory(user)) {
        report.status = Status::Fail("Could not create your installation folder " + user.string() + ".");
        return report;
    }
    const fs::path recordFile = user / StockRecordName;
    const Records previous = ReadRecords(recordFile);
    Records records;
    std::string error;

    std::vector<fs::path> stockFiles;
    for (auto it = fs::recursive_directory_iterator(stock, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file(ec)) stockFiles.push_back(fs::relative(it->path(), stock, ec));
    if (ec) error = "Could not read the stock installation " + stock.string() + ".";

    for (const fs::path& relative : stockFiles) {
        if (!error.empty()) break;
        const std::string key = relative.generic_string();
        const fs::path from = stock / relative, to = user / relative;
        const auto known = previous.find(key);
        const Record* last = known == previous.end() ? nullptr : &known->second;

        FileStamp stockStamp;
        if (!Stamp(from, stockStamp)) {
            error = "Could not read " + from.string() + ".";
            break;
        }
        Record now;
        now.stockSize = stockStamp.size;
        now.stockTime = stockStamp.time;
        if (last && last->stockSize == stockStamp.size && last->stockTime == stockStamp.time) {
            now.hash = last->hash;
        } else if (!HashFile(from, now.hash)) {
            error = "Could not read " + from.string() + ".";
            break;
        }

        FileStamp userStamp;
        bool replace = false;
        if (!Stamp(to, userStamp)) {
            replace = true; // missing, or deleted to get the stock file back
            ++report.copied;
        } else {
            uint64_t userHash = 0;
            const bool asLeft = last && last->userSize == userStamp.size && last->userTime == userStamp.time;
            if (asLeft) {
                userHash = last->hash;
            } else if (!HashFile(to, userHash)) {
                error = "Could not read " + to.string() + ".";
                break;
            }
            if (userHash == now.hash) {
                now.userSize = userStamp.size;
                now.userTime = userStamp.time;
                records[key] = now;
            } else if (last && userHash == last->hash) {
                replace = true; // still the old stock file: take the new one
                ++report.updated;
            } else {
                // The user's own: never overwritten. The old record (if any) still tells a later
                // sync that this is not the copy it made.
                if (last) records[key] = *last;
                ++report.kept;
            }
        }
        if (replace) {
            if (!CopyWhole(from, to, error)) break;
            DropMaskOf(to);
            if (!Stamp(to, userStamp)) {
                error = "Could not read " + to.string() + ".";
                break;
            }
            now.userSize = userStamp.size;
            now.userTime = userStamp.time;
            records[key] = now;
        }
    }
    // Whatever was done is recorded, also when a later file failed.
    if (records != previous && !WriteRecords(recordFile, records) && error.empty())
        error = "Could not write " + recordFile.string() + ".";
    if (!error.empty())
        report.status = Status::Fail("Your installation could not be brought up to date: " + error);
    return report;
}

InstallationChoice LocateInstallation(const fs::path& workingDir, const fs::path& stockDir,
                                      const fs::path& userDir) {
    using Source = InstallationChoice::Source;
    if (HoldsInstallation(workingDir)) return {workingDir, Source::WorkingDirectory, Status::Ok()};
    if (!stockDir.empty() && HoldsInstallation(stockDir)) {
        const StockSyncReport sync = SyncUserInstallation(stockDir, userDir);
        if (sync.status || HoldsInstallation(userDir)) return {userDir, Source::UserCopy, sync.status};
        return {workingDir, Source::Nothing, sync.status};
    }
    if (HoldsInstallation(userDir)) return {userDir, Source::UserCopy, Status::Ok()};
    return {workingDir, Source::Nothing, Status::Ok()};
}

} // namespace k2
