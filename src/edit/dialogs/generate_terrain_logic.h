// The rules of Terrain > Generate Terrain without its widgets: the seed and the sliders, the
// preview of the whole map that follows them, and OK, which lays the previewed map over the
// battle as one step of the edit history.
#pragma once

#include "core/random_source.h"
#include "core/scenario.h"
#include "edit/edit_history.h"
#include "edit/generate_terrain.h"
#include "generate/role_table.h"
#include "generate/terrain_generator.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace k2 {

// The colours of the preview, 0xRRGGBB, by what a hex shows: the topmost of village, river, road,
// woods or houses, else its ground.
namespace preview {
constexpr uint32_t Border = 0x3A3F4A, Open = 0x8CBF4F, Fields = 0xE6C15A, Marsh = 0x6F8F5F, Water = 0x3F78C8;
constexpr uint32_t Hill[3] = {0xC3C48C, 0xB39564, 0x8E6A44};
constexpr uint32_t Woods = 0x2E6A2A, Houses = 0xB0604A, Village = 0xC0392B, Road = 0xD9B47A, River = 0x2F62B8;
} // namespace preview

class GenerateTerrainLogic {
  public:
    GenerateTerrainLogic(Scenario& battle, const RoleTable& roles, EditHistory& history,
                         RandomSource& random);

    // Fills the working values for a showing: a new seed, the sliders as they were left at the
    // last OK (the proposals the first time), the preview to be made.
    void Activate();

    // "New Seed": a seed drawn at random.
    void NewSeed();
    // A seed typed in the seed box: digits only, at most 4294967295; anything else is ignored
    // and false returned.
    bool SetSeedText(std::string_view text);
    // A slider of `Sliders` moved (the value is kept within 0 to 100).
    void SetSlider(std::size_t slider, int32_t value);

    const GeneratorSettings& Settings() const { return settings_; }
    std::string SeedText() const { return std::to_string(settings_.Seed); }

    // Makes the preview for the current settings if they changed since the last one; true when a
    // new one was made. The dialog calls it once the events of a slider drag are handled.
    bool RefreshPreview();
    bool PreviewStale() const { return stale_; }
    // One colour per hex of the previewed map, in hex index order (empty while it is stale).
    const std::vector<uint32_t>& PreviewColours() const { return colours_; }
    int32_t Cols() const { return battle_.Cols; }
    int32_t Rows() const { return battle_.Rows; }
    // Why no preview could be made (the map is too small, ...): "" when there is one.
    const std::string& Problem() const { return problem_; }

    // OK: lays the map of the current settings over the battle as the step "Generate Terrain"
    // and keeps the sliders for the next showing. A refusal changes nothing.
    GenerateTerrainOutcome Ok();

  private:
    void Colour();

    Scenario& battle_;
    const RoleTable& roles_;
    EditHistory& history_;
    RandomSource& random_;
    std::vector<TerrainRoleEntry> index_;
    GeneratorSettings settings_;
    GeneratorSettings kept_; // the sliders of the last OK
    GeneratedMap map_;
    std::vector<uint32_t> colours_;
    std::string problem_;
    bool stale_ = true;
};

} // namespace k2
