#include "route/RouteSearch.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>

#include "route/BucketQueue.h"
#include "route/MoveRules.h"
#include "route/SearchScratch.h"

namespace {

// Edge flags of a cell: the map's own edges close a step, a province's
// edges make it free.
enum EdgeFlag : uint32_t {
    MapEdgeEast = 1u << 0,
    MapEdgeSouth = 1u << 1,
    MapEdgeWest = 1u << 2,
    MapEdgeNorth = 1u << 3,
    ProvinceEdgeEast = 1u << 4,
    ProvinceEdgeSouth = 1u << 5,
    ProvinceEdgeWest = 1u << 6,
    ProvinceEdgeNorth = 1u << 7,
};
constexpr std::array<uint32_t, 4> MapEdge = {MapEdgeEast, MapEdgeSouth, MapEdgeWest, MapEdgeNorth};
constexpr std::array<uint32_t, 4> ProvinceEdge = {ProvinceEdgeEast, ProvinceEdgeSouth, ProvinceEdgeWest,
                                                  ProvinceEdgeNorth};

// What the search needs of every cell, in 16 bits: the terrain class in the
// low byte (codes 0 to 127 as they are, every other code as 128, which the
// step rule treats alike) and the edge flags in the high byte. Built at the
// start of each search, in storage kept from search to search, so that the
// visit of a state reads two bytes per neighbour and never divides.
constexpr int32_t HighCodeClass = FirstHighCode;
constexpr uint32_t CellClassMask = 0xffu;
constexpr uint32_t EdgeShift = 8;

inline uint16_t cellClassOf(int32_t code)
{
    return isTableCostedCode(code) ? static_cast<uint16_t>(code) : static_cast<uint16_t>(HighCodeClass);
}

void buildCellInfo(const CarteVarenthe &map, uint16_t *info)
{
    const int32_t width = map.width;
    // Column flags for rows of each province row parity; the column inside a
    // province depends only on the column and that parity.
    std::array<std::vector<uint16_t>, 2> columns;
    const int32_t shiftedSample = std::max(map.provinceHeight, 0);
    for (int parity = 0; parity < 2; ++parity) {
        std::vector<uint16_t> &column = columns[static_cast<size_t>(parity)];
        column.assign(static_cast<size_t>(width), 0);
        const int32_t sampleRow = parity == 0 ? 0 : shiftedSample;
        for (int32_t x = 0; x < width; ++x) {
            uint32_t flags = 0;
            if (x == width - 1)
                flags |= MapEdgeEast;
            if (x == 0)
                flags |= MapEdgeWest;
            if (leavesProvince(map, x, sampleRow, MoveEast))
                flags |= ProvinceEdgeEast;
            if (leavesProvince(map, x, sampleRow, MoveWest))
                flags |= ProvinceEdgeWest;
            column[static_cast<size_t>(x)] = static_cast<uint16_t>(flags << EdgeShift);
        }
    }
    for (int32_t y = 0; y < map.height; ++y) {
        uint32_t flags = 0;
        if (y == map.height - 1)
            flags |= MapEdgeSouth;
        if (y == 0)
            flags |= MapEdgeNorth;
        if (leavesProvince(map, 0, y, MoveSouth))
            flags |= ProvinceEdgeSouth;
        if (leavesProvince(map, 0, y, MoveNorth))
            flags |= ProvinceEdgeNorth;
        const bool shifted = map.provinceHeight > 0 && (y / map.provinceHeight) % 2 != 0;
        const uint16_t *column = columns[shifted ? 1 : 0].data();
        const auto rowFlags = static_cast<uint16_t>(flags << EdgeShift);
        const int32_t *terrain = map.terrain.row(y);
        uint16_t *out = info + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int32_t x = 0; x < width; ++x)
            out[x] = static_cast<uint16_t>(cellClassOf(terrain[x]) | rowFlags | column[x]);
    }
}

// The step rule's table lookups, prepared once per search for each travel
// layer and terrain class: what an ordinary step into such a cell costs, and
// what a step across a province edge costs (0 when the cell is open to that
// layer; the same test decides a port's switch). A closed cell costs so much
// that no arrival through it is ever earlier than one pending, which spares
// the search a test on every step.
constexpr int64_t ClosedStep = int64_t{1} << 40;

struct StepTable {
    std::array<std::array<int64_t, HighCodeClass + 1>, 2> enter;
    std::array<std::array<int64_t, HighCodeClass + 1>, 2> cross;
};

StepTable makeStepTable(const CarteVarenthe &map)
{
    const CostTables &tables = map.costTables;
    StepTable table{};
    for (int32_t code = 0; code < HighCodeClass; ++code) {
        const int32_t foot = map.useWingsGift ? tables.wingsCost[code] : tables.footCost[code];
        const int32_t boat = tables.boatCost[code];
        table.enter[OnFoot][code] = foot > 0 ? foot : ClosedStep;
        table.cross[OnFoot][code] = foot > 0 ? 0 : ClosedStep;
        table.enter[Afloat][code] = boat > 0 ? boat : ClosedStep;
        table.cross[Afloat][code] = boat > 0 ? 0 : ClosedStep;
    }
    const int32_t portFoot = tables.footCost[PortCode];
    table.enter[OnFoot][HighCodeClass] = portFoot >= 0 ? portFoot : ClosedStep;
    table.cross[OnFoot][HighCodeClass] = 0;
    table.enter[Afloat][HighCodeClass] = ClosedStep;
    table.cross[Afloat][HighCodeClass] = 0;
    return table;
}

// Search entries pack a state and the move that reached it into 32 bits:
// cell index, layer, move code.
static_assert(int64_t{MaxMapSide} * MaxMapSide <= (int64_t{1} << 28), "cells must fit a search entry");

inline uint32_t packEntry(size_t cell, int32_t layer, int32_t move)
{
    return (static_cast<uint32_t>(cell) << 4) | (static_cast<uint32_t>(layer) << 3) | static_cast<uint32_t>(move);
}

constexpr int64_t LatestMinute = std::numeric_limits<int32_t>::max();

// One search over a document: settles every reachable state once, in the
// order of (arrival minute, order of appending) that the bucket queue gives.
// A state is appended only when the new arrival is strictly earlier than
// the one already pending for it: a later or equal entry would be skipped
// when visited anyway, so the arrival minutes and arrival moves are those of
// a queue that keeps every duplicate, with far fewer entries.
//
// The pending arrivals live in the thread's scratch storage and are written
// to the document's grids in one sequential pass at the end. In the packed
// form they hold minute × 8 + move, so that settling a state writes nothing;
// a search whose minutes outgrow the packed form (29 bits, over a thousand
// years of travel) starts again in the plain form, which writes the arrival
// move into the document when a state is settled.
class Search {
public:
    Search(CarteVarenthe &map, SearchScratch &scratch)
        : map_(map), table_(makeStepTable(map)), info_(scratch.cellInfo()),
          time_{scratch.times(OnFoot), scratch.times(Afloat)},
          step_{map.routeStep[OnFoot].data(), map.routeStep[Afloat].data()},
          delta_{1, map.width, -1, -map.width}, embark_(map.allowEmbark),
          abandon_(map.allowEmbark && map.allowAbandon)
    {
    }

    // The scratch times must all be unreached; the document's grids are
    // written whole.
    void run(BucketQueue &queue, int64_t largestStepCost, size_t start, int32_t startLayer)
    {
        const int32_t startMove = startLayer == OnFoot ? MoveEast : MoveSwitchEast;
        const uint32_t startEntry = packEntry(start, startLayer, startMove);
        start_ = start;
        if (queue.usesBuckets()) {
            time_[startLayer][start] = static_cast<uint32_t>(startMove);
            const bool packed = cellCount() > SmallMapCells
                                    ? runBuckets<true, true>(queue, startEntry, largestStepCost)
                                    : runBuckets<true, false>(queue, startEntry, largestStepCost);
            if (packed) {
                splitPackedArrivals();
                return;
            }
            for (uint32_t *times : time_)
                std::fill_n(times, cellCount(), UnreachedTime);
            queue.prepare(largestStepCost);
        }
        for (int32_t *steps : step_)
            std::fill_n(steps, cellCount(), -1);
        time_[startLayer][start] = 0;
        step_[startLayer][start] = startMove;
        if (queue.usesBuckets())
            runBuckets<false, true>(queue, startEntry, largestStepCost);
        else
            runOrdered(queue, startEntry);
        for (int layer = 0; layer < 2; ++layer)
            std::copy_n(time_[layer], cellCount(), reinterpret_cast<uint32_t *>(map_.routeTime[layer].data()));
    }

private:
    static constexpr uint32_t UnreachedTime = 0xffffffffu;
    static constexpr uint32_t MoveBits = 3;
    // Below the minute part of an unreached entry in the packed form.
    static constexpr int64_t PackedMinuteLimit = int64_t{UnreachedTime >> MoveBits};

    size_t cellCount() const
    {
        return static_cast<size_t>(map_.width) * static_cast<size_t>(map_.height);
    }

    // The states of a bucket lie scattered over the map; fetching a later
    // entry's cell while visiting this one hides some memory latency on
    // large maps. A map of the world's size stays in the processor's caches,
    // where the fetching only costs instructions.
    static constexpr size_t PrefetchDistance = 8;
    static constexpr size_t SmallMapCells = 200000;

    void prefetch(uint32_t entry) const
    {
        const size_t cell = entry >> 4;
        __builtin_prefetch(time_[(entry >> 3) & 1u] + cell);
        __builtin_prefetch(info_ + cell);
    }

    template <bool Packed>
    static bool settledAt(uint32_t pending, int64_t minute)
    {
        return Packed ? (pending >> MoveBits) == minute : static_cast<int32_t>(pending) == minute;
    }

    // Whether `minute` is earlier than the pending arrival; in the plain
    // form, an arrival that cannot be written down is no arrival.
    template <bool Packed>
    static bool earlier(int64_t minute, uint32_t pending)
    {
        if constexpr (Packed)
            return minute < (pending >> MoveBits);
        else
            return minute <= LatestMinute && static_cast<uint32_t>(minute) < pending;
    }

    template <bool Packed>
    static uint32_t pendingValue(int64_t minute, int32_t move)
    {
        return Packed ? (static_cast<uint32_t>(minute) << MoveBits) | static_cast<uint32_t>(move)
                      : static_cast<uint32_t>(minute);
    }

    template <bool Packed, bool Prefetch>
    bool runBuckets(BucketQueue &queue, uint32_t startEntry, int64_t largestStepCost)
    {
        queue.push(0, startEntry);
        BucketQueue::Bucket *const buckets = queue.buckets();
        const size_t mask = queue.mask();
        auto push = [&queue](int64_t at, uint32_t e) { queue.push(at, e); };
        // Every pending entry is at most a bucket count of minutes ahead, so
        // a whole round of empty buckets means the queue is empty.
        const int64_t bucketCount = queue.bucketCount();
        int64_t emptyRun = 0;
        for (int64_t minute = 0; emptyRun < bucketCount; ++minute) {
            BucketQueue::Bucket &bucket = buckets[static_cast<size_t>(minute) & mask];
            if (bucket.size == 0) {
                ++emptyRun;
                continue;
            }
            emptyRun = 0;
            if (Packed && minute + largestStepCost >= PackedMinuteLimit)
                return false;
            // Steps of 0 minutes append to the bucket being visited; the index
            // runs to its current size so that they are visited in the same
            // pass.
            for (size_t i = 0; i < bucket.size; ++i) {
                if (Prefetch && i + PrefetchDistance < bucket.size)
                    prefetch(bucket.entries[i + PrefetchDistance]);
                const uint32_t entry = bucket.entries[i];
                const size_t cell = entry >> 4;
                const int32_t layer = static_cast<int32_t>((entry >> 3) & 1u);
                if (!settledAt<Packed>(time_[layer][cell], minute))
                    continue; // reached earlier by another entry
                const uint32_t move = entry & 7u;
                if (!Packed)
                    step_[layer][cell] = static_cast<int32_t>(move);
                // A walking step came from the cell behind, settled no later
                // than this one: stepping back there is never earlier.
                const uint32_t behind = move < 4 && cell != start_ ? MapEdge[(move + 2) & 3u] : 0;
                walkOn<Packed>(queue, buckets, mask, cell, layer, minute, behind);
                switchLayers<Packed>(cell, layer, minute, push);
            }
            bucket.size = 0;
            ++emptyRun;
        }
        return true;
    }

    void runOrdered(BucketQueue &queue, uint32_t startEntry)
    {
        queue.pushOrdered(0, startEntry);
        auto push = [&queue](int64_t at, uint32_t e) { queue.pushOrdered(at, e); };
        while (!queue.orderedEmpty()) {
            const BucketQueue::OrderedEntry next = queue.popOrdered();
            const size_t cell = next.entry >> 4;
            const int32_t layer = static_cast<int32_t>((next.entry >> 3) & 1u);
            if (!settledAt<false>(time_[layer][cell], next.minute))
                continue;
            step_[layer][cell] = static_cast<int32_t>(next.entry & 7u);
            const uint32_t flags = info_[cell] >> EdgeShift;
            for (int32_t direction = 0; direction < 4; ++direction) {
                if (flags & MapEdge[direction])
                    continue;
                const size_t target = cell + static_cast<ptrdiff_t>(delta_[direction]);
                const uint32_t cls = info_[target] & CellClassMask;
                const int64_t cost = (flags & ProvinceEdge[direction]) ? table_.cross[layer][cls]
                                                                      : table_.enter[layer][cls];
                offer<false>(target, layer, next.minute + cost, direction, push);
            }
            switchLayers<false>(cell, layer, next.minute, push);
        }
    }

    // The four steps that keep the layer, less the one in `skipped` (an
    // edge flag).
    template <bool Packed>
    void walkOn(BucketQueue &queue, BucketQueue::Bucket *buckets, size_t mask, size_t cell, int32_t layer,
                int64_t minute, uint32_t skipped)
    {
        const uint32_t flags = (info_[cell] >> EdgeShift) | skipped;
        const int64_t *enter = table_.enter[layer].data();
        const int64_t *cross = table_.cross[layer].data();
        uint32_t *times = time_[layer];
        for (int32_t direction = 0; direction < 4; ++direction) {
            if (flags & MapEdge[direction])
                continue;
            const size_t target = cell + static_cast<ptrdiff_t>(delta_[direction]);
            const uint32_t cls = info_[target] & CellClassMask;
            const int64_t arrival = minute + ((flags & ProvinceEdge[direction]) ? cross[cls] : enter[cls]);
            uint32_t &pending = times[target];
            if (earlier<Packed>(arrival, pending)) {
                pending = pendingValue<Packed>(arrival, direction);
                queue.append(buckets[static_cast<size_t>(arrival) & mask], packEntry(target, layer, direction),
                             true);
            }
        }
    }

    // Embarking and landing in a port, and leaving the boat on sand: rare,
    // so plain branches.
    template <bool Packed, class Push>
    void switchLayers(size_t cell, int32_t layer, int64_t minute, Push &push)
    {
        const uint32_t here = info_[cell];
        const uint32_t flags = here >> EdgeShift;
        const uint32_t hereClass = here & CellClassMask;
        if (hereClass == PortCode && embark_) {
            const int32_t other = 1 - layer;
            for (int32_t direction = 0; direction < 4; ++direction) {
                if (flags & MapEdge[direction])
                    continue;
                const size_t target = cell + static_cast<ptrdiff_t>(delta_[direction]);
                if (table_.cross[other][info_[target] & CellClassMask] == 0)
                    offer<Packed>(target, other, minute + switchCost(direction), MoveSwitchEast + direction, push);
            }
        } else if (hereClass == SandCode && abandon_ && layer == Afloat) {
            // The boat is left on the sand and the traveller walks on.
            for (int32_t direction = 0; direction < 4; ++direction) {
                if (flags & MapEdge[direction])
                    continue;
                const size_t target = cell + static_cast<ptrdiff_t>(delta_[direction]);
                const uint32_t cls = info_[target] & CellClassMask;
                if (table_.cross[OnFoot][cls] != 0)
                    continue;
                const int64_t walk = (flags & ProvinceEdge[direction]) ? 0 : table_.enter[OnFoot][cls];
                offer<Packed>(target, OnFoot, minute + AbandonExtra + walk, MoveSwitchEast + direction, push);
            }
        }
    }

    template <bool Packed, class Push>
    void offer(size_t cell, int32_t layer, int64_t minute, int32_t move, Push &push)
    {
        uint32_t &pending = time_[layer][cell];
        if (earlier<Packed>(minute, pending)) {
            pending = pendingValue<Packed>(minute, move);
            push(minute, packEntry(cell, layer, move));
        }
    }

    void splitPackedArrivals()
    {
        const size_t cells = cellCount();
        for (int layer = 0; layer < 2; ++layer) {
            const uint32_t *packedTimes = time_[layer];
            auto *times = reinterpret_cast<uint32_t *>(map_.routeTime[layer].data());
            int32_t *steps = step_[layer];
            for (size_t i = 0; i < cells; ++i) {
                const uint32_t packed = packedTimes[i];
                const bool reached = packed != UnreachedTime;
                steps[i] = reached ? static_cast<int32_t>(packed & 7u) : -1;
                times[i] = reached ? packed >> MoveBits : UnreachedTime;
            }
        }
    }

    CarteVarenthe &map_;
    const StepTable table_;
    const uint16_t *info_;
    std::array<uint32_t *, 2> time_;
    std::array<int32_t *, 2> step_;
    std::array<ptrdiff_t, 4> delta_;
    const bool embark_;
    const bool abandon_;
    size_t start_ = 0;
};

// Walks the arrival moves back from the end cell to the start state,
// reporting the end cell and then every cell stepped back onto with its mark
// and layer. Stops, returning false, outside the map, at a cell without an
// arrival move, or after more steps than the map has states (arrival moves
// left from a search whose start has since been edited may run in a circle).
template <class Report>
bool walkBack(const CarteVarenthe &map, Report &&report)
{
    const int32_t startX = map.routeStartX;
    const int32_t startY = map.routeStartY;
    const int32_t endX = map.routeEndX;
    const int32_t endY = map.routeEndY;
    int32_t layer = endLayerOf(map, endX, endY);
    const int32_t startLayer = startsOnFoot(map, startX, startY) ? OnFoot : Afloat;

    const bool boatAtWalkableCell =
        layer == Afloat && walkableByFootTable(map.costTables, map.terrainAt(endX, endY));
    report(endX, endY, boatAtWalkableCell ? MarkLayerChange : MarkOnRoute, layer);

    int32_t x = endX;
    int32_t y = endY;
    const int64_t stateCount = 2 * static_cast<int64_t>(map.width) * map.height;
    for (int64_t steps = 0; x != startX || y != startY || layer != startLayer; ++steps) {
        if (!map.contains(x, y) || steps >= stateCount)
            return false;
        const int32_t move = map.routeStep[layer].at(x, y);
        if (move < 0 || move >= MoveCodeCount)
            return false;
        x -= MoveDx[move & 3];
        y -= MoveDy[move & 3];
        if (move >= 4) {
            layer = 1 - layer;
            report(x, y, MarkLayerChange, layer);
        } else {
            report(x, y, MarkOnRoute, layer);
        }
    }
    return true;
}

bool hasTraceableEnds(const CarteVarenthe &map)
{
    if (map.routeStartX == -1 || map.routeEndX == -1)
        return false;
    return map.routeTimeAt(map.routeEndX, map.routeEndY, OnFoot) != -1 ||
           map.routeTimeAt(map.routeEndX, map.routeEndY, Afloat) != -1;
}

} // namespace

int32_t endLayerOf(const CarteVarenthe &map, int32_t x, int32_t y)
{
    const auto onFoot = static_cast<uint32_t>(map.routeTimeAt(x, y, OnFoot));
    const auto afloat = static_cast<uint32_t>(map.routeTimeAt(x, y, Afloat));
    return onFoot <= afloat ? OnFoot : Afloat;
}

void searchRoutes(CarteVarenthe &map)
{
    if (map.routeStartX == -1)
        return;
    const int32_t startX = map.routeStartX;
    const int32_t startY = map.routeStartY;
    if (!map.contains(startX, startY)) {
        map.clearRouteLayers();
        return;
    }
    const int32_t startLayer = startsOnFoot(map, startX, startY) ? OnFoot : Afloat;

    const size_t cells = static_cast<size_t>(map.width) * static_cast<size_t>(map.height);
    SearchScratch &scratch = SearchScratch::forThisThread();
    scratch.prepare(cells);
    std::fill_n(scratch.times(OnFoot), cells, 0xffffffffu);
    std::fill_n(scratch.times(Afloat), cells, 0xffffffffu);
    buildCellInfo(map, scratch.cellInfo());
    BucketQueue &queue = BucketQueue::forThisThread();
    const int64_t largest = largestStepCost(map);
    queue.prepare(largest);
    const size_t start = static_cast<size_t>(startY) * static_cast<size_t>(map.width) + static_cast<size_t>(startX);
    Search(map, scratch).run(queue, largest, start, startLayer);
    scratch.trim();
}

bool traceRoute(CarteVarenthe &map)
{
    map.clearRouteMarks();
    if (!hasTraceableEnds(map))
        return false;
    const bool complete = walkBack(map, [&map](int32_t x, int32_t y, int32_t mark, int32_t) {
        if (map.contains(x, y))
            map.routeMark.at(x, y) = mark;
    });
    if (!complete)
        return false;
    map.routeTotalTime = map.routeTimeAt(map.routeEndX, map.routeEndY, endLayerOf(map, map.routeEndX, map.routeEndY));
    return true;
}

int32_t tracedTotalTime(const CarteVarenthe &map)
{
    if (!hasTraceableEnds(map) || !walkBack(map, [](int32_t, int32_t, int32_t, int32_t) {}))
        return -1;
    return map.routeTimeAt(map.routeEndX, map.routeEndY, endLayerOf(map, map.routeEndX, map.routeEndY));
}

std::vector<RouteCell> tracedRoute(const CarteVarenthe &map)
{
    std::vector<RouteCell> cells;
    if (!hasTraceableEnds(map))
        return cells;
    const bool complete = walkBack(map, [&cells](int32_t x, int32_t y, int32_t mark, int32_t layer) {
        cells.push_back({x, y, mark, layer});
    });
    if (!complete)
        return {};
    std::reverse(cells.begin(), cells.end());
    return cells;
}
