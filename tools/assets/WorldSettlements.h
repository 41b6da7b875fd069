#pragma once
// The cities, ports and zones of the sample world.
#include <cstdint>
#include <string>
#include <vector>

class CarteVarenthe;
class PlaceNames;

struct CityPlace {
    int32_t x = 0;
    int32_t y = 0;
    int32_t number = 0;
    bool coastal = false;
};

// Chooses `count` city sites spread over the land (on the coast and by the
// rivers first), turns each into a town tile and, on the coast, opens a port
// on the water beside it. Numbers run from 1 in order of importance.
std::vector<CityPlace> foundCities(CarteVarenthe &map, int count);
// Adds the city elements, named, in number order.
void nameCities(CarteVarenthe &map, const std::vector<CityPlace> &cities, PlaceNames &names);
// A few zones of each kind beside some of the cities.
void markZones(CarteVarenthe &map, const std::vector<CityPlace> &cities);
// Reefs off the coasts, away from the ports.
void addReefs(CarteVarenthe &map);
