#include "artgen/surfaces.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "artgen/noise.h"

namespace dv::art {

namespace {

constexpr int kCourses = 5;
constexpr int kBlocksPerCourse = 3;
constexpr std::uint32_t kStoneSeed = 1201;

double Frac(double x) {
    return x - std::floor(x);
}

int WrapIndex(int value, int period) {
    const int r = value % period;
    return r < 0 ? r + period : r;
}

// Raised-edge lighting of a block: light comes from above and slightly left.
double BevelLight(double left, double right, double top, double bottom, double width) {
    auto ramp = [width](double d) { return d < width ? 1.0 - d / width : 0.0; };
    return 38 * ramp(top) - 46 * ramp(bottom) + 14 * ramp(left) - 22 * ramp(right);
}

Rgb StoneTone(int course, int column) {
    static constexpr std::array<Rgb, 4> tones = {Rgb{112, 107, 100}, Rgb{100, 100, 102},
                                                 Rgb{118, 109, 96}, Rgb{92, 90, 89}};
    const std::uint32_t h = Hash(column, course, kStoneSeed);
    const Rgb tone = tones[h % tones.size()];
    return tone * (0.86 + 0.24 * Random01(column, course, kStoneSeed + 1));
}

}  // namespace

Rgb StoneWall(double u, double v) {
    u = Frac(u);
    v = std::clamp(v, 0.0, 0.99999);
    const int course = static_cast<int>(v * kCourses);
    const double shift = 0.5 * (course % 2) + (Random01(course, 3, kStoneSeed) - 0.5) * 0.3;
    const double along = u * kBlocksPerCourse + shift;
    const int column = WrapIndex(static_cast<int>(std::floor(along)), kBlocksPerCourse);
    const double bx = Frac(along);
    const double by = v * kCourses - course;

    // Distances to the block's edges, in face units.
    const double left = bx / kBlocksPerCourse;
    const double right = (1 - bx) / kBlocksPerCourse;
    const double top = by / kCourses;
    const double bottom = (1 - by) / kCourses;
    const double edge = std::min({left, right, top, bottom});

    const double wobble = ValueNoise(u * 40, v * 40, kStoneSeed + 7, 40);
    const double mortar = 0.006 + 0.006 * wobble;
    const double grain = Fbm(u * 28, v * 28, kStoneSeed + 11, 4, 28) - 0.5;
    if (edge < mortar) {
        const double depth = 1 - edge / mortar;  // recessed in the middle of the joint
        return Rgb{66, 61, 54} * (0.75 + 0.25 * (1 - depth)) + Rgb{1, 1, 1} * (grain * 30);
    }

    Rgb stone = StoneTone(course, column);
    const double blotch = Fbm(u * 5, v * 5, kStoneSeed + 13, 3, 5);
    stone = stone * (0.82 + 0.36 * blotch);
    stone = stone + Rgb{1, 1, 1} * (grain * 46);
    const double pits = ValueNoise(u * 110, v * 110, kStoneSeed + 17, 110);
    if (pits > 0.84) stone = stone * (1 - (pits - 0.84) * 2.0);
    stone = stone + Rgb{1, 1, 1} * BevelLight(left, right, top, bottom, 0.022 + 0.01 * wobble);

    // Damp creeping up from the floor, a little green.
    const double damp =
        SmoothStep(0.55, 1.0, v) * SmoothStep(0.35, 0.75, Fbm(u * 7, v * 3, kStoneSeed + 19, 3, 7));
    stone = Mix(stone, stone * Rgb{0.62, 0.72, 0.58}, damp);
    return stone;
}

namespace {

constexpr double kDoorCentre = 0.5;
constexpr double kDoorHalfWidth = 0.19;
constexpr double kArchSpring = 0.44;  // where the arch starts on the jambs
constexpr double kSurround = 0.07;    // width of the dressed stones around the opening
constexpr std::uint32_t kDoorSeed = 3307;

// Distance outside the door opening (negative inside), in face units.
double OpeningDistance(double u, double v) {
    const double dx = u - kDoorCentre;
    if (v >= kArchSpring) {
        return std::max(std::abs(dx) - kDoorHalfWidth, -(1.0 - v) - 1.0);
    }
    const double dy = v - kArchSpring;
    return std::sqrt(dx * dx + dy * dy) - kDoorHalfWidth;
}

Rgb DressedStone(double u, double v, double outside) {
    const double dx = u - kDoorCentre;
    int stoneIndex = 0;
    double seamDistance = 1;
    if (v < kArchSpring) {
        // Voussoirs: wedge stones around the arch.
        const double angle = std::atan2(kArchSpring - v, dx);  // 0..pi
        const double step = 3.14159265358979 / 7;
        const double a = angle / step;
        stoneIndex = static_cast<int>(a);
        const double radius = kDoorHalfWidth + outside;
        seamDistance = std::min(a - std::floor(a), std::ceil(a) - a) * step * radius;
    } else {
        const double course = (v - kArchSpring) / 0.14;
        stoneIndex = 10 + static_cast<int>(course) * 2 + (dx > 0 ? 1 : 0);
        seamDistance = std::min(course - std::floor(course), std::ceil(course) - course) * 0.14;
    }
    const double ringEdge = std::min(outside, kSurround - outside);
    const double edge = std::min(seamDistance, ringEdge);
    const double grain = Fbm(u * 30, v * 30, kDoorSeed + 1, 4) - 0.5;
    if (edge < 0.006) return Rgb{62, 57, 50} + Rgb{1, 1, 1} * (grain * 25);
    Rgb stone = Rgb{142, 132, 114} * (0.9 + 0.18 * Random01(stoneIndex, 1, kDoorSeed));
    stone = stone + Rgb{1, 1, 1} * (grain * 40);
    if (edge < 0.02) stone = stone + Rgb{1, 1, 1} * ((0.02 - edge) / 0.02 * 18);
    return stone;
}

Rgb DoorLeaf(double u, double v, double inside) {
    constexpr int kPlanks = 5;
    const double across = (u - (kDoorCentre - kDoorHalfWidth)) / (2 * kDoorHalfWidth);
    const double plankPos = std::clamp(across, 0.0, 0.9999) * kPlanks;
    const int plank = static_cast<int>(plankPos);
    const double inPlank = plankPos - plank;
    const double grain = Fbm(u * 90 + plank * 7.0, v * 7, kDoorSeed + 5, 4);
    const double knots = ValueNoise(u * 60, v * 22, kDoorSeed + 9);
    Rgb wood = Rgb{112, 70, 38} * (0.85 + 0.25 * Random01(plank, 2, kDoorSeed));
    wood = wood * (0.72 + 0.5 * grain);
    if (knots > 0.82) wood = wood * 0.75;
    // Gaps between planks.
    const double gap = std::min(inPlank, 1 - inPlank) * (2 * kDoorHalfWidth / kPlanks);
    if (gap < 0.004)
        wood = wood * 0.35;
    else if (gap < 0.01)
        wood = wood * (0.8 + 0.2 * (gap - 0.004) / 0.006);

    // Iron bands with rivets.
    for (const double bandTop : {0.52, 0.86}) {
        const double bandBottom = bandTop + 0.045;
        if (v >= bandTop && v <= bandBottom) {
            const double t = (v - bandTop) / (bandBottom - bandTop);
            Rgb iron = Rgb{70, 70, 76} * (0.85 + 0.3 * Fbm(u * 80, v * 80, kDoorSeed + 21, 3));
            if (t < 0.2) iron = iron + Rgb{40, 40, 44};
            if (t > 0.8) iron = iron * 0.55;
            const double rivetX =
                (plank + 0.5) / kPlanks * 2 * kDoorHalfWidth + (kDoorCentre - kDoorHalfWidth);
            const double rx = u - rivetX;
            const double ry = v - (bandTop + bandBottom) / 2;
            const double r = std::sqrt(rx * rx + ry * ry);
            if (r < 0.011)
                iron = Rgb{120, 118, 116} * (1.1 - r / 0.011 * 0.6) +
                       Rgb{-20, -20, -20} * (ry > 0 ? 1 : 0);
            return iron;
        }
        // The band's shadow on the wood below it.
        if (v > bandBottom && v < bandBottom + 0.012) wood = wood * 0.6;
    }

    // A ring pull on an iron plate.
    const double hx = u - 0.61;
    const double hy = v - 0.70;
    const double plate = std::max(std::abs(hx), std::abs(hy + 0.028));
    const double ring = std::abs(std::sqrt(hx * hx + hy * hy) - 0.03);
    if (ring < 0.006) return Rgb{150, 140, 120} * (1.0 - ring / 0.006 * 0.5);
    if (plate < 0.02) return Rgb{74, 72, 74} * (plate > 0.016 ? 0.6 : 1.0);
    if (ring < 0.011 && hy > 0) wood = wood * 0.5;  // the ring's shadow

    // The leaf sits back in the opening: shadow along its edge.
    wood = wood * (0.45 + 0.55 * SmoothStep(0.0, 0.04, inside));
    return wood;
}

}  // namespace

Rgb DoorWall(double u, double v) {
    u = Frac(u);
    const double d = OpeningDistance(u, v);
    if (d < 0) return DoorLeaf(u, v, -d);
    if (d < kSurround) return DressedStone(u, v, d);
    Rgb wall = StoneWall(u, v);
    // The surround casts a faint shadow onto the wall beside it.
    if (d < kSurround + 0.015) wall = wall * 0.8;
    return wall;
}

Rgb FloorStone(double s, double t) {
    constexpr std::uint32_t seed = 5101;
    constexpr double kAcross = 3;
    constexpr double kAlong = 2;
    const double ft = Frac(t) * kAlong;
    const int row = static_cast<int>(ft);
    const double fs = Frac(s) * kAcross + (row % 2) * 0.5;
    const int col = WrapIndex(static_cast<int>(std::floor(fs)), 3);
    const double bx = fs - std::floor(fs);
    const double by = ft - row;
    const double edge =
        std::min({bx / kAcross, (1 - bx) / kAcross, by / kAlong, (1 - by) / kAlong});
    const double grain = Fbm(s * 14, t * 14, seed + 1, 4) - 0.5;
    if (edge < 0.008) return Rgb{40, 37, 33} + Rgb{1, 1, 1} * (grain * 20);
    Rgb stone = Rgb{92, 88, 82} * (0.8 + 0.3 * Random01(col, row, seed));
    stone = stone * (0.8 + 0.4 * Fbm(s * 3, t * 3, seed + 3, 3));
    stone = stone + Rgb{1, 1, 1} * (grain * 36);
    if (edge < 0.02) stone = stone * (0.8 + 0.2 * edge / 0.02);  // worn, rounded edges
    return stone;
}

Rgb CeilingStone(double s, double t) {
    constexpr std::uint32_t seed = 6203;
    const double fs = Frac(s) * 3 + (static_cast<int>(Frac(t) * 2) % 2) * 0.5;
    const double ft = Frac(t) * 2;
    const int col = static_cast<int>(std::floor(fs));
    const int row = static_cast<int>(ft);
    const double bx = fs - std::floor(fs);
    const double by = ft - row;
    const double edge = std::min({bx / 3, (1 - bx) / 3, by / 2, (1 - by) / 2});
    const double grain = Fbm(s * 16, t * 16, seed + 1, 4) - 0.5;
    if (edge < 0.01) return Rgb{30, 28, 26} + Rgb{1, 1, 1} * (grain * 14);
    Rgb stone = Rgb{78, 74, 70} * (0.8 + 0.3 * Random01(col, row, seed));
    stone = stone + Rgb{1, 1, 1} * (grain * 30);
    // Cell boundaries carry a rib, so the ceiling reads as a vaulted corridor.
    const double rib = std::min(Frac(t), 1 - Frac(t));
    if (rib < 0.05)
        stone = Rgb{60, 55, 50} * (0.7 + 0.6 * (rib / 0.05)) + Rgb{1, 1, 1} * (grain * 20);
    return stone;
}

Rgb Lit(Rgb albedo, double depth, double facing) {
    const double falloff = 1.0 / (1.0 + 0.7 * (depth - 1.0));
    const double fade = 1.0 - 0.55 * SmoothStep(6.0, 24.0, depth);
    const double warmth = Clamp01(std::log2(std::max(depth, 1.0)) / 4.0);
    const Rgb tint = Mix(Rgb{1.18, 1.02, 0.80}, Rgb{0.78, 0.84, 1.0}, warmth);
    return albedo * tint * (1.15 * falloff * fade * facing);
}

double CornerShade(double v) {
    return 0.45 + 0.55 * SmoothStep(0.0, 0.08, v) * SmoothStep(1.0, 0.9, v);
}

}  // namespace dv::art
