#include "forces/unit_summary.h"

#include "forces/unit_ratings.h"

namespace k2 {

namespace {

std::string ForceName(const Scenario& scenario, int32_t side) {
    return side == SideWestern ? scenario.WesternName.Str() : scenario.EasternName.Str();
}

std::string Num(int32_t v) {
    return std::to_string(v);
}

} // namespace

UnitSummary SummarizeHex(const Scenario& scenario, const EquipmentTables& tables, int32_t hex) {
    UnitSummary s;
    if (!scenario.IsValidHex(hex)) return s;
    const HexCell& cell = scenario.Hexes[hex];
    const int32_t unit = cell.Unit >= 1 && cell.Unit <= scenario.UnitCount ? cell.Unit : 0;
    const int32_t structure =
        cell.Structure >= 1 && cell.Structure <= scenario.StructureCount ? cell.Structure : 0;

    if (structure != 0) {
        const StructureRecord& st = scenario.Structures[structure];
        s.SdeLbl = ForceName(scenario, unit != 0 ? scenario.Units[unit].Side : st.Side);
        s.BseLbl =
            st.Name.Str() + " Def: " + Num(st.DefenseMod) + " " + " Supply: " + Num(st.SupplyLevel) + " ";
    }
    if (unit == 0) return s;

    const UnitRecord& u = scenario.Units[unit];
    std::string wing = u.Wing >= 0 && u.Wing < scenario.WingCount ? scenario.WingNames[u.Wing].Str() : "";
    s.SdeLbl = ForceName(scenario, u.Side) + " " + wing;
    s.UntLbl = u.Name.Str() + (u.FerociousAttack ? "!" : "") + (u.StartsDisrupted ? "-" : "");

    std::string leader = "-";
    if (int32_t l = CommandingLeader(scenario, unit); l != 0) {
        leader = Num(scenario.Units[l].CommandRating);
        if (l == unit) leader += "/" + Num(u.CommandRange);
    }
    s.StsLbl1 = "Men:" + Num(u.Men) + " MP:" + Num(u.MovementPoints) + "  Mor:" + Num(u.Morale) +
                "  Com:" + Num(CombatStrength(scenario, tables, unit)) +
                "  Def:" + Num(DefenceRating(scenario, tables, unit)) +
                "  Msl:" + Num(FirePower(scenario, tables, unit)) + "  Ldr:" + leader +
                " Pts:" + Num(u.Value);
    if (cell.ReinforcementMarker != 0) s.RnfLbl = "ReinForcement Trn:" + Num(u.ActivationTurn);
    return s;
}

} // namespace k2
