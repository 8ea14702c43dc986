// The commands of k2tool that work on battle files: dump, check and convert. Each returns the
// exit code: 0 success, 1 a file refused or not written, 2 a usage error.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace k2tool {

constexpr int ExitOk = 0;
constexpr int ExitRefused = 1;
constexpr int ExitUsage = 2;

int DumpCommand(const std::filesystem::path& installDir, const std::vector<std::string>& args);
int CheckCommand(const std::filesystem::path& installDir, const std::vector<std::string>& args);
int ConvertCommand(const std::filesystem::path& installDir, const std::vector<std::string>& args);

} // namespace k2tool
