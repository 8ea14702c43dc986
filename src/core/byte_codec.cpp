#include "core/byte_codec.h"

namespace k2 {

void ByteReader::EndsEarly() const {
    throw FormatError{"the file ends early (after " + std::to_string(bytes_.size()) + " bytes)"};
}

int32_t ByteReader::Int() {
    if (Remaining() < 2) EndsEarly();
    int32_t v = DecodeFileInt(bytes_[pos_], bytes_[pos_ + 1]);
    pos_ += 2;
    return v;
}

uint8_t ByteReader::Byte() {
    if (Remaining() < 1) EndsEarly();
    return bytes_[pos_++];
}

std::string ByteReader::Text(std::size_t maxChars, std::string_view field) {
    std::string text;
    for (;;) {
        if (Remaining() < 1) EndsEarly();
        char c = static_cast<char>(bytes_[pos_++]);
        if (c == '\0') return text;
        if (text.size() == maxChars) {
            throw FormatError{"the text of " + std::string(field) + " is longer than " +
                              std::to_string(maxChars) + " characters"};
        }
        text.push_back(c);
    }
}

std::string ByteReader::FixedWidthText(std::size_t width) {
    std::string text;
    while (text.size() < width) {
        if (Remaining() < 1) EndsEarly();
        char c = static_cast<char>(bytes_[pos_++]);
        if (c == '\0') break;
        text.push_back(c);
    }
    return text;
}

void ByteWriter::Int(int32_t v) {
    if ((v < FileIntMin || v > FileIntMax) && rangeError_.empty()) {
        const std::string context =
            std::string(contextWhat_) + (contextIndex_ >= 0 ? " " + std::to_string(contextIndex_) : "");
        rangeError_ = "the value " + std::to_string(v) + " of " + context +
                      " cannot be stored (the file holds -256 to 65279)";
    }
    auto b = EncodeFileInt(v);
    bytes_.push_back(b[0]);
    bytes_.push_back(b[1]);
}

void ByteWriter::Text(std::string_view text) {
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    bytes_.push_back(0);
}

void ByteWriter::FixedWidthText(std::string_view text, std::size_t width) {
    std::size_t n = 0;
    for (; n < text.size() && n < width; ++n)
        bytes_.push_back(static_cast<uint8_t>(text[n]));
    if (n < width) bytes_.push_back(0);
}

} // namespace k2
