// The map trimmer's rules without its widgets: the count labels, and the trims and grows of a
// map edge, each of which rebuilds the hex grid and moves every record that names a hex to the
// hex's new index.
#pragma once

#include "core/scenario.h"
#include "edit/edit_names.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace k2 {

class EditHistory;

enum class MapEdge { Bottom, Top, Right, Left };

enum class ResizeStatus {
    Done,
    TooSmall, // refused: the map would be smaller than MinMapSide rows or columns
    TooLarge, // refused: the map would be larger than MaxMapSide rows or columns
    NoMemory, // the new grid could not be obtained; the battle is as it was
    NoMap,    // refused: no grid (or a grid that does not match its size)
};

struct ResizeResult {
    ResizeStatus Status = ResizeStatus::Done;
    // For a refusal or a failure: the box's title and text.
    std::string Title;
    std::string Message;

    bool Changed() const { return Status == ResizeStatus::Done; }
    // A refused press: the caller plays the refuse sound and shows the message.
    bool Refused() const {
        return Status == ResizeStatus::TooSmall || Status == ResizeStatus::TooLarge ||
               Status == ResizeStatus::NoMap;
    }
};

// Obtains a grid of `count` cells; false when the memory cannot be had.
using GridAllocator = std::function<bool(std::vector<HexCell>& grid, std::size_t count)>;
bool AllocateGrid(std::vector<HexCell>& grid, std::size_t count);

// The names of the undo steps.

class MapTrimmerLogic {
  public:
    explicit MapTrimmerLogic(Scenario& scenario, GridAllocator allocate = AllocateGrid)
        : scenario_(scenario), allocate_(std::move(allocate)) {}

    // One press of a trim button: the bottom row, the top row, the right column, or the two
    // leftmost columns (two trims in a row, so that the columns keep their odd/even pattern).
    // Everything on the cut-away hexes is deleted (map text entries included, renumbered as the
    // map text dialog's Remove does), and the hexes of the new edge become border hexes: their
    // units, structures and objectives are deleted, their secondary terrain emptied and their
    // primary terrain set to the border terrain; their map text and markers stay.
    ResizeResult Trim(MapEdge edge);

    // One press of a grow button: a row at the bottom or top, a column at the right, or two
    // columns at the left. The new edge is border terrain; the hexes of the old edge that are no
    // longer on the border become base terrain 0 and keep everything else.
    ResizeResult Grow(MapEdge edge);

    // The count labels as (objectName, text), in the order the dialog lays them out.
    std::vector<std::pair<std::string, std::string>> CountLabels() const;

    // Rows or columns one press of `edge` removes or adds.
    static int32_t LinesPerPress(MapEdge edge) { return edge == MapEdge::Left ? 2 : 1; }

  private:
    ResizeResult CheckSize(int32_t rows, int32_t cols, bool growing) const;
    // Deletes the units, structures and objectives that stand on `hex`.
    void ClearHex(int32_t hex);
    void RemoveMapTextsAt(int32_t hex);
    void MakeBorderHex(int32_t hex);
    // The hexes of `edge` on the current map.
    std::vector<int32_t> EdgeHexes(MapEdge edge) const;
    // Replaces the grid by `grid` of rows x cols; `newIndex` gives each old hex its new index
    // (or -1 for a hex that is gone) and every record follows its hex.
    void Replace(std::vector<HexCell>&& grid, int32_t rows, int32_t cols,
                 const std::vector<int32_t>& newIndex);
    // One trim of one row or column into the grid `grid` obtained for it.
    void TrimOnce(MapEdge edge, std::vector<HexCell>&& grid);

    Scenario& scenario_;
    GridAllocator allocate_;
};

// One press as one undo step ("Trim Map" or "Grow Map"); a refused or failed press records
// nothing.
ResizeResult RecordTrim(EditHistory& history, MapTrimmerLogic& logic, MapEdge edge);
ResizeResult RecordGrow(EditHistory& history, MapTrimmerLogic& logic, MapEdge edge);

} // namespace k2
