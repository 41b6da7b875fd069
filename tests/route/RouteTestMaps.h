#pragma once
// Small maps drawn as text for the route tests, one character per cell.
#include <cstdint>
#include <string>
#include <vector>

#include "map/CarteVarenthe.h"

namespace routetest {

inline int32_t codeOf(char c)
{
    switch (c) {
    case 'p': return 1;   // port
    case '.': return 100; // grass
    case '~': return 103; // deep water
    case 'r': return 104; // river
    case '^': return 105; // mountains
    case 's': return 106; // sand
    case '=': return 110; // road
    case 'H': return 200; // a building code of 128 and above
    case '0': return 0;   // empty
    default: return 100;
    }
}

// A map of the given type whose rows are the strings, without provinces
// unless given.
inline CarteVarenthe drawnMap(const std::vector<std::string> &rows, int32_t mapType = 1,
                              int32_t provinceWidth = 0, int32_t provinceHeight = 0)
{
    CarteVarenthe map;
    map.create(static_cast<int32_t>(rows.front().size()), static_cast<int32_t>(rows.size()), provinceWidth,
               provinceHeight, mapType, 100);
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            map.terrain.at(static_cast<int32_t>(x), static_cast<int32_t>(y)) = codeOf(rows[y][x]);
    return map;
}

} // namespace routetest
