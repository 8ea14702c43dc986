// The little of a terrain set file (.ter) the tool needs: its symbol count, from the header.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace k2tool {

// The header is the magic byte 252, three flag bytes and the symbol count (two bytes, high
// first). Returns false with a message for a missing file or a header that is not one.
bool ReadTerrainSymbolCount(const std::filesystem::path& file, int32_t& count, std::string& error);

} // namespace k2tool
