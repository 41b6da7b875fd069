#include "WorldTerrain.h"

#include "TileArt.h"
#include "WorldNoise.h"
#include "WorldTiles.h"
#include "map/CarteVarenthe.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace WorldTile;

bool isLand(int32_t code) { return code != Sea && code != 0; }

// The value below which `share` of the values lie.
double quantile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(share * values.size()));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(index), values.end());
    return values[index];
}

bool touches(const CarteVarenthe &map, int32_t x, int32_t y, int32_t code)
{
    return map.terrainAt(x - 1, y) == code || map.terrainAt(x + 1, y) == code || map.terrainAt(x, y - 1) == code
           || map.terrainAt(x, y + 1) == code;
}

} // namespace

WorldRelief sculptWorldTerrain(CarteVarenthe &map)
{
    const int32_t w = map.width;
    const int32_t h = map.height;
    WorldRelief relief{w, h, std::vector<double>(static_cast<size_t>(w) * h)};
    const WorldNoise shape(11), warp(12), ridges(13), moisture(14), wetlands(15), snowLine(16), dunes(17);

    // Elevation: fractal noise, bent by a second noise so that coasts wind,
    // raised in the middle of the map and sunk toward its edges so that the
    // land makes one continent with a few islands in an open sea.
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const double wx = x + 22 * (warp.fractal(x / 38.0, y / 38.0, 3) - 0.5);
            const double wy = y + 22 * (warp.fractal(x / 38.0 + 50, y / 38.0 + 50, 3) - 0.5);
            const double e = shape.fractal(wx / 42.0, wy / 42.0, 5);
            const double dx = (x - w * 0.5) / (w * 0.5);
            const double dy = (y - h * 0.52) / (h * 0.5);
            const double distance = std::sqrt(dx * dx + dy * dy);
            double elevation = (e - 0.5) * 1.7 + 0.5 * (1 - distance * distance * 1.25);
            const int32_t edge = std::min(std::min(x, w - 1 - x), std::min(y, h - 1 - y));
            if (edge < 7)
                elevation -= (7 - edge) * 0.09;
            relief.elevation[static_cast<size_t>(y) * w + x] = elevation;
        }
    }
    const double seaLevel = quantile(relief.elevation, 0.53);
    for (double &e : relief.elevation)
        e -= seaLevel;

    std::vector<double> landHeights;
    std::vector<double> landRidges;
    std::vector<double> landMoisture;
    auto ridgeAt = [&](int32_t x, int32_t y) {
        const double r = 1 - std::abs(2 * ridges.fractal(x / 24.0, y / 24.0, 4) - 1);
        return relief.at(x, y) * 0.9 + r * r * 0.35;
    };
    auto moistureAt = [&](int32_t x, int32_t y) { return moisture.fractal(x / 26.0, y / 26.0, 4); };
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            if (relief.at(x, y) > 0) {
                landHeights.push_back(relief.at(x, y));
                landRidges.push_back(ridgeAt(x, y));
                landMoisture.push_back(moistureAt(x, y));
            }
        }
    }
    const double mountainLine = quantile(landRidges, 0.925);
    const double hillLine = quantile(landRidges, 0.85);
    const double forestLine = quantile(landMoisture, 0.66);
    const double dryLine = quantile(landMoisture, 0.40);
    const double lowLand = quantile(landHeights, 0.22);

    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            int32_t code = Sea;
            if (relief.at(x, y) > 0) {
                const double ridge = ridgeAt(x, y);
                const double wet = moistureAt(x, y);
                const double snowEdge = 38 + 18 * (snowLine.value(x / 16.0, 0.5) - 0.5);
                const double desertEdge = 122 + 16 * (snowLine.value(x / 14.0, 7.5) - 0.5);
                if (ridge > mountainLine)
                    code = Mountains;
                else if (y < snowEdge)
                    code = Snow;
                else if (ridge > hillLine)
                    code = Hills;
                else if (y > desertEdge && wet < dryLine)
                    code = Sand;
                else if (wet > forestLine)
                    code = y < snowEdge + 16 ? Taiga : Forest;
                else if (relief.at(x, y) < lowLand && wetlands.fractal(x / 7.0, y / 7.0, 2) > 0.66)
                    code = Marsh;
                else
                    code = Grass;
            }
            map.terrain.at(x, y) = code;
        }
    }

    // Beaches: most land cells on the sea become sand; cliffs of mountains
    // and the snowy north keep their ground. Decided on a copy, so that a
    // new beach does not make its neighbour a beach.
    Grid before = map.terrain;
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const int32_t code = before.at(x, y);
            if (!isLand(code) || code == Mountains || code == Snow)
                continue;
            const bool onSea = (x > 0 && before.at(x - 1, y) == Sea) || (x + 1 < w && before.at(x + 1, y) == Sea)
                               || (y > 0 && before.at(x, y - 1) == Sea) || (y + 1 < h && before.at(x, y + 1) == Sea);
            if (onSea && dunes.value(x / 3.0, y / 3.0) > 0.2)
                map.terrain.at(x, y) = Sand;
        }
    }
    return relief;
}

void carveRivers(CarteVarenthe &map, const WorldRelief &relief)
{
    // Sources are high cells spread over the land; each river runs down the
    // steepest way, one side step at a time so that boats can follow it,
    // until it meets the sea, a lake or another river. A river that finds
    // no water is not drawn.
    const int32_t w = map.width;
    const int32_t h = map.height;
    std::vector<std::pair<int32_t, int32_t>> sources;
    for (int32_t y = 4; y < h - 4; y += 3) {
        for (int32_t x = 4; x < w - 4; x += 3) {
            const int32_t code = map.terrainAt(x, y);
            if ((code == Mountains || code == Hills) && artHash(104, x, y) % 100 < 16)
                sources.emplace_back(x, y);
        }
    }
    int rivers = 0;
    std::vector<std::pair<int32_t, int32_t>> lastMouths;
    for (const auto &[sx, sy] : sources) {
        if (rivers >= 22)
            break;
        bool nearOther = false;
        for (const auto &[mx, my] : lastMouths)
            nearOther = nearOther || (std::abs(mx - sx) + std::abs(my - sy) < 16);
        if (nearOther)
            continue;
        std::vector<std::pair<int32_t, int32_t>> course{{sx, sy}};
        std::vector<bool> visited(static_cast<size_t>(w) * h, false);
        visited[static_cast<size_t>(sy) * w + sx] = true;
        bool reached = false;
        int32_t x = sx;
        int32_t y = sy;
        for (int step = 0; step < 260 && !reached; ++step) {
            constexpr int dx[] = {1, 0, -1, 0};
            constexpr int dy[] = {0, 1, 0, -1};
            int best = -1;
            double bestHeight = 1e9;
            for (int d = 0; d < 4; ++d) {
                const int32_t nx = x + dx[d];
                const int32_t ny = y + dy[d];
                if (!map.contains(nx, ny) || visited[static_cast<size_t>(ny) * w + nx])
                    continue;
                // A river one cell wide: it never runs back beside its own
                // course, which would make pools of it.
                bool besideCourse = false;
                for (int e = 0; e < 4; ++e) {
                    const int32_t bx = nx + dx[e];
                    const int32_t by = ny + dy[e];
                    if ((bx != x || by != y) && map.contains(bx, by) && visited[static_cast<size_t>(by) * w + bx])
                        besideCourse = true;
                }
                if (besideCourse)
                    continue;
                const double height = relief.at(nx, ny) + artUnit(105, nx, ny) * 0.01;
                if (height < bestHeight) {
                    bestHeight = height;
                    best = d;
                }
            }
            if (best < 0)
                break;
            x += dx[best];
            y += dy[best];
            visited[static_cast<size_t>(y) * w + x] = true;
            const int32_t code = map.terrainAt(x, y);
            if (code == Sea || code == River)
                reached = true;
            else
                course.emplace_back(x, y);
        }
        if (!reached || course.size() < 10)
            continue;
        for (const auto &[cx, cy] : course)
            map.terrain.at(cx, cy) = River;
        lastMouths.emplace_back(sx, sy);
        ++rivers;
    }
}

void scatterFeatures(CarteVarenthe &map)
{
    // A sprinkling of landmarks, each on the ground it belongs to.
    for (int32_t y = 3; y < map.height - 3; ++y) {
        for (int32_t x = 3; x < map.width - 3; ++x) {
            const int32_t code = map.terrainAt(x, y);
            const uint32_t roll = artHash(130, x, y) % 1000;
            int32_t feature = 0;
            if (code == Mountains && roll < 4 && y > 40)
                feature = Volcano;
            else if (code == Hills && roll < 30)
                feature = roll < 15 ? Mine : Boulders;
            else if (code == Grass && roll < 10)
                feature = roll < 3 ? Ruins : (roll < 5 ? Stones : (roll < 7 ? Tower : (roll < 9 ? Camp : Fortress)));
            else if (code == Sand && y > 110 && roll < 12 && !touches(map, x, y, Sea))
                feature = Oasis;
            else if (code == Snow && roll < 25 && y < 30)
                feature = Glacier;
            if (feature != 0)
                map.terrain.at(x, y) = feature;
        }
    }
}
