// k2tool edit: applies the ops of a JSON script to a battle through the editor's own edit code
// and writes the result as Save Battle As does.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace k2tool {

// `args` are the words after "edit". Returns the exit code: 0 the script ran and the battle was
// written, 1 a file refused or not written, 2 a usage error or a script that cannot run.
// Nothing is written unless every op ran.
int EditCommand(const std::filesystem::path& installDir, const std::vector<std::string>& args);

} // namespace k2tool
