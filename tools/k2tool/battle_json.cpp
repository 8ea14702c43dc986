#include "battle_json.h"

#include "forces/unit_ratings.h"
#include "windows1252.h"

#include <cstdio>
#include <string_view>
#include <vector>

namespace k2tool {

namespace {

using namespace k2;

std::string Quoted(std::string_view ansi) {
    const std::string utf8 = Windows1252ToUtf8(ansi);
    std::string out = "\"";
    for (char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned char>(c));
                out += buf;
            } else {
                out.push_back(c);
            }
        }
    }
    return out + "\"";
}

// One JSON object written member by member in the order given.
class Object {
  public:
    explicit Object(std::string indent = "") : indent_(std::move(indent)) {}
    Object& Raw(std::string_view key, const std::string& json) {
        text_ += (first_ ? "" : ",") + (indent_.empty() ? std::string() : "\n" + indent_) + "\"" +
                 std::string(key) + "\":" + json;
        first_ = false;
        return *this;
    }
    Object& Int(std::string_view key, int64_t v) { return Raw(key, std::to_string(v)); }
    Object& Text(std::string_view key, std::string_view v) { return Raw(key, Quoted(v)); }
    Object& Bool(std::string_view key, bool v) { return Raw(key, v ? "true" : "false"); }
    std::string Str() const { return "{" + text_ + (indent_.empty() ? "" : "\n") + "}"; }

  private:
    std::string indent_;
    std::string text_;
    bool first_ = true;
};

template <typename Range, typename Fn> std::string Array(const Range& range, Fn item, bool linePerItem) {
    std::string out = "[";
    bool first = true;
    for (const auto& v : range) {
        out += first ? "" : ",";
        if (linePerItem) out += "\n    ";
        out += item(v);
        first = false;
    }
    return out + (linePerItem && !first ? "\n  ]" : "]");
}

std::string Ints(std::initializer_list<int64_t> values) {
    return Array(
        values, [](int64_t v) { return std::to_string(v); }, false);
}

template <typename T, std::size_t N> std::string Ints(const std::array<T, N>& values) {
    return Array(
        values, [](T v) { return std::to_string(int64_t(v)); }, false);
}

std::string UnitJson(const Scenario& s, int32_t k, const EquipmentTables* tables) {
    const UnitRecord& u = s.Units[k];
    Object o;
    o.Text("Name", u.Name.View())
        .Int("Symbol", u.Symbol)
        .Int("ActivationTurn", u.ActivationTurn)
        .Int("Side", u.Side)
        .Int("Hex", u.Hex)
        .Int("UnitType", u.UnitType)
        .Int("Class", u.Class)
        .Int("Men", u.Men)
        .Int("Morale", u.Morale)
        .Int("CombatWeapon", u.CombatWeapon)
        .Int("MissileWeapon", u.MissileWeapon)
        .Int("MissileAmmo", u.MissileAmmo)
        .Int("Armour", u.Armour)
        .Int("Shield", u.Shield)
        .Int("MovementPoints", u.MovementPoints)
        .Int("WingLeader", u.WingLeader)
        .Int("CommandRange", u.CommandRange)
        .Int("CommandRating", u.CommandRating)
        .Int("Value", u.Value)
        .Int("Wing", u.Wing)
        .Int("SupplyLevel", u.SupplyLevel)
        .Int("HasStakes", u.HasStakes)
        .Int("FerociousAttack", u.FerociousAttack)
        .Int("StartsDisrupted", u.StartsDisrupted);
    if (tables) {
        o.Int("CombatStrength", CombatStrength(s, *tables, k))
            .Int("FirePower", FirePower(s, *tables, k))
            .Int("DefenceRating", DefenceRating(s, *tables, k))
            .Int("UnitLoad", UnitLoad(s, *tables, k))
            .Text("WeightClass", WeightClass(s, *tables, k))
            .Bool("IsGun", IsGun(s, *tables, k))
            .Int("CommandingLeader", CommandingLeader(s, k));
    }
    return o.Str();
}

std::string StructureJson(const StructureRecord& r) {
    return Object()
        .Text("Name", r.Name.View())
        .Int("Symbol", r.Symbol)
        .Int("Side", r.Side)
        .Int("SpareA", r.SpareA)
        .Int("SupplyLevel", r.SupplyLevel)
        .Int("SpareB", r.SpareB)
        .Int("Hex", r.Hex)
        .Int("Capacity", r.Capacity)
        .Int("Height", r.Height)
        .Int("DefenseMod", r.DefenseMod)
        .Str();
}

std::string ObjectiveJson(const ObjectiveRecord& r) {
    return Object()
        .Int("Hex", r.Hex)
        .Text("Name", r.Name.View())
        .Int("ObjectiveKind", r.ObjectiveKind)
        .Int("VictoryPoints", r.VictoryPoints)
        .Str();
}

std::string MapTextJson(const PlaceName& m) {
    return Object()
        .Int("Hex", m.Hex)
        .Text("Text", m.Text.View())
        .Text("FontName", m.FontName.View())
        .Int("Colour", m.Colour)
        .Raw("Size", Ints(m.Size))
        .Raw("Placement", Ints(m.Placement))
        .Int("Style", m.Style)
        .Str();
}

std::string TerrainDefJson(const TerrainDef& d) {
    return Object()
        .Text("name", d.name.View())
        .Int("elevation", d.elevation)
        .Int("costPerMove", d.costPerMove)
        .Int("defenseModifier", d.defenseModifier)
        .Int("spare", d.spare)
        .Str();
}

std::string HexJson(const HexCell& c) {
    const auto& t = c.SecondaryTerrain;
    return Ints({c.PrimaryTerrain, t[0], t[1], t[2], t[3], t[4], t[5], c.Unit, c.Structure, c.MapText,
                 c.Objective, c.ReinforcementMarker, c.Caltrops, c.Stakes});
}

} // namespace

std::string BattleJson(const Scenario& s, bool legacy, const EquipmentTables* tables) {
    auto numbers = [](int32_t count, int32_t capacity) {
        std::vector<int32_t> v;
        for (int32_t k = 1; k <= count && k <= capacity; ++k)
            v.push_back(k);
        return v;
    };
    Object top("  ");
    top.Text("BattleName", s.BattleName.View())
        .Text("BattleIcon", s.BattleIcon.View())
        .Int("SaveCount", s.SaveCount)
        .Int("MaxTurns", s.MaxTurns)
        .Int("StartInitiative", s.StartInitiative)
        .Int("Weather", s.Weather)
        .Int("WesternBreakPoint", s.WesternBreakPoint)
        .Int("EasternBreakPoint", s.EasternBreakPoint)
        .Int("WesternLeaderReplacement", s.WesternLeaderReplacement)
        .Int("EasternLeaderReplacement", s.EasternLeaderReplacement)
        .Text("WesternName", s.WesternName.View())
        .Text("EasternName", s.EasternName.View())
        .Raw("Description", Array(
                                s.Description, [](const auto& line) { return Quoted(line.View()); }, false))
        .Int("WingCount", s.WingCount)
        .Raw("WingNames", Array(
                              std::vector<std::string_view>([&] {
                                  std::vector<std::string_view> names;
                                  for (int32_t i = 0; i < s.WingCount && i < MaxWings; ++i)
                                      names.push_back(s.WingNames[i].View());
                                  return names;
                              }()),
                              [](std::string_view n) { return Quoted(n); }, false))
        .Text("TerrainSetName", s.TerrainSetName.View())
        .Text("UnitSetName", s.UnitSetName.View())
        .Int("ScenarioFlagA", s.ScenarioFlagA)
        .Int("ScenarioFlagB", s.ScenarioFlagB)
        .Int("ScenarioFlagC", s.ScenarioFlagC)
        .Int("ViewSaved", s.ViewSaved)
        .Int("ViewOriginHex", s.ViewOriginHex)
        .Int("ZoomLevel", s.ZoomLevel)
        .Raw("MarkerSymbols", Ints(s.MarkerSymbols))
        .Int("Cols", s.Cols)
        .Int("Rows", s.Rows)
        .Int("HexCount", s.HexCount)
        .Int("UnitCount", s.UnitCount)
        .Raw("Units",
             Array(
                 numbers(s.UnitCount, MaxUnits), [&](int32_t k) { return UnitJson(s, k, tables); }, true))
        .Int("StructureCount", s.StructureCount)
        .Raw("Structures", Array(
                               numbers(s.StructureCount, MaxStructures),
                               [&](int32_t k) { return StructureJson(s.Structures[k]); }, true))
        .Int("ObjectiveCount", s.ObjectiveCount)
        .Raw("Objectives", Array(
                               numbers(s.ObjectiveCount, MaxObjectives),
                               [&](int32_t k) { return ObjectiveJson(s.Objectives[k]); }, true))
        .Int("MapTextCount", s.MapTextCount)
        .Raw("MapTexts", Array(
                             numbers(s.MapTextCount, MaxMapTexts),
                             [&](int32_t k) { return MapTextJson(s.MapTexts[k]); }, true))
        .Int("TerrainDefCount", s.TerrainDefCount)
        .Raw("TerrainDefs", Array(
                                numbers(s.TerrainDefCount, MaxTerrainDefs),
                                [&](int32_t k) { return TerrainDefJson(s.TerrainDefs[k - 1]); }, true))
        .Raw("Hexes", Array(s.Hexes, HexJson, true));
    if (tables) {
        auto [western, eastern] = SidePoints(s);
        top.Raw("SidePoints", Ints({western, eastern}));
    }
    top.Bool("Legacy", legacy);
    return top.Str() + "\n";
}

} // namespace k2tool
