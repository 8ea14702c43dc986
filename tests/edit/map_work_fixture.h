// A battle built hex by hex for the tests of structures, objectives and the map trimmer, with
// recorders for the platform seams and the stock terrain set.
#pragma once

#include "common/recorders.h"
#include "common/stock_symbols.h"

#include "core/platform.h"
#include "core/scenario.h"
#include "edit/map_click_dispatch.h"
#include "graphics/symbol_set.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace k2test::mapwork {

// A rows x cols battle whose border ring is border terrain and whose inner hexes carry a primary
// terrain and a first secondary slot that name their own place, so a moved hex can be recognised.
std::unique_ptr<k2::Scenario> MakeBattle(int32_t rows, int32_t cols);

// Appends a record at (row, col) and points the hex at it; returns its number.
int32_t AddUnit(k2::Scenario& s, int32_t row, int32_t col, const std::string& name,
                int32_t side = k2::SideWestern);
int32_t AddStructure(k2::Scenario& s, int32_t row, int32_t col, const std::string& name, int32_t symbol = 0);
int32_t AddObjective(k2::Scenario& s, int32_t row, int32_t col, const std::string& name);
int32_t AddMapText(k2::Scenario& s, int32_t row, int32_t col, const std::string& text);

// Every record names a hex that refers back to it, and every hex reference names a record that
// stands on that hex. Returns the first fault found, "" when there is none.
std::string Inconsistency(const k2::Scenario& s);

// The hex of the record of `table` (1..count) whose `field` is `name`; -1 when there is none.
template <typename Table, typename Field>
int32_t HexOf(const Table& table, int32_t count, Field field, const std::string& name) {
    for (int32_t k = 1; k <= count; ++k) {
        if ((table[size_t(k)].*field) == name) return table[size_t(k)].Hex;
    }
    return -1;
}

// The stock terrain and unit sets of the generated installation, loaded once.
using k2::test::StockSymbols;

// Saves a picture of `widget` as <K2_SHOT_DIR>/<name>.png when that variable is set.
void SaveShot(QWidget* widget, const QString& name);

using SoundRecorder = k2::test::SoundRecorder;

using BoxRecorder = k2::test::MessageBoxRecorder;

} // namespace k2test::mapwork
