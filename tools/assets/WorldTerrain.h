#pragma once
// The land and water of the sample world: a continent with its islands, sand
// coasts, plains, forests, hills, mountain ranges, marshes, a southern desert,
// snow in the north, and rivers running from the heights to the sea.
#include <cstddef>
#include <cstdint>
#include <vector>

class CarteVarenthe;

// The elevation the terrain was drawn from, kept for the rivers and the
// roads; sea level is 0.
struct WorldRelief {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<double> elevation;

    double at(int32_t x, int32_t y) const { return elevation[static_cast<size_t>(y) * width + x]; }
};

// Paints every cell of `map` (already created at its size) with a terrain.
WorldRelief sculptWorldTerrain(CarteVarenthe &map);
// Carves rivers from the heights down to the sea or a lake.
void carveRivers(CarteVarenthe &map, const WorldRelief &relief);
// Scatters ruins, towers, camps, mines, a few volcanoes and the like.
void scatterFeatures(CarteVarenthe &map);
