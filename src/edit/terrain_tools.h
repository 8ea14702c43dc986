// The terrain modes: placing primary terrain, adding and removing secondary terrain, and the
// fill of a connected region of one primary terrain, with the look-alike variants they lay down
// and the map border they protect.
#pragma once

#include "core/edit_state.h"
#include "core/platform.h"
#include "core/random_source.h"
#include "core/scenario.h"
#include "edit/edit_history.h"
#include "edit/edit_names.h"
#include "edit/edit_tool.h"
#include "edit/map_click_dispatch.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace k2 {

// Where the placed terrain is named for the user (the info panel's PrmTer label).
class TerrainFeedback {
  public:
    virtual ~TerrainFeedback() = default;
    virtual void ShowPlacedTerrain(int32_t terrain) = 0;
};

class NoTerrainFeedback : public TerrainFeedback {
  public:
    void ShowPlacedTerrain(int32_t) override {}
};

// A base terrain and the four terrains laid down for it, the base first.
struct VariantList {
    bool forPrimary; // the Primary use; otherwise the Fill and Secondary uses
    std::array<int32_t, 4> terrains;
};
const std::array<VariantList, 9>& VariantLists();

// The variant list of `base` for the picker use `use`, null when the base has none there.
const VariantList* VariantListFor(int8_t use, int32_t base);

// Picks the terrain the next placement lays down: for a base with a variant list in the
// picker's current use, one of its four at random (SelectedTerrain becomes it); otherwise
// SelectedTerrain as it is.
int32_t PickVariant(EditState& edit, RandomSource& random);

constexpr const char* BorderRefusal = "Border hexes cannot be changed.";

// The region the fill works on: `start` and every hex connected to it through hexes of the same
// primary terrain (an empty one counting as terrain 0), by the fill's grid steps; in hex order.
std::vector<int32_t> FillRegion(const Scenario& scenario, int32_t start);

// The hexes of the map a brush of `radius` centred on `hex` paints, border hexes left out, in
// hex index order.
std::vector<int32_t> BrushTargets(const Scenario& scenario, int32_t hex, int32_t radius);
// Every hex of that brush on the map, border hexes included: what a click may change.
DiffScope BrushScope(const Scenario& scenario, int32_t hex, int32_t radius);

// The hexes a brush has painted in the stroke now under way, so that a stroke paints each hex
// once however often the brush passes over it.
class StrokeMemory {
  public:
    void Begin() { painted_.clear(); }
    // True the first time `hex` is asked for in the stroke.
    bool First(int32_t hex) { return painted_.insert(hex).second; }

  private:
    std::unordered_set<int32_t> painted_;
};

class PlacePrimaryTool : public EditTool {
  public:
    PlacePrimaryTool(Scenario& scenario, EditState& edit, RandomSource& random, EditHistory& history,
                     TerrainFeedback& feedback)
        : scenario_(scenario), edit_(edit), random_(random), history_(history), feedback_(feedback) {}

    std::string StepName() const override { return std::string(step::PlacePrimary); }
    // Paints every hex of the brush (EditState::BrushRadius), each with its own variant draw.
    ToolResult LeftClick(int32_t hex) override;
    bool PaintsOnDrag() const override { return true; }
    void BeginStroke() override { stroke_.Begin(); }
    DiffScope Scope(int32_t hex) const override { return BrushScope(scenario_, hex, edit_.BrushRadius); }

  private:
    Scenario& scenario_;
    EditState& edit_;
    RandomSource& random_;
    EditHistory& history_;
    TerrainFeedback& feedback_;
    StrokeMemory stroke_;
};

// Left button adds the selected secondary terrain, right button removes the top one.
class PlaceSecondaryTool : public EditTool {
  public:
    PlaceSecondaryTool(Scenario& scenario, EditState& edit, RandomSource& random, EditHistory& history)
        : scenario_(scenario), edit_(edit), random_(random), history_(history) {}

    std::string StepName() const override { return std::string(step::PlaceSecondary); }
    std::string OtherStepName() const override { return std::string(step::RemoveSecondary); }
    ToolResult LeftClick(int32_t hex) override;
    // Takes the top secondary terrain off every hex of the brush.
    ToolResult OtherClick(int32_t hex) override;
    bool PaintsOnDrag() const override { return true; }
    void BeginStroke() override { stroke_.Begin(); }
    // The removal's brush; the left button adds on the one hex.
    DiffScope Scope(int32_t hex) const override { return BrushScope(scenario_, hex, edit_.BrushRadius); }

  private:
    Scenario& scenario_;
    EditState& edit_;
    RandomSource& random_;
    EditHistory& history_;
    StrokeMemory stroke_;
};

// Fills the region of the clicked hex's primary terrain, shows it and asks whether to keep it;
// "No" puts every primary terrain back as it was.
class FillPrimaryTool : public EditTool {
  public:
    FillPrimaryTool(Scenario& scenario, EditState& edit, RandomSource& random, EditHistory& history,
                    MessageBoxes& boxes)
        : scenario_(scenario), edit_(edit), random_(random), history_(history), boxes_(boxes) {}

    std::string StepName() const override { return std::string(step::FillPrimary); }
    ToolResult LeftClick(int32_t hex) override;

  private:
    Scenario& scenario_;
    EditState& edit_;
    RandomSource& random_;
    EditHistory& history_;
    MessageBoxes& boxes_;
};

} // namespace k2
