// Seeded noise: every picture is drawn from integer hashes, so the same
// program writes the same bytes on every run.
#pragma once

#include <cstdint>

namespace dv::art {

std::uint32_t Hash(int x, int y, std::uint32_t seed);
// A uniform value in [0, 1) for the lattice point (x, y).
double Random01(int x, int y, std::uint32_t seed);

// Smooth value noise in [0, 1]. A positive periodX (periodY) repeats the noise
// every so many units along x (y), so a texture can tile.
double ValueNoise(double x, double y, std::uint32_t seed, int periodX = 0, int periodY = 0);
// Sum of octaves of value noise, in [0, 1]; each octave doubles the frequency
// (and the period) and halves the weight.
double Fbm(double x, double y, std::uint32_t seed, int octaves, int periodX = 0, int periodY = 0);

}  // namespace dv::art
