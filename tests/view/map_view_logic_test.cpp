#include "view/map_view_logic.h"

#include "common/battle_builder.h"

#include <gmock/gmock.h>

namespace {

using k2::DisplaySwitch;
using k2::ScrollAxis;
using k2::ScrollPaint;
using k2::test::Battle;

// Cell sizes 20, 40, 60: column pitches 15, 31, 47 and row pitches 18, 38, 58.
k2::HexPitches TestPitches() {
    return k2::ComputePitches({20, 40, 60});
}

TEST(MapViewSize, SubtractsScrollbarsAndPanel) {
    EXPECT_EQ(k2::ComputeViewSize(800, 600, 16, 16, 110), (k2::ViewSize{783, 473}));
    EXPECT_EQ(k2::ComputeViewSize(10, 10, 16, 16, 110), (k2::ViewSize{0, 0}));
}

TEST(MapViewLogic, HorizontalRangeDependsOnEvenVisibleColumns) {
    k2::Scenario s = Battle({.cols = 50, .rows = 40});
    k2::MapViewLogic view(s);
    view.SetPitches(TestPitches());
    s.ZoomLevel = 1;
    view.SetViewSize(20 * 31, 10 * 38);
    EXPECT_EQ(view.Metrics().VisibleColumns, 20);
    EXPECT_EQ(view.HorizontalRange(), (k2::ScrollRange{true, 31}));
    EXPECT_EQ(view.VerticalRange(), (k2::ScrollRange{true, 30}));
    view.SetViewSize(21 * 31, 10 * 38);
    EXPECT_EQ(view.HorizontalRange(), (k2::ScrollRange{true, 29}));

    // A map that fits disables its scrollbar.
    k2::Scenario small = Battle({.cols = 10, .rows = 8});
    k2::MapViewLogic fits(small);
    fits.SetPitches(TestPitches());
    fits.SetViewSize(620, 380);
    EXPECT_FALSE(fits.HorizontalRange().Enabled);
    EXPECT_FALSE(fits.VerticalRange().Enabled);
}

TEST(MapViewLogic, ScrollMovesByTwoColumnsOrRows) {
    struct Case {
        const char* what;
        ScrollAxis axis;
        int32_t startCol, startRow, position;
        bool elevation;
        int32_t col, row;
        ScrollPaint paint;
    } cases[] = {
        {"one to the right is two columns", ScrollAxis::Horizontal, 0, 0, 1, false, 2, 0,
         ScrollPaint::Incremental},
        {"two to the right", ScrollAxis::Horizontal, 4, 0, 6, false, 6, 0, ScrollPaint::Incremental},
        {"elevation display repaints fully", ScrollAxis::Horizontal, 0, 0, 1, true, 2, 0, ScrollPaint::Full},
        {"three becomes four", ScrollAxis::Horizontal, 2, 0, 5, false, 6, 0, ScrollPaint::Full},
        {"one to the left", ScrollAxis::Horizontal, 4, 0, 3, false, 2, 0, ScrollPaint::Incremental},
        {"far left", ScrollAxis::Horizontal, 10, 0, 0, false, 0, 0, ScrollPaint::Full},
        {"no change", ScrollAxis::Horizontal, 4, 0, 4, false, 4, 0, ScrollPaint::None},
        {"one down", ScrollAxis::Vertical, 2, 0, 1, false, 2, 2, ScrollPaint::Incremental},
        {"up keeps the column", ScrollAxis::Vertical, 2, 8, 7, false, 2, 6, ScrollPaint::Incremental},
        {"never past the last column", ScrollAxis::Horizontal, 48, 0, 60, false, 48, 0, ScrollPaint::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        k2::Scenario s = Battle({.cols = 50, .rows = 40});
        k2::MapViewLogic view(s);
        view.SetPitches(TestPitches());
        view.SetViewSize(310, 380);
        s.ViewOriginHex = s.HexIndex(c.startRow, c.startCol);
        EXPECT_EQ(view.ScrollTo(c.axis, c.position, c.elevation), c.paint);
        EXPECT_EQ(view.OriginColumn(), c.col);
        EXPECT_EQ(view.OriginRow(), c.row);
    }
}

TEST(MapViewLogic, ZoomInCentresTheHexOnEvenColumnAndRow) {
    k2::Scenario s = Battle({.cols = 50, .rows = 50});
    k2::MapViewLogic view(s);
    view.SetPitches(TestPitches());
    view.SetViewSize(310, 380); // level 1 shows 10 columns and 10 rows
    ASSERT_EQ(view.MetricsAt(1).VisibleColumns, 10);
    s.ViewSaved = 0;
    EXPECT_TRUE(view.CanZoomIn());
    EXPECT_FALSE(view.CanZoomOut());
    ASSERT_TRUE(view.ZoomInAt(s.HexIndex(20, 7)));
    EXPECT_EQ(s.ZoomLevel, 1);
    EXPECT_EQ(view.OriginColumn(), 2); // 7 - 5
    EXPECT_EQ(view.OriginRow(), 16);   // 20 - 5 = 15, odd, so 16
    EXPECT_EQ(s.ViewSaved, 1);

    // Near the top-left corner the origin stays at 0; near the far corner the clamp keeps the
    // view on the map.
    s.ZoomLevel = 0;
    ASSERT_TRUE(view.ZoomInAt(s.HexIndex(1, 1)));
    EXPECT_EQ(s.ViewOriginHex, 0);
    s.ZoomLevel = 0;
    ASSERT_TRUE(view.ZoomInAt(s.HexIndex(49, 49)));
    EXPECT_EQ(view.OriginColumn(), 40);
    EXPECT_EQ(view.OriginRow(), 40);

    s.ZoomLevel = 2;
    const int32_t origin = s.ViewOriginHex;
    EXPECT_FALSE(view.ZoomInAt(s.HexIndex(20, 20)));
    EXPECT_EQ(s.ZoomLevel, 2);
    EXPECT_EQ(s.ViewOriginHex, origin);
    EXPECT_FALSE(view.ZoomInAt(k2::NoSymbol));
}

TEST(MapViewLogic, ZoomOutKeepsTheMiddleOfTheView) {
    struct Case {
        const char* what;
        int32_t col, row;
        int32_t expectCol, expectRow;
    } cases[] = {
        // centre (7, 21); level 0 shows 20 x 21: (-3, 11) -> (0, 10)
        {"middle", 2, 16, 0, 10},
        // centre (45, 45): (35, 35) runs past both edges -> (30, 29) -> row odd -> 28
        {"far corner", 40, 40, 30, 28},
        {"origin", 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        k2::Scenario s = Battle({.cols = 50, .rows = 50});
        k2::MapViewLogic view(s);
        view.SetPitches(TestPitches());
        view.SetViewSize(310, 380);
        s.ZoomLevel = 1;
        s.ViewOriginHex = s.HexIndex(c.row, c.col);
        ASSERT_TRUE(view.ZoomOut());
        EXPECT_EQ(s.ZoomLevel, 0);
        EXPECT_EQ(view.OriginColumn(), c.expectCol);
        EXPECT_EQ(view.OriginRow(), c.expectRow);
        EXPECT_FALSE(view.CanZoomOut());
        EXPECT_FALSE(view.ZoomOut());
        EXPECT_EQ(s.ZoomLevel, 0);
    }
}

TEST(MapViewLogic, SetUpViewRepairsWhatAFileBrings) {
    k2::Scenario s = Battle({.cols = 50, .rows = 50});
    k2::MapViewLogic view(s);
    view.SetPitches(TestPitches());
    view.SetViewSize(310, 380);
    s.ZoomLevel = 9;
    s.ViewOriginHex = 60000;
    view.SetUpView();
    EXPECT_EQ(s.ZoomLevel, 2);
    EXPECT_EQ(s.ViewOriginHex, 0);
    s.ZoomLevel = 0;
    s.ViewOriginHex = s.HexIndex(45, 47); // 20 columns and 21 rows would run off the map
    view.SetUpView();
    EXPECT_EQ(view.OriginColumn(), 30);
    EXPECT_EQ(view.OriginRow(), 28);
}

TEST(DisplaySwitchCaptions, FollowTheSwitch) {
    struct Case {
        DisplaySwitch which;
        const char* on;
        const char* off;
        const char* initial;
    } cases[] = {
        {DisplaySwitch::Elevation, "Elevation Display is: On", "Elevation Display is: Off",
         "Elevation Display is: Off"},
        {DisplaySwitch::Objectives, "Victory Objective is: On", "Victory Objective is: Off",
         "Victory Objective is: On"},
        {DisplaySwitch::Reinforcements, "Reinforcement Hexes are: On", "Reinforcement Hexes are: Off",
         "Reinforcement Hexes are: On"},
        {DisplaySwitch::Overlay, "Map OverLay is: On", "Map OverLay is: Off", "Map Overlay is: On"},
        {DisplaySwitch::MapText, "Map Text is: On", "Map Text is: Off", "Map Text is: On"},
    };
    k2::DisplaySwitches switches;
    for (const Case& c : cases) {
        EXPECT_EQ(k2::SwitchCaption(c.which, true), c.on);
        EXPECT_EQ(k2::SwitchCaption(c.which, false), c.off);
        EXPECT_EQ(k2::InitialSwitchCaption(c.which), c.initial);
        const bool start = k2::SwitchValue(switches, c.which);
        EXPECT_EQ(k2::ToggleSwitch(switches, c.which), !start);
        EXPECT_EQ(k2::ToggleSwitch(switches, c.which), start);
    }
    EXPECT_FALSE(switches.Elevation);
    EXPECT_TRUE(switches.Objectives);
}

class HoverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        s_ = Battle({.cols = 30, .rows = 20});
        auto def = [this](int32_t i, const char* name, int32_t elv, int32_t cost, int32_t defense) {
            k2::TerrainDef& d = s_.TerrainDefs[static_cast<size_t>(i)];
            d.name = name;
            d.elevation = elv;
            d.costPerMove = cost;
            d.defenseModifier = defense;
        };
        def(0, "1 Open Ground", 1, 2, 0);
        def(1, "2 Light Woods", 2, 2, 0);
        def(2, "2 Hedge", 0, 0, 3);
        def(3, "1 Marsh", 0, 13, -1);
        s_.TerrainDefCount = 4;
        for (auto& c : s_.Hexes)
            c.PrimaryTerrain = 0;
    }
    k2::HexCell& Cell(int32_t row, int32_t col) {
        return s_.Hexes[static_cast<size_t>(s_.HexIndex(row, col))];
    }
    k2::Scenario s_;
};

TEST_F(HoverTest, HexLineShowsRowColumnCostElevationHeightDefense) {
    Cell(4, 17).SecondaryTerrain[0] = 1;
    const k2::HoverTexts t = k2::DescribeHex(s_, s_.HexIndex(4, 17));
    EXPECT_EQ(t.HexNo, "Hex:417 CPM:2 Elv:1/3 Def:-");
    EXPECT_EQ(t.PrmTer, "1 Open Ground");
    EXPECT_EQ(t.SecTer, "2 Light Woods ");
    EXPECT_EQ(t.ObjLbl, "");
    EXPECT_EQ(t.MTLbl, "");

    // Row and column run together, so these two hexes read alike.
    EXPECT_THAT(k2::DescribeHex(s_, s_.HexIndex(1, 23)).HexNo, ::testing::StartsWith("Hex:123 "));
    EXPECT_THAT(k2::DescribeHex(s_, s_.HexIndex(12, 3)).HexNo, ::testing::StartsWith("Hex:123 "));
}

TEST_F(HoverTest, ImpassableDefenseCaltropsStakesObjectiveAndText) {
    k2::HexCell& c = Cell(0, 0);
    c.PrimaryTerrain = 3;
    c.SecondaryTerrain[0] = 2;
    c.SecondaryTerrain[2] = 1;
    c.Caltrops = 30;
    c.Stakes = 122;
    s_.Objectives[1].Name = "Old Bridge";
    s_.Objectives[1].VictoryPoints = 75;
    s_.ObjectiveCount = 1;
    c.Objective = 1;
    s_.MapTexts[1].Text = "Grey Water";
    s_.MapTextCount = 1;
    c.MapText = 1;
    const k2::HoverTexts t = k2::DescribeHex(s_, 0);
    EXPECT_EQ(t.HexNo, "Hex:00 CPM:5 Elv:0/2 Def:-");
    EXPECT_EQ(t.PrmTer, "1 Marsh Caltrops Stakes");
    EXPECT_EQ(t.SecTer, "2 Hedge 2 Light Woods ");
    EXPECT_EQ(t.ObjLbl, "Old Bridge 75 Pts");
    EXPECT_EQ(t.MTLbl, "Grey Water");

    c = k2::HexCell{};
    c.PrimaryTerrain = 3;
    EXPECT_EQ(k2::DescribeHex(s_, 0).HexNo, "Hex:00 CPM:X Elv:0/0 Def:-1");
}

TEST_F(HoverTest, OffTheMapEverythingIsEmptyAndStaleReferencesAreIgnored) {
    EXPECT_EQ(k2::DescribeHex(s_, k2::NoSymbol), k2::HoverTexts{});
    EXPECT_EQ(k2::DescribeHex(s_, -1), k2::HoverTexts{});
    EXPECT_EQ(k2::DescribeHex(s_, 600), k2::HoverTexts{});
    k2::HexCell& c = Cell(2, 2);
    c.Objective = 5;
    c.MapText = 40;
    c.PrimaryTerrain = 499;
    const k2::HoverTexts t = k2::DescribeHex(s_, s_.HexIndex(2, 2));
    EXPECT_EQ(t.ObjLbl, "");
    EXPECT_EQ(t.MTLbl, "");
    EXPECT_EQ(t.PrmTer, "");
}

// A legacy battle counts fewer definitions than its terrain set has symbols; the entries past
// the count are the symbols' definitions all the same, for the names and for the values.
TEST_F(HoverTest, DefinitionsPastTheCountAreNamedAndCosted) {
    k2::TerrainDef& heath = s_.TerrainDefs[6];
    heath.name = "1 Heath";
    heath.elevation = 2;
    heath.costPerMove = 3;
    heath.defenseModifier = 1;
    s_.TerrainDefs[9].name = "2 Stream";
    k2::HexCell& c = Cell(3, 5);
    c.PrimaryTerrain = 6;
    c.SecondaryTerrain[1] = 9;
    c.SecondaryTerrain[3] = k2::MaxTerrainDefs; // past the table: no name, no space
    const k2::HoverTexts t = k2::DescribeHex(s_, s_.HexIndex(3, 5));
    EXPECT_EQ(t.HexNo, "Hex:35 CPM:3 Elv:2/2 Def:1");
    EXPECT_EQ(t.PrmTer, "1 Heath");
    EXPECT_EQ(t.SecTer, "2 Stream ");
}

TEST_F(HoverTest, UnitPanelGetsTheHexOnlyWithAUnitOrStructure) {
    EXPECT_EQ(k2::UnitPanelHex(s_, 5), k2::NoSymbol);
    s_.Hexes[5].Unit = 1;
    EXPECT_EQ(k2::UnitPanelHex(s_, 5), 5);
    s_.Hexes[6].Structure = 2;
    EXPECT_EQ(k2::UnitPanelHex(s_, 6), 6);
    EXPECT_EQ(k2::UnitPanelHex(s_, k2::NoSymbol), k2::NoSymbol);
}

} // namespace
