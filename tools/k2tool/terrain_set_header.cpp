#include "terrain_set_header.h"

#include <fstream>

namespace k2tool {

bool ReadTerrainSymbolCount(const std::filesystem::path& file, int32_t& count, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "Could not open terrain set " + file.string();
        return false;
    }
    unsigned char header[6] = {};
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) {
        error = "Terrain set " + file.string() + " is too short for its header";
        return false;
    }
    if (header[0] != 252) {
        error = "Terrain set " + file.string() + " does not start with the terrain set mark 252";
        return false;
    }
    count = int32_t(header[4]) * 256 + int32_t(header[5]);
    return true;
}

} // namespace k2tool
