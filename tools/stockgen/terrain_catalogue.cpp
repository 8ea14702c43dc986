#include "stockgen/terrain_catalogue.h"

#include "stockgen/stock_catalogue.h"

#include <array>
#include <stdexcept>

namespace k2stock {
namespace {

using A = TerrainArt;
namespace t = ter;

constexpr std::array<const char*, 6> SideNames = {"N", "NE", "SE", "S", "SW", "NW"};

struct Builder {
    std::vector<TerrainSymbolRecipe> recipes = std::vector<TerrainSymbolRecipe>(t::Count);
    std::vector<bool> used = std::vector<bool>(t::Count, false);

    void Put(int32_t place, std::string name, A art, int32_t elevation, int32_t cost, int32_t defense,
             int32_t param = 0, uint32_t seed = 0) {
        if (place < 0 || place >= t::Count || used[place])
            throw std::logic_error("terrain place taken: " + name);
        used[place] = true;
        TerrainSymbolRecipe recipe{
            std::move(name), art,  param,   seed ? seed : 1000u + static_cast<uint32_t>(place),
            elevation,       cost, defense, {}};
        recipe.definitionName = recipe.DisplayName();
        recipes[place] = std::move(recipe);
    }
    // A base and its look-alike variants share everything but the seed of their texture.
    void Family(std::initializer_list<int32_t> places, const std::string& name, A art, int32_t elevation,
                int32_t cost, int32_t defense) {
        // Variants are numbered in their names so that a list tells them apart, while the
        // definition (what the hover line shows) keeps the plain name.
        uint32_t n = 0;
        for (int32_t place : places) {
            ++n;
            Put(place, n == 1 ? name : name + " " + std::to_string(n), art, elevation, cost, defense, 0,
                500u + 37u * n + static_cast<uint32_t>(art) * 1009u);
            recipes[place].definitionName = name.substr(2);
        }
    }
    void Sides(int32_t first, const std::string& name, A art, int32_t elevation, int32_t cost,
               int32_t defense) {
        for (int32_t side = 0; side < 6; ++side)
            Put(first + side, name + " " + SideNames[side], art, elevation, cost, defense, side);
    }
};

std::vector<TerrainSymbolRecipe> Build() {
    Builder b;
    // Primary ground: elevation, cost per move, defense.
    b.Family({t::OpenGround, t::OpenGroundB, t::OpenGroundC, t::OpenGroundD, t::OpenGroundE}, "1 Open Ground",
             A::OpenGround, 0, 1, 0);
    b.Family({t::WheatFields, t::WheatFieldsB, t::WheatFieldsC, t::WheatFieldsD}, "1 Wheat Fields", A::Wheat,
             0, 2, 0);
    b.Family({t::RoughGround, t::RoughGroundB, t::RoughGroundC, t::RoughGroundD}, "1 Rough Ground", A::Rough,
             0, 2, 1);
    b.Family({t::Sand, t::SandB, t::SandC, t::SandD}, "1 Sand", A::Sand, 0, 2, 0);
    b.Family({t::Marsh, t::MarshB, t::MarshC, t::MarshD}, "1 Marsh", A::Marsh, 0, 4, -1);
    b.Family({t::Water, t::WaterB, t::WaterC, t::WaterD}, "1 Lake", A::Water, 0, 13, 0);
    b.Put(t::PloughedField, "1 Ploughed Field", A::Ploughed, 0, 2, 0);
    b.Put(t::Meadow, "1 Meadow", A::Meadow, 0, 1, 0);
    b.Put(t::Heath, "1 Heath", A::Heath, 0, 2, 0);
    b.Put(t::Mud, "1 Mud", A::Mud, 0, 3, -1);
    b.Put(t::Shallows, "1 Shallows", A::Shallows, 0, 5, -2);
    b.Put(t::Bog, "1 Bog", A::Bog, 0, 8, -2);
    b.Put(t::StonyGround, "1 Stony Ground", A::Stony, 0, 2, 1);
    b.Put(t::Hill1, "1 Low Hill", A::Hill, 1, 2, 1, 1);
    b.Put(t::Hill2, "1 Hill", A::Hill, 2, 3, 2, 2);
    b.Put(t::Hill3, "1 High Hill", A::Hill, 3, 4, 3, 3);
    b.Put(t::RockyHill, "1 Rocky Hill", A::RockyHill, 2, 4, 3, 2);
    b.Put(t::MapEdge, "1 Map Edge", A::MapEdge, 0, 13, 0);

    // Secondary: the elevation is the height the cover adds above the ground.
    b.Family({t::Woods, t::WoodsB, t::WoodsC, t::WoodsD}, "2 Woods", A::Woods, 1, 3, 2);
    b.Family({t::Orchard, t::OrchardB, t::OrchardC, t::OrchardD}, "2 Orchard", A::Orchard, 1, 2, 1);
    b.Family({t::Scrub, t::ScrubB, t::ScrubC, t::ScrubD}, "2 Scrub", A::Scrub, 0, 2, 1);
    b.Put(t::LightWoods, "2 Light Woods", A::LightWoods, 1, 2, 1);
    b.Put(t::Vineyard, "2 Vineyard", A::Vineyard, 0, 2, 1);
    b.Put(t::LoneTree, "2 Lone Tree", A::LoneTree, 0, 0, 0);
    b.Put(t::BrokenGround, "2 Broken Ground", A::BrokenGround, 0, 2, 1);
    b.Put(t::Boulders, "2 Boulders", A::Boulders, 0, 3, 2);
    b.Put(t::Reeds, "2 Reeds", A::Reeds, 0, 3, 1);
    b.Put(t::Pond, "2 Pond", A::Pond, 0, 13, 0);
    b.Put(t::Ford, "2 Ford", A::Ford, 0, 4, -2);
    b.Put(t::Hamlet, "2 Hamlet", A::Hamlet, 1, 2, 2);
    b.Put(t::Farmstead, "2 Farmstead", A::Farmstead, 1, 2, 2);
    b.Put(t::Ruins, "2 Ruins", A::Ruins, 0, 2, 2);
    b.Sides(t::RoadN, "2 Road", A::Road, 0, 1, 0);
    b.Sides(t::TrackN, "2 Track", A::Track, 0, 1, 0);
    b.Sides(t::RiverN, "2 River", A::River, 0, 13, -2);
    b.Sides(t::StreamN, "2 Stream", A::Stream, 0, 4, -1);
    b.Sides(t::WallN, "2 Wall", A::Wall, 0, 3, 3);
    b.Sides(t::HedgeN, "2 Hedge", A::Hedge, 1, 3, 2);
    b.Sides(t::SlopeN, "2 Slope", A::Slope, 0, 2, 1);
    b.Put(t::BridgeNS, "2 Bridge N-S", A::Bridge, 0, 1, 0, 0);
    b.Put(t::BridgeNESW, "2 Bridge NE-SW", A::Bridge, 0, 1, 0, 1);
    b.Put(t::BridgeNWSE, "2 Bridge NW-SE", A::Bridge, 0, 1, 0, 2);

    // Structures take their defense and height from the structure record; the values here only
    // describe them, and cost 0 keeps them out of a hex's derived values.
    b.Put(t::Castle, "3 Castle", A::Castle, 2, 0, 4);
    b.Put(t::Keep, "3 Keep", A::Keep, 3, 0, 4);
    b.Put(t::Tower, "3 Tower", A::Tower, 3, 0, 3);
    b.Put(t::Church, "3 Church", A::Church, 2, 0, 2);
    b.Put(t::Village, "3 Village", A::Village, 1, 0, 2);
    b.Put(t::Palisade, "3 Palisade", A::Palisade, 1, 0, 2);
    b.Put(t::Earthworks, "3 Earthworks", A::Earthworks, 1, 0, 2);
    b.Put(t::FortifiedBridge, "3 Fortified Bridge", A::FortifiedBridge, 1, 0, 2);
    b.Put(t::ManorHouse, "3 Manor House", A::Manor, 1, 0, 2);
    b.Put(t::Windmill, "3 Windmill", A::Windmill, 2, 0, 1);
    b.Put(t::Abbey, "3 Abbey", A::Abbey, 2, 0, 3);
    b.Put(t::Gatehouse, "3 Gatehouse", A::Gatehouse, 2, 0, 3);
    b.Put(t::Farm, "3 Farm", A::Farm, 1, 0, 1);
    b.Put(t::Camp, "3 Camp", A::Camp, 0, 0, 0);

    // Markers never set a cost, so they never count in a hex's values.
    b.Put(t::HexGrid, "4 Hex Grid", A::HexGrid, 0, 0, 0);
    b.Put(t::Objective, "4 Objective", A::Objective, 0, 0, 0);
    b.Put(t::HotHex, "4 Hot Hex", A::HotHex, 0, 0, 0);
    b.Put(t::CombatHex, "4 Combat Hex", A::CombatHex, 0, 0, 0);
    b.Put(t::LegalMove, "4 Legal Move", A::LegalMove, 0, 0, 0);
    b.Put(t::UnitDestroyed, "4 Unit Destroyed", A::Destroyed, 0, 0, 0);
    b.Put(t::EasternReinforcement, "4 Eastern Reinforcement", A::EasternReinforcement, 0, 0, 0);
    b.Put(t::WesternReinforcement, "4 Western Reinforcement", A::WesternReinforcement, 0, 0, 0);
    b.Put(t::Caltrops, "4 Caltrops", A::Caltrops, 0, 0, 0);
    b.Put(t::WesternStakes, "4 Western Stakes", A::WesternStakes, 0, 0, 0);
    b.Put(t::EasternStakes, "4 Eastern Stakes", A::EasternStakes, 0, 0, 0);
    b.Put(t::VictoryBanner, "4 Victory Banner", A::VictoryBanner, 0, 0, 0);

    // Picker headings.
    b.Put(t::HeadingOpenGround, "1 __ Open Ground __", A::Heading, 0, 0, 0);
    b.Put(t::HeadingFields, "1 __ Fields __", A::Heading, 0, 0, 0);
    b.Put(t::HeadingRoughSand, "1 __ Rough and Sand __", A::Heading, 0, 0, 0);
    b.Put(t::HeadingWetGround, "1 __ Wet Ground __", A::Heading, 0, 0, 0);
    b.Put(t::HeadingHills, "1 __ Hills __", A::Heading, 0, 0, 0);
    b.Put(t::HeadingSpecial, "1 __ Map Edge __", A::Heading, 0, 0, 0);
    b.Put(t::HeadingWoods, "2 __ Woods and Cover __", A::Heading, 0, 0, 0);
    b.Put(t::HeadingRoads, "2 __ Roads and Bridges __", A::Heading, 0, 0, 0);
    b.Put(t::HeadingRivers, "2 __ Rivers & Streams __", A::Heading, 0, 0, 0);
    b.Put(t::HeadingWallsHedges, "2 __ Walls & Hedges __", A::Heading, 0, 0, 0);
    b.Put(t::HeadingSlopes, "2 __ Slopes __", A::Heading, 0, 0, 0);
    b.Put(t::HeadingBuildings, "2 __ Buildings __", A::Heading, 0, 0, 0);

    for (int32_t place = 0; place < t::Count; ++place)
        if (!b.used[place]) throw std::logic_error("terrain place left empty: " + std::to_string(place));
    return b.recipes;
}

std::vector<int32_t> BuildOrder() {
    using namespace ter;
    std::vector<int32_t> order = {HeadingOpenGround,
                                  OpenGround,
                                  Meadow,
                                  Heath,
                                  HeadingFields,
                                  WheatFields,
                                  PloughedField,
                                  HeadingRoughSand,
                                  RoughGround,
                                  StonyGround,
                                  Sand,
                                  HeadingWetGround,
                                  Marsh,
                                  Mud,
                                  Bog,
                                  Shallows,
                                  Water,
                                  HeadingHills,
                                  Hill1,
                                  Hill2,
                                  Hill3,
                                  RockyHill,
                                  HeadingSpecial,
                                  MapEdge,
                                  HeadingWoods,
                                  Woods,
                                  LightWoods,
                                  Orchard,
                                  Scrub,
                                  Vineyard,
                                  LoneTree,
                                  BrokenGround,
                                  Boulders,
                                  HeadingRoads};
    for (int s = 0; s < 6; ++s)
        order.push_back(RoadN + s);
    for (int s = 0; s < 6; ++s)
        order.push_back(TrackN + s);
    order.insert(order.end(), {BridgeNS, BridgeNESW, BridgeNWSE, HeadingRivers});
    for (int s = 0; s < 6; ++s)
        order.push_back(RiverN + s);
    for (int s = 0; s < 6; ++s)
        order.push_back(StreamN + s);
    order.insert(order.end(), {Ford, Pond, Reeds, HeadingWallsHedges});
    for (int s = 0; s < 6; ++s)
        order.push_back(WallN + s);
    for (int s = 0; s < 6; ++s)
        order.push_back(HedgeN + s);
    order.push_back(HeadingSlopes);
    for (int s = 0; s < 6; ++s)
        order.push_back(SlopeN + s);
    order.insert(order.end(), {HeadingBuildings,
                               Hamlet,
                               Farmstead,
                               Ruins,
                               Castle,
                               Keep,
                               Tower,
                               Gatehouse,
                               Palisade,
                               Earthworks,
                               FortifiedBridge,
                               Church,
                               Abbey,
                               Village,
                               ManorHouse,
                               Farm,
                               Windmill,
                               Camp,
                               WesternReinforcement,
                               EasternReinforcement,
                               Objective,
                               VictoryBanner,
                               Caltrops,
                               WesternStakes,
                               EasternStakes,
                               HotHex,
                               CombatHex,
                               LegalMove,
                               UnitDestroyed,
                               HexGrid});
    // Each base is followed by its numbered look-alike variants, so that a designer who wants one
    // particular look can pick it directly.
    const std::vector<std::vector<int32_t>> variants = {
        {OpenGround, OpenGroundB, OpenGroundC, OpenGroundD, OpenGroundE},
        {WheatFields, WheatFieldsB, WheatFieldsC, WheatFieldsD},
        {RoughGround, RoughGroundB, RoughGroundC, RoughGroundD},
        {Sand, SandB, SandC, SandD},
        {Marsh, MarshB, MarshC, MarshD},
        {Water, WaterB, WaterC, WaterD},
        {Woods, WoodsB, WoodsC, WoodsD},
        {Orchard, OrchardB, OrchardC, OrchardD},
        {Scrub, ScrubB, ScrubC, ScrubD}};
    std::vector<int32_t> full;
    for (int32_t s : order) {
        full.push_back(s);
        for (const auto& family : variants)
            if (family.front() == s) full.insert(full.end(), family.begin() + 1, family.end());
    }
    return full;
}

} // namespace

const std::vector<TerrainSymbolRecipe>& StockTerrainSymbols() {
    static const std::vector<TerrainSymbolRecipe> recipes = Build();
    return recipes;
}

const std::vector<int32_t>& StockTerrainOrder() {
    static const std::vector<int32_t> order = BuildOrder();
    return order;
}

} // namespace k2stock
