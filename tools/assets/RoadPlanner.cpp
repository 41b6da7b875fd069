#include "RoadPlanner.h"

#include "TileArt.h"
#include "WorldTiles.h"
#include "map/CarteVarenthe.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <queue>
#include <tuple>

namespace {

using namespace WorldTile;

constexpr int Dx[] = {1, 0, -1, 0};
constexpr int Dy[] = {0, 1, 0, -1};

bool isRoadLike(int32_t code) { return (code >= 110 && code <= 120) || code == Bridge; }

// Cost of laying road on a cell, -1 where no road may go.
int landCost(int32_t code)
{
    switch (code) {
    case Town: return 2;
    case Grass: return 6;
    case Sand: return 8;
    case Forest:
    case Taiga:
    case Snow: return 9;
    case Hills: return 13;
    case Mountains: return 34;
    case River: return 26;
    default: return isRoadLike(code) ? 2 : -1;
    }
}

// Labels the pieces of land that roads can join (rivers are crossed by
// bridges, the sea is not).
std::vector<int> landMasses(const CarteVarenthe &map)
{
    std::vector<int> mass(static_cast<size_t>(map.width) * map.height, -1);
    int next = 0;
    std::vector<std::pair<int32_t, int32_t>> stack;
    for (int32_t y = 0; y < map.height; ++y) {
        for (int32_t x = 0; x < map.width; ++x) {
            const size_t start = static_cast<size_t>(y) * map.width + x;
            if (mass[start] >= 0 || landCost(map.terrainAt(x, y)) < 0)
                continue;
            mass[start] = next;
            stack.emplace_back(x, y);
            while (!stack.empty()) {
                const auto [cx, cy] = stack.back();
                stack.pop_back();
                for (int d = 0; d < 4; ++d) {
                    const int32_t nx = cx + Dx[d];
                    const int32_t ny = cy + Dy[d];
                    if (!map.contains(nx, ny) || landCost(map.terrainAt(nx, ny)) < 0)
                        continue;
                    const size_t index = static_cast<size_t>(ny) * map.width + nx;
                    if (mass[index] < 0) {
                        mass[index] = next;
                        stack.emplace_back(nx, ny);
                    }
                }
            }
            ++next;
        }
    }
    return mass;
}

struct Link {
    double length;
    size_t from;
    size_t to;
};

// Links to lay: a spanning tree of each land mass's cities, shortest first,
// and a few more between near neighbours so that the network has loops.
std::vector<Link> plannedLinks(const CarteVarenthe &map, const std::vector<CityPlace> &cities)
{
    const std::vector<int> mass = landMasses(map);
    auto massOf = [&](const CityPlace &city) { return mass[static_cast<size_t>(city.y) * map.width + city.x]; };
    std::vector<Link> candidates;
    for (size_t i = 0; i < cities.size(); ++i)
        for (size_t j = i + 1; j < cities.size(); ++j)
            if (massOf(cities[i]) >= 0 && massOf(cities[i]) == massOf(cities[j]))
                candidates.push_back({std::hypot(cities[i].x - cities[j].x, cities[i].y - cities[j].y), i, j});
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Link &a, const Link &b) { return a.length < b.length; });

    std::vector<size_t> parent(cities.size());
    std::iota(parent.begin(), parent.end(), 0);
    auto root = [&](size_t i) {
        while (parent[i] != i)
            i = parent[i] = parent[parent[i]];
        return i;
    };
    std::vector<Link> links;
    std::vector<int> degree(cities.size(), 0);
    for (const Link &link : candidates) {
        const size_t a = root(link.from);
        const size_t b = root(link.to);
        const bool joinsTrees = a != b;
        // A short extra link now and then, between cities not yet well
        // connected, makes loops.
        const bool loop = !joinsTrees && link.length < 30 && degree[link.from] < 3 && degree[link.to] < 3
                          && artHash(117, static_cast<uint32_t>(link.from), static_cast<uint32_t>(link.to)) % 4 == 0;
        if (!joinsTrees && !loop)
            continue;
        parent[a] = b;
        ++degree[link.from];
        ++degree[link.to];
        links.push_back(link);
    }
    return links;
}

// Cheapest road from one city to another, as the cells between them.
std::vector<std::pair<int32_t, int32_t>> findRoad(const CarteVarenthe &map, const CityPlace &from, const CityPlace &to)
{
    const int32_t w = map.width;
    const size_t states = static_cast<size_t>(w) * map.height * 4;
    std::vector<int> cost(states, -1);
    std::vector<int64_t> previous(states, -1);
    using Entry = std::tuple<int, int, int64_t>; // estimate, cost, state
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    auto stateOf = [w](int32_t x, int32_t y, int d) { return (static_cast<int64_t>(y) * w + x) * 4 + d; };
    auto estimate = [&](int32_t x, int32_t y) { return 2 * (std::abs(x - to.x) + std::abs(y - to.y)); };
    for (int d = 0; d < 4; ++d) {
        cost[stateOf(from.x, from.y, d)] = 0;
        open.emplace(estimate(from.x, from.y), 0, stateOf(from.x, from.y, d));
    }
    int64_t goal = -1;
    while (!open.empty()) {
        const auto [guess, spent, state] = open.top();
        open.pop();
        if (spent != cost[state])
            continue;
        const int dir = static_cast<int>(state % 4);
        const int32_t x = static_cast<int32_t>((state / 4) % w);
        const int32_t y = static_cast<int32_t>((state / 4) / w);
        if (x == to.x && y == to.y) {
            goal = state;
            break;
        }
        const int32_t here = map.terrainAt(x, y);
        for (int d = 0; d < 4; ++d) {
            // A bridge crosses straight over: no turn on a river cell.
            if (here == River && spent > 0 && d != dir)
                continue;
            const int32_t nx = x + Dx[d];
            const int32_t ny = y + Dy[d];
            // Roads keep off the map's edge, which road joining treats as a
            // road.
            if (nx < 1 || ny < 1 || nx >= w - 1 || ny >= map.height - 1)
                continue;
            const int32_t code = map.terrainAt(nx, ny);
            int step = landCost(code);
            if (step < 0)
                continue;
            if (spent > 0 && d != dir)
                step += 3;
            // A new road running alongside an old one would merge with it
            // into a band of junctions.
            if (!isRoadLike(code) && code != Town) {
                for (int e = 0; e < 4; ++e) {
                    if (e == (d + 2) % 4)
                        continue;
                    if (isRoadLike(map.terrainAt(nx + Dx[e], ny + Dy[e])))
                        step += 8;
                }
            }
            const int64_t next = stateOf(nx, ny, d);
            const int total = spent + step;
            if (cost[next] < 0 || total < cost[next]) {
                cost[next] = total;
                previous[next] = state;
                open.emplace(total + estimate(nx, ny), total, next);
            }
        }
    }
    std::vector<std::pair<int32_t, int32_t>> cells;
    if (goal < 0)
        return cells;
    for (int64_t state = previous[goal]; state >= 0 && previous[state] >= 0; state = previous[state])
        cells.emplace_back(static_cast<int32_t>((state / 4) % w), static_cast<int32_t>((state / 4) / w));
    std::reverse(cells.begin(), cells.end());
    return cells;
}

} // namespace

int buildRoads(CarteVarenthe &map, const std::vector<CityPlace> &cities)
{
    int laid = 0;
    for (const Link &link : plannedLinks(map, cities)) {
        const auto cells = findRoad(map, cities[link.from], cities[link.to]);
        if (cells.empty())
            continue;
        for (const auto &[x, y] : cells) {
            const int32_t code = map.terrainAt(x, y);
            if (code == River)
                map.SetCellTile(x, y, Bridge);
            else if (!isRoadLike(code) && code != Town)
                map.SetCellTile(x, y, Road);
        }
        ++laid;
    }
    return laid;
}
