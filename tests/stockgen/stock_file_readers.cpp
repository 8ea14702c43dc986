#include "stock_file_readers.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace stocktest {
namespace {

struct Cursor {
    const std::string& b;
    size_t at = 0;
    bool ok = true;
    uint32_t U(int bytes) {
        if (at + bytes > b.size()) {
            ok = false;
            return 0;
        }
        uint32_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v = (v << 8) | static_cast<uint8_t>(b[at++]);
        return v;
    }
    int32_t FileInt() {
        const uint32_t hi = U(1), lo = U(1);
        return hi == 255 ? static_cast<int32_t>(lo) - 256 : static_cast<int32_t>(hi * 256 + lo);
    }
};

bool ReadEntry(Cursor& c, Entry& e) {
    e.name.clear();
    for (int i = 0; i < 25; ++i) {
        if (c.at >= c.b.size()) return false;
        const char ch = c.b[c.at++];
        if (ch == '\0') break;
        e.name.push_back(ch);
    }
    e.masked = static_cast<uint16_t>(c.U(2));
    for (Cell& cell : e.cells) {
        cell.left = static_cast<int32_t>(c.U(4));
        cell.top = static_cast<int32_t>(c.U(4));
        cell.right = static_cast<int32_t>(c.U(4));
        cell.bottom = static_cast<int32_t>(c.U(4));
    }
    return c.ok;
}

} // namespace

std::filesystem::path StockDir() {
    return K2_STOCK_DIR;
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::optional<SetFile> ParseSetFile(const std::string& bytes) {
    Cursor c{bytes};
    SetFile f;
    f.magic = static_cast<uint8_t>(c.U(1));
    c.U(3);
    for (int s = 0; s < 3; ++s) {
        f.counts[s] = static_cast<uint16_t>(c.U(2));
        for (auto& size : f.sizes[s]) {
            size[0] = static_cast<int32_t>(c.U(4));
            size[1] = static_cast<int32_t>(c.U(4));
        }
    }
    for (int i = 0; i < f.counts[0]; ++i) {
        Entry e;
        if (!ReadEntry(c, e)) return std::nullopt;
        f.terrain.push_back(e);
    }
    for (int i = 0; i < f.counts[1]; ++i) {
        Entry e;
        if (!ReadEntry(c, e)) return std::nullopt;
        f.units.push_back(e);
    }
    if (!c.ok || c.at != bytes.size()) return std::nullopt;
    return f;
}

std::optional<DefFile> ParseTerrainDefs(const std::string& bytes) {
    Cursor c{bytes};
    DefFile f;
    f.format = c.FileInt();
    const int32_t count = c.FileInt();
    for (int32_t i = 0; i < count && c.ok; ++i) {
        TerrainDef d;
        while (c.at < bytes.size() && bytes[c.at] != '\0')
            d.name.push_back(bytes[c.at++]);
        if (c.at >= bytes.size()) return std::nullopt;
        ++c.at;
        d.elevation = c.FileInt();
        d.cost = c.FileInt();
        d.defense = c.FileInt();
        d.spare = c.FileInt();
        f.records.push_back(d);
    }
    if (!c.ok || c.at != bytes.size()) return std::nullopt;
    return f;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(line);
    }
    return out;
}

int32_t NumberField(const std::string& line, size_t from, size_t width) {
    const std::string f = line.substr(from, width);
    size_t i = 0;
    while (i < f.size() && f[i] == ' ')
        ++i;
    int sign = 1;
    if (i < f.size() && (f[i] == '-' || f[i] == '+')) sign = f[i++] == '-' ? -1 : 1;
    int32_t v = 0;
    while (i < f.size() && f[i] >= '0' && f[i] <= '9')
        v = v * 10 + (f[i++] - '0');
    return sign * v;
}

std::string TextField(const std::string& line, size_t from, size_t width) {
    std::string f = line.substr(from, width);
    while (f.size() > 1 && f.back() == ' ')
        f.pop_back();
    return f;
}

std::optional<WavInfo> ParseWav(const std::string& b) {
    auto le = [&b](size_t at, int n) {
        uint32_t v = 0;
        for (int i = n - 1; i >= 0; --i)
            v = (v << 8) | static_cast<uint8_t>(b[at + i]);
        return v;
    };
    if (b.size() < 44 || b.compare(0, 4, "RIFF") || b.compare(8, 8, "WAVEfmt ") || b.compare(36, 4, "data"))
        return std::nullopt;
    if (le(4, 4) != b.size() - 8 || le(16, 4) != 16) return std::nullopt;
    WavInfo w{static_cast<uint16_t>(le(20, 2)), static_cast<uint16_t>(le(22, 2)),
              static_cast<uint16_t>(le(34, 2)), le(24, 4), le(40, 4)};
    if (w.dataBytes != b.size() - 44 || le(28, 4) != w.rate * w.channels * w.bits / 8 ||
        le(32, 2) != w.channels * w.bits / 8)
        return std::nullopt;
    return w;
}

QImage Load565(const std::filesystem::path& file) {
    QImage image(QString::fromStdString(file.string()));
    return image.convertToFormat(QImage::Format_RGB16);
}

} // namespace stocktest
