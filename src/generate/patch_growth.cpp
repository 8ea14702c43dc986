#include "generate/patch_growth.h"

#include <algorithm>
#include <queue>
#include <utility>
#include <vector>

namespace k2 {

namespace {

// How much each hex of the patch that a candidate already touches adds to its pull: enough to
// beat the differences of the ground, so that patches stay round rather than run along ridges.
constexpr int32_t TouchWeight = 350;
constexpr int32_t Jitter = 200;
// Seeds are the best of this many random candidates.
constexpr int32_t SeedChoices = 4;

class Grower {
  public:
    Grower(const HexNeighbours& n, const PatchRequest& r, TerrainRandom& random, std::vector<uint8_t>& member)
        : n_(n), r_(r), random_(random), member_(member), noSeed_(member.size(), 0),
          touches_(member.size(), 0), inPatch_(member.size(), 0) {}

    int32_t Run() {
        int32_t placed = 0;
        int32_t attempts = 0;
        const int32_t maxAttempts = 64 + 4 * (r_.Target / std::max(r_.MinPatch, 1));
        while (placed < r_.Target && attempts++ < maxAttempts) {
            int32_t remaining = r_.Target - placed;
            int32_t size = 0;
            if (remaining < r_.MinPatch && placed > 0) {
                // Too few left for a patch of their own (an earlier patch stopped short): they
                // join the patches there are. Where those have no room, one more patch of the
                // smallest size is laid if that comes nearer the target than stopping short.
                placed += Attach(remaining);
                remaining = r_.Target - placed;
                if (remaining * 2 < r_.MinPatch) break;
                size = r_.MinPatch;
            } else {
                size = std::min(random_.Range(r_.MinPatch, std::max(r_.MinPatch, r_.MaxPatch)), remaining);
                // No tail too small for a patch of its own: the last patch takes it.
                if (remaining - size < r_.MinPatch) size = remaining;
            }
            const int32_t seed = PickSeed();
            if (seed == NoNeighbour) break;
            placed += Grow(seed, size);
        }
        // Room for no new patch: what is left joins the patches there are, where they can grow.
        if (placed < r_.Target && placed > 0) placed += Attach(r_.Target - placed);
        return placed;
    }

  private:
    bool Free(int32_t hex) const {
        return (*r_.Eligible)[std::size_t(hex)] && !member_[std::size_t(hex)] && !inPatch_[std::size_t(hex)];
    }

    int32_t PickSeed() {
        const int32_t count = n_.Count();
        std::vector<int32_t> found;
        for (int32_t tries = 0; tries < 64 && int32_t(found.size()) < SeedChoices; ++tries) {
            const int32_t hex = int32_t(random_.Below(uint32_t(count)));
            if (Free(hex) && !noSeed_[std::size_t(hex)]) found.push_back(hex);
        }
        if (found.empty()) {
            // The free ground is scarce: look at all of it, once, and keep the list.
            if (!scarceListed_) {
                for (int32_t hex = 0; hex < count; ++hex)
                    scarce_.push_back(hex);
                scarceListed_ = true;
            }
            std::erase_if(scarce_, [this](int32_t hex) { return !Free(hex) || noSeed_[std::size_t(hex)]; });
            if (scarce_.empty()) return NoNeighbour;
            for (int32_t k = 0; k < SeedChoices; ++k)
                found.push_back(scarce_[random_.Below(uint32_t(scarce_.size()))]);
        }
        int32_t best = found.front();
        for (int32_t hex : found)
            if (Pull(hex) > Pull(best)) best = hex;
        return best;
    }

    int32_t Pull(int32_t hex) const { return (*r_.Priority)[std::size_t(hex)]; }

    // Adds up to `count` hexes, one at a time, each the most favoured free hex beside a marked one.
    int32_t Attach(int32_t count) {
        int32_t added = 0;
        for (; added < count; ++added) {
            int32_t best = NoNeighbour;
            for (int32_t hex = 0; hex < n_.Count(); ++hex) {
                if (!Free(hex) || (best != NoNeighbour && Pull(hex) <= Pull(best))) continue;
                for (int32_t next : n_.Of(hex))
                    if (next != NoNeighbour && member_[std::size_t(next)]) {
                        best = hex;
                        break;
                    }
            }
            if (best == NoNeighbour) break;
            member_[std::size_t(best)] = 1;
        }
        return added;
    }

    // Grows one patch from `seed` to `size` hexes; returns the hexes it kept.
    int32_t Grow(int32_t seed, int32_t size) {
        using Entry = std::pair<int32_t, int32_t>; // pull, hex
        std::priority_queue<Entry> frontier;
        std::vector<int32_t> patch;
        frontier.push({Pull(seed), seed});
        while (!frontier.empty() && int32_t(patch.size()) < size) {
            const int32_t hex = frontier.top().second;
            frontier.pop();
            if (!Free(hex)) continue;
            inPatch_[std::size_t(hex)] = 1;
            patch.push_back(hex);
            for (int32_t next : n_.Of(hex)) {
                if (next == NoNeighbour || !Free(next)) continue;
                const int32_t touching = ++touches_[std::size_t(next)];
                frontier.push({Pull(next) + touching * TouchWeight + int32_t(random_.Below(Jitter)), next});
            }
        }
        for (int32_t hex : patch)
            for (int32_t next : n_.Of(hex))
                if (next != NoNeighbour) touches_[std::size_t(next)] = 0;
        const bool keep = int32_t(patch.size()) >= std::min(r_.MinPatch, size);
        for (int32_t hex : patch) {
            inPatch_[std::size_t(hex)] = 0;
            if (keep)
                member_[std::size_t(hex)] = 1;
            else
                noSeed_[std::size_t(hex)] = 1;
        }
        if (!keep) noSeed_[std::size_t(seed)] = 1;
        return keep ? int32_t(patch.size()) : 0;
    }

    const HexNeighbours& n_;
    const PatchRequest& r_;
    TerrainRandom& random_;
    std::vector<uint8_t>& member_;
    std::vector<uint8_t> noSeed_;
    std::vector<int32_t> touches_;
    std::vector<uint8_t> inPatch_;
    std::vector<int32_t> scarce_;
    bool scarceListed_ = false;
};

} // namespace

int32_t GrowPatches(const HexNeighbours& neighbours, const PatchRequest& request, TerrainRandom& random,
                    std::vector<uint8_t>& member) {
    if (request.Target <= 0 || !request.Eligible || !request.Priority) return 0;
    return Grower(neighbours, request, random, member).Run();
}

} // namespace k2
