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

class ScenarioDiff {
  public:
    ScenarioDiff();
    ScenarioDiff(ScenarioDiff&&) noexcept;
    ScenarioDiff& operator=(ScenarioDiff&&) noexcept;
    ~ScenarioDiff();

    // The difference that takes `after` back to `before` (and holds `before`'s values).
    static ScenarioDiff Between(const Scenario& before, const Scenario& after);

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
