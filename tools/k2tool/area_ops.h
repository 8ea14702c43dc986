// The ops of k2tool edit for brushes, map selections and map areas: the Edit menu's Select,
// Copy, Cut, Delete and Paste Map Area and Fill Selection, run through the editor's own code.
#pragma once

#include "k2tool/edit_script.h"

#include <cstdint>

namespace k2 {

// Adds select, select-region, select-all, select-none, invert-selection, copy-area, cut-area,
// delete-area, paste-area and fill-selection.
void RegisterAreaOps(EditScript& script);

// The optional "brush" argument (0 to 3); 0 when the op does not give it.
int32_t BrushArg(OpArgs& args);

} // namespace k2
