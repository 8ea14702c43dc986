#include "core/file_io.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

namespace k2 {

namespace fs = std::filesystem;

ReadFileResult ReadFileBytes(const fs::path& file, std::size_t maxBytes, std::vector<uint8_t>& out) {
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (!f) return ReadFileResult::CannotOpen;
    std::vector<uint8_t> bytes;
    // Read in chunks rather than trusting a size query: the file may be a pipe or change size.
    uint8_t chunk[65536];
    ReadFileResult result = ReadFileResult::Ok;
    for (;;) {
        std::size_t n = std::fread(chunk, 1, sizeof chunk, f);
        if (bytes.size() + n > maxBytes) {
            result = ReadFileResult::TooLarge;
            break;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
        if (n < sizeof chunk) {
            if (std::ferror(f)) result = ReadFileResult::ReadError;
            break;
        }
    }
    std::fclose(f);
    if (result == ReadFileResult::Ok) out = std::move(bytes);
    return result;
}

std::FILE* FileOps::Open(const fs::path& file, const char* mode) {
    return std::fopen(file.c_str(), mode);
}
std::size_t FileOps::Write(const uint8_t* data, std::size_t size, std::FILE* f) {
    return std::fwrite(data, 1, size, f);
}
int FileOps::Flush(std::FILE* f) {
    return std::fflush(f);
}
int FileOps::Close(std::FILE* f) {
    return std::fclose(f);
}
bool FileOps::Rename(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec) errno = ec.value();
    return !ec;
}

FileOps& DefaultFileOps() {
    static FileOps ops;
    return ops;
}

namespace {

std::string SystemReason(int err) {
    return err ? std::string(std::strerror(err)) : std::string("write error");
}

} // namespace

WriteFileOutcome WriteFileAtomically(const fs::path& target, std::span<const uint8_t> bytes, FileOps& ops) {
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code ec;
    if (fs::is_directory(target, ec)) return {WriteFileResult::CannotOpen, "it is a folder"};

    // A name of our own next to the target, created exclusively so that two saves never share it.
    std::random_device rd;
    fs::path temp;
    std::FILE* f = nullptr;
    for (int attempt = 0; attempt < 16 && !f; ++attempt) {
        temp = dir / ("." + target.filename().string() + "." + std::to_string(rd() % 1000000) + ".tmp");
        errno = 0;
        f = ops.Open(temp, "wbx");
        if (!f && errno != EEXIST) break;
    }
    if (!f) return {WriteFileResult::CannotOpen, SystemReason(errno)};

    auto fail = [&](int err) {
        fs::remove(temp, ec);
        return WriteFileOutcome{WriteFileResult::WriteFailed, SystemReason(err)};
    };
    constexpr std::size_t Chunk = 65536;
    for (std::size_t done = 0; done < bytes.size();) {
        std::size_t n = std::min(Chunk, bytes.size() - done);
        errno = 0;
        if (ops.Write(bytes.data() + done, n, f) != n) {
            int err = errno;
            ops.Close(f);
            return fail(err);
        }
        done += n;
    }
    errno = 0;
    if (ops.Flush(f) != 0) {
        int err = errno;
        ops.Close(f);
        return fail(err);
    }
    errno = 0;
    if (ops.Close(f) != 0) return fail(errno);

    if (fs::exists(target, ec)) {
        fs::perms p = fs::status(target, ec).permissions();
        if (!ec) fs::permissions(temp, p, ec);
    }
    errno = 0;
    if (!ops.Rename(temp, target)) return fail(errno);
    return {};
}

} // namespace k2
