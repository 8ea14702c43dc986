#include "graphics/symbol_set.h"

#include "core/file_lookup.h"

#include <QImageReader>
#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <string>

namespace k2 {
namespace {

// Bytes of one symbol entry at its longest: 25 name bytes, the masked flag, 3 x 4 cell values.
constexpr std::size_t MaxEntryBytes = SymbolNameChars + 2 + 3 * 16;
constexpr std::size_t HeaderBytes = 1 + 3 + 3 * (2 + 3 * 8);
// Nothing past the unit section is ever read, so a file is read no further than this.
constexpr std::size_t MaxUsefulFileBytes = HeaderBytes + (MaxTerrainSymbols + MaxUnitSymbols) * MaxEntryBytes;
// The smallest cell that still gives pitches of a pixel.
constexpr int32_t MinCellSize = 3;

class ByteReader {
  public:
    explicit ByteReader(std::span<const uint8_t> data) : data_(data) {}
    bool U8(uint8_t& v) {
        if (pos_ >= data_.size()) return false;
        v = data_[pos_++];
        return true;
    }
    bool U16(uint32_t& v) {
        if (data_.size() - pos_ < 2) return false;
        v = (uint32_t(data_[pos_]) << 8) | data_[pos_ + 1];
        pos_ += 2;
        return true;
    }
    bool U32(uint32_t& v) {
        if (data_.size() - pos_ < 4) return false;
        v = (uint32_t(data_[pos_]) << 24) | (uint32_t(data_[pos_ + 1]) << 16) |
            (uint32_t(data_[pos_ + 2]) << 8) | data_[pos_ + 3];
        pos_ += 4;
        return true;
    }

  private:
    std::span<const uint8_t> data_;
    std::size_t pos_ = 0;
};

bool ReadSizes(ByteReader& in, SectionSizes& sizes) {
    for (auto& level : sizes)
        for (auto& v : level)
            if (!in.U32(v)) return false;
    return true;
}

bool ReadEntry(ByteReader& in, SymbolEntry& entry) {
    std::string name;
    for (std::size_t i = 0; i < SymbolNameChars; ++i) {
        uint8_t b = 0;
        if (!in.U8(b)) return false;
        if (b == 0) break;
        name.push_back(static_cast<char>(b));
    }
    entry.Name = name;
    uint32_t masked = 0;
    if (!in.U16(masked)) return false;
    entry.Masked = static_cast<int32_t>(masked);
    for (auto& cell : entry.Cells) {
        uint32_t v[4];
        for (auto& x : v)
            if (!in.U32(x)) return false;
        // Values past the int32 range wrap to negative and are refused with the bitmap check.
        cell = {static_cast<int32_t>(v[0]), static_cast<int32_t>(v[1]), static_cast<int32_t>(v[2]),
                static_cast<int32_t>(v[3])};
    }
    return true;
}

std::string FileName(const std::filesystem::path& p) {
    return p.filename().string();
}

bool ReadFilePrefix(const std::filesystem::path& file, std::vector<uint8_t>& bytes) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    bytes.resize(MaxUsefulFileBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

// White (transparent) where the symbol bitmap is black, black elsewhere.
QImage ComputeMask(const QImage& bitmap) {
    QImage mask(bitmap.size(), QImage::Format_RGB16);
    if (mask.isNull()) return mask;
    for (int y = 0; y < bitmap.height(); ++y) {
        const auto* src = reinterpret_cast<const uint16_t*>(bitmap.constScanLine(y));
        auto* dst = reinterpret_cast<uint16_t*>(mask.scanLine(y));
        for (int x = 0; x < bitmap.width(); ++x)
            dst[x] = src[x] == 0 ? 0xFFFF : 0;
    }
    return mask;
}

// The mask cache is written as a two-colour palette image, which the BMP writer stores at four
// bits per pixel; reading it back and converting to 16 bits gives exactly 0 and 0xFFFF again.
bool WriteMaskFile(const QImage& mask, const std::filesystem::path& file) {
    QImage indexed(mask.size(), QImage::Format_Indexed8);
    if (indexed.isNull()) return false;
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < mask.height(); ++y) {
        const auto* src = reinterpret_cast<const uint16_t*>(mask.constScanLine(y));
        uchar* dst = indexed.scanLine(y);
        for (int x = 0; x < mask.width(); ++x)
            dst[x] = src[x] == 0xFFFF ? 1 : 0;
    }
    QSaveFile out(QString::fromStdString(file.string()));
    if (!out.open(QIODevice::WriteOnly)) return false;
    if (!indexed.save(&out, "BMP")) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

QImage ReadImage(const std::filesystem::path& file) {
    QImageReader reader(QString::fromStdString(file.string()));
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

bool EndsWithIgnoreCase(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && EqualsIgnoreCase(s.substr(s.size() - suffix.size()), suffix);
}

// The list order of `count` symbols after `skip` lines; a missing, malformed or out-of-range
// number leaves natural order in its place.
std::vector<int32_t> ReadListOrder(const std::filesystem::path& file, int32_t skip, int32_t count) {
    std::vector<int32_t> order(static_cast<std::size_t>(count));
    for (int32_t k = 0; k < count; ++k)
        order[static_cast<std::size_t>(k)] = k + 1;
    std::ifstream in(file);
    if (!in) return order;
    std::string line;
    for (int32_t i = 0; i < skip; ++i)
        if (!std::getline(in, line)) return order;
    for (int32_t k = 0; k < count && std::getline(in, line); ++k) {
        std::string_view text(line);
        while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
            text.remove_suffix(1);
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
            text.remove_prefix(1);
        // Each line holds at most four digits.
        if (text.empty() || text.size() > 4) continue;
        int32_t value = 0;
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec != std::errc() || end != text.data() + text.size()) continue;
        if (value >= 1 && value <= count) order[static_cast<std::size_t>(k)] = value;
    }
    return order;
}

bool PlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

bool CellInside(const SymbolCell& c, int32_t width, int32_t height, const QImage& image) {
    if (c.Left < 0 || c.Top < 0 || width < 1 || height < 1) return false;
    return int64_t(c.Left) + width <= image.width() && int64_t(c.Top) + height <= image.height();
}

} // namespace

Status ParseSymbolSetFile(std::span<const uint8_t> data, SymbolFileKind kind, SymbolFileContents& out) {
    const bool terrain = kind == SymbolFileKind::Terrain;
    const std::string damaged = terrain ? "The terrain symbol file is damaged: it ends early."
                                        : "The unit symbol file is damaged: it ends early.";
    ByteReader in(data);
    uint8_t magic = 0;
    if (!in.U8(magic) || magic != 252) return Status::Fail("Unknown Symbol Set Format.");
    for (auto& f : out.Flags)
        if (!in.U8(f)) return Status::Fail(damaged);
    uint32_t count = 0;
    if (!in.U16(count) || !ReadSizes(in, out.TerrainSizes)) return Status::Fail(damaged);
    out.TerrainCount = static_cast<int32_t>(count);
    if (!in.U16(count) || !ReadSizes(in, out.UnitSizes)) return Status::Fail(damaged);
    out.UnitCount = static_cast<int32_t>(count);
    SectionSizes third{};
    if (!in.U16(count) || !ReadSizes(in, third)) return Status::Fail(damaged);

    if (out.TerrainCount > MaxTerrainSymbols)
        return Status::Fail("The symbol set file holds " + std::to_string(out.TerrainCount) +
                            " terrain symbols; at most 500 are allowed.");
    if (!terrain && out.UnitCount > MaxUnitSymbols)
        return Status::Fail("The symbol set file holds " + std::to_string(out.UnitCount) +
                            " unit symbols; at most 2000 are allowed.");
    out.Entries.clear();
    if (terrain) out.Entries.resize(static_cast<std::size_t>(out.TerrainCount));
    SymbolEntry skipped;
    for (int32_t i = 0; i < out.TerrainCount; ++i)
        if (!ReadEntry(in, terrain ? out.Entries[static_cast<std::size_t>(i)] : skipped))
            return Status::Fail(damaged);
    if (!terrain) {
        out.Entries.resize(static_cast<std::size_t>(out.UnitCount));
        for (auto& e : out.Entries)
            if (!ReadEntry(in, e)) return Status::Fail(damaged);
    }
    return Status::Ok();
}

void SymbolSet::swap(SymbolSet& other) noexcept {
    using std::swap;
    swap(terrain_, other.terrain_);
    swap(units_, other.units_);
    swap(terrainBitmaps_, other.terrainBitmaps_);
    swap(terrainMasks_, other.terrainMasks_);
    swap(unitBitmaps_, other.unitBitmaps_);
    swap(unitMasks_, other.unitMasks_);
    swap(terrainOrder_, other.terrainOrder_);
    swap(unitOrder_, other.unitOrder_);
    swap(cellSize_, other.cellSize_);
    swap(terrainFlags_, other.terrainFlags_);
    swap(terrainSizes_, other.terrainSizes_);
    swap(unitSizes_, other.unitSizes_);
    swap(unitFileTerrainCount_, other.unitFileTerrainCount_);
}

// Builds a SymbolSet step by step; each failing step gives the detail and the step's message.
class SymbolSetLoader {
  public:
    SymbolSetLoader(SymbolSet& set, const std::filesystem::path& installDir, std::string_view terrainName,
                    std::string_view unitName, const std::function<void(int)>& progress)
        : set_(set), dir_(installDir / "scenarios"), terrainName_(terrainName), unitName_(unitName),
          progress_(progress) {}

    Status Run() {
        Advance();
        if (Status s = ReadTerrainFile(); !s) return Fail(s, "SET File Load Error.");
        Advance();
        if (Status s = ReadUnitFile(); !s) return Fail(s, "SET File Load Error.");
        Advance();
        if (Status s = LoadTerrainBitmaps(); !s) return Fail(s, "Terrain File Load Error.");
        const std::filesystem::path terrainOrder = FindFile(dir_, terrainName_ + ".sdx");
        set_.terrainOrder_ = ReadListOrder(terrainOrder, 0, set_.TerrainCount());
        Advance();
        if (Status s = LoadUnitBitmaps(); !s) return Fail(s, "Unit File Load Error.");
        const std::filesystem::path unitOrder = FindFile(dir_, unitName_ + ".sdx");
        set_.unitOrder_ = ReadListOrder(unitOrder, set_.unitFileTerrainCount_, set_.UnitCount());
        for (int z = 0; z < ZoomLevelCount; ++z)
            set_.cellSize_[z] = set_.terrain_[0].Cells[z].Width();
        Report(100);
        return Status::Ok();
    }

  private:
    static Status Fail(const Status& detail, const std::string& stepMessage) {
        Status s = Status::Fail(stepMessage);
        s.warnings = detail.warnings;
        s.warnings.push_back(detail.message);
        return s;
    }
    void Advance() {
        position_ += 10;
        Report(std::min(position_, 100));
    }
    void Report(int position) {
        if (progress_) progress_(position);
    }

    Status ReadSetFile(const std::string& name, SymbolFileKind kind, const char* openMessage,
                       SymbolFileContents& contents) {
        // A set name is a plain name inside the scenarios folder, never a path out of it.
        if (!PlainName(terrainName_) || !PlainName(unitName_)) return Status::Fail(openMessage);
        const std::filesystem::path file = FindFile(dir_, name);
        std::vector<uint8_t> bytes;
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec) || !ReadFilePrefix(file, bytes))
            return Status::Fail(openMessage);
        return ParseSymbolSetFile(bytes, kind, contents);
    }

    Status ReadTerrainFile() {
        SymbolFileContents c;
        if (Status s = ReadSetFile(terrainName_ + ".ter", SymbolFileKind::Terrain,
                                   "Could not open Terrain files.", c);
            !s)
            return s;
        // Symbol 0 sets the cell size and so the whole geometry; a set without it cannot draw.
        if (c.Entries.empty())
            return Status::Fail("The terrain symbol file " + terrainName_ + ".ter holds no symbols.");
        set_.terrainFlags_ = c.Flags;
        set_.terrainSizes_ = c.TerrainSizes;
        set_.terrain_ = std::move(c.Entries);
        return Status::Ok();
    }

    Status ReadUnitFile() {
        SymbolFileContents c;
        if (Status s =
                ReadSetFile(unitName_ + ".set", SymbolFileKind::Unit, "Cannot open the symbol SET file.", c);
            !s)
            return s;
        set_.unitFileTerrainCount_ = c.TerrainCount;
        set_.unitSizes_ = c.UnitSizes;
        set_.units_ = std::move(c.Entries);
        return Status::Ok();
    }

    // Reads a symbol bitmap and holds it at 16 bits per pixel.
    Status LoadBitmap(const std::filesystem::path& file, const char* what, const char* memoryMessage,
                      QImage& target) {
        std::error_code ec;
        QImage image;
        if (std::filesystem::is_regular_file(file, ec)) image = ReadImage(file);
        if (image.isNull())
            return Status::Fail(std::string("Could not read the ") + what + " bitmap " + FileName(file) +
                                ".");
        if (image.width() < 1 || image.height() < 1)
            return Status::Fail(std::string("The ") + what + " bitmap " + FileName(file) + " is empty.");
        target = image.convertToFormat(QImage::Format_RGB16);
        if (target.isNull()) return Status::Fail(memoryMessage);
        return Status::Ok();
    }

    Status LoadTerrainBitmaps() {
        for (int z = 0; z < ZoomLevelCount; ++z) {
            const std::string digit = std::to_string(z + 1);
            const std::filesystem::path file = FindFile(dir_, terrainName_ + "-t" + digit + ".bmp");
            QImage& bitmap = set_.terrainBitmaps_[z];
            if (Status s = LoadBitmap(file, "terrain", "Ter Sym Mem Allocation Error.", bitmap); !s) return s;
            if (Status s = CheckTerrainCells(z, FileName(file)); !s) return s;

            // Keep the cache next to its bitmap and spelt like it, whatever case the battle used.
            std::string maskName = terrainName_ + "-x" + digit + ".bmp";
            const std::string bitmapName = FileName(file);
            if (EndsWithIgnoreCase(bitmapName, "-t" + digit + ".bmp"))
                maskName = bitmapName.substr(0, bitmapName.size() - 7) + "-x" + digit + ".bmp";
            std::filesystem::path maskFile = FindFile(dir_, terrainName_ + "-x" + digit + ".bmp");
            std::error_code ec;
            QImage mask;
            if (std::filesystem::is_regular_file(maskFile, ec)) {
                QImage cached = ReadImage(maskFile);
                // A cache that no longer fits its bitmap is stale: compute it again.
                if (!cached.isNull() && cached.size() == bitmap.size())
                    mask = cached.convertToFormat(QImage::Format_RGB16);
            } else {
                maskFile = dir_ / maskName;
            }
            if (mask.isNull()) {
                mask = ComputeMask(bitmap);
                if (mask.isNull()) return Status::Fail("Mask Map Buffer Mem Allocation Error.");
                // A cache that cannot be written only costs time at the next load.
                WriteMaskFile(mask, maskFile);
            }
            set_.terrainMasks_[z] = std::move(mask);
            Advance();
        }
        return Status::Ok();
    }

    Status CheckTerrainCells(int z, const std::string& bitmapName) {
        const QImage& bitmap = set_.terrainBitmaps_[z];
        const int32_t size = set_.terrain_[0].Cells[z].Width();
        if (size < MinCellSize)
            return Status::Fail("The first terrain symbol is too small to draw a hex in " + bitmapName + ".");
        for (std::size_t i = 0; i < set_.terrain_.size(); ++i) {
            const SymbolCell& c = set_.terrain_[i].Cells[z];
            // Terrain is drawn as a CellSize square from the cell's corner, so that square must fit too.
            if (!CellInside(c, c.Width(), c.Height(), bitmap) || !CellInside(c, size, size, bitmap))
                return Status::Fail("Terrain symbol " + std::to_string(i) + " lies outside the bitmap " +
                                    bitmapName + ".");
        }
        return Status::Ok();
    }

    Status LoadUnitBitmaps() {
        if (set_.units_.empty()) return Status::Ok();
        for (int z = 0; z < ZoomLevelCount; ++z) {
            const std::filesystem::path file =
                FindFile(dir_, unitName_ + "-u" + std::to_string(z + 1) + ".bmp");
            QImage& bitmap = set_.unitBitmaps_[z];
            if (Status s = LoadBitmap(file, "unit", "Map Buffer Mem Allocation Error.", bitmap); !s) return s;
            for (std::size_t i = 0; i < set_.units_.size(); ++i) {
                const SymbolCell& c = set_.units_[i].Cells[z];
                if (!CellInside(c, c.Width(), c.Height(), bitmap))
                    return Status::Fail("Unit symbol " + std::to_string(i) + " lies outside the bitmap " +
                                        FileName(file) + ".");
            }
            set_.unitMasks_[z] = ComputeMask(bitmap);
            if (set_.unitMasks_[z].isNull()) return Status::Fail("Mask Map Buffer Mem Allocation Error.");
            Advance();
        }
        return Status::Ok();
    }

    SymbolSet& set_;
    std::filesystem::path dir_;
    std::string terrainName_;
    std::string unitName_;
    const std::function<void(int)>& progress_;
    int position_ = 10;
};

Status LoadSymbolSet(SymbolSet& target, const std::filesystem::path& installDir,
                     std::string_view terrainSetName, std::string_view unitSetName,
                     const std::function<void(int)>& progress) {
    SymbolSet scratch;
    SymbolSetLoader loader(scratch, installDir, terrainSetName, unitSetName, progress);
    Status status = loader.Run();
    if (status) target.swap(scratch);
    return status;
}

} // namespace k2
