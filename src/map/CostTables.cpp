#include "map/CostTables.h"

namespace {

struct CostRow {
    int first;
    int last;
    int32_t foot;
    int32_t boat;
    int32_t wings;
};

CostTables fromRows(std::initializer_list<CostRow> rows)
{
    CostTables tables;
    for (const CostRow &row : rows) {
        for (int code = row.first; code <= row.last; ++code) {
            tables.footCost[code] = row.foot;
            tables.boatCost[code] = row.boat;
            tables.wingsCost[code] = row.wings;
        }
    }
    return tables;
}

} // namespace

// Codes of 128 and above are costed as code 1 by the step rule, but their
// footCost still decides where a route starts and how its end is marked,
// which is why 132 and 145 to 147 carry values.
CostTables worldCostTables()
{
    return fromRows({
        {1, 1, 40, 80, 40},
        {100, 100, 40, 0, 40},
        {101, 102, 80, 0, 40},
        {103, 104, 0, 20, 40},
        {105, 105, 80, 0, 40},
        {106, 106, 40, 80, 40},
        {107, 107, 40, 0, 40},
        {110, 120, 20, 0, 20},
        {121, 122, 20, 80, 20},
        {132, 132, 80, 0, 40},
        {145, 147, 80, 0, 40},
    });
}

CostTables cityCostTables()
{
    return fromRows({
        {1, 1, 2, 4, 2},
        {100, 100, 2, 0, 2},
        {101, 102, 4, 0, 2},
        {103, 104, 0, 1, 2},
        {105, 105, 4, 0, 2},
        {106, 106, 2, 4, 2},
        {107, 107, 2, 0, 2},
        {110, 120, 1, 0, 1},
        {121, 122, 1, 4, 1},
        {132, 132, 4, 0, 2},
        {145, 147, 4, 0, 2},
    });
}

CostTables defaultCostTables(int32_t mapType)
{
    return mapType == 1 ? worldCostTables() : cityCostTables();
}
