#include "edit/dialogs/generate_terrain_logic.h"

#include <algorithm>

namespace k2 {

GenerateTerrainLogic::GenerateTerrainLogic(Scenario& battle, const RoleTable& roles, EditHistory& history,
                                           RandomSource& random)
    : battle_(battle), roles_(roles), history_(history), random_(random), index_(roles.Index()) {}

void GenerateTerrainLogic::Activate() {
    index_ = roles_.Index();
    settings_ = kept_;
    NewSeed();
}

void GenerateTerrainLogic::NewSeed() {
    settings_.Seed = random_.Next();
    stale_ = true;
}

bool GenerateTerrainLogic::SetSeedText(std::string_view text) {
    if (text.empty() || text.size() > 10) return false;
    uint64_t seed = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        seed = seed * 10 + uint64_t(c - '0');
    }
    if (seed > UINT32_MAX) return false;
    if (settings_.Seed != uint32_t(seed)) stale_ = true;
    settings_.Seed = uint32_t(seed);
    return true;
}

void GenerateTerrainLogic::SetSlider(std::size_t slider, int32_t value) {
    if (slider >= Sliders.size()) return;
    int32_t& setting = settings_.*Sliders[slider].Value;
    value = std::clamp(value, 0, GeneratorSettings::MaxSlider);
    if (setting != value) stale_ = true;
    setting = value;
}

bool GenerateTerrainLogic::RefreshPreview() {
    if (!stale_) return false;
    stale_ = false;
    const Status made = GenerateMap(battle_, roles_, settings_, map_);
    problem_ = made ? std::string() : made.message;
    if (made)
        Colour();
    else
        colours_.clear();
    return true;
}

void GenerateTerrainLogic::Colour() {
    const auto role = [this](int32_t terrain) {
        return terrain >= 0 && std::size_t(terrain) < index_.size() ? index_[std::size_t(terrain)]
                                                                    : TerrainRoleEntry{};
    };
    colours_.assign(map_.Primary.size(), preview::Border);
    for (std::size_t h = 0; h < map_.Primary.size(); ++h) {
        const TerrainRoleEntry ground = role(map_.Primary[h]);
        uint32_t colour = preview::Border;
        switch (ground.Role) {
        case TerrainRole::Open:
            colour = preview::Open;
            break;
        case TerrainRole::Fields:
            colour = preview::Fields;
            break;
        case TerrainRole::Marsh:
            colour = preview::Marsh;
            break;
        case TerrainRole::Water:
            colour = preview::Water;
            break;
        case TerrainRole::Hill:
            colour = preview::Hill[std::clamp(ground.Elevation, 1, 3) - 1];
            break;
        default:
            break;
        }
        // The layers over the ground, the most telling last.
        int rank = 0;
        for (int32_t t : map_.Secondary[h]) {
            const TerrainRole r = role(t).Role;
            const int here = r == TerrainRole::River ? 4
                             : r == TerrainRole::Road || r == TerrainRole::Bridge || r == TerrainRole::Ford
                                 ? 3
                             : r == TerrainRole::Woods  ? 2
                             : r == TerrainRole::Houses ? 1
                                                        : 0;
            if (here <= rank) continue;
            rank = here;
            colour = here == 4   ? preview::River
                     : here == 3 ? preview::Road
                     : here == 2 ? preview::Woods
                                 : preview::Houses;
        }
        colours_[h] = colour;
    }
    for (const GeneratedVillage& v : map_.Villages)
        if (v.Hex >= 0 && std::size_t(v.Hex) < colours_.size())
            colours_[std::size_t(v.Hex)] = preview::Village;
}

GenerateTerrainOutcome GenerateTerrainLogic::Ok() {
    RefreshPreview();
    if (!problem_.empty()) return {Status::Fail(problem_), {}};
    GenerateTerrainOutcome outcome = RecordGeneratedMap(history_, battle_, map_);
    if (outcome.Result) {
        kept_ = settings_;
        // The battle now holds the previewed map: a later preview is made afresh.
        stale_ = true;
    }
    return outcome;
}

} // namespace k2
