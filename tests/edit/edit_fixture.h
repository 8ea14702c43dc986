// A small battle with an edit session over recorders, for the tests of the edit modes: clicks
// go through the real dispatch and history, exactly as the map's clicks do.
#pragma once

#include "common/battle_builder.h"
#include "common/recorders.h"
#include "common/redraw_recorder.h"
#include "core/scenario.h"
#include "edit/edit_session.h"

#include <memory>
#include <vector>

namespace k2::test {

class TerrainRecorder : public TerrainFeedback {
  public:
    void ShowPlacedTerrain(int32_t terrain) override { shown.push_back(terrain); }
    std::vector<int32_t> shown;
};

// A battle of cols x rows hexes, every primary terrain `terrain`, with its session. A test that
// changes the battle before its first click resets the history, as opening a battle does.
class EditFixture {
  public:
    EditFixture(int32_t cols, int32_t rows, int32_t terrain = 0, std::vector<uint32_t> draws = {0})
        : battle(MakeBattle({.cols = cols, .rows = rows, .terrain = terrain})), random(std::move(draws)) {
        history = std::make_unique<EditHistory>(*battle);
        history->AddListener(&redraw);
        session = std::make_unique<EditSession>(*battle, edit, *history,
                                                EditSeams{sounds, boxes, random, zoom, feedback, dialogs});
    }

    HexCell& Cell(int32_t hex) { return battle->Hexes[std::size_t(hex)]; }
    ClickOutcome Click(int32_t hex, MapButton button = MapButton::Left) {
        ClickOutcome outcome = session->Dispatch().Press(true, button, hex);
        session->Dispatch().Release();
        return outcome;
    }
    void Select(EditMode mode, int8_t use, int32_t terrain) {
        edit.Mode = mode;
        edit.PickerUse = use;
        edit.SelectedTerrain = edit.SelectedBaseTerrain = terrain;
    }

    std::unique_ptr<Scenario> battle;
    EditState edit;
    DisplaySwitches switches;
    SoundRecorder sounds;
    MessageBoxRecorder boxes;
    SequenceRandom random;
    RedrawRecorder redraw;
    NoZoom zoom;
    TerrainRecorder feedback;
    NoDialogs dialogs;
    std::unique_ptr<EditHistory> history;
    std::unique_ptr<EditSession> session;
};

} // namespace k2::test
