// The rules of the special hex markers dialog without its widgets: the marker kinds the user
// gives a symbol, the list of marker and structure symbols to choose from, and what a choice
// changes on the map. The whole session from open to Exit is one step of the edit history.
#pragma once

#include "core/scenario.h"
#include "edit/edit_history.h"
#include "edit/edit_names.h"
#include "edit/symbol_rows.h"
#include "graphics/symbol_set.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace k2 {

// The kinds the dialog offers, as MarkerSymbols indices, in the order of their buttons.
constexpr std::array<int32_t, 3> OfferedMarkerKinds = {MarkerWesternReinforcement, MarkerEasternReinforcement,
                                                       MarkerObjective};
bool IsOfferedMarkerKind(int32_t kind);

constexpr int32_t MarkerResultOk = 1;

// One row of the symbol list: the terrain symbol and the name shown (without its category).
using MarkerRow = SymbolRow;

// The marker and structure symbols ("4" and "3" names) in the set's display order.
std::vector<MarkerRow> MarkerSymbolRows(const SymbolSet& symbols);

// Gives the offered marker kind `kind` the symbol `symbol`. A reinforcement kind also re-marks
// the hex of every reinforcement (activation turn 2 or later) of its side, so that the map
// shows the new symbol there. Returns false, changing nothing, for a kind that is not offered.
bool SetMarkerSymbol(Scenario& scenario, int32_t kind, int32_t symbol);

class MarkerLogic {
  public:
    MarkerLogic(Scenario& scenario, const SymbolSet& symbols, EditHistory& history);
    ~MarkerLogic();
    MarkerLogic(const MarkerLogic&) = delete;
    MarkerLogic& operator=(const MarkerLogic&) = delete;

    // The dialog opens: a history session begins, the list is filled and the kind starts on
    // Western Reinforcement whatever was chosen the last time.
    void Open();
    // A kind's radio button; kinds that are not offered are ignored.
    void SelectKind(int32_t kind);
    // A click on a list row: takes effect at once. Rows outside the list are ignored.
    void ClickRow(int32_t row);
    // The click on the row that shows `symbol` for `kind` (what scripts ask for). False, with
    // nothing changed, when the kind is not offered or no row shows the symbol.
    bool ChooseSymbol(int32_t kind, int32_t symbol);
    // Exit (and any other way of closing: there is no cancel): marks the battle modified and
    // ends the session as one step. Returns MarkerResultOk.
    int32_t Exit();

    bool IsOpen() const { return step_.has_value(); }
    int32_t CurrentKind() const { return kind_; }
    const std::vector<MarkerRow>& Rows() const { return rows_; }
    // -1 while the list is empty.
    int32_t SelectedRow() const { return selected_; }
    // The symbol the preview shows (the selected row's) and its name without the category;
    // -1 and "" while no row is selected.
    int32_t PreviewSymbol() const;
    std::string PreviewName() const;

  private:
    int32_t RowOf(int32_t terrain) const;

    Scenario& scenario_;
    const SymbolSet& symbols_;
    EditHistory& history_;
    // The dialog's step, from Open to Exit.
    std::optional<EditHistory::Step> step_;
    int32_t kind_ = MarkerWesternReinforcement;
    int32_t selected_ = -1;
    std::vector<MarkerRow> rows_;
};

} // namespace k2
