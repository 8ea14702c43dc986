#include "synthetic_symbols.h"

#include <QString>

#include <fstream>
#include <stdexcept>

namespace k2test {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(uint8_t(v >> s));
}
void PutHeader(std::vector<uint8_t>& out, uint32_t count, uint32_t seed) {
    Put16(out, count);
    for (int i = 0; i < 6; ++i)
        Put32(out, seed + uint32_t(i));
}
void PutEntry(std::vector<uint8_t>& out, const k2::SymbolEntry& e) {
    const std::string name = e.Name.Str();
    out.insert(out.end(), name.begin(), name.end());
    if (name.size() < k2::SymbolNameChars) out.push_back(0);
    Put16(out, uint32_t(e.Masked));
    for (const auto& c : e.Cells) {
        Put32(out, uint32_t(c.Left));
        Put32(out, uint32_t(c.Top));
        Put32(out, uint32_t(c.Right));
        Put32(out, uint32_t(c.Bottom));
    }
}

} // namespace

std::vector<uint8_t> EncodeSymbolFile(const std::vector<k2::SymbolEntry>& terrain,
                                      const std::vector<k2::SymbolEntry>& units, uint8_t magic,
                                      int32_t declaredTerrain, int32_t declaredUnits) {
    std::vector<uint8_t> out{magic, 7, 8, 9};
    PutHeader(out, uint32_t(declaredTerrain < 0 ? int32_t(terrain.size()) : declaredTerrain), 100);
    PutHeader(out, uint32_t(declaredUnits < 0 ? int32_t(units.size()) : declaredUnits), 200);
    PutHeader(out, 0, 300);
    for (const auto& e : terrain)
        PutEntry(out, e);
    for (const auto& e : units)
        PutEntry(out, e);
    return out;
}

int32_t SyntheticSet::SizeAt(size_t i, int zoom) const {
    const int32_t s = symbols[i].size[size_t(zoom)];
    return s > 0 ? s : SyntheticCell[size_t(zoom)];
}

int32_t SyntheticSet::LeftAt(size_t i, int zoom) const {
    int32_t left = 0;
    for (size_t k = 0; k < i; ++k)
        left += SizeAt(k, zoom);
    return left;
}

std::vector<k2::SymbolEntry> SyntheticSet::Entries() const {
    std::vector<k2::SymbolEntry> out;
    for (size_t i = 0; i < symbols.size(); ++i) {
        k2::SymbolEntry e;
        e.Name = symbols[i].name;
        e.Masked = symbols[i].masked;
        for (int z = 0; z < 3; ++z) {
            const int32_t left = LeftAt(i, z);
            const int32_t s = SizeAt(i, z);
            e.Cells[size_t(z)] = {left, 0, left + s - 1, s - 1};
        }
        out.push_back(e);
    }
    return out;
}

QImage SyntheticSet::Bitmap(int zoom) const {
    int32_t width = 0;
    int32_t height = 1;
    for (size_t i = 0; i < symbols.size(); ++i) {
        width += SizeAt(i, zoom);
        height = std::max(height, SizeAt(i, zoom));
    }
    QImage image(std::max(width, 1), height, QImage::Format_RGB16);
    image.fill(0);
    for (size_t i = 0; i < symbols.size(); ++i) {
        const int32_t left = LeftAt(i, zoom);
        const int32_t s = SizeAt(i, zoom);
        for (int32_t y = 0; y < s; ++y) {
            auto* row = reinterpret_cast<uint16_t*>(image.scanLine(y));
            for (int32_t x = 0; x < s; ++x) {
                uint16_t v = symbols[i].colour;
                if (symbols[i].paint == Paint::Empty) v = 0;
                if (symbols[i].paint == Paint::Holed && x >= s / 4 && x < s - s / 4 && y >= s / 4 &&
                    y < s - s / 4)
                    v = 0;
                row[left + x] = v;
            }
        }
    }
    return image;
}

SyntheticSet RendererTerrain() {
    SyntheticSet set;
    set.symbols = {
        {"1 Base", 1, 0x8410},                         // 0 grey
        {"1 Red", 1, 0xF800},                          // 1
        {"2 Green", 1, 0x07E0},                        // 2
        {"2 Blue", 1, 0x001F},                         // 3
        {"4 Caltrops", 1, 0xFFE0},                     // 4 yellow
        {"4 Overlay", 1, 0x07FF},                      // 5 cyan
        {"3 Tower", 1, 0xF81F},                        // 6 magenta
        {"4 Objective", 1, 0x4208},                    // 7
        {"4 West reinf", 1, 0x2104},                   // 8
        {"4 Stakes", 1, 0xC618},                       // 9
        {"2 Unmasked", 0, 0x0410},                     // 10
        {"2 Holed", 1, 0x8000, Paint::Holed},          // 11
        {"1 Holed flagless", 0, 0x0010, Paint::Holed}, // 12
        {"1 Nothing", 1, 0, Paint::Empty},             // 13 all transparent
        {"1 High", 1, 0x0200},                         // 14
    };
    return set;
}

SyntheticSet RendererUnits() {
    SyntheticSet set;
    set.symbols = {
        {"Small", 1, 0xFFFF, Paint::Solid, {5, 10, 15}},  // 0 half a cell
        {"-Small", 1, 0x7BEF, Paint::Solid, {5, 10, 15}}, // 1
        {"Full", 1, 0xA514, Paint::Solid, {10, 20, 30}},  // 2 as large as the cell
    };
    return set;
}

void WriteBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

void WriteText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::trunc);
    out << text;
}

void SaveBmp(const QImage& image, const std::filesystem::path& file) {
    if (!image.save(QString::fromStdString(file.string()), "BMP"))
        throw std::runtime_error("cannot write " + file.string());
}

void WriteSets(const std::filesystem::path& installDir, const std::string& terrainName,
               const SyntheticSet& terrain, const std::string& unitName, const SyntheticSet& units) {
    const auto dir = installDir / "scenarios";
    std::filesystem::create_directories(dir);
    WriteBytes(dir / (terrainName + ".ter"), EncodeSymbolFile(terrain.Entries(), {}));
    WriteBytes(dir / (unitName + ".set"), EncodeSymbolFile({}, units.Entries()));
    for (int z = 0; z < 3; ++z) {
        SaveBmp(terrain.Bitmap(z), dir / (terrainName + "-t" + std::to_string(z + 1) + ".bmp"));
        if (!units.symbols.empty())
            SaveBmp(units.Bitmap(z), dir / (unitName + "-u" + std::to_string(z + 1) + ".bmp"));
    }
}

} // namespace k2test
