#include "forces/unit_editor_logic.h"

#include "forces/unit_ratings.h"
#include "graphics/symbol_set.h"

#include <algorithm>
#include <array>

namespace k2 {

namespace {

constexpr std::array<std::string_view, 5> AmmoTexts = {"X", "1 Shot", "Low", "Hi", "Always Hi"};
constexpr std::array<int32_t, UnitClassCount> ClassMorales = {50, 70, 80, 90, 100, 120};

constexpr int32_t AmmoHi = 3;
constexpr int32_t NewUnitMen = 25, NewUnitMorale = 80, NewUnitMovement = 8, NewUnitValue = 2;
constexpr int32_t LeaderRange = 4;
constexpr int32_t MaxUnitValue = 25;
constexpr int32_t FullSupply = 20;
constexpr int32_t GunMenStep = 5;
// Missile weapons this heavy slow the unit down to these movement points.
constexpr int32_t HeavyWeight = 1000, HeavyMovement = 1;
constexpr int32_t MediumWeight = 500, MediumMovement = 4;

// Each value control, in the order of UnitCounter: a step up is taken only while the value is
// below UpBelow, a step down only while it is above DownAbove; the step itself may pass the bound.
struct CounterRule {
    std::string_view Label;
    int32_t UnitRecord::*Field;
    int32_t UpBelow;
    int32_t DownAbove;
};
constexpr std::array<CounterRule, 9> CounterRules = {{
    {"Men: ", &UnitRecord::Men, 50, 10},
    {"Morale: ", &UnitRecord::Morale, 125, 1},
    {"Movement Points: ", &UnitRecord::MovementPoints, 12, 0},
    {"Missile Ammo: ", &UnitRecord::MissileAmmo, 4, 0},
    {"ReSupply Level: ", &UnitRecord::SupplyLevel, 20, 0},
    {"Activation Turn: ", &UnitRecord::ActivationTurn, 300, 1},
    {"Value: ", &UnitRecord::Value, 25, 0},
    {"Rating: ", &UnitRecord::CommandRating, 5, -5},
    {"Range: ", &UnitRecord::CommandRange, 10, 3},
}};
// In the order of UnitFlag and of EquipmentList.
constexpr std::array<int32_t UnitRecord::*, 3> FlagFields = {
    &UnitRecord::HasStakes, &UnitRecord::FerociousAttack, &UnitRecord::StartsDisrupted};
constexpr std::array<int32_t UnitRecord::*, 4> EquipmentFields = {
    &UnitRecord::CombatWeapon, &UnitRecord::MissileWeapon, &UnitRecord::Armour, &UnitRecord::Shield};

const CounterRule& RuleOf(UnitCounter counter) {
    return CounterRules[size_t(counter)];
}
int32_t UnitRecord::*FieldOf(UnitFlag flag) {
    return FlagFields[size_t(flag)];
}
int32_t UnitRecord::*FieldOf(EquipmentList list) {
    return EquipmentFields[size_t(list)];
}

int32_t CountOf(const EquipmentTables& tables, EquipmentList list) {
    switch (list) {
    case EquipmentList::Combat:
        return tables.CombatCount;
    case EquipmentList::Missile:
        return tables.MissileCount;
    case EquipmentList::Armour:
        return tables.ArmourCount;
    case EquipmentList::Shield:
        return tables.ShieldCount;
    }
    return 0;
}

std::string Cut(std::string_view text, std::size_t chars) {
    return std::string(text.substr(0, std::min(text.size(), chars)));
}

int32_t MarkerOfSide(const Scenario& scenario, int32_t side) {
    return scenario
        .MarkerSymbols[side == SideEastern ? MarkerEasternReinforcement : MarkerWesternReinforcement];
}

} // namespace

std::string_view AmmoText(int32_t code) {
    return code >= 0 && code < int32_t(AmmoTexts.size()) ? AmmoTexts[size_t(code)] : std::string_view("?");
}

int32_t ClassMorale(int32_t unitClass) {
    return unitClass >= 0 && unitClass < UnitClassCount ? ClassMorales[size_t(unitClass)] : NewUnitMorale;
}

bool RemoveUnitOnHex(Scenario& scenario, int32_t hex) {
    if (!scenario.IsValidHex(hex)) return false;
    const int32_t unit = scenario.Hexes[size_t(hex)].Unit;
    if (unit < 1 || unit > scenario.UnitCount) return false;
    scenario.RemoveUnit(unit);
    scenario.Hexes[size_t(hex)].ReinforcementMarker = 0;
    return true;
}

UnitEditorLogic::UnitEditorLogic(Scenario& scenario, EditState& edit, const EquipmentTables& tables,
                                 const SymbolSet& symbols, SoundPlayer& sounds, MessageBoxes& boxes,
                                 DefinitionTablesOpener& definitions)
    : scenario_(scenario), edit_(edit), tables_(tables), symbols_(symbols), sounds_(sounds), boxes_(boxes),
      definitions_(definitions) {}

// --- opening -------------------------------------------------------------------------------

void UnitEditorLogic::Open(bool reinforcementUse) {
    const int32_t hex = edit_.CurrentHex;
    const bool marked = scenario_.IsValidHex(hex) && scenario_.Hexes[size_t(hex)].ReinforcementMarker != 0;
    const bool reinforcement = reinforcementUse || edit_.Mode != EditMode::Units || marked;
    if (reinforcement && edit_.Mode == EditMode::Units) edit_.Mode = EditMode::Reinforcements;
    int32_t unit = 0;
    if (scenario_.IsValidHex(hex)) {
        const int32_t linked = scenario_.Hexes[size_t(hex)].Unit;
        if (linked >= 1 && linked <= scenario_.UnitCount) unit = linked;
    }
    Begin(hex, reinforcement, unit);
}

void UnitEditorLogic::OpenUnit(int32_t unit) {
    if (unit < 1 || unit > scenario_.UnitCount) {
        Begin(NoSymbol, false, 0);
        return;
    }
    const UnitRecord& record = scenario_.Units[size_t(unit)];
    const int32_t hex = record.Hex;
    edit_.CurrentHex = hex;
    // A map click decides the form from the mode; here the unit itself says what it is, so a
    // placed unit is never given a reinforcement marker by leaving the editor.
    const bool marked = scenario_.IsValidHex(hex) && scenario_.Hexes[size_t(hex)].ReinforcementMarker != 0;
    const bool reinforcement = record.ActivationTurn > 1 || marked;
    if (reinforcement && edit_.Mode == EditMode::Units) edit_.Mode = EditMode::Reinforcements;
    Begin(hex, reinforcement, unit);
}

void UnitEditorLogic::Begin(int32_t hex, bool reinforcementForm, int32_t unit) {
    reinforcementForm_ = reinforcementForm;
    hex_ = hex;
    unit_ = unit;
    FillRows();
    wingIndex_ = scenario_.WingCount > 0 ? 0 : -1;
    wingText_ = wingIndex_ == 0 ? scenario_.WingNames[0].Str() : std::string();
    if (unit_ != 0) LoadUnit();
}

void UnitEditorLogic::FillRows() {
    rows_.clear();
    const int32_t places = std::min<int32_t>(int32_t(symbols_.UnitListOrder().size()), symbols_.UnitCount());
    for (int32_t place = 0; place < places; ++place) {
        const int32_t symbol = symbols_.UnitAtPlace(place);
        if (!symbols_.IsUnitSymbol(symbol)) continue;
        const std::string name = symbols_.Unit(symbol).Name.Str();
        if (!name.empty() && name[0] == '-') continue;
        rows_.push_back({name, symbol});
    }
    if (symbolRow_ >= int32_t(rows_.size())) symbolRow_ = 0;
}

void UnitEditorLogic::LoadUnit() {
    UnitRecord& u = *Editing();
    sideVariant_ = u.Side == SideEastern ? SideEastern : SideWestern;
    if (u.Wing >= 0 && u.Wing < scenario_.WingCount) {
        wingIndex_ = u.Wing;
        wingText_ = scenario_.WingNames[size_t(u.Wing)].Str();
    }
    currentSymbol_ = u.Symbol;
    symbolRow_ = 0;
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (rows_[row].Symbol == (u.Symbol & ~1)) {
            symbolRow_ = int32_t(row);
            break;
        }
    }
    if (u.UnitType != 3) u.SupplyLevel = 0;
}

UnitRecord* UnitEditorLogic::Editing() {
    return unit_ != 0 ? &scenario_.Units[size_t(unit_)] : nullptr;
}

// --- actions -------------------------------------------------------------------------------

void UnitEditorLogic::SetMarkerForSide(int32_t side) {
    if (reinforcementForm_ && scenario_.IsValidHex(hex_))
        scenario_.Hexes[size_t(hex_)].ReinforcementMarker = MarkerOfSide(scenario_, side);
}

void UnitEditorLogic::SetSide(int32_t side) {
    UnitRecord* u = Editing();
    if (!u || (side != SideWestern && side != SideEastern)) return;
    Click();
    u->Side = side;
    sideVariant_ = side;
    SetMarkerForSide(side);
}

void UnitEditorLogic::SetName(std::string_view text) {
    if (UnitRecord* u = Editing()) u->Name = Cut(text, UnitNameFieldChars);
}

void UnitEditorLogic::SetUnitType(int32_t type) {
    UnitRecord* u = Editing();
    if (!u || type < 1 || type > 3) return;
    Click();
    u->UnitType = type;
    if (type == 1) u->MovementPoints = 6;
    if (type == 2) u->MovementPoints = 10;
    if (type == 3) {
        u->MovementPoints = 4;
        u->SupplyLevel = FullSupply;
    } else {
        // Only supply units carry supply; the level would otherwise linger unseen.
        u->SupplyLevel = 0;
    }
    AutomaticValue();
}

void UnitEditorLogic::AutomaticValue() {
    UnitRecord& u = *Editing();
    int32_t value = u.UnitType == 2 ? u.Men / 5 : u.UnitType == 3 ? u.SupplyLevel : u.Men / 10;
    u.Value = std::min(value, MaxUnitValue);
}

int32_t UnitEditorLogic::FindWing(std::string_view name) const {
    for (int32_t w = 0; w < scenario_.WingCount && w < MaxWings; ++w)
        if (scenario_.WingNames[size_t(w)].View() == name) return w;
    return -1;
}

void UnitEditorLogic::SelectWing(int32_t index) {
    if (index < 0 || index >= scenario_.WingCount) return;
    Click();
    wingIndex_ = index;
    wingText_ = scenario_.WingNames[size_t(index)].Str();
    if (UnitRecord* u = Editing()) u->Wing = index;
}

void UnitEditorLogic::SetWingText(std::string_view text) {
    // Only the text: the unit joins the wing it names when the editor is left, so the names
    // passed on the way while typing never assign it.
    wingText_ = Cut(text, WingFieldChars);
}

void UnitEditorLogic::CommitWing() {
    UnitRecord* u = Editing();
    if (wingText_.empty()) {
        if (wingIndex_ >= 0 && wingIndex_ < scenario_.WingCount) u->Wing = wingIndex_;
        return;
    }
    if (const int32_t found = FindWing(wingText_); found >= 0) {
        u->Wing = wingIndex_ = found;
        return;
    }
    if (scenario_.WingCount >= MaxWings) {
        const std::string kept =
            u->Wing >= 0 && u->Wing < scenario_.WingCount ? scenario_.WingNames[size_t(u->Wing)].Str() : "";
        boxes_.ShowPlain("Warning", "The wing list is full (" + std::to_string(MaxWings) + " wings): \"" +
                                        wingText_ + "\" was not added, and the unit stays in wing \"" + kept +
                                        "\".");
        wingText_ = kept;
        return;
    }
    const int32_t added = scenario_.WingCount++;
    scenario_.WingNames[size_t(added)] = wingText_;
    u->Wing = wingIndex_ = added;
}

void UnitEditorLogic::PickSymbolRow(int32_t row) {
    if (!HasUnit() || row < 0 || row >= int32_t(rows_.size())) return;
    const int32_t symbol = rows_[size_t(row)].Symbol + (sideVariant_ == SideEastern ? 1 : 0);
    if (row == symbolRow_ && symbol == currentSymbol_) return;
    Click();
    symbolRow_ = row;
    currentSymbol_ = symbol;
    if (UnitRecord* u = Editing()) u->Symbol = symbol;
}

void UnitEditorLogic::ToggleFacing() {
    UnitRecord* u = Editing();
    if (!u) return;
    Click();
    currentSymbol_ ^= 1;
    u->Symbol = currentSymbol_;
}

void UnitEditorLogic::SelectClass(int32_t index) {
    UnitRecord* u = Editing();
    if (!u || index < 0 || index >= tables_.ClassCount) return;
    Click();
    u->Class = index;
    u->Morale = ClassMorale(index);
}

void UnitEditorLogic::SelectEquipment(EquipmentList list, int32_t index) {
    UnitRecord* u = Editing();
    if (!u || index < 0 || index >= CountOf(tables_, list)) return;
    Click();
    u->*FieldOf(list) = index;
    if (list != EquipmentList::Missile) return;
    if (index == 0) {
        u->MissileAmmo = 0;
        return;
    }
    u->MissileAmmo = AmmoHi;
    const int32_t weight = tables_.Missile(index).weight;
    if (weight >= HeavyWeight)
        u->MovementPoints = HeavyMovement;
    else if (weight >= MediumWeight)
        u->MovementPoints = MediumMovement;
}

void UnitEditorLogic::ShowDefinitions(int32_t table) {
    if (table < DefTableMissile || table > DefTableShield) return;
    Click();
    definitions_.ShowDefinitionTable(table);
}

void UnitEditorLogic::ToggleFlag(UnitFlag flag) {
    UnitRecord* u = Editing();
    if (!u) return;
    Click();
    int32_t& field = u->*FieldOf(flag);
    field = field != 0 ? 0 : 1;
}

void UnitEditorLogic::Step(UnitCounter counter, bool up) {
    UnitRecord* u = Editing();
    if (!u || !CounterEnabled(counter)) return;
    Click();
    const CounterRule& rule = RuleOf(counter);
    int32_t& field = u->*rule.Field;
    const int32_t step = counter == UnitCounter::Men && IsGun(scenario_, tables_, unit_) ? GunMenStep : 1;
    if (up ? field >= rule.UpBelow : field <= rule.DownAbove) return;
    field += up ? step : -step;
    if (counter == UnitCounter::Turn) {
        // A reinforcement arrives after the start, and never after the battle's last turn.
        if (field == 1) field = 2;
        field = std::min(field, scenario_.MaxTurns);
    }
    if (counter == UnitCounter::Men) AutomaticValue();
}

void UnitEditorLogic::SetWingLeader(bool on) {
    UnitRecord* u = Editing();
    if (!u) return;
    Click();
    u->WingLeader = on ? 1 : 0;
    u->CommandRange = on ? LeaderRange : 0;
    u->CommandRating = 0;
}

bool UnitEditorLogic::Add() {
    if (HasUnit() || !scenario_.IsValidHex(hex_)) return false;
    if (scenario_.UnitCount >= MaxUnits) {
        sounds_.Play(SoundRefuse, 1);
        boxes_.ShowPlain("Warning", "The battle already holds " + std::to_string(MaxUnits) +
                                        " units, the most it can hold: no unit was added.");
        return false;
    }
    sounds_.Play(SoundAddUnit, 1);
    unit_ = ++scenario_.UnitCount;
    UnitRecord u;
    u.Name = "New Unit";
    u.Side = SideWestern;
    u.UnitType = 1;
    u.Men = NewUnitMen;
    u.Morale = NewUnitMorale;
    u.MovementPoints = NewUnitMovement;
    u.Value = NewUnitValue;
    u.Hex = hex_;
    u.ActivationTurn = reinforcementForm_ ? std::max(1, scenario_.MaxTurns / 2) : 1;
    u.Symbol = currentSymbol_;
    scenario_.Units[size_t(unit_)] = u;
    scenario_.Hexes[size_t(hex_)].Unit = unit_;
    sideVariant_ = SideWestern;
    SetMarkerForSide(SideWestern);
    wingIndex_ = scenario_.WingCount > 0 ? 0 : -1;
    wingText_ = wingIndex_ == 0 ? scenario_.WingNames[0].Str() : std::string();
    return true;
}

int32_t UnitEditorLogic::Exit() {
    if (UnitRecord* u = Editing()) {
        CommitWing();
        u->Hex = hex_;
        u->Symbol = currentSymbol_;
        SetMarkerForSide(sideVariant_);
    }
    Click();
    return 1;
}

int32_t UnitEditorLogic::Remove() {
    if (!HasUnit()) return 0;
    scenario_.RemoveUnit(unit_);
    if (reinforcementForm_ && scenario_.IsValidHex(hex_))
        scenario_.Hexes[size_t(hex_)].ReinforcementMarker = 0;
    unit_ = 0;
    return 1;
}

// --- what the dialog shows -----------------------------------------------------------------

std::string UnitEditorLogic::CurrentSymbolName() const {
    const int32_t even = currentSymbol_ & ~1;
    return symbols_.IsUnitSymbol(even) ? symbols_.Unit(even).Name.Str() : std::string();
}

std::vector<std::string> UnitEditorLogic::ClassNames() const {
    std::vector<std::string> names;
    for (int32_t c = 0; c < tables_.ClassCount; ++c)
        names.emplace_back(tables_.Class(c).name);
    return names;
}

std::vector<std::string> UnitEditorLogic::EquipmentNames(EquipmentList list) const {
    std::vector<std::string> names;
    for (int32_t i = 0; i < CountOf(tables_, list); ++i) {
        switch (list) {
        case EquipmentList::Combat:
            names.push_back(tables_.Combat(i).name.Str());
            break;
        case EquipmentList::Missile:
            names.push_back(tables_.Missile(i).name.Str());
            break;
        case EquipmentList::Armour:
            names.push_back(tables_.Armour(i).name.Str());
            break;
        case EquipmentList::Shield:
            names.push_back(tables_.Shield(i).name.Str());
            break;
        }
    }
    return names;
}

int32_t UnitEditorLogic::SelectedClass() const {
    if (!HasUnit()) return -1;
    const int32_t c = Unit().Class;
    return c >= 0 && c < tables_.ClassCount ? c : -1;
}

int32_t UnitEditorLogic::SelectedEquipment(EquipmentList list) const {
    if (!HasUnit()) return -1;
    const int32_t index = Unit().*FieldOf(list);
    return index >= 0 && index < CountOf(tables_, list) ? index : -1;
}

std::vector<std::string> UnitEditorLogic::WingNameList() const {
    std::vector<std::string> names;
    for (int32_t w = 0; w < scenario_.WingCount && w < MaxWings; ++w)
        names.push_back(scenario_.WingNames[size_t(w)].Str());
    return names;
}

std::string UnitEditorLogic::CounterText(UnitCounter counter) const {
    const CounterRule& rule = RuleOf(counter);
    std::string text(rule.Label);
    if (!HasUnit()) return text + "--";
    const int32_t value = Unit().*rule.Field;
    return text + (counter == UnitCounter::Ammo ? std::string(AmmoText(value)) : std::to_string(value));
}

bool UnitEditorLogic::CounterEnabled(UnitCounter counter) const {
    if (!HasUnit()) return false;
    const UnitRecord& u = Unit();
    switch (counter) {
    case UnitCounter::Ammo:
        return u.MissileWeapon != 0;
    case UnitCounter::Supply:
        return u.UnitType == 3;
    case UnitCounter::Turn:
        return reinforcementForm_;
    case UnitCounter::Rating:
    case UnitCounter::Range:
        return u.WingLeader != 0;
    default:
        return true;
    }
}

bool UnitEditorLogic::Flag(UnitFlag flag) const {
    return HasUnit() && Unit().*FieldOf(flag) != 0;
}

std::string UnitEditorLogic::CombatText() const {
    return "Combat: " + (HasUnit() ? std::to_string(CombatStrength(scenario_, tables_, unit_)) : "--");
}

std::string UnitEditorLogic::MissileText() const {
    return "Missile: " + (HasUnit() ? std::to_string(FirePower(scenario_, tables_, unit_)) : "--");
}

std::string UnitEditorLogic::DefenseText() const {
    return "Defense: " + (HasUnit() ? std::to_string(DefenceRating(scenario_, tables_, unit_)) + "%" : "--");
}

std::string UnitEditorLogic::WeightText() const {
    return "Wgt: " + (HasUnit() ? std::string(WeightClass(scenario_, tables_, unit_)) : "--");
}

std::string UnitEditorLogic::WingPlaceText() const {
    if (!HasUnit()) return {};
    const UnitRecord& u = Unit();
    int32_t place = 0, members = 0;
    for (int32_t k = 1; k <= scenario_.UnitCount; ++k) {
        const UnitRecord& other = scenario_.Units[size_t(k)];
        if (other.Side != u.Side || other.Wing != u.Wing) continue;
        ++members;
        if (k == unit_) place = members;
    }
    const std::string wing =
        u.Wing >= 0 && u.Wing < scenario_.WingCount ? scenario_.WingNames[size_t(u.Wing)].Str() : "?";
    return "Unit " + std::to_string(place) + " of " + std::to_string(members) + " in " + wing;
}

std::string UnitEditorLogic::LedByText() const {
    if (!HasUnit()) return {};
    const int32_t leader = CommandingLeader(scenario_, unit_);
    return "Led by: " + (leader != 0 ? scenario_.Units[size_t(leader)].Name.Str() : std::string("none"));
}

} // namespace k2
