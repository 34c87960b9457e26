#include "artgen/noise.h"

#include <cmath>

namespace dv::art {

namespace {

std::uint32_t Scramble(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

int Wrap(int value, int period) {
    if (period <= 0) return value;
    const int r = value % period;
    return r < 0 ? r + period : r;
}

double Fade(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

}  // namespace

std::uint32_t Hash(int x, int y, std::uint32_t seed) {
    const std::uint32_t hx = Scramble(static_cast<std::uint32_t>(x) * 0x9E3779B1U + seed);
    return Scramble(hx ^ (static_cast<std::uint32_t>(y) * 0x85EBCA77U + 0x27d4eb2fU));
}

double Random01(int x, int y, std::uint32_t seed) {
    return static_cast<double>(Hash(x, y, seed)) / 4294967296.0;
}

double ValueNoise(double x, double y, std::uint32_t seed, int periodX, int periodY) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const double tx = Fade(x - fx);
    const double ty = Fade(y - fy);
    const int xa = Wrap(x0, periodX);
    const int xb = Wrap(x0 + 1, periodX);
    const int ya = Wrap(y0, periodY);
    const int yb = Wrap(y0 + 1, periodY);
    const double a = Random01(xa, ya, seed);
    const double b = Random01(xb, ya, seed);
    const double c = Random01(xa, yb, seed);
    const double d = Random01(xb, yb, seed);
    const double top = a + (b - a) * tx;
    const double bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double Fbm(double x, double y, std::uint32_t seed, int octaves, int periodX, int periodY) {
    double sum = 0;
    double weight = 0.5;
    double total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += ValueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 1013U, periodX, periodY) *
               weight;
        total += weight;
        x *= 2;
        y *= 2;
        periodX *= 2;
        periodY *= 2;
        weight *= 0.5;
    }
    return sum / total;
}

}  // namespace dv::art
