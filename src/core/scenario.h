// The one battle held in memory: settings, the hex grid and the fixed-capacity record tables,
// with the small operations every part of the editor shares (hex arithmetic, border test, wing
// compaction and the removal of records with the renumbering of the hexes that refer to them).
#pragma once

#include "core/fixed_text.h"
#include "core/random_source.h"
#include "core/status.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace k2 {

// The value meaning "no hex" where a hex index is expected and "empty" in a terrain slot.
constexpr int32_t NoSymbol = 63000;

// Capacities of the tables. Units, structures, objectives and map texts are numbered from 1;
// wing names and terrain definitions from 0.
constexpr int32_t MaxUnits = 500;
constexpr int32_t MaxStructures = 100;
constexpr int32_t MaxObjectives = 99;
constexpr int32_t MaxMapTexts = 50;
constexpr int32_t MaxWings = 50;
constexpr int32_t MaxTerrainDefs = 500;
constexpr int32_t DescriptionLineCount = 100;
constexpr int32_t MarkerSymbolCount = 25;
constexpr int32_t SecondarySlotCount = 6;
// The geometry tables hold this many hexes, so no map may be larger.
constexpr int32_t MaxHexes = 25000;
// The map size the settings dialog offers.
constexpr int32_t MinMapSide = 10;
constexpr int32_t MaxMapSide = 150;

// Text capacities in characters: each field of the battle file is this plus its zero byte,
// except the two map text fields, which may fill all 25 bytes without one.
constexpr std::size_t BattleNameChars = 29;
constexpr std::size_t BattleIconChars = 31;
constexpr std::size_t ForceNameChars = 49;
constexpr std::size_t DescriptionLineChars = 99;
constexpr std::size_t WingNameChars = 24;
constexpr std::size_t SetNameChars = 255;
constexpr std::size_t RecordNameChars = 27;
constexpr std::size_t MapTextChars = 25;
constexpr std::size_t TerrainDefNameChars = 27;

// Indices into MarkerSymbols.
enum MarkerIndex : int32_t {
    MarkerNone = 0,
    MarkerHotHex = 1,
    MarkerCombatHex = 2,
    MarkerLegalMove = 3,
    MarkerUnitDestroyed = 4,
    MarkerWesternReinforcement = 5,
    MarkerEasternReinforcement = 6,
    MarkerObjective = 7,
    MarkerMapOverlay = 8,
    MarkerCaltrops = 9,
    MarkerStakes = 10, // Western stakes; Eastern stakes use this value + 1
};

// Stock values of MarkerSymbols entries 0..10.
constexpr std::array<int32_t, 11> StockMarkerSymbols = {0, 17, 18, 19, 20, 29, 28, 9, 7, 30, 122};
// The terrain that every border hex of a new battle shows, and the mixture of its interior.
constexpr int32_t BorderTerrain = 13;
constexpr std::array<int32_t, 5> NewBattleTerrainMix = {0, 51, 67, 4, 78};
// The secondary terrain that the first secondary slot of a legacy inner hex converts to.
constexpr int32_t LegacySecondaryTerrain = 26;

constexpr int32_t SideWestern = 1;
constexpr int32_t SideEastern = 2;

struct HexCell {
    int32_t PrimaryTerrain = 0;
    std::array<int32_t, SecondarySlotCount> SecondaryTerrain = {NoSymbol, NoSymbol, NoSymbol,
                                                                NoSymbol, NoSymbol, NoSymbol};
    int32_t Unit = 0;
    int32_t Structure = 0;
    int32_t MapText = 0;
    int32_t Objective = 0;
    int32_t ReinforcementMarker = 0;
    int32_t Caltrops = 0;
    int32_t Stakes = 0;

    bool operator==(const HexCell&) const = default;
};
static_assert(sizeof(HexCell) == 14 * sizeof(int32_t), "a hex is fourteen integers");

struct UnitRecord {
    FixedText<RecordNameChars> Name;
    int32_t Symbol = 0;
    int32_t ActivationTurn = 1;
    int32_t Side = SideWestern;
    int32_t Hex = 0;
    int32_t UnitType = 1; // 1 Foot, 2 Horse, 3 Supply
    int32_t Class = 0;    // index into the built-in class table
    int32_t Men = 0;
    int32_t Morale = 0;
    int32_t CombatWeapon = 0;
    int32_t MissileWeapon = 0;
    int32_t MissileAmmo = 0;
    int32_t Armour = 0;
    int32_t Shield = 0;
    int32_t MovementPoints = 0;
    int32_t WingLeader = 0;
    int32_t CommandRange = 0;
    int32_t CommandRating = 0;
    int32_t Value = 0;
    int32_t Wing = 0;
    int32_t SupplyLevel = 0;
    int32_t HasStakes = 0;
    int32_t FerociousAttack = 0;
    int32_t StartsDisrupted = 0;

    bool operator==(const UnitRecord&) const = default;
};

struct StructureRecord {
    FixedText<RecordNameChars> Name;
    int32_t Symbol = 0;
    int32_t Side = SideWestern;
    int32_t SpareA = 0;
    int32_t SupplyLevel = 0;
    int32_t SpareB = 0;
    int32_t Hex = 0;
    int32_t Capacity = 1;
    int32_t Height = 0;
    int32_t DefenseMod = 0;

    bool operator==(const StructureRecord&) const = default;
};

struct ObjectiveRecord {
    int32_t Hex = 0;
    FixedText<RecordNameChars> Name;
    int32_t ObjectiveKind = 1;
    int32_t VictoryPoints = 50;

    bool operator==(const ObjectiveRecord&) const = default;
};

// One map text label. Its Hex may lie outside the map (a trim can cut its hex away and a file
// may bring such an entry): the entry is kept but stays inert, so every user of Hex must test
// it with Scenario::IsValidHex before indexing the grid.
struct PlaceName {
    int32_t Hex = 0;
    FixedText<MapTextChars> Text;
    FixedText<MapTextChars> FontName;
    uint32_t Colour = 0;                          // 0x00BBGGRR
    std::array<uint8_t, 3> Size = {0, 0, 0};      // points per zoom level; below 6 is not drawn
    std::array<uint8_t, 3> Placement = {1, 1, 1}; // anchor code 1..8 per zoom level
    uint8_t Style = 0;                            // 16 bold, 32 italic, 64 underline

    bool operator==(const PlaceName&) const = default;
};

// The game values of one terrain symbol.
struct TerrainDef {
    FixedText<TerrainDefNameChars> name;
    int32_t elevation = 0;
    int32_t costPerMove = 0;
    int32_t defenseModifier = 0;
    int32_t spare = 0;

    bool operator==(const TerrainDef&) const = default;
};

struct Scenario {
    // Settings.
    FixedText<BattleNameChars> BattleName;
    FixedText<BattleIconChars> BattleIcon{"sword"};
    int32_t SaveCount = 0;
    int32_t MaxTurns = 30;
    int32_t StartInitiative = SideWestern;
    int32_t Weather = 0;
    int32_t WesternBreakPoint = 30;
    int32_t EasternBreakPoint = 30;
    int32_t WesternLeaderReplacement = 1;
    int32_t EasternLeaderReplacement = 1;
    FixedText<ForceNameChars> WesternName;
    FixedText<ForceNameChars> EasternName;
    std::array<FixedText<DescriptionLineChars>, DescriptionLineCount> Description;
    std::array<FixedText<WingNameChars>, MaxWings> WingNames;
    int32_t WingCount = 0;
    FixedText<SetNameChars> TerrainSetName{"K2T"};
    FixedText<SetNameChars> UnitSetName{"K2U"};
    uint8_t ScenarioFlagA = 1;
    uint8_t ScenarioFlagB = 1;
    uint8_t ScenarioFlagC = 0;
    uint8_t ViewSaved = 0;
    // Both as loaded: a file may bring an origin off the map or a zoom level above 2, so the
    // view checks them (IsValidHex, a clamp) before use.
    int32_t ViewOriginHex = 0;
    uint8_t ZoomLevel = 0;
    std::array<int32_t, MarkerSymbolCount> MarkerSymbols{};

    // The map grid, Cols x Rows cells in hex index order (row * Cols + column).
    int32_t Cols = 0;
    int32_t Rows = 0;
    int32_t HexCount = 0;
    std::vector<HexCell> Hexes;

    // Record tables; entry 0 of the 1-based tables is never used.
    std::array<UnitRecord, MaxUnits + 1> Units{};
    int32_t UnitCount = 0;
    std::array<StructureRecord, MaxStructures + 1> Structures{};
    int32_t StructureCount = 0;
    std::array<ObjectiveRecord, MaxObjectives + 1> Objectives{};
    int32_t ObjectiveCount = 0;
    std::array<PlaceName, MaxMapTexts + 1> MapTexts{};
    int32_t MapTextCount = 0;
    std::array<TerrainDef, MaxTerrainDefs> TerrainDefs{};
    int32_t TerrainDefCount = 0;

    // Not part of the battle: the format number the running editor writes into the terrain
    // definition file, 105 until the first battle save of the run and 200 after it.
    int32_t EditorFormatNumber = 105;

    // Every field, the grid and every table slot (also those beyond the counts).
    bool operator==(const Scenario&) const = default;

    // --- hex arithmetic -------------------------------------------------------------------
    // (row, column) of a hex index.
    std::pair<int32_t, int32_t> HexRowCol(int32_t index) const { return {index / Cols, index % Cols}; }
    // A hex as the hover line and every list write it: its row number followed by its column
    // number, or "-" for no hex of the map.
    std::string HexNumber(int32_t index) const;
    int32_t HexIndex(int32_t row, int32_t col) const { return row * Cols + col; }
    // True for a real hex of the grid (never for NoSymbol or a stale index).
    bool IsValidHex(int32_t index) const {
        return index >= 0 && index < HexCount && static_cast<size_t>(index) < Hexes.size();
    }
    bool IsBorderHex(int32_t index) const;

    // Discards the grid and allocates `count` cells. On failure the grid is empty and the
    // status carries "Hex Array Mem Allocation Error.".
    Status AllocateHexes(int32_t count);

    // Removes empty wing names and renumbers the units' Wing fields, in one pass (a name that
    // moves into an examined position is not examined again). Units of an empty wing 0 stay in
    // wing 0.
    void CompactWings();

    // Removal with renumbering, the one implementation that every dialog and the map trimmer
    // use: later records move down one place (whole records, every field, SpareA of structures
    // included), the vacated last slot is reset to a default record, every hex field that
    // referred to a moved record follows it, and the hex fields that referred to the removed
    // record become 0. Markers of the hex are not touched. Out-of-range numbers are ignored.
    void RemoveUnit(int32_t u);
    void RemoveStructure(int32_t s);
    void RemoveObjective(int32_t o);
    void RemoveMapText(int32_t m);
};

// Fills the scenario for a battle just created: expects Cols, Rows, the set names and the
// settings to be set. Draws one random number per hex in hex index order (value mod 5 picks
// from NewBattleTerrainMix), then the border ring becomes BorderTerrain. Record tables are
// reset to default records, not only their counts. Reloads the terrain definitions from `terrainDefFile` (a
// failure to read them is a warning in the status, not a failure). Fails, touching nothing else, when the
// grid cannot be allocated.
Status InitNewBattle(Scenario& scenario, RandomSource& random, const std::filesystem::path& terrainDefFile);
// The ground a new battle lays on an inner hex: one of NewBattleTerrainMix, one draw each.
int32_t NewBattleGround(RandomSource& random);

// The four-byte form of a 32-bit value, most significant byte first.
constexpr uint32_t PackBytes(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
    return (uint32_t(b0) << 24) | (uint32_t(b1) << 16) | (uint32_t(b2) << 8) | uint32_t(b3);
}
constexpr std::array<uint8_t, 4> UnpackBytes(uint32_t v) {
    return {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
}

} // namespace k2
