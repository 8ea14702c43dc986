// The tool of the MapText mode: a left click makes the hex the current one and opens the map
// text dialog on it. The dialog changes the battle directly; the click dispatch makes the
// whole session one step and draws what it changed.
#pragma once

#include "core/edit_state.h"
#include "core/platform.h"
#include "edit/edit_names.h"
#include "edit/edit_tool.h"

#include <cstdint>

namespace k2 {

// What opens the map text dialog (TAddLocation) on EditState::CurrentHex; implemented by the
// application's dialog host. Returns how it was closed.
class MapTextDialogs {
  public:
    virtual ~MapTextDialogs() = default;
    virtual DialogResult RunMapTextDialog() = 0;
};

class MapTextTool : public EditTool {
  public:
    MapTextTool(EditState& edit, MapTextDialogs& dialogs) : edit_(edit), dialogs_(dialogs) {}

    std::string StepName() const override { return std::string(step::MapText); }
    ToolResult LeftClick(int32_t hex) override;

  private:
    EditState& edit_;
    MapTextDialogs& dialogs_;
};

} // namespace k2
