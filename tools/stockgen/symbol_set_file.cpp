#include "stockgen/symbol_set_file.h"

#include <QString>
#include <fstream>
#include <stdexcept>

namespace k2stock {
namespace {

void Put16(std::string& out, uint32_t v) {
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
    out.push_back(static_cast<char>(v & 0xFF));
}

void Put32(std::string& out, int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

void PutHeader(std::string& out, const SymbolSection& section) {
    if (section.symbols.size() > 0xFFFF) throw std::length_error("too many symbols for one section");
    Put16(out, static_cast<uint32_t>(section.symbols.size()));
    for (const auto& [w, h] : section.sizes) {
        Put32(out, w);
        Put32(out, h);
    }
}

void PutEntry(std::string& out, const SymbolRecord& symbol) {
    if (symbol.name.empty() || symbol.name.size() > MaxSymbolName)
        throw std::length_error("symbol name must have 1 to 25 characters: " + symbol.name);
    out += symbol.name;
    // A name of the full 25 characters has no terminator: the reader stops after 25 bytes.
    if (symbol.name.size() < MaxSymbolName) out.push_back('\0');
    Put16(out, symbol.masked);
    for (const SymbolCell& c : symbol.cells) {
        Put32(out, c.left);
        Put32(out, c.top);
        Put32(out, c.right);
        Put32(out, c.bottom);
    }
}

} // namespace

std::string EncodeSymbolSetFile(const SymbolSection& terrain, const SymbolSection& units) {
    std::string out;
    out.push_back(static_cast<char>(252));
    out.append(3, '\0'); // flags: unused by the editor
    PutHeader(out, terrain);
    PutHeader(out, units);
    PutHeader(out, SymbolSection{}); // no third section
    for (const auto& s : terrain.symbols)
        PutEntry(out, s);
    for (const auto& s : units.symbols)
        PutEntry(out, s);
    return out;
}

QImage PackSymbols(const std::vector<QImage>& pictures, int columns, std::vector<SymbolCell>& cells) {
    cells.clear();
    if (pictures.empty()) return QImage();
    const int w = pictures.front().width(), h = pictures.front().height();
    const int rows = (static_cast<int>(pictures.size()) + columns - 1) / columns;
    QImage sheet(w * columns, h * rows, QImage::Format_RGB32);
    sheet.fill(qRgb(0, 0, 0));
    for (size_t i = 0; i < pictures.size(); ++i) {
        if (pictures[i].size() != pictures.front().size())
            throw std::logic_error("symbol pictures differ in size");
        const int x = static_cast<int>(i % columns) * w, y = static_cast<int>(i / columns) * h;
        const QImage& pic = pictures[i];
        for (int py = 0; py < h; ++py)
            for (int px = 0; px < w; ++px)
                sheet.setPixel(x + px, y + py, pic.pixel(px, py));
        cells.push_back({x, y, x + w - 1, y + h - 1});
    }
    return sheet;
}

std::string EncodeListOrder(const std::vector<int32_t>& order) {
    std::string out;
    for (int32_t s : order) {
        if (s < 0 || s > 9998) throw std::out_of_range("list order number needs more than four digits");
        out += std::to_string(s + 1) + "\n";
    }
    return out;
}

bool WriteFileBytes(const std::filesystem::path& file, const std::string& bytes, std::string& error) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (out) out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (out) out.close();
    if (!out) {
        error = "Could not write " + file.string();
        return false;
    }
    return true;
}

bool SaveBitmap(const QImage& image, const std::filesystem::path& file, std::string& error) {
    if (!image.save(QString::fromStdString(file.string()), "BMP")) {
        error = "Could not write " + file.string();
        return false;
    }
    return true;
}

} // namespace k2stock
