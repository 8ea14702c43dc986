#include "stockgen/sample_battles.h"

namespace k2stock {

bool WriteSampleBattles(const std::filesystem::path&, std::string&) { return true; }

} // namespace k2stock
