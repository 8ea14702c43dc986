// Recorders for the platform seams and the unit editor seam that the forces dialogs call.
#pragma once

#include "common/recorders.h"

#include "core/platform.h"
#include "forces/unit_editor_opener.h"

#include <functional>
#include <utility>
#include <vector>

namespace k2test {

using SoundRecorder = k2::test::SoundRecorder;

using BoxRecorder = k2::test::MessageBoxRecorder;

// Records the units it was asked to open and runs `edit` on each, as the editor would.
class EditorRecorder : public k2::UnitEditorOpener {
  public:
    std::vector<int32_t> opened;
    std::function<void(int32_t)> edit;
    k2::DialogResult result = k2::DialogResult::Ok;
    k2::DialogResult OpenUnitEditor(int32_t unit) override {
        opened.push_back(unit);
        if (edit) edit(unit);
        return result;
    }
};

} // namespace k2test
