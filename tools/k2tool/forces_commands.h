// k2tool stats and k2tool oob: the army statistics, and one side's order of battle or
// reinforcement schedule, as JSON, computed by the same logic as the editor's dialogs.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace k2tool {

// `args` are the words after the command. Return the exit code: 0 success, 1 a file refused
// or a side with nothing to list (with the dialog's message), 2 a usage error. JSON goes to
// standard output, messages to standard error.
int StatsCommand(const std::filesystem::path& installDir, const std::vector<std::string>& args);
int OobCommand(const std::filesystem::path& installDir, const std::vector<std::string>& args);

// The same, writing to the given streams.
int StatsCommand(const std::filesystem::path& installDir, const std::vector<std::string>& args,
                 std::ostream& out, std::ostream& err);
int OobCommand(const std::filesystem::path& installDir, const std::vector<std::string>& args,
               std::ostream& out, std::ostream& err);

} // namespace k2tool
