#include "core/hex_grid.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <set>

namespace {

using k2::HexDirection;
using k2::HexGrid;
using ::testing::ElementsAre;

// Every hex reached from `centre` in at most `radius` steps across hex sides: the brush by
// its meaning, found without the distance formula.
std::vector<int32_t> Walked(const HexGrid& grid, int32_t centre, int32_t radius) {
    std::set<int32_t> reached = {centre};
    std::set<int32_t> edge = reached;
    for (int32_t step = 0; step < radius; ++step) {
        std::set<int32_t> next;
        for (int32_t hex : edge)
            for (int side = 0; side < 6; ++side)
                if (auto n = grid.Neighbour(hex, HexDirection(side)); n && reached.insert(*n).second)
                    next.insert(*n);
        edge = next;
    }
    return {reached.begin(), reached.end()};
}

TEST(HexBrush, HoldsEveryHexWithinTheRadiusInHexOrderWhereverItStands) {
    // Every hex of a small map is a centre, so both column parities meet every edge and corner.
    const HexGrid grid{9, 8};
    for (int32_t radius = 0; radius <= 3; ++radius)
        for (int32_t centre = 0; centre < 9 * 8; ++centre)
            EXPECT_EQ(grid.Brush(centre, radius), Walked(grid, centre, radius))
                << "centre " << centre << " radius " << radius;
}

TEST(HexBrush, OddColumnsStandHalfAHexLower) {
    const HexGrid grid{10, 10};
    // Row 5: an even column meets rows 4 and 5 of its neighbouring columns, an odd column rows 5 and 6.
    EXPECT_THAT(grid.Brush(5 * 10 + 4, 1), ElementsAre(43, 44, 45, 53, 54, 55, 64));
    EXPECT_THAT(grid.Brush(5 * 10 + 5, 1), ElementsAre(45, 54, 55, 56, 64, 65, 66));
}

TEST(HexBrush, DropsWhatLiesOffTheMap) {
    const HexGrid grid{10, 10};
    EXPECT_THAT(grid.Brush(0, 1), ElementsAre(0, 1, 10));
    EXPECT_THAT(grid.Brush(99, 1), ElementsAre(89, 98, 99));
    EXPECT_TRUE(grid.Brush(100, 1).empty());
    EXPECT_TRUE(grid.Brush(-1, 0).empty());
    EXPECT_TRUE(grid.Brush(55, -1).empty());
}

} // namespace
