// Numbers of the stock installation by role: terrain symbols of K2T, unit symbols of K2U and the
// entry indices of the equipment files. Battles store these numbers, so they never change.
#pragma once

#include <cstdint>

namespace k2stock {

// Terrain set K2T. Primary terrains ("1 ..."), secondary terrains ("2 ..."), structures ("3 ...")
// and markers ("4 ...") share one numbering from 0.
namespace ter {

// Open ground and its look-alike variants; a new map is laid from these five.
constexpr int32_t OpenGround = 0;
constexpr int32_t OpenGroundB = 51;
constexpr int32_t OpenGroundC = 67;
constexpr int32_t OpenGroundD = 4;
constexpr int32_t OpenGroundE = 78;

constexpr int32_t WheatFields = 1; // variants 3, 57, 58
constexpr int32_t WheatFieldsB = 3;
constexpr int32_t WheatFieldsC = 57;
constexpr int32_t WheatFieldsD = 58;
constexpr int32_t RoughGround = 2; // variants 64, 107, 108
constexpr int32_t RoughGroundB = 64;
constexpr int32_t RoughGroundC = 107;
constexpr int32_t RoughGroundD = 108;
constexpr int32_t Sand = 5; // variants 74, 73, 77
constexpr int32_t SandB = 74;
constexpr int32_t SandC = 73;
constexpr int32_t SandD = 77;
constexpr int32_t Marsh = 76; // variants 91, 75, 52
constexpr int32_t MarshB = 91;
constexpr int32_t MarshC = 75;
constexpr int32_t MarshD = 52;
constexpr int32_t Water = 90; // a lake; variants 112, 102, 101
constexpr int32_t WaterB = 112;
constexpr int32_t WaterC = 102;
constexpr int32_t WaterD = 101;
constexpr int32_t PloughedField = 22;
constexpr int32_t Meadow = 23;
constexpr int32_t Heath = 24;
constexpr int32_t Mud = 25;
constexpr int32_t Shallows = 65;
constexpr int32_t Bog = 103;
constexpr int32_t StonyGround = 106;
constexpr int32_t Hill1 = 14;      // "Low Hill", elevation 1
constexpr int32_t Hill2 = 15;      // "Hill", elevation 2
constexpr int32_t Hill3 = 21;      // "High Hill", elevation 3
constexpr int32_t RockyHill = 110; // elevation 2
constexpr int32_t MapEdge = 13;

// Secondary terrain drawn over a primary.
constexpr int32_t Woods = 55; // variants 56, 109, 54
constexpr int32_t WoodsB = 56;
constexpr int32_t WoodsC = 109;
constexpr int32_t WoodsD = 54;
constexpr int32_t Orchard = 16; // variants 50, 59, 60
constexpr int32_t OrchardB = 50;
constexpr int32_t OrchardC = 59;
constexpr int32_t OrchardD = 60;
constexpr int32_t Scrub = 104; // variants 111, 105, 72
constexpr int32_t ScrubB = 111;
constexpr int32_t ScrubC = 105;
constexpr int32_t ScrubD = 72;
constexpr int32_t LightWoods = 71;
constexpr int32_t Vineyard = 88;
constexpr int32_t LoneTree = 99;
constexpr int32_t BrokenGround = 26; // what the single secondary of a legacy battle becomes
constexpr int32_t Boulders = 89;
constexpr int32_t Reeds = 100;
constexpr int32_t Pond = 70;
constexpr int32_t Ford = 49;
constexpr int32_t Hamlet = 68;
constexpr int32_t Farmstead = 69;
constexpr int32_t Ruins = 98;

// Edge features come in six pieces, one per hex side, in the order of `HexSide`. Roads, tracks,
// rivers and streams run from the hex centre to the middle of that side, so two pieces make a
// through route; walls, hedges and slopes lie along that side.
enum HexSide : int32_t { North = 0, NorthEast = 1, SouthEast = 2, South = 3, SouthWest = 4, NorthWest = 5 };
constexpr int32_t RoadN = 31; // RoadN + side
constexpr int32_t TrackN = 37;
constexpr int32_t RiverN = 43;
constexpr int32_t StreamN = 79;
constexpr int32_t WallN = 92;
constexpr int32_t HedgeN = 113;
constexpr int32_t SlopeN = 124; // the ground falls away across this side
constexpr int32_t Road(HexSide side) {
    return RoadN + side;
}
constexpr int32_t Track(HexSide side) {
    return TrackN + side;
}
constexpr int32_t River(HexSide side) {
    return RiverN + side;
}
constexpr int32_t Stream(HexSide side) {
    return StreamN + side;
}
constexpr int32_t Wall(HexSide side) {
    return WallN + side;
}
constexpr int32_t Hedge(HexSide side) {
    return HedgeN + side;
}
constexpr int32_t Slope(HexSide side) {
    return SlopeN + side;
}
// Bridges carry a road over a river in a hex: north-south, NE-SW, NW-SE.
constexpr int32_t BridgeNS = 85;
constexpr int32_t BridgeNESW = 86;
constexpr int32_t BridgeNWSE = 87;

// Structures (the structure dialog lists these).
constexpr int32_t Castle = 119;
constexpr int32_t Keep = 120;
constexpr int32_t Tower = 121;
constexpr int32_t Church = 130;
constexpr int32_t Village = 131;
constexpr int32_t Palisade = 132;
constexpr int32_t Earthworks = 133;
constexpr int32_t FortifiedBridge = 134;
constexpr int32_t ManorHouse = 135;
constexpr int32_t Windmill = 136;
constexpr int32_t Abbey = 137;
constexpr int32_t Gatehouse = 138;
constexpr int32_t Farm = 139;
constexpr int32_t Camp = 140;

// Markers, at the places the stock marker table of a battle names.
constexpr int32_t HexGrid = 7; // map overlay
constexpr int32_t Objective = 9;
constexpr int32_t HotHex = 17;
constexpr int32_t CombatHex = 18;
constexpr int32_t LegalMove = 19;
constexpr int32_t UnitDestroyed = 20;
constexpr int32_t EasternReinforcement = 28;
constexpr int32_t WesternReinforcement = 29;
constexpr int32_t Caltrops = 30;
constexpr int32_t WesternStakes = 122;
constexpr int32_t EasternStakes = 123;
constexpr int32_t VictoryBanner = 141; // an alternative objective marker

// Picker headings (third character "_"); never placed on a map.
constexpr int32_t HeadingOpenGround = 6;
constexpr int32_t HeadingFields = 8;
constexpr int32_t HeadingRoughSand = 10;
constexpr int32_t HeadingWetGround = 11;
constexpr int32_t HeadingHills = 12;
constexpr int32_t HeadingWoods = 27;
constexpr int32_t HeadingRoads = 53;
constexpr int32_t HeadingRivers = 61;
constexpr int32_t HeadingWallsHedges = 62;
constexpr int32_t HeadingSlopes = 63;
constexpr int32_t HeadingBuildings = 66;
constexpr int32_t HeadingSpecial = 142;

constexpr int32_t Count = 143;

} // namespace ter

// Unit set K2U: even numbers face east (Western side), the next odd number is the same picture
// facing west (Eastern side). A Western unit takes the number below, an Eastern unit the number + 1.
namespace unit {

constexpr int32_t Spearmen = 0;
constexpr int32_t Pikemen = 2;
constexpr int32_t Swordsmen = 4;
constexpr int32_t Billmen = 6;
constexpr int32_t Axemen = 8;
constexpr int32_t Halberdiers = 10;
constexpr int32_t Levy = 12;
constexpr int32_t DismountedKnights = 14;
constexpr int32_t Bowmen = 16;
constexpr int32_t Longbowmen = 18;
constexpr int32_t Crossbowmen = 20;
constexpr int32_t Handgunners = 22;
constexpr int32_t Slingers = 24;
constexpr int32_t Javelinmen = 26;
constexpr int32_t Knights = 28;
constexpr int32_t MenAtArms = 30;
constexpr int32_t LightHorse = 32;
constexpr int32_t HorseArchers = 34;
constexpr int32_t MountedCrossbowmen = 36;
constexpr int32_t LightGun = 38;
constexpr int32_t MediumGun = 40;
constexpr int32_t HeavyGun = 42;
constexpr int32_t SupplyWagon = 44;
constexpr int32_t BaggageTrain = 46;
constexpr int32_t FootLeader = 48;
constexpr int32_t MountedLeader = 50;
constexpr int32_t General = 52;

constexpr int32_t PairCount = 27;
constexpr int32_t Count = PairCount * 2;

constexpr int32_t Western(int32_t kind) {
    return kind & ~1;
}
constexpr int32_t Eastern(int32_t kind) {
    return (kind & ~1) + 1;
}

} // namespace unit

// Line positions (entry indices) in sysdefs/MWEAP.DEF.
namespace missile {
constexpr int32_t None = 0;
constexpr int32_t ShortBow = 1;
constexpr int32_t Longbow = 2;
constexpr int32_t CompositeBow = 3;
constexpr int32_t Crossbow = 4;
constexpr int32_t Arbalest = 5;
constexpr int32_t Sling = 6;
constexpr int32_t Javelins = 7;
constexpr int32_t Handgun = 8;
constexpr int32_t Arquebus = 9;
constexpr int32_t LightGun = 10;  // weight class "Lt"
constexpr int32_t MediumGun = 11; // "Med"
constexpr int32_t HeavyGun = 12;  // "Hvy"
constexpr int32_t Mortar = 13;    // "Hvy", overhead fire
constexpr int32_t Count = 14;
} // namespace missile

// CWEAP.DEF
namespace combat {
constexpr int32_t Unarmed = 0;
constexpr int32_t Dagger = 1;
constexpr int32_t Club = 2;
constexpr int32_t Spear = 3;
constexpr int32_t Pike = 4;
constexpr int32_t Sword = 5;
constexpr int32_t BastardSword = 6;
constexpr int32_t Axe = 7;
constexpr int32_t GreatAxe = 8;
constexpr int32_t Bill = 9;
constexpr int32_t Halberd = 10;
constexpr int32_t Mace = 11;
constexpr int32_t Lance = 12;
constexpr int32_t Flail = 13;
constexpr int32_t Greatsword = 14;
constexpr int32_t Count = 15;
} // namespace combat

// UARMOR.DEF
namespace armour {
constexpr int32_t None = 0;
constexpr int32_t Padded = 1;
constexpr int32_t Leather = 2;
constexpr int32_t Brigandine = 3;
constexpr int32_t Mail = 4;
constexpr int32_t MailAndPlate = 5;
constexpr int32_t HalfPlate = 6;
constexpr int32_t FullPlate = 7;
constexpr int32_t PlateAndBarding = 8;
constexpr int32_t Count = 9;
} // namespace armour

// USHIELD.DEF
namespace shield {
constexpr int32_t None = 0;
constexpr int32_t Buckler = 1;
constexpr int32_t Round = 2;
constexpr int32_t Kite = 3;
constexpr int32_t Heater = 4;
constexpr int32_t Pavise = 5;
constexpr int32_t Targe = 6;
constexpr int32_t Count = 7;
} // namespace shield

} // namespace k2stock
