// Terrain > Generate Terrain as an edit: the generated map laid over the open battle is one step
// of the edit history, so that a single Undo gives the old terrain back.
#pragma once

#include "core/scenario.h"
#include "core/status.h"
#include "edit/edit_history.h"
#include "generate/role_table.h"
#include "generate/terrain_generator.h"

#include <string_view>

namespace k2 {

namespace step {
constexpr std::string_view GenerateTerrain = "Generate Terrain";
} // namespace step

struct GenerateTerrainOutcome {
    Status Result;     // a refusal's message for the user
    StepChange Change; // what the step changed, for the redraw (nothing after a refusal)
};

// Generates the battle's terrain with `settings` and records it as the step "Generate Terrain".
// Refused settings, a map too small or a table the battle's terrain set cannot hold change
// nothing and record no step.
GenerateTerrainOutcome RecordTerrainGeneration(EditHistory& history, Scenario& battle, const RoleTable& roles,
                                               const GeneratorSettings& settings);

// Lays a map generated before (a dialog's preview) over the battle as the same step; a map of
// another size is refused.
GenerateTerrainOutcome RecordGeneratedMap(EditHistory& history, Scenario& battle, const GeneratedMap& map);

} // namespace k2
