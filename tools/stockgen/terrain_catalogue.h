// The stock terrain set as data: for every place its name, what is drawn there and its game values,
// plus the order in which the pickers list the places.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace k2stock {

enum class TerrainArt {
    Heading,
    // Primary ground.
    OpenGround,
    Wheat,
    Ploughed,
    Meadow,
    Heath,
    Mud,
    Rough,
    Stony,
    Sand,
    Marsh,
    Bog,
    Shallows,
    Water,
    Hill,
    RockyHill,
    MapEdge,
    // Secondary cover and features.
    Woods,
    LightWoods,
    Orchard,
    Scrub,
    Vineyard,
    LoneTree,
    BrokenGround,
    Boulders,
    Reeds,
    Pond,
    Ford,
    Hamlet,
    Farmstead,
    Ruins,
    Road,
    Track,
    River,
    Stream,
    Wall,
    Hedge,
    Slope,
    Bridge,
    // Structures.
    Castle,
    Keep,
    Tower,
    Church,
    Village,
    Palisade,
    Earthworks,
    FortifiedBridge,
    Manor,
    Windmill,
    Abbey,
    Gatehouse,
    Farm,
    Camp,
    // Markers.
    HexGrid,
    Objective,
    HotHex,
    CombatHex,
    LegalMove,
    Destroyed,
    WesternReinforcement,
    EasternReinforcement,
    Caltrops,
    WesternStakes,
    EasternStakes,
    VictoryBanner,
};

struct TerrainSymbolRecipe {
    std::string name; // with its category prefix, at most 25 characters
    TerrainArt art = TerrainArt::Heading;
    int32_t param = 0; // hex side for edge features, level for hills, span for bridges
    uint32_t seed = 0; // look-alike variants differ only in this
    int32_t elevation = 0;
    int32_t cost = 0;
    int32_t defense = 0;
    std::string definitionName; // the terrain's name in K2Ter.Def; variants share their base's

    char Category() const { return name.empty() ? '\0' : name[0]; }
    std::string DisplayName() const { return name.size() > 2 ? name.substr(2) : std::string(); }
    bool IsHeading() const { return name.size() > 2 && name[2] == '_'; }
};

// Entry k describes terrain symbol k.
const std::vector<TerrainSymbolRecipe>& StockTerrainSymbols();

// Picker order: symbol numbers counted from 0, each symbol exactly once.
const std::vector<int32_t>& StockTerrainOrder();

} // namespace k2stock
