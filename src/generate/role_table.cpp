#include "generate/role_table.h"

#include "core/file_io.h"
#include "core/file_lookup.h"
#include "core/scenario.h"

#include <algorithm>
#include <optional>
#include <set>
#include <stdexcept>

namespace k2 {

namespace {

constexpr std::string_view Magic = "k2-terrain-roles";
constexpr int32_t Version = 1;
constexpr std::array<std::string_view, 6> SideNames = {"N", "NE", "SE", "S", "SW", "NW"};

// The lists that are one line each, in file order.
struct ListRole {
    std::string_view name;
    std::vector<int32_t> RoleTable::*list;
    TerrainRole role;
    bool required;
};
constexpr ListRole ListRoles[] = {
    {"open", &RoleTable::Open, TerrainRole::Open, true},
    {"fields", &RoleTable::Fields, TerrainRole::Fields, true},
    {"woods", &RoleTable::Woods, TerrainRole::Woods, true},
    {"marsh", &RoleTable::Marsh, TerrainRole::Marsh, true},
    {"water", &RoleTable::Water, TerrainRole::Water, true},
    {"houses", &RoleTable::Houses, TerrainRole::Houses, false},
    {"village", &RoleTable::Villages, TerrainRole::Village, true},
};

struct LineError {
    std::string text;
};

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
            ++at;
        const std::size_t from = at;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t')
            ++at;
        if (at > from) words.push_back(line.substr(from, at - from));
    }
    return words;
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// A whole decimal number without sign, or nothing.
std::optional<int32_t> Number(std::string_view word) {
    if (word.empty() || word.size() > 6) return std::nullopt;
    int32_t value = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<int32_t> Side(std::string_view word) {
    for (std::size_t k = 0; k < SideNames.size(); ++k)
        if (word == SideNames[k]) return int32_t(k);
    return std::nullopt;
}

class Parser {
  public:
    void Line(std::string_view line) {
        const std::vector<std::string_view> words = Words(line);
        if (words.empty() || words.front().front() == '#') return;
        if (!header_) return Header(words);
        if (table_.TerrainCount == 0) return Count(words);
        const std::string_view role = words.front();
        const std::span<const std::string_view> rest(words.begin() + 1, words.end());
        for (const ListRole& list : ListRoles)
            if (role == list.name) return List(list, rest);
        if (role == "hill") return Hill(rest);
        if (role == "road" || role == "river") return Piece(role, rest);
        if (role == "bridge") return Bridge(rest);
        if (role == "ford") return Ford(rest);
        throw LineError{"unknown role " + Quoted(role)};
    }

    // After the last line: every required line was there.
    std::optional<std::string> Missing() const {
        if (!header_) return "the file is empty";
        if (table_.TerrainCount == 0) return "no \"terrains\" line";
        for (const ListRole& list : ListRoles)
            if (list.required && !seen_.contains(std::string(list.name)))
                return "no " + Quoted(list.name) + " line";
        for (int32_t level = 1; level <= 3; ++level)
            if (!seen_.contains("hill " + std::to_string(level)))
                return "no \"hill " + std::to_string(level) + "\" line";
        for (std::string_view kind : {"road", "river"})
            for (std::string_view side : SideNames)
                if (!seen_.contains(std::string(kind) + " " + std::string(side)))
                    return "no " + Quoted(std::string(kind) + " " + std::string(side)) + " line";
        if (!seen_.contains("ford")) return "no \"ford\" line";
        return std::nullopt;
    }

    const RoleTable& Table() const { return table_; }

  private:
    void Header(const std::vector<std::string_view>& words) {
        if (words.size() != 2 || words[0] != Magic)
            throw LineError{"the first line must be " +
                            Quoted(std::string(Magic) + " " + std::to_string(Version))};
        const auto version = Number(words[1]);
        if (version != Version)
            throw LineError{"version " + std::string(words[1]) + " is not known (this editor reads version " +
                            std::to_string(Version) + ")"};
        header_ = true;
    }

    void Count(const std::vector<std::string_view>& words) {
        if (words[0] != "terrains") throw LineError{"\"terrains\" must follow the first line"};
        const auto count = words.size() == 2 ? Number(words[1]) : std::nullopt;
        if (!count || *count < 1 || *count > MaxTerrainDefs)
            throw LineError{"the terrain count must be from 1 to " + std::to_string(MaxTerrainDefs)};
        table_.TerrainCount = *count;
        used_.assign(std::size_t(*count), false);
    }

    void Once(const std::string& key) {
        if (!seen_.insert(key).second) throw LineError{"a second " + Quoted(key) + " line"};
    }

    int32_t Terrain(std::string_view word) {
        const auto n = Number(word);
        if (!n) throw LineError{Quoted(word) + " is not a terrain number"};
        if (*n >= table_.TerrainCount)
            throw LineError{"terrain " + std::to_string(*n) + " is not below the terrain count " +
                            std::to_string(table_.TerrainCount)};
        if (used_[std::size_t(*n)]) throw LineError{"terrain " + std::to_string(*n) + " already has a role"};
        used_[std::size_t(*n)] = true;
        return *n;
    }

    std::vector<int32_t> Terrains(std::span<const std::string_view> words) {
        if (words.empty() || words.size() > std::size_t(RoleTable::MaxListLength))
            throw LineError{"a list holds 1 to " + std::to_string(RoleTable::MaxListLength) +
                            " terrain numbers"};
        std::vector<int32_t> out;
        for (std::string_view w : words)
            out.push_back(Terrain(w));
        return out;
    }

    int32_t SideWord(std::string_view word) {
        const auto side = Side(word);
        if (!side) throw LineError{Quoted(word) + " is not a side (N, NE, SE, S, SW, NW)"};
        return *side;
    }

    void List(const ListRole& list, std::span<const std::string_view> rest) {
        Once(std::string(list.name));
        table_.*list.list = Terrains(rest);
    }

    void Hill(std::span<const std::string_view> rest) {
        const auto level = rest.empty() ? std::nullopt : Number(rest[0]);
        if (!level || *level < 1 || *level > 3)
            throw LineError{"\"hill\" takes an elevation from 1 to 3 first"};
        Once("hill " + std::to_string(*level));
        table_.Hills[std::size_t(*level - 1)] = Terrains(rest.subspan(1));
    }

    void Piece(std::string_view kind, std::span<const std::string_view> rest) {
        if (rest.size() != 2) throw LineError{Quoted(kind) + " takes a side and one terrain number"};
        const int32_t side = SideWord(rest[0]);
        Once(std::string(kind) + " " + std::string(rest[0]));
        (kind == "road" ? table_.Road : table_.River)[std::size_t(side)] = Terrain(rest[1]);
    }

    void Bridge(std::span<const std::string_view> rest) {
        if (rest.size() != 3) throw LineError{"\"bridge\" takes two sides and one terrain number"};
        const int32_t a = SideWord(rest[0]), b = SideWord(rest[1]);
        if (a == b) throw LineError{"a bridge joins two different sides"};
        Once("bridge " + std::string(SideNames[std::size_t(std::min(a, b))]) + " " +
             std::string(SideNames[std::size_t(std::max(a, b))]));
        table_.Bridges.push_back({Terrain(rest[2]), HexDirection(a), HexDirection(b)});
    }

    void Ford(std::span<const std::string_view> rest) {
        if (rest.size() != 1) throw LineError{"\"ford\" takes one terrain number"};
        Once("ford");
        table_.Ford = Terrain(rest[0]);
    }

    RoleTable table_;
    bool header_ = false;
    std::vector<bool> used_;
    std::set<std::string> seen_;
};

void Put(std::string& out, std::string_view role, const std::vector<int32_t>& list, int32_t count) {
    if (list.empty() || list.size() > std::size_t(RoleTable::MaxListLength))
        throw std::invalid_argument("role list " + std::string(role) + " has " + std::to_string(list.size()) +
                                    " numbers");
    out += role;
    for (int32_t n : list) {
        if (n < 0 || n >= count)
            throw std::invalid_argument("terrain number out of range in " + std::string(role));
        out += " " + std::to_string(n);
    }
    out += "\n";
}

} // namespace

std::vector<TerrainRoleEntry> RoleTable::Index() const {
    std::vector<TerrainRoleEntry> index(std::size_t(std::max(TerrainCount, 0)));
    const auto set = [&](int32_t terrain, TerrainRoleEntry entry) {
        if (terrain >= 0 && terrain < TerrainCount) index[std::size_t(terrain)] = entry;
    };
    for (const ListRole& list : ListRoles)
        for (int32_t t : this->*list.list)
            set(t, {list.role, 0, 0});
    for (int32_t level = 1; level <= 3; ++level)
        for (int32_t t : Hills[std::size_t(level - 1)])
            set(t, {TerrainRole::Hill, 0, level});
    for (int32_t side = 0; side < 6; ++side) {
        set(Road[std::size_t(side)], {TerrainRole::Road, uint8_t(1u << side), 0});
        set(River[std::size_t(side)], {TerrainRole::River, uint8_t(1u << side), 0});
    }
    for (const BridgePiece& b : Bridges)
        set(b.Terrain, {TerrainRole::Bridge, uint8_t((1u << int(b.From)) | (1u << int(b.To))), 0});
    set(Ford, {TerrainRole::Ford, 0, 0});
    return index;
}

int32_t RoleTable::HighestTerrain() const {
    int32_t high = Ford;
    for (const ListRole& list : ListRoles)
        for (int32_t t : this->*list.list)
            high = std::max(high, t);
    for (const auto& hills : Hills)
        for (int32_t t : hills)
            high = std::max(high, t);
    for (int32_t t : Road)
        high = std::max(high, t);
    for (int32_t t : River)
        high = std::max(high, t);
    for (const BridgePiece& b : Bridges)
        high = std::max(high, b.Terrain);
    return high;
}

std::filesystem::path RoleTableFile(const std::filesystem::path& installDir,
                                    std::string_view terrainSetName) {
    return FindFile(installDir / "sysdefs", std::string(terrainSetName) + ".roles");
}

Status ParseRoleTable(std::span<const uint8_t> bytes, RoleTable& table) {
    if (bytes.size() > RoleTable::MaxFileBytes) return Status::Fail("the file is larger than 64 KiB");
    Parser parser;
    std::size_t at = 0;
    int32_t number = 0;
    try {
        while (at < bytes.size()) {
            ++number;
            std::size_t end = at;
            while (end < bytes.size() && bytes[end] != '\n')
                ++end;
            if (end - at > RoleTable::MaxLineBytes)
                throw LineError{"longer than " + std::to_string(RoleTable::MaxLineBytes) + " bytes"};
            std::size_t stop = end;
            if (stop > at && bytes[stop - 1] == '\r') --stop;
            std::string line;
            for (std::size_t k = at; k < stop; ++k) {
                const uint8_t c = bytes[k];
                if (c != '\t' && (c < 0x20 || c > 0x7E))
                    throw LineError{"a character that is not plain text"};
                line.push_back(char(c));
            }
            // A file cut short would otherwise read as a shorter list.
            if (end == bytes.size()) throw LineError{"the last line does not end in a line feed"};
            parser.Line(line);
            at = end + 1;
        }
    } catch (const LineError& e) {
        return Status::Fail("line " + std::to_string(number) + ": " + e.text);
    }
    if (auto missing = parser.Missing()) return Status::Fail(*missing);
    table = parser.Table();
    return Status::Ok();
}

Status ReadRoleTable(const std::filesystem::path& file, RoleTable& table) {
    const std::string name = file.filename().string();
    std::vector<uint8_t> bytes;
    switch (ReadFileBytes(file, RoleTable::MaxFileBytes, bytes)) {
    case ReadFileResult::Ok:
        break;
    case ReadFileResult::CannotOpen:
        return Status::Fail("The terrain set " + file.stem().string() + " has no role table (" + name + ").");
    case ReadFileResult::TooLarge:
        return Status::Fail("The role table " + name + " is damaged: the file is larger than 64 KiB.");
    case ReadFileResult::ReadError:
        return Status::Fail("The role table " + name + " could not be read.");
    }
    Status parsed = ParseRoleTable(bytes, table);
    if (!parsed) return Status::Fail("The role table " + name + " is damaged: " + parsed.message + ".");
    return parsed;
}

Status CheckRoleTableFits(const RoleTable& table, int32_t symbolCount, std::string_view setName) {
    const int32_t highest = table.HighestTerrain();
    if (highest < symbolCount) return Status::Ok();
    return Status::Fail("The role table of " + std::string(setName) + " names terrain " +
                        std::to_string(highest) + ", but the terrain set has only " +
                        std::to_string(symbolCount) + " symbols.");
}

std::string EncodeRoleTable(const RoleTable& t) {
    if (t.TerrainCount < 1 || t.TerrainCount > MaxTerrainDefs)
        throw std::invalid_argument("terrain count out of range");
    const auto number = [&](int32_t n) {
        if (n < 0 || n >= t.TerrainCount) throw std::invalid_argument("terrain number out of range");
        return std::to_string(n);
    };
    std::string out = std::string(Magic) + " " + std::to_string(Version) + "\n";
    out += "terrains " + std::to_string(t.TerrainCount) + "\n";
    for (const ListRole& list : ListRoles) {
        if (list.role == TerrainRole::Houses || list.role == TerrainRole::Village) continue;
        Put(out, list.name, t.*list.list, t.TerrainCount);
    }
    for (int32_t level = 1; level <= 3; ++level)
        Put(out, "hill " + std::to_string(level), t.Hills[std::size_t(level - 1)], t.TerrainCount);
    for (std::string_view kind : {"road", "river"})
        for (std::size_t side = 0; side < 6; ++side)
            out += std::string(kind) + " " + std::string(SideNames[side]) + " " +
                   number((kind == "road" ? t.Road : t.River)[side]) + "\n";
    for (const BridgePiece& b : t.Bridges)
        out += "bridge " + std::string(SideNames[std::size_t(b.From)]) + " " +
               std::string(SideNames[std::size_t(b.To)]) + " " + number(b.Terrain) + "\n";
    out += "ford " + number(t.Ford) + "\n";
    if (!t.Houses.empty()) Put(out, "houses", t.Houses, t.TerrainCount);
    Put(out, "village", t.Villages, t.TerrainCount);
    return out;
}

} // namespace k2
