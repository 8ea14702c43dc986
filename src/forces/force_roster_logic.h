// The rules of the order of battle and the reinforcement schedule: the check before either is
// shown, the sort of the units before the order of battle, every row and cell of both grids,
// the selection, the display-only sort by a column and the tab-separated copy.
#pragma once

#include "core/platform.h"
#include "core/scenario.h"
#include "forces/equipment_defs.h"
#include "forces/grid_rows.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace k2 {

enum class RosterKind : int32_t { OrderOfBattle = 1, Schedule = 2 };

// The message shown instead of a dialog whose side has nothing to list. The program's message
// box shows the same title and text for the kind; k2tool prints them.
struct RosterRefusal {
    int32_t Kind;
    std::string_view Title;
    std::string_view Text;
};
constexpr RosterRefusal NoUnitsRefusal{MsgNoUnits, "Order of Battle",
                                       "Units for this faction have not been defined."};
constexpr RosterRefusal NoReinforcementsRefusal{MsgNoReinforcements, "ReinForcements",
                                                "Reinforcements for this faction have not been defined."};
const RosterRefusal& RefusalFor(RosterKind kind);

// The checks before opening: a unit of the side, or a unit of the side arriving after turn 1.
bool SideHasUnits(const Scenario& scenario, int32_t side);
bool SideHasReinforcements(const Scenario& scenario, int32_t side);
bool CanShowRoster(const Scenario& scenario, RosterKind kind, int32_t side);

// One row: the unit it shows, its cell texts and the keys its cells sort by.
struct RosterRow {
    int32_t Unit = 0;
    std::vector<std::string> Cells;
    std::vector<SortKey> Keys;
};

struct RosterGrid {
    GridTable Table; // Rows in unit-list order
    std::vector<RosterRow> Rows;
};

// The grid of `side` in unit-list order, read from the scenario as it is (no sort, no check).
RosterGrid BuildRoster(const Scenario& scenario, const EquipmentTables& tables, RosterKind kind,
                       int32_t side);

// The texts of single cells, shared by both grids.
std::string UnitTypeText(const Scenario& scenario, const EquipmentTables& tables, int32_t unit,
                         RosterKind kind);
// The map's own name of a hex: its row number directly followed by its column number ("125"
// for row 12, column 5); "-" for a hex that is not on the map.
std::string HexLabel(const Scenario& scenario, int32_t hex);

// Results of the roster dialogs: not shown (the check failed), closed, or closed after a unit
// editor session that asks for the map to be redrawn.
constexpr int32_t RosterNotShown = 0;
constexpr int32_t RosterClosed = -1;
constexpr int32_t RosterRedrawMap = 1;

class ForceRosterLogic {
  public:
    ForceRosterLogic(RosterKind kind, Scenario& scenario, const EquipmentTables& tables, MessageBoxes& boxes,
                     SoundPlayer& sounds);

    // Opens the grid of `side`. When the side has nothing to list it shows the refusal
    // (message kind 13 or 14, single "Ok") and returns false having changed nothing (the units
    // are not sorted). Otherwise the order of battle first sorts the units: it calls
    // `sortUnits`, through which the caller runs SortUnits as an undo step ("Sort Units"), or,
    // when `sortUnits` is empty, runs SortUnits itself. The schedule never sorts and ignores
    // `sortUnits`. Then the rows are built, unsorted for display, with the first row selected.
    bool Open(int32_t side, const std::function<void()>& sortUnits = {});
    // Rebuilds the rows from the scenario (after the unit editor), keeping the display sort;
    // the selection stays on the same row position, within the new row count.
    void Refresh();

    // A click on the data row at display position `row` (0 is the first row below the header):
    // remembers it; the order of battle plays the click.
    void ClickRow(int32_t row);
    // A double-click: the unit the unit editor opens on, or 0 for no row.
    int32_t DoubleClickRow(int32_t row);
    // A click on a column header: ascending, then descending, then the unit-list order again;
    // a click on another column starts it ascending. Only the display changes.
    void ClickHeader(int32_t column);
    // The closing button: "Exit" of the order of battle; "OK" of the schedule plays the click.
    int32_t Close();
    // Ctrl+C: the header and every row in display order, as tab-separated text.
    std::string CopyText() const;

    RosterKind Kind() const { return kind_; }
    int32_t Side() const { return side_; }
    const std::string& Title() const { return grid_.Table.Title; }
    const std::vector<std::string>& Headers() const { return grid_.Table.Headers; }
    const std::vector<int32_t>& Widths() const { return grid_.Table.Widths; }
    std::string CloseCaption() const { return kind_ == RosterKind::OrderOfBattle ? "Exit" : "OK"; }
    int32_t RowCount() const { return static_cast<int32_t>(order_.size()); }
    // The cells and the unit of the row at display position `row`.
    const std::vector<std::string>& Cells(int32_t row) const;
    int32_t UnitAt(int32_t row) const;
    int32_t SelectedRow() const { return selected_; }
    int32_t SortColumn() const { return sortColumn_; }
    SortDirection Sort() const { return sortDirection_; }

  private:
    void Rebuild();

    RosterKind kind_;
    Scenario& scenario_;
    const EquipmentTables& tables_;
    MessageBoxes& boxes_;
    SoundPlayer& sounds_;

    int32_t side_ = SideWestern;
    RosterGrid grid_;
    std::vector<int32_t> order_;
    int32_t selected_ = 0;
    int32_t sortColumn_ = -1;
    SortDirection sortDirection_ = SortDirection::None;
};

} // namespace k2
