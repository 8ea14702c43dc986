// The cheapest route between hexes (A*, or Dijkstra with a zero estimate) under a cost that the
// caller gives for each step, as rivers and roads are laid.
#pragma once

#include "generate/hex_neighbours.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <queue>
#include <utility>
#include <vector>

namespace k2 {

// The hexes from `start` to the first hex for which `isTarget` holds, both included; empty when
// no target can be reached. `stepCost(from, to)` is the cost of one step (negative: the step is
// not allowed); `estimate(hex)` must never exceed the cheapest cost from `hex` to a target.
// Equal costs are settled by hex number, so the route does not depend on the queue's inner order.
template <typename IsTarget, typename StepCost, typename Estimate>
std::vector<int32_t> FindRoute(const HexNeighbours& neighbours, int32_t start, IsTarget isTarget,
                               StepCost stepCost, Estimate estimate) {
    constexpr int64_t Unreached = std::numeric_limits<int64_t>::max();
    const std::size_t count = std::size_t(neighbours.Count());
    std::vector<int64_t> cost(count, Unreached);
    std::vector<int32_t> from(count, NoNeighbour);
    using Entry = std::pair<int64_t, int32_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    cost[std::size_t(start)] = 0;
    open.push({estimate(start), start});
    while (!open.empty()) {
        const auto [key, hex] = open.top();
        open.pop();
        if (key - estimate(hex) > cost[std::size_t(hex)]) continue; // a stale entry
        if (isTarget(hex)) {
            std::vector<int32_t> route;
            for (int32_t at = hex; at != NoNeighbour; at = from[std::size_t(at)])
                route.push_back(at);
            return {route.rbegin(), route.rend()};
        }
        for (int32_t next : neighbours.Of(hex)) {
            if (next == NoNeighbour) continue;
            const int64_t step = stepCost(hex, next);
            if (step < 0) continue;
            const int64_t reached = cost[std::size_t(hex)] + step;
            if (reached >= cost[std::size_t(next)]) continue;
            cost[std::size_t(next)] = reached;
            from[std::size_t(next)] = hex;
            open.push({reached + estimate(next), next});
        }
    }
    return {};
}

} // namespace k2
