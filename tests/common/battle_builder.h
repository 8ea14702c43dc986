// The battles the tests build for themselves: a map of a given shape and the records a test
// places on it, each linked both ways (the record names its hex and the hex names the record);
// and a battle as New Battle lays it, also written to a file, for the tests that open battles.
#pragma once

#include "core/battle_file.h"
#include "core/random_source.h"
#include "core/scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace k2::test {

struct BattleShape {
    int32_t cols = 10;
    int32_t rows = 10;
    int32_t terrain = 0;                 // the primary terrain of every hex...
    bool borderRing = false;             // ...but the outer ring, which is BorderTerrain when set
    bool stockMarkers = false;           // the stock marker symbols (the places after them stay 0)
    std::vector<std::string> wings = {}; // wing names, wing 0 first
    std::string western = {};            // the sides' names
    std::string eastern = {};
};

// A battle of the shape with no records.
inline Scenario Battle(const BattleShape& shape = {}) {
    Scenario s;
    s.Cols = shape.cols;
    s.Rows = shape.rows;
    s.HexCount = shape.cols * shape.rows;
    s.Hexes.assign(std::size_t(std::max(s.HexCount, 0)), HexCell{});
    for (int32_t h = 0; h < s.HexCount; ++h)
        s.Hexes[std::size_t(h)].PrimaryTerrain =
            shape.borderRing && s.IsBorderHex(h) ? BorderTerrain : shape.terrain;
    if (shape.stockMarkers)
        std::copy(StockMarkerSymbols.begin(), StockMarkerSymbols.end(), s.MarkerSymbols.begin());
    for (const std::string& wing : shape.wings)
        s.WingNames[std::size_t(s.WingCount++)] = wing;
    s.WesternName = shape.western;
    s.EasternName = shape.eastern;
    return s;
}

// The same on the heap, for tests that hand it by reference to several objects.
inline std::unique_ptr<Scenario> MakeBattle(const BattleShape& shape = {}) {
    return std::make_unique<Scenario>(Battle(shape));
}

// Appends a record standing on `hex` and points the hex at it (a hex off the map is kept in the
// record only); returns the record's number.
inline int32_t AddUnit(Scenario& s, int32_t hex, UnitRecord unit = {}) {
    const int32_t n = ++s.UnitCount;
    unit.Hex = hex;
    s.Units[std::size_t(n)] = unit;
    if (s.IsValidHex(hex)) s.Hexes[std::size_t(hex)].Unit = n;
    return n;
}

inline int32_t AddStructure(Scenario& s, int32_t hex, StructureRecord structure = {}) {
    const int32_t n = ++s.StructureCount;
    structure.Hex = hex;
    s.Structures[std::size_t(n)] = structure;
    if (s.IsValidHex(hex)) s.Hexes[std::size_t(hex)].Structure = n;
    return n;
}

inline int32_t AddObjective(Scenario& s, int32_t hex, ObjectiveRecord objective = {}) {
    const int32_t n = ++s.ObjectiveCount;
    objective.Hex = hex;
    s.Objectives[std::size_t(n)] = objective;
    if (s.IsValidHex(hex)) s.Hexes[std::size_t(hex)].Objective = n;
    return n;
}

inline int32_t AddMapText(Scenario& s, int32_t hex, PlaceName text = {}) {
    const int32_t n = ++s.MapTextCount;
    text.Hex = hex;
    s.MapTexts[std::size_t(n)] = text;
    if (s.IsValidHex(hex)) s.Hexes[std::size_t(hex)].MapText = n;
    return n;
}

// A battle as New Battle lays it: cols x rows, the terrain drawn with `seed`, named `name`, the
// sides "Westmen" and "Eastmen", and the terrain definitions of `terrainDefFile` (none when it
// is empty). Fails the test when it cannot be laid.
inline Scenario NewBattle(int32_t cols, int32_t rows, const std::string& name, uint32_t seed,
                          const std::filesystem::path& terrainDefFile = {}) {
    Scenario s;
    s.Cols = cols;
    s.Rows = rows;
    s.BattleName = name;
    s.WesternName = "Westmen";
    s.EasternName = "Eastmen";
    StdRandomSource random(seed);
    const Status laid = InitNewBattle(s, random, terrainDefFile);
    EXPECT_TRUE(laid.ok) << laid.message;
    return s;
}

// NewBattle written into `file` by the battle writer, with the stock terrain set's 130
// definitions. Returns the file's path as text.
inline std::string WriteNewBattle(const std::filesystem::path& file, int32_t cols, int32_t rows,
                                  const std::string& name, uint32_t seed,
                                  const std::filesystem::path& terrainDefFile) {
    Scenario s = NewBattle(cols, rows, name, seed, terrainDefFile);
    const Status written = WriteBattle(s, file, 130);
    EXPECT_TRUE(written.ok) << written.message;
    return file.string();
}

} // namespace k2::test
