#include "artgen/title_art.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "artgen/noise.h"

namespace dv::art {

namespace {

constexpr double kGround = 430;
constexpr double kGateLeft = 284;
constexpr double kGateRight = 356;
constexpr double kGateSpring = 372;  // where the gate's arch begins
constexpr double kPortcullisBottom = 366;
constexpr std::array<double, 2> kTorchX = {266, 374};
constexpr double kTorchY = 388;

struct Block {
    double left;
    double right;
    double top;
    bool battlements;
};

// The castle front from back to front: curtain wall, end towers, gatehouse,
// the two gate towers (their roofs are drawn separately).
constexpr std::array<Block, 6> kBlocks = {{
    {70, 570, 322, true},
    {48, 116, 284, true},
    {524, 592, 284, true},
    {262, 378, 276, true},
    {194, 262, 232, false},
    {378, 446, 232, false},
}};

enum class Material { Sky, Hill, Wall, Roof, Window, Gate, Iron, Banner, Ground, Path };

struct Hit {
    Material material = Material::Sky;
    double shade = 1;  // roundness of towers, 1 = facing the moon
};

bool Merlon(double x, double left) {
    return std::fmod(x - left, 22.0) < 13.0;
}

bool InGateOpening(double x, double y) {
    if (x < kGateLeft || x > kGateRight || y > kGround) return false;
    if (y >= kGateSpring) return true;
    const double r = (kGateRight - kGateLeft) / 2;
    return std::hypot(x - (kGateLeft + r), y - kGateSpring) < r;
}

bool InWindow(double x, double y, double cx, double top) {
    const double halfWidth = 4;
    if (std::abs(x - cx) > halfWidth || y > top + 20) return false;
    if (y >= top + halfWidth) return true;
    return std::hypot(x - cx, y - (top + halfWidth)) < halfWidth;
}

bool InRoof(double x, double y, const Block& tower) {
    const double centre = (tower.left + tower.right) / 2;
    const double halfBase = (tower.right - tower.left) / 2 + 7;
    const double apex = tower.top - 74;
    if (y < apex || y > tower.top + 4) return false;
    return std::abs(x - centre) <= halfBase * (y - apex) / (tower.top + 4 - apex);
}

// A pennant on a short pole above each gate tower's roof.
Material PennantAt(double x, double y, const Block& tower) {
    const double pole = (tower.left + tower.right) / 2;
    const double apex = tower.top - 74;
    if (std::abs(x - pole) < 0.9 && y > apex - 22 && y <= apex) return Material::Iron;
    const double along = x - pole;
    if (along < 0.9 || along > 18) return Material::Sky;
    const double wave = 1.5 * std::sin(along / 4.0);
    const double top = apex - 22 + wave;
    const double height = 8 * (1 - along / 20);
    return y >= top && y <= top + height ? Material::Banner : Material::Sky;
}

double Hills(double x) {
    return 330 - 70 * Fbm(x / 150.0, 0.5, 77, 4) - 25 * std::sin(x / 140.0);
}

Hit Classify(double x, double y) {
    if (y >= kGround) {
        const double t = (y - kGround) / (480 - kGround);
        const double halfPath = 36 + t * 90;
        return {std::abs(x - 320) < halfPath ? Material::Path : Material::Ground, 1};
    }
    for (std::size_t i = kBlocks.size(); i-- > 0;) {
        const Block& b = kBlocks[i];
        const bool tower = i >= 4;
        if (tower && PennantAt(x, y, b) != Material::Sky) return {PennantAt(x, y, b), 1};
        if (tower && InRoof(x, y, b)) {
            const double across = (x - (b.left + b.right) / 2) / ((b.right - b.left) / 2 + 7);
            return {Material::Roof, 0.55 + 0.45 * (1 - (across + 1) / 2)};
        }
        if (x < b.left || x > b.right) continue;
        const bool inside =
            y >= b.top + 10 || (y >= b.top && (!b.battlements || Merlon(x, b.left)));
        if (!inside) continue;
        const double across = (x - b.left) / (b.right - b.left);
        Hit hit{Material::Wall, tower || (i == 1 || i == 2) ? 0.55 + 0.45 * (1 - across) : 0.85};
        if (i == 3 && InGateOpening(x, y)) {
            const bool bar = std::fmod(x - kGateLeft, 9.0) < 2.5 || std::fmod(y - 300, 12.0) < 2.0;
            const bool tooth =
                std::fmod(x - kGateLeft, 9.0) < 2.5 && y < kPortcullisBottom + 5 &&
                std::abs(std::fmod(x - kGateLeft, 9.0) - 1.25) < (kPortcullisBottom + 5 - y) * 0.4;
            if (y < kPortcullisBottom ? bar : tooth)
                hit.material = Material::Iron;
            else
                hit.material = Material::Gate;
        }
        if (tower && InWindow(x, y, (b.left + b.right) / 2, 262)) hit.material = Material::Window;
        if (i == 3 && (InWindow(x, y, 300, 294) || InWindow(x, y, 340, 294)))
            hit.material = Material::Window;
        if ((i == 1 || i == 2) && InWindow(x, y, (b.left + b.right) / 2, 310))
            hit.material = Material::Window;
        return hit;
    }
    if (y > Hills(x)) return {Material::Hill, 1};
    return {};
}

Rgb Sky(double x, double y) {
    const double t = Clamp01(y / 340);
    Rgb sky = Mix(Rgb{3, 5, 14}, Rgb{40, 30, 56}, t * t);
    // Thin clouds lit from the moons.
    const double cloud = SmoothStep(0.5, 0.8, Fbm(x / 160.0, y / 38.0, 31, 5));
    sky = Mix(sky, Rgb{62, 60, 86}, cloud * 0.45 * (1 - t * 0.5));
    const int cx = static_cast<int>(x / 3);
    const int cy = static_cast<int>(y / 3);
    const double chance = Random01(cx, cy, 57);
    if (chance > 0.985 - 0.01 * (1 - t) && cloud < 0.3) {
        const double d = std::hypot(x - (cx * 3 + 1.5), y - (cy * 3 + 1.5));
        const double bright = Random01(cx, cy, 58);
        if (d < 0.5 + bright)
            sky = sky + Rgb{150, 150, 170} * (bright * (1 - t) * (1 - d / (0.5 + bright)));
    }
    return sky;
}

Rgb MoonDisc(double x, double y, double cx, double cy, double radius, Rgb light, double phase,
             Rgb behind) {
    const double d = std::hypot(x - cx, y - cy) / radius;
    if (d > 1) {
        const double glow = std::exp(-(d - 1) * 3.0) * 0.3;
        return Mix(behind, light, glow);
    }
    const double nx = (x - cx) / radius;
    const double nz = std::sqrt(std::max(0.0, 1 - d * d));
    const double lit = SmoothStep(-0.05, 0.1, nx * std::sin(phase) - nz * std::cos(phase));
    const double albedo = 0.86 - 0.16 * SmoothStep(0.45, 0.7, Fbm(x / 12.0, y / 12.0, 11, 3));
    return Mix(Rgb{22, 24, 40}, light * (albedo * (0.75 + 0.25 * nz)), lit);
}

Rgb StoneBlocks(double x, double y, double blockWidth, double blockHeight) {
    const int row = static_cast<int>(std::floor(y / blockHeight));
    const double shifted = x + (row % 2) * blockWidth / 2;
    const int col = static_cast<int>(std::floor(shifted / blockWidth));
    const double bx = shifted - col * blockWidth;
    const double by = y - row * blockHeight;
    const double grain = Fbm(x / 3.0, y / 3.0, 91, 3) - 0.5;
    if (bx < 1.1 || by < 1.1) return Rgb{26, 25, 30} + Rgb{1, 1, 1} * (grain * 10);
    Rgb stone = Rgb{78, 76, 84} * (0.8 + 0.35 * Random01(col, row, 92));
    if (by < 2.2) stone = stone * 1.15;  // upper edge catches the light
    return stone + Rgb{1, 1, 1} * (grain * 28);
}

// Warm light of the gate torches and of the stair glow below the gate.
double TorchLight(double x, double y) {
    double light = 0;
    for (const double tx : kTorchX) {
        const double d = std::hypot(x - tx, (y - (kTorchY - 10)) * 1.2);
        light += 1.6 * std::exp(-d / 52.0);
    }
    return light;
}

Rgb Flame(double x, double y, double tx, Rgb behind) {
    const double fy = kTorchY - 12;
    const double flicker = ValueNoise(x / 2.0, y / 3.0, 45) * 0.3;
    const double h = (y - fy) / 11.0;  // -1 at the tip, +1 at the base
    if (h < -1 || h > 1) return behind;
    const double width = 4.5 * std::sqrt(std::max(0.0, (1 + h) / 2)) * (1 - 0.3 * std::max(0.0, h));
    const double d = std::abs(x - tx) / std::max(width, 0.1) + flicker;
    if (d > 1) return behind;
    const Rgb core{255, 244, 196};
    const Rgb outer{250, 130, 40};
    return Mix(core, outer, SmoothStep(0.2, 0.95, d + (1 - (h + 1) / 2) * 0.35));
}

bool InBracket(double x, double y, double tx) {
    return std::abs(x - tx) < 2.5 && y > kTorchY - 3 && y < kTorchY + 14;
}

Rgb Shade(const Hit& hit, double x, double y) {
    const Rgb moon{0.55, 0.6, 0.78};
    const Rgb torch{1.0, 0.62, 0.3};
    const double warm = TorchLight(x, y);
    switch (hit.material) {
        case Material::Sky: {
            Rgb sky = Sky(x, y);
            sky = MoonDisc(x, y, 118, 92, 30, Rgb{228, 232, 244}, 2.4, sky);
            return MoonDisc(x, y, 536, 148, 15, Rgb{246, 190, 142}, 1.2, sky);
        }
        case Material::Hill: {
            const double n = Fbm(x / 40.0, y / 20.0, 13, 4);
            return Rgb{18, 17, 30} * (0.8 + 0.4 * n);
        }
        case Material::Wall: {
            const Rgb stone = StoneBlocks(x, y, 20, 10);
            return stone * moon * (0.55 * hit.shade) + stone * torch * warm;
        }
        case Material::Roof: {
            const double slate = std::fmod(y, 6.0) < 1.0 ? 0.55 : 1.0;
            const Rgb roof = Rgb{56, 44, 58} * (slate * (0.8 + 0.4 * Fbm(x / 4.0, y / 2.0, 61, 3)));
            return roof * moon * (1.1 * hit.shade) + roof * torch * (warm * 0.5);
        }
        case Material::Window:
            return Rgb{255, 176, 84} * (0.75 + 0.25 * Fbm(x / 3.0, y / 3.0, 5, 2));
        case Material::Gate: {
            // The stair down into the dark, lit faintly from far below.
            const double depth = Clamp01((y - 336) / (kGround - 336));
            Rgb dark = Rgb{10, 7, 8} + Rgb{120, 52, 20} * (depth * depth * 0.55);
            if (y > 396 && std::fmod(y - 396, 7.0) < 1.2) dark = dark * 1.8;
            return dark;
        }
        case Material::Banner: {
            const double fold = 0.75 + 0.25 * std::sin(x / 4.0 + 1.0);
            return Rgb{150, 26, 30} * moon * fold;
        }
        case Material::Iron:
            return Rgb{46, 44, 48} * moon + Rgb{90, 70, 60} * torch * (warm * 0.8);
        case Material::Ground: {
            const double n = Fbm(x / 14.0, y / 5.0, 71, 4);
            const Rgb earth = Rgb{30, 32, 26} * (0.6 + 0.8 * n);
            return earth * moon * 0.6 + earth * torch * warm;
        }
        case Material::Path: {
            const Rgb cobble = StoneBlocks(x * 0.8 + 7, (y - kGround) * 1.6, 14, 9) * 0.75;
            return cobble * moon * 0.5 + cobble * torch * warm;
        }
    }
    return {};
}

Rgb TitleSample(double x, double y) {
    Rgb colour = Shade(Classify(x, y), x, y);
    for (const double tx : kTorchX) {
        if (InBracket(x, y, tx)) colour = Rgb{24, 20, 18};
        colour = Flame(x, y, tx, colour);
        const double d = std::hypot(x - tx, y - (kTorchY - 12));
        colour = colour + Rgb{255, 150, 60} * (0.35 * std::exp(-d / 16.0));
    }
    // Ground mist, and a darker band under the gate for the version lines.
    const double mist = SmoothStep(360, 430, y) * SmoothStep(480, 430, y) *
                        SmoothStep(0.35, 0.8, Fbm(x / 90.0, y / 14.0, 23, 4));
    colour = Mix(colour, Rgb{70, 70, 96}, mist * 0.5);
    const double nx = x / kTitleWidth - 0.5;
    const double ny = y / kTitleHeight - 0.5;
    const double vignette = 1 - 0.9 * (nx * nx + ny * ny);
    const double bottom = 1 - 0.45 * SmoothStep(444, 480, y);
    return colour * (vignette * bottom);
}

}  // namespace

Image RenderTitle() {
    constexpr int kSamples = 2;
    Image out(kTitleWidth, kTitleHeight);
    for (int y = 0; y < kTitleHeight; ++y) {
        for (int x = 0; x < kTitleWidth; ++x) {
            Rgb sum;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    sum = sum + TitleSample(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples);
                }
            }
            out.At(x, y) = sum * (1.0 / (kSamples * kSamples));
        }
    }
    return out;
}

}  // namespace dv::art
