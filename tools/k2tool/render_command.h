// k2tool render: draws a battle as the map view would show it and writes a PNG.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace k2tool {

// `args` are the words after "render". Returns the exit code: 0 success, 1 a file refused or
// not written, 2 a usage error. Messages go to standard error.
int RenderCommand(const std::filesystem::path& installDir, const std::vector<std::string>& args);

} // namespace k2tool
