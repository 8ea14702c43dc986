#include "forces/force_roster_logic.h"

#include "forces/unit_ratings.h"

#include <algorithm>
#include <limits>

namespace k2 {

namespace {

std::string Num(int32_t v) {
    return std::to_string(v);
}

// The key of a "-" cell in a numeric column: below every number.
constexpr int64_t DashKey = std::numeric_limits<int64_t>::min();

// A number cell and its key.
void AddNumber(RosterRow& row, int32_t value) {
    row.Cells.push_back(Num(value));
    row.Keys.push_back({value, {}});
}
void AddText(RosterRow& row, std::string text, std::string key) {
    row.Cells.push_back(std::move(text));
    row.Keys.push_back({0, std::move(key)});
}
void Add(RosterRow& row, std::string text, int64_t number, std::string key = {}) {
    row.Cells.push_back(std::move(text));
    row.Keys.push_back({number, std::move(key)});
}

int32_t UnitsInTable(const Scenario& scenario) {
    return std::clamp(scenario.UnitCount, 0, MaxUnits);
}

std::string WingName(const Scenario& scenario, int32_t wing) {
    return wing >= 0 && wing < scenario.WingCount && wing < MaxWings
               ? scenario.WingNames[static_cast<std::size_t>(wing)].Str()
               : std::string();
}

std::string ForceName(const Scenario& scenario, int32_t side) {
    return side == SideWestern ? scenario.WesternName.Str() : scenario.EasternName.Str();
}

bool Listed(const UnitRecord& u, RosterKind kind, int32_t side) {
    return u.Side == side && (kind == RosterKind::OrderOfBattle || u.ActivationTurn >= 2);
}

RosterRow MakeRow(const Scenario& scenario, const EquipmentTables& tables, RosterKind kind, int32_t unit) {
    const UnitRecord& u = scenario.Units[static_cast<std::size_t>(unit)];
    const bool leader = u.WingLeader != 0;
    const bool ob = kind == RosterKind::OrderOfBattle;
    RosterRow row;
    row.Unit = unit;

    // Leaders stand out in the order of battle: every other unit is indented.
    AddText(row, (ob && !leader ? "     " : "") + u.Name.Str(), u.Name.Str());
    if (!ob) AddNumber(row, u.ActivationTurn);
    const std::string type = UnitTypeText(scenario, tables, unit, kind);
    AddText(row, type, type);
    Add(row, std::string(tables.Class(u.Class).name), u.Class);
    AddNumber(row, u.Men);
    AddNumber(row, u.Morale);
    AddNumber(row, CombatStrength(scenario, tables, unit));
    const int32_t defence = DefenceRating(scenario, tables, unit);
    Add(row, Num(defence) + "%", defence);
    AddNumber(row, FirePower(scenario, tables, unit));
    AddNumber(row, u.MissileAmmo);
    AddNumber(row, u.Value);
    // The wing number orders the groups as the unit list does.
    Add(row, WingName(scenario, u.Wing), u.Wing);

    std::string leaderName = "None";
    if (ob) {
        if (const int32_t l = CommandingLeader(scenario, unit); l != 0)
            leaderName = scenario.Units[static_cast<std::size_t>(l)].Name.Str();
    } else if (leader) {
        leaderName = u.Name.Str();
    }
    AddText(row, leaderName, leaderName == "None" ? std::string() : leaderName);

    if (leader)
        Add(row, Num(u.CommandRating) + "/" + Num(u.CommandRange),
            int64_t(u.CommandRating) * 0x100000000LL + (int64_t(u.CommandRange) - INT32_MIN));
    else
        Add(row, "-", DashKey);
    if (u.UnitType == 3)
        AddNumber(row, u.SupplyLevel);
    else
        Add(row, "-", DashKey);
    if (ob) Add(row, HexLabel(scenario, u.Hex), scenario.IsValidHex(u.Hex) ? u.Hex : DashKey);
    return row;
}

} // namespace

const RosterRefusal& RefusalFor(RosterKind kind) {
    return kind == RosterKind::OrderOfBattle ? NoUnitsRefusal : NoReinforcementsRefusal;
}

bool SideHasUnits(const Scenario& scenario, int32_t side) {
    for (int32_t u = 1; u <= UnitsInTable(scenario); ++u)
        if (scenario.Units[static_cast<std::size_t>(u)].Side == side) return true;
    return false;
}

bool SideHasReinforcements(const Scenario& scenario, int32_t side) {
    for (int32_t u = 1; u <= UnitsInTable(scenario); ++u) {
        const UnitRecord& unit = scenario.Units[static_cast<std::size_t>(u)];
        if (unit.Side == side && unit.ActivationTurn > 1) return true;
    }
    return false;
}

bool CanShowRoster(const Scenario& scenario, RosterKind kind, int32_t side) {
    return kind == RosterKind::OrderOfBattle ? SideHasUnits(scenario, side)
                                             : SideHasReinforcements(scenario, side);
}

std::string UnitTypeText(const Scenario& scenario, const EquipmentTables& tables, int32_t unit,
                         RosterKind kind) {
    if (unit < 1 || unit > UnitsInTable(scenario)) return {};
    const UnitRecord& u = scenario.Units[static_cast<std::size_t>(unit)];
    if (u.WingLeader != 0) return "Leader";
    if (u.MissileWeapon != 0) {
        if (kind == RosterKind::OrderOfBattle && IsGun(scenario, tables, unit)) return "Arty";
        return "Missile";
    }
    switch (u.UnitType) {
    case 1:
        return "Infantry";
    case 2:
        return "Cavalry";
    case 3:
        return "Supply";
    default:
        return {};
    }
}

std::string HexLabel(const Scenario& scenario, int32_t hex) {
    return scenario.HexNumber(hex);
}

RosterGrid BuildRoster(const Scenario& scenario, const EquipmentTables& tables, RosterKind kind,
                       int32_t side) {
    RosterGrid g;
    GridTable& t = g.Table;
    if (kind == RosterKind::OrderOfBattle) {
        t.Title = ForceName(scenario, side) + " Order of Battle ";
        t.Headers = {"Unit", "Type",  "Class", "Men",    "Morale",  "Combat",     "Defense", "Missile",
                     "Ammo", "Value", "Group", "Leader", "Rtg/Rng", "Supply Lvl", "Hex"};
        t.Widths = {115, 50, 50, 30, 40, 45, 45, 40, 35, 35, 115, 115, 45, 55, 40};
    } else {
        t.Title = ForceName(scenario, side) + " Reinforcement Schedule";
        t.Headers = {"Unit",    "Arrival", "Type",  "Class", "Men",    "Morale",  "Combat",    "Defense",
                     "Missile", "Ammo",    "Value", "Group", "Leader", "Rtg/Rng", "Supply Lvl"};
        t.Widths = {115, 60, 50, 50, 30, 40, 40, 45, 40, 35, 35, 115, 115, 50, 60};
    }
    for (int32_t u = 1; u <= UnitsInTable(scenario); ++u) {
        if (!Listed(scenario.Units[static_cast<std::size_t>(u)], kind, side)) continue;
        g.Rows.push_back(MakeRow(scenario, tables, kind, u));
        t.Rows.push_back(g.Rows.back().Cells);
    }
    return g;
}

ForceRosterLogic::ForceRosterLogic(RosterKind kind, Scenario& scenario, const EquipmentTables& tables,
                                   MessageBoxes& boxes, SoundPlayer& sounds)
    : kind_(kind), scenario_(scenario), tables_(tables), boxes_(boxes), sounds_(sounds) {}

bool ForceRosterLogic::Open(int32_t side, const std::function<void()>& sortUnits) {
    if (!CanShowRoster(scenario_, kind_, side)) {
        boxes_.Ask(LayoutOk, RefusalFor(kind_).Kind);
        return false;
    }
    if (kind_ == RosterKind::OrderOfBattle) {
        if (sortUnits)
            sortUnits();
        else
            SortUnits(scenario_, tables_);
    }
    side_ = side;
    sortColumn_ = -1;
    sortDirection_ = SortDirection::None;
    Rebuild();
    selected_ = order_.empty() ? -1 : 0;
    return true;
}

void ForceRosterLogic::Refresh() {
    Rebuild();
    if (order_.empty())
        selected_ = -1;
    else
        selected_ = std::clamp(selected_, 0, RowCount() - 1);
}

void ForceRosterLogic::Rebuild() {
    grid_ = BuildRoster(scenario_, tables_, kind_, side_);
    std::vector<std::vector<SortKey>> keys;
    keys.reserve(grid_.Rows.size());
    for (const RosterRow& row : grid_.Rows)
        keys.push_back(row.Keys);
    order_ = DisplayOrder(keys, sortColumn_, sortDirection_);
}

void ForceRosterLogic::ClickRow(int32_t row) {
    if (row < 0 || row >= RowCount()) return;
    selected_ = row;
    if (kind_ == RosterKind::OrderOfBattle) sounds_.Play(SoundAccept, 1);
}

int32_t ForceRosterLogic::DoubleClickRow(int32_t row) {
    if (row < 0 || row >= RowCount()) return 0;
    selected_ = row;
    return UnitAt(row);
}

void ForceRosterLogic::ClickHeader(int32_t column) {
    if (column < 0 || column >= static_cast<int32_t>(Headers().size())) return;
    if (column != sortColumn_) {
        sortColumn_ = column;
        sortDirection_ = SortDirection::Ascending;
    } else if (sortDirection_ == SortDirection::Ascending) {
        sortDirection_ = SortDirection::Descending;
    } else {
        sortColumn_ = -1;
        sortDirection_ = SortDirection::None;
    }
    // The selection follows its unit to the row where it now stands.
    const int32_t unit = UnitAt(selected_);
    Rebuild();
    for (int32_t r = 0; r < RowCount(); ++r)
        if (UnitAt(r) == unit) selected_ = r;
}

int32_t ForceRosterLogic::Close() {
    if (kind_ == RosterKind::Schedule) sounds_.Play(SoundAccept, 1);
    return RosterClosed;
}

std::string ForceRosterLogic::CopyText() const {
    return TabSeparated(Headers(), grid_.Table.Rows, order_);
}

const std::vector<std::string>& ForceRosterLogic::Cells(int32_t row) const {
    static const std::vector<std::string> None;
    if (row < 0 || row >= RowCount()) return None;
    return grid_.Rows[static_cast<std::size_t>(order_[static_cast<std::size_t>(row)])].Cells;
}

int32_t ForceRosterLogic::UnitAt(int32_t row) const {
    if (row < 0 || row >= RowCount()) return 0;
    return grid_.Rows[static_cast<std::size_t>(order_[static_cast<std::size_t>(row)])].Unit;
}

} // namespace k2
