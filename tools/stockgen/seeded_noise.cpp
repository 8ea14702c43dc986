#include "stockgen/seeded_noise.h"

#include <cmath>

namespace k2stock {

uint32_t HashMix(uint32_t a, uint32_t b, uint32_t c) {
    uint32_t h = a * 0x85EBCA6Bu ^ (b + 0x9E3779B9u) * 0xC2B2AE35u ^ (c + 0x165667B1u) * 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

static double Lattice(int32_t x, int32_t y, uint32_t seed) {
    return (HashMix(static_cast<uint32_t>(x), static_cast<uint32_t>(y), seed) & 0xFFFFFFu) / double(0xFFFFFF);
}

double ValueNoise(double x, double y, uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int32_t ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
    double tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const double a = Lattice(ix, iy, seed), b = Lattice(ix + 1, iy, seed);
    const double c = Lattice(ix, iy + 1, seed), d = Lattice(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double FractalNoise(double x, double y, uint32_t seed, int octaves) {
    double sum = 0, weight = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * ValueNoise(x, y, seed + 7919u * static_cast<uint32_t>(i));
        total += weight;
        weight *= 0.5;
        x *= 2;
        y *= 2;
    }
    return total > 0 ? sum / total : 0;
}

uint32_t SeededRandom::Next() {
    // splitmix64: small, fast and identical everywhere.
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 16);
}

double SeededRandom::Uniform() {
    return (Next() & 0xFFFFFFu) / double(0x1000000);
}

} // namespace k2stock
