#include "stockgen/sample_battles.h"

#include "core/battle_file.h"
#include "core/file_lookup.h"
#include "core/hex_grid.h"
#include "core/legacy_battle_writer.h"
#include "core/scenario.h"
#include "core/terrain_defs.h"
#include "stockgen/sample_map_painter.h"
#include "stockgen/stock_catalogue.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace k2stock {

namespace {

using namespace k2;
using namespace samples;
namespace fs = std::filesystem;

class SeededSource : public RandomSource {
  public:
    explicit SeededSource(Rng& rng) : rng_(rng) {}
    uint32_t Next() override { return rng_.Next() & 0x7fffffffu; }

  private:
    Rng& rng_;
};

struct UnitKind {
    const char* name;
    int32_t symbol;
    int32_t type; // 1 Foot, 2 Horse, 3 Supply
    int32_t cls;
    int32_t combat, missile, armour, shield;
    int32_t menLo, menHi;
    bool stakes = false;
    bool ferocious = false;
};

constexpr int32_t Foot = 1, Horse = 2, Supply = 3;

const UnitKind Spearmen{"Spearmen",    unit::Spearmen, Foot,          1,  combat::Spear,
                        missile::None, armour::Padded, shield::Round, 30, 50};
const UnitKind Pikemen{"Pikemen",     unit::Pikemen,   Foot,         2,  combat::Pike,
                       missile::None, armour::Leather, shield::None, 35, 50};
const UnitKind Swordsmen{"Swordsmen",   unit::Swordsmen, Foot,           2,  combat::Sword,
                         missile::None, armour::Mail,    shield::Heater, 25, 45};
const UnitKind Billmen{"Billmen",     unit::Billmen,      Foot,         1,  combat::Bill,
                       missile::None, armour::Brigandine, shield::None, 30, 50};
const UnitKind Axemen{"Axemen",        unit::Axemen,  Foot, 2,  combat::Axe, missile::None,
                      armour::Leather, shield::Round, 25,   45, false,       true};
const UnitKind Halberdiers{"Halberdiers", unit::Halberdiers, Foot,         3,  combat::Halberd,
                           missile::None, armour::Mail,      shield::None, 25, 40};
const UnitKind Levy{"Levy",        unit::Levy,     Foot,         0,  combat::Club,
                    missile::None, armour::Padded, shield::None, 40, 50};
const UnitKind DismountedKnights{
    "Dismounted Knights", unit::DismountedKnights, Foot,           4,  combat::BastardSword,
    missile::None,        armour::HalfPlate,       shield::Heater, 15, 30};
const UnitKind Bowmen{"Bowmen",          unit::Bowmen,   Foot,         1,  combat::Dagger,
                      missile::ShortBow, armour::Padded, shield::None, 30, 50};
const UnitKind Longbowmen{"Longbowmen",    unit::Longbowmen, Foot, 2,  combat::Sword, missile::Longbow,
                          armour::Leather, shield::None,     30,   50, true};
const UnitKind Crossbowmen{"Crossbowmen",     unit::Crossbowmen, Foot,           2,  combat::Dagger,
                           missile::Crossbow, armour::Padded,    shield::Pavise, 25, 45};
const UnitKind Handgunners{"Handgunners",    unit::Handgunners, Foot,         1,  combat::Dagger,
                           missile::Handgun, armour::Leather,   shield::None, 20, 35};
const UnitKind Slingers{"Slingers",     unit::Slingers, Foot,         0,  combat::Club,
                        missile::Sling, armour::None,   shield::None, 30, 50};
const UnitKind Javelinmen{"Javelinmen",   unit::Javelinmen, Foot, 1, combat::Spear, missile::Javelins,
                          armour::Padded, shield::Buckler,  25,   45};
const UnitKind Knights{"Knights",     unit::Knights,           Horse,          4,  combat::Lance,
                       missile::None, armour::PlateAndBarding, shield::Heater, 15, 30};
const UnitKind MenAtArms{"Men-at-Arms", unit::MenAtArms,      Horse,        3,  combat::Sword,
                         missile::None, armour::MailAndPlate, shield::Kite, 20, 35};
const UnitKind LightHorse{"Light Horse", unit::LightHorse, Horse,         1,  combat::Spear,
                          missile::None, armour::Leather,  shield::Round, 20, 40};
const UnitKind HorseArchers{"Horse Archers",       unit::HorseArchers, Horse,        2,  combat::Sword,
                            missile::CompositeBow, armour::Leather,    shield::None, 20, 35};
const UnitKind MountedCrossbow{"Mounted Crossbow", unit::MountedCrossbowmen, Horse,        2,  combat::Dagger,
                               missile::Crossbow,  armour::Padded,           shield::None, 20, 30};
const UnitKind LightGun{"Light Gun",       unit::LightGun, Foot,         2,  combat::Dagger,
                        missile::LightGun, armour::None,   shield::None, 10, 25};
const UnitKind MediumGun{"Culverin",         unit::MediumGun, Foot,         2,  combat::Dagger,
                         missile::MediumGun, armour::None,    shield::None, 15, 30};
const UnitKind HeavyGun{"Bombard",         unit::HeavyGun, Foot,         3,  combat::Dagger,
                        missile::HeavyGun, armour::None,   shield::None, 20, 40};
const UnitKind Wagons{"Supply Wagons", unit::SupplyWagon, Supply,       0,  combat::Unarmed,
                      missile::None,   armour::None,      shield::None, 10, 20};
const UnitKind Baggage{"Baggage Train", unit::BaggageTrain, Supply,       0,  combat::Unarmed,
                       missile::None,   armour::None,       shield::None, 10, 20};

constexpr std::array<int32_t, 6> ClassMorale = {50, 70, 80, 90, 100, 120};

// One force in the making: its wings with their leaders and troops.
struct WingPlan {
    std::string name;
    std::string leader;
    bool mountedLeader;
    std::vector<const UnitKind*> troops;
    int32_t centre; // hex around which the wing deploys
    int32_t activationTurn = 1;
};

class ArmyBuilder {
  public:
    // The wings are this army's own: the "Main" wing of a new battle gives way to them.
    ArmyBuilder(Scenario& s, Painter& p, Rng& rng) : s_(s), p_(p), rng_(rng) {
        for (auto& name : s_.WingNames)
            name.Clear();
        s_.WingCount = 0;
    }

    int32_t AddWing(const std::string& name) {
        s_.WingNames[s_.WingCount] = name;
        return s_.WingCount++;
    }

    bool FreeForUnit(int32_t h, bool reinforcement) const {
        if (!s_.IsValidHex(h) || s_.IsBorderHex(h)) return false;
        const HexCell& c = s_.Hexes[h];
        if (c.Unit != 0 || (reinforcement != (c.ReinforcementMarker != 0))) return false;
        return HexCostPerMove(s_, h) != 0;
    }

    // The free hex nearest to `centre` in a battle line: a line runs north-south, a few
    // columns deep, so a step sideways counts as much as four steps along it. -1 if none.
    int32_t NearestFree(int32_t centre, bool reinforcement, int32_t maxRadius) {
        auto [row, col] = s_.HexRowCol(centre);
        int32_t best = -1, bestCost = 0;
        for (int32_t r = row - 4 * maxRadius; r <= row + 4 * maxRadius; ++r) {
            for (int32_t c = col - maxRadius; c <= col + maxRadius; ++c) {
                if (!p_.Inner(r, c)) continue;
                const int32_t h = p_.Index(r, c);
                const int32_t cost = 4 * std::abs(c - col) + std::abs(r - row);
                if ((best < 0 || cost < bestCost) && FreeForUnit(h, reinforcement)) {
                    best = h;
                    bestCost = cost;
                }
            }
        }
        return best;
    }

    int32_t Place(const UnitKind& kind, int32_t side, int32_t wing, int32_t hex, int32_t turn,
                  const std::string& name, bool leader) {
        if (s_.UnitCount >= MaxUnits || hex < 0) return 0;
        const int32_t k = ++s_.UnitCount;
        UnitRecord& u = s_.Units[k];
        u.Name = name;
        u.Symbol = side == SideWestern ? unit::Western(kind.symbol) : unit::Eastern(kind.symbol);
        u.ActivationTurn = turn;
        u.Side = side;
        u.Hex = hex;
        u.UnitType = kind.type;
        u.Class = kind.cls;
        u.Morale = std::min(125, ClassMorale[kind.cls] + rng_.Range(-5, 5));
        u.CombatWeapon = kind.combat;
        u.MissileWeapon = kind.missile;
        u.MissileAmmo = kind.missile != missile::None ? 3 : 0;
        u.Armour = kind.armour;
        u.Shield = kind.shield;
        const bool gun = kind.missile >= missile::LightGun;
        u.Men = gun ? rng_.Range(kind.menLo / 5, kind.menHi / 5) * 5 : rng_.Range(kind.menLo, kind.menHi);
        u.MovementPoints = kind.type == Horse ? 10 : kind.type == Supply ? 4 : 6;
        if (kind.missile == missile::MediumGun) u.MovementPoints = 4;
        if (kind.missile == missile::HeavyGun || kind.missile == missile::Mortar) u.MovementPoints = 1;
        u.Wing = wing;
        u.SupplyLevel = kind.type == Supply ? 20 : 0;
        u.Value = std::min(25, kind.type == Supply  ? u.SupplyLevel
                               : kind.type == Horse ? u.Men / 5
                                                    : u.Men / 10);
        u.HasStakes = kind.stakes ? 1 : 0;
        u.FerociousAttack = kind.ferocious ? 1 : 0;
        u.StartsDisrupted = 0;
        if (leader) {
            u.WingLeader = 1;
            u.CommandRange = rng_.Range(4, 7);
            u.CommandRating = rng_.Range(-1, 4);
            u.Value = 10;
        }
        s_.Hexes[hex].Unit = k;
        if (turn > 1)
            s_.Hexes[hex].ReinforcementMarker =
                s_.MarkerSymbols[side == SideWestern ? MarkerWesternReinforcement
                                                     : MarkerEasternReinforcement];
        return k;
    }

    // Deploys a wing: the leader at its centre, the troops around it nearest first.
    void Deploy(const WingPlan& plan, int32_t side, int32_t radius) {
        const int32_t wing = AddWing(plan.name);
        const bool reinforcement = plan.activationTurn > 1;
        const UnitKind leaderKind = plan.mountedLeader ? UnitKind{"",
                                                                  unit::MountedLeader,
                                                                  Horse,
                                                                  4,
                                                                  combat::Sword,
                                                                  missile::None,
                                                                  armour::FullPlate,
                                                                  shield::Heater,
                                                                  10,
                                                                  20}
                                                       : UnitKind{"",
                                                                  unit::FootLeader,
                                                                  Foot,
                                                                  3,
                                                                  combat::Sword,
                                                                  missile::None,
                                                                  armour::HalfPlate,
                                                                  shield::Heater,
                                                                  10,
                                                                  20};
        auto hexFor = [&]() {
            if (!reinforcement) return NearestFree(plan.centre, false, radius);
            // Reinforcements wait on marked hexes at the rear edge: mark the next one.
            int32_t h = NearestFreeForMarker(plan.centre, radius);
            if (h >= 0)
                s_.Hexes[h].ReinforcementMarker =
                    s_.MarkerSymbols[side == SideWestern ? MarkerWesternReinforcement
                                                         : MarkerEasternReinforcement];
            return h;
        };
        const int32_t leader =
            Place(leaderKind, side, wing, hexFor(), plan.activationTurn, plan.leader, true);
        std::array<int32_t, 64> counters{};
        int32_t i = 0;
        int32_t reach = 0;
        for (const UnitKind* kind : plan.troops) {
            const int32_t n = ++counters[(kind->symbol / 2) % 64];
            const int32_t turn = reinforcement ? plan.activationTurn + (i++ % 3) : 1;
            const int32_t k = Place(*kind, side, wing, hexFor(), turn,
                                    std::string(kind->name) + " " + std::to_string(n), false);
            if (k != 0 && leader != 0)
                reach = std::max(reach,
                                 HexGrid{s_.Cols, s_.Rows}.Distance(s_.Units[leader].Hex, s_.Units[k].Hex));
        }
        // A wing that deploys at the start stands within its leader's command.
        if (leader != 0 && !reinforcement)
            s_.Units[leader].CommandRange = std::max(s_.Units[leader].CommandRange, reach);
    }

    int32_t NearestFreeForMarker(int32_t centre, int32_t maxRadius) {
        for (int32_t radius = 0; radius <= maxRadius; ++radius) {
            int32_t found = -1;
            p_.Around(centre, radius, [&](int32_t h, int32_t d) {
                if (found < 0 && d == radius && s_.Hexes[h].Unit == 0 &&
                    s_.Hexes[h].ReinforcementMarker == 0 && HexCostPerMove(s_, h) != 0)
                    found = h;
            });
            if (found >= 0) return found;
        }
        return -1;
    }

    // Longbowmen on the field at the start have planted their stakes, each in its own hex with
    // its side's symbol, as the editor's stakes tool plants them.
    void PlantStakes() {
        for (int32_t k = 1; k <= s_.UnitCount; ++k) {
            const UnitRecord& u = s_.Units[k];
            if (!u.HasStakes || u.ActivationTurn != 1) continue;
            const bool west = u.Side == SideWestern;
            s_.Hexes[u.Hex].Stakes = s_.MarkerSymbols[MarkerStakes] + (west ? 0 : 1);
        }
    }

  private:
    Scenario& s_;
    Painter& p_;
    Rng& rng_;
};

void AddStructure(Scenario& s, int32_t hex, int32_t symbol, const std::string& name, int32_t side,
                  int32_t defense, int32_t height, int32_t supply) {
    if (s.StructureCount >= MaxStructures || !s.IsValidHex(hex) || s.Hexes[hex].Structure != 0) return;
    const int32_t k = ++s.StructureCount;
    StructureRecord& r = s.Structures[k];
    r.Name = name;
    r.Symbol = symbol;
    r.Side = side;
    r.SupplyLevel = supply;
    r.Hex = hex;
    r.Capacity = 1;
    r.DefenseMod = defense;
    r.Height = height;
    s.Hexes[hex].Structure = k;
}

void AddMapText(Scenario& s, int32_t hex, const std::string& text, const char* font, uint32_t colour,
                uint8_t placement, uint8_t bold) {
    if (s.MapTextCount >= MaxMapTexts || !s.IsValidHex(hex) || s.Hexes[hex].MapText != 0) return;
    const int32_t k = ++s.MapTextCount;
    PlaceName& m = s.MapTexts[k];
    m.Hex = hex;
    m.Text = text;
    m.FontName = font;
    m.Colour = colour;
    m.Size = {8, 12, 16};
    m.Placement = {placement, placement, placement};
    m.Style = uint8_t(9 + bold);
    s.Hexes[hex].MapText = k;
}

void SetObjective(Scenario& s, int32_t hex, const std::string& name, int32_t points) {
    s.ObjectiveCount = 1;
    s.Objectives[1].Hex = hex;
    s.Objectives[1].Name = name;
    s.Objectives[1].ObjectiveKind = 1;
    s.Objectives[1].VictoryPoints = points;
    s.Hexes[hex].Objective = 1;
}

constexpr uint32_t Black = 0x000000, Maroon = 0x000080, Navy = 0x800000, Green = 0x008000;

// A new battle of the given size with the stock settings, terrain laid as a new map.
std::unique_ptr<Scenario> NewBattle(int32_t cols, int32_t rows, Rng& rng, const fs::path& defFile,
                                    std::string& error) {
    auto s = std::make_unique<Scenario>();
    s->Cols = cols;
    s->Rows = rows;
    SeededSource source(rng);
    Status st = InitNewBattle(*s, source, defFile);
    if (!st || !st.warnings.empty()) {
        error = st.ok ? st.warnings.front() : st.message;
        return nullptr;
    }
    s->ViewSaved = 1;
    s->ViewOriginHex = 0;
    s->ZoomLevel = 1;
    return s;
}

void Describe(Scenario& s, const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size() && i < std::size_t(DescriptionLineCount); ++i)
        s.Description[i] = lines[i];
}

// A village on the road: houses around a church or village structure, orchards outside.
void PaintVillage(Painter& p, Scenario& s, Rng& rng, int32_t centre, const std::string& name, int32_t side,
                  const char* font) {
    p.Around(centre, 2, [&](int32_t h, int32_t d) {
        if (d == 0) return;
        const HexCell& c = p.Cell(h);
        if (c.PrimaryTerrain == ter::Water || p.HasSecondary(h, ter::Ford)) return;
        if (d == 1 && rng.Chance(65)) {
            p.SetPrimary(h, ter::OpenGround);
            p.AddSecondary(h, rng.Chance(60) ? ter::Hamlet : ter::Farmstead);
        } else if (d == 2 && !p.HasAnySecondary(h) && rng.Chance(30)) {
            p.AddSecondary(h, ter::Orchard);
        }
    });
    AddStructure(s, centre, rng.Chance(50) ? ter::Village : ter::Church, name, side, 2, 2, 10);
    AddMapText(s, centre, name, font, Black, 1, 16);
}

WingPlan Wing(const std::string& name, const std::string& leader, bool mounted,
              std::vector<const UnitKind*> troops, int32_t centre, int32_t turn = 1) {
    return WingPlan{name, leader, mounted, std::move(troops), centre, turn};
}

std::vector<const UnitKind*> Repeat(std::initializer_list<std::pair<const UnitKind*, int>> parts) {
    std::vector<const UnitKind*> out;
    for (auto [kind, n] : parts)
        for (int i = 0; i < n; ++i)
            out.push_back(kind);
    return out;
}

std::unique_ptr<Scenario> BorderSkirmish(const fs::path& defFile, std::string& error) {
    Rng rng(20250611);
    auto s = NewBattle(40, 30, rng, defFile, error);
    if (!s) return nullptr;
    s->BattleName = "Border Skirmish";
    s->BattleIcon = "bow";
    s->MaxTurns = 25;
    s->StartInitiative = SideWestern;
    s->Weather = 1;
    s->WesternName = "Marcher Lords";
    s->EasternName = "Hill Clans";
    Describe(*s, {"A raiding band of the Hill Clans has crossed the Brenn at the old ford.",
                  "The Marcher Lords ride out to throw them back before the harvest is lost.", "",
                  "Hold Ashby and the ford to win the day."});
    Painter p(*s, rng);
    PaintHill(p, p.Index(8, 8), 3);
    PaintHill(p, p.Index(21, 31), 3);
    PaintWoods(p, rng, p.Index(23, 9), 3);
    PaintWoods(p, rng, p.Index(6, 30), 2);
    auto river = PaintRiver(p, *s, 22, 20, 35);
    auto road = PaintRoad(p, *s, 15, 13, 20, river, true);
    PaintFields(p, rng, p.Index(10, 16), 2, true);
    PaintFields(p, rng, p.Index(19, 26), 2, true);
    const int32_t village = road[road.size() / 3];
    PaintVillage(p, *s, rng, village, "Ashby", SideWestern, "Galant");
    AddMapText(*s, river[river.size() / 4], "River Brenn", "Viking", Navy, 8, 0);
    AddMapText(*s, p.Index(8, 8), "Gallows Hill", "Kelt", Maroon, 2, 0);
    AddMapText(*s, p.Index(23, 9), "Hob Wood", "Arial", Green, 1, 0);
    for (std::size_t i = 0; i < road.size(); ++i)
        if (p.HasSecondary(road[i], ter::Ford)) SetObjective(*s, road[i], "Brenn Ford", 50);
    if (s->ObjectiveCount == 0) SetObjective(*s, village, "Ashby", 50);
    AddStructure(*s, road[road.size() * 4 / 5], ter::Palisade, "Clan Stockade", SideEastern, 3, 1, 5);
    AddStructure(*s, p.Index(8, 8), ter::Tower, "Gallows Tower", SideWestern, 4, 5, 5);
    AddStructure(*s, p.Index(19, 26), ter::Farm, "Brenn Farm", SideEastern, 1, 1, 10);
    AddStructure(*s, p.Index(10, 16), ter::Windmill, "Ashby Mill", SideWestern, 1, 3, 0);

    ArmyBuilder army(*s, p, rng);
    army.Deploy(Wing("Marcher Foot", "Sir Aldric", false,
                     Repeat({{&Longbowmen, 3}, {&Billmen, 3}, {&Spearmen, 2}}), p.Index(14, 9)),
                SideWestern, 6);
    army.Deploy(Wing("Marcher Horse", "Lord Hewitt", true, Repeat({{&MenAtArms, 2}, {&LightHorse, 2}}),
                     p.Index(7, 11)),
                SideWestern, 5);
    army.Deploy(
        Wing("Marcher Relief", "Sir Osric", true, Repeat({{&Knights, 2}, {&Wagons, 1}}), p.Index(4, 1), 4),
        SideWestern, 6);
    army.Deploy(Wing("Clan Warband", "Dunmail", false,
                     Repeat({{&Axemen, 4}, {&Javelinmen, 2}, {&Slingers, 2}, {&Levy, 2}}), p.Index(14, 30)),
                SideEastern, 6);
    army.Deploy(Wing("Clan Riders", "Owain the Red", true, Repeat({{&LightHorse, 2}, {&HorseArchers, 2}}),
                     p.Index(22, 27)),
                SideEastern, 5);
    army.Deploy(
        Wing("Clan Stragglers", "Cadoc", false, Repeat({{&Axemen, 2}, {&Baggage, 1}}), p.Index(26, 38), 6),
        SideEastern, 6);
    army.PlantStakes();
    // Caltrops strewn before the Marcher line.
    for (int32_t r = 11; r <= 17; r += 2) {
        const int32_t h = p.Index(r, 13);
        if (s->Hexes[h].Unit == 0) s->Hexes[h].Caltrops = s->MarkerSymbols[MarkerCaltrops];
    }
    return s;
}

std::unique_ptr<Scenario> GreatField(const fs::path& defFile, std::string& error) {
    Rng rng(16011415);
    auto s = NewBattle(150, 150, rng, defFile, error);
    if (!s) return nullptr;
    s->BattleName = "Battle of the Great Field";
    s->BattleIcon = "crown";
    s->MaxTurns = 60;
    s->StartInitiative = SideEastern;
    s->Weather = 0;
    s->WesternBreakPoint = 40;
    s->EasternBreakPoint = 35;
    s->WesternName = "Kingdom of Aldmark";
    s->EasternName = "Duchy of Vessen";
    Describe(*s, {"Two crowns meet on the Great Field between the Tamber and the Vessen hills.",
                  "The King holds the western ridge; the Duke has brought his guns across the Tamber.",
                  "Reinforcements are on the roads from Kingsford and from the eastern passes.", "",
                  "Whoever holds the Crossroads at Midfield when the sun sets holds the realm."});
    Painter p(*s, rng);
    // Ridges and hills.
    for (auto [r, c, rad] : std::initializer_list<std::array<int32_t, 3>>{
             {30, 30, 6}, {70, 22, 7}, {115, 35, 5}, {25, 120, 6}, {80, 128, 7}, {125, 110, 5}, {55, 75, 3}})
        PaintHill(p, p.Index(r, c), rad);
    PaintLake(p, rng, p.Index(125, 70), 4);
    PaintLake(p, rng, p.Index(15, 80), 2);
    for (auto [r, c, rad] : std::initializer_list<std::array<int32_t, 3>>{{12, 45, 6},
                                                                          {100, 15, 7},
                                                                          {140, 40, 5},
                                                                          {45, 105, 5},
                                                                          {110, 140, 6},
                                                                          {95, 85, 4},
                                                                          {60, 50, 3},
                                                                          {135, 130, 4}})
        PaintWoods(p, rng, p.Index(r, c), rad);
    auto river = PaintRiver(p, *s, 95, 92, 40);
    auto streamPath = p.Path(p.Index(1, 60), river[river.size() / 3], 30);
    if (streamPath.size() > 2) {
        streamPath.pop_back(); // it joins the river's hex from the side
        p.Route(streamPath, &ter::Stream, ter::North,
                p.SideTowards(streamPath.back(), river[river.size() / 3]));
    }
    auto road = PaintRoad(p, *s, 75, 70, 6, river, false);
    auto northRoad = PaintRoad(p, *s, 40, 35, 10, river, false);
    // A track from the main road down to the southern villages.
    auto track = p.Path(road[road.size() / 2], p.Index(140, 75), 30);
    p.Route(std::vector<int32_t>(track.begin() + 1, track.end()), &ter::Track,
            p.SideTowards(track[1], track[0]), ter::South);
    for (auto [r, c, rad] : std::initializer_list<std::array<int32_t, 3>>{{60, 40, 3},
                                                                          {85, 45, 4},
                                                                          {50, 140, 3},
                                                                          {90, 110, 4},
                                                                          {105, 60, 3},
                                                                          {30, 95, 3},
                                                                          {65, 100, 3},
                                                                          {120, 90, 3}})
        PaintFields(p, rng, p.Index(r, c), rad, true);
    // The countryside between the named places: copses, rough ground and more fields.
    for (int i = 0; i < 30; ++i) {
        const int32_t h = p.Index(rng.Range(4, 145), rng.Range(4, 145));
        switch (i % 3) {
        case 0:
            PaintWoods(p, rng, h, rng.Range(1, 3));
            break;
        case 1:
            PaintFields(p, rng, h, rng.Range(2, 4), true);
            break;
        default:
            p.Around(h, rng.Range(1, 3), [&](int32_t x, int32_t) {
                static constexpr std::array<int32_t, 4> rough = {ter::RoughGround, ter::RoughGroundB,
                                                                 ter::RoughGroundC, ter::RoughGroundD};
                if (p.Cell(x).PrimaryTerrain != ter::Water && !p.HasAnySecondary(x))
                    p.SetPrimary(x, rng.Pick(rough));
                if (rng.Chance(10)) p.AddSecondary(x, rng.Chance(50) ? ter::Boulders : ter::LoneTree);
            });
        }
    }
    const int32_t midfield = road[road.size() / 2];
    PaintVillage(p, *s, rng, midfield, "Midfield", SideWestern, "Galant");
    PaintVillage(p, *s, rng, road[road.size() / 6], "Kingsford", SideWestern, "Galant");
    PaintVillage(p, *s, rng, road[road.size() * 5 / 6], "Vessenburg", SideEastern, "Galant");
    PaintVillage(p, *s, rng, northRoad[northRoad.size() / 3], "Oldcote", SideWestern, "Galant");
    PaintVillage(p, *s, rng, track[track.size() * 2 / 3], "Southwick", SideEastern, "Galant");
    SetObjective(*s, midfield, "Crossroads at Midfield", 75);
    AddStructure(*s, p.Index(30, 30), ter::Castle, "Aldmark Castle", SideWestern, 6, 8, 60);
    AddStructure(*s, p.Index(80, 128), ter::Keep, "Vessen Keep", SideEastern, 5, 6, 40);
    AddStructure(*s, p.Index(70, 22), ter::Windmill, "Ridge Mill", SideWestern, 1, 3, 0);
    AddStructure(*s, p.Index(25, 120), ter::Abbey, "St Wendel's Abbey", SideEastern, 3, 4, 20);
    AddStructure(*s, p.Index(115, 35), ter::Tower, "Watch Tower", SideWestern, 4, 6, 5);
    AddStructure(*s, p.Index(125, 110), ter::Camp, "Ducal Camp", SideEastern, 1, 0, 80);
    for (std::size_t i = 0; i < river.size(); ++i)
        if (p.HasSecondary(river[i], ter::BridgeNS) || p.HasSecondary(river[i], ter::BridgeNESW) ||
            p.HasSecondary(river[i], ter::BridgeNWSE))
            AddStructure(*s, river[i], ter::FortifiedBridge, "Tamber Bridge", SideEastern, 3, 1, 10);
    for (int32_t c = 60; c <= 72; ++c)
        AddStructure(*s, p.Index(64 + (c % 2), c), ter::Earthworks, "Earthworks", SideWestern, 2, 1, 0);
    AddMapText(*s, river[river.size() / 5], "River Tamber", "Viking", Navy, 8, 16);
    AddMapText(*s, river[river.size() * 4 / 5], "Tamber", "Viking", Navy, 7, 0);
    AddMapText(*s, p.Index(70, 22), "Kings Ridge", "Kelt", Maroon, 2, 0);
    AddMapText(*s, p.Index(80, 128), "Vessen Heights", "Kelt", Maroon, 2, 0);
    AddMapText(*s, p.Index(100, 15), "Hartwood", "Arial", Green, 1, 0);
    AddMapText(*s, p.Index(125, 70), "Mere of Sorrows", "Viking", Navy, 1, 0);
    AddMapText(*s, p.Index(88, 60), "The Great Field", "Kelt", Black, 1, 16);

    ArmyBuilder army(*s, p, rng);
    const auto westLine = [&](int32_t row) { return p.Index(row, 45); };
    const auto eastLine = [&](int32_t row) { return p.Index(row, 112); };
    const int32_t W = SideWestern, E = SideEastern;
    army.Deploy(Wing("Royal Vanguard", "Earl of Ashdown", true,
                     Repeat({{&Longbowmen, 10}, {&Billmen, 8}, {&Spearmen, 6}}), westLine(40)),
                W, 12);
    army.Deploy(Wing("King's Battle", "King Edric", true,
                     Repeat({{&DismountedKnights, 6}, {&Halberdiers, 8}, {&Longbowmen, 8}, {&Swordsmen, 6}}),
                     westLine(70)),
                W, 12);
    army.Deploy(Wing("Royal Rearguard", "Lord Fenwick", false,
                     Repeat({{&Pikemen, 8}, {&Crossbowmen, 6}, {&Levy, 8}}), westLine(100)),
                W, 12);
    army.Deploy(Wing("Royal Horse", "Sir Roland", true,
                     Repeat({{&Knights, 8}, {&MenAtArms, 8}, {&LightHorse, 6}}), p.Index(120, 40)),
                W, 12);
    army.Deploy(Wing("Royal Artillery", "Master Gunner Hobb", false,
                     Repeat({{&LightGun, 4}, {&MediumGun, 3}, {&HeavyGun, 2}, {&Wagons, 3}}),
                     p.Index(72, 30)),
                W, 10);
    army.Deploy(Wing("Kingsford Levy", "Reeve Alwin", false,
                     Repeat({{&Levy, 8}, {&Bowmen, 6}, {&Baggage, 2}}), p.Index(74, 2), 8),
                W, 14);
    army.Deploy(Wing("Ducal Vanguard", "Count Marek", true,
                     Repeat({{&Crossbowmen, 10}, {&Pikemen, 8}, {&Handgunners, 6}}), eastLine(40)),
                E, 12);
    army.Deploy(Wing("Duke's Battle", "Duke Sigmar", true,
                     Repeat({{&DismountedKnights, 6}, {&Swordsmen, 8}, {&Halberdiers, 8}, {&Crossbowmen, 6}}),
                     eastLine(70)),
                E, 12);
    army.Deploy(Wing("Ducal Rearguard", "Baron Ulric", false,
                     Repeat({{&Spearmen, 8}, {&Axemen, 6}, {&Javelinmen, 6}}), eastLine(100)),
                E, 12);
    army.Deploy(Wing("Ducal Horse", "Count Istvan", true,
                     Repeat({{&Knights, 6}, {&HorseArchers, 8}, {&MountedCrossbow, 6}}), p.Index(30, 108)),
                E, 12);
    army.Deploy(Wing("Ducal Guns", "Master Konrad", false,
                     Repeat({{&LightGun, 3}, {&MediumGun, 4}, {&HeavyGun, 3}, {&Wagons, 3}}),
                     p.Index(72, 125)),
                E, 10);
    army.Deploy(Wing("Pass Companies", "Captain Brandt", true,
                     Repeat({{&MenAtArms, 6}, {&Pikemen, 8}, {&Baggage, 2}}), p.Index(60, 147), 10),
                E, 14);
    army.PlantStakes();
    for (int32_t r = 60; r <= 82; r += 2) {
        const int32_t h = p.Index(r, 52);
        if (s->Hexes[h].Unit == 0) s->Hexes[h].Caltrops = s->MarkerSymbols[MarkerCaltrops];
    }
    return s;
}

// A legacy battle: primary terrain only, with single secondary slots that the reader turns into
// broken ground.
std::unique_ptr<Scenario> OldRaid(const fs::path& defFile, std::string& error) {
    Rng rng(19970301);
    auto s = NewBattle(30, 20, rng, defFile, error);
    if (!s) return nullptr;
    s->BattleName = "Old Raid";
    s->BattleIcon = "sword";
    s->MaxTurns = 20;
    s->WesternName = "Garrison";
    s->EasternName = "Raiders";
    s->TerrainSetName = "k2t";
    s->UnitSetName = "k2u";
    Describe(*s, {"A raid from the days of the first war, kept from the old campaign."});
    Painter p(*s, rng);
    PaintHill(p, p.Index(6, 8), 2);
    PaintLake(p, rng, p.Index(14, 20), 2);
    PaintFields(p, rng, p.Index(12, 8), 2, false);
    p.Around(p.Index(5, 22), 2, [&](int32_t h, int32_t) { p.AddSecondary(h, ter::Woods); });
    AddStructure(*s, p.Index(10, 12), ter::Tower, "Old Tower", SideWestern, 4, 5, 10);
    SetObjective(*s, p.Index(10, 12), "Old Tower", 50);
    AddMapText(*s, p.Index(6, 8), "Beacon Hill", "Arial", Maroon, 1, 0);
    ArmyBuilder army(*s, p, rng);
    army.Deploy(
        Wing("Garrison", "Captain Wace", false, Repeat({{&Spearmen, 3}, {&Bowmen, 2}}), p.Index(10, 9)),
        SideWestern, 4);
    army.Deploy(
        Wing("Raiders", "Black Hrolf", true, Repeat({{&Axemen, 4}, {&LightHorse, 2}}), p.Index(9, 24)),
        SideEastern, 4);
    // The legacy layout carries neither stakes nor a terrain set name.
    for (auto& c : s->Hexes)
        c.Stakes = 0;
    return s;
}

} // namespace

bool WriteSampleBattles(const fs::path& installDir, std::string& error) {
    const fs::path scenarios = installDir / "scenarios";
    const fs::path defFile = FindFile(installDir / "sysdefs", "K2Ter.Def");
    std::error_code ec;
    fs::create_directories(scenarios, ec);

    struct Sample {
        const char* file;
        std::unique_ptr<Scenario> (*make)(const fs::path&, std::string&);
        bool legacy;
    };
    for (const Sample& sample : {Sample{"Border Skirmish.k2s", &BorderSkirmish, false},
                                 Sample{"Battle of the Great Field.k2s", &GreatField, false},
                                 Sample{"Old Raid.scn", &OldRaid, true}}) {
        std::string why;
        auto battle = sample.make(defFile, why);
        if (!battle) {
            error = std::string(sample.file) + ": " + why;
            return false;
        }
        const fs::path target = scenarios / sample.file;
        Status st = sample.legacy ? WriteLegacyBattle(*battle, target)
                                  : WriteBattle(*battle, target, battle->TerrainDefCount);
        if (!st) {
            error = target.string() + ": " + st.message;
            return false;
        }
    }
    return true;
}

} // namespace k2stock
