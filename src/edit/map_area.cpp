#include "edit/map_area.h"

#include <algorithm>
#include <limits>

namespace k2 {

namespace {

// The record a hex names, when the number names one.
const StructureRecord* StructureOn(const Scenario& s, const HexCell& cell) {
    const int32_t n = cell.Structure;
    return n >= 1 && n <= s.StructureCount && n <= MaxStructures ? &s.Structures[std::size_t(n)] : nullptr;
}

const PlaceName* MapTextOn(const Scenario& s, const HexCell& cell) {
    const int32_t n = cell.MapText;
    return n >= 1 && n <= s.MapTextCount && n <= MaxMapTexts ? &s.MapTexts[std::size_t(n)] : nullptr;
}

// The first terrain or symbol number of the cell that a set of `count` symbols lacks.
std::optional<int32_t> MissingSymbol(const AreaCell& cell, int32_t count) {
    const auto lacks = [count](int32_t symbol) { return symbol < 0 || symbol >= count; };
    if (lacks(cell.PrimaryTerrain)) return cell.PrimaryTerrain;
    for (int32_t t : cell.SecondaryTerrain)
        if (t != NoSymbol && lacks(t)) return t;
    if (cell.Caltrops != 0 && lacks(cell.Caltrops)) return cell.Caltrops;
    if (cell.Stakes != 0 && lacks(cell.Stakes)) return cell.Stakes;
    if (cell.Structure && lacks(cell.Structure->Symbol)) return cell.Structure->Symbol;
    return std::nullopt;
}

} // namespace

MapArea CopyArea(const Scenario& scenario, const std::vector<int32_t>& hexes) {
    MapArea area;
    std::vector<int32_t> sorted;
    for (int32_t hex : hexes)
        if (scenario.IsValidHex(hex)) sorted.push_back(hex);
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    if (sorted.empty()) return area;

    int32_t left = std::numeric_limits<int32_t>::max(), right = -1;
    for (int32_t hex : sorted) {
        left = std::min(left, hex % scenario.Cols);
        right = std::max(right, hex % scenario.Cols);
    }
    area.Left = left;
    area.Top = sorted.front() / scenario.Cols; // hex order is row order
    area.Width = right - left + 1;
    area.Height = sorted.back() / scenario.Cols - area.Top + 1;
    area.Cells.reserve(sorted.size());
    for (int32_t hex : sorted) {
        const HexCell& cell = scenario.Hexes[std::size_t(hex)];
        AreaCell out;
        out.Column = hex % scenario.Cols - area.Left;
        out.Row = hex / scenario.Cols - area.Top;
        out.PrimaryTerrain = cell.PrimaryTerrain;
        out.SecondaryTerrain = cell.SecondaryTerrain;
        out.Caltrops = cell.Caltrops;
        out.Stakes = cell.Stakes;
        // The records travel without a place: they take the hex they are laid on.
        if (const StructureRecord* s = StructureOn(scenario, cell)) {
            out.Structure = *s;
            out.Structure->Hex = 0;
        }
        if (const PlaceName* m = MapTextOn(scenario, cell)) {
            out.MapText = *m;
            out.MapText->Hex = 0;
        }
        area.Cells.push_back(std::move(out));
    }
    return area;
}

bool AllowedColumn(const MapArea& area, int32_t column) {
    return (int64_t(column) - area.Left) % 2 == 0;
}

std::vector<AreaLanding> Landings(const Scenario& scenario, const MapArea& area, int32_t row,
                                  int32_t column) {
    std::vector<AreaLanding> landings;
    landings.reserve(area.Cells.size());
    for (std::size_t i = 0; i < area.Cells.size(); ++i) {
        const int64_t r = int64_t(row) + area.Cells[i].Row, c = int64_t(column) + area.Cells[i].Column;
        if (r < 0 || c < 0 || r >= scenario.Rows || c >= scenario.Cols) continue;
        const int32_t hex = scenario.HexIndex(int32_t(r), int32_t(c));
        if (!scenario.IsValidHex(hex) || scenario.IsBorderHex(hex)) continue;
        landings.push_back({i, hex});
    }
    return landings;
}

std::string PasteRefusal(const Scenario& scenario, const MapArea& area,
                         const std::vector<AreaLanding>& landings, int32_t terrainSymbolCount) {
    if (landings.empty()) return "No hex of the area lands on the map inside its border.";
    int32_t newStructures = 0, newMapTexts = 0;
    for (const AreaLanding& landing : landings) {
        const AreaCell& cell = area.Cells[landing.Cell];
        if (auto missing = MissingSymbol(cell, terrainSymbolCount))
            return "The area uses terrain symbol " + std::to_string(*missing) +
                   ", which this battle's terrain set does not have.";
        const HexCell& target = scenario.Hexes[std::size_t(landing.Hex)];
        if (cell.Structure && !StructureOn(scenario, target)) ++newStructures;
        if (cell.MapText && !MapTextOn(scenario, target)) ++newMapTexts;
    }
    if (scenario.StructureCount + newStructures > MaxStructures)
        return "The area's structures do not fit in the structure table (at most " +
               std::to_string(MaxStructures) + " structures).";
    if (scenario.MapTextCount + newMapTexts > MaxMapTexts)
        return "The area's map texts do not fit in the map text table (at most " +
               std::to_string(MaxMapTexts) + " map texts).";
    return "";
}

void LayArea(Scenario& scenario, const MapArea& area, const std::vector<AreaLanding>& landings) {
    for (const AreaLanding& landing : landings) {
        const AreaCell& cell = area.Cells[landing.Cell];
        HexCell& target = scenario.Hexes[std::size_t(landing.Hex)];
        target.PrimaryTerrain = cell.PrimaryTerrain;
        target.SecondaryTerrain = cell.SecondaryTerrain;
        target.Caltrops = cell.Caltrops;
        target.Stakes = cell.Stakes;
        if (cell.Structure) {
            if (!StructureOn(scenario, target)) target.Structure = ++scenario.StructureCount;
            StructureRecord& record = scenario.Structures[std::size_t(target.Structure)];
            record = *cell.Structure;
            record.Hex = landing.Hex;
        }
        if (cell.MapText) {
            if (!MapTextOn(scenario, target)) target.MapText = ++scenario.MapTextCount;
            PlaceName& record = scenario.MapTexts[std::size_t(target.MapText)];
            record = *cell.MapText;
            record.Hex = landing.Hex;
        }
    }
}

void ClearArea(Scenario& scenario, const std::vector<int32_t>& hexes, RandomSource& random) {
    for (int32_t hex : hexes) {
        if (!scenario.IsValidHex(hex)) continue;
        HexCell& cell = scenario.Hexes[std::size_t(hex)];
        if (!scenario.IsBorderHex(hex)) cell.PrimaryTerrain = NewBattleGround(random);
        cell.SecondaryTerrain.fill(NoSymbol);
        cell.Caltrops = 0;
        cell.Stakes = 0;
        // Removing a record renumbers the ones after it, so the hex reads its number afresh.
        if (StructureOn(scenario, cell))
            scenario.RemoveStructure(cell.Structure);
        else
            cell.Structure = 0;
        if (MapTextOn(scenario, cell))
            scenario.RemoveMapText(cell.MapText);
        else
            cell.MapText = 0;
    }
}

std::vector<int32_t> ClearScope(const Scenario& scenario, const std::vector<int32_t>& hexes) {
    std::vector<int32_t> scope = hexes;
    for (std::size_t h = 0; h < scenario.Hexes.size(); ++h)
        if (scenario.Hexes[h].Structure != 0 || scenario.Hexes[h].MapText != 0) scope.push_back(int32_t(h));
    return scope;
}

Scenario AreaBattle(const MapArea& area, const Scenario& like) {
    Scenario s;
    const int32_t shift = area.Left & 1;
    s.Cols = std::max(1, area.Width + shift);
    s.Rows = std::max(1, area.Height);
    s.HexCount = s.Cols * s.Rows;
    HexCell blank;
    blank.PrimaryTerrain = NoSymbol;
    s.Hexes.assign(std::size_t(s.HexCount), blank);
    s.MarkerSymbols = like.MarkerSymbols;
    s.TerrainDefs = like.TerrainDefs;
    s.TerrainDefCount = like.TerrainDefCount;
    s.ZoomLevel = like.ZoomLevel;
    for (const AreaCell& cell : area.Cells) {
        if (cell.Row < 0 || cell.Row >= s.Rows || cell.Column < 0 || cell.Column + shift >= s.Cols) continue;
        const int32_t hex = s.HexIndex(cell.Row, cell.Column + shift);
        HexCell& target = s.Hexes[std::size_t(hex)];
        target.PrimaryTerrain = cell.PrimaryTerrain;
        target.SecondaryTerrain = cell.SecondaryTerrain;
        target.Caltrops = cell.Caltrops;
        target.Stakes = cell.Stakes;
        if (cell.Structure && s.StructureCount < MaxStructures) {
            target.Structure = ++s.StructureCount;
            s.Structures[std::size_t(target.Structure)] = *cell.Structure;
            s.Structures[std::size_t(target.Structure)].Hex = hex;
        }
        if (cell.MapText && s.MapTextCount < MaxMapTexts) {
            target.MapText = ++s.MapTextCount;
            s.MapTexts[std::size_t(target.MapText)] = *cell.MapText;
            s.MapTexts[std::size_t(target.MapText)].Hex = hex;
        }
    }
    return s;
}

} // namespace k2
