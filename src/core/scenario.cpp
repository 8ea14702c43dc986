#include "core/scenario.h"

#include "core/terrain_defs.h"

#include <new>

namespace k2 {

namespace {

constexpr const char* AllocationError = "Hex Array Mem Allocation Error.";

// Renumbers the hex references to a table after record `removed` left it: references to the
// removed record vanish and references to later records fall by one. Walking the grid rather
// than the moved records keeps every hex consistent even when a file brought records that
// share a hex or a record whose Hex does not point back.
template <typename Field> void RenumberHexField(std::vector<HexCell>& hexes, Field field, int32_t removed) {
    for (HexCell& cell : hexes) {
        int32_t& ref = cell.*field;
        if (ref == removed) {
            ref = 0;
        } else if (ref > removed) {
            --ref;
        }
    }
}

template <typename Record, std::size_t N>
void MoveRecordsDown(std::array<Record, N>& table, int32_t removed, int32_t& count) {
    for (int32_t k = removed + 1; k <= count; ++k)
        table[k - 1] = table[k];
    table[count] = Record{};
    --count;
}

} // namespace

bool Scenario::IsBorderHex(int32_t index) const {
    if (Cols <= 0 || Rows <= 0 || index < 0 || int64_t(index) >= int64_t(Cols) * Rows) return false;
    auto [row, col] = HexRowCol(index);
    return row == 0 || col == 0 || row == Rows - 1 || col == Cols - 1;
}

Status Scenario::AllocateHexes(int32_t count) {
    Hexes.clear();
    Hexes.shrink_to_fit();
    if (count < 1 || count > MaxHexes) return Status::Fail(AllocationError);
    try {
        Hexes.assign(static_cast<std::size_t>(count), HexCell{});
    } catch (const std::bad_alloc&) {
        Hexes.clear();
        return Status::Fail(AllocationError);
    }
    return Status::Ok();
}

void Scenario::CompactWings() {
    const int32_t startCount = WingCount;
    for (int32_t p = 0; p < startCount; ++p) {
        if (p >= WingCount || !WingNames[p].Empty()) continue;
        for (int32_t k = p + 1; k < WingCount; ++k)
            WingNames[k - 1] = WingNames[k];
        WingNames[WingCount - 1].Clear();
        --WingCount;
        // Units of the removed wing join the wing before it; with no wing before it (position
        // 0) they stay in wing 0, which the next name now occupies.
        for (int32_t u = 1; u <= UnitCount; ++u) {
            if (Units[u].Wing >= p && Units[u].Wing > 0) --Units[u].Wing;
        }
    }
}

void Scenario::RemoveUnit(int32_t u) {
    if (u < 1 || u > UnitCount) return;
    MoveRecordsDown(Units, u, UnitCount);
    RenumberHexField(Hexes, &HexCell::Unit, u);
}

void Scenario::RemoveStructure(int32_t s) {
    if (s < 1 || s > StructureCount) return;
    MoveRecordsDown(Structures, s, StructureCount);
    RenumberHexField(Hexes, &HexCell::Structure, s);
}

void Scenario::RemoveObjective(int32_t o) {
    if (o < 1 || o > ObjectiveCount) return;
    MoveRecordsDown(Objectives, o, ObjectiveCount);
    RenumberHexField(Hexes, &HexCell::Objective, o);
}

void Scenario::RemoveMapText(int32_t m) {
    if (m < 1 || m > MapTextCount) return;
    MoveRecordsDown(MapTexts, m, MapTextCount);
    RenumberHexField(Hexes, &HexCell::MapText, m);
}

int32_t NewBattleGround(RandomSource& random) {
    return NewBattleTerrainMix[random.Next() % NewBattleTerrainMix.size()];
}

Status InitNewBattle(Scenario& scenario, RandomSource& random, const std::filesystem::path& terrainDefFile) {
    // The grid is obtained before anything changes, so that a failure leaves the scenario (and
    // the battle shown with it) exactly as it was.
    const int64_t count = int64_t(scenario.Cols) * int64_t(scenario.Rows);
    if (scenario.Cols < 1 || scenario.Rows < 1 || count > MaxHexes) return Status::Fail(AllocationError);
    std::vector<HexCell> grid;
    try {
        grid.assign(static_cast<std::size_t>(count), HexCell{});
    } catch (const std::bad_alloc&) {
        return Status::Fail(AllocationError);
    }

    scenario.HexCount = static_cast<int32_t>(count);
    scenario.Hexes = std::move(grid);
    for (HexCell& cell : scenario.Hexes) {
        cell = HexCell{};
        cell.PrimaryTerrain = NewBattleGround(random);
    }

    scenario.Units.fill(UnitRecord{});
    scenario.Structures.fill(StructureRecord{});
    scenario.Objectives.fill(ObjectiveRecord{});
    scenario.MapTexts.fill(PlaceName{});
    scenario.MapTextCount = 0;
    scenario.UnitCount = 0;
    scenario.StructureCount = 0;
    scenario.ObjectiveCount = 0;
    scenario.ViewSaved = 0;
    scenario.ViewOriginHex = 0;
    scenario.ZoomLevel = 0;

    for (auto& name : scenario.WingNames)
        name.Clear();
    scenario.WingNames[0] = "Main";
    scenario.WingCount = 1;

    scenario.MarkerSymbols.fill(NoSymbol);
    for (std::size_t i = 0; i < StockMarkerSymbols.size(); ++i)
        scenario.MarkerSymbols[i] = StockMarkerSymbols[i];

    Status status;
    Status defs = ReadTerrainDefs(scenario, terrainDefFile);
    if (!defs) status.warnings.push_back(defs.message);

    for (int32_t h = 0; h < scenario.HexCount; ++h) {
        if (scenario.IsBorderHex(h)) scenario.Hexes[h].PrimaryTerrain = BorderTerrain;
    }
    return status;
}

std::string Scenario::HexNumber(int32_t index) const {
    if (!IsValidHex(index) || Cols <= 0) return "-";
    const auto [row, col] = HexRowCol(index);
    return std::to_string(row) + std::to_string(col);
}

} // namespace k2
