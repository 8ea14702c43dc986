// What the read-only grids of the forces dialogs share: a table of cell texts with its title,
// headers and nominal column widths, the display order a click on a column header gives, and
// the tab-separated text that Ctrl+C puts on the clipboard.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace k2 {

// A grid as the dialog shows it. Texts are Windows-1252 bytes, as the scenario holds them.
struct GridTable {
    std::string Title;
    std::vector<std::string> Headers;
    // Nominal column widths in pixels; the widget widens a column whose texts need more.
    std::vector<int32_t> Widths;
    std::vector<std::vector<std::string>> Rows;

    bool operator==(const GridTable&) const = default;
};

// How a cell orders when its column is sorted: by number first, then by text without regard
// to case. Numeric columns leave the text empty, text columns the number 0, so a column never
// mixes the two; "-" cells of numeric columns carry -1 and gather at one end.
struct SortKey {
    int64_t Number = 0;
    std::string Text;
};

enum class SortDirection : int32_t { None = 0, Ascending = 1, Descending = 2 };

// The row positions in display order for `keys[row][column]`; a stable sort, so rows with
// equal keys keep their order. SortDirection::None (or a column outside the keys) gives the
// rows as they are.
std::vector<int32_t> DisplayOrder(const std::vector<std::vector<SortKey>>& keys, int32_t column,
                                  SortDirection direction);

// Header line and then the rows in `order`, cells joined by tabs, each line ended by "\n".
// Tabs and line breaks inside a cell become blanks so that the columns stay aligned.
std::string TabSeparated(const std::vector<std::string>& headers,
                         const std::vector<std::vector<std::string>>& rows,
                         const std::vector<int32_t>& order);

} // namespace k2
