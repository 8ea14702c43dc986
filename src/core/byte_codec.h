// The byte encodings shared by the battle file and the terrain definition file (FileInt, texts,
// raw bytes), a reading cursor that can never pass the end of its buffer, and the matching writer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace k2 {

// The values a FileInt carries through a write and a read.
constexpr int32_t FileIntMin = -256;
constexpr int32_t FileIntMax = 65279;

// High byte first; the high byte of a negative value is 255 down to -256.
constexpr std::array<uint8_t, 2> EncodeFileInt(int32_t v) {
    return {static_cast<uint8_t>((v >> 8) & 0xff), static_cast<uint8_t>(v & 0xff)};
}
constexpr int32_t DecodeFileInt(uint8_t high, uint8_t low) {
    return high == 255 ? int32_t(low) - 256 : int32_t(high) * 256 + int32_t(low);
}

// Thrown by the cursor and by the parsers built on it; caught by the public readers, which turn
// it into a refusal. It never leaves the core readers.
struct FormatError {
    std::string reason;
};

class ByteReader {
  public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    int32_t Int();
    uint8_t Byte();
    // A zero-terminated text of at most `maxChars` characters before its zero byte; `field`
    // names it in the refusal of a text that is longer.
    std::string Text(std::size_t maxChars, std::string_view field);
    // Up to and including a zero byte, but never more than `width` bytes.
    std::string FixedWidthText(std::size_t width);

    std::size_t Offset() const { return pos_; }
    std::size_t Remaining() const { return bytes_.size() - pos_; }

  private:
    [[noreturn]] void EndsEarly() const;

    std::span<const uint8_t> bytes_;
    std::size_t pos_ = 0;
};

class ByteWriter {
  public:
    // Every value is written even when out of range (so the layout stays intact); the first one
    // that a FileInt cannot carry is remembered with the context set at that time.
    void Int(int32_t v);
    void Byte(uint8_t b) { bytes_.push_back(b); }
    void Text(std::string_view text); // the bytes and one zero byte
    // The bytes and a zero byte, cut to `width` bytes in all (a full field has no zero byte).
    void FixedWidthText(std::string_view text, std::size_t width);

    // What the following values belong to, e.g. ("unit", 3); formatted only for a range error,
    // so that naming every record costs nothing.
    void SetContext(const char* what, int32_t index = -1) {
        contextWhat_ = what;
        contextIndex_ = index;
    }
    bool HasRangeError() const { return !rangeError_.empty(); }
    const std::string& RangeError() const { return rangeError_; }

    std::vector<uint8_t>& Bytes() { return bytes_; }

  private:
    std::vector<uint8_t> bytes_;
    const char* contextWhat_ = "";
    int32_t contextIndex_ = -1;
    std::string rangeError_;
};

} // namespace k2
