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

class PlacePrimaryTool : public EditTool {
  public:
    PlacePrimaryTool(Scenario& scenario, EditState& edit, RandomSource& random, EditHistory& history,
                     TerrainFeedback& feedback)
        : scenario_(scenario), edit_(edit), random_(random), history_(history), feedback_(feedback) {}

    std::string StepName() const override { return std::string(step::PlacePrimary); }
    ToolResult LeftClick(int32_t hex) override;
    bool PaintsOnDrag() const override { return true; }

  private:
    Scenario& scenario_;
    EditState& edit_;
    RandomSource& random_;
    EditHistory& history_;
    TerrainFeedback& feedback_;
};

// Left button adds the selected secondary terrain, right button removes the top one.
class PlaceSecondaryTool : public EditTool {
  public:
    PlaceSecondaryTool(Scenario& scenario, EditState& edit, RandomSource& random, EditHistory& history)
        : scenario_(scenario), edit_(edit), random_(random), history_(history) {}

    std::string StepName() const override { return std::string(step::PlaceSecondary); }
    std::string OtherStepName() const override { return std::string(step::RemoveSecondary); }
    ToolResult LeftClick(int32_t hex) override;
    ToolResult OtherClick(int32_t hex) override;
    bool PaintsOnDrag() const override { return true; }

  private:
    Scenario& scenario_;
    EditState& edit_;
    RandomSource& random_;
    EditHistory& history_;
};

// Fills the region of the clicked hex's primary terrain, shows it and asks whether to keep it;
// "No" puts every primary terrain back as it was.
class FillPrimaryTool : public EditTool {
  public:
    FillPrimaryTool(Scenario& scenario, EditState& edit, RandomSource& random, EditHistory& history,
                    MessageBoxes& boxes, MapRedraw& redraw)
        : scenario_(scenario), edit_(edit), random_(random), history_(history), boxes_(boxes),
          redraw_(redraw) {}

    std::string StepName() const override { return std::string(step::FillPrimary); }
    ToolResult LeftClick(int32_t hex) override;

  private:
    Scenario& scenario_;
    EditState& edit_;
    RandomSource& random_;
    EditHistory& history_;
    MessageBoxes& boxes_;
    MapRedraw& redraw_;
};

} // namespace k2
