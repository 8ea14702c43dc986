#include "edit/marker_tools.h"

namespace k2 {

int32_t StakesSymbolFor(const Scenario& scenario, int32_t side) {
    const int32_t stakes = scenario.MarkerSymbols[MarkerStakes];
    return side == SideWestern ? stakes : stakes + 1;
}

ToolResult CaltropsTool::LeftClick(int32_t hex) {
    if (!scenario_.IsValidHex(hex)) return ToolResult::Refuse("This hex is not on the map.");
    HexCell& cell = scenario_.Hexes[static_cast<std::size_t>(hex)];
    if (cell.Caltrops != 0) {
        cell.Caltrops = 0;
    } else {
        const int32_t symbol = scenario_.MarkerSymbols[MarkerCaltrops];
        if (symbol == 0) return ToolResult::Refuse("This battle's markers have no caltrops symbol.");
        cell.Caltrops = symbol;
    }
    sounds_.Play(SoundAccept, 1);
    return ToolResult::Done();
}

ToolResult StakesTool::LeftClick(int32_t hex) {
    if (!scenario_.IsValidHex(hex)) return ToolResult::Refuse("This hex is not on the map.");
    HexCell& cell = scenario_.Hexes[static_cast<std::size_t>(hex)];
    if (cell.Stakes != 0) {
        cell.Stakes = 0;
        sounds_.Play(SoundAccept, 1);
        return ToolResult::Done();
    }
    const int32_t u = cell.Unit;
    if (u < 1 || u > scenario_.UnitCount || u > MaxUnits)
        return ToolResult::Refuse("There is no unit on this hex to plant stakes for.");
    const UnitRecord& unit = scenario_.Units[static_cast<std::size_t>(u)];
    if (unit.HasStakes == 0) return ToolResult::Refuse("This unit carries no stakes.");
    const int32_t symbol = StakesSymbolFor(scenario_, unit.Side);
    if (symbol == 0) return ToolResult::Refuse("This battle's markers have no stakes symbol.");
    cell.Stakes = symbol;
    sounds_.Play(SoundAccept, 1);
    return ToolResult::Done();
}

} // namespace k2
