#pragma once
// Small maps drawn as text, one character per cell and "/" between rows.
#include <cstdint>
#include <string>
#include <vector>

#include "map/CarteVarenthe.h"

namespace routetest {

// p port . grass ~ sea r river ^ mountains s sand = road H building, X Z no table entry, N negative, 0 empty.
inline int32_t codeOf(char c)
{
    static const std::string keys = "p.~r^s=HXZN0";
    static const int32_t codes[] = {1, 100, 103, 104, 105, 106, 110, 200, 5000, 256, -7, 0};
    const size_t at = keys.find(c);
    return at == std::string::npos ? 100 : codes[at];
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
