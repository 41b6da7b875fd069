#include "route/RouteSearch.h"

#include <algorithm>
#include <cstddef>
#include <array>
#include <limits>

#include "route/BucketQueue.h"
#include "route/MoveRules.h"

namespace {

// The step rule's table lookups, prepared once per search: for each travel
// layer and terrain class (codes 0 to 255, and 256 for every code outside
// them), what an ordinary step into such a cell costs and whether a step
// into it is allowed at all (which is all that counts across a province
// edge and for a port's switch).
constexpr int32_t HighClass = 256;
constexpr int32_t ClassCount = 257;

inline int32_t terrainClass(int32_t code)
{
    return static_cast<uint32_t>(code) <= 255u ? code : HighClass;
}

struct StepTable {
    std::array<std::array<int32_t, ClassCount>, 2> enter;
    std::array<std::array<uint8_t, ClassCount>, 2> open;
};

StepTable makeStepTable(const CarteVarenthe &map)
{
    const CostTables &tables = map.costTables;
    StepTable table{};
    for (int32_t cls = 0; cls < ClassCount; ++cls) {
        const int32_t code = cls;
        if (isTableCostedCode(code)) {
            const int32_t foot = map.useWingsGift ? tables.wingsCost[code] : tables.footCost[code];
            const int32_t boat = tables.boatCost[code];
            table.enter[OnFoot][cls] = foot > 0 ? foot : -1;
            table.open[OnFoot][cls] = foot > 0;
            table.enter[Afloat][cls] = boat > 0 ? boat : -1;
            table.open[Afloat][cls] = boat > 0;
        } else {
            const int32_t portFoot = tables.footCost[PortCode];
            table.enter[OnFoot][cls] = portFoot >= 0 ? portFoot : -1;
            table.open[OnFoot][cls] = 1;
            table.enter[Afloat][cls] = -1;
            table.open[Afloat][cls] = 1;
        }
    }
    return table;
}

// Per-cell edge flags, from one flag word per row and one per column and
// province row parity: the map's own edges close a step, a province's edges
// make it free.
enum EdgeFlag : uint32_t {
    MapEdgeEast = 1u << 0,
    MapEdgeSouth = 1u << 1,
    MapEdgeWest = 1u << 2,
    MapEdgeNorth = 1u << 3,
    ProvinceEdgeEast = 1u << 4,
    ProvinceEdgeSouth = 1u << 5,
    ProvinceEdgeWest = 1u << 6,
    ProvinceEdgeNorth = 1u << 7,
    ShiftedRow = 1u << 8,
};
constexpr std::array<uint32_t, 4> MapEdge = {MapEdgeEast, MapEdgeSouth, MapEdgeWest, MapEdgeNorth};
constexpr std::array<uint32_t, 4> ProvinceEdge = {ProvinceEdgeEast, ProvinceEdgeSouth, ProvinceEdgeWest,
                                                  ProvinceEdgeNorth};

struct EdgeFlags {
    std::vector<uint32_t> rows;
    std::array<std::vector<uint32_t>, 2> columns; // even, shifted province rows

    void build(const CarteVarenthe &map)
    {
        rows.assign(static_cast<size_t>(map.height), 0);
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
            if (map.provinceHeight > 0 && (y / map.provinceHeight) % 2 != 0)
                flags |= ShiftedRow;
            rows[static_cast<size_t>(y)] = flags;
        }
        // A sample row of each province row parity decides the column flags.
        const int32_t shiftedSample = std::max(map.provinceHeight, 0);
        for (int parity = 0; parity < 2; ++parity) {
            std::vector<uint32_t> &column = columns[static_cast<size_t>(parity)];
            column.assign(static_cast<size_t>(map.width), 0);
            const int32_t sampleRow = parity == 0 ? 0 : shiftedSample;
            for (int32_t x = 0; x < map.width; ++x) {
                uint32_t flags = 0;
                if (x == map.width - 1)
                    flags |= MapEdgeEast;
                if (x == 0)
                    flags |= MapEdgeWest;
                if (leavesProvince(map, x, sampleRow, MoveEast))
                    flags |= ProvinceEdgeEast;
                if (leavesProvince(map, x, sampleRow, MoveWest))
                    flags |= ProvinceEdgeWest;
                column[static_cast<size_t>(x)] = flags;
            }
        }
    }
};

// Search entries pack a cell and a layer into 32 bits: row, column, layer.
constexpr int32_t EntryColumnBits = 15;
static_assert(MaxMapSide < (1 << EntryColumnBits), "map columns must fit a search entry");
constexpr uint32_t EntryRowShift = EntryColumnBits + 1;

inline uint32_t packEntry(int32_t x, int32_t y, int32_t layer)
{
    return (static_cast<uint32_t>(y) << EntryRowShift) | (static_cast<uint32_t>(x) << 1) |
           static_cast<uint32_t>(layer);
}

constexpr int64_t LatestMinute = std::numeric_limits<int32_t>::max();

// One search over a document: settles every reachable state once, in the
// order of (arrival minute, order of appending) that the bucket queue gives.
// A state is appended only when the new arrival is strictly earlier than
// the one already pending for it: a later or equal entry would be skipped
// when visited anyway, so the arrival minutes and arrival moves are those of
// a queue that keeps every duplicate, with far fewer entries.
class Search {
public:
    Search(CarteVarenthe &map, const EdgeFlags &edges)
        : edges_(edges), table_(makeStepTable(map)), width_(map.width),
          terrain_(map.terrain.data()),
          time_{map.routeTime[OnFoot].data(), map.routeTime[Afloat].data()},
          step_{map.routeStep[OnFoot].data(), map.routeStep[Afloat].data()},
          delta_{1, map.width, -1, -map.width}, embark_(map.allowEmbark),
          abandon_(map.allowEmbark && map.allowAbandon)
    {
    }

    void run(BucketQueue &queue, int32_t startX, int32_t startY, int32_t startLayer)
    {
        const size_t start = cellIndex(startX, startY);
        time_[startLayer][start] = 0;
        step_[startLayer][start] = startLayer == OnFoot ? MoveEast : MoveSwitchEast;
        const uint32_t startEntry = packEntry(startX, startY, startLayer);
        if (queue.usesBuckets()) {
            queue.push(0, startEntry);
            auto push = [&queue](int64_t minute, uint32_t entry) { queue.push(minute, entry); };
            for (int64_t minute = 0; !queue.empty(); ++minute) {
                std::vector<uint32_t> &bucket = queue.bucket(minute);
                // Steps of 0 minutes append to the bucket being visited; the
                // index runs to its current size so that they are visited in
                // the same pass.
                for (size_t i = 0; i < bucket.size(); ++i)
                    visit(bucket[i], minute, push);
                queue.release(bucket);
            }
        } else {
            queue.pushOrdered(0, startEntry);
            auto push = [&queue](int64_t minute, uint32_t entry) { queue.pushOrdered(minute, entry); };
            while (!queue.empty()) {
                const BucketQueue::OrderedEntry next = queue.popOrdered();
                visit(next.entry, next.minute, push);
            }
        }
    }

private:
    size_t cellIndex(int32_t x, int32_t y) const
    {
        return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
    }

    template <class Push>
    void offer(size_t cell, int32_t x, int32_t y, int32_t layer, int64_t minute, int32_t move, Push &push)
    {
        if (minute > LatestMinute)
            return; // an arrival that cannot be written down is no arrival
        int32_t &pending = time_[layer][cell];
        if (static_cast<uint32_t>(minute) < static_cast<uint32_t>(pending)) {
            pending = static_cast<int32_t>(minute);
            step_[layer][cell] = move;
            push(minute, packEntry(x, y, layer));
        }
    }

    template <class Push>
    void visit(uint32_t entry, int64_t minute, Push &push)
    {
        const int32_t layer = static_cast<int32_t>(entry & 1u);
        const int32_t x = static_cast<int32_t>((entry >> 1) & ((1u << EntryColumnBits) - 1));
        const int32_t y = static_cast<int32_t>(entry >> EntryRowShift);
        const size_t cell = cellIndex(x, y);
        if (time_[layer][cell] != minute)
            return; // reached earlier by another entry
        const uint32_t rowFlags = edges_.rows[static_cast<size_t>(y)];
        const uint32_t flags =
            rowFlags | edges_.columns[(rowFlags & ShiftedRow) ? 1 : 0][static_cast<size_t>(x)];

        const int32_t *enter = table_.enter[layer].data();
        const uint8_t *open = table_.open[layer].data();
        for (int32_t direction = 0; direction < 4; ++direction) {
            if (flags & MapEdge[direction])
                continue;
            const size_t next = cell + static_cast<ptrdiff_t>(delta_[direction]);
            const int32_t cls = terrainClass(terrain_[next]);
            const int32_t cost =
                (flags & ProvinceEdge[direction]) ? (open[cls] ? 0 : -1) : enter[cls];
            if (cost >= 0)
                offer(next, x + MoveDx[direction], y + MoveDy[direction], layer, minute + cost, direction,
                      push);
        }

        const int32_t here = terrain_[cell];
        if (here == PortCode && embark_) {
            const int32_t other = 1 - layer;
            for (int32_t direction = 0; direction < 4; ++direction) {
                if (flags & MapEdge[direction])
                    continue;
                const size_t next = cell + static_cast<ptrdiff_t>(delta_[direction]);
                if (table_.open[other][terrainClass(terrain_[next])])
                    offer(next, x + MoveDx[direction], y + MoveDy[direction], other,
                          minute + switchCost(direction), MoveSwitchEast + direction, push);
            }
        } else if (here == SandCode && abandon_ && layer == Afloat) {
            // The boat is left on the sand and the traveller walks on.
            for (int32_t direction = 0; direction < 4; ++direction) {
                if (flags & MapEdge[direction])
                    continue;
                const size_t next = cell + static_cast<ptrdiff_t>(delta_[direction]);
                const int32_t cls = terrainClass(terrain_[next]);
                if (!table_.open[OnFoot][cls])
                    continue;
                const int32_t walk =
                    (flags & ProvinceEdge[direction]) ? 0 : table_.enter[OnFoot][cls];
                if (walk >= 0)
                    offer(next, x + MoveDx[direction], y + MoveDy[direction], OnFoot,
                          minute + AbandonExtra + walk, MoveSwitchEast + direction, push);
            }
        }
    }

    const EdgeFlags &edges_;
    const StepTable table_;
    const int32_t width_;
    const int32_t *terrain_;
    std::array<int32_t *, 2> time_;
    std::array<int32_t *, 2> step_;
    std::array<int32_t, 4> delta_;
    const bool embark_;
    const bool abandon_;
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
    map.clearRouteLayers();
    const int32_t startX = map.routeStartX;
    const int32_t startY = map.routeStartY;
    if (!map.contains(startX, startY))
        return;
    const int32_t startLayer = startsOnFoot(map, startX, startY) ? OnFoot : Afloat;

    thread_local EdgeFlags edges;
    edges.build(map);
    BucketQueue &queue = BucketQueue::forThisThread();
    queue.prepare(largestStepCost(map));
    Search(map, edges).run(queue, startX, startY, startLayer);
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
