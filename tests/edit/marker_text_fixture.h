// Shared helpers of the marker, stakes and map text tests: recorders of the platform seams, a
// small battle with units placed by hand, and the stock symbol set loaded once.
#pragma once

#include "common/battle_builder.h"
#include "common/recorders.h"
#include "common/stock_symbols.h"

#include "core/platform.h"
#include "core/scenario.h"
#include "graphics/symbol_set.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace k2test_markers {

using RecordingSounds = k2::test::SoundRecorder;

using RecordingBoxes = k2::test::MessageBoxRecorder;

// A cols x rows battle of open ground inside a border ring, with the stock marker symbols.
inline std::unique_ptr<k2::Scenario> SmallBattle(int32_t cols = 12, int32_t rows = 10) {
    return k2::test::MakeBattle(
        {.cols = cols, .rows = rows, .borderRing = true, .stockMarkers = true, .wings = {"Main"}});
}

// Places a unit and returns its number.
inline int32_t PlaceUnit(k2::Scenario& battle, int32_t hex, int32_t side, int32_t activation = 1,
                         int32_t hasStakes = 0) {
    const int32_t u = k2::test::AddUnit(battle, hex,
                                        {.Name = {"Unit " + std::to_string(battle.UnitCount + 1)},
                                         .Symbol = side == k2::SideWestern ? 0 : 1,
                                         .ActivationTurn = activation,
                                         .Side = side,
                                         .HasStakes = hasStakes});
    if (activation >= 2)
        battle.Hexes[std::size_t(hex)].ReinforcementMarker =
            battle.MarkerSymbols[side == k2::SideWestern ? k2::MarkerWesternReinforcement
                                                         : k2::MarkerEasternReinforcement];
    return u;
}

using k2::test::StockSymbols;

// Saves a picture of `widget` into $K2_SCREENSHOT_DIR (when set), for looking at the dialogs.
inline void SaveScreenshot(QWidget& widget, const char* name) {
    const char* dir = std::getenv("K2_SCREENSHOT_DIR");
    if (!dir || !*dir) return;
    widget.grab().save(QString("%1/%2.png").arg(dir, name));
}

} // namespace k2test_markers
