#pragma once
// The generated worlds of the benchmarks: seas with sandy coasts and
// harbours, grass, forests, mountains with snow, rivers running down to the
// sea, roads between towns and town buildings, from a seed.
#include <cmath>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "map/CarteVarenthe.h"
#include "route/MoveRules.h"

namespace benchworld {

// Smooth random relief: bilinear value noise over a few octaves.
class Relief {
public:
    Relief(uint32_t seed, int32_t cellsPerKnot) : cellsPerKnot_(cellsPerKnot)
    {
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        knots_.resize(KnotSide * KnotSide);
        for (double &knot : knots_)
            knot = unit(random);
    }

    double at(int32_t x, int32_t y) const
    {
        double sum = 0;
        double weight = 1;
        double total = 0;
        int32_t span = cellsPerKnot_;
        for (int octave = 0; octave < 4 && span >= 1; ++octave) {
            sum += weight * sample(x, y, span, octave);
            total += weight;
            weight *= 0.5;
            span /= 2;
        }
        return sum / total;
    }

private:
    static constexpr int KnotSide = 257;

    double knot(int32_t kx, int32_t ky, int octave) const
    {
        const uint32_t i = static_cast<uint32_t>(kx * 31 + octave * 977) % KnotSide;
        const uint32_t j = static_cast<uint32_t>(ky * 17 + octave * 613) % KnotSide;
        return knots_[j * KnotSide + i];
    }

    double sample(int32_t x, int32_t y, int32_t span, int octave) const
    {
        const int32_t kx = x / span;
        const int32_t ky = y / span;
        const double fx = static_cast<double>(x % span) / span;
        const double fy = static_cast<double>(y % span) / span;
        const double top = knot(kx, ky, octave) * (1 - fx) + knot(kx + 1, ky, octave) * fx;
        const double bottom = knot(kx, ky + 1, octave) * (1 - fx) + knot(kx + 1, ky + 1, octave) * fx;
        return top * (1 - fy) + bottom * fy;
    }

    int32_t cellsPerKnot_;
    std::vector<double> knots_;
};

inline bool isWater(int32_t code) { return code == 103 || code == 104; }

// A plausible world: seas with sandy coasts and harbours (code 1), grass,
// forests, mountains with snow, rivers running down to the sea, roads
// between towns, and town buildings (codes of 128 and above).
inline void paintWorld(CarteVarenthe &map, uint32_t seed, int32_t cellsPerKnot)
{
    const Relief height(seed, cellsPerKnot);
    const Relief wood(seed + 1, std::max(2, cellsPerKnot / 2));
    std::mt19937 random(seed + 2);
    const int32_t w = map.width;
    const int32_t h = map.height;
    for (int32_t y = 0; y < h; ++y) {
        int32_t *row = map.terrain.row(y);
        for (int32_t x = 0; x < w; ++x) {
            const double e = height.at(x, y);
            int32_t code = 100;
            if (e < 0.42)
                code = 103;
            else if (e < 0.45)
                code = 106;
            else if (e > 0.70)
                code = 107;
            else if (e > 0.62)
                code = 105;
            else if (wood.at(x, y) > 0.6)
                code = 101 + (x + y) % 2;
            row[x] = code;
        }
    }
    std::uniform_int_distribution<int32_t> column(0, w - 1);
    std::uniform_int_distribution<int32_t> line(0, h - 1);
    // Harbours on the beaches that touch the sea.
    for (int32_t y = 1; y + 1 < h; ++y)
        for (int32_t x = 1; x + 1 < w; ++x)
            if (map.terrain.at(x, y) == 106 && (random() % 8) == 0 &&
                (map.terrain.at(x + 1, y) == 103 || map.terrain.at(x - 1, y) == 103 ||
                 map.terrain.at(x, y + 1) == 103 || map.terrain.at(x, y - 1) == 103))
                map.terrain.at(x, y) = 1;
    // Rivers: from high ground, always down to the lowest neighbour.
    const int64_t riverCount = static_cast<int64_t>(w) * h / 1500 + 4;
    for (int64_t r = 0; r < riverCount; ++r) {
        int32_t x = column(random);
        int32_t y = line(random);
        if (height.at(x, y) < 0.55)
            continue;
        for (int32_t length = 0; length < w + h && !isWater(map.terrain.at(x, y)); ++length) {
            map.terrain.at(x, y) = 104;
            int32_t bestX = x, bestY = y;
            double best = 2;
            for (int32_t d = 0; d < 4; ++d) {
                const int32_t nx = x + MoveDx[d], ny = y + MoveDy[d];
                if (!map.contains(nx, ny) || map.terrain.at(nx, ny) == 104)
                    continue;
                const double e = height.at(nx, ny) + 0.002 * (random() % 8);
                if (e < best) {
                    best = e;
                    bestX = nx;
                    bestY = ny;
                }
            }
            if (bestX == x && bestY == y)
                break;
            x = bestX;
            y = bestY;
        }
    }
    // Towns joined by roads (bridges over rivers), with a few buildings.
    std::vector<std::pair<int32_t, int32_t>> towns;
    const int64_t townCount = static_cast<int64_t>(w) * h / 1200 + 6;
    while (static_cast<int64_t>(towns.size()) < townCount) {
        const int32_t x = column(random), y = line(random);
        const int32_t code = map.terrain.at(x, y);
        if (code == 100 || code == 101 || code == 102)
            towns.emplace_back(x, y);
    }
    for (size_t t = 1; t < towns.size(); ++t) {
        auto [x, y] = towns[t - 1];
        const auto [toX, toY] = towns[t];
        if (std::abs(toX - x) + std::abs(toY - y) > 120)
            continue;
        while (x != toX || y != toY) {
            const int32_t code = map.terrain.at(x, y);
            if (code == 104)
                map.terrain.at(x, y) = 121;
            else if (code != 103 && code != 1 && code < 110)
                map.SetCellTile(x, y, 110);
            if (x != toX)
                x += x < toX ? 1 : -1;
            else
                y += y < toY ? 1 : -1;
        }
    }
    for (const auto &[x, y] : towns) {
        map.terrain.at(x, y) = 145 + static_cast<int32_t>(random() % 3);
        if (map.contains(x + 1, y) && map.terrain.at(x + 1, y) == 100)
            map.terrain.at(x + 1, y) = 132;
    }
}

} // namespace benchworld
