// The stock unit set as data: one entry per facing pair, in symbol order, and the cell and counter
// sizes of the unit pictures per zoom level.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace k2stock {

enum class UnitArt {
    Spear,
    Pike,
    Sword,
    Bill,
    Axe,
    Halberd,
    Levy,
    DismountedKnight,
    Bow,
    Longbow,
    Crossbow,
    Handgun,
    Sling,
    Javelin,
    Knight,
    MenAtArms,
    LightHorse,
    HorseArcher,
    MountedCrossbow,
    LightGun,
    MediumGun,
    HeavyGun,
    Wagon,
    Baggage,
    FootLeader,
    MountedLeader,
    General,
};

struct UnitPairRecipe {
    std::string name; // shown for the even (Western, east-facing) member; at most 24 characters
    UnitArt art;
};

// Entry k describes unit symbols 2k (facing east) and 2k + 1 (facing west, name "-" + name).
const std::vector<UnitPairRecipe>& StockUnitPairs();

// Unit picture cell (square) and the counter drawn inside it, per zoom level. The counter sits at
// the hex centre once the renderer's placement rule has moved the cell into the hex.
int UnitCellSize(int level);
int UnitCounterSize(int level);
double UnitCounterCentreX(int level);
double UnitCounterCentreY(int level);

} // namespace k2stock
