#include "core/legacy_battle_writer.h"

#include "core/byte_codec.h"
#include "core/file_io.h"
#include "core/terrain_defs.h"
#include <algorithm>

namespace k2 {

std::vector<uint8_t> EncodeLegacyBattle(const Scenario& s, int32_t formatNumber) {
    ByteWriter w;
    w.Int(formatNumber);
    w.Int(s.SaveCount);
    w.Text(s.BattleName.View());
    w.Text(s.BattleIcon.View());
    w.Int(s.MaxTurns);
    w.Int(s.UnitCount);
    w.Int(s.StructureCount);
    w.Int(s.ObjectiveCount);
    w.Int(s.StartInitiative);
    w.Text(s.WesternName.View());
    w.Text(s.EasternName.View());
    for (const auto& line : s.Description)
        w.Text(line.View());
    w.Int(s.WingCount);
    for (int32_t i = 0; i < s.WingCount && i < MaxWings; ++i)
        w.Text(s.WingNames[i].View());
    for (int32_t k = 1; k <= s.UnitCount && k <= MaxUnits; ++k) {
        const UnitRecord& u = s.Units[k];
        w.Text(u.Name.View());
        for (int32_t v :
             {u.Symbol, u.ActivationTurn, u.Side,         u.Wing,          u.UnitType,       u.Class,
              u.Men,    u.Morale,         u.CombatWeapon, u.MissileWeapon, u.MissileAmmo,    u.Armour,
              u.Shield, u.WingLeader,     u.CommandRange, u.CommandRating, u.MovementPoints, u.Value,
              u.Hex,    u.SupplyLevel})
            w.Int(v);
    }
    for (int32_t k = 1; k <= s.StructureCount && k <= MaxStructures; ++k) {
        const StructureRecord& r = s.Structures[k];
        w.Text(r.Name.View());
        for (int32_t v :
             {r.Symbol, r.Side, r.SpareA, r.SupplyLevel, r.SpareB, r.Hex, r.Capacity, r.DefenseMod, r.Height})
            w.Int(v);
    }
    for (int32_t k = 1; k <= s.ObjectiveCount && k <= MaxObjectives; ++k) {
        const ObjectiveRecord& o = s.Objectives[k];
        w.Text(o.Name.View());
        w.Int(o.Hex);
        w.Int(o.ObjectiveKind);
        w.Int(o.VictoryPoints);
    }
    w.Text(s.UnitSetName.View());
    w.Byte(s.ScenarioFlagA);
    w.Int(s.Cols);
    w.Int(s.Rows);
    for (const HexCell& c : s.Hexes) {
        w.Int(c.PrimaryTerrain);
        for (int32_t slot : c.SecondaryTerrain)
            w.Int(slot);
        for (int32_t v : {c.Structure, c.Unit, c.MapText, c.Objective, c.ReinforcementMarker, c.Caltrops})
            w.Int(v);
    }
    w.Int(s.MapTextCount);
    for (int32_t k = 1; k <= s.MapTextCount && k <= MaxMapTexts; ++k) {
        const PlaceName& m = s.MapTexts[k];
        w.Int(m.Hex);
        w.FixedWidthText(m.Text.View(), MapTextChars);
        w.FixedWidthText(m.FontName.View(), MapTextChars);
        for (uint8_t b : UnpackBytes(m.Colour))
            w.Byte(b);
        for (uint8_t b : m.Size)
            w.Byte(b);
        for (uint8_t b : m.Placement)
            w.Byte(b);
        w.Byte(m.Style);
    }
    w.Byte(s.ScenarioFlagB);
    w.Byte(s.ViewSaved);
    w.Int(s.ViewOriginHex);
    w.Int(s.ZoomLevel);
    w.Byte(s.ScenarioFlagC);
    WriteTerrainDefRecords(w, s, std::clamp(s.TerrainDefCount, 0, MaxTerrainDefs));
    for (int32_t m : s.MarkerSymbols)
        w.Int(m);
    return std::move(w.Bytes());
}

Status WriteLegacyBattle(const Scenario& scenario, const std::filesystem::path& file, int32_t formatNumber) {
    std::vector<uint8_t> bytes = EncodeLegacyBattle(scenario, formatNumber);
    WriteFileOutcome outcome = WriteFileAtomically(file, bytes);
    if (outcome.result == WriteFileResult::Ok) return Status::Ok();
    return Status::Fail(outcome.result == WriteFileResult::CannotOpen
                            ? std::string("Could not open selected file.")
                            : "Could not write selected file (" + outcome.detail + ").");
}

} // namespace k2
