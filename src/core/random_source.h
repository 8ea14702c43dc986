// The random number seam: new battles and terrain variants draw from it, tests inject their own.
#pragma once

#include <cstdint>
#include <random>

namespace k2 {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // A non-negative pseudo-random integer; callers take it modulo their range.
    virtual uint32_t Next() = 0;
};

// The program's generator: a Mersenne twister seeded once per run.
class StdRandomSource : public RandomSource {
  public:
    explicit StdRandomSource(uint32_t seed = std::random_device{}()) : engine_(seed) {}
    uint32_t Next() override { return static_cast<uint32_t>(engine_() & 0x7fffffffu); }

  private:
    std::mt19937 engine_;
};

} // namespace k2
