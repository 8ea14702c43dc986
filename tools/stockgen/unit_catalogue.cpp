#include "stockgen/unit_catalogue.h"

#include "stockgen/install_layout.h"
#include "stockgen/stock_catalogue.h"

#include <stdexcept>

namespace k2stock {
namespace {

std::vector<UnitPairRecipe> Build() {
    namespace u = unit;
    std::vector<UnitPairRecipe> pairs(u::PairCount);
    auto put = [&pairs](int32_t symbol, const char* name, UnitArt art) {
        if (symbol % 2 || symbol / 2 >= static_cast<int32_t>(pairs.size()) || !pairs[symbol / 2].name.empty())
            throw std::logic_error(std::string("bad unit place: ") + name);
        pairs[symbol / 2] = {name, art};
    };
    put(u::Spearmen, "Spearmen", UnitArt::Spear);
    put(u::Pikemen, "Pikemen", UnitArt::Pike);
    put(u::Swordsmen, "Swordsmen", UnitArt::Sword);
    put(u::Billmen, "Billmen", UnitArt::Bill);
    put(u::Axemen, "Axemen", UnitArt::Axe);
    put(u::Halberdiers, "Halberdiers", UnitArt::Halberd);
    put(u::Levy, "Levy", UnitArt::Levy);
    put(u::DismountedKnights, "Dismounted Knights", UnitArt::DismountedKnight);
    put(u::Bowmen, "Bowmen", UnitArt::Bow);
    put(u::Longbowmen, "Longbowmen", UnitArt::Longbow);
    put(u::Crossbowmen, "Crossbowmen", UnitArt::Crossbow);
    put(u::Handgunners, "Handgunners", UnitArt::Handgun);
    put(u::Slingers, "Slingers", UnitArt::Sling);
    put(u::Javelinmen, "Javelinmen", UnitArt::Javelin);
    put(u::Knights, "Knights", UnitArt::Knight);
    put(u::MenAtArms, "Men-at-Arms", UnitArt::MenAtArms);
    put(u::LightHorse, "Light Horse", UnitArt::LightHorse);
    put(u::HorseArchers, "Horse Archers", UnitArt::HorseArcher);
    put(u::MountedCrossbowmen, "Mounted Crossbowmen", UnitArt::MountedCrossbow);
    put(u::LightGun, "Light Gun", UnitArt::LightGun);
    put(u::MediumGun, "Medium Gun", UnitArt::MediumGun);
    put(u::HeavyGun, "Heavy Gun", UnitArt::HeavyGun);
    put(u::SupplyWagon, "Supply Wagon", UnitArt::Wagon);
    put(u::BaggageTrain, "Baggage Train", UnitArt::Baggage);
    put(u::FootLeader, "Foot Leader", UnitArt::FootLeader);
    put(u::MountedLeader, "Mounted Leader", UnitArt::MountedLeader);
    put(u::General, "General", UnitArt::General);
    for (const auto& pair : pairs)
        if (pair.name.empty()) throw std::logic_error("unit pair left empty");
    return pairs;
}

constexpr int CellSizes[layout::ZoomLevels] = {22, 36, 52};
constexpr int CounterSizes[layout::ZoomLevels] = {17, 29, 41};

// Where the renderer puts the cell's corner relative to the hex cell's corner.
int PlacementOffset(int level) {
    const int s = layout::CellSizes[level], w = CellSizes[level];
    return (w < s ? (s - w) / 4 : 0) + (level == 0 ? 2 : 0);
}

} // namespace

const std::vector<UnitPairRecipe>& StockUnitPairs() {
    static const std::vector<UnitPairRecipe> pairs = Build();
    return pairs;
}

int UnitCellSize(int level) {
    return CellSizes[level];
}
int UnitCounterSize(int level) {
    return CounterSizes[level];
}
double UnitCounterCentreX(int level) {
    return layout::CellSizes[level] / 2.0 - PlacementOffset(level);
}
double UnitCounterCentreY(int level) {
    return (layout::CellSizes[level] - 2) / 2.0 - PlacementOffset(level);
}

} // namespace k2stock
