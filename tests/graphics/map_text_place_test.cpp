// Where a map text stands beside its hex, and when the map shows it at all: the rule that the
// renderer and the map text dialog's sample both place texts by.
#include "graphics/map_text_place.h"

#include <gtest/gtest.h>

namespace k2 {
namespace {

TEST(MapTextPlace, EachPositionPutsTheTextOnItsSideOfTheHex) {
    // A cell of odd size at (100, 50) and a text of odd size, so that every halving truncates.
    const QPoint cell(100, 50);
    const int32_t s = 41;
    const QSize text(31, 11);
    struct Case {
        int32_t position;
        QPoint topLeft;
    };
    for (const Case c : {
             Case{1, {105, 91}}, // below, centred
             Case{2, {105, 39}}, // above, centred
             Case{3, {141, 91}}, // below right
             Case{4, {141, 39}}, // above right
             Case{5, {69, 39}},  // above left
             Case{6, {69, 91}},  // below left
             Case{7, {69, 65}},  // left, on the middle row
             Case{8, {141, 65}}, // right, on the middle row
             Case{0, {141, 65}}, // anything else stands as 8
             Case{9, {141, 65}},
         })
        EXPECT_EQ(MapTextTopLeft(c.position, cell, s, text), c.topLeft) << "position " << c.position;
}

TEST(MapTextPlace, TheMapShowsATextWithWordsAtSixPointsOrMoreAndAKnownPosition) {
    struct Case {
        const char* what;
        const char* text;
        uint8_t size;
        uint8_t position;
        int32_t zoom;
        bool shows;
    };
    for (const Case c : {
             Case{"plain", "Ford", 12, 1, 1, true},
             Case{"size 6", "Ford", 6, 1, 1, true},
             Case{"size 5", "Ford", 5, 1, 1, false},
             Case{"empty", "", 12, 1, 1, false},
             Case{"position 8", "Ford", 12, 8, 1, true},
             Case{"position 0", "Ford", 12, 0, 1, false},
             Case{"position 9", "Ford", 12, 9, 1, false},
             Case{"no such zoom level", "Ford", 12, 1, 3, false},
         }) {
        PlaceName entry;
        entry.Text = c.text;
        // Only the asked level counts: the others would show (or not) the other way round.
        entry.Size = {12, c.size, 5};
        entry.Placement = {1, c.position, 0};
        EXPECT_EQ(MapTextShows(entry, c.zoom), c.shows) << c.what;
    }
}

} // namespace
} // namespace k2
