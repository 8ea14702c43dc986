#include "edit/marker_logic.h"
#include "edit/edit_names.h"

#include <algorithm>

namespace k2 {

bool IsOfferedMarkerKind(int32_t kind) {
    return std::find(OfferedMarkerKinds.begin(), OfferedMarkerKinds.end(), kind) != OfferedMarkerKinds.end();
}

std::vector<MarkerRow> MarkerSymbolRows(const SymbolSet& symbols) {
    return TerrainSymbolRows(symbols, "43");
}

bool SetMarkerSymbol(Scenario& scenario, int32_t kind, int32_t symbol) {
    if (!IsOfferedMarkerKind(kind)) return false;
    scenario.MarkerSymbols[static_cast<std::size_t>(kind)] = symbol;
    const int32_t side = kind == MarkerWesternReinforcement   ? SideWestern
                         : kind == MarkerEasternReinforcement ? SideEastern
                                                              : 0;
    if (side == 0) return true; // the objective symbol is drawn from the table itself
    const int32_t units = std::clamp(scenario.UnitCount, 0, MaxUnits);
    for (int32_t u = 1; u <= units; ++u) {
        const UnitRecord& unit = scenario.Units[static_cast<std::size_t>(u)];
        if (unit.Side != side || unit.ActivationTurn < 2 || !scenario.IsValidHex(unit.Hex)) continue;
        scenario.Hexes[static_cast<std::size_t>(unit.Hex)].ReinforcementMarker = symbol;
    }
    return true;
}

MarkerLogic::MarkerLogic(Scenario& scenario, const SymbolSet& symbols, EditHistory& history)
    : scenario_(scenario), symbols_(symbols), history_(history) {}

// A dialog torn down while open still leaves its changes as one step (the step's scope ends).
MarkerLogic::~MarkerLogic() = default;

void MarkerLogic::Open() {
    if (!step_) step_.emplace(history_, step::Markers);
    rows_ = MarkerSymbolRows(symbols_);
    kind_ = MarkerWesternReinforcement;
    const int32_t row = RowOf(scenario_.MarkerSymbols[MarkerWesternReinforcement]);
    selected_ = row >= 0 ? row : (rows_.empty() ? -1 : 0);
}

void MarkerLogic::SelectKind(int32_t kind) {
    if (!IsOfferedMarkerKind(kind)) return;
    kind_ = kind;
    const int32_t row = RowOf(scenario_.MarkerSymbols[static_cast<std::size_t>(kind)]);
    if (row >= 0) selected_ = row;
}

void MarkerLogic::ClickRow(int32_t row) {
    if (row < 0 || row >= int32_t(rows_.size())) return;
    selected_ = row;
    SetMarkerSymbol(scenario_, kind_, rows_[static_cast<std::size_t>(row)].Terrain);
}

bool MarkerLogic::ChooseSymbol(int32_t kind, int32_t symbol) {
    if (!IsOfferedMarkerKind(kind)) return false;
    if (rows_.empty()) rows_ = MarkerSymbolRows(symbols_);
    const int32_t row = RowOf(symbol);
    if (row < 0) return false;
    SelectKind(kind);
    ClickRow(row);
    return true;
}

int32_t MarkerLogic::Exit() {
    if (step_) step_->Commit();
    step_.reset();
    history_.Touch();
    return MarkerResultOk;
}

int32_t MarkerLogic::PreviewSymbol() const {
    if (selected_ < 0 || selected_ >= int32_t(rows_.size())) return -1;
    return rows_[static_cast<std::size_t>(selected_)].Terrain;
}

std::string MarkerLogic::PreviewName() const {
    if (selected_ < 0 || selected_ >= int32_t(rows_.size())) return {};
    return rows_[static_cast<std::size_t>(selected_)].Name;
}

int32_t MarkerLogic::RowOf(int32_t terrain) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].Terrain == terrain) return int32_t(i);
    return -1;
}

} // namespace k2
