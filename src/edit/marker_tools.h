// The tools of the Caltrops and Stakes modes: a left click lays or lifts caltrops, plants or
// pulls up archer stakes. Both belong to the hex, not to a unit. Entering either mode marks
// the battle modified; that is the mode command's work, not the click's.
#pragma once

#include "core/platform.h"
#include "core/scenario.h"
#include "edit/edit_names.h"
#include "edit/edit_tool.h"

namespace k2 {

// The stakes symbol a unit of `side` plants: the table's Stakes symbol for the Western side,
// the symbol after it for any other side.
int32_t StakesSymbolFor(const Scenario& scenario, int32_t side);

class CaltropsTool : public EditTool {
  public:
    CaltropsTool(Scenario& scenario, SoundPlayer& sounds) : scenario_(scenario), sounds_(sounds) {}

    std::string StepName() const override { return std::string(step::Caltrops); }
    DiffScope Scope(int32_t hex) const override { return DiffScope::Cells({hex}); }
    // Toggles the hex's caltrops. Refused when the battle's marker table gives caltrops no
    // symbol (0), since laying them would change nothing.
    ToolResult LeftClick(int32_t hex) override;

  private:
    Scenario& scenario_;
    SoundPlayer& sounds_;
};

class StakesTool : public EditTool {
  public:
    StakesTool(Scenario& scenario, SoundPlayer& sounds) : scenario_(scenario), sounds_(sounds) {}

    std::string StepName() const override { return std::string(step::Stakes); }
    DiffScope Scope(int32_t hex) const override { return DiffScope::Cells({hex}); }
    // Pulls up the hex's stakes (no unit needed), or plants them for the unit on the hex when
    // it carries stakes; refused otherwise.
    ToolResult LeftClick(int32_t hex) override;

  private:
    Scenario& scenario_;
    SoundPlayer& sounds_;
};

} // namespace k2
