#include "stockgen/role_table_file.h"

#include "stockgen/bridge_spans.h"
#include "stockgen/terrain_catalogue.h"

#include <stdexcept>

namespace k2stock {

k2::RoleTable StockRoleTable() {
    const auto& recipes = StockTerrainSymbols();
    k2::RoleTable t;
    t.TerrainCount = int32_t(recipes.size());
    std::array<bool, 6> roads{}, rivers{};
    bool ford = false;
    for (int32_t place = 0; place < int32_t(recipes.size()); ++place) {
        const TerrainSymbolRecipe& r = recipes[std::size_t(place)];
        const auto side = [&r] {
            if (r.param < 0 || r.param > 5) throw std::logic_error("route piece without a side: " + r.name);
            return std::size_t(r.param);
        };
        switch (r.art) {
        case TerrainArt::OpenGround:
            t.Open.push_back(place);
            break;
        case TerrainArt::Wheat:
            t.Fields.push_back(place);
            break;
        case TerrainArt::Woods:
            t.Woods.push_back(place);
            break;
        case TerrainArt::Marsh:
            t.Marsh.push_back(place);
            break;
        case TerrainArt::Water:
            t.Water.push_back(place);
            break;
        case TerrainArt::Hill:
            if (r.param < 1 || r.param > 3 || r.elevation != r.param)
                throw std::logic_error("hill without a matching level: " + r.name);
            t.Hills[std::size_t(r.param - 1)].push_back(place);
            break;
        case TerrainArt::Road:
            t.Road[side()] = place;
            roads[side()] = true;
            break;
        case TerrainArt::River:
            t.River[side()] = place;
            rivers[side()] = true;
            break;
        case TerrainArt::Bridge:
            if (r.param < 0 || r.param > 2) throw std::logic_error("bridge without a span: " + r.name);
            t.Bridges.push_back({place, k2::HexDirection(BridgeSpanSides[r.param][0]),
                                 k2::HexDirection(BridgeSpanSides[r.param][1])});
            break;
        case TerrainArt::Ford:
            t.Ford = place;
            ford = true;
            break;
        case TerrainArt::Hamlet:
        case TerrainArt::Farmstead:
            t.Houses.push_back(place);
            break;
        case TerrainArt::Village:
        case TerrainArt::Church:
            t.Villages.push_back(place);
            break;
        default:
            break;
        }
    }
    for (std::size_t side = 0; side < 6; ++side)
        if (!roads[side] || !rivers[side]) throw std::logic_error("a road or river side has no piece");
    if (!ford) throw std::logic_error("the terrain set has no ford");
    return t;
}

} // namespace k2stock
