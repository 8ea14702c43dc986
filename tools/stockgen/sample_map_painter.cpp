#include "stockgen/sample_map_painter.h"

namespace k2stock::samples {

using namespace k2;

std::vector<int32_t> Painter::Path(int32_t from, int32_t to, int32_t wander) {
    std::vector<int32_t> path = {from};
    int32_t at = from;
    while (at != to && path.size() < 4000) {
        std::vector<int32_t> closer, level;
        for (HexSide side : AllSides) {
            auto n = Neighbour(at, side);
            if (!n || s_.IsBorderHex(*n) || std::find(path.begin(), path.end(), *n) != path.end()) continue;
            if (Distance(*n, to) < Distance(at, to))
                closer.push_back(*n);
            else if (Distance(*n, to) == Distance(at, to))
                level.push_back(*n);
        }
        std::vector<int32_t>& pool =
            (!level.empty() && rng_.Chance(wander)) || closer.empty() ? level : closer;
        if (pool.empty()) break;
        at = pool[rng_.Next() % pool.size()];
        path.push_back(at);
    }
    return path;
}

void Painter::Route(const std::vector<int32_t>& path, int32_t (*piece)(HexSide),
                    std::optional<HexSide> startSide, std::optional<HexSide> endSide,
                    const std::vector<int32_t>& skip) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        const int32_t h = path[i];
        if (std::find(skip.begin(), skip.end(), h) != skip.end()) continue;
        std::optional<HexSide> in = i > 0 ? SideTowards(h, path[i - 1]) : startSide;
        std::optional<HexSide> out = i + 1 < path.size() ? SideTowards(h, path[i + 1]) : endSide;
        if (in) AddSecondary(h, piece(*in));
        if (out) AddSecondary(h, piece(*out));
    }
}

void PaintFields(Painter& p, Rng& rng, int32_t centre, int32_t radius, bool hedges) {
    static constexpr std::array<int32_t, 7> fieldKinds = {
        ter::WheatFields,   ter::WheatFieldsB, ter::WheatFieldsC, ter::WheatFieldsD,
        ter::PloughedField, ter::Meadow,       ter::PloughedField};
    const int32_t kind = rng.Pick(fieldKinds);
    std::vector<int32_t> patch;
    p.Around(centre, radius, [&](int32_t h, int32_t) {
        if (p.Cell(h).PrimaryTerrain == ter::Water || p.HasAnySecondary(h)) return;
        int32_t k = kind;
        if (kind == ter::WheatFields) {
            static constexpr std::array<int32_t, 4> v = {ter::WheatFields, ter::WheatFieldsB,
                                                         ter::WheatFieldsC, ter::WheatFieldsD};
            k = rng.Pick(v);
        }
        p.SetPrimary(h, k);
        patch.push_back(h);
    });
    if (!hedges) return;
    for (int32_t h : patch) {
        for (HexSide side : {ter::North, ter::South}) {
            auto n = p.Neighbour(h, side);
            if (n && std::find(patch.begin(), patch.end(), *n) == patch.end() && rng.Chance(60))
                p.AddSecondary(h, ter::Hedge(side));
        }
    }
}

void PaintHill(Painter& p, int32_t centre, int32_t radius) {
    p.Around(centre, radius, [&](int32_t h, int32_t d) {
        if (p.Cell(h).PrimaryTerrain == ter::Water) return;
        const int32_t level = radius - d; // 0 at the foot
        p.SetPrimary(h, level >= (2 * radius) / 3 && radius >= 3 ? ter::Hill3
                        : level >= radius / 3                    ? ter::Hill2
                                                                 : ter::Hill1);
    });
}

void PaintWoods(Painter& p, Rng& rng, int32_t centre, int32_t radius) {
    static constexpr std::array<int32_t, 4> woods = {ter::Woods, ter::WoodsB, ter::WoodsC, ter::WoodsD};
    p.Around(centre, radius, [&](int32_t h, int32_t d) {
        if (p.HasAnySecondary(h) || p.Cell(h).PrimaryTerrain == ter::Water) return;
        if (d == radius) {
            if (rng.Chance(45)) p.AddSecondary(h, rng.Chance(50) ? ter::LightWoods : ter::Scrub);
        } else if (rng.Chance(90)) {
            p.AddSecondary(h, rng.Pick(woods));
        }
    });
}

void PaintLake(Painter& p, Rng& rng, int32_t centre, int32_t radius) {
    static constexpr std::array<int32_t, 4> water = {ter::Water, ter::WaterB, ter::WaterC, ter::WaterD};
    static constexpr std::array<int32_t, 4> marsh = {ter::Marsh, ter::MarshB, ter::MarshC, ter::MarshD};
    p.Around(centre, radius + 1, [&](int32_t h, int32_t d) {
        if (p.HasAnySecondary(h)) return;
        if (d <= radius) {
            p.SetPrimary(h, rng.Pick(water));
        } else {
            p.SetPrimary(h, rng.Pick(marsh));
            if (rng.Chance(50)) p.AddSecondary(h, ter::Reeds);
        }
    });
}

std::vector<int32_t> PaintRiver(Painter& p, Scenario& s, int32_t fromCol, int32_t toCol, int32_t wander) {
    auto path = p.Path(p.Index(1, fromCol), p.Index(s.Rows - 2, toCol), wander);
    p.Route(path, &ter::River, ter::North, ter::South);
    return path;
}

std::vector<int32_t> PaintRoad(Painter& p, Scenario& s, int32_t fromRow, int32_t toRow, int32_t wander,
                               const std::vector<int32_t>& river, bool ford) {
    auto path = p.Path(p.Index(fromRow, 1), p.Index(toRow, s.Cols - 2), wander);
    std::vector<int32_t> crossings;
    for (std::size_t i = 1; i + 1 < path.size(); ++i) {
        const int32_t h = path[i];
        if (std::find(river.begin(), river.end(), h) == river.end()) continue;
        crossings.push_back(h);
        auto in = p.SideTowards(h, path[i - 1]), out = p.SideTowards(h, path[i + 1]);
        int32_t bridge = ter::Ford;
        if (!ford && in && out && Opposite(*in) == *out) {
            const int32_t axis = std::min<int32_t>(*in, *out);
            bridge = axis == ter::North       ? ter::BridgeNS
                     : axis == ter::NorthEast ? ter::BridgeNESW
                                              : ter::BridgeNWSE;
        }
        if (bridge == ter::Ford) {
            p.AddSecondary(h, ter::Road(*in));
            p.AddSecondary(h, ter::Road(*out));
        }
        p.AddSecondary(h, bridge);
    }
    p.Route(path, &ter::Road, ter::SouthWest, ter::NorthEast, crossings);
    return path;
}

} // namespace k2stock::samples
