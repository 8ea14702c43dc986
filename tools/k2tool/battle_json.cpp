#include "battle_json.h"

#include "forces/unit_ratings.h"
#include "graphics/ansi_text.h"

#include <QJsonArray>

#include <string_view>

namespace k2tool {

namespace {

using namespace k2;

template <typename T, std::size_t N> QJsonArray Ints(const std::array<T, N>& values) {
    QJsonArray out;
    for (T v : values)
        out.append(qint64(v));
    return out;
}

// Records 1..count of a table, as far as its capacity goes.
template <typename Fn> QJsonArray Records(int32_t count, int32_t capacity, Fn record) {
    QJsonArray out;
    for (int32_t k = 1; k <= count && k <= capacity; ++k)
        out.append(record(k));
    return out;
}

QJsonObject UnitJson(const Scenario& s, int32_t k, const EquipmentTables* tables) {
    const UnitRecord& u = s.Units[k];
    QJsonObject o{{"Name", FromAnsi(u.Name.View())},
                  {"Symbol", u.Symbol},
                  {"ActivationTurn", u.ActivationTurn},
                  {"Side", u.Side},
                  {"Hex", u.Hex},
                  {"UnitType", u.UnitType},
                  {"Class", u.Class},
                  {"Men", u.Men},
                  {"Morale", u.Morale},
                  {"CombatWeapon", u.CombatWeapon},
                  {"MissileWeapon", u.MissileWeapon},
                  {"MissileAmmo", u.MissileAmmo},
                  {"Armour", u.Armour},
                  {"Shield", u.Shield},
                  {"MovementPoints", u.MovementPoints},
                  {"WingLeader", u.WingLeader},
                  {"CommandRange", u.CommandRange},
                  {"CommandRating", u.CommandRating},
                  {"Value", u.Value},
                  {"Wing", u.Wing},
                  {"SupplyLevel", u.SupplyLevel},
                  {"HasStakes", u.HasStakes},
                  {"FerociousAttack", u.FerociousAttack},
                  {"StartsDisrupted", u.StartsDisrupted}};
    if (tables) {
        o["CombatStrength"] = CombatStrength(s, *tables, k);
        o["FirePower"] = FirePower(s, *tables, k);
        o["DefenceRating"] = DefenceRating(s, *tables, k);
        o["UnitLoad"] = UnitLoad(s, *tables, k);
        o["WeightClass"] = FromAnsi(WeightClass(s, *tables, k));
        o["IsGun"] = IsGun(s, *tables, k);
        o["CommandingLeader"] = CommandingLeader(s, k);
    }
    return o;
}

QJsonObject StructureJson(const StructureRecord& r) {
    return {{"Name", FromAnsi(r.Name.View())},
            {"Symbol", r.Symbol},
            {"Side", r.Side},
            {"SpareA", r.SpareA},
            {"SupplyLevel", r.SupplyLevel},
            {"SpareB", r.SpareB},
            {"Hex", r.Hex},
            {"Capacity", r.Capacity},
            {"Height", r.Height},
            {"DefenseMod", r.DefenseMod}};
}

QJsonObject ObjectiveJson(const ObjectiveRecord& r) {
    return {{"Hex", r.Hex},
            {"Name", FromAnsi(r.Name.View())},
            {"ObjectiveKind", r.ObjectiveKind},
            {"VictoryPoints", r.VictoryPoints}};
}

QJsonObject MapTextJson(const PlaceName& m) {
    return {{"Hex", m.Hex},
            {"Text", FromAnsi(m.Text.View())},
            {"FontName", FromAnsi(m.FontName.View())},
            {"Colour", qint64(m.Colour)},
            {"Size", Ints(m.Size)},
            {"Placement", Ints(m.Placement)},
            {"Style", m.Style}};
}

QJsonObject TerrainDefJson(const TerrainDef& d) {
    return {{"name", FromAnsi(d.name.View())},
            {"elevation", d.elevation},
            {"costPerMove", d.costPerMove},
            {"defenseModifier", d.defenseModifier},
            {"spare", d.spare}};
}

QJsonArray HexJson(const HexCell& c) {
    const auto& t = c.SecondaryTerrain;
    return {c.PrimaryTerrain,
            t[0],
            t[1],
            t[2],
            t[3],
            t[4],
            t[5],
            c.Unit,
            c.Structure,
            c.MapText,
            c.Objective,
            c.ReinforcementMarker,
            c.Caltrops,
            c.Stakes};
}

} // namespace

QJsonObject BattleJson(const Scenario& s, bool legacy, const EquipmentTables* tables) {
    QJsonArray description;
    for (const auto& line : s.Description)
        description.append(FromAnsi(line.View()));
    QJsonArray wingNames;
    for (int32_t i = 0; i < s.WingCount && i < MaxWings; ++i)
        wingNames.append(FromAnsi(s.WingNames[i].View()));
    QJsonArray hexes;
    for (const HexCell& c : s.Hexes)
        hexes.append(HexJson(c));

    QJsonObject o{
        {"BattleName", FromAnsi(s.BattleName.View())},
        {"BattleIcon", FromAnsi(s.BattleIcon.View())},
        {"SaveCount", s.SaveCount},
        {"MaxTurns", s.MaxTurns},
        {"StartInitiative", s.StartInitiative},
        {"Weather", s.Weather},
        {"WesternBreakPoint", s.WesternBreakPoint},
        {"EasternBreakPoint", s.EasternBreakPoint},
        {"WesternLeaderReplacement", s.WesternLeaderReplacement},
        {"EasternLeaderReplacement", s.EasternLeaderReplacement},
        {"WesternName", FromAnsi(s.WesternName.View())},
        {"EasternName", FromAnsi(s.EasternName.View())},
        {"Description", description},
        {"WingCount", s.WingCount},
        {"WingNames", wingNames},
        {"TerrainSetName", FromAnsi(s.TerrainSetName.View())},
        {"UnitSetName", FromAnsi(s.UnitSetName.View())},
        {"ScenarioFlagA", s.ScenarioFlagA},
        {"ScenarioFlagB", s.ScenarioFlagB},
        {"ScenarioFlagC", s.ScenarioFlagC},
        {"ViewSaved", s.ViewSaved},
        {"ViewOriginHex", s.ViewOriginHex},
        {"ZoomLevel", s.ZoomLevel},
        {"MarkerSymbols", Ints(s.MarkerSymbols)},
        {"Cols", s.Cols},
        {"Rows", s.Rows},
        {"HexCount", s.HexCount},
        {"UnitCount", s.UnitCount},
        {"Units", Records(s.UnitCount, MaxUnits, [&](int32_t k) { return UnitJson(s, k, tables); })},
        {"StructureCount", s.StructureCount},
        {"Structures",
         Records(s.StructureCount, MaxStructures, [&](int32_t k) { return StructureJson(s.Structures[k]); })},
        {"ObjectiveCount", s.ObjectiveCount},
        {"Objectives",
         Records(s.ObjectiveCount, MaxObjectives, [&](int32_t k) { return ObjectiveJson(s.Objectives[k]); })},
        {"MapTextCount", s.MapTextCount},
        {"MapTexts",
         Records(s.MapTextCount, MaxMapTexts, [&](int32_t k) { return MapTextJson(s.MapTexts[k]); })},
        {"TerrainDefCount", s.TerrainDefCount},
        {"TerrainDefs", Records(s.TerrainDefCount, MaxTerrainDefs,
                                [&](int32_t k) { return TerrainDefJson(s.TerrainDefs[k - 1]); })},
        {"Hexes", hexes},
        {"Legacy", legacy}};
    if (tables) {
        auto [western, eastern] = SidePoints(s);
        o["SidePoints"] = QJsonArray{western, eastern};
    }
    return o;
}

} // namespace k2tool
