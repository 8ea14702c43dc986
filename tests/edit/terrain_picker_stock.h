// The stock terrain set and definitions that the terrain picker tests work on, loaded once.
#pragma once

#include "common/recorders.h"

#include "core/platform.h"
#include "core/scenario.h"
#include "graphics/symbol_set.h"

#include <string>
#include <utility>
#include <vector>

namespace k2test {

// The stock K2T/K2U sets, loaded from a copy of the stock installation's scenarios (the loader
// writes mask files, which must not land in the shared installation).
const k2::SymbolSet& StockSymbols();
// The stock sysdefs/K2Ter.Def read into `scenario`.
void ReadStockDefinitions(k2::Scenario& scenario);

using RecordingBoxes = k2::test::MessageBoxRecorder;

} // namespace k2test
