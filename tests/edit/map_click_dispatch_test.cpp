#include "edit/map_click_dispatch.h"

#include "edit_fixture.h"

#include <gmock/gmock.h>

#include <functional>

namespace {

using k2::EditMode;
using k2::MapButton;
using k2::NoSymbol;
using k2::test::EditFixture;
using ::testing::ElementsAre;

// A tool that records its clicks and runs a given change of the battle.
class ProbeTool : public k2::EditTool {
  public:
    std::string StepName() const override { return "Probe"; }
    k2::ToolResult LeftClick(int32_t hex) override {
        clicks.push_back({MapButton::Left, hex});
        if (change) change(hex);
        return refuse ? k2::ToolResult::Refuse("not here") : k2::ToolResult::Done();
    }
    k2::ToolResult OtherClick(int32_t hex) override {
        clicks.push_back({MapButton::Right, hex});
        return {};
    }
    std::vector<std::pair<MapButton, int32_t>> clicks;
    std::function<void(int32_t)> change;
    bool refuse = false;
};

TEST(MapClickDispatch, OnlyALeftClickOnAHexOfAnActiveBattleReachesTheModesAction) {
    EditFixture f(10, 10);
    ProbeTool probe;
    f.session->Dispatch().Register(EditMode::Units, probe);
    f.edit.Mode = EditMode::Units;
    k2::MapClickDispatch& d = f.session->Dispatch();
    d.Press(false, MapButton::Left, 12);
    for (MapButton b : {MapButton::Left, MapButton::Right, MapButton::Middle})
        d.Press(true, b, NoSymbol);
    EXPECT_TRUE(probe.clicks.empty());
    d.Press(true, MapButton::Left, 12);
    d.Press(true, MapButton::Middle, 13);
    EXPECT_THAT(probe.clicks, ElementsAre(std::pair{MapButton::Left, 12}, std::pair{MapButton::Right, 13}));

    // A mode without a tool does nothing.
    f.edit.Mode = EditMode::None;
    d.Press(true, MapButton::Left, 12);
    EXPECT_EQ(probe.clicks.size(), 2u);
    EXPECT_TRUE(f.sounds.played.empty());
}

TEST(MapClickDispatch, RefusalsSoundAndLeaveNoStep) {
    EditFixture f(10, 10);
    ProbeTool probe;
    probe.refuse = true;
    f.session->Dispatch().Register(EditMode::Units, probe);
    f.edit.Mode = EditMode::Units;
    const k2::ClickOutcome outcome = f.Click(44);
    EXPECT_TRUE(outcome.Refused);
    EXPECT_EQ(outcome.Reason, "not here");
    EXPECT_EQ(f.sounds.played, std::vector<int>{k2::SoundRefuse});
    EXPECT_EQ(f.sounds.modes, std::vector<int>{1});
    EXPECT_FALSE(f.history->CanUndo());
}

TEST(MapClickDispatch, RedrawsWhatTheStepChanged) {
    struct Case {
        const char* name;
        bool elevation;
        std::function<void(k2::Scenario&, int32_t)> change;
        std::vector<int32_t> redrawn;
        int fullRenders;
        int resizes;
    };
    const std::vector<Case> cases = {
        {"one hex",
         false,
         [](k2::Scenario& s, int32_t h) { s.Hexes[std::size_t(h)].Caltrops = 1; },
         {44},
         0,
         0},
        {"one hex, elevation shown",
         true,
         [](k2::Scenario& s, int32_t h) { s.Hexes[std::size_t(h)].Caltrops = 1; },
         {},
         1,
         0},
        {"many hexes",
         false,
         [](k2::Scenario& s, int32_t) {
             for (int32_t h = 0; h < 65; ++h)
                 s.Hexes[std::size_t(h)].Caltrops = 1;
         },
         {},
         1,
         0},
        {"a table", false, [](k2::Scenario& s, int32_t) { s.Structures[1].Height = 1; }, {}, 1, 0},
        {"the grid's size",
         false,
         [](k2::Scenario& s, int32_t) {
             s.Rows = 9;
             s.HexCount = 90;
             s.Hexes.resize(90);
         },
         {},
         0,
         1},
        {"nothing", false, [](k2::Scenario&, int32_t) {}, {}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditFixture f(10, 10);
        ProbeTool probe;
        probe.change = [&](int32_t hex) { c.change(*f.battle, hex); };
        f.session->Dispatch().Register(EditMode::Units, probe);
        f.edit.Mode = EditMode::Units;
        f.redraw.elevation = c.elevation;
        f.Click(44);
        EXPECT_EQ(f.redraw.redrawn, c.redrawn);
        EXPECT_EQ(f.redraw.fullRenders, c.fullRenders);
        EXPECT_EQ(f.redraw.resizes, c.resizes);
    }
}

TEST(ZoomPick, ActsOnceThenTheModeBeforeItReturns) {
    struct Zoom : k2::ZoomView {
        void ZoomInAt(int32_t hex) override { zoomed.push_back(hex); }
        void SetZoomCursor(bool zoom) override { cursor = zoom; }
        std::vector<int32_t> zoomed;
        bool cursor = false;
    } view;
    k2::EditState edit;
    edit.Mode = EditMode::PlaceSecondary;
    k2::ZoomPickTool tool(edit, view);
    tool.Begin();
    tool.Begin(); // a second press keeps the mode to return to
    EXPECT_EQ(edit.Mode, EditMode::ZoomPick);
    EXPECT_TRUE(view.cursor);
    tool.LeftClick(37);
    EXPECT_EQ(edit.Mode, EditMode::PlaceSecondary);
    EXPECT_EQ(edit.CurrentHex, 37);
    EXPECT_FALSE(view.cursor);
    EXPECT_THAT(view.zoomed, ElementsAre(37));

    // A zoom by key ends a pending pick.
    tool.Begin();
    tool.Cancel();
    EXPECT_EQ(edit.Mode, EditMode::PlaceSecondary);
    EXPECT_FALSE(view.cursor);
    tool.Cancel();
    EXPECT_EQ(edit.Mode, EditMode::PlaceSecondary);
}

} // namespace
