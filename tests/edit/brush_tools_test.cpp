// The brushes of Place Primary Terrain and of secondary terrain removal, through the click
// dispatch and the edit history as the map's clicks reach them.
#include "edit/terrain_tools.h"

#include "core/hex_grid.h"
#include "edit_fixture.h"

#include <gmock/gmock.h>

#include <set>

namespace {

using k2::BorderTerrain;
using k2::EditMode;
using k2::HexGrid;
using k2::MapButton;
using k2::NoSymbol;
using k2::SoundRefuse;
using k2::test::EditFixture;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int8_t Primary = 1, Secondary = 3;

// A 12 x 12 battle of terrain 2 with the border ring of a new battle.
struct BrushFixture : EditFixture {
    explicit BrushFixture(std::vector<uint32_t> draws = {0, 1, 2, 3})
        : EditFixture(12, 12, 2, std::move(draws)) {
        for (int32_t h = 0; h < battle->HexCount; ++h)
            if (battle->IsBorderHex(h)) Cell(h).PrimaryTerrain = BorderTerrain;
        history->Reset();
    }
    std::vector<int32_t> HexesOf(int32_t terrainFrom, int32_t terrainTo) {
        std::vector<int32_t> out;
        for (int32_t h = 0; h < battle->HexCount; ++h)
            if (Cell(h).PrimaryTerrain >= terrainFrom && Cell(h).PrimaryTerrain <= terrainTo &&
                Cell(h).PrimaryTerrain != BorderTerrain && Cell(h).PrimaryTerrain != 2)
                out.push_back(h);
        return out;
    }
};

TEST(PrimaryBrush, PaintsEveryHexOfTheBrushWithItsOwnDrawInHexOrderAsOneStep) {
    BrushFixture f;
    f.Select(EditMode::PlacePrimary, Primary, 0); // base 0 lays 0, 51, 67 or 4
    f.edit.BrushRadius = 2;
    const HexGrid grid{12, 12};
    const std::vector<int32_t> brush = grid.Brush(5 * 12 + 6, 2);
    ASSERT_EQ(brush.size(), 19u);

    const auto outcome = f.Click(5 * 12 + 6);

    EXPECT_FALSE(outcome.Refused);
    const int32_t laid[] = {0, 51, 67, 4};
    for (std::size_t i = 0; i < brush.size(); ++i)
        EXPECT_EQ(f.Cell(brush[i]).PrimaryTerrain, laid[i % 4]) << "hex " << brush[i];
    EXPECT_EQ(f.random.calls, brush.size());
    EXPECT_EQ(f.history->StepCount(), 1u);
    f.history->Undo();
    for (int32_t h : brush)
        EXPECT_EQ(f.Cell(h).PrimaryTerrain, 2);
    f.history->Redo();
    EXPECT_EQ(f.Cell(brush.back()).PrimaryTerrain, laid[(brush.size() - 1) % 4]);
}

TEST(PrimaryBrush, PassesBorderHexesOverAndRefusesOnlyABrushOfBorderHexes) {
    struct Case {
        int32_t hex;
        int32_t radius;
        bool refused;
        std::vector<int32_t> painted;
    };
    const Case cases[] = {
        {0, 1, true, {}},                         // the corner: 0, 1 and 12 are all border hexes
        {0, 2, false, {13, 14}},                  // two steps reach the first inner hexes
        {1 * 12 + 1, 1, false, {13, 14, 25, 26}}, // the first inner hex, among border hexes
        {6, 1, false, {18}},                      // the top edge, an even column
        {7, 1, false, {18, 19, 20}},              // the top edge, an odd column reaches one row further down
    };
    for (const Case& c : cases) {
        BrushFixture f({0});
        f.Select(EditMode::PlacePrimary, Primary, 1);
        f.edit.BrushRadius = c.radius;
        const auto outcome = f.Click(c.hex);
        EXPECT_EQ(outcome.Refused, c.refused) << "hex " << c.hex;
        EXPECT_EQ(f.HexesOf(1, 1), c.painted) << "hex " << c.hex;
        EXPECT_EQ(f.sounds.played == std::vector<int>{SoundRefuse}, c.refused) << "hex " << c.hex;
        EXPECT_EQ(f.history->StepCount(), c.refused ? 0u : 1u) << "hex " << c.hex;
    }
}

TEST(PrimaryBrush, AStrokePaintsEachHexOnceAndIsOneStep) {
    BrushFixture f({0, 1, 2, 3});
    f.Select(EditMode::PlacePrimary, Primary, 0);
    f.edit.BrushRadius = 1;
    const HexGrid grid{12, 12};
    auto& dispatch = f.session->Dispatch();
    dispatch.Press(true, MapButton::Left, 5 * 12 + 5);
    dispatch.DragTo(5 * 12 + 6);
    dispatch.DragTo(5 * 12 + 7);
    dispatch.Release();

    std::set<int32_t> covered;
    for (int32_t centre : {65, 66, 67})
        for (int32_t h : grid.Brush(centre, 1))
            covered.insert(h);
    EXPECT_EQ(f.random.calls, covered.size());
    EXPECT_EQ(f.history->StepCount(), 1u);
    f.history->Undo();
    for (int32_t h : covered)
        EXPECT_EQ(f.Cell(h).PrimaryTerrain, 2);
}

TEST(SecondaryRemovalBrush, TakesOneLayerOffEachHexOfTheBrushPerStroke) {
    BrushFixture f;
    for (int32_t h = 0; h < f.battle->HexCount; ++h)
        f.Cell(h).SecondaryTerrain = {55, 16, NoSymbol, NoSymbol, NoSymbol, NoSymbol};
    f.history->Reset();
    f.Select(EditMode::PlaceSecondary, Secondary, 55);
    f.edit.BrushRadius = 1;
    auto& dispatch = f.session->Dispatch();
    dispatch.Press(true, MapButton::Right, 2 * 12 + 2);
    dispatch.DragTo(2 * 12 + 3); // the two brushes overlap
    dispatch.Release();

    const HexGrid grid{12, 12};
    std::set<int32_t> covered;
    for (int32_t centre : {26, 27})
        for (int32_t h : grid.Brush(centre, 1))
            if (!f.battle->IsBorderHex(h)) covered.insert(h);
    for (int32_t h = 0; h < f.battle->HexCount; ++h) {
        const int32_t expected = covered.count(h) ? NoSymbol : 16;
        EXPECT_EQ(f.Cell(h).SecondaryTerrain[1], expected) << "hex " << h;
        EXPECT_EQ(f.Cell(h).SecondaryTerrain[0], 55) << "hex " << h;
    }
    EXPECT_EQ(f.history->StepCount(), 1u);
    EXPECT_THAT(f.sounds.played, IsEmpty());
}

TEST(SecondaryRemovalBrush, RefusesABrushOfBorderHexesButTheOneHexBrushTakesNoNotice) {
    BrushFixture f;
    f.Cell(0).SecondaryTerrain[0] = 55;
    f.history->Reset();
    f.Select(EditMode::PlaceSecondary, Secondary, 55);

    f.edit.BrushRadius = 1;
    EXPECT_TRUE(f.Click(0, MapButton::Right).Refused);
    EXPECT_EQ(f.Cell(0).SecondaryTerrain[0], 55);

    f.edit.BrushRadius = 0;
    EXPECT_FALSE(f.Click(0, MapButton::Right).Refused);
    EXPECT_EQ(f.Cell(0).SecondaryTerrain[0], NoSymbol);
    EXPECT_THAT(f.sounds.played, ElementsAre(SoundRefuse));
}

} // namespace
