// k2tool generate: a new battle as Create New Battle makes it with the stock sets, with its
// terrain laid by the terrain generator.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace k2tool {

// `args` are the words after "generate". Returns the exit code: 0 the battle was written, 1 a
// file of the installation refused or the battle not written, 2 a usage error.
int GenerateCommand(const std::filesystem::path& installDir, const std::vector<std::string>& args);

} // namespace k2tool
