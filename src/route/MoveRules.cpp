#include "route/MoveRules.h"

#include <algorithm>
#include <limits>

namespace {

// Cost of entering a cell of a table-costed code in the given layer, as the
// table says; 0 or a negative entry closes the cell.
int32_t tableEntry(const CarteVarenthe &map, bool onFoot, int32_t code)
{
    const CostTables &tables = map.costTables;
    if (!onFoot)
        return tables.boatCost[code];
    return map.useWingsGift ? tables.wingsCost[code] : tables.footCost[code];
}

int32_t boundedCost(int64_t minutes)
{
    return minutes <= std::numeric_limits<int32_t>::max() ? static_cast<int32_t>(minutes) : -1;
}

} // namespace

bool walkableByFootTable(const CostTables &tables, int32_t code)
{
    const int32_t index = code >= 0 && code <= 255 ? code : PortCode;
    return tables.footCost[index] > 0;
}

bool leavesProvince(const CarteVarenthe &map, int32_t x, int32_t y, int32_t direction)
{
    const int32_t width = map.provinceWidth;
    const int32_t height = map.provinceHeight;
    switch (direction) {
    case MoveEast:
    case MoveWest: {
        if (width <= 0)
            return false;
        const bool shiftedRow = height > 0 && (y / height) % 2 != 0;
        const int32_t column = (x + (shiftedRow ? ProvinceShift : 0)) % width;
        return direction == MoveEast ? column == width - 1 : column == 0;
    }
    case MoveSouth:
    case MoveNorth: {
        if (height <= 0)
            return false;
        const int32_t row = y % height;
        return direction == MoveSouth ? row == height - 1 : row == 0;
    }
    default:
        return false;
    }
}

int32_t moveCost(const CarteVarenthe &map, const SearchState &from, int32_t move, SearchState &to)
{
    to = from;
    if (move < 0 || move >= MoveCodeCount)
        return -1;
    const int32_t direction = move & 3;
    const bool switching = move >= 4;
    to.x = from.x + MoveDx[direction];
    to.y = from.y + MoveDy[direction];
    to.onFoot = switching ? !from.onFoot : from.onFoot;
    const bool onFoot = to.onFoot != 0;

    if (!map.contains(to.x, to.y))
        return -1;

    // The target's own table closes it first, whatever the move; high codes
    // are not judged here.
    const int32_t target = map.terrain.at(to.x, to.y);
    const bool tableCosted = isTableCostedCode(target);
    const int32_t entry = tableCosted ? tableEntry(map, onFoot, target) : 0;
    if (tableCosted && entry <= 0)
        return -1;

    int32_t extra = 0;
    if (switching) {
        const int32_t left = map.terrainAt(from.x, from.y);
        // A port lets travellers board and land in every direction, at a
        // fixed price that ignores the target's own cost.
        if (left == PortCode && map.allowEmbark)
            return switchCost(direction);
        if (!onFoot)
            return -1; // nobody embarks anywhere but in a port
        if (left != SandCode || !map.allowEmbark || !map.allowAbandon)
            return -1;
        extra = AbandonExtra;
    }

    // Crossing into the next province takes no time of its own.
    if (leavesProvince(map, from.x, from.y, direction))
        return extra;

    if (!tableCosted) {
        if (!onFoot)
            return -1;
        const int32_t portFoot = map.costTables.footCost[PortCode];
        return portFoot >= 0 ? boundedCost(int64_t{extra} + portFoot) : -1;
    }
    return boundedCost(int64_t{extra} + entry);
}

bool startsOnFoot(const CarteVarenthe &map, int32_t x, int32_t y)
{
    return map.useWingsGift || walkableByFootTable(map.costTables, map.terrainAt(x, y));
}

int64_t largestStepCost(const CarteVarenthe &map)
{
    int64_t largest = 0;
    for (const CostTable *table : {&map.costTables.footCost, &map.costTables.boatCost,
                                   &map.costTables.wingsCost})
        largest = std::max<int64_t>(largest, *std::max_element(table->begin(), table->end()));
    int64_t largestSwitch = 0;
    for (int32_t direction = 0; direction < 4; ++direction)
        largestSwitch = std::max<int64_t>(largestSwitch, switchCost(direction));
    return std::max(largest + AbandonExtra, largestSwitch);
}
