// What changed between two states of the battle, holding only the changed parts: hex cells,
// table slots and settings, or the whole grid when its size changed. Applying a difference
// swaps the values it holds with the battle's, so the one operation takes the battle back and,
// applied again, forward. The view and save bookkeeping (ViewOriginHex, ZoomLevel, ViewSaved,
// SaveCount, EditorFormatNumber) is not part of a difference: it is not an edit.
#pragma once

#include "core/scenario.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace k2 {

// The parts of the battle beyond the grid that a change may touch.
enum DiffPart : uint32_t {
    DiffSettings = 1u << 0,
    DiffUnits = 1u << 1,
    DiffStructures = 1u << 2,
    DiffObjectives = 1u << 3,
    DiffMapTexts = 1u << 4,
    DiffTerrainDefs = 1u << 5,
};

// Where a change may have touched the battle, so that taking its difference compares only
// there. Unless narrowed, a scope is the whole battle: a change that does not say what it
// touched is compared everywhere.
struct DiffScope {
    bool Whole = true;
    // The hexes whose cells may have changed (any order, repeats allowed).
    std::vector<int32_t> Hexes;
    // DiffPart bits.
    uint32_t Parts = 0;

    static DiffScope Everything() { return {}; }
    static DiffScope Nothing() { return {false, {}, 0}; }
    static DiffScope Cells(std::vector<int32_t> hexes, uint32_t parts = 0) {
        return {false, std::move(hexes), parts};
    }
    // Widens this scope to cover `other` as well.
    void Add(const DiffScope& other);
};

// What a step (or its undo or redo) changed, for whatever shows the battle.
struct StepChange {
    bool Changed = false;
    // The grid changed size: the view must be set up again.
    bool Resized = false;
    // The grid was replaced, a record table or setting changed, or stakes (which overlap the
    // neighbouring hexes) changed: draw the whole map.
    bool WholeMap = false;
    // An undo or redo: the change did not come from the control that shows it.
    bool Replayed = false;
    // The hexes whose cells changed, in index order (empty with WholeMap after a resize).
    std::vector<int32_t> Hexes;
};

class ScenarioDiff {
  public:
    ScenarioDiff();
    ScenarioDiff(ScenarioDiff&&) noexcept;
    ScenarioDiff& operator=(ScenarioDiff&&) noexcept;
    ~ScenarioDiff();

    // The difference that takes `after` back to `before` (and holds `before`'s values).
    static ScenarioDiff Between(const Scenario& before, const Scenario& after);
    // The same, comparing only what `scope` covers (a grid whose size changed is taken whole).
    static ScenarioDiff Between(const Scenario& before, const Scenario& after, const DiffScope& scope);

    bool Empty() const;
    // Swaps the held values with `scenario`'s. The scenario must be in the state the
    // difference was taken against (or last applied to).
    void Apply(Scenario& scenario);

    // The grid was replaced (its size changed): the whole map must be drawn again.
    bool GridResized() const { return grid_ != nullptr; }
    // The hexes whose cells changed, in index order (empty when the grid was resized).
    const std::vector<int32_t>& ChangedHexes() const { return hexes_; }
    // A setting or a table changed (units, structures, objectives, map text, definitions).
    bool RecordsChanged() const;
    // A held cell's stakes differ from `other`'s (the battle on the other side of the swap).
    bool StakesChanged(const Scenario& other) const;
    // Copies the parts this difference covers from `from` into `to`, so that a second copy of
    // the battle can follow it without being compared or copied whole.
    void CopyChangedParts(const Scenario& from, Scenario& to) const;

    // Memory held, for the bound of the edit history.
    std::size_t Bytes() const;

  private:
    struct Grid;
    struct Settings;
    struct Tables;

    std::unique_ptr<Grid> grid_;
    std::vector<int32_t> hexes_;
    std::vector<HexCell> cells_; // the held cell of each of hexes_
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<Tables> tables_;
};

} // namespace k2
