// On random small maps the search agrees with independent searches and traced routes add up.
#include <gtest/gtest.h>

#include <queue>
#include <random>

#include "map/CarteVarenthe.h"
#include "route/MoveRules.h"
#include "route/RouteEndpoints.h"
#include "route/RouteSearch.h"

namespace {

// Independent searches: a textbook heap Dijkstra, and a literal bucket-queue search for the arrival moves.
struct Layers {
    std::array<std::vector<int64_t>, 2> time;
    std::array<std::vector<int32_t>, 2> step;
};

size_t cellOf(const CarteVarenthe &map, int32_t x, int32_t y)
{
    return static_cast<size_t>(y) * static_cast<size_t>(map.width) + static_cast<size_t>(x);
}

// Arrival minutes from the start in both layers; -1 unreached.
std::array<std::vector<int64_t>, 2> heapDijkstra(const CarteVarenthe &map, int32_t startX, int32_t startY)
{
    const size_t cells = static_cast<size_t>(map.width) * static_cast<size_t>(map.height);
    std::array<std::vector<int64_t>, 2> best{std::vector<int64_t>(cells, -1), std::vector<int64_t>(cells, -1)};
    using Item = std::tuple<int64_t, int32_t, int32_t, int32_t>; // minute, x, y, onFoot
    std::priority_queue<Item, std::vector<Item>, std::greater<>> heap;
    heap.emplace(0, startX, startY, startsOnFoot(map, startX, startY) ? 1 : 0);
    while (!heap.empty()) {
        const auto [minute, x, y, onFoot] = heap.top();
        heap.pop();
        const int layer = onFoot ? 0 : 1;
        const size_t cell = cellOf(map, x, y);
        if (best[layer][cell] != -1)
            continue;
        best[layer][cell] = minute;
        for (int32_t move = 0; move < MoveCodeCount; ++move) {
            SearchState to;
            const int32_t c = moveCost(map, SearchState{x, y, static_cast<uint8_t>(onFoot)}, move, to);
            if (c < 0 || minute + c > std::numeric_limits<int32_t>::max())
                continue;
            if (best[to.onFoot ? 0 : 1][cellOf(map, to.x, to.y)] == -1)
                heap.emplace(minute + c, to.x, to.y, to.onFoot);
        }
    }
    return best;
}

// 128 buckets, an entry for every possible move, settled ones skipped, stop after 128 empty buckets.
// Only for tables whose steps all cost under 128.
Layers literalBucketSearch(const CarteVarenthe &map, int32_t startX, int32_t startY)
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

// Base terrains, ports, roads, the codes roads join, buildings and codes no table knows.
constexpr int32_t Palette[] = {0, 1, 1, 100, 100, 100, 101, 102, 103, 103, 104, 105, 106, 106, 107,
                               110, 115, 120, 121, 122, 132, 145, 147, 200, 255, -4, 300};

// Huge: steps of 100000 minutes and more, as a file may ask, too long for any bucket count.
enum class TableKind { World, City, Random, Large, Huge };

CarteVarenthe randomMap(std::mt19937 &random, TableKind tables)
{
    auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    CarteVarenthe map;
    const int32_t provinceWidth = pick(0, 2) == 0 ? 0 : pick(1, 8);
    const int32_t provinceHeight = pick(0, 2) == 0 ? 0 : pick(1, 6);
    map.create(pick(1, 14), pick(1, 14), provinceWidth, provinceHeight, tables == TableKind::City ? 0 : 1, 100);
    for (int32_t y = 0; y < map.height; ++y)
        for (int32_t x = 0; x < map.width; ++x)
            map.terrain.at(x, y) = Palette[pick(0, static_cast<int>(std::size(Palette)) - 1)];
    if (tables == TableKind::Random || tables == TableKind::Large || tables == TableKind::Huge) {
        // Costs 0 to 60, a few negative, and in the large set steps far beyond the 128 buckets.
        for (CostTable *table : {&map.costTables.footCost, &map.costTables.boatCost, &map.costTables.wingsCost})
            for (int32_t &entry : *table) {
                entry = pick(0, 3) == 0 ? 0 : pick(0, 60);
                if (pick(0, 40) == 0)
                    entry = -pick(1, 50);
                if (tables == TableKind::Large && pick(0, 5) == 0)
                    entry = pick(0, 1) ? 200 : 1000;
            }
    }
    if (tables == TableKind::Huge) {
        map.costTables.footCost[105] = 100000;
        map.costTables.boatCost[104] = 3000000;
    }
    setRouteOptions(map, pick(0, 1), pick(0, 2) != 0, pick(0, 1));
    return map;
}

// Each reached state but the start came by its arrival move from a state exactly that move's cost earlier.
void expectArrivalMovesAddUp(const CarteVarenthe &map)
{
    const int32_t startLayer = startsOnFoot(map, map.routeStartX, map.routeStartY) ? OnFoot : Afloat;
    for (int32_t layer = 0; layer < 2; ++layer)
        for (int32_t y = 0; y < map.height; ++y)
            for (int32_t x = 0; x < map.width; ++x) {
                const int32_t minute = map.routeTimeAt(x, y, layer);
                if (minute == -1 || (x == map.routeStartX && y == map.routeStartY && layer == startLayer))
                    continue;
                const int32_t move = map.routeStepAt(x, y, layer);
                ASSERT_TRUE(move >= 0 && move < MoveCodeCount);
                SearchState from{x - MoveDx[move & 3], y - MoveDy[move & 3],
                                 static_cast<uint8_t>((layer == OnFoot) != (move >= 4))};
                SearchState to;
                const int32_t c = moveCost(map, from, move, to);
                ASSERT_GE(c, 0);
                EXPECT_EQ(map.routeTimeAt(from.x, from.y, from.onFoot ? OnFoot : Afloat) + c, minute);
            }
}

void expectTracedRouteAddsUp(const CarteVarenthe &map)
{
    const std::vector<RouteCell> cells = tracedRoute(map);
    const bool reached = map.routeTimeAt(map.routeEndX, map.routeEndY, OnFoot) != -1 ||
                         map.routeTimeAt(map.routeEndX, map.routeEndY, Afloat) != -1;
    ASSERT_EQ(!cells.empty(), reached);
    if (!reached) {
        for (int32_t y = 0; y < map.height; ++y)
            for (int32_t x = 0; x < map.width; ++x)
                ASSERT_EQ(map.routeMarkAt(x, y), 0);
        return;
    }
    int64_t total = 0;
    for (size_t i = 1; i < cells.size(); ++i) {
        const int32_t dx = cells[i].x - cells[i - 1].x;
        const int32_t dy = cells[i].y - cells[i - 1].y;
        int32_t direction = 0;
        while (MoveDx[direction] != dx || MoveDy[direction] != dy)
            ++direction;
        const bool switching = cells[i].layer != cells[i - 1].layer;
        SearchState to;
        const int32_t c = moveCost(map, SearchState{cells[i - 1].x, cells[i - 1].y,
                                                    static_cast<uint8_t>(cells[i - 1].layer == OnFoot)},
                                   direction + (switching ? 4 : 0), to);
        ASSERT_GE(c, 0);
        total += c;
        EXPECT_NE(map.routeMarkAt(cells[i].x, cells[i].y), 0);
    }
    EXPECT_EQ(total, map.routeTotalTime);
    EXPECT_EQ(cells.front().x, map.routeStartX);
    EXPECT_EQ(cells.back().y, map.routeEndY);
}

void checkRandomMaps(TableKind tables, uint32_t seed, int count)
{
    std::mt19937 random(seed);
    for (int round = 0; round < count; ++round) {
        CarteVarenthe map = randomMap(random, tables);
        const int32_t startX = std::uniform_int_distribution<int32_t>(0, map.width - 1)(random);
        const int32_t startY = std::uniform_int_distribution<int32_t>(0, map.height - 1)(random);
        setRouteEnd(map, std::uniform_int_distribution<int32_t>(0, map.width - 1)(random),
                    std::uniform_int_distribution<int32_t>(0, map.height - 1)(random));
        setRouteStart(map, startX, startY);
        SCOPED_TRACE(testing::Message() << "round " << round << " map " << map.width << "x" << map.height);

        const auto expected = heapDijkstra(map, startX, startY);
        const bool literalApplies = largestStepCost(map) < 128;
        const Layers literal = literalApplies ? literalBucketSearch(map, startX, startY) : Layers{};
        for (int32_t layer = 0; layer < 2; ++layer)
            for (int32_t y = 0; y < map.height; ++y)
                for (int32_t x = 0; x < map.width; ++x) {
                    const size_t cell = cellOf(map, x, y);
                    ASSERT_EQ(map.routeTimeAt(x, y, layer), expected[layer][cell])
                        << "cell " << x << "," << y << " layer " << layer;
                    if (literalApplies) {
                        ASSERT_EQ(std::pair(int64_t{map.routeTimeAt(x, y, layer)}, map.routeStepAt(x, y, layer)),
                                  std::pair(literal.time[layer][cell], literal.step[layer][cell]))
                            << "cell " << x << "," << y << " layer " << layer;
                    }
                }
        expectArrivalMovesAddUp(map);
        expectTracedRouteAddsUp(map);
    }
}

} // namespace

TEST(RouteProperty, DefaultWorldTablesMatchIndependentSearches) { checkRandomMaps(TableKind::World, 11, 1500); }
TEST(RouteProperty, DefaultCityTablesMatchIndependentSearches) { checkRandomMaps(TableKind::City, 23, 1500); }
TEST(RouteProperty, RandomTablesWithClosedAndNegativeEntries) { checkRandomMaps(TableKind::Random, 37, 1500); }
TEST(RouteProperty, StepsOf200And1000MinutesKeepTimesExact) { checkRandomMaps(TableKind::Large, 53, 1500); }

// The queue falls back to ordering its entries, with the same arrival moves.
TEST(RouteProperty, StepsTooLongForAnyBucketCountStayExact) { checkRandomMaps(TableKind::Huge, 71, 300); }

TEST(RouteProperty, RouteOfOverAThousandYearsKeepsExactMinutes)
{
    // 12289 steps of 65000 minutes: minutes beyond the search's compact form stay exact.
    CarteVarenthe map;
    map.create(4096, 5, 0, 0, 1, 100);
    for (int32_t x = 0; x < 4096; ++x) {
        map.terrain.at(x, 1) = x == 4095 ? 100 : 105;
        map.terrain.at(x, 3) = x == 0 ? 100 : 105;
    }
    map.costTables.footCost[100] = 65000;
    map.costTables.footCost[105] = 0;
    setRouteEnd(map, 4095, 4);
    setRouteStart(map, 0, 0);
    EXPECT_EQ(map.routeTotalTime, int64_t{12289} * 65000);
    EXPECT_EQ(map.routeTimeAt(4095, 2, OnFoot), int64_t{4097} * 65000);
    const auto expected = heapDijkstra(map, 0, 0);
    for (int32_t y = 0; y < map.height; ++y)
        for (int32_t x = 0; x < map.width; ++x)
            ASSERT_EQ(map.routeTimeAt(x, y, OnFoot), expected[OnFoot][cellOf(map, x, y)]);
    expectArrivalMovesAddUp(map);
    expectTracedRouteAddsUp(map);
}

