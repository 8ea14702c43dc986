// Data files are looked up exactly first and then without regard to case in their folder, so
// that battles and sets written on a case-insensitive system open here.
#pragma once

#include <filesystem>
#include <string_view>

namespace k2 {

// The path of `name` inside `dir`: the exact name if it exists, else the first entry whose
// name matches ignoring ASCII case, else dir / name (which does not exist).
std::filesystem::path FindFile(const std::filesystem::path& dir, std::string_view name);

bool EqualsIgnoreCase(std::string_view a, std::string_view b);

} // namespace k2
