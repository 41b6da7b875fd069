#pragma once
// Small maps drawn as text for the route tests, one character per cell and
// "/" between rows.
#include <cstdint>
#include <string>
#include <vector>

#include "map/CarteVarenthe.h"

namespace routetest {

inline int32_t codeOf(char c)
{
    switch (c) {
    case 'p': return 1;    // port
    case '.': return 100;  // grass
    case '~': return 103;  // deep water
    case 'r': return 104;  // river
    case '^': return 105;  // mountains
    case 's': return 106;  // sand
    case '=': return 110;  // road
    case 'H': return 200;  // a building code of 128 and above
    case 'X': return 5000; // codes without a table entry count as buildings
    case 'Z': return 256;
    case 'N': return -7;
    case '0': return 0;    // empty
    default: return 100;
    }
}

// A map of the given type drawn row by row, without provinces.
inline CarteVarenthe drawnMap(const std::string &drawing, int32_t mapType = 1)
{
    std::vector<std::string> rows(1);
    for (const char c : drawing)
        if (c == '/')
            rows.emplace_back();
        else
            rows.back().push_back(c);
    CarteVarenthe map;
    map.create(static_cast<int32_t>(rows.front().size()), static_cast<int32_t>(rows.size()), 0, 0, mapType, 100);
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            map.terrain.at(static_cast<int32_t>(x), static_cast<int32_t>(y)) = codeOf(rows[y][x]);
    return map;
}

// Route options written as letters: 'w' wings, 'e' embark, 'a' abandon.
inline void setOptions(CarteVarenthe &map, const std::string &options)
{
    map.useWingsGift = options.find('w') != std::string::npos;
    map.allowEmbark = options.find('e') != std::string::npos;
    map.allowAbandon = options.find('a') != std::string::npos;
}

} // namespace routetest
