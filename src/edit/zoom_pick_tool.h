// The zoom pick: the ZoomIn button makes the next left click on a hex zoom in there, and then
// the mode that was active before the button returns. It changes only the view.
#pragma once

#include "core/edit_state.h"
#include "edit/edit_names.h"
#include "edit/edit_tool.h"

namespace k2 {

class ZoomView {
  public:
    virtual ~ZoomView() = default;
    virtual void ZoomInAt(int32_t hex) = 0;
    virtual void SetZoomCursor(bool zoom) = 0;
};

class ZoomPickTool : public EditTool {
  public:
    ZoomPickTool(EditState& edit, ZoomView& view) : edit_(edit), view_(view) {}

    // The ZoomIn button.
    void Begin();
    // A zoom by other means (keys, the ZoomOut button) ends a pending pick.
    void Cancel();

    std::string StepName() const override { return std::string(step::ZoomIn); }
    ToolResult LeftClick(int32_t hex) override;

  private:
    EditState& edit_;
    ZoomView& view_;
};

} // namespace k2
