// How the order of battle and the reinforcement schedule open the unit editor on the unit of a
// double-clicked row, without knowing the editor's widget: the application's dialog host
// implements it (it points CurrentHex at the unit's hex and runs the editor as one undo step).
#pragma once

#include "core/platform.h"

#include <cstdint>

namespace k2 {

class UnitEditorOpener {
  public:
    virtual ~UnitEditorOpener() = default;
    // Opens the unit editor on unit number `unit`: Ok when it kept a change.
    virtual DialogResult OpenUnitEditor(int32_t unit) = 0;
};

} // namespace k2
