#include "edit/map_selection.h"

#include "edit/map_trimmer_logic.h"
#include "edit_fixture.h"

#include <gmock/gmock.h>

namespace {

using k2::MapSelection;
using k2::SelectionMode;
using k2::test::EditFixture;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Hex index on the 10-column maps below.
constexpr int32_t At(int32_t row, int32_t col) {
    return row * 10 + col;
}

TEST(MapSelection, ARectangleTakesWholeColumnsAndRowsBetweenTwoHexesAndCombinesByMode) {
    struct Case {
        const char* what;
        SelectionMode mode;
        std::vector<int32_t> expected;
    };
    // First 2..3 x 1..2 is selected; then the rectangle rows 3..2 x columns 2..1 (corners given
    // the other way round) is combined with it.
    const Case cases[] = {
        {"replace", SelectionMode::Replace, {At(2, 1), At(2, 2), At(3, 1), At(3, 2)}},
        {"add", SelectionMode::Add, {At(1, 2), At(1, 3), At(2, 1), At(2, 2), At(2, 3), At(3, 1), At(3, 2)}},
        {"remove", SelectionMode::Remove, {At(1, 2), At(1, 3), At(2, 3)}},
    };
    for (const Case& c : cases) {
        EditFixture f(10, 8);
        MapSelection& selection = f.session->Selection();
        selection.SelectRectangle(At(1, 2), At(2, 3), SelectionMode::Replace);
        selection.SelectRectangle(At(3, 2), At(2, 1), c.mode);
        EXPECT_EQ(selection.Hexes(), c.expected) << c.what;
        EXPECT_EQ(selection.Count(), int32_t(c.expected.size())) << c.what;
    }
}

TEST(MapSelection, ARegionFollowsTheFillsRuleOfOnePrimaryTerrain) {
    EditFixture f(10, 8, 0);
    // Terrain 5 in column 2 rows 1..2, and in column 3 row 3: that hex touches column 2's row 2
    // only where the columns meet at different row numbers, which the fill does not cross.
    for (int32_t hex : {At(1, 2), At(2, 2), At(3, 3)})
        f.Cell(hex).PrimaryTerrain = 5;
    MapSelection& selection = f.session->Selection();
    selection.SelectRegion(At(2, 2), SelectionMode::Replace);
    EXPECT_THAT(selection.Hexes(), ElementsAre(At(1, 2), At(2, 2)));
    selection.SelectRegion(At(3, 3), SelectionMode::Add);
    EXPECT_THAT(selection.Hexes(), ElementsAre(At(1, 2), At(2, 2), At(3, 3)));
}

TEST(MapSelection, AllNoneAndInvert) {
    EditFixture f(10, 8);
    MapSelection& selection = f.session->Selection();
    selection.SelectRectangle(At(0, 0), At(1, 9), SelectionMode::Replace);
    selection.Invert();
    EXPECT_EQ(selection.Count(), 60);
    EXPECT_FALSE(selection.Contains(At(1, 9)));
    EXPECT_TRUE(selection.Contains(At(2, 0)));
    auto box = selection.Bounds();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(std::tie(box->Left, box->Top, box->Right, box->Bottom), std::make_tuple(0, 2, 9, 7));
    selection.SelectAll();
    EXPECT_EQ(selection.Count(), 80);
    selection.SelectNone();
    EXPECT_TRUE(selection.Empty());
    EXPECT_FALSE(selection.Bounds().has_value());
}

TEST(MapSelection, IsForgottenWhenTheMapChangesSizeAndComesNotBackWithAnUndo) {
    EditFixture f(10, 12);
    MapSelection& selection = f.session->Selection();
    int told = 0;
    selection.AddListener([&] { ++told; });
    selection.SelectRectangle(At(2, 2), At(4, 4), SelectionMode::Replace);
    EXPECT_EQ(told, 1);

    k2::MapTrimmerLogic trimmer(*f.battle);
    ASSERT_TRUE(k2::RecordTrim(*f.history, trimmer, k2::MapEdge::Bottom).Changed());
    EXPECT_TRUE(selection.Empty());
    EXPECT_EQ(told, 2);
    f.history->Undo();
    EXPECT_TRUE(selection.Empty());
    EXPECT_THAT(selection.Hexes(), IsEmpty());
}

} // namespace
