// Deterministic pseudo-random numbers and value noise for the stock artwork: the same seed gives
// the same picture on every machine, so the generated installation is reproducible byte for byte.
#pragma once

#include <cstdint>

namespace k2stock {

uint32_t HashMix(uint32_t a, uint32_t b, uint32_t c);

// Smooth value noise in [0, 1] with features one unit apart.
double ValueNoise(double x, double y, uint32_t seed);
// Sum of `octaves` noise layers, each twice as fine and half as strong; result in [0, 1].
double FractalNoise(double x, double y, uint32_t seed, int octaves);

class SeededRandom {
  public:
    explicit SeededRandom(uint32_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint32_t Next();
    double Uniform(); // [0, 1)
    double Range(double low, double high) { return low + (high - low) * Uniform(); }
    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint32_t>(n)); }

  private:
    uint64_t state_;
};

} // namespace k2stock
