// libFuzzer target for the symbol set file parser (.ter and .set): the first byte picks the
// kind, the rest is the file.
#include "graphics/symbol_set.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const auto kind = (data[0] & 1) ? k2::SymbolFileKind::Unit : k2::SymbolFileKind::Terrain;
    const std::span<const uint8_t> file(data + 1, size - 1);
    k2::SymbolFileContents contents;
    const k2::Status status = k2::ParseSymbolSetFile(file, kind, contents);
    if (status) {
        // What the parser accepts stays within the capacities.
        if (contents.TerrainCount > k2::MaxTerrainSymbols) __builtin_trap();
        if (kind == k2::SymbolFileKind::Unit && contents.UnitCount > k2::MaxUnitSymbols) __builtin_trap();
        const size_t expected =
            kind == k2::SymbolFileKind::Terrain ? size_t(contents.TerrainCount) : size_t(contents.UnitCount);
        if (contents.Entries.size() != expected) __builtin_trap();
        for (const auto& e : contents.Entries)
            if (e.Name.Length() > k2::SymbolNameChars) __builtin_trap();
    } else if (status.message.empty()) {
        __builtin_trap();
    }
    return 0;
}
