#include "artgen/moons.h"

#include <cmath>

#include "artgen/noise.h"

namespace dv::art {

namespace {

constexpr int kScale = 4;  // drawn at four times the size, then averaged down
constexpr double kPi = 3.14159265358979;
constexpr double kRadius = 11.0;

struct MoonLook {
    Rgb light;
    std::uint32_t seed;
};

MoonLook LookOf(Moon moon) {
    if (moon == Moon::Luna) return {Rgb{226, 232, 244}, 41};
    return {Rgb{248, 196, 150}, 97};
}

Rgb Sky(double x, double y) {
    const double t = y / kMoonFrame;
    Rgb sky = Mix(Rgb{6, 8, 20}, Rgb{16, 18, 36}, t);
    // A few fixed stars, the same in every frame.
    const int cx = static_cast<int>(x / 4);
    const int cy = static_cast<int>(y / 4);
    if (Random01(cx, cy, 7) > 0.93) {
        const double sx = cx * 4 + 1 + Random01(cx, cy, 8) * 2;
        const double sy = cy * 4 + 1 + Random01(cx, cy, 9) * 2;
        const double d = std::hypot(x - sx, y - sy);
        if (d < 0.6) sky = sky + Rgb{90, 90, 110} * Random01(cx, cy, 10);
    }
    return sky;
}

// Albedo of the moon's face: dark plains and a few bright-rimmed craters.
double Surface(double nx, double ny, std::uint32_t seed) {
    double albedo = 0.92 - 0.32 * SmoothStep(0.5, 0.66, Fbm(nx * 2.1 + 5, ny * 2.1 + 5, seed, 4));
    for (int i = 0; i < 7; ++i) {
        const double cx = Random01(i, 0, seed) * 1.4 - 0.7;
        const double cy = Random01(i, 1, seed) * 1.4 - 0.7;
        const double r = 0.08 + Random01(i, 2, seed) * 0.12;
        const double d = std::hypot(nx - cx, ny - cy) / r;
        if (d < 0.8)
            albedo *= 0.82;
        else if (d < 1.0)
            albedo *= 1.12;
    }
    return albedo;
}

Rgb MoonPixel(double x, double y, int frame, const MoonLook& look) {
    const double centre = kMoonFrame / 2.0;
    const double nx = (x - centre) / kRadius;
    const double ny = (y - centre) / kRadius;
    const double r2 = nx * nx + ny * ny;
    const double angle = 2 * kPi * frame / kMoonFrames;
    const double lit = (1 - std::cos(angle)) / 2;  // share of the face in light
    if (r2 > 1) {
        const double glow = std::exp(-(std::sqrt(r2) - 1) * kRadius / 2.5) * 0.35 * lit;
        return Mix(Sky(x, y), look.light, glow);
    }
    const double nz = std::sqrt(1 - r2);
    // The sun circles the moon: behind it at new moon, in front at full.
    const double sunX = std::sin(angle);
    const double sunZ = -std::cos(angle);
    const double light = SmoothStep(-0.08, 0.12, nx * sunX + nz * sunZ);
    const double albedo = Surface(nx, ny, look.seed) * (0.72 + 0.28 * nz);
    const Rgb day = look.light * albedo;
    const Rgb night = Rgb{30, 34, 52} + look.light * (albedo * 0.06);
    return Mix(night, day, light);
}

}  // namespace

int MoonFrameX(int frame) {
    return frame < 9 ? kMoonFrame * frame : kMoonFrame * frame - 256;
}
int MoonFrameY(int frame) {
    return frame < 9 ? 0 : kMoonFrame;
}

Image RenderMoonStrip(Moon moon) {
    const MoonLook look = LookOf(moon);
    Image big(kMoonStripWidth * kScale, kMoonStripHeight * kScale);
    for (int frame = 0; frame < kMoonFrames; ++frame) {
        const int ox = MoonFrameX(frame) * kScale;
        const int oy = MoonFrameY(frame) * kScale;
        for (int y = 0; y < kMoonFrame * kScale; ++y) {
            for (int x = 0; x < kMoonFrame * kScale; ++x) {
                big.At(ox + x, oy + y) =
                    MoonPixel((x + 0.5) / kScale, (y + 0.5) / kScale, frame, look);
            }
        }
    }
    Image strip = big.Reduced(kScale);
    // A thin bevelled rim in the colours of the window frames.
    for (int frame = 0; frame < kMoonFrames; ++frame) {
        const int ox = MoonFrameX(frame);
        const int oy = MoonFrameY(frame);
        for (int i = 0; i < kMoonFrame; ++i) {
            strip.At(ox + i, oy) = Rgb{96, 110, 136};
            strip.At(ox, oy + i) = Rgb{96, 110, 136};
            strip.At(ox + i, oy + kMoonFrame - 1) = Rgb{28, 32, 44};
            strip.At(ox + kMoonFrame - 1, oy + i) = Rgb{28, 32, 44};
        }
    }
    return strip;
}

}  // namespace dv::art
