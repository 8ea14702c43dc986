// Whole-file reading with a size cap, and atomic replacement of a file (temporary file in the
// same folder, every write and the close checked, then a rename over the target).
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace k2 {

enum class ReadFileResult { Ok, CannotOpen, TooLarge, ReadError };

// Reads the whole file; refuses one larger than `maxBytes` without reading it.
ReadFileResult ReadFileBytes(const std::filesystem::path& file, std::size_t maxBytes,
                             std::vector<uint8_t>& out);

// The stdio calls a file replacement makes, as a seam so that tests can make any of them fail
// (a full disk, a failing close, a failing rename) and prove the target stays untouched.
class FileOps {
  public:
    virtual ~FileOps() = default;
    virtual std::FILE* Open(const std::filesystem::path& file, const char* mode);
    virtual std::size_t Write(const uint8_t* data, std::size_t size, std::FILE* f);
    virtual int Flush(std::FILE* f);
    virtual int Close(std::FILE* f);
    virtual bool Rename(const std::filesystem::path& from, const std::filesystem::path& to);
};

FileOps& DefaultFileOps();

enum class WriteFileResult { Ok, CannotOpen, WriteFailed };

struct WriteFileOutcome {
    WriteFileResult result = WriteFileResult::Ok;
    std::string detail; // the system's reason on failure, e.g. "No space left on device"
};

// Writes `bytes` to a new file next to `target` and renames it over `target`. On any failure the
// temporary file is removed and `target` is exactly as before. An existing target keeps its
// permissions.
WriteFileOutcome WriteFileAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes,
                                     FileOps& ops = DefaultFileOps());

} // namespace k2
