// The rules of the unit editor without its widgets: which unit is being edited and in which
// form, every control's step, list and toggle with its effect on the unit, the symbol list with
// its side variant, and Add, Exit and Remove. Every action writes into the battle at once; the
// caller runs a whole session (open to close) as one step of the edit history.
#pragma once

#include "core/edit_state.h"
#include "core/platform.h"
#include "core/scenario.h"
#include "forces/equipment_defs.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace k2 {

class SymbolSet;

// The definition tables view, opened from the editor's four information buttons.
constexpr int32_t DefTableMissile = 1;
constexpr int32_t DefTableCombat = 2;
constexpr int32_t DefTableArmour = 3;
constexpr int32_t DefTableShield = 4;

class DefinitionTablesOpener {
  public:
    virtual ~DefinitionTablesOpener() = default;
    // Shows one equipment table (DefTableMissile..DefTableShield) modally.
    virtual void ShowDefinitionTable(int32_t table) = 0;
};

// The value controls, each a pair of arrows and a label.
enum class UnitCounter { Men, Morale, Movement, Ammo, Supply, Turn, Value, Rating, Range };
// The three check boxes that toggle a field between 0 and 1.
enum class UnitFlag { Stakes, Ferocious, Disrupted };
// The four equipment lists.
enum class EquipmentList { Combat, Missile, Armour, Shield };

// What the typing fields accept.
constexpr std::size_t UnitNameFieldChars = 20;
constexpr std::size_t WingFieldChars = WingNameChars;

// The texts of the ammunition codes 0..4.
std::string_view AmmoText(int32_t code);
// The class default of morale ("Hero" 120).
int32_t ClassMorale(int32_t unitClass);

// Removes the unit standing on `hex` as the editor's Remove does: the later units move down one
// number and their hexes follow them, and the hex loses its reinforcement marker. Returns false
// (changing nothing) when the hex holds no unit.
bool RemoveUnitOnHex(Scenario& scenario, int32_t hex);

class UnitEditorLogic {
  public:
    struct SymbolRow {
        std::string Name; // Windows-1252
        int32_t Symbol = 0;
    };

    UnitEditorLogic(Scenario& scenario, EditState& edit, const EquipmentTables& tables,
                    const SymbolSet& symbols, SoundPlayer& sounds, MessageBoxes& boxes,
                    DefinitionTablesOpener& definitions);

    // --- opening ---------------------------------------------------------------------------
    // Opens on edit.CurrentHex from a map click. `reinforcementUse` is the Reinforcements mode's
    // opening; a Units opening on a hex with a reinforcement marker becomes one too, and the
    // edit mode follows it to Reinforcements.
    void Open(bool reinforcementUse);
    // Opens on unit `unit` (the order of battle): the current hex becomes the unit's hex, and
    // the form follows the unit, Reinforcements for a reinforcement unit or a marked hex. The
    // edit mode changes only from Units to Reinforcements, as on the map.
    void OpenUnit(int32_t unit);

    // --- actions ---------------------------------------------------------------------------
    void SetSide(int32_t side);
    void SetName(std::string_view text);
    void SetUnitType(int32_t type);
    // A pick from the wing list, and the text typed into it.
    void SelectWing(int32_t index);
    void SetWingText(std::string_view text);
    void PickSymbolRow(int32_t row);
    void ToggleFacing();
    void SelectClass(int32_t index);
    void SelectEquipment(EquipmentList list, int32_t index);
    void ShowDefinitions(int32_t table);
    void ToggleFlag(UnitFlag flag);
    // One click on an arrow; ignored at its bound or when the control does not act.
    void Step(UnitCounter counter, bool up);
    void SetWingLeader(bool on);
    // Adds a unit on the empty current hex; false (with a message) when the table is full.
    bool Add();
    // Commits and closes: returns the modal result 1.
    int32_t Exit();
    // Removes the unit and closes (1); 0 when there is no unit and the dialog stays.
    int32_t Remove();

    // --- what the dialog shows -------------------------------------------------------------
    bool ReinforcementForm() const { return reinforcementForm_; }
    std::string FormTitle() const { return reinforcementForm_ ? "Reinforcements" : "Units"; }
    bool HasUnit() const { return unit_ != 0; }
    int32_t CurrentUnit() const { return unit_; }
    int32_t CurrentHex() const { return hex_; }
    // The unit being edited; only while HasUnit().
    const UnitRecord& Unit() const { return scenario_.Units[static_cast<std::size_t>(unit_)]; }

    std::string WesternCaption() const { return scenario_.WesternName.Str(); }
    std::string EasternCaption() const { return scenario_.EasternName.Str(); }
    // The side button that is on, 0 for none (no unit).
    int32_t CheckedSide() const { return HasUnit() ? Unit().Side : 0; }
    // The type button that is on, 0 for none (no unit).
    int32_t CheckedType() const { return HasUnit() ? Unit().UnitType : 0; }
    int32_t SideVariant() const { return sideVariant_; }
    std::string NameText() const { return HasUnit() ? Unit().Name.Str() : std::string(); }

    const std::vector<SymbolRow>& SymbolRows() const { return rows_; }
    int32_t SelectedSymbolRow() const { return symbolRow_; }
    int32_t CurrentSymbol() const { return currentSymbol_; }
    // The name of the current symbol's pair (its even member), "" when the set has no such symbol.
    std::string CurrentSymbolName() const;

    std::vector<std::string> ClassNames() const;
    std::vector<std::string> EquipmentNames(EquipmentList list) const;
    // The selected entries, -1 for none.
    int32_t SelectedClass() const;
    int32_t SelectedEquipment(EquipmentList list) const;

    std::vector<std::string> WingNameList() const;
    int32_t SelectedWing() const { return wingIndex_; }
    const std::string& WingText() const { return wingText_; }

    std::string CounterText(UnitCounter counter) const;
    bool CounterEnabled(UnitCounter counter) const;
    bool Flag(UnitFlag flag) const;
    bool WingLeader() const { return HasUnit() && Unit().WingLeader != 0; }

    std::string CombatText() const;
    std::string MissileText() const;
    std::string DefenseText() const;
    std::string WeightText() const;
    // The unit's place among its side's units of its wing, and who commands it.
    std::string WingPlaceText() const;
    std::string LedByText() const;

    // The groups of controls act only on a unit; Add only without one.
    bool GroupsEnabled() const { return HasUnit(); }
    bool AddEnabled() const { return !HasUnit(); }
    bool RemoveEnabled() const { return HasUnit(); }

  private:
    void Begin(int32_t hex, bool reinforcementForm, int32_t unit);
    void LoadUnit();
    void FillRows();
    UnitRecord* Editing();
    void Click() { sounds_.Play(SoundAccept, 1); }
    void SetMarkerForSide(int32_t side);
    void AutomaticValue();
    void CommitWing();
    int32_t FindWing(std::string_view name) const;

    Scenario& scenario_;
    EditState& edit_;
    const EquipmentTables& tables_;
    const SymbolSet& symbols_;
    SoundPlayer& sounds_;
    MessageBoxes& boxes_;
    DefinitionTablesOpener& definitions_;

    bool reinforcementForm_ = false;
    int32_t hex_ = 0;
    int32_t unit_ = 0;
    // Kept from one opening to the next.
    int32_t currentSymbol_ = 0;
    int32_t symbolRow_ = 0;
    int32_t sideVariant_ = SideWestern;
    std::vector<SymbolRow> rows_;
    int32_t wingIndex_ = 0;
    std::string wingText_;
};

} // namespace k2
