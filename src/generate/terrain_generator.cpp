#include "generate/terrain_generator.h"

#include "generate/hex_neighbours.h"
#include "generate/patch_growth.h"
#include "generate/route_search.h"
#include "generate/terrain_random.h"
#include "generate/value_noise.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <limits>
#include <optional>

namespace k2 {

const std::array<SliderInfo, 7> Sliders = {{
    {"hills", "Hills", &GeneratorSettings::Hills},
    {"woods", "Woods", &GeneratorSettings::Woods},
    {"water", "Marsh and Water", &GeneratorSettings::Water},
    {"fields", "Fields", &GeneratorSettings::Fields},
    {"villages", "Villages", &GeneratorSettings::Villages},
    {"roads", "Roads", &GeneratorSettings::Roads},
    {"rivers", "Rivers", &GeneratorSettings::Rivers},
}};

namespace {

// Shares of the inner hexes at slider 100, in percent.
constexpr int64_t HillShare = 40, WoodsShare = 35, WetShare = 25, FieldShare = 30;
// A river's strip across the map is at least this many hexes wide, so rivers never meet.
constexpr int32_t RiverStrip = 4;
// Villages stand at least this many hexes apart; a spur road to a village is at most this long.
constexpr int32_t VillageSpacing = 4;
constexpr std::size_t MaxSpur = 40;

int64_t InnerHexes(int32_t cols, int32_t rows) {
    return int64_t(std::max(cols - 2, 0)) * int64_t(std::max(rows - 2, 0));
}

int32_t Scaled(int32_t most, int32_t slider) {
    return (most * std::clamp(slider, 0, GeneratorSettings::MaxSlider) + GeneratorSettings::MaxSlider / 2) /
           GeneratorSettings::MaxSlider;
}

int32_t Share(int64_t inner, int32_t slider, int64_t share) {
    return int32_t(inner * std::clamp(slider, 0, GeneratorSettings::MaxSlider) * share / 10000);
}

enum class Ground : uint8_t { Border, Open, Marsh, Lake, Hill, Field };

// The parts of village names.
constexpr const char* NameStarts[] = {"Ash",  "Brook", "Oak",  "Thorn", "Mill",  "Stan",  "Wick",  "Hal",
                                      "Brad", "Kel",   "Elm",  "Ford",  "Lang",  "Wen",   "Cor",   "Dun",
                                      "Fen",  "Gar",   "Hart", "Lyn",   "March", "North", "Red",   "Stoke",
                                      "Tam",  "Ul",    "Wold", "Yar",   "Bar",   "Ced",   "Hazel", "Rook"};
constexpr const char* NameEnds[] = {"by",  "ford", "ham",  "ton",    "wick", "stead", "field", "more",
                                    "ley", "bury", "well", "thorpe", "dale", "worth", "mere",  "hurst"};

class Generator {
  public:
    Generator(const Scenario& battle, const RoleTable& roles, const GeneratorSettings& settings)
        : battle_(battle), roles_(roles), settings_(settings), cols_(battle.Cols), rows_(battle.Rows),
          count_(std::size_t(battle.Cols) * std::size_t(battle.Rows)), n_(battle.Cols, battle.Rows),
          targets_(TargetsFor(battle.Cols, battle.Rows, settings)), ground_(count_, Ground::Open),
          ring_(count_, 0), keep_(count_, 0), level_(count_, 0), river_(count_, 0), road_(count_, 0),
          crossing_(count_, 0), bridge_(count_, NoSymbol), village_(count_, 0), house_(count_, 0),
          woods_(count_, 0) {
        const uint32_t seed = settings.Seed;
        high_ = LayeredNoise(cols_, rows_, HashInts(1, 0, seed), 14, 5);
        wet_ = LayeredNoise(cols_, rows_, HashInts(2, 0, seed), 10, 4);
        wander_ = ValueNoise(cols_, rows_, HashInts(3, 0, seed), 2);
        for (int32_t h = 0; h < int32_t(count_); ++h) {
            const int32_t r = h / cols_, c = h % cols_;
            if (r == 0 || c == 0 || r == rows_ - 1 || c == cols_ - 1)
                ground_[At(h)] = Ground::Border;
            else if (r == 1 || c == 1 || r == rows_ - 2 || c == cols_ - 2)
                ring_[At(h)] = 1;
            const HexCell& cell = battle.Hexes[At(h)];
            if (cell.Unit != 0 || cell.ReinforcementMarker != 0) keep_[At(h)] = 1;
        }
    }

    GeneratedMap Run() {
        Rivers();
        Wetlands();
        Hills();
        Roads();
        Villages();
        Fields();
        Woods();
        return Compose();
    }

  private:
    static std::size_t At(int32_t hex) { return std::size_t(hex); }
    bool Inner(int32_t hex) const { return hex != NoNeighbour && ground_[At(hex)] != Ground::Border; }
    TerrainRandom Stream(uint64_t stage) const { return TerrainRandom(settings_.Seed, stage); }
    int32_t Index(int32_t row, int32_t col) const { return row * cols_ + col; }
    int32_t Distance(int32_t a, int32_t b) const { return n_.Grid().Distance(a, b); }

    // The end of a route on one edge of the map: the hex beside the border at `along` (a column
    // on the top and bottom edges, a row on the left and right) and the side that leads into
    // the border.
    struct EdgeEnd {
        int32_t Hex;
        int32_t Side;
    };
    enum Edge { Top, Bottom, Left, Right };
    EdgeEnd EndOn(Edge edge, int32_t along, TerrainRandom& random) const {
        switch (edge) {
        case Top:
            return {Index(1, along), int32_t(HexDirection::North)};
        case Bottom:
            return {Index(rows_ - 2, along), int32_t(HexDirection::South)};
        case Left:
            // Column 1 is odd: both western sides lead into column 0.
            return {Index(along, 1),
                    int32_t(random.Chance(50) ? HexDirection::NorthWest : HexDirection::SouthWest)};
        case Right:
            return {Index(along, cols_ - 2),
                    int32_t(random.Chance(50) ? HexDirection::NorthEast : HexDirection::SouthEast)};
        }
        return {0, 0};
    }

    // Joins consecutive hexes of `route` with pieces in `sides`.
    void Join(const std::vector<int32_t>& route, std::vector<uint8_t>& sides) const {
        for (std::size_t k = 0; k + 1 < route.size(); ++k) {
            const int32_t side = n_.SideTowards(route[k], route[k + 1]);
            sides[At(route[k])] |= uint8_t(1u << side);
            sides[At(route[k + 1])] |= uint8_t(1u << OppositeSide(side));
        }
    }

    // ---- Rivers: from one edge to the opposite one, each in a strip of its own, along low ground.
    void Rivers() {
        TerrainRandom random = Stream(1);
        const int32_t count = targets_.Rivers;
        if (count == 0) return;
        const bool northSouth = random.Below(uint32_t(cols_ + rows_)) < uint32_t(cols_);
        riversNorthSouth_ = northSouth;
        const int32_t across = northSouth ? cols_ : rows_;
        const int32_t strip = (across - 4) / count;
        // Rivers bend round high ground, round the swells of a field of their own and through
        // waypoints drawn in their strip.
        const std::vector<int32_t> bend = ValueNoise(cols_, rows_, HashInts(4, 0, settings_.Seed), 5);
        const int32_t length = northSouth ? rows_ : cols_;
        const int32_t legs = std::max(1, length / 10);
        std::vector<uint8_t> blocked(count_, 0), used(count_, 0);
        for (int32_t i = 0; i < count; ++i) {
            const int32_t first = 2 + i * strip;
            const auto pick = [&] { return first + 1 + random.Range(0, std::max(strip - 3, 0)); };
            for (int32_t attempt = 0; attempt < 6; ++attempt) {
                const int32_t start = pick(), end = pick();
                const EdgeEnd from = EndOn(northSouth ? Top : Left, start, random);
                const EdgeEnd to = EndOn(northSouth ? Bottom : Right, end, random);
                // Waypoints stray from the straight line by up to half a leg, within the strip.
                std::vector<int32_t> points = {from.Hex};
                const int32_t stray = std::max(1, length / legs / 2);
                for (int32_t k = 1; k < legs; ++k) {
                    const int32_t along = 2 + k * (length - 4) / legs;
                    const int32_t side =
                        std::clamp(start + (end - start) * k / legs + random.Range(-stray, stray), first + 1,
                                   first + std::max(strip - 2, 1));
                    points.push_back(northSouth ? Index(along, side) : Index(side, along));
                }
                points.push_back(to.Hex);
                std::vector<int32_t> route = {from.Hex};
                std::fill(used.begin(), used.end(), 0);
                used[At(from.Hex)] = 1;
                bool laid = true;
                for (std::size_t k = 1; k < points.size() && laid; ++k) {
                    const int32_t target = points[k];
                    if (blocked[At(target)] || keep_[At(target)] || used[At(target)] ||
                        blocked[At(from.Hex)] || keep_[At(from.Hex)]) {
                        laid = false;
                        break;
                    }
                    const auto cost = [&](int32_t, int32_t next) -> int64_t {
                        if (!Inner(next) || blocked[At(next)] || keep_[At(next)] || used[At(next)]) return -1;
                        if (ring_[At(next)] && next != to.Hex) return -1;
                        return 6 + high_[At(next)] / 16 + bend[At(next)] / 16 + wander_[At(next)] / 8;
                    };
                    const auto leg = FindRoute(
                        n_, route.back(), [&](int32_t h) { return h == target; }, cost,
                        [&](int32_t h) { return int64_t(Distance(h, target)) * 6; });
                    laid = !leg.empty();
                    for (std::size_t j = 1; j < leg.size(); ++j) {
                        used[At(leg[j])] = 1;
                        route.push_back(leg[j]);
                    }
                }
                if (!laid) continue;
                Join(route, river_);
                river_[At(from.Hex)] |= uint8_t(1u << from.Side);
                river_[At(to.Hex)] |= uint8_t(1u << to.Side);
                for (int32_t h : route) {
                    blocked[At(h)] = 1;
                    for (int32_t next : n_.Of(h))
                        if (next != NoNeighbour) blocked[At(next)] = 1;
                }
                break;
            }
        }
    }

    // ---- Marsh and water: patches on low, wet ground and along the rivers; the inside of a large
    // patch is open water.
    void Wetlands() {
        TerrainRandom random = Stream(2);
        std::vector<uint8_t> eligible(count_, 0), member(count_, 0);
        std::vector<int32_t> pull(count_, 0);
        for (int32_t h = 0; h < int32_t(count_); ++h) {
            eligible[At(h)] = Inner(h);
            pull[At(h)] = (NoiseMax - high_[At(h)]) * 2 / 3 + wet_[At(h)] / 3 + (river_[At(h)] ? 300 : 0);
        }
        const int32_t inner = int32_t(InnerHexes(cols_, rows_));
        GrowPatches(n_, {targets_.WetHexes, 3, std::clamp(inner / 80, 6, 90), &eligible, &pull}, random,
                    member);
        for (int32_t h = 0; h < int32_t(count_); ++h)
            if (member[At(h)]) ground_[At(h)] = Ground::Marsh;
        for (int32_t h = 0; h < int32_t(count_); ++h) {
            if (ground_[At(h)] != Ground::Marsh || river_[At(h)] || keep_[At(h)]) continue;
            bool inside = true;
            for (int32_t next : n_.Of(h))
                inside = inside && next != NoNeighbour && member[At(next)];
            if (inside) ground_[At(h)] = Ground::Lake;
        }
    }

    // ---- Hills: patches on high ground; the height of a hex follows its distance from the foot,
    // so a hill rises one level at a time to its top.
    void Hills() {
        TerrainRandom random = Stream(3);
        std::vector<uint8_t> eligible(count_, 0), member(count_, 0);
        for (int32_t h = 0; h < int32_t(count_); ++h)
            eligible[At(h)] = ground_[At(h)] == Ground::Open && river_[At(h)] == 0;
        const int32_t inner = int32_t(InnerHexes(cols_, rows_));
        GrowPatches(n_, {targets_.HillHexes, 4, std::clamp(inner / 50, 8, 150), &eligible, &high_}, random,
                    member);
        std::vector<int32_t> foot(count_, std::numeric_limits<int32_t>::max());
        std::deque<int32_t> queue;
        for (int32_t h = 0; h < int32_t(count_); ++h) {
            if (member[At(h)]) {
                ground_[At(h)] = Ground::Hill;
            } else {
                foot[At(h)] = 0;
                queue.push_back(h);
            }
        }
        while (!queue.empty()) {
            const int32_t h = queue.front();
            queue.pop_front();
            for (int32_t next : n_.Of(h)) {
                if (next == NoNeighbour || foot[At(next)] <= foot[At(h)] + 1) continue;
                foot[At(next)] = foot[At(h)] + 1;
                queue.push_back(next);
            }
        }
        for (int32_t h = 0; h < int32_t(count_); ++h)
            if (member[At(h)]) level_[At(h)] = int8_t(std::min(3, (foot[At(h)] + 1) / 2));
    }

    // The cost of a road's step, or -1 where a road may not go: not on the border, the ring
    // beside it only where the road ends, not over water, not through a crossing already made,
    // and never from a river hex straight into another (a road crosses a river, it does not
    // follow it).
    int64_t RoadStep(int32_t from, int32_t to, int32_t end) const {
        if (!Inner(to) || ground_[At(to)] == Ground::Lake || crossing_[At(to)] || house_[At(to)]) return -1;
        if (ring_[At(to)] && to != end) return -1;
        if (river_[At(from)] && river_[At(to)]) return -1;
        int64_t cost = road_[At(to)] ? 4 : 10;
        cost += 12 * std::abs(level_[At(to)] - level_[At(from)]) + 3 * level_[At(to)];
        if (ground_[At(to)] == Ground::Marsh) cost += 20;
        if (river_[At(to)]) cost += 30;
        return cost + wander_[At(to)] / 64;
    }

    // Lays road pieces along `route`, and a bridge or a ford where it crosses a river.
    void LayRoad(const std::vector<int32_t>& route, TerrainRandom& random) {
        Join(route, road_);
        for (std::size_t k = 1; k + 1 < route.size(); ++k) {
            const int32_t h = route[k];
            if (!river_[At(h)]) continue;
            crossing_[At(h)] = 1;
            const int32_t in = n_.SideTowards(h, route[k - 1]), out = n_.SideTowards(h, route[k + 1]);
            for (const BridgePiece& b : roles_.Bridges) {
                const int32_t a = int32_t(b.From), z = int32_t(b.To);
                if (((a == in && z == out) || (a == out && z == in)) && random.Chance(80)) {
                    bridge_[At(h)] = b.Terrain;
                    break;
                }
            }
        }
    }

    // ---- Roads: from one edge to the opposite one, over flat and dry ground where they can,
    // sharing the roads already laid.
    void Roads() {
        TerrainRandom random = Stream(4);
        std::vector<int32_t> ends;
        const auto usable = [&](int32_t h) {
            if (river_[At(h)] || ground_[At(h)] == Ground::Lake) return false;
            for (int32_t e : ends)
                if (Distance(e, h) < 4) return false;
            return true;
        };
        for (int32_t i = 0; i < targets_.Roads; ++i) {
            for (int32_t attempt = 0; attempt < 8; ++attempt) {
                // The first road runs across the rivers, so that it has to cross them.
                const bool westEast = i == 0 && riversNorthSouth_
                                          ? *riversNorthSouth_
                                          : random.Below(uint32_t(cols_ + rows_)) < uint32_t(cols_);
                const int32_t along = westEast ? rows_ : cols_;
                const EdgeEnd from = EndOn(westEast ? Left : Top, random.Range(2, along - 3), random);
                if (!usable(from.Hex)) continue;
                // The far end is one the road can reach (water may cut off stretches of the edge),
                // as near as can be to a place drawn at random.
                const std::vector<uint8_t> reach = RoadReach(from.Hex);
                const int32_t wanted = random.Range(2, along - 3);
                int32_t best = -1;
                for (int32_t at = 2; at <= along - 3; ++at) {
                    const int32_t h = westEast ? Index(at, cols_ - 2) : Index(rows_ - 2, at);
                    if (reach[At(h)] && usable(h) &&
                        (best < 0 || std::abs(at - wanted) < std::abs(best - wanted)))
                        best = at;
                }
                if (best < 0) continue;
                const EdgeEnd to = EndOn(westEast ? Right : Bottom, best, random);
                const auto route = FindRoute(
                    n_, from.Hex, [&](int32_t h) { return h == to.Hex; },
                    [&](int32_t a, int32_t b) { return RoadStep(a, b, to.Hex); },
                    [&](int32_t h) { return int64_t(Distance(h, to.Hex)) * 4; });
                if (route.empty()) continue;
                LayRoad(route, random);
                road_[At(from.Hex)] |= uint8_t(1u << from.Side);
                road_[At(to.Hex)] |= uint8_t(1u << to.Side);
                ends.push_back(from.Hex);
                ends.push_back(to.Hex);
                break;
            }
        }
    }

    // The hexes a road from `start` can reach; a hex beside the border only as the road's end.
    std::vector<uint8_t> RoadReach(int32_t start) const {
        std::vector<uint8_t> reached(count_, 0);
        std::vector<int32_t> stack = {start};
        reached[At(start)] = 1;
        while (!stack.empty()) {
            const int32_t h = stack.back();
            stack.pop_back();
            if (h != start && ring_[At(h)]) continue;
            for (int32_t next : n_.Of(h))
                if (next != NoNeighbour && !reached[At(next)] && RoadStep(h, next, next) >= 0) {
                    reached[At(next)] = 1;
                    stack.push_back(next);
                }
        }
        return reached;
    }

    // ---- Villages: on the roads where there are roads, on dry low ground, apart from each
    // other; a village off the roads gets a lane to the nearest one; houses around it.
    void Villages() {
        TerrainRandom random = Stream(5);
        const auto fits = [&](int32_t h) {
            if (!Inner(h) || ring_[At(h)] || river_[At(h)] || crossing_[At(h)] || village_[At(h)])
                return false;
            if (ground_[At(h)] != Ground::Open && ground_[At(h)] != Ground::Hill) return false;
            for (int32_t v : centres_)
                if (Distance(v, h) < VillageSpacing) return false;
            return true;
        };
        const auto score = [&](int32_t h) {
            return (road_[At(h)] ? 600 : 0) + (NoiseMax - high_[At(h)]) / 3 - 150 * level_[At(h)] +
                   int32_t(random.Below(300));
        };
        std::vector<int32_t> scarce;
        bool listed = false;
        for (int32_t i = 0; i < targets_.Villages; ++i) {
            std::vector<int32_t> found;
            for (int32_t tries = 0; tries < 200 && found.size() < 24; ++tries) {
                const int32_t h = int32_t(random.Below(uint32_t(count_)));
                if (fits(h)) found.push_back(h);
            }
            if (found.empty()) {
                if (!listed) {
                    for (int32_t h = 0; h < int32_t(count_); ++h)
                        scarce.push_back(h);
                    listed = true;
                }
                std::erase_if(scarce, [&](int32_t h) { return !fits(h); });
                if (scarce.empty()) break;
                found.push_back(scarce[random.Below(uint32_t(scarce.size()))]);
            }
            int32_t best = found.front(), bestScore = std::numeric_limits<int32_t>::min();
            for (int32_t h : found) {
                const int32_t s = score(h);
                if (s > bestScore) best = h, bestScore = s;
            }
            village_[At(best)] = 1;
            centres_.push_back(best);
        }
        for (int32_t centre : centres_) {
            if (road_[At(centre)] || !AnyRoad()) continue;
            const auto route = FindRoute(
                n_, centre, [&](int32_t h) { return h != centre && road_[At(h)] && !crossing_[At(h)]; },
                [&](int32_t a, int32_t b) { return RoadStep(a, b, NoNeighbour); }, [](int32_t) { return 0; });
            if (!route.empty() && route.size() <= MaxSpur) LayRoad(route, random);
        }
        if (roles_.Houses.empty()) return;
        for (int32_t centre : centres_)
            for (int32_t h : n_.Of(centre))
                if (h != NoNeighbour && !ring_[At(h)] && ground_[At(h)] == Ground::Open && !road_[At(h)] &&
                    !river_[At(h)] && !village_[At(h)] && random.Chance(55))
                    house_[At(h)] = 1;
    }

    bool AnyRoad() const {
        return std::any_of(road_.begin(), road_.end(), [](uint8_t s) { return s != 0; });
    }

    // ---- Fields: patches of farmland on open ground near the villages and roads.
    void Fields() {
        TerrainRandom random = Stream(6);
        std::vector<int32_t> near(count_, std::numeric_limits<int32_t>::max());
        std::deque<int32_t> queue;
        for (int32_t h = 0; h < int32_t(count_); ++h)
            if (village_[At(h)] || road_[At(h)]) {
                near[At(h)] = 0;
                queue.push_back(h);
            }
        while (!queue.empty()) {
            const int32_t h = queue.front();
            queue.pop_front();
            for (int32_t next : n_.Of(h))
                if (next != NoNeighbour && near[At(next)] > near[At(h)] + 1) {
                    near[At(next)] = near[At(h)] + 1;
                    queue.push_back(next);
                }
        }
        std::vector<uint8_t> eligible(count_, 0), member(count_, 0);
        std::vector<int32_t> pull(count_, 0);
        for (int32_t h = 0; h < int32_t(count_); ++h) {
            eligible[At(h)] = ground_[At(h)] == Ground::Open && !village_[At(h)] && !house_[At(h)];
            pull[At(h)] =
                std::max(0, 10 - near[At(h)]) * 60 + (NoiseMax - high_[At(h)]) / 4 + wet_[At(h)] / 8;
        }
        const int32_t inner = int32_t(InnerHexes(cols_, rows_));
        GrowPatches(n_, {targets_.FieldHexes, 3, std::clamp(inner / 200, 5, 24), &eligible, &pull}, random,
                    member);
        for (int32_t h = 0; h < int32_t(count_); ++h)
            if (member[At(h)]) ground_[At(h)] = Ground::Field;
    }

    // ---- Woods: clumps on open ground and hills, clear of roads, rivers and villages.
    void Woods() {
        TerrainRandom random = Stream(7);
        std::vector<uint8_t> eligible(count_, 0);
        std::vector<int32_t> pull(count_, 0);
        for (int32_t h = 0; h < int32_t(count_); ++h) {
            const Ground g = ground_[At(h)];
            eligible[At(h)] = (g == Ground::Open || g == Ground::Hill) && !road_[At(h)] && !river_[At(h)] &&
                              !village_[At(h)] && !house_[At(h)];
            pull[At(h)] = wet_[At(h)] * 2 / 3 + high_[At(h)] / 3;
        }
        const int32_t inner = int32_t(InnerHexes(cols_, rows_));
        GrowPatches(n_, {targets_.WoodsHexes, 3, std::clamp(inner / 60, 6, 70), &eligible, &pull}, random,
                    woods_);
    }

    // One of `list`, the same for the same hex and seed whatever else changed.
    int32_t Look(const std::vector<int32_t>& list, int32_t hex, int32_t salt) const {
        return list[HashInts(hex, salt, settings_.Seed) % uint32_t(list.size())];
    }

    std::string VillageName(TerrainRandom& random, const std::vector<GeneratedVillage>& named) const {
        std::string name;
        for (int32_t tries = 0; tries < 8; ++tries) {
            name = std::string(NameStarts[random.Below(std::size(NameStarts))]) +
                   NameEnds[random.Below(std::size(NameEnds))];
            if (std::none_of(named.begin(), named.end(),
                             [&](const GeneratedVillage& v) { return v.Name == name; }))
                break;
        }
        return name;
    }

    GeneratedMap Compose() const {
        GeneratedMap map;
        map.Cols = cols_;
        map.Rows = rows_;
        map.Primary.assign(count_, BorderTerrain);
        map.Secondary.assign(count_, HexCell{}.SecondaryTerrain);
        for (int32_t h = 0; h < int32_t(count_); ++h) {
            int32_t& primary = map.Primary[At(h)];
            switch (ground_[At(h)]) {
            case Ground::Border:
                continue;
            case Ground::Open:
                primary = Look(roles_.Open, h, 1);
                break;
            case Ground::Marsh:
                primary = Look(roles_.Marsh, h, 2);
                break;
            case Ground::Lake:
                primary = Look(roles_.Water, h, 3);
                break;
            case Ground::Hill:
                primary = Look(roles_.Hills[std::size_t(std::max(level_[At(h)], int8_t(1)) - 1)], h, 4);
                break;
            case Ground::Field:
                primary = Look(roles_.Fields, h, 5);
                break;
            }
            // River pieces first, then the road over them, then what crosses: the hex's values
            // come from its topmost secondary terrain, so a ford or bridge makes a river passable.
            std::vector<int32_t> layers;
            for (int32_t side = 0; side < 6; ++side)
                if (river_[At(h)] & (1u << side)) layers.push_back(roles_.River[std::size_t(side)]);
            if (bridge_[At(h)] == NoSymbol) {
                for (int32_t side = 0; side < 6; ++side)
                    if (road_[At(h)] & (1u << side)) layers.push_back(roles_.Road[std::size_t(side)]);
                if (crossing_[At(h)]) layers.push_back(roles_.Ford);
            } else {
                layers.push_back(bridge_[At(h)]);
            }
            if (woods_[At(h)]) layers.push_back(Look(roles_.Woods, h, 6));
            if (house_[At(h)]) layers.push_back(Look(roles_.Houses, h, 7));
            for (std::size_t k = 0; k < layers.size() && k < std::size_t(SecondarySlotCount); ++k)
                map.Secondary[At(h)][k] = layers[k];
        }
        TerrainRandom random = Stream(8);
        for (int32_t centre : centres_) {
            GeneratedVillage v;
            v.Hex = centre;
            v.Symbol = roles_.Villages[random.Below(uint32_t(roles_.Villages.size()))];
            v.Name = VillageName(random, map.Villages);
            const HexCell& cell = battle_.Hexes[At(centre)];
            const int32_t unit = cell.Unit;
            if (unit >= 1 && unit <= std::min(battle_.UnitCount, MaxUnits) &&
                (battle_.Units[std::size_t(unit)].Side == SideWestern ||
                 battle_.Units[std::size_t(unit)].Side == SideEastern))
                v.Side = battle_.Units[std::size_t(unit)].Side;
            else
                v.Side = centre % cols_ < cols_ / 2 ? SideWestern : SideEastern;
            map.Villages.push_back(std::move(v));
        }
        return map;
    }

    const Scenario& battle_;
    const RoleTable& roles_;
    const GeneratorSettings& settings_;
    int32_t cols_, rows_;
    std::size_t count_;
    HexNeighbours n_;
    GeneratorTargets targets_;
    std::vector<int32_t> high_, wet_, wander_;
    std::vector<Ground> ground_;
    std::vector<uint8_t> ring_, keep_;
    std::vector<int8_t> level_;
    std::vector<uint8_t> river_, road_, crossing_;
    std::vector<int32_t> bridge_;
    std::vector<uint8_t> village_, house_, woods_;
    std::vector<int32_t> centres_;
    std::optional<bool> riversNorthSouth_;
};

} // namespace

GeneratorTargets TargetsFor(int32_t cols, int32_t rows, const GeneratorSettings& s) {
    GeneratorTargets t;
    const int64_t inner = InnerHexes(cols, rows);
    t.HillHexes = Share(inner, s.Hills, HillShare);
    t.WoodsHexes = Share(inner, s.Woods, WoodsShare);
    t.WetHexes = Share(inner, s.Water, WetShare);
    t.FieldHexes = Share(inner, s.Fields, FieldShare);
    const int32_t villages = inner >= 9 ? int32_t(std::clamp<int64_t>(inner / 400, 1, MaxStructures)) : 0;
    const int32_t small = std::min(cols, rows);
    const int32_t roads = small >= 6 ? std::max(1, (cols + rows) / 50) : 0;
    const int32_t rivers =
        small >= 8 ? std::min(std::max(1, (cols + rows) / 100), (small - 4) / RiverStrip) : 0;
    t.Villages = Scaled(villages, s.Villages);
    t.Roads = Scaled(roads, s.Roads);
    t.Rivers = Scaled(rivers, s.Rivers);
    return t;
}

Status CheckSettings(const GeneratorSettings& settings) {
    for (const SliderInfo& slider : Sliders) {
        const int32_t v = settings.*slider.Value;
        if (v < 0 || v > GeneratorSettings::MaxSlider)
            return Status::Fail(std::string(slider.Caption) + " must be from 0 to " +
                                std::to_string(GeneratorSettings::MaxSlider) + ".");
    }
    return Status::Ok();
}

Status CheckGeneratorInput(const Scenario& battle, const RoleTable& roles) {
    if (battle.Cols < 3 || battle.Rows < 3 || int64_t(battle.Cols) * battle.Rows > MaxHexes ||
        battle.Hexes.size() != std::size_t(battle.Cols) * std::size_t(battle.Rows))
        return Status::Fail("The map is too small to generate terrain on.");
    if (roles.Open.empty() || roles.Fields.empty() || roles.Woods.empty() || roles.Marsh.empty() ||
        roles.Water.empty() || roles.Villages.empty() ||
        std::any_of(roles.Hills.begin(), roles.Hills.end(), [](const auto& l) { return l.empty(); }))
        return Status::Fail("The terrain role table is incomplete.");
    return Status::Ok();
}

Status GenerateMap(const Scenario& battle, const RoleTable& roles, const GeneratorSettings& settings,
                   GeneratedMap& out) {
    if (Status s = CheckSettings(settings); !s) return s;
    if (Status s = CheckGeneratorInput(battle, roles); !s) return s;
    out = Generator(battle, roles, settings).Run();
    return Status::Ok();
}

void ApplyGeneratedMap(Scenario& battle, const GeneratedMap& map) {
    const std::size_t count = std::size_t(std::max(map.Cols, 0)) * std::size_t(std::max(map.Rows, 0));
    if (map.Cols != battle.Cols || map.Rows != battle.Rows || battle.Hexes.size() != count ||
        map.Primary.size() != count || map.Secondary.size() != count)
        return;
    for (std::size_t h = 0; h < count; ++h) {
        HexCell& cell = battle.Hexes[h];
        cell.PrimaryTerrain = map.Primary[h];
        cell.SecondaryTerrain = map.Secondary[h];
        cell.Structure = 0;
    }
    battle.Structures.fill(StructureRecord{});
    battle.StructureCount = 0;
    for (const GeneratedVillage& v : map.Villages) {
        if (battle.StructureCount >= MaxStructures || v.Hex < 0 || std::size_t(v.Hex) >= count) break;
        const int32_t k = ++battle.StructureCount;
        StructureRecord& s = battle.Structures[std::size_t(k)];
        s.Name = v.Name;
        s.Symbol = v.Symbol;
        s.Side = v.Side;
        s.Hex = v.Hex;
        s.Capacity = 1;
        s.DefenseMod = 2;
        s.Height = 1;
        s.SupplyLevel = 10;
        battle.Hexes[std::size_t(v.Hex)].Structure = k;
    }
}

Status GenerateTerrain(Scenario& battle, const RoleTable& roles, const GeneratorSettings& settings) {
    GeneratedMap map;
    Status s = GenerateMap(battle, roles, settings, map);
    if (s) ApplyGeneratedMap(battle, map);
    return s;
}

} // namespace k2
