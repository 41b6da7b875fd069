#pragma once
// One thing placed on a map cell: a city or a zone marker. Erased elements
// stay in the document's list as records of kind 0, so that element positions
// (and the cells that name them) never shift.
#include <cstdint>
#include <string>

enum ElementKind : int32_t {
    ElementNone = 0,
    ElementCity = 1,
    ElementZone = 2,
};

struct Element {
    int32_t kind = ElementNone;
    std::string name; // UTF-8 in the program, Windows-1252 in map files
    int32_t x = 0;
    int32_t y = 0;
    int32_t number = 0; // a city's number in the game, or a zone's palette code
};
