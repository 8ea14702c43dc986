// Small independent readers of the stock installation's files, so that the tests check the bytes
// on disk against the formats rather than against the generator's own encoders.
#pragma once

#include <QImage>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace stocktest {

std::filesystem::path StockDir();
std::string ReadBytes(const std::filesystem::path& file);

struct Cell {
    int32_t left, top, right, bottom;
};
struct Entry {
    std::string name;
    uint16_t masked;
    Cell cells[3];
};
struct SetFile {
    uint8_t magic = 0;
    uint16_t counts[3] = {0, 0, 0};
    int32_t sizes[3][3][2] = {};
    std::vector<Entry> terrain, units;
};
// Reads the layout strictly: nullopt when a field runs past the end or bytes are left over.
std::optional<SetFile> ParseSetFile(const std::string& bytes);

struct TerrainDef {
    std::string name;
    int32_t elevation, cost, defense, spare;
};
struct DefFile {
    int32_t format = 0;
    std::vector<TerrainDef> records;
};
std::optional<DefFile> ParseTerrainDefs(const std::string& bytes);

std::vector<std::string> Lines(const std::string& text);
// A number field as the editor reads it: leading blanks, optional sign, digits; no digits is 0.
int32_t NumberField(const std::string& line, size_t from, size_t width);
std::string TextField(const std::string& line, size_t from, size_t width);

struct WavInfo {
    uint16_t format, channels, bits;
    uint32_t rate, dataBytes;
};
std::optional<WavInfo> ParseWav(const std::string& bytes);

// The bitmap as the editor holds it: 16 bits per pixel.
QImage Load565(const std::filesystem::path& file);

} // namespace stocktest
