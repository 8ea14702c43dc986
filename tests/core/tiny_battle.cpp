#include "tiny_battle.h"

#include "common/battle_builder.h"

namespace k2test {

using namespace k2;

namespace {

constexpr int N = 63000; // an empty slot: bytes 246, 24

// Hex records: terrain, six slots, then Structure, Unit, MapText, Objective, marker, caltrops, stakes.
struct HexBytes {
    int32_t primary;
    std::array<int32_t, 6> slots;
    int32_t structure, unit, mapText, objective, reinforcement, caltrops, stakes;
};

std::vector<HexBytes> TinyHexes(const TinyShape& s) {
    return {
        {13, {N, N, N, N, N, N}, s.hex0Structure, 0, 0, 0, 0, 30, 122},
        {51, {26, 5, N, N, N, N}, 0, 0, s.hex1MapText, s.hex1Objective, 29, 0, 123},
        {4, {N, N, N, N, N, 77}, 0, s.hex2Unit, 0, 0, 28, 0, 0},
    };
}

} // namespace

std::vector<uint8_t> TinyBattleBytes(const TinyShape& s) {
    Bytes b;
    b.Int(200).Int(s.saveCount).Text(s.battleName).Text("sword").Int(30);
    b.Int(s.unitCount).Int(s.structureCount).Int(s.objectiveCount);
    b.Int(2); // StartInitiative
    if (!s.legacy) b.Int(3).Int(31).Int(32).Int(1).Int(0);
    b.Text("West").Text("East");
    b.Text(s.description0);
    for (int i = 1; i < 99; ++i)
        b.Text("");
    b.Text("Last line");
    b.Int(s.wingCount);
    for (int i = 0; i < s.wingCount; ++i)
        b.Text(i == 0 ? "Main" : s.wingName1);
    for (int k = 0; k < s.unitCount; ++k) {
        // Name, Symbol, ActivationTurn, Side, Wing, UnitType, Class, Men, Morale, CombatWeapon,
        // MissileWeapon, MissileAmmo, Armour, Shield, WingLeader, CommandRange, CommandRating,
        // MovementPoints, Value, Hex, SupplyLevel [, FerociousAttack, HasStakes, StartsDisrupted]
        b.Text(s.unitName)
            .Int(12)
            .Int(14)
            .Int(2)
            .Int(s.unitWing)
            .Int(3)
            .Int(4)
            .Int(150)
            .Int(90)
            .Int(7)
            .Int(8);
        b.Int(20).Int(5).Int(6).Int(18).Int(9).Int(-3).Int(10).Int(11).Int(s.unitHex).Int(13);
        if (!s.legacy) b.Int(15).Int(16).Int(17);
    }
    for (int k = 0; k < s.structureCount; ++k) {
        // Name, Symbol, Side, SpareA, SupplyLevel, SpareB, Hex, Capacity, DefenseMod, Height
        b.Text("Tower").Int(40).Int(1).Int(21).Int(22).Int(23).Int(s.structureHex).Int(24).Int(-8).Int(3);
    }
    for (int k = 0; k < s.objectiveCount; ++k)
        b.Text("Hill").Int(s.objectiveHex).Int(2).Int(50);
    if (!s.legacy) b.Text("K2T");
    b.Text("K2U");
    b.Raw({1});
    b.Int(s.cols).Int(s.rows);
    const auto hexes = TinyHexes(s);
    for (int h = 0; h < s.cols * s.rows && s.cols > 0 && s.rows > 0; ++h) {
        // Beyond the first row: the second secondary slot always holds 98, the first holds 99
        // in hex 4 only (the inner hex of a 3 x 3 map).
        HexBytes x = h < 3 ? hexes[h] : HexBytes{0, {h == 4 ? 99 : N, 98, N, N, N, N}, 0, 0, 0, 0, 0, 0, 0};
        b.Int(x.primary);
        for (int32_t v : x.slots)
            b.Int(v);
        b.Int(x.structure).Int(x.unit).Int(x.mapText).Int(x.objective).Int(x.reinforcement).Int(x.caltrops);
        if (!s.legacy) b.Int(x.stakes);
    }
    b.Int(s.mapTextCount);
    for (int k = 0; k < s.mapTextCount; ++k) {
        b.Int(s.mapTextHex).Text25(s.mapText).Text25("Kelt");
        b.Raw({0x00, 0xC0, 0x80, 0x40}).Raw({8, 12, 16}).Raw({1, 3, 5}).Raw({25});
    }
    b.Raw({s.flagB}).Raw({s.viewSaved});
    b.Int(s.viewSaved ? 2 : 0).Int(s.viewSaved ? s.zoomInFile : 0);
    b.Raw({7});
    b.Int(s.terrainDefCount);
    for (int i = 0; i < s.terrainDefCount; ++i) {
        if (i == 1)
            b.Text(s.terrainDefName).Int(1).Int(3).Int(-8).Int(9);
        else
            b.Text("1 Open").Int(0).Int(1).Int(0).Int(0);
    }
    for (int i = 0; i < 25; ++i)
        b.Int(s.markerFill != -1 ? s.markerFill : i <= 10 ? StockMarkerSymbols[i] : N);
    return b.data;
}

std::unique_ptr<Scenario> TinyBattle() {
    auto s = k2::test::MakeBattle(
        {.cols = 3, .rows = 1, .wings = {"Main", "Left"}, .western = "West", .eastern = "East"});
    s->SaveCount = 7;
    s->BattleName = "Tiny Battle";
    s->BattleIcon = "sword";
    s->MaxTurns = 30;
    s->StartInitiative = 2;
    s->Weather = 3;
    s->WesternBreakPoint = 31;
    s->EasternBreakPoint = 32;
    s->WesternLeaderReplacement = 1;
    s->EasternLeaderReplacement = 0;
    s->Description[0] = "Line one";
    s->Description[99] = "Last line";
    s->UnitCount = 1;
    UnitRecord& u = s->Units[1];
    u.Name = "Guard";
    u.Symbol = 12;
    u.ActivationTurn = 14;
    u.Side = 2;
    u.Wing = 1;
    u.UnitType = 3;
    u.Class = 4;
    u.Men = 150;
    u.Morale = 90;
    u.CombatWeapon = 7;
    u.MissileWeapon = 8;
    u.MissileAmmo = 20;
    u.Armour = 5;
    u.Shield = 6;
    u.WingLeader = 18;
    u.CommandRange = 9;
    u.CommandRating = -3;
    u.MovementPoints = 10;
    u.Value = 11;
    u.Hex = 2;
    u.SupplyLevel = 13;
    u.FerociousAttack = 15;
    u.HasStakes = 16;
    u.StartsDisrupted = 17;
    s->StructureCount = 1;
    StructureRecord& r = s->Structures[1];
    r.Name = "Tower";
    r.Symbol = 40;
    r.Side = 1;
    r.SpareA = 21;
    r.SupplyLevel = 22;
    r.SpareB = 23;
    r.Hex = 0;
    r.Capacity = 24;
    r.DefenseMod = -8;
    r.Height = 3;
    s->ObjectiveCount = 1;
    s->Objectives[1].Name = "Hill";
    s->Objectives[1].Hex = 1;
    s->Objectives[1].ObjectiveKind = 2;
    s->Objectives[1].VictoryPoints = 50;
    s->TerrainSetName = "K2T";
    s->UnitSetName = "K2U";
    s->ScenarioFlagA = 1;
    s->Hexes[0].PrimaryTerrain = 13;
    s->Hexes[0].Structure = 1;
    s->Hexes[0].Caltrops = 30;
    s->Hexes[0].Stakes = 122;
    s->Hexes[1].PrimaryTerrain = 51;
    s->Hexes[1].SecondaryTerrain[0] = 26;
    s->Hexes[1].SecondaryTerrain[1] = 5;
    s->Hexes[1].MapText = 1;
    s->Hexes[1].Objective = 1;
    s->Hexes[1].ReinforcementMarker = 29;
    s->Hexes[1].Stakes = 123;
    s->Hexes[2].PrimaryTerrain = 4;
    s->Hexes[2].SecondaryTerrain[5] = 77;
    s->Hexes[2].Unit = 1;
    s->Hexes[2].ReinforcementMarker = 28;
    s->MapTextCount = 1;
    PlaceName& m = s->MapTexts[1];
    m.Hex = 1;
    m.Text = "ABCDEFGHIJKLMNOPQRSTUVWXY";
    m.FontName = "Kelt";
    m.Colour = 0x00C08040;
    m.Size = {8, 12, 16};
    m.Placement = {1, 3, 5};
    m.Style = 25;
    s->ScenarioFlagB = 5;
    s->ViewSaved = 1;
    s->ViewOriginHex = 2;
    s->ZoomLevel = 2;
    s->ScenarioFlagC = 7;
    s->TerrainDefCount = 2;
    s->TerrainDefs[0].name = "1 Open";
    s->TerrainDefs[0].costPerMove = 1;
    s->TerrainDefs[1].name = "2 Wood";
    s->TerrainDefs[1].elevation = 1;
    s->TerrainDefs[1].costPerMove = 3;
    s->TerrainDefs[1].defenseModifier = -8;
    s->TerrainDefs[1].spare = 9;
    for (int i = 0; i < 25; ++i)
        s->MarkerSymbols[i] = i <= 10 ? StockMarkerSymbols[i] : NoSymbol;
    return s;
}

} // namespace k2test
