#pragma once
// Smooth deterministic noise for the world generator: value noise on an
// integer lattice, summed over octaves. Built on our own hash so the sample
// world is the same at every build and on every standard library.
#include <cstdint>

class WorldNoise {
public:
    explicit WorldNoise(uint32_t seed) : seed_(seed) {}

    // A value in [0, 1], smooth at the scale of one lattice cell.
    double value(double x, double y) const;
    // Octaves of `value`, each twice as fine and half as strong; in [0, 1].
    double fractal(double x, double y, int octaves) const;

private:
    double lattice(int64_t x, int64_t y) const;

    uint32_t seed_;
};
