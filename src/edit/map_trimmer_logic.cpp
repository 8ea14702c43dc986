#include "edit/map_trimmer_logic.h"
#include "edit/edit_names.h"

#include "edit/edit_history.h"

#include <new>

namespace k2 {

namespace {

constexpr const char* AllocationError = "Hex Array Mem Allocation Error.";

// The lowest number in 1..count whose record stands on `hex`, 0 for none.
template <typename Table> int32_t FirstAt(const Table& table, int32_t count, int32_t hex) {
    for (int32_t k = 1; k <= count; ++k) {
        if (table[size_t(k)].Hex == hex) return k;
    }
    return 0;
}

// Moves the Hex of records 1..count to their hexes' new indices. A record whose Hex is no hex of
// the old map (an inert entry from a file) keeps it, unless the value would name a hex of the
// new map, in which case it becomes NoSymbol so that it stays inert.
template <typename Table>
void Repoint(Table& table, int32_t count, int32_t oldHexCount, int32_t newHexCount,
             const std::vector<int32_t>& newIndex) {
    for (int32_t k = 1; k <= count; ++k) {
        int32_t& hex = table[size_t(k)].Hex;
        if (hex >= 0 && hex < oldHexCount) {
            const int32_t moved = newIndex[size_t(hex)];
            hex = moved >= 0 ? moved : NoSymbol;
        } else if (hex >= 0 && hex < newHexCount) {
            hex = NoSymbol;
        }
    }
}

} // namespace

bool AllocateGrid(std::vector<HexCell>& grid, std::size_t count) {
    try {
        grid.assign(count, HexCell{});
    } catch (const std::bad_alloc&) {
        grid.clear();
        return false;
    }
    return true;
}

ResizeResult MapTrimmerLogic::CheckSize(int32_t rows, int32_t cols, bool growing) const {
    ResizeResult result;
    result.Title = "Map Trimmer";
    if (scenario_.Rows < 1 || scenario_.Cols < 1 ||
        int64_t(scenario_.Rows) * scenario_.Cols != scenario_.HexCount ||
        scenario_.Hexes.size() != size_t(scenario_.HexCount)) {
        result.Status = ResizeStatus::NoMap;
        result.Message = "There is no map to change.";
    } else if (!growing && (rows < MinMapSide || cols < MinMapSide)) {
        // A map that is already below the bound (a battle from elsewhere) may still grow.
        result.Status = ResizeStatus::TooSmall;
        result.Message = "The map cannot have fewer than " + std::to_string(MinMapSide) + " " +
                         (rows < MinMapSide ? "rows." : "columns.");
    } else if (growing && (rows > MaxMapSide || cols > MaxMapSide || int64_t(rows) * cols > MaxHexes)) {
        result.Status = ResizeStatus::TooLarge;
        result.Message = "The map cannot have more than " + std::to_string(MaxMapSide) + " " +
                         (rows > MaxMapSide ? "rows." : "columns.");
    } else {
        result.Title.clear();
    }
    return result;
}

std::vector<int32_t> MapTrimmerLogic::EdgeHexes(MapEdge edge) const {
    std::vector<int32_t> hexes;
    const int32_t rows = scenario_.Rows, cols = scenario_.Cols;
    switch (edge) {
    case MapEdge::Bottom:
    case MapEdge::Top: {
        const int32_t row = edge == MapEdge::Top ? 0 : rows - 1;
        for (int32_t c = 0; c < cols; ++c)
            hexes.push_back(scenario_.HexIndex(row, c));
        break;
    }
    case MapEdge::Right:
    case MapEdge::Left: {
        const int32_t col = edge == MapEdge::Left ? 0 : cols - 1;
        for (int32_t r = 0; r < rows; ++r)
            hexes.push_back(scenario_.HexIndex(r, col));
        break;
    }
    }
    return hexes;
}

void MapTrimmerLogic::ClearHex(int32_t hex) {
    // Each removal renumbers the later records and the hexes that refer to them.
    while (const int32_t u = FirstAt(scenario_.Units, scenario_.UnitCount, hex))
        scenario_.RemoveUnit(u);
    while (const int32_t s = FirstAt(scenario_.Structures, scenario_.StructureCount, hex))
        scenario_.RemoveStructure(s);
    while (const int32_t o = FirstAt(scenario_.Objectives, scenario_.ObjectiveCount, hex))
        scenario_.RemoveObjective(o);
}

void MapTrimmerLogic::RemoveMapTextsAt(int32_t hex) {
    while (const int32_t m = FirstAt(scenario_.MapTexts, scenario_.MapTextCount, hex))
        scenario_.RemoveMapText(m);
}

void MapTrimmerLogic::MakeBorderHex(int32_t hex) {
    ClearHex(hex);
    HexCell& cell = scenario_.Hexes[size_t(hex)];
    cell.SecondaryTerrain.fill(NoSymbol);
    cell.PrimaryTerrain = BorderTerrain;
}

void MapTrimmerLogic::Replace(std::vector<HexCell>&& grid, int32_t rows, int32_t cols,
                              const std::vector<int32_t>& newIndex) {
    const int32_t oldCount = scenario_.HexCount;
    const int32_t newCount = rows * cols;
    for (std::size_t old = 0; old < newIndex.size(); ++old) {
        if (newIndex[old] >= 0) grid[size_t(newIndex[old])] = scenario_.Hexes[old];
    }
    Repoint(scenario_.Units, scenario_.UnitCount, oldCount, newCount, newIndex);
    Repoint(scenario_.Structures, scenario_.StructureCount, oldCount, newCount, newIndex);
    Repoint(scenario_.Objectives, scenario_.ObjectiveCount, oldCount, newCount, newIndex);
    Repoint(scenario_.MapTexts, scenario_.MapTextCount, oldCount, newCount, newIndex);
    // The old grid is released only now that the new one is filled.
    scenario_.Hexes = std::move(grid);
    scenario_.Rows = rows;
    scenario_.Cols = cols;
    scenario_.HexCount = newCount;
}

void MapTrimmerLogic::TrimOnce(MapEdge edge, std::vector<HexCell>&& grid) {
    for (const int32_t hex : EdgeHexes(edge)) {
        ClearHex(hex);
        RemoveMapTextsAt(hex);
    }

    const bool rowCut = edge == MapEdge::Bottom || edge == MapEdge::Top;
    const int32_t rows = scenario_.Rows - (rowCut ? 1 : 0);
    const int32_t cols = scenario_.Cols - (rowCut ? 0 : 1);
    const int32_t cutRow = edge == MapEdge::Top ? 0 : scenario_.Rows - 1;
    const int32_t cutCol = edge == MapEdge::Left ? 0 : scenario_.Cols - 1;

    // The kept hexes in index order take the new indices one after another.
    std::vector<int32_t> newIndex(size_t(scenario_.HexCount), -1);
    int32_t next = 0;
    for (int32_t old = 0; old < scenario_.HexCount; ++old) {
        const auto [r, c] = scenario_.HexRowCol(old);
        if (rowCut ? r == cutRow : c == cutCol) continue;
        newIndex[size_t(old)] = next++;
    }
    Replace(std::move(grid), rows, cols, newIndex);

    for (const int32_t hex : EdgeHexes(edge))
        MakeBorderHex(hex);
}

ResizeResult MapTrimmerLogic::Trim(MapEdge edge) {
    const bool rowCut = edge == MapEdge::Bottom || edge == MapEdge::Top;
    const int32_t presses = LinesPerPress(edge);
    const int32_t rows = scenario_.Rows - (rowCut ? presses : 0);
    const int32_t cols = scenario_.Cols - (rowCut ? 0 : presses);
    ResizeResult result = CheckSize(rows, cols, false);
    if (!result.Changed()) return result;

    // Every grid the press needs is obtained before anything changes, so that a failure leaves
    // the battle as it was.
    std::vector<std::vector<HexCell>> grids(static_cast<std::size_t>(presses));
    for (int32_t k = 0; k < presses; ++k) {
        const int32_t r = scenario_.Rows - (rowCut ? k + 1 : 0);
        const int32_t c = scenario_.Cols - (rowCut ? 0 : k + 1);
        if (!allocate_(grids[size_t(k)], size_t(r) * size_t(c))) {
            result.Status = ResizeStatus::NoMemory;
            result.Title = "Warning";
            result.Message = AllocationError;
            return result;
        }
    }
    for (auto& grid : grids)
        TrimOnce(edge, std::move(grid));
    return result;
}

ResizeResult MapTrimmerLogic::Grow(MapEdge edge) {
    const int32_t added = LinesPerPress(edge);
    const bool rowAdd = edge == MapEdge::Bottom || edge == MapEdge::Top;
    const int32_t rows = scenario_.Rows + (rowAdd ? added : 0);
    const int32_t cols = scenario_.Cols + (rowAdd ? 0 : added);
    ResizeResult result = CheckSize(rows, cols, true);
    if (!result.Changed()) return result;

    std::vector<HexCell> grid;
    if (!allocate_(grid, size_t(rows) * size_t(cols))) {
        result.Status = ResizeStatus::NoMemory;
        result.Title = "Warning";
        result.Message = AllocationError;
        return result;
    }

    // Where the old map lands in the new one.
    const int32_t rowShift = edge == MapEdge::Top ? added : 0;
    const int32_t colShift = edge == MapEdge::Left ? added : 0;
    std::vector<int32_t> newIndex(size_t(scenario_.HexCount), -1);
    std::vector<bool> fromOld(grid.size(), false);
    for (int32_t old = 0; old < scenario_.HexCount; ++old) {
        const auto [r, c] = scenario_.HexRowCol(old);
        const int32_t moved = (r + rowShift) * cols + (c + colShift);
        newIndex[size_t(old)] = moved;
        fromOld[size_t(moved)] = true;
    }
    std::vector<bool> wasBorder(grid.size(), false);
    for (int32_t old = 0; old < scenario_.HexCount; ++old)
        wasBorder[size_t(newIndex[size_t(old)])] = scenario_.IsBorderHex(old);
    Replace(std::move(grid), rows, cols, newIndex);

    for (int32_t hex = 0; hex < scenario_.HexCount; ++hex) {
        HexCell& cell = scenario_.Hexes[size_t(hex)];
        const bool border = scenario_.IsBorderHex(hex);
        if (!fromOld[size_t(hex)]) {
            cell = HexCell{};
            cell.PrimaryTerrain = border ? BorderTerrain : 0;
        } else if (wasBorder[size_t(hex)] && !border) {
            cell.PrimaryTerrain = 0;
        }
    }
    return result;
}

std::vector<std::pair<std::string, std::string>> MapTrimmerLogic::CountLabels() const {
    const auto text = [](const char* caption, int32_t value) { return caption + std::to_string(value); };
    return {
        {"Label1", text("Total Hexes: ", scenario_.HexCount)},
        {"Label4", text("Max Rows: ", scenario_.Rows)},
        {"Label5", text("Max Cols: ", scenario_.Cols)},
        {"Label6", text("Total Units: ", scenario_.UnitCount)},
        {"Label3", text("Structures: ", scenario_.StructureCount)},
        {"Label8", text("Objectives: ", scenario_.ObjectiveCount)},
        {"Label7", text("Map Text Entries: ", scenario_.MapTextCount < 0 ? 0 : scenario_.MapTextCount)},
    };
}

ResizeResult RecordTrim(EditHistory& history, MapTrimmerLogic& logic, MapEdge edge) {
    ResizeResult result;
    history.Record(step::TrimMap, [&] { result = logic.Trim(edge); });
    return result;
}

ResizeResult RecordGrow(EditHistory& history, MapTrimmerLogic& logic, MapEdge edge) {
    ResizeResult result;
    history.Record(step::GrowMap, [&] { result = logic.Grow(edge); });
    return result;
}

} // namespace k2
