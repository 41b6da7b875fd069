#pragma once
// Movement costs in minutes to enter a cell of each terrain code, one table
// per way of travelling; 0 means the cell cannot be entered that way. The
// tables belong to the map document and are stored in its file.
#include <array>
#include <cstdint>

using CostTable = std::array<int32_t, 256>;

struct CostTables {
    CostTable footCost{};
    CostTable boatCost{};
    CostTable wingsCost{};

    bool operator==(const CostTables &) const = default;
};

// The tables a new map starts with: the world set for world maps
// (mapType 1), the city set for every other map.
CostTables defaultCostTables(int32_t mapType);
CostTables worldCostTables();
CostTables cityCostTables();
