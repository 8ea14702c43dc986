#include "generate/value_noise.h"

#include "generate/terrain_random.h"

#include <algorithm>
#include <cstddef>

namespace k2 {

namespace {

// Hex centres in units where a column is 26 wide and a row 30 high (26/30 is close to the
// spacing of columns of hexes against their height); odd columns stand half a row lower.
constexpr int32_t ColumnUnits = 26, RowUnits = 30;

// The smooth step 3t^2 - 2t^3 on [0, span], scaled to [0, span].
int64_t Fade(int64_t t, int64_t span) {
    return t * t * (3 * span - 2 * t) / (span * span);
}

} // namespace

std::vector<int32_t> ValueNoise(int32_t cols, int32_t rows, uint32_t seed, int32_t cellHexes) {
    std::vector<int32_t> out(std::size_t(std::max(cols, 0)) * std::size_t(std::max(rows, 0)));
    const int64_t span = int64_t(std::max(cellHexes, 1)) * RowUnits;
    const auto lattice = [seed](int64_t i, int64_t j) {
        return int64_t(HashInts(int32_t(i), int32_t(j), seed) % uint32_t(NoiseMax + 1));
    };
    for (int32_t r = 0; r < rows; ++r) {
        for (int32_t c = 0; c < cols; ++c) {
            const int64_t x = int64_t(c) * ColumnUnits, y = int64_t(r) * RowUnits + (c & 1) * (RowUnits / 2);
            const int64_t i = x / span, j = y / span;
            const int64_t fx = Fade(x % span, span), fy = Fade(y % span, span);
            const int64_t top = lattice(i, j) + (lattice(i + 1, j) - lattice(i, j)) * fx / span;
            const int64_t bottom =
                lattice(i, j + 1) + (lattice(i + 1, j + 1) - lattice(i, j + 1)) * fx / span;
            out[std::size_t(r) * std::size_t(cols) + std::size_t(c)] =
                int32_t(top + (bottom - top) * fy / span);
        }
    }
    return out;
}

std::vector<int32_t> LayeredNoise(int32_t cols, int32_t rows, uint32_t seed, int32_t broadHexes,
                                  int32_t fineHexes) {
    std::vector<int32_t> broad = ValueNoise(cols, rows, seed, broadHexes);
    const std::vector<int32_t> fine = ValueNoise(cols, rows, HashInts(int32_t(seed), 7, 0x5EEDu), fineHexes);
    for (std::size_t k = 0; k < broad.size(); ++k)
        broad[k] = (2 * broad[k] + fine[k]) / 3;
    return broad;
}

} // namespace k2
