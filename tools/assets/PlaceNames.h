#pragma once
// Invented French-sounding names for the cities and provinces of the sample
// world, all different, in UTF-8 and within what Windows-1252 can store.
#include <cstdint>
#include <set>
#include <string>

class PlaceNames {
public:
    explicit PlaceNames(uint32_t seed) : seed_(seed) {}

    // A city name; `coastal` cities may be called "Port-..." and the like.
    std::string city(bool coastal);
    // A province name, or the name of a sea for a province that is mostly
    // water.
    std::string province(bool sea);

private:
    std::string word();
    std::string unique(std::string candidate);
    uint32_t roll(uint32_t range);

    uint32_t seed_;
    uint32_t draws_ = 0;
    std::set<std::string> used_;
};
