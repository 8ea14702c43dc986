// Growing clumps of one kind of ground (hills, woods, marsh, fields) to a number of hexes:
// patches that start on favoured ground and grow into the most favoured neighbouring hexes,
// preferring hexes that many of the patch's hexes already touch, so that they come out round.
#pragma once

#include "generate/hex_neighbours.h"
#include "generate/terrain_random.h"

#include <cstdint>
#include <vector>

namespace k2 {

struct PatchRequest {
    int32_t Target = 0;   // hexes to mark in all
    int32_t MinPatch = 1; // no patch is left smaller than this
    int32_t MaxPatch = 1; // a patch grows to a size drawn up to this
    // Per hex: 1 where a patch may grow.
    const std::vector<uint8_t>* Eligible = nullptr;
    // Per hex: how much a patch favours the hex (0 to about 1000).
    const std::vector<int32_t>* Priority = nullptr;
};

// Marks hexes in `member` (per hex; a marked hex is 1 and is not eligible again) until
// `request.Target` hexes are marked (give or take half of MinPatch, where the last few find no
// room beside the patches) or no eligible room is left. A patch that cannot grow to MinPatch is taken back.
// Returns the number of hexes marked.
int32_t GrowPatches(const HexNeighbours& neighbours, const PatchRequest& request, TerrainRandom& random,
                    std::vector<uint8_t>& member);

} // namespace k2
