#include "core/scenario_diff.h"

#include <algorithm>
#include <tuple>

namespace k2 {

// Every field of the battle that is neither the grid, a record table nor bookkeeping. A field
// added to Scenario must be added here or to one of the groups below; the size check that
// follows makes that impossible to forget.
#define K2_SCENARIO_SETTINGS(X)                                                                              \
    X(BattleName)                                                                                            \
    X(BattleIcon)                                                                                            \
    X(MaxTurns)                                                                                              \
    X(StartInitiative)                                                                                       \
    X(Weather)                                                                                               \
    X(WesternBreakPoint)                                                                                     \
    X(EasternBreakPoint)                                                                                     \
    X(WesternLeaderReplacement)                                                                              \
    X(EasternLeaderReplacement)                                                                              \
    X(WesternName)                                                                                           \
    X(EasternName)                                                                                           \
    X(Description)                                                                                           \
    X(WingNames)                                                                                             \
    X(WingCount)                                                                                             \
    X(TerrainSetName)                                                                                        \
    X(UnitSetName)                                                                                           \
    X(ScenarioFlagA)                                                                                         \
    X(ScenarioFlagB)                                                                                         \
    X(ScenarioFlagC)                                                                                         \
    X(MarkerSymbols)

namespace {

// The layout this file was written against; see the list above.
static_assert(sizeof(Scenario) == 108192 || sizeof(void*) != 8,
              "Scenario changed: add the new field to the difference (scenario_diff.cpp) and to its test");

template <typename Record, std::size_t N> struct TableDiff {
    std::vector<std::pair<int32_t, Record>> slots;
    int32_t count = 0;
    bool countChanged = false;

    void Take(const std::array<Record, N>& before, const std::array<Record, N>& after, int32_t beforeCount,
              int32_t afterCount) {
        for (std::size_t i = 0; i < N; ++i)
            if (!(before[i] == after[i])) slots.emplace_back(int32_t(i), before[i]);
        countChanged = beforeCount != afterCount;
        count = beforeCount;
    }
    void Swap(std::array<Record, N>& table, int32_t& tableCount) {
        for (auto& [index, record] : slots)
            std::swap(table[std::size_t(index)], record);
        if (countChanged) std::swap(count, tableCount);
    }
    void Copy(const std::array<Record, N>& from, int32_t fromCount, std::array<Record, N>& to,
              int32_t& toCount) const {
        for (const auto& slot : slots)
            to[std::size_t(slot.first)] = from[std::size_t(slot.first)];
        if (countChanged) toCount = fromCount;
    }
    bool Empty() const { return slots.empty() && !countChanged; }
    std::size_t Bytes() const { return slots.capacity() * sizeof(slots[0]); }
};

} // namespace

struct ScenarioDiff::Grid {
    int32_t Cols, Rows, HexCount;
    std::vector<HexCell> Hexes;
};

struct ScenarioDiff::Settings {
#define K2_FIELD(name) decltype(Scenario::name) name;
    K2_SCENARIO_SETTINGS(K2_FIELD)
#undef K2_FIELD
};

struct ScenarioDiff::Tables {
    TableDiff<UnitRecord, MaxUnits + 1> units;
    TableDiff<StructureRecord, MaxStructures + 1> structures;
    TableDiff<ObjectiveRecord, MaxObjectives + 1> objectives;
    TableDiff<PlaceName, MaxMapTexts + 1> mapTexts;
    TableDiff<TerrainDef, MaxTerrainDefs> terrainDefs;

    bool Empty() const {
        return units.Empty() && structures.Empty() && objectives.Empty() && mapTexts.Empty() &&
               terrainDefs.Empty();
    }
};

ScenarioDiff::ScenarioDiff() = default;
ScenarioDiff::ScenarioDiff(ScenarioDiff&&) noexcept = default;
ScenarioDiff& ScenarioDiff::operator=(ScenarioDiff&&) noexcept = default;
ScenarioDiff::~ScenarioDiff() = default;

void DiffScope::Add(const DiffScope& other) {
    Whole = Whole || other.Whole;
    Parts |= other.Parts;
    if (!Whole) Hexes.insert(Hexes.end(), other.Hexes.begin(), other.Hexes.end());
}

ScenarioDiff ScenarioDiff::Between(const Scenario& before, const Scenario& after) {
    return Between(before, after, DiffScope::Everything());
}

ScenarioDiff ScenarioDiff::Between(const Scenario& before, const Scenario& after, const DiffScope& scope) {
    ScenarioDiff diff;
    const bool whole = scope.Whole;
    const auto covers = [&](uint32_t part) { return whole || (scope.Parts & part) != 0; };

    const bool sameShape = before.Cols == after.Cols && before.Rows == after.Rows &&
                           before.HexCount == after.HexCount && before.Hexes.size() == after.Hexes.size();
    if (!sameShape) {
        diff.grid_ = std::make_unique<Grid>(Grid{before.Cols, before.Rows, before.HexCount, before.Hexes});
    } else if (whole) {
        for (std::size_t h = 0; h < before.Hexes.size(); ++h) {
            if (before.Hexes[h] == after.Hexes[h]) continue;
            diff.hexes_.push_back(int32_t(h));
            diff.cells_.push_back(before.Hexes[h]);
        }
    } else {
        std::vector<int32_t> hexes = scope.Hexes;
        std::sort(hexes.begin(), hexes.end());
        hexes.erase(std::unique(hexes.begin(), hexes.end()), hexes.end());
        for (int32_t h : hexes) {
            if (h < 0 || std::size_t(h) >= before.Hexes.size()) continue;
            if (before.Hexes[std::size_t(h)] == after.Hexes[std::size_t(h)]) continue;
            diff.hexes_.push_back(h);
            diff.cells_.push_back(before.Hexes[std::size_t(h)]);
        }
    }

    bool settingsChanged = false;
    if (covers(DiffSettings)) {
#define K2_COMPARE(name) settingsChanged = settingsChanged || !(before.name == after.name);
        K2_SCENARIO_SETTINGS(K2_COMPARE)
#undef K2_COMPARE
    }
    if (settingsChanged) {
        diff.settings_ = std::make_unique<Settings>();
#define K2_COPY(name) diff.settings_->name = before.name;
        K2_SCENARIO_SETTINGS(K2_COPY)
#undef K2_COPY
    }

    if (!covers(DiffUnits | DiffStructures | DiffObjectives | DiffMapTexts | DiffTerrainDefs)) return diff;
    auto tables = std::make_unique<Tables>();
    if (covers(DiffUnits)) tables->units.Take(before.Units, after.Units, before.UnitCount, after.UnitCount);
    if (covers(DiffStructures))
        tables->structures.Take(before.Structures, after.Structures, before.StructureCount,
                                after.StructureCount);
    if (covers(DiffObjectives))
        tables->objectives.Take(before.Objectives, after.Objectives, before.ObjectiveCount,
                                after.ObjectiveCount);
    if (covers(DiffMapTexts))
        tables->mapTexts.Take(before.MapTexts, after.MapTexts, before.MapTextCount, after.MapTextCount);
    if (covers(DiffTerrainDefs))
        tables->terrainDefs.Take(before.TerrainDefs, after.TerrainDefs, before.TerrainDefCount,
                                 after.TerrainDefCount);
    if (!tables->Empty()) diff.tables_ = std::move(tables);
    return diff;
}

bool ScenarioDiff::Empty() const {
    return !grid_ && hexes_.empty() && !settings_ && !tables_;
}

bool ScenarioDiff::RecordsChanged() const {
    return settings_ || tables_;
}

bool ScenarioDiff::StakesChanged(const Scenario& other) const {
    for (std::size_t i = 0; i < hexes_.size(); ++i) {
        const auto hex = static_cast<std::size_t>(hexes_[i]);
        if (hex < other.Hexes.size() && cells_[i].Stakes != other.Hexes[hex].Stakes) return true;
    }
    return false;
}

void ScenarioDiff::Apply(Scenario& s) {
    if (grid_) {
        std::swap(grid_->Cols, s.Cols);
        std::swap(grid_->Rows, s.Rows);
        std::swap(grid_->HexCount, s.HexCount);
        std::swap(grid_->Hexes, s.Hexes);
    }
    for (std::size_t i = 0; i < hexes_.size(); ++i)
        std::swap(cells_[i], s.Hexes[std::size_t(hexes_[i])]);
    if (settings_) {
#define K2_SWAP(name) std::swap(settings_->name, s.name);
        K2_SCENARIO_SETTINGS(K2_SWAP)
#undef K2_SWAP
    }
    if (tables_) {
        tables_->units.Swap(s.Units, s.UnitCount);
        tables_->structures.Swap(s.Structures, s.StructureCount);
        tables_->objectives.Swap(s.Objectives, s.ObjectiveCount);
        tables_->mapTexts.Swap(s.MapTexts, s.MapTextCount);
        tables_->terrainDefs.Swap(s.TerrainDefs, s.TerrainDefCount);
    }
}

void ScenarioDiff::CopyChangedParts(const Scenario& from, Scenario& to) const {
    if (grid_) {
        to.Cols = from.Cols;
        to.Rows = from.Rows;
        to.HexCount = from.HexCount;
        to.Hexes = from.Hexes;
    }
    for (int32_t h : hexes_)
        to.Hexes[std::size_t(h)] = from.Hexes[std::size_t(h)];
    if (settings_) {
#define K2_ASSIGN(name) to.name = from.name;
        K2_SCENARIO_SETTINGS(K2_ASSIGN)
#undef K2_ASSIGN
    }
    if (tables_) {
        tables_->units.Copy(from.Units, from.UnitCount, to.Units, to.UnitCount);
        tables_->structures.Copy(from.Structures, from.StructureCount, to.Structures, to.StructureCount);
        tables_->objectives.Copy(from.Objectives, from.ObjectiveCount, to.Objectives, to.ObjectiveCount);
        tables_->mapTexts.Copy(from.MapTexts, from.MapTextCount, to.MapTexts, to.MapTextCount);
        tables_->terrainDefs.Copy(from.TerrainDefs, from.TerrainDefCount, to.TerrainDefs, to.TerrainDefCount);
    }
}

std::size_t ScenarioDiff::Bytes() const {
    std::size_t bytes =
        sizeof(*this) + hexes_.capacity() * sizeof(int32_t) + cells_.capacity() * sizeof(HexCell);
    if (grid_) bytes += sizeof(Grid) + grid_->Hexes.capacity() * sizeof(HexCell);
    if (settings_) bytes += sizeof(Settings);
    if (tables_) {
        bytes += sizeof(Tables) + tables_->units.Bytes() + tables_->structures.Bytes() +
                 tables_->objectives.Bytes() + tables_->mapTexts.Bytes() + tables_->terrainDefs.Bytes();
    }
    return bytes;
}

} // namespace k2
