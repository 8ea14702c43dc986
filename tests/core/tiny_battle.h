// A small battle known field by field: the Scenario and, built by hand from the layout, the
// bytes of its file, with switches that damage the bytes in the ways the reader must refuse.
#pragma once

#include "core/scenario.h"
#include "core_test_support.h"

#include <memory>
#include <optional>
#include <string>

namespace k2test {

struct TinyShape {
    bool legacy = false;
    int32_t saveCount = 7; // as it stands in the file
    int32_t unitCount = 1;
    int32_t structureCount = 1;
    int32_t objectiveCount = 1;
    int32_t wingCount = 2;
    int32_t mapTextCount = 1;
    int32_t terrainDefCount = 2;
    int32_t cols = 3;
    int32_t rows = 1;
    std::string battleName = "Tiny Battle";
    std::string wingName1 = "Left";
    std::string unitName = "Guard";
    std::string terrainDefName = "2 Wood";
    std::string mapText = "ABCDEFGHIJKLMNOPQRSTUVWXY"; // 25 characters: no zero byte
    std::string description0 = "Line one";
    int32_t unitHex = 2;
    int32_t unitWing = 1;
    int32_t structureHex = 0;
    int32_t objectiveHex = 1;
    int32_t mapTextHex = 1;
    int32_t hex2Unit = 1;
    int32_t hex1MapText = 1;
    int32_t hex0Structure = 1;
    int32_t hex1Objective = 1;
    uint8_t flagB = 5;
    uint8_t viewSaved = 1;
    int32_t zoomInFile = 2;
    int32_t markerFill = -1; // when not -1, all 25 marker symbols in the file take this value
};

// The bytes of the file the shape describes.
std::vector<uint8_t> TinyBattleBytes(const TinyShape& shape = {});

// The Scenario that the default shape's current file holds after reading (SaveCount 7).
std::unique_ptr<k2::Scenario> TinyBattle();

} // namespace k2test
