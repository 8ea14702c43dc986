// The terrain generator's own random numbers: a SplitMix64 stream and whole-number draws built
// on it, so that a seed gives the same map with every compiler and standard library (the
// standard distributions are free to differ between them). Also an integer hash for noise that
// depends only on its inputs.
#pragma once

#include <cstdint>

namespace k2 {

class TerrainRandom {
  public:
    // Streams of one seed are independent: each stage of the generator draws from its own, so that
    // moving one slider leaves the draws of the stages before it alone.
    explicit TerrainRandom(uint64_t seed, uint64_t stream = 0)
        : state_(seed * 0x9E3779B97F4A7C15ull ^ (stream + 1) * 0xD1B54A32D192ED03ull) {}

    uint32_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return uint32_t((z ^ (z >> 31)) >> 32);
    }

    // Uniform in [0, n) for n > 0 (0 for n = 0), without the bias of a plain modulo.
    uint32_t Below(uint32_t n) {
        if (n == 0) return 0;
        const uint32_t limit = UINT32_MAX - UINT32_MAX % n;
        uint32_t v = Next();
        while (v >= limit)
            v = Next();
        return v % n;
    }

    // Uniform in [low, high]; low when high < low.
    int32_t Range(int32_t low, int32_t high) {
        if (high <= low) return low;
        return low + int32_t(Below(uint32_t(int64_t(high) - low + 1)));
    }

    bool Chance(int32_t percent) { return int32_t(Below(100)) < percent; }

  private:
    uint64_t state_;
};

// A well-mixed 32-bit value of three integers.
constexpr uint32_t HashInts(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = seed ^ (uint32_t(x) * 0x9E3779B1u) ^ (uint32_t(y) * 0x85EBCA77u);
    for (int round = 0; round < 2; ++round) {
        h ^= h >> 16;
        h *= 0x7FEB352Du;
        h ^= h >> 15;
        h *= 0x846CA68Bu;
        h ^= h >> 16;
    }
    return h;
}

} // namespace k2
