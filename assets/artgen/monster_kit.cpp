#include "artgen/monster_kit.h"

#include <cmath>

namespace dv::art::monsters {

void GroundShadow(Figure& f, double cx, double halfWidth, double strength) {
    f.Add(Material(Rgb{0, 0, 0}).Glow(1))
        .Ellipse({cx, kGround}, halfWidth, halfWidth * 0.12 + 2)
        .Soft(5)
        .Opacity(strength)
        .Line(0)
        .NoShadow();
}

void GlowEye(Figure& f, Vec2 centre, double rx, double ry, Rgb colour, double degrees, bool pupil,
             bool slit) {
    f.Add(Material(colour * 1.15)
              .Towards(colour * 0.7, centre - Vec2{0, ry}, centre + Vec2{0, ry})
              .Glow(1))
        .Ellipse(centre, rx, ry, degrees)
        .Halo(std::max(rx, ry) * 0.9, 0.45)
        .Line(0.6)
        .NoShadow();
    if (pupil) {
        const double px = slit ? rx * 0.25 : rx * 0.45;
        f.Add(Material(Rgb{14, 8, 8}).Glow(1))
            .Ellipse(centre + Vec2{rx * 0.1, 0}, px, ry * 0.75, degrees)
            .Line(0)
            .NoShadow();
    }
    f.Add(Material(Rgb{255, 250, 235}).Glow(1))
        .Circle(centre + Vec2{-rx * 0.35, -ry * 0.35}, std::max(0.6, std::min(rx, ry) * 0.28))
        .Line(0)
        .NoShadow();
}

Shape Fang(Vec2 base, Vec2 tip, double width) {
    const Vec2 d = tip - base;
    const double l = Length(d);
    const Vec2 side = Vec2{-d.y, d.x} * (width / 2 / std::max(l, 1e-9));
    return Shape::Polygon({base + side, tip, base - side}, 0.3);
}

Shape Horn(Vec2 base, Vec2 bend, Vec2 tip, double baseRadius) {
    return Shape::Curve({base, bend, tip}, baseRadius, 0.6);
}

void AddFeatherWing(Figure& f, const FeatherWing& wing, const Material& flight,
                    const Material& coverts) {
    constexpr int kFeathers = 16;
    const double armLength = Length(wing.wrist - wing.root);
    const double handLength = Length(wing.tip - wing.wrist);
    // Two parts taking every other feather, so each feather keeps its own edge line.
    Part* rows[2] = {&f.Add(flight), &f.Add(flight)};
    for (int i = 0; i < kFeathers; ++i) {
        const double t = static_cast<double>(i) / (kFeathers - 1);
        const double along = t * (armLength + handLength);
        const Vec2 base = along < armLength
                              ? Lerp(wing.root, wing.wrist, along / armLength)
                              : Lerp(wing.wrist, wing.tip, (along - armLength) / handLength);
        const double turn = SmoothStep(0.45, 1.0, t);
        Vec2 dir = Lerp(wing.hang, wing.fan, turn);
        dir = dir * (1 / std::max(Length(dir), 1e-9));
        const double length = wing.innerLength + (wing.outerLength - wing.innerLength) * t;
        rows[i % 2]->Add(Shape::Curve({base, base + dir * (length * 0.7), base + dir * length},
                                      wing.width * 0.6, wing.width * 0.12));
    }
    rows[0]->Round(4);
    rows[1]->Round(4);
    // Coverts: a band of short feathers over the roots, and the arm itself.
    Part& band = f.Add(coverts);
    for (int i = 0; i < kFeathers - 2; ++i) {
        const double t = static_cast<double>(i) / (kFeathers - 1);
        const double along = t * (armLength + handLength);
        const Vec2 base = along < armLength
                              ? Lerp(wing.root, wing.wrist, along / armLength)
                              : Lerp(wing.wrist, wing.tip, (along - armLength) / handLength);
        const double length = (wing.innerLength + (wing.outerLength - wing.innerLength) * t) * 0.36;
        band.Add(Shape::Tube(base, base + wing.hang * length, wing.width * 0.7, wing.width * 0.5));
    }
    band.Add(Shape::Tube(wing.root, wing.wrist, wing.width * 0.9, wing.width * 0.6))
        .Add(Shape::Tube(wing.wrist, Lerp(wing.wrist, wing.tip, 0.45), wing.width * 0.6,
                         wing.width * 0.4))
        .Blend(4)
        .Round(8);
}

void AddBatWing(Figure& f, const BatWing& wing, const Material& membrane, const Material& bone) {
    std::vector<Vec2> outline = {wing.shoulder, wing.wrist};
    outline.insert(outline.end(), wing.tips.begin(), wing.tips.end());
    outline.push_back(wing.anchor);
    Part& skin = f.Add(membrane);
    skin.Polygon(outline, 1).Round(5);
    // Scallops: a bite out of the membrane between each pair of fingers.
    std::vector<Vec2> edge = wing.tips;
    edge.push_back(wing.anchor);
    for (std::size_t i = 0; i + 1 < edge.size(); ++i) {
        const Vec2 a = edge[i];
        const Vec2 b = edge[i + 1];
        const double l = Length(b - a);
        const Vec2 mid = Lerp(a, b, 0.5);
        Vec2 normal{-(b - a).y / l, (b - a).x / l};
        if (Dot(normal, mid - wing.wrist) < 0) normal = normal * -1;
        const double depth = 0.16 * l;
        const double r = (l * l / 4 + depth * depth) / (2 * depth);
        skin.Cut(Shape::Circle(mid + normal * (r - depth), r));
    }
    Part& bones = f.Add(bone);
    bones.Tube(wing.shoulder, wing.wrist, wing.armRadius, wing.armRadius * 0.75);
    for (const Vec2& tip : wing.tips)
        bones.Tube(wing.wrist, tip, wing.armRadius * 0.5, 0.8);
    bones.Round(3);
    f.Add(Material(Rgb{30, 24, 22}).Gloss(0.5, 30))
        .Add(Horn(wing.wrist, wing.wrist + Vec2{0, -6},
                  wing.wrist + Vec2{(wing.wrist.x > wing.shoulder.x ? -4.0 : 4.0), -9},
                  wing.armRadius * 0.6))
        .Line(0.4);
}

Shape Blade(Vec2 base, Vec2 tip, double halfWidth) {
    const Vec2 d = (tip - base) * (1 / std::max(Length(tip - base), 1e-9));
    const Vec2 side{-d.y * halfWidth, d.x * halfWidth};
    const Vec2 shoulder = tip - d * (halfWidth * 2.5);
    return Shape::Polygon({base + side, shoulder + side, tip, shoulder - side, base - side}, 0.3);
}

Shape Gear(Vec2 centre, double radius, int teeth, double toothDepth, double degrees) {
    constexpr double kPi = 3.14159265358979;
    std::vector<Vec2> points;
    const double start = degrees * kPi / 180;
    for (int i = 0; i < teeth; ++i) {
        const double a = start + 2 * kPi * i / teeth;
        const double step = 2 * kPi / teeth;
        const double angles[4] = {a, a + step * 0.15, a + step * 0.45, a + step * 0.6};
        const double radii[4] = {radius - toothDepth, radius, radius, radius - toothDepth};
        for (int k = 0; k < 4; ++k)
            points.push_back(centre + Vec2{std::cos(angles[k]), std::sin(angles[k])} * radii[k]);
    }
    return Shape::Polygon(points, 0.4);
}

Material FurOf(Rgb back, Rgb belly, double backY, double bellyY, double degrees,
               std::uint32_t seed) {
    return Material(back)
        .Towards(belly, {0, backY}, {0, bellyY})
        .Surface(Texture::Fur, 2.6, degrees, 0.32)
        .Seed(seed);
}

Material Ivory(std::uint32_t seed) {
    return Material(Rgb{214, 204, 178})
        .Towards(Rgb{160, 146, 120}, {0, 20}, {0, 175})
        .Surface(Texture::Bone, 5, 90, 0.25)
        .Gloss(0.12, 18)
        .Seed(seed);
}

Material Steel(Rgb tint, std::uint32_t seed) {
    return Material(tint).Surface(Texture::Metal, 4, 0, 0.2).Gloss(0.7, 40).Seed(seed);
}

Material Wood(std::uint32_t seed) {
    return Material(Rgb{118, 84, 52}).Surface(Texture::Bark, 2.5, 90, 0.35).Seed(seed);
}

}  // namespace dv::art::monsters
