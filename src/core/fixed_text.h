// A fixed-size byte text field of the battle file: at most MaxChars bytes (Windows-1252),
// always terminated in memory, cut on assignment so it can never outgrow its field.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace k2 {

template <std::size_t MaxChars> class FixedText {
  public:
    static constexpr std::size_t Capacity = MaxChars;

    FixedText() { bytes_.fill(0); }
    FixedText(std::string_view text) { Assign(text); }
    FixedText& operator=(std::string_view text) {
        Assign(text);
        return *this;
    }

    // Stores at most Capacity bytes of text, stopping early at an embedded zero byte.
    void Assign(std::string_view text) {
        bytes_.fill(0);
        std::size_t n = 0;
        while (n < text.size() && n < MaxChars && text[n] != '\0') {
            bytes_[n] = text[n];
            ++n;
        }
    }
    // True when the text would fit without being cut.
    static bool Fits(std::string_view text) { return text.size() <= MaxChars; }

    std::string_view View() const { return std::string_view(bytes_.data(), std::strlen(bytes_.data())); }
    std::string Str() const { return std::string(View()); }
    const char* CStr() const { return bytes_.data(); }
    std::size_t Length() const { return std::strlen(bytes_.data()); }
    bool Empty() const { return bytes_[0] == '\0'; }
    void Clear() { bytes_.fill(0); }

    bool operator==(const FixedText& other) const { return View() == other.View(); }
    bool operator==(std::string_view other) const { return View() == other; }

  private:
    std::array<char, MaxChars + 1> bytes_;
};

} // namespace k2
