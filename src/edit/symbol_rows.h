// The lists of terrain symbols that the dialogs offer: the symbols of given name categories in
// the set's display order, each shown without its two-character category prefix.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace k2 {

class SymbolSet;

// One row of a symbol list: the terrain symbol and the name shown for it.
struct SymbolRow {
    int32_t Terrain = 0;
    std::string Name; // the symbol's name without its category prefix ("3 Castle" -> "Castle")
    bool operator==(const SymbolRow&) const = default;
};

// The terrain symbols whose names begin with one of `categories` ("3", "34"), in the set's
// display order, named without their first two characters.
std::vector<SymbolRow> TerrainSymbolRows(const SymbolSet& symbols, std::string_view categories);

// A symbol's name as the lists show it: without its first two characters.
std::string ShownSymbolName(const SymbolSet& symbols, int32_t terrain);

} // namespace k2
