// The two hex sides that each stock bridge joins, by the span number its catalogue entry carries:
// the painter draws the road deck between them and the role table tells the terrain generator.
#pragma once

namespace k2stock {

// Sides counted clockwise from the top (N, NE, SE, S, SW, NW).
inline constexpr int BridgeSpanSides[3][2] = {{0, 3}, {1, 4}, {5, 2}};

} // namespace k2stock
