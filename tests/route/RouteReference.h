#pragma once
// Independent searches: a textbook heap Dijkstra, and a literal bucket-queue search for the arrival moves.
#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <queue>
#include <tuple>
#include <vector>

#include "map/CarteVarenthe.h"
#include "route/MoveRules.h"

namespace routetest {

struct Layers {
    std::array<std::vector<int64_t>, 2> time;
    std::array<std::vector<int32_t>, 2> step;
};

inline size_t cellOf(const CarteVarenthe &map, int32_t x, int32_t y)
{
    return static_cast<size_t>(y) * static_cast<size_t>(map.width) + static_cast<size_t>(x);
}

// Arrival minutes from the start in both layers; -1 unreached.
inline std::array<std::vector<int64_t>, 2> heapDijkstra(const CarteVarenthe &map, int32_t startX,
                                                         int32_t startY)
{
    const size_t cells = static_cast<size_t>(map.width) * static_cast<size_t>(map.height);
    std::array<std::vector<int64_t>, 2> best{std::vector<int64_t>(cells, -1), std::vector<int64_t>(cells, -1)};
    using Item = std::tuple<int64_t, int32_t, int32_t, int32_t>; // minute, x, y, onFoot
    std::priority_queue<Item, std::vector<Item>, std::greater<>> heap;
    heap.emplace(0, startX, startY, startsOnFoot(map, startX, startY) ? 1 : 0);
    std::array<std::vector<char>, 2> done{std::vector<char>(cells, 0), std::vector<char>(cells, 0)};
    while (!heap.empty()) {
        const auto [minute, x, y, onFoot] = heap.top();
        heap.pop();
        const int layer = onFoot ? 0 : 1;
        const size_t cell = cellOf(map, x, y);
        if (done[layer][cell])
            continue;
        done[layer][cell] = 1;
        best[layer][cell] = minute;
        for (int32_t move = 0; move < MoveCodeCount; ++move) {
            SearchState to;
            const int32_t c = moveCost(map, SearchState{x, y, static_cast<uint8_t>(onFoot)}, move, to);
            if (c < 0 || minute + c > std::numeric_limits<int32_t>::max())
                continue;
            if (!done[to.onFoot ? 0 : 1][cellOf(map, to.x, to.y)])
                heap.emplace(minute + c, to.x, to.y, to.onFoot);
        }
    }
    return best;
}

// 128 buckets, an entry for every possible move, settled ones skipped, stop after 128 empty buckets.
// Only for tables whose steps all cost under 128.
inline Layers literalBucketSearch(const CarteVarenthe &map, int32_t startX, int32_t startY)
{
    struct Entry {
        int32_t x, y;
        uint8_t onFoot;
        int32_t move;
    };
    const size_t cells = static_cast<size_t>(map.width) * static_cast<size_t>(map.height);
    Layers layers;
    for (int layer = 0; layer < 2; ++layer) {
        layers.time[layer].assign(cells, -1);
        layers.step[layer].assign(cells, -1);
    }
    std::array<std::vector<Entry>, 128> buckets;
    const bool onFoot = startsOnFoot(map, startX, startY);
    buckets[0].push_back({startX, startY, static_cast<uint8_t>(onFoot), onFoot ? 0 : 4});
    int64_t minute = 0;
    int empty = 0;
    while (empty < 128) {
        std::vector<Entry> &bucket = buckets[static_cast<size_t>(minute % 128)];
        if (!bucket.empty()) {
            empty = 0;
            for (size_t i = 0; i < bucket.size(); ++i) {
                const Entry e = bucket[i];
                const int layer = e.onFoot == 1 ? 0 : 1;
                const size_t cell = cellOf(map, e.x, e.y);
                if (layers.time[layer][cell] != -1)
                    continue;
                layers.time[layer][cell] = minute;
                layers.step[layer][cell] = e.move;
                for (int32_t move = 0; move < MoveCodeCount; ++move) {
                    SearchState to;
                    const int32_t c = moveCost(map, SearchState{e.x, e.y, e.onFoot}, move, to);
                    if (c != -1)
                        buckets[static_cast<size_t>((minute + c) % 128)].push_back({to.x, to.y, to.onFoot, move});
                }
            }
            bucket.clear();
        }
        ++empty;
        ++minute;
    }
    return layers;
}

} // namespace routetest
