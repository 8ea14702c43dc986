// Smooth noise over the hex grid in whole numbers: random heights on a coarse lattice, blended
// with a smooth step between lattice points. The generator reads "high ground", "wet ground" and
// the wander of rivers and roads from such fields.
#pragma once

#include <cstdint>
#include <vector>

namespace k2 {

constexpr int32_t NoiseMax = 1023;

// One value from 0 to NoiseMax per hex, in hex index order, for a map of `cols` x `rows`.
// `cellHexes` is the lattice spacing in hexes (at least 1): larger values give broader features.
std::vector<int32_t> ValueNoise(int32_t cols, int32_t rows, uint32_t seed, int32_t cellHexes);

// Two fields of different spacing blended 2:1, the broad one first, still 0..NoiseMax.
std::vector<int32_t> LayeredNoise(int32_t cols, int32_t rows, uint32_t seed, int32_t broadHexes,
                                  int32_t fineHexes);

} // namespace k2
