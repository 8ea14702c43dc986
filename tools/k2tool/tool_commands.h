// The commands of k2tool that work on battle files: dump, check and convert. Each returns the
// exit code: 0 success, 1 a file refused or not written, 2 a usage error.
#pragma once

#include "core/scenario.h"
#include "forces/equipment_defs.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace k2tool {

constexpr int ExitOk = 0;
constexpr int ExitRefused = 1;
constexpr int ExitUsage = 2;

// What the commands share. Each prints its warnings and errors to standard error.
// Reads the battle as the editor does: the installation's terrain definitions first.
bool LoadBattle(const std::filesystem::path& installDir, const std::filesystem::path& file,
                k2::Scenario& scenario, std::string& message);
bool LoadEquipment(const std::filesystem::path& installDir, k2::EquipmentTables& tables);
// The symbol count of the terrain set the battle names: the number of definitions the editor's
// save writes.
bool LoadTerrainSymbolCount(const std::filesystem::path& installDir, const k2::Scenario& scenario,
                            int32_t& count);

int DumpCommand(const std::filesystem::path& installDir, const std::vector<std::string>& args);
int CheckCommand(const std::filesystem::path& installDir, const std::vector<std::string>& args);
int ConvertCommand(const std::filesystem::path& installDir, const std::vector<std::string>& args);

} // namespace k2tool
