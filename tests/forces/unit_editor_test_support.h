// Shared set-up for the unit editor tests: the stock unit set, equipment tables with guns of
// every weight class, and recorders for the editor's sounds, messages and definition tables.
#pragma once

#include "common/recorders.h"
#include "common/stock_symbols.h"

#include "forces/forces_fixture.h"
#include "forces/unit_editor_logic.h"
#include "graphics/symbol_set.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace k2test {

using k2::test::StockSymbols;

// The forces tables plus missile weapons at the weight bounds that change movement points.
inline k2::EquipmentTables EditorTables() {
    k2::EquipmentTables t = MakeTables();
    t.MissileWeapons[4] = {k2::FixedText<27>("Bombard"), 1000, 20, 120, 0, 1, 1};
    t.MissileWeapons[5] = {k2::FixedText<27>("Culverin"), 999, 16, 80, 0, 1, 1};
    t.MissileWeapons[6] = {k2::FixedText<27>("Falconet"), 500, 12, 60, 0, 1, 1};
    t.MissileWeapons[7] = {k2::FixedText<27>("Swivel"), 499, 10, 50, 0, 1, 1};
    t.MissileCount = 8;
    return t;
}

using RecordingSounds = k2::test::SoundRecorder;

using RecordingBoxes = k2::test::MessageBoxRecorder;

class RecordingTables : public k2::DefinitionTablesOpener {
  public:
    std::vector<int32_t> shown;
    void ShowDefinitionTable(int32_t table) override { shown.push_back(table); }
};

// A battle for the editor: the stock reinforcement markers, a 12 x 12 grid and two wings.
inline k2::Scenario EditorBattle() {
    k2::test::BattleShape shape = ForcesShape(12, 12);
    shape.stockMarkers = true;
    return k2::test::Battle(shape);
}

} // namespace k2test
