#include "edit/structure_logic.h"

#include "graphics/symbol_set.h"

#include <algorithm>

namespace k2 {

bool RemoveStructureAt(Scenario& scenario, int32_t hex) {
    if (!scenario.IsValidHex(hex)) return false;
    const int32_t number = scenario.Hexes[size_t(hex)].Structure;
    if (number < 1 || number > scenario.StructureCount) return false;
    scenario.RemoveStructure(number);
    return true;
}

StructureLogic::StructureLogic(Scenario& scenario, const SymbolSet& symbols)
    : scenario_(scenario), symbols_(symbols) {}

void StructureLogic::Step(int32_t& value, int32_t delta, int32_t low, int32_t high) {
    value = std::clamp(value + delta, low, high);
}

std::string StructureLogic::Cut(std::string_view text) {
    return std::string(text.substr(0, std::min(text.size(), RecordNameChars)));
}

int32_t StructureLogic::UnitSideOnHex() const {
    if (!scenario_.IsValidHex(hex_)) return 0;
    const int32_t unit = scenario_.Hexes[size_t(hex_)].Unit;
    if (unit < 1 || unit > scenario_.UnitCount) return 0;
    const int32_t side = scenario_.Units[size_t(unit)].Side;
    return side == SideWestern || side == SideEastern ? side : 0;
}

void StructureLogic::Activate(int32_t hex) {
    hex_ = hex;
    const int32_t stored = scenario_.IsValidHex(hex) ? scenario_.Hexes[size_t(hex)].Structure : 0;
    number_ = stored >= 1 && stored <= scenario_.StructureCount ? stored : 0;
    adding_ = false;
    markModified_ = false;
    westernEnabled_ = easternEnabled_ = true;
    westernCaption_ = scenario_.WesternName.Str();
    easternCaption_ = scenario_.EasternName.Str();
    rows_ = TerrainSymbolRows(symbols_, "3");
    selectedRow_ = rows_.empty() ? 0 : std::clamp<int32_t>(selectedRow_, 0, int32_t(rows_.size()) - 1);

    if (number_ != 0) {
        const StructureRecord& record = scenario_.Structures[size_t(number_)];
        removeEnabled_ = true;
        addEnabled_ = false;
        groupsEnabled_ = true;
        name_ = record.Name.Str();
        side_ = record.Side == SideWestern ? SideWestern : SideEastern;
        // A unit on the hex closes the other force's button, but the stored owner stays until
        // the user picks another: Exit alone must not rewrite it.
        if (const int32_t unitSide = UnitSideOnHex())
            (unitSide == SideWestern ? easternEnabled_ : westernEnabled_) = false;
        defense_ = record.DefenseMod;
        supply_ = record.SupplyLevel;
        height_ = record.Height;
        // A symbol that the list does not offer (a battle from elsewhere) is kept as it is, so
        // that Exit does not change it; the list keeps its previous row.
        selectedSymbol_ = record.Symbol;
        const auto match = std::find_if(rows_.begin(), rows_.end(),
                                        [&](const SymbolRow& row) { return row.Terrain == record.Symbol; });
        if (match != rows_.end()) selectedRow_ = int32_t(match - rows_.begin());
    } else {
        groupsEnabled_ = false;
        removeEnabled_ = false;
        addEnabled_ = true;
        name_.clear();
        side_ = SideWestern;
        defense_ = 0;
        supply_ = 1;
        height_ = 1;
        selectedRow_ = 0;
        // A set without structure symbols offers none: no symbol of an earlier set is kept.
        selectedSymbol_ = rows_.empty() ? NoSymbol : rows_.front().Terrain;
    }
}

void StructureLogic::SelectRow(int32_t row) {
    if (row < 0 || row >= int32_t(rows_.size())) return;
    selectedRow_ = row;
    selectedSymbol_ = rows_[size_t(row)].Terrain;
}

void StructureLogic::SelectSide(int32_t side) {
    if (side == SideWestern && westernEnabled_) side_ = SideWestern;
    if (side == SideEastern && easternEnabled_) side_ = SideEastern;
}

std::string StructureLogic::SelectedSymbolName() const {
    return ShownSymbolName(symbols_, selectedSymbol_);
}

void StructureLogic::Add() {
    groupsEnabled_ = true;
    westernEnabled_ = easternEnabled_ = true;
    removeEnabled_ = true;
    addEnabled_ = false;
    adding_ = true;
    number_ = 0;
    name_ = "New Structure";
    side_ = SideWestern;
    if (const int32_t unitSide = UnitSideOnHex()) {
        side_ = unitSide;
        (unitSide == SideWestern ? easternEnabled_ : westernEnabled_) = false;
    }
    defense_ = 0;
    supply_ = 1;
    height_ = 1;
}

int32_t StructureLogic::Exit() {
    if (adding_) {
        // A full table creates nothing; the dialog closes without a message.
        if (scenario_.StructureCount < MaxStructures && scenario_.IsValidHex(hex_)) {
            ++scenario_.StructureCount;
            number_ = scenario_.StructureCount;
            Store(number_);
        }
        adding_ = false;
    } else if (number_ != 0) {
        Store(number_);
    }
    markModified_ = true;
    return StructureResultRedraw;
}

void StructureLogic::Store(int32_t number) {
    if (!scenario_.IsValidHex(hex_) || number < 1 || number > scenario_.StructureCount) return;
    StructureRecord& record = scenario_.Structures[size_t(number)];
    record.Hex = hex_;
    record.Name = name_;
    record.Side = side_;
    record.Symbol = selectedSymbol_;
    record.DefenseMod = defense_;
    record.SupplyLevel = supply_;
    record.Height = height_;
    record.Capacity = 1;
    record.SpareB = 0;
    scenario_.Hexes[size_t(hex_)].Structure = number;
}

int32_t StructureLogic::Remove() {
    // A structure that Add prepared exists only in the dialog: it is dropped.
    if (number_ != 0 && !adding_) scenario_.RemoveStructure(number_);
    adding_ = false;
    number_ = 0;
    return StructureResultRedraw;
}

} // namespace k2
