// The unit modes through the real click dispatch and edit history: the clipboard with copy,
// cut and paste (also into another battle), the two clicks of Move Unit, the reinforcement-hex
// test, and the unit editor's opening from Units and Reinforcements clicks.
#include "common/recorders.h"
#include "common/redraw_recorder.h"
#include "edit/unit_tools.h"

#include "edit/map_click_dispatch.h"
#include "forces/forces_fixture.h"
#include "forces/unit_editor_logic.h"
#include "graphics/symbol_set.h"

#include <gmock/gmock.h>

namespace k2 {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using RecordingSounds = k2::test::SoundRecorder;

class RecordingInfo : public InfoLine {
  public:
    std::vector<std::string> texts;
    void SetInfoText(const std::string& text) override { texts.push_back(text); }
};

// Stands in for the unit editor: records how it was opened and runs what the test gives it.
class FakeUnitDialogs : public UnitDialogs {
  public:
    std::vector<std::pair<bool, int32_t>> opened; // reinforcement use, CurrentHex
    EditState* edit = nullptr;
    std::function<void()> session;
    DialogResult RunUnitEditor(bool reinforcementUse) override {
        opened.emplace_back(reinforcementUse, edit->CurrentHex);
        if (session) session();
        return DialogResult::Ok;
    }
};

FixedText<RecordNameChars> N(const char* name) {
    return FixedText<RecordNameChars>(name);
}

// A 10 x 10 battle with five units, unit 4 a reinforcement of the Eastern side.
Scenario SmallBattle() {
    k2::test::BattleShape shape = k2test::ForcesShape(10, 10);
    shape.stockMarkers = true;
    Scenario s = k2::test::Battle(shape);
    const char* names[] = {"One", "Two", "Three", "Four", "Five"};
    for (int32_t k = 0; k < 5; ++k)
        k2test::AddUnit(s, 11 + k, UnitRecord{.Name = N(names[k]), .Men = 20 + k});
    s.Units[4].ActivationTurn = 6;
    s.Units[4].Side = SideEastern;
    s.Hexes[14].ReinforcementMarker = s.MarkerSymbols[MarkerEasternReinforcement];
    return s;
}

class UnitToolsTest : public ::testing::Test {
  protected:
    Scenario s = SmallBattle();
    EditState edit;
    EditHistory history{s};
    RecordingSounds sounds;
    k2::test::RedrawRecorder redraw;
    RecordingInfo info;
    MapClickDispatch dispatch{edit, history, sounds};
    UnitClipboard clipboard;
    FakeUnitDialogs dialogs;
    int filled = 0;

    UnitsTool units{edit, history, dialogs};
    ReinforcementsTool reinforcements{s, edit, history, dialogs};
    CopyUnitTool copy{s, clipboard, sounds};
    CutUnitTool cut{s, clipboard};
    PasteUnitTool paste{s, clipboard};
    MoveUnitTool move{s, edit, sounds, info};

    void SetUp() override {
        history.AddListener(&redraw);
        dialogs.edit = &edit;
        clipboard.SetFilledListener([this] { ++filled; });
        dispatch.Register(EditMode::Units, units);
        dispatch.Register(EditMode::Reinforcements, reinforcements);
        dispatch.Register(EditMode::CopyUnit, copy);
        dispatch.Register(EditMode::CutUnit, cut);
        dispatch.Register(EditMode::PasteUnit, paste);
        dispatch.Register(EditMode::MoveUnit, move);
    }
    ClickOutcome Click(EditMode mode, int32_t hex) {
        edit.Mode = mode;
        return dispatch.Press(true, MapButton::Left, hex);
    }
    // Every hex link and every unit's Hex agree.
    void ExpectLinksAgree() {
        int32_t linked = 0;
        for (int32_t h = 0; h < s.HexCount; ++h) {
            const int32_t u = s.Hexes[size_t(h)].Unit;
            if (u == 0) continue;
            ++linked;
            ASSERT_LE(u, s.UnitCount) << "hex " << h;
            EXPECT_EQ(s.Units[size_t(u)].Hex, h) << "unit " << u;
        }
        EXPECT_EQ(linked, s.UnitCount);
    }
};

TEST_F(UnitToolsTest, CopyFillsTheClipboardAndRecordsNothing) {
    EXPECT_FALSE(clipboard.Filled());
    Click(EditMode::CopyUnit, 20); // empty hex
    EXPECT_FALSE(clipboard.Filled());
    EXPECT_THAT(sounds.played, IsEmpty());

    const Scenario before = s;
    Click(EditMode::CopyUnit, 12);
    EXPECT_TRUE(clipboard.Filled());
    EXPECT_EQ(filled, 1);
    EXPECT_EQ(clipboard.Unit(), s.Units[2]);
    EXPECT_THAT(sounds.played, ElementsAre(SoundAccept));
    EXPECT_TRUE(s == before);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(redraw.fullRenders, 0);
}

TEST_F(UnitToolsTest, CutRenumbersTheLaterUnitsAsOneStep) {
    const Scenario before = s;
    Click(EditMode::CutUnit, 13); // unit 3 of 5
    EXPECT_EQ(clipboard.Unit().Name, "Three");
    EXPECT_EQ(filled, 1);
    EXPECT_EQ(s.UnitCount, 4);
    EXPECT_EQ(s.Units[3].Name, "Four");
    EXPECT_EQ(s.Units[4].Name, "Five");
    EXPECT_EQ(s.Hexes[14].Unit, 3);
    EXPECT_EQ(s.Hexes[15].Unit, 4);
    EXPECT_EQ(s.Hexes[13].Unit, 0);
    ExpectLinksAgree();
    EXPECT_THAT(sounds.played, IsEmpty());
    EXPECT_EQ(redraw.fullRenders, 1);
    EXPECT_EQ(history.UndoName(), "Cut Unit");
    history.Undo();
    EXPECT_TRUE(s == before);

    Click(EditMode::CutUnit, 30); // empty: nothing
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(UnitToolsTest, CuttingAReinforcementClearsItsMarker) {
    Click(EditMode::CutUnit, 14);
    EXPECT_EQ(s.Hexes[14].Unit, 0);
    EXPECT_EQ(s.Hexes[14].ReinforcementMarker, 0);
    EXPECT_EQ(clipboard.Unit().ActivationTurn, 6);
}

TEST_F(UnitToolsTest, PasteAppendsTheClipboardUnitAsOneStep) {
    Click(EditMode::CopyUnit, 14); // the Eastern reinforcement
    Click(EditMode::PasteUnit, 40);
    ASSERT_EQ(s.UnitCount, 6);
    UnitRecord expected = s.Units[4];
    expected.Hex = 40;
    EXPECT_EQ(s.Units[6], expected);
    EXPECT_EQ(s.Hexes[40].Unit, 6);
    EXPECT_EQ(s.Hexes[40].ReinforcementMarker, s.MarkerSymbols[MarkerEasternReinforcement]);
    EXPECT_EQ(history.UndoName(), "Paste Unit");
    EXPECT_EQ(redraw.fullRenders, 1);
    EXPECT_THAT(sounds.played, ElementsAre(SoundAccept)); // the copy's; paste is silent

    Click(EditMode::PasteUnit, 41); // again: another identical unit
    EXPECT_EQ(s.UnitCount, 7);
    EXPECT_EQ(s.Units[7].Name, "Four");
    history.Undo();
    history.Undo();
    EXPECT_EQ(s.UnitCount, 5);
    EXPECT_EQ(s.Hexes[40].Unit, 0);
    EXPECT_EQ(s.Hexes[40].ReinforcementMarker, 0);

    // A unit present at the start pasted on an empty hex leaves it unmarked.
    Click(EditMode::CopyUnit, 11);
    Click(EditMode::PasteUnit, 42);
    EXPECT_EQ(s.Hexes[42].ReinforcementMarker, 0);
    ExpectLinksAgree();
}

TEST_F(UnitToolsTest, PasteRefusals) {
    const auto refused = [&](int32_t hex) {
        sounds.played.clear();
        const Scenario before = s;
        const ClickOutcome outcome = Click(EditMode::PasteUnit, hex);
        EXPECT_TRUE(outcome.Refused) << hex;
        EXPECT_THAT(sounds.played, ElementsAre(SoundRefuse));
        EXPECT_TRUE(s == before);
        EXPECT_FALSE(history.CanUndo());
        return outcome.Reason;
    };
    EXPECT_EQ(refused(40), "Copy or cut a unit before pasting.");
    Click(EditMode::CopyUnit, 11); // present at the start
    EXPECT_EQ(refused(12), "This hex already holds a unit.");
    s.Hexes[40].ReinforcementMarker = s.MarkerSymbols[MarkerWesternReinforcement];
    history.Reset();
    EXPECT_EQ(refused(40), "A unit present from the start cannot go on a reinforcement hex.");
    for (int32_t k = s.UnitCount + 1; k <= MaxUnits; ++k)
        s.Units[size_t(k)].Hex = 99;
    s.UnitCount = MaxUnits;
    history.Reset();
    EXPECT_EQ(refused(50), "This battle already has 500 units, the most it can hold.");
}

TEST_F(UnitToolsTest, TheClipboardOutlivesTheBattle) {
    Click(EditMode::CopyUnit, 14);
    s.Units[4].Wing = 1;
    history.Reset();
    Click(EditMode::CopyUnit, 14);
    const UnitRecord copied = s.Units[4];

    // Another battle replaces this one in the same Scenario, as opening a file does.
    s = k2test::MakeScenario(15, 15);
    s.MarkerSymbols[MarkerEasternReinforcement] = 77;
    s.WingCount = 1;
    s.MaxTurns = 5;
    history.Reset();
    Click(EditMode::PasteUnit, 100);
    ASSERT_EQ(s.UnitCount, 1);
    EXPECT_EQ(s.Units[1].Name, "Four");
    EXPECT_EQ(s.Units[1].Hex, 100);
    EXPECT_EQ(s.Hexes[100].Unit, 1);
    EXPECT_EQ(s.Hexes[100].ReinforcementMarker, 77);
    // This battle has one wing: the unit joins wing 0. Every other value is the copied one,
    // its arrival on turn 6 too, though the battle ends on turn 5.
    UnitRecord expected = copied;
    expected.Hex = 100;
    expected.Wing = 0;
    EXPECT_TRUE(s.Units[1] == expected);
    EXPECT_EQ(s.Units[1].ActivationTurn, 6);
}

TEST_F(UnitToolsTest, MoveTakesTwoClicksWithTheirPrompts) {
    Click(EditMode::MoveUnit, 30); // nothing to pick
    EXPECT_EQ(edit.MoveSourceUnit, 0);
    EXPECT_THAT(info.texts, IsEmpty());

    Click(EditMode::MoveUnit, 12);
    EXPECT_EQ(edit.MoveSourceUnit, 2);
    EXPECT_THAT(info.texts, ElementsAre("Select Hex to Move Unit."));
    EXPECT_FALSE(history.CanUndo());

    Click(EditMode::MoveUnit, 12); // its own hex: nothing, the pick stays
    Click(EditMode::MoveUnit, 13); // another unit: likewise
    EXPECT_EQ(edit.MoveSourceUnit, 2);
    EXPECT_FALSE(history.CanUndo());

    const Scenario before = s;
    Click(EditMode::MoveUnit, 55);
    EXPECT_EQ(s.Hexes[55].Unit, 2);
    EXPECT_EQ(s.Hexes[12].Unit, 0);
    EXPECT_EQ(s.Units[2].Hex, 55);
    EXPECT_EQ(edit.MoveSourceUnit, 0);
    EXPECT_THAT(info.texts, ElementsAre("Select Hex to Move Unit.", "Select Unit To Move."));
    EXPECT_THAT(sounds.played, ElementsAre(SoundAccept, SoundAccept));
    EXPECT_EQ(history.UndoName(), "Move Unit");
    EXPECT_EQ(redraw.fullRenders, 1);
    history.Undo();
    EXPECT_TRUE(s == before);
}

TEST_F(UnitToolsTest, MovingAReinforcementMovesItsMarker) {
    Click(EditMode::MoveUnit, 14);
    Click(EditMode::MoveUnit, 0); // a border hex is fine
    EXPECT_EQ(s.Hexes[14].ReinforcementMarker, 0);
    EXPECT_EQ(s.Hexes[0].ReinforcementMarker, s.MarkerSymbols[MarkerEasternReinforcement]);
    EXPECT_EQ(s.Hexes[0].Unit, 4);
    ExpectLinksAgree();
}

TEST_F(UnitToolsTest, APickThatAnUndoInvalidatedIsDropped) {
    Click(EditMode::CopyUnit, 11);
    Click(EditMode::PasteUnit, 40); // unit 6
    Click(EditMode::MoveUnit, 40);
    ASSERT_EQ(edit.MoveSourceUnit, 6);
    history.Undo(); // unit 6 is gone
    const Scenario before = s;
    Click(EditMode::MoveUnit, 41);
    EXPECT_TRUE(s == before);
    EXPECT_EQ(edit.MoveSourceUnit, 0);
    EXPECT_EQ(info.texts.back(), "Select Unit To Move.");

    Click(EditMode::MoveUnit, 13);
    move.Begin(); // Move Unit chosen again
    EXPECT_EQ(edit.MoveSourceUnit, 0);
}

TEST_F(UnitToolsTest, TheReinforcementHexTest) {
    s.Hexes[30].Structure = 1;
    history.Reset();
    EXPECT_EQ(TestReinforcementHex(s, 11), ReinforcementHexTest::UnitNotReinforcement);
    EXPECT_EQ(TestReinforcementHex(s, 14), ReinforcementHexTest::Pass);
    EXPECT_EQ(TestReinforcementHex(s, 30), ReinforcementHexTest::Structure);
    EXPECT_EQ(TestReinforcementHex(s, 31), ReinforcementHexTest::Pass);
    EXPECT_TRUE(IsReinforcementHex(s, 14));
    EXPECT_FALSE(IsReinforcementHex(s, 11));

    EXPECT_EQ(Click(EditMode::Reinforcements, 11).Reason,
              "The unit on this hex is present from the start, not a reinforcement.");
    EXPECT_THAT(sounds.played, ElementsAre(SoundRefuse));
    EXPECT_FALSE(Click(EditMode::Reinforcements, 30).Refused);
    EXPECT_THAT(sounds.played, ElementsAre(SoundRefuse)); // a structure fails quietly
    EXPECT_THAT(dialogs.opened, IsEmpty());
    EXPECT_FALSE(history.Modified());

    Click(EditMode::Reinforcements, 14);
    Click(EditMode::Reinforcements, 31);
    EXPECT_THAT(dialogs.opened, ElementsAre(std::pair(true, 14), std::pair(true, 31)));
}

TEST_F(UnitToolsTest, AnEditorSessionIsOneStepAndOpeningMarksTheBattleModified) {
    Click(EditMode::Units, 33);
    EXPECT_THAT(dialogs.opened, ElementsAre(std::pair(false, 33)));
    EXPECT_EQ(edit.CurrentHex, 33);
    EXPECT_TRUE(history.Modified()); // nothing changed, yet the battle counts as modified
    EXPECT_FALSE(history.CanUndo());

    dialogs.session = [this] {
        s.Units[1].Men = 40;
        s.Units[2].Morale = 99;
        k2test::AddUnit(s, 33, UnitRecord{.Name = N("New Unit")});
    };
    Click(EditMode::Units, 33);
    EXPECT_EQ(history.StepCount(), 1u);
    EXPECT_EQ(history.UndoName(), "Add/Modify Units");
    EXPECT_EQ(redraw.fullRenders, 1);
    history.Undo();
    EXPECT_TRUE(s == SmallBattle());
}

class NoTables : public DefinitionTablesOpener {
  public:
    void ShowDefinitionTable(int32_t) override {}
};

using SilentBoxes = k2::test::MessageBoxRecorder;

// The editor's own logic behind the seam, as the dialog host runs it.
TEST_F(UnitToolsTest, EditorSessionsThroughTheEditorLogic) {
    const EquipmentTables tables = k2test::MakeTables();
    const SymbolSet noSymbols;
    NoTables definitions;
    SilentBoxes boxes;
    UnitEditorLogic editor(s, edit, tables, noSymbols, sounds, boxes, definitions);
    dialogs.session = [&] {
        editor.Open(dialogs.opened.back().first);
        if (!editor.HasUnit()) {
            editor.Add();
            editor.SetSide(SideEastern);
            editor.Exit();
        } else {
            editor.Remove();
        }
    };

    Click(EditMode::Reinforcements, 60);
    ASSERT_EQ(s.UnitCount, 6);
    EXPECT_EQ(s.Units[6].Side, SideEastern);
    EXPECT_EQ(s.Units[6].ActivationTurn, 15);
    EXPECT_EQ(s.Hexes[60].ReinforcementMarker, s.MarkerSymbols[MarkerEasternReinforcement]);
    EXPECT_EQ(history.UndoName(), "Add/Modify Reinforcements");

    // A Units click on a reinforcement hex: the editor takes the mode to Reinforcements.
    Click(EditMode::Units, 14);
    EXPECT_EQ(edit.Mode, EditMode::Reinforcements);
    EXPECT_EQ(s.UnitCount, 5);
    EXPECT_EQ(s.Hexes[14].ReinforcementMarker, 0);
    ExpectLinksAgree();
    EXPECT_EQ(history.StepCount(), 2u);
    history.Undo();
    history.Undo();
    EXPECT_TRUE(s == SmallBattle());
}

} // namespace
} // namespace k2
