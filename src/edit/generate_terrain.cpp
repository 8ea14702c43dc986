#include "edit/generate_terrain.h"

namespace k2 {

GenerateTerrainOutcome RecordTerrainGeneration(EditHistory& history, Scenario& battle, const RoleTable& roles,
                                               const GeneratorSettings& settings) {
    // The map is made before the step opens, so that a refusal leaves no trace in the history.
    GeneratedMap map;
    Status made = GenerateMap(battle, roles, settings, map);
    if (!made) return {made, {}};
    return RecordGeneratedMap(history, battle, map);
}

GenerateTerrainOutcome RecordGeneratedMap(EditHistory& history, Scenario& battle, const GeneratedMap& map) {
    if (map.Cols != battle.Cols || map.Rows != battle.Rows)
        return {Status::Fail("The generated map no longer fits the battle's map."), {}};
    StepChange change = history.Record(step::GenerateTerrain, [&] { ApplyGeneratedMap(battle, map); });
    return {Status::Ok(), std::move(change)};
}

} // namespace k2
