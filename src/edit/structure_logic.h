// The rules of the structures dialog (TAddBase) without its widgets: what the dialog shows for
// the hex it opens on, one method per control, and the store into the Scenario on Exit.
#pragma once

#include "core/scenario.h"
#include "edit/symbol_rows.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace k2 {

class SymbolSet;

// Removes the structure of `hex` as the dialog's Remove does (for scripts); false when the hex
// has none.
bool RemoveStructureAt(Scenario& scenario, int32_t hex);

constexpr int32_t MinDefenseMod = -8, MaxDefenseMod = 8;
constexpr int32_t MinStructureSupply = 0, MaxStructureSupply = 100;
constexpr int32_t MinStructureHeight = 0, MaxStructureHeight = 10;
// Both Exit and Remove close the dialog with this result: the map is drawn again.
constexpr int32_t StructureResultRedraw = 1;

class StructureLogic {
  public:
    StructureLogic(Scenario& scenario, const SymbolSet& symbols);

    // Fills the dialog for the structure of `hex` (or for none). The symbol set is read here,
    // so a set loaded since the last use is listed.
    void Activate(int32_t hex);

    // The symbol list: a click on a row.
    void SelectRow(int32_t row);
    void SelectSide(int32_t side);
    void SetName(std::string_view text) { name_ = Cut(text); }
    void DefenseUp() { Step(defense_, +1, MinDefenseMod, MaxDefenseMod); }
    void DefenseDown() { Step(defense_, -1, MinDefenseMod, MaxDefenseMod); }
    void SupplyUp() { Step(supply_, +1, MinStructureSupply, MaxStructureSupply); }
    void SupplyDown() { Step(supply_, -1, MinStructureSupply, MaxStructureSupply); }
    void HeightUp() { Step(height_, +1, MinStructureHeight, MaxStructureHeight); }
    void HeightDown() { Step(height_, -1, MinStructureHeight, MaxStructureHeight); }

    // Add: a new structure is prepared; it is created when the dialog is left with Exit.
    void Add();
    // Exit: creates or stores the structure and asks for the battle to be marked modified.
    int32_t Exit();
    // Remove: takes the structure out of the table (later structures move down one number),
    // or discards a structure that Add prepared and Exit has not created yet.
    int32_t Remove();

    // What the dialog shows.
    int32_t Hex() const { return hex_; }
    int32_t StructureNumber() const { return number_; }
    bool Adding() const { return adding_; }
    const std::string& WesternCaption() const { return westernCaption_; }
    const std::string& EasternCaption() const { return easternCaption_; }
    bool WesternEnabled() const { return westernEnabled_; }
    bool EasternEnabled() const { return easternEnabled_; }
    int32_t Side() const { return side_; }
    const std::string& Name() const { return name_; }
    // The Faction, Name, Symbol and Statistics groups.
    bool GroupsEnabled() const { return groupsEnabled_; }
    bool AddEnabled() const { return addEnabled_; }
    bool RemoveEnabled() const { return removeEnabled_; }
    const std::vector<SymbolRow>& Rows() const { return rows_; }
    int32_t SelectedRow() const { return selectedRow_; }
    int32_t SelectedSymbol() const { return selectedSymbol_; }
    std::string SelectedSymbolName() const;
    int32_t DefenseMod() const { return defense_; }
    int32_t SupplyLevel() const { return supply_; }
    int32_t Height() const { return height_; }
    std::string DefenseText() const { return "Defensive Mod: " + std::to_string(defense_); }
    std::string SupplyText() const { return "Supply Level: " + std::to_string(supply_); }
    std::string HeightText() const { return "Height: " + std::to_string(height_); }

    // Exit was used since the last activation: the battle counts as modified even when nothing
    // changed.
    bool MarkModified() const { return markModified_; }

  private:
    static void Step(int32_t& value, int32_t delta, int32_t low, int32_t high);
    static std::string Cut(std::string_view text);
    // The side of the unit standing on the hex, 0 for none.
    int32_t UnitSideOnHex() const;
    void Store(int32_t number);

    Scenario& scenario_;
    const SymbolSet& symbols_;

    int32_t hex_ = 0;
    int32_t number_ = 0;
    bool adding_ = false;
    std::string westernCaption_;
    std::string easternCaption_;
    bool westernEnabled_ = true;
    bool easternEnabled_ = true;
    int32_t side_ = SideWestern;
    std::string name_;
    bool groupsEnabled_ = false;
    bool addEnabled_ = true;
    bool removeEnabled_ = false;
    std::vector<SymbolRow> rows_;
    // Kept from one use of the dialog to the next.
    int32_t selectedRow_ = 0;
    int32_t selectedSymbol_ = 0;
    int32_t defense_ = 0;
    int32_t supply_ = 1;
    int32_t height_ = 1;
    bool markModified_ = false;
};

} // namespace k2
