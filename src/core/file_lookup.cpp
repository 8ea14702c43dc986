#include "core/file_lookup.h"

#include <system_error>

namespace k2 {

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::filesystem::path FindFile(const std::filesystem::path& dir, std::string_view name) {
    std::filesystem::path exact = dir / std::filesystem::path(name);
    std::error_code ec;
    if (std::filesystem::exists(exact, ec)) return exact;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (EqualsIgnoreCase(it->path().filename().string(), name)) return it->path();
    }
    return exact;
}

} // namespace k2
