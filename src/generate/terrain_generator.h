// The terrain generator: from a seed and seven sliders it lays a plausible battlefield over a
// battle's map (hills that rise to their tops, woods in clumps, marsh and lakes, fields, villages
// on their roads, rivers from edge to edge, roads that cross rivers by bridges and fords), with
// the terrain numbers of a role table. The same seed and settings give the same map everywhere.
#pragma once

#include "core/scenario.h"
#include "core/status.h"
#include "generate/role_table.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace k2 {

// Each slider from 0 to 100.
struct GeneratorSettings {
    static constexpr int32_t MaxSlider = 100;

    uint32_t Seed = 1;
    int32_t Hills = 30;
    int32_t Woods = 30;
    int32_t Water = 15; // marsh and water
    int32_t Fields = 30;
    int32_t Villages = 40;
    int32_t Roads = 50;
    int32_t Rivers = 35;

    bool operator==(const GeneratorSettings&) const = default;
};

// The sliders by name, in the order the dialog and k2tool show them.
struct SliderInfo {
    const char* Name; // "hills", "woods", "water", "fields", "villages", "roads", "rivers"
    const char* Caption;
    int32_t GeneratorSettings::*Value;
};
extern const std::array<SliderInfo, 7> Sliders;

// What the settings ask of a map of `cols` x `rows`. The four area sliders ask for a share of
// the inner hexes (all but the border ring): slider% of 40 % hills, 35 % woods, 25 % marsh and
// water, 30 % fields. The others ask for a number that grows with the map: villages up to one
// for every 400 inner hexes (at least 1, at most 100), roads from edge to edge up to one for
// every 50 of columns plus rows, rivers from edge to edge up to one for every 100 (at least one
// each on a map big enough to hold them). A small map with every slider high may not have room
// for all of it: the woods, laid last, then get what is left.
struct GeneratorTargets {
    int32_t HillHexes = 0;
    int32_t WoodsHexes = 0;
    int32_t WetHexes = 0; // marsh and water
    int32_t FieldHexes = 0;
    int32_t Villages = 0;
    int32_t Roads = 0;
    int32_t Rivers = 0;
};
GeneratorTargets TargetsFor(int32_t cols, int32_t rows, const GeneratorSettings& settings);

struct GeneratedVillage {
    int32_t Hex = 0;
    int32_t Symbol = 0;
    std::string Name;
    int32_t Side = SideWestern;
};

// A generated map: every hex's primary terrain and secondary slots, and the villages.
struct GeneratedMap {
    int32_t Cols = 0;
    int32_t Rows = 0;
    std::vector<int32_t> Primary;
    std::vector<std::array<int32_t, SecondarySlotCount>> Secondary;
    std::vector<GeneratedVillage> Villages;
};

// "Hills must be from 0 to 100." for the first slider out of range, or Ok.
Status CheckSettings(const GeneratorSettings& settings);

// Whether the terrain of `battle` can be generated with `roles`: a map of at least 3 x 3 and a
// table with every role the generator lays. Ok, or the reason for the user. (Whether the
// battle's terrain set holds the numbers the table names is CheckRoleTableFits.)
Status CheckGeneratorInput(const Scenario& battle, const RoleTable& roles);

// Generates a map the size of `battle`'s. Hexes holding a unit or a reinforcement marker never
// become lake or river, and a village on a unit's hex belongs to the unit's side (elsewhere the
// western half of the map is Western). Fails, with `out` unchanged, when the settings or the
// input are refused.
Status GenerateMap(const Scenario& battle, const RoleTable& roles, const GeneratorSettings& settings,
                   GeneratedMap& out);

// Lays a generated map of the battle's size over the battle: every hex's primary and secondary
// terrain, the border ring primary terrain 13 without secondary terrain, and the villages as
// the battle's structures (the structures it had give way). Units, objectives, markers and map
// text stay. Does nothing for a map of another size.
void ApplyGeneratedMap(Scenario& battle, const GeneratedMap& map);

// Both in one.
Status GenerateTerrain(Scenario& battle, const RoleTable& roles, const GeneratorSettings& settings);

} // namespace k2
