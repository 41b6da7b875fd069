#pragma once
// The road network of the sample world: every city is linked to its
// neighbours on the same land by roads found with a shortest-path search over
// the terrain (cheap on plains, dear in forests and hills, dearer through
// mountains, straight across rivers on bridges), and laid with the map's own
// road joining so that every piece fits its neighbours.
#include "WorldSettlements.h"

#include <vector>

class CarteVarenthe;

// Returns the number of road links laid.
int buildRoads(CarteVarenthe &map, const std::vector<CityPlace> &cities);
