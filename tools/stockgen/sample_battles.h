// The sample battles of the stock installation: a small and a full-size current battle and
// one legacy battle, written into <install>/scenarios.
#pragma once

#include <filesystem>
#include <string>

namespace k2stock {

// Returns false with a message in `error` when a file could not be written.
bool WriteSampleBattles(const std::filesystem::path& installDir, std::string& error);

} // namespace k2stock
