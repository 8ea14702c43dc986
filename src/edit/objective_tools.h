// The Objective mode: a left click opens the objective dialog on the hex, except that while the
// battle has an objective only an objective's own hex may be chosen. The dialog changes the
// battle directly; the click dispatch makes the whole session one undo step.
#pragma once

#include "core/edit_state.h"
#include "core/platform.h"
#include "core/scenario.h"
#include "edit/edit_names.h"
#include "edit/edit_tool.h"

#include <cstdint>

namespace k2 {

// Opens the objective dialog (TAddVHex) modally on EditState::CurrentHex; returns how it was
// closed.
class ObjectiveDialogs {
  public:
    virtual ~ObjectiveDialogs() = default;
    virtual DialogResult RunObjectiveDialog() = 0;
};

class ObjectiveTool : public EditTool {
  public:
    ObjectiveTool(const Scenario& scenario, EditState& edit, ObjectiveDialogs& dialogs)
        : scenario_(scenario), edit_(edit), dialogs_(dialogs) {}

    std::string StepName() const override { return std::string(step::Objective); }
    ToolResult LeftClick(int32_t hex) override;

  private:
    const Scenario& scenario_;
    EditState& edit_;
    ObjectiveDialogs& dialogs_;
};

} // namespace k2
