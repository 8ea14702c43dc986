#include "graphics/hex_geometry.h"

#include <gmock/gmock.h>

using namespace k2;

namespace {

TEST(HexGeometry, PitchesFollowTheCellSize) {
    struct Case {
        int32_t cell, column, row;
    };
    for (const Case c :
         {Case{40, 31, 38}, Case{10, 7, 8}, Case{24, 18, 22}, Case{3, 1, 1}, Case{36, 27, 34}}) {
        EXPECT_EQ(ColumnPitchOf(c.cell), c.column) << c.cell;
        EXPECT_EQ(RowPitchOf(c.cell), c.row) << c.cell;
    }
    const HexPitches p = ComputePitches({10, 20, 40});
    EXPECT_TRUE(p.Valid());
    EXPECT_EQ(p.ColumnPitch[2], 31);
    EXPECT_EQ(p.RowPitch[1], 18);
    EXPECT_FALSE(ComputePitches({10, 2, 40}).Valid());
    EXPECT_FALSE(ComputePitches({0, 0, 0}).Valid());
}

TEST(HexGeometry, PositionShiftsOddColumnsDownHalfARow) {
    struct Case {
        int32_t hex, origin;
        HexPoint at;
    };
    // Cols 10, column pitch 31, row pitch 38.
    for (const Case c :
         {Case{0, 0, {0, 0}}, Case{1, 0, {31, 19}}, Case{2, 0, {62, 0}}, Case{10, 0, {0, 38}},
          Case{23, 0, {93, 2 * 38 + 19}}, Case{23, 11, {62, 38 + 19}}, Case{22, 11, {31, 38}}}) {
        EXPECT_EQ(HexPosition(c.hex, c.origin, 10, 31, 38), c.at) << c.hex << " from " << c.origin;
    }
}

TEST(HexGeometry, ViewMetrics) {
    const ViewMetrics m = ComputeViewMetrics(1000, 700, 31, 38);
    EXPECT_EQ(m.VisibleColumns, 32);
    EXPECT_EQ(m.VisibleRows, 18);
    EXPECT_EQ(m.DrawWidth, 1062);
    EXPECT_EQ(m.DrawHeight, 776);
}

TEST(HexGeometry, RenderWindowAddsAColumnAndARowWhereTheMapHasThem) {
    struct Case {
        int32_t origin;
        RenderWindow expected;
    };
    // A 50 x 40 map, buffer 310 x 380: 10 columns and 10 rows fit.
    const std::vector<Case> cases = {
        {0, {0, 0, 0, 11, 11, 0, 0}},                         // no extra row or column, margins 0
        {2, {1, 0, 1, 11, 12, 31, 0}},                        // extra column only
        {100, {50, 1, 0, 12, 11, 0, 38}},                     // extra row only
        {2 * 50 + 4, {53, 1, 3, 12, 12, 31, 38}},             // both
        {36 * 50 + 44, {35 * 50 + 43, 35, 43, 5, 7, 31, 38}}, // cut at the right and bottom edges
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComputeRenderWindow(c.origin, 50, 40, 310, 380, 31, 38), c.expected) << c.origin;
    }
}

TEST(HexGeometry, VisibleHexListRowByRowWithPositions) {
    const RenderWindow w = ComputeRenderWindow(2 * 20 + 2, 20, 20, 3 * 7, 2 * 8, 7, 8);
    VisibleHexList list;
    list.Build(w, 20, 7, 8);
    // Origin moves to row 1, column 1: 4 rows (2 + 1 + 1) of 5 columns (3 + 1 + 1).
    ASSERT_EQ(list.Count(), 20);
    EXPECT_EQ(list.Hexes().front(), 21);
    EXPECT_EQ(list.Hexes()[4], 25);
    EXPECT_EQ(list.Hexes()[5], 41);
    EXPECT_EQ(list.Position(21), (HexPoint{0, 4})); // odd column: half a row down
    EXPECT_EQ(list.Position(22), (HexPoint{7, 0}));
    EXPECT_EQ(list.Position(42), (HexPoint{7, 8}));
    EXPECT_TRUE(list.Contains(42));
    EXPECT_FALSE(list.Contains(20));
    EXPECT_FALSE(list.Contains(NoSymbol));
    list.Build(ComputeRenderWindow(0, 20, 20, 7, 8, 7, 8), 20, 7, 8);
    EXPECT_FALSE(list.Contains(42)) << "a rebuild forgets the previous hexes";
    EXPECT_TRUE(list.Contains(21));
}

TEST(HexGeometry, ElevationRaise) {
    const int32_t expected[5][3] = {{0, 0, 0}, {0, 0, 0}, {5, 10, 15}, {10, 20, 30}, {10, 20, 30}};
    for (int32_t e = 0; e <= 4; ++e)
        for (int32_t z = 0; z < 3; ++z)
            EXPECT_EQ(ElevationRaise(e, z), expected[e][z]) << e << "/" << z;
    EXPECT_EQ(ElevationRaise(-1, 2), 0);
}

TEST(HexGeometry, HitTestEdgeCases) {
    struct Case {
        const char* what;
        int32_t x, y, origin, cols, rows;
        int32_t expected;
    };
    const int32_t cp = 31, rp = 38;
    const std::vector<Case> cases = {
        {"X = 1 hits column 0", 1, 50, 0, 10, 10, 10},
        {"negative position clamps", -5, -5, 0, 10, 10, 0},
        {"odd column near the top stays in the top row", 2 + 31, 2 + 5, 0, 10, 10, 1},
        {"odd column a quarter row down", 2 + 31, 2 + 9 + 38, 0, 10, 10, 11},
        {"odd column just above the quarter", 2 + 31, 2 + 9 + 37, 0, 10, 10, 1},
        {"even column row boundary", 2, 2 + 38, 0, 10, 10, 10},
        {"beyond the last column", 2 + 10 * 31, 10, 0, 10, 10, NoSymbol},
        {"beyond the last column of a wide view", 2000, 10, 0, 10, 10, NoSymbol},
        {"below the last row", 10, 2 + 10 * 38, 0, 10, 10, NoSymbol},
        {"origin offsets", 2 + 31 * 3, 2 + 38 * 2 + 10, 2 * 20 + 4, 20, 20, 4 * 20 + 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HitTest(c.x, c.y, c.origin, c.cols, c.rows, cp, rp), c.expected) << c.what;
}

TEST(HexGeometry, EveryHexCentreHitsItsOwnHexAtEveryZoomLevel) {
    const int32_t cols = 37, rows = 23;
    for (int32_t cell : {10, 20, 30, 24, 36, 40}) {
        const int32_t cp = ColumnPitchOf(cell), rp = RowPitchOf(cell);
        for (int32_t origin : {0, 2, 2 * cols, 4 * cols + 6}) {
            const RenderWindow w =
                ComputeRenderWindow(origin, cols, rows, 400 + 2 * cp, 300 + 2 * rp, cp, rp);
            VisibleHexList list;
            list.Build(w, cols, cp, rp);
            for (int32_t h : list.Hexes()) {
                const HexPoint p = list.Position(h);
                // Centre of the cell, in view pixels.
                const int32_t x = p.X + cell / 2 - w.LeftMargin;
                const int32_t y = p.Y + cell / 2 - w.TopMargin;
                // The extra column and row lie left of and above the view.
                if (h / cols < origin / cols || h % cols < origin % cols) continue;
                ASSERT_EQ(HitTest(x, y, origin, cols, rows, cp, rp), h) << "cell " << cell << " hex " << h;
            }
        }
    }
}

TEST(HexGeometry, UnitPlacement) {
    EXPECT_EQ(UnitPlacement({100, 50}, 40, 40, 40, 1), (HexPoint{100, 50}));
    EXPECT_EQ(UnitPlacement({100, 50}, 40, 40, 40, 0), (HexPoint{102, 52})) << "zoom 0 adds 2";
    EXPECT_EQ(UnitPlacement({100, 50}, 40, 20, 30, 2), (HexPoint{105, 52}));
    EXPECT_EQ(UnitPlacement({100, 50}, 40, 50, 41, 2), (HexPoint{100, 50}))
        << "larger symbols keep the corner";
    EXPECT_EQ(UnitPlacement({0, 0}, 10, 7, 3, 0), (HexPoint{2, 3}));
}

TEST(HexGeometry, ScrollRanges) {
    EXPECT_EQ(HorizontalScrollRange(20, 50), (ScrollRange{true, 31}));
    EXPECT_EQ(HorizontalScrollRange(21, 50), (ScrollRange{true, 29}));
    EXPECT_EQ(HorizontalScrollRange(50, 50), (ScrollRange{false, 0}));
    EXPECT_EQ(HorizontalScrollRange(60, 50), (ScrollRange{false, 0}));
    EXPECT_EQ(VerticalScrollRange(20, 50), (ScrollRange{true, 30}));
    EXPECT_EQ(VerticalScrollRange(21, 50), (ScrollRange{true, 29}));
    EXPECT_EQ(VerticalScrollRange(10, 10), (ScrollRange{false, 0}));
}

TEST(HexGeometry, ClampViewOrigin) {
    struct Case {
        int32_t origin, cols, rows, visibleColumns, visibleRows, expected;
    };
    for (const Case c :
         {Case{0, 50, 40, 10, 10, 0}, Case{45, 50, 40, 10, 10, 40},
          Case{39 * 50 + 49, 50, 40, 10, 10, 30 * 50 + 40}, Case{38 * 50 + 41, 50, 40, 9, 9, 30 * 50 + 40},
          Case{3 * 50 + 5, 50, 40, 60, 60, 0}, Case{3 * 50 + 5, 50, 40, 4, 4, 2 * 50 + 4}}) {
        EXPECT_EQ(ClampViewOrigin(c.origin, c.cols, c.rows, c.visibleColumns, c.visibleRows), c.expected)
            << c.origin;
    }
}

TEST(HexGeometry, ScrollPositionsAndClampingKeepTheOriginEvenAndInsideTheMap) {
    for (int32_t cols : {10, 11, 37, 150})
        for (int32_t rows : {10, 13, 150})
            for (int32_t vc : {1, 9, 10, 20, 21, 200})
                for (int32_t vr : {1, 8, 15, 200}) {
                    const ScrollRange h = HorizontalScrollRange(vc, cols);
                    const ScrollRange v = VerticalScrollRange(vr, rows);
                    EXPECT_EQ(h.Enabled, vc < cols);
                    EXPECT_GE(h.Maximum, 0);
                    // Any scrollbar position, rounded up to even as the view does, clamps to a valid origin.
                    for (int32_t c = 0; c <= h.Maximum + 1; ++c)
                        for (int32_t r = 0; r <= v.Maximum + 1; r += 3) {
                            const int32_t col = std::min(c + c % 2, cols - 1);
                            const int32_t row = std::min(r + r % 2, rows - 1);
                            const int32_t o = ClampViewOrigin(row * cols + col, cols, rows, vc, vr);
                            ASSERT_GE(o, 0);
                            ASSERT_LT(o, cols * rows);
                            ASSERT_EQ((o % cols) % 2, 0);
                            ASSERT_EQ((o / cols) % 2, 0);
                            // The view is filled wherever the map is large enough.
                            if (vc <= cols) {
                                ASSERT_LE(o % cols + vc, cols);
                            }
                            if (vr <= rows) {
                                ASSERT_LE(o / cols + vr, rows);
                            }
                        }
                }
}

} // namespace
