#include "edit/terrain_tools.h"

#include "edit_fixture.h"

#include <gmock/gmock.h>

#include <set>

namespace {

using k2::EditMode;
using k2::MapButton;
using k2::NoSymbol;
using k2::test::EditFixture;
using ::testing::ElementsAre;

constexpr int8_t Primary = 1, Fill = 2, Secondary = 3;

TEST(VariantPick, LaysDownTheListOfTheBaseForThePickersUse) {
    struct Case {
        int8_t use;
        int32_t base;
        std::set<int32_t> laid;
    };
    const Case cases[] = {
        {Primary, 0, {0, 51, 67, 4}},  {Fill, 0, {0}},
        {Secondary, 0, {0}},           {Primary, 2, {2, 64, 107, 108}},
        {Fill, 55, {55, 56, 109, 54}}, {Secondary, 104, {104, 111, 105, 72}},
        {Primary, 55, {55}},           {Fill, 13, {13}},
    };
    for (const Case& c : cases) {
        k2::EditState edit;
        edit.PickerUse = c.use;
        edit.SelectedBaseTerrain = c.base;
        edit.SelectedTerrain = c.base;
        k2::test::SequenceRandom random({0, 1, 2, 3, 6, 9});
        std::set<int32_t> laid;
        for (int i = 0; i < 6; ++i)
            laid.insert(k2::PickVariant(edit, random));
        EXPECT_EQ(laid, c.laid) << "use " << int(c.use) << " base " << c.base;
    }
}

TEST(PlacePrimary, PlacesVariantsAndRefusesTheBorder) {
    EditFixture f(10, 10, 0, {1, 2});
    f.Select(EditMode::PlacePrimary, Primary, 0);
    const k2::ClickOutcome placed = f.Click(45);
    EXPECT_FALSE(placed.Refused);
    EXPECT_EQ(f.Cell(45).PrimaryTerrain, 51);
    EXPECT_THAT(f.feedback.shown, ElementsAre(51));
    EXPECT_THAT(f.redraw.redrawn, ElementsAre(45));
    EXPECT_EQ(f.history->UndoName(), "Place Primary Terrain");

    for (int32_t border : {0, 9, 50, 59, 99}) {
        const k2::ClickOutcome refused = f.Click(border);
        EXPECT_TRUE(refused.Refused) << border;
        EXPECT_EQ(refused.Reason, "Border hexes cannot be changed.") << border;
        EXPECT_EQ(f.Cell(border).PrimaryTerrain, 0) << border;
    }
    EXPECT_EQ(f.sounds.Numbers(), std::vector<int>(5, k2::SoundRefuse));
    EXPECT_EQ(f.history->StepCount(), 1u);

    // The same terrain again changes nothing, but counts as a change of the battle.
    f.history->MarkSaved();
    f.Select(EditMode::PlacePrimary, Fill, 51);
    f.Click(45);
    EXPECT_EQ(f.history->StepCount(), 1u);
    EXPECT_TRUE(f.history->Modified());
}

TEST(PlacePrimary, ADragStrokeIsOneStepAndPaintsEachHexOnce) {
    EditFixture f(10, 10, 0, {3});
    f.Select(EditMode::PlacePrimary, Primary, 1);
    k2::MapClickDispatch& d = f.session->Dispatch();
    d.Press(true, MapButton::Left, 11);
    for (int32_t hex : {12, 13, 12, 9, 14})
        d.DragTo(hex);
    d.Release();
    for (int32_t hex : {11, 12, 13, 14})
        EXPECT_EQ(f.Cell(hex).PrimaryTerrain, 58) << hex;
    EXPECT_EQ(f.Cell(9).PrimaryTerrain, 0); // border
    EXPECT_EQ(f.sounds.Numbers(), std::vector<int>{k2::SoundRefuse});
    EXPECT_EQ(f.random.calls, 4u);
    EXPECT_EQ(f.history->StepCount(), 1u);
    f.history->Undo();
    for (int32_t hex : {11, 12, 13, 14})
        EXPECT_EQ(f.Cell(hex).PrimaryTerrain, 0);
}

TEST(PlaceSecondary, FillsSlotsUpwardAndRemovesDownward) {
    EditFixture f(10, 10, 5);
    f.Select(EditMode::PlaceSecondary, Secondary, 20);
    const int32_t hex = 33;
    for (int32_t t : {20, 21, 22, 23, 24, 25, 26}) {
        f.edit.SelectedTerrain = f.edit.SelectedBaseTerrain = t;
        f.Click(hex);
    }
    // The seventh replaces the sixth.
    EXPECT_THAT(f.Cell(hex).SecondaryTerrain, ElementsAre(20, 21, 22, 23, 24, 26));

    // A terrain the hex holds already, as primary or secondary, is ignored without a mark.
    f.history->MarkSaved();
    const std::size_t steps = f.history->StepCount();
    for (int32_t t : {5, 22}) {
        f.edit.SelectedTerrain = f.edit.SelectedBaseTerrain = t;
        f.Click(hex);
    }
    EXPECT_EQ(f.history->StepCount(), steps);
    EXPECT_FALSE(f.history->Modified());

    f.Click(hex, MapButton::Right);
    f.Click(hex, MapButton::Middle);
    EXPECT_THAT(f.Cell(hex).SecondaryTerrain, ElementsAre(20, 21, 22, 23, NoSymbol, NoSymbol));
    EXPECT_EQ(f.history->UndoName(), "Remove Secondary Terrain");

    // Removal on a hex without secondary terrain changes nothing but marks the battle; it has
    // no border test, addition has.
    f.history->MarkSaved();
    f.Click(0, MapButton::Right);
    EXPECT_TRUE(f.history->Modified());
    EXPECT_TRUE(f.Click(0).Refused);
    EXPECT_EQ(f.Cell(0).SecondaryTerrain[0], NoSymbol);
}

TEST(PlaceSecondary, RightButtonDoesNothingInOtherModes) {
    for (EditMode mode : {EditMode::None, EditMode::PlacePrimary, EditMode::FillPrimary}) {
        EditFixture f(10, 10, 5);
        f.Cell(33).SecondaryTerrain[0] = 20;
        f.history->Reset();
        f.Select(mode, Primary, 0);
        f.Click(33, MapButton::Right);
        f.Click(33, MapButton::Middle);
        EXPECT_EQ(f.Cell(33).SecondaryTerrain[0], 20);
        EXPECT_FALSE(f.history->Modified());
        EXPECT_TRUE(f.boxes.Silent());
    }
}

// Rows of terrain letters: '.' is terrain 0, 'w' 16, 'x' the empty value that counts as 0.
void Paint(EditFixture& f, const std::vector<std::string>& rows) {
    for (int32_t r = 0; r < int32_t(rows.size()); ++r)
        for (int32_t c = 0; c < int32_t(rows[std::size_t(r)].size()); ++c) {
            const char ch = rows[std::size_t(r)][std::size_t(c)];
            f.Cell(r * f.battle->Cols + c).PrimaryTerrain = ch == 'w' ? 16 : ch == 'x' ? NoSymbol : 0;
        }
}

std::vector<std::string> Picture(EditFixture& f) {
    std::vector<std::string> rows(std::size_t(f.battle->Rows));
    for (int32_t h = 0; h < f.battle->HexCount; ++h) {
        const int32_t t = f.Cell(h).PrimaryTerrain;
        rows[std::size_t(h / f.battle->Cols)] += t == 16 ? 'w' : t == 90 ? 'F' : t == NoSymbol ? 'x' : '.';
    }
    return rows;
}

TEST(Fill, FillsTheFourNeighbourRegionAndKeepsItOnYes) {
    struct Case {
        const char* name;
        std::vector<std::string> before;
        int32_t start;
        std::vector<std::string> after;
    };
    const std::vector<Case> cases = {
        {"same row or column only",
         {"w.....", ".w....", "......", "...ww.", "...w.."},
         0,
         {"F.....", ".w....", "......", "...ww.", "...w.."}},
        // Column 1 stands half a hex lower: row 1 of it touches row 2 of column 0 as a hex, but
        // the grid region counts only the neighbour of the same row.
        {"hexes touching across differing rows are separate regions",
         {"......", ".w....", "w.....", "...ww.", "...w.."},
         12,
         {"......", ".w....", "F.....", "...ww.", "...w.."}},
        {"an empty terrain counts as terrain 0",
         {"wwwwww", "wx..ww", "ww.www", "wwwwww", "wwwwww"},
         8,
         {"wwwwww", "wFFFww", "wwFwww", "wwwwww", "wwwwww"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditFixture f(6, 5);
        Paint(f, c.before);
        f.history->Reset();
        f.Select(EditMode::FillPrimary, Fill, 90);
        f.random = k2::test::SequenceRandom({0});
        f.boxes.answers = {k2::MsgResultYes};
        f.Click(c.start);
        EXPECT_EQ(Picture(f), c.after);
        EXPECT_THAT(f.boxes.asked, ElementsAre(std::pair{k2::LayoutYesNo, k2::MsgKeepFill}));
        EXPECT_EQ(f.history->UndoName(), "Fill Primary Terrain");
        EXPECT_GE(f.redraw.fullRenders, 1);
        f.history->Undo();
        EXPECT_EQ(Picture(f), c.before);
    }
}

TEST(Fill, OneDrawPerHexInRowOrderAndNoRestoresEveryVariant) {
    EditFixture f(10, 10, 0, {0, 1, 2, 3, 1, 1, 2});
    // A new battle's border ring is one region of terrain 13.
    for (int32_t h = 0; h < 100; ++h)
        f.Cell(h).PrimaryTerrain = f.battle->IsBorderHex(h) ? 13 : int32_t(h % 3 == 0 ? 51 : 67);
    const auto before = std::make_unique<k2::Scenario>(*f.battle);
    f.history->Reset();

    f.Select(EditMode::FillPrimary, Fill, 55);
    f.boxes.answers = {k2::MsgResultNo};
    f.Click(0);
    EXPECT_TRUE(*f.battle == *before);
    EXPECT_EQ(f.history->StepCount(), 0u);
    EXPECT_TRUE(f.history->Modified()); // the fill marks the battle before its question
    EXPECT_EQ(f.redraw.fullRenders, 2);
    EXPECT_EQ(f.random.calls, 36u);

    f.boxes.answers = {k2::MsgResultYes};
    f.random = k2::test::SequenceRandom({0, 1, 2, 3});
    f.Click(5);
    const int32_t variants[] = {55, 56, 109, 54};
    // Row 0 first, left to right, then the two edge hexes of each row.
    EXPECT_EQ(f.Cell(0).PrimaryTerrain, variants[0]);
    EXPECT_EQ(f.Cell(9).PrimaryTerrain, variants[1]);
    EXPECT_EQ(f.Cell(10).PrimaryTerrain, variants[2]);
    EXPECT_EQ(f.Cell(19).PrimaryTerrain, variants[3]);
    for (int32_t h = 0; h < 100; ++h)
        EXPECT_EQ(f.battle->IsBorderHex(h),
                  f.Cell(h).PrimaryTerrain != before->Hexes[std::size_t(h)].PrimaryTerrain);
}

TEST(Fill, AUniformMapGetsADrawForEveryHex) {
    EditFixture f(10, 10, 4, {0, 1, 2, 3});
    f.Select(EditMode::FillPrimary, Primary, 0);
    f.boxes.answers = {k2::MsgResultYes};
    f.Click(0);
    EXPECT_EQ(f.random.calls, 100u);
    EXPECT_EQ(f.Cell(0).PrimaryTerrain, 0);
    EXPECT_EQ(f.Cell(1).PrimaryTerrain, 51);
    EXPECT_EQ(f.Cell(99).PrimaryTerrain, 4);
}

} // namespace
