// Recorders for the platform seams and the unit editor seam that the forces dialogs call.
#pragma once

#include "core/platform.h"
#include "forces/unit_editor_opener.h"

#include <functional>
#include <utility>
#include <vector>

namespace k2test {

class SoundRecorder : public k2::SoundPlayer {
  public:
    std::vector<int> played;
    bool Play(int number, int) override {
        played.push_back(number);
        return true;
    }
};

class BoxRecorder : public k2::MessageBoxes {
  public:
    std::vector<std::pair<int, int>> asked; // (layout, kind)
    void ShowPlain(const std::string&, const std::string&) override {}
    int Ask(int layout, int kind) override {
        asked.emplace_back(layout, kind);
        return k2::MsgResultYes;
    }
};

// Records the units it was asked to open and runs `edit` on each, as the editor would.
class EditorRecorder : public k2::UnitEditorOpener {
  public:
    std::vector<int32_t> opened;
    std::function<void(int32_t)> edit;
    int32_t result = 1;
    int32_t OpenUnitEditor(int32_t unit) override {
        opened.push_back(unit);
        if (edit) edit(unit);
        return result;
    }
};

} // namespace k2test
