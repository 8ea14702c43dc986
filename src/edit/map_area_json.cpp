#include "edit/map_area_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <stdexcept>
#include <utility>

namespace k2 {

namespace {

constexpr const char* FormatName = "keldmar2-map-area";
constexpr int FormatVersion = 1;
// Far above the largest area (a whole 150 x 150 map with every record is a few megabytes).
constexpr qsizetype MaxJsonBytes = qsizetype(32) << 20;
// What a battle file can hold in a number (FileInt).
constexpr int64_t FileIntLow = -256, FileIntHigh = 65279;

struct Damaged : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Texts travel byte for byte: each byte of the field is one character from U+0000 to U+00FF.
QString TextJson(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

template <std::size_t N> void ReadText(const QJsonObject& o, const char* name, FixedText<N>& out) {
    const QJsonValue v = o.value(QLatin1String(name));
    if (!v.isString()) throw Damaged(std::string("\"") + name + "\" is not a text");
    const QString text = v.toString();
    if (std::size_t(text.size()) > N) throw Damaged(std::string("\"") + name + "\" is too long");
    std::string bytes;
    for (QChar c : text) {
        if (c.unicode() == 0 || c.unicode() > 0xFF)
            throw Damaged(std::string("\"") + name + "\" has a character no battle holds");
        bytes.push_back(char(c.unicode()));
    }
    out = bytes;
}

int64_t ReadInt(const QJsonObject& o, const char* name, int64_t low, int64_t high) {
    const QJsonValue v = o.value(QLatin1String(name));
    const double d = v.toDouble();
    if (!v.isDouble() || d != std::trunc(d) || d < double(low) || d > double(high))
        throw Damaged(std::string("\"") + name + "\" is not a number from " + std::to_string(low) + " to " +
                      std::to_string(high));
    return int64_t(d);
}

int32_t ReadFileInt(const QJsonObject& o, const char* name) {
    return int32_t(ReadInt(o, name, FileIntLow, FileIntHigh));
}

template <std::size_t N>
std::array<int32_t, N> ReadInts(const QJsonObject& o, const char* name, int64_t low, int64_t high) {
    const QJsonValue v = o.value(QLatin1String(name));
    const QJsonArray a = v.toArray();
    if (!v.isArray() || std::size_t(a.size()) != N)
        throw Damaged(std::string("\"") + name + "\" is not a list of " + std::to_string(N) + " numbers");
    std::array<int32_t, N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        const QJsonObject one{{name, a[qsizetype(i)]}};
        out[i] = int32_t(ReadInt(one, name, low, high));
    }
    return out;
}

QJsonObject StructureJson(const StructureRecord& s) {
    return {{"name", TextJson(s.Name.View())},
            {"symbol", s.Symbol},
            {"side", s.Side},
            {"spareA", s.SpareA},
            {"supply", s.SupplyLevel},
            {"spareB", s.SpareB},
            {"capacity", s.Capacity},
            {"height", s.Height},
            {"defense", s.DefenseMod}};
}

StructureRecord ReadStructure(const QJsonObject& o) {
    StructureRecord s;
    ReadText(o, "name", s.Name);
    s.Symbol = ReadFileInt(o, "symbol");
    s.Side = ReadFileInt(o, "side");
    s.SpareA = ReadFileInt(o, "spareA");
    s.SupplyLevel = ReadFileInt(o, "supply");
    s.SpareB = ReadFileInt(o, "spareB");
    s.Capacity = ReadFileInt(o, "capacity");
    s.Height = ReadFileInt(o, "height");
    s.DefenseMod = ReadFileInt(o, "defense");
    return s;
}

QJsonObject MapTextJson(const PlaceName& m) {
    return {{"text", TextJson(m.Text.View())},
            {"font", TextJson(m.FontName.View())},
            {"colour", double(m.Colour)},
            {"size", QJsonArray{m.Size[0], m.Size[1], m.Size[2]}},
            {"placement", QJsonArray{m.Placement[0], m.Placement[1], m.Placement[2]}},
            {"style", m.Style}};
}

PlaceName ReadMapText(const QJsonObject& o) {
    PlaceName m;
    ReadText(o, "text", m.Text);
    ReadText(o, "font", m.FontName);
    m.Colour = uint32_t(ReadInt(o, "colour", 0, 0xFFFFFFFFll));
    const auto size = ReadInts<3>(o, "size", 0, 255);
    const auto placement = ReadInts<3>(o, "placement", 0, 255);
    for (std::size_t i = 0; i < 3; ++i) {
        m.Size[i] = uint8_t(size[i]);
        m.Placement[i] = uint8_t(placement[i]);
    }
    m.Style = uint8_t(ReadInt(o, "style", 0, 255));
    return m;
}

QJsonObject CellJson(const AreaCell& c) {
    QJsonArray secondary;
    for (int32_t t : c.SecondaryTerrain)
        secondary.append(t);
    QJsonObject o{{"col", c.Column},        {"row", c.Row},           {"primary", c.PrimaryTerrain},
                  {"secondary", secondary}, {"caltrops", c.Caltrops}, {"stakes", c.Stakes}};
    if (c.Structure) o["structure"] = StructureJson(*c.Structure);
    if (c.MapText) o["mapText"] = MapTextJson(*c.MapText);
    return o;
}

AreaCell ReadCell(const QJsonValue& v, const MapArea& area) {
    if (!v.isObject()) throw Damaged("a cell is not an object");
    const QJsonObject o = v.toObject();
    AreaCell c;
    c.Column = int32_t(ReadInt(o, "col", 0, area.Width - 1));
    c.Row = int32_t(ReadInt(o, "row", 0, area.Height - 1));
    // Terrain numbers are checked against the battle's set when the area is laid down.
    c.PrimaryTerrain = int32_t(ReadInt(o, "primary", 0, FileIntHigh));
    c.SecondaryTerrain = ReadInts<SecondarySlotCount>(o, "secondary", 0, FileIntHigh);
    c.Caltrops = int32_t(ReadInt(o, "caltrops", 0, FileIntHigh));
    c.Stakes = int32_t(ReadInt(o, "stakes", 0, FileIntHigh));
    if (o.contains("structure")) {
        if (!o.value("structure").isObject()) throw Damaged("a structure is not an object");
        c.Structure = ReadStructure(o.value("structure").toObject());
    }
    if (o.contains("mapText")) {
        if (!o.value("mapText").isObject()) throw Damaged("a map text is not an object");
        c.MapText = ReadMapText(o.value("mapText").toObject());
    }
    return c;
}

} // namespace

QByteArray MapAreaToJson(const MapArea& area) {
    QJsonArray cells;
    for (const AreaCell& c : area.Cells)
        cells.append(CellJson(c));
    const QJsonObject o{{"format", FormatName}, {"version", FormatVersion}, {"left", area.Left},
                        {"top", area.Top},      {"width", area.Width},      {"height", area.Height},
                        {"cells", cells}};
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

std::optional<MapArea> MapAreaFromJson(const QByteArray& json, std::string& error) {
    error.clear();
    if (json.size() > MaxJsonBytes) {
        error = "the map area is too large";
        return std::nullopt;
    }
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError || !doc.isObject()) {
        error = "the map area is not valid JSON";
        return std::nullopt;
    }
    try {
        const QJsonObject o = doc.object();
        if (o.value("format").toString() != QLatin1String(FormatName)) throw Damaged("it is no map area");
        if (ReadInt(o, "version", 0, 1000) != FormatVersion) throw Damaged("its version is unknown");
        MapArea area;
        area.Left = int32_t(ReadInt(o, "left", 0, MaxMapSide - 1));
        area.Top = int32_t(ReadInt(o, "top", 0, MaxMapSide - 1));
        area.Width = int32_t(ReadInt(o, "width", 1, MaxMapSide));
        area.Height = int32_t(ReadInt(o, "height", 1, MaxMapSide));
        const QJsonValue cells = o.value("cells");
        if (!cells.isArray()) throw Damaged("it has no cells");
        const QJsonArray list = cells.toArray();
        if (list.isEmpty() || list.size() > qsizetype(area.Width) * area.Height)
            throw Damaged("it has a wrong number of cells");
        std::set<std::pair<int32_t, int32_t>> seen;
        area.Cells.reserve(std::size_t(list.size()));
        for (const QJsonValue& v : list) {
            AreaCell c = ReadCell(v, area);
            if (!seen.insert({c.Row, c.Column}).second) throw Damaged("two cells share a place");
            area.Cells.push_back(std::move(c));
        }
        std::sort(area.Cells.begin(), area.Cells.end(), [](const AreaCell& a, const AreaCell& b) {
            return std::pair(a.Row, a.Column) < std::pair(b.Row, b.Column);
        });
        return area;
    } catch (const Damaged& e) {
        error = std::string("the map area is damaged: ") + e.what();
        return std::nullopt;
    }
}

} // namespace k2
