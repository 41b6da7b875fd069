#include "WorldNoise.h"

#include "TileArt.h"

#include <cmath>

double WorldNoise::lattice(int64_t x, int64_t y) const
{
    return artUnit(seed_, static_cast<uint32_t>(x), static_cast<uint32_t>(y));
}

double WorldNoise::value(double x, double y) const
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const auto ix = static_cast<int64_t>(fx);
    const auto iy = static_cast<int64_t>(fy);
    auto smooth = [](double t) { return t * t * (3 - 2 * t); };
    const double tx = smooth(x - fx);
    const double ty = smooth(y - fy);
    const double top = lattice(ix, iy) + (lattice(ix + 1, iy) - lattice(ix, iy)) * tx;
    const double bottom = lattice(ix, iy + 1) + (lattice(ix + 1, iy + 1) - lattice(ix, iy + 1)) * tx;
    return top + (bottom - top) * ty;
}

double WorldNoise::fractal(double x, double y, int octaves) const
{
    double sum = 0;
    double weight = 1;
    double total = 0;
    for (int octave = 0; octave < octaves; ++octave) {
        // Each octave is offset so the lattices of two octaves do not line up.
        sum += weight * value(x + octave * 17.31, y - octave * 9.77);
        total += weight;
        weight *= 0.5;
        x *= 2;
        y *= 2;
    }
    return sum / total;
}
