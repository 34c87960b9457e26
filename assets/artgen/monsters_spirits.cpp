// The dead, the damned and the otherworldly: 不死, 悪魔, 粘体, 神, 精霊, 霊体,
// 妖精, 魔術師, and the carnivorous 植物.
#include <cmath>
#include <cstdint>

#include "artgen/monster_kit.h"

namespace dv::art::monsters {

Figure Undead() {
    // A skeleton warrior: notched sword raised, a rotten round shield held low.
    Figure f;
    GroundShadow(f, 120, 60);
    const Material bone = Ivory(21);
    const Material darkBone =
        Material(Rgb{150, 140, 118}).Surface(Texture::Bone, 5, 90, 0.25).Seed(22);
    // Rags of a red tabard hanging from the hips, behind the legs.
    f.Add(Material(Rgb{112, 30, 30}).Surface(Texture::Cloth, 3, 0, 0.4).Seed(23))
        .Polygon({{102, 112},
                  {138, 112},
                  {142, 150},
                  {132, 142},
                  {124, 156},
                  {116, 140},
                  {106, 152},
                  {100, 138}})
        .Warp(2, 4)
        .Round(6);
    // Legs: thigh, knee, shin and foot on each side.
    for (const double side : {-1.0, 1.0}) {
        const double hip = 120 + side * 10;
        f.Add(bone)
            .Tube({hip, 122}, {hip + side * 3, 146}, 3.5, 3)
            .Circle({hip + side * 3, 148}, 4.5)
            .Tube({hip + side * 3, 150}, {hip + side * 5, 168}, 3, 2.5)
            .Polygon(
                {{hip + side * 2, 166}, {hip + side * 9, 166}, {hip + side * 16, 175}, {hip, 175}},
                1.5)
            .Round(3);
    }
    // Pelvis.
    f.Add(bone)
        .Ellipse({108, 116}, 11, 8, -20)
        .Ellipse({132, 116}, 11, 8, 20)
        .Ellipse({120, 122}, 6, 5)
        .Blend(4)
        .Cut(Shape::Circle({110, 118}, 3.5))
        .Cut(Shape::Circle({130, 118}, 3.5))
        .Round(5);
    // Spine, then the ribcage over it.
    std::vector<Vec2> spine;
    std::vector<double> spineRadii;
    for (int k = 0; k <= 6; ++k) {
        spine.push_back({120, 62.0 + k * 8.5});
        spineRadii.push_back(3.2);
    }
    f.Add(darkBone).Spline(spine, spineRadii).Round(3);
    for (int k = 0; k < 5; ++k) {
        const double y = 70 + k * 7.0;
        const double reach = 22 - k * 1.8;
        f.Add(bone)
            .Curve({{120, y}, {120 - reach - 6, y - 3}, {120 - reach + 2, y + 10}}, 2.4, 1.6)
            .MirrorX(120)
            .Round(2);
    }
    f.Add(bone).Tube({120, 66}, {120, 92}, 3, 2.2).Round(3);
    // Collarbones and shoulders.
    f.Add(bone).Curve({{120, 64}, {108, 60}, {96, 64}}, 2.8, 2.8).MirrorX(120).Round(3);
    // Shield arm (the skeleton's left) with a round shield over the hand.
    f.Add(bone)
        .Circle({146, 65}, 5)
        .Tube({146, 66}, {156, 92}, 3.5, 3)
        .Circle({156, 94}, 4)
        .Tube({156, 95}, {150, 116}, 3, 2.5)
        .Round(3);
    f.Add(Wood(24)).Circle({160, 120}, 24).Round(12);
    f.Add(Steel(Rgb{120, 96, 74}, 25))
        .Circle({160, 120}, 24)
        .Cut(Shape::Circle({160, 120}, 20.5))
        .Line(0.8)
        .Round(4);
    f.Add(Steel(Rgb{140, 112, 84}, 26)).Circle({160, 120}, 7).Round(6);
    // Sword arm raised, the blade slanting up and out.
    f.Add(bone)
        .Circle({94, 65}, 5)
        .Tube({94, 66}, {80, 88}, 3.5, 3)
        .Circle({79, 90}, 4)
        .Tube({79, 90}, {70, 66}, 3, 2.5)
        .Round(3);
    f.Add(Steel(Rgb{150, 146, 140}, 27))
        .Add(Blade({69, 58}, {40, 8}, 3.6))
        .Cut(Shape::Circle({52, 28}, 2.4))
        .Cut(Shape::Circle({58.5, 39}, 1.6))
        .Round(3);
    f.Add(Steel(Rgb{120, 92, 60}, 28)).Tube({61, 64}, {79, 54}, 2.5, 2.5).Round(3);
    f.Add(Wood(29)).Tube({71, 61}, {75, 68}, 3, 3).Circle({76, 70}, 3).Round(3);
    f.Add(bone).Ellipse({71, 65}, 5, 4).Round(4);
    // Skull: cranium, cheekbones and jaw, then the dark holes.
    const int skull = f.Last() + 1;
    f.Add(bone).Ellipse({120, 34}, 16, 17).Ellipse({120, 46}, 12, 8).Blend(6).Round(10);
    f.Add(bone).Polygon({{109, 50}, {131, 50}, {128, 58}, {112, 58}}, 2).Round(4);
    const Material hole = Material(Rgb{18, 10, 12});
    f.Add(hole).Ellipse({113, 36}, 5, 5.5, 10).Ellipse({127, 36}, 5, 5.5, -10).On(skull);
    f.Add(hole).Polygon({{120, 41}, {117, 47}, {123, 47}}).On(skull);
    f.Add(hole).Polygon({{110, 51}, {130, 51}, {129, 53}, {111, 53}}).Line(0);
    for (int k = 0; k < 6; ++k)
        f.Add(Material(Rgb{40, 30, 28}))
            .Tube({112.5 + k * 3, 50}, {112.5 + k * 3, 55}, 0.4, 0.4)
            .Line(0);
    // Embers of red light deep in the sockets.
    f.Add(Material(Rgb{255, 90, 50}).Glow(1))
        .Circle({113.5, 37.5}, 1.2)
        .Circle({126.5, 37.5}, 1.2)
        .Halo(0.5, 0.6, Rgb{255, 40, 20})
        .Line(0);
    return f;
}

Figure Plant() {
    // A man-eating plant: a toothed pod on a writhing stalk, toadstools at its roots.
    Figure f;
    GroundShadow(f, 120, 80);
    const Material green = Material(Rgb{84, 132, 56})
                               .Towards(Rgb{46, 82, 36}, {0, 30}, {0, 175})
                               .Surface(Texture::Skin, 4, 0, 0.3)
                               .Gloss(0.25, 18)
                               .Seed(101);
    const Material leaf = Material(Rgb{70, 120, 48})
                              .Towards(Rgb{40, 74, 32}, {0, 110}, {0, 175})
                              .Surface(Texture::Bark, 3, 90, 0.15)
                              .Gloss(0.2, 16)
                              .Seed(102);
    const Material vein = Material(Rgb{150, 190, 100});
    // Vines lashing out on both sides.
    f.Add(green)
        .Spline({{112, 120}, {80, 108}, {54, 80}, {40, 56}, {52, 40}}, {5, 4, 3.5, 2.5, 1.5})
        .Spline({{128, 116}, {164, 100}, {190, 86}, {206, 64}, {196, 50}}, {5, 4, 3.5, 2.5, 1.5})
        .Round(4);
    f.Add(leaf)
        .Ellipse({62, 92}, 12, 5, -40)
        .Ellipse({180, 94}, 12, 5, 30)
        .Ellipse({200, 72}, 9, 4, -60)
        .Round(5);
    // Big leaves spread round the root.
    struct Leaf {
        Vec2 centre;
        double length;
        double degrees;
    };
    const Leaf leaves[] = {
        {{78, 158}, 38, -20}, {{162, 158}, 38, 20}, {{98, 150}, 30, -55}, {{142, 150}, 30, 55}};
    for (const Leaf& l : leaves) {
        const int blade = f.Last() + 1;
        f.Add(leaf).Ellipse(l.centre, l.length, 10, l.degrees).Round(8);
        const double rad = l.degrees * 3.14159265 / 180;
        const Vec2 along{std::cos(rad) * l.length * 0.85, std::sin(rad) * l.length * 0.85};
        f.Add(vein).Tube(l.centre - along, l.centre + along, 1.2, 0.5).On(blade);
    }
    // The stalk.
    f.Add(green)
        .Spline({{120, 168}, {108, 140}, {130, 112}, {116, 86}, {120, 72}}, {12, 10, 9, 9, 10})
        .Round(9);
    // The pod: green outside with purple spots, the red maw with rows of teeth.
    const int pod = f.Last() + 1;
    f.Add(green).Ellipse({120, 50}, 46, 36).Round(24);
    f.Add(Material(Rgb{110, 60, 110}))
        .Circle({86, 36}, 4)
        .Circle({94, 24}, 3)
        .Circle({150, 30}, 4.5)
        .Circle({158, 44}, 3)
        .Circle({84, 62}, 3)
        .Circle({156, 66}, 3.5)
        .On(pod);
    const int maw = f.Last() + 1;
    f.Add(Material(Rgb{170, 40, 60}).Towards(Rgb{60, 8, 20}, {0, 40}, {0, 64}).Gloss(0.6, 30))
        .Ellipse({120, 54}, 32, 20)
        .Round(4)
        .Line(1.2);
    f.Add(Material(Rgb{40, 6, 14})).Ellipse({120, 58}, 18, 10).Soft(4).On(maw);
    const Material tooth = Material(Rgb{230, 226, 196}).Gloss(0.4, 30);
    Part& teeth = f.Add(tooth);
    for (int k = 0; k < 9; ++k) {
        const double a = (200 + k * 17.5) * 3.14159265 / 180;
        const Vec2 base{120 + std::cos(a) * 31, 54 + std::sin(a) * 19};
        const Vec2 tip = Lerp(base, {120, 56}, 0.3);
        teeth.Add(Fang(base, tip, 4.5));
    }
    for (int k = 0; k < 7; ++k) {
        const double a = (30 + k * 20) * 3.14159265 / 180;
        const Vec2 base{120 + std::cos(a) * 30, 54 + std::sin(a) * 19};
        const Vec2 tip = Lerp(base, {120, 52}, 0.28);
        teeth.Add(Fang(base, tip, 4.5));
    }
    teeth.Line(0.5);
    // Drool.
    f.Add(Material(Rgb{200, 230, 170}).Gloss(0.9, 40))
        .Tube({108, 70}, {107, 80}, 2.2, 1.2)
        .Circle({107, 83}, 2.4)
        .Blend(2)
        .Opacity(0.7)
        .Line(0);
    // Toadstools among the roots.
    const Material stem = Material(Rgb{214, 204, 180}).Surface(Texture::Skin, 2, 0, 0.2).Seed(103);
    const Material cap =
        Material(Rgb{170, 50, 40}).Gloss(0.4, 20).Surface(Texture::Skin, 3, 0, 0.2).Seed(104);
    struct Toadstool {
        Vec2 foot;
        double size;
    };
    const Toadstool stools[] = {{{56, 174}, 1.0}, {{72, 176}, 0.7}, {{180, 175}, 0.85}};
    for (const Toadstool& t : stools) {
        const double s = t.size;
        f.Add(stem).Tube(t.foot, t.foot + Vec2{0, -18 * s}, 4 * s, 3.5 * s).Round(4);
        const int top = f.Last() + 1;
        f.Add(cap)
            .Ellipse(t.foot + Vec2{0, -20 * s}, 13 * s, 8 * s)
            .Cut(Shape::Ellipse(t.foot + Vec2{0, -12 * s}, 16 * s, 5 * s))
            .Round(7 * s);
        f.Add(Material(Rgb{236, 228, 210}))
            .Circle(t.foot + Vec2{-5 * s, -23 * s}, 1.8 * s)
            .Circle(t.foot + Vec2{4 * s, -25 * s}, 1.5 * s)
            .Circle(t.foot + Vec2{7 * s, -19 * s}, 1.3 * s)
            .On(top);
    }
    return f;
}

Figure Demon() {
    // A horned demon with bat wings, a fireball in one hand.
    Figure f;
    GroundShadow(f, 120, 70);
    const Material hide = Material(Rgb{168, 48, 36})
                              .Towards(Rgb{96, 26, 24}, {0, 30}, {0, 175})
                              .Surface(Texture::Skin, 4, 0, 0.3)
                              .Gloss(0.3, 18)
                              .Seed(111);
    const Material membrane = Material(Rgb{116, 38, 44})
                                  .Towards(Rgb{66, 22, 28}, {0, 10}, {0, 140})
                                  .Surface(Texture::Skin, 6, 0, 0.35)
                                  .Seed(112);
    const Material horn = Material(Rgb{60, 50, 48})
                              .Towards(Rgb{200, 190, 170}, {0, 34}, {0, 4})
                              .Surface(Texture::Bark, 1.5, 0, 0.3)
                              .Gloss(0.3, 20)
                              .Seed(113);
    const Material claw = Material(Rgb{30, 26, 26}).Gloss(0.5, 30);
    for (const double side : {-1.0, 1.0}) {
        const auto at = [side](double x, double y) { return Vec2{120 + side * x, y}; };
        AddBatWing(f,
                   {at(20, 62),
                    at(62, 24),
                    {at(112, 14), at(110, 52), at(96, 84), at(80, 110)},
                    at(24, 100),
                    4.5},
                   membrane, hide);
    }
    // Tail curling out behind a leg.
    f.Add(hide)
        .Spline({{132, 124}, {166, 148}, {190, 140}, {196, 124}}, {5, 3.5, 2.5, 1.5})
        .Round(4);
    f.Add(hide).Polygon({{192, 126}, {202, 114}, {204, 128}}, 1).Round(3);
    // Goat legs: thigh, shin bent back, hoof.
    for (const double side : {-1.0, 1.0}) {
        f.Add(Material(Rgb{70, 40, 32}).Surface(Texture::Fur, 2.5, 90, 0.45).Seed(114))
            .Spline({{120 + side * 12, 118},
                     {120 + side * 24, 138},
                     {120 + side * 18, 158},
                     {120 + side * 22, 168}},
                    {13, 9, 6, 5})
            .Warp(1.5, 3)
            .Round(10);
        f.Add(claw).Polygon({{120 + side * 15, 166},
                             {120 + side * 29, 166},
                             {120 + side * 31, 175},
                             {120 + side * 13, 175}},
                            1.5);
    }
    // Torso: broad chest, narrow waist, the muscles picked out in shadow.
    const int body = f.Last() + 1;
    f.Add(hide).Ellipse({120, 76}, 30, 20).Ellipse({120, 104}, 17, 20).Blend(16).Round(20);
    f.Add(Material(Rgb{96, 24, 22}))
        .Curve({{96, 84}, {108, 92}, {119, 86}}, 1.4, 0.8)
        .Curve({{144, 84}, {132, 92}, {121, 86}}, 1.4, 0.8)
        .Tube({120, 92}, {120, 120}, 1, 0.8)
        .Tube({110, 100}, {130, 100}, 0.9, 0.9)
        .Tube({111, 110}, {129, 110}, 0.9, 0.9)
        .Opacity(0.8)
        .On(body);
    // Arms: shoulders, swelling upper arms, one hand clawing, one holding a fireball.
    f.Add(hide)
        .Circle({94, 66}, 11)
        .Spline({{92, 72}, {80, 88}, {74, 100}}, {10, 9, 6.5})
        .Spline({{74, 100}, {70, 112}, {66, 120}}, {7, 6.5, 5.5})
        .Blend(5)
        .Round(9);
    for (int k = 0; k < 3; ++k) {
        const Vec2 base{60 + k * 5.0, 126};
        f.Add(claw).Add(Horn(base, base + Vec2{-2, 8}, base + Vec2{2, 14}, 1.9)).Line(0.4);
    }
    f.Add(hide).Ellipse({66, 124}, 8, 7).Round(6);
    f.Add(hide)
        .Circle({146, 66}, 11)
        .Spline({{148, 72}, {162, 84}, {168, 78}}, {10, 9, 6.5})
        .Spline({{168, 78}, {170, 70}, {170, 64}}, {6.5, 6, 5.5})
        .Blend(5)
        .Round(9);
    f.Add(Material(Rgb{255, 240, 160})
              .Towards(Rgb{255, 110, 20}, {0, 34}, {0, 60})
              .Surface(Texture::Flame, 4, 0, 0.3)
              .Glow(1)
              .Seed(115))
        .Circle({172, 46}, 12)
        .Warp(3, 4)
        .Halo(8, 0.6, Rgb{255, 120, 30})
        .Line(0)
        .NoShadow();
    f.Add(hide).Ellipse({170, 62}, 8, 7).Round(6);
    // Head: horns, pointed ears, a grin of fangs.
    const int head = f.Last() + 1;
    f.Add(horn)
        .Add(Horn({108, 34}, {86, 24}, {90, 2}, 5))
        .Add(Horn({132, 34}, {154, 24}, {150, 2}, 5))
        .Round(5);
    f.Add(hide)
        .Ellipse({120, 42}, 15, 17)
        .Polygon({{106, 40}, {92, 32}, {106, 48}}, 1)
        .Polygon({{134, 40}, {148, 32}, {134, 48}}, 1)
        .Blend(3)
        .Round(12);
    f.Add(Material(Rgb{100, 24, 22}))
        .Tube({108, 38}, {118, 42}, 2, 1.5)
        .Tube({132, 38}, {122, 42}, 2, 1.5)
        .On(head);
    f.Add(Material(Rgb{40, 8, 10}))
        .Polygon({{110, 50}, {130, 50}, {124, 56}, {116, 56}}, 1)
        .On(head);
    const Material tooth = Material(Rgb{240, 232, 210}).Gloss(0.4, 30);
    f.Add(tooth)
        .Add(Fang({113, 50}, {114, 55}, 2.6))
        .Add(Fang({127, 50}, {126, 55}, 2.6))
        .Line(0.4);
    GlowEye(f, {113, 42}, 3.2, 2, Rgb{255, 230, 80}, 15, false);
    GlowEye(f, {127, 42}, 3.2, 2, Rgb{255, 230, 80}, -15, false);
    return f;
}

Figure Slime() {
    // A heap of green ooze: bones it is still digesting float inside, two
    // loose eyes stare out, pseudopods reach for the party.
    Figure f;
    GroundShadow(f, 120, 88, 0.6);
    f.Add(Material(Rgb{90, 200, 120}).Glow(1))
        .Ellipse({120, 172}, 84, 8)
        .Soft(8)
        .Opacity(0.35)
        .Line(0)
        .NoShadow();
    const int body = f.Last() + 1;
    f.Add(Material(Rgb{120, 220, 120})
              .Towards(Rgb{30, 110, 60}, {0, 50}, {0, 176})
              .Surface(Texture::Slime, 14, 0, 0.35)
              .Gloss(0.9, 50)
              .Seed(121))
        .Ellipse({120, 124}, 64, 48)
        .Ellipse({112, 98}, 38, 34)
        .Ellipse({120, 164}, 92, 12)
        .Spline({{70, 130}, {46, 108}, {40, 86}, {48, 74}}, {16, 11, 7, 4})
        .Spline({{170, 126}, {194, 112}, {204, 92}}, {15, 10, 5})
        .Spline({{60, 150}, {58, 170}}, {8, 5})
        .Spline({{180, 150}, {186, 170}}, {8, 5})
        .Blend(22)
        .Warp(3, 12)
        .Round(40)
        .Opacity(0.84);
    // What it has swallowed: a skull and a sword.
    const Material bones = Ivory(122);
    f.Add(bones)
        .Ellipse({148, 138}, 12, 11)
        .Ellipse({148, 148}, 7, 4)
        .Blend(3)
        .Opacity(0.7)
        .On(body);
    f.Add(Material(Rgb{30, 50, 34}))
        .Circle({143, 137}, 3)
        .Circle({153, 137}, 3)
        .Polygon({{148, 141}, {146, 145}, {150, 145}})
        .Opacity(0.7)
        .On(body);
    f.Add(Steel(Rgb{120, 110, 90}, 123))
        .Tube({98, 108}, {112, 126}, 2.2, 2.2)
        .Tube({94, 118}, {108, 110}, 1.8, 1.8)
        .Opacity(0.45)
        .On(body);
    // Two eyes drifting in the jelly, not quite level.
    for (const Vec2 eye : {Vec2{102, 100}, Vec2{136, 94}}) {
        f.Add(Material(Rgb{236, 230, 200}).Gloss(0.8, 40))
            .Circle(eye, 9)
            .Round(8)
            .Opacity(0.95)
            .Line(0.6);
        f.Add(Material(Rgb{200, 160, 40}).Glow(0.5)).Circle(eye + Vec2{1, 1}, 5).Line(0);
        f.Add(Material(Rgb{10, 10, 10})).Ellipse(eye + Vec2{1, 1}, 1.6, 4).Line(0);
    }
    // Wet highlights.
    f.Add(Material(Rgb{240, 255, 240}).Glow(1))
        .Ellipse({90, 88}, 14, 5, -30)
        .Soft(3)
        .Opacity(0.6)
        .Line(0);
    f.Add(Material(Rgb{240, 255, 240}).Glow(1))
        .Circle({158, 96}, 3)
        .Circle({52, 80}, 2)
        .Soft(1.5)
        .Opacity(0.6)
        .Line(0);
    return f;
}

Figure Ghost() {
    // A hooded spectre, pale and see-through, its body trailing away into a
    // tail of mist, bony hands reaching for the party.
    Figure f;
    const Rgb chill{120, 210, 240};
    f.Add(Material(chill).Glow(1))
        .Ellipse({120, 172}, 50, 7)
        .Soft(8)
        .Opacity(0.45)
        .Line(0)
        .NoShadow();
    const Material shroud = Material(Rgb{190, 226, 240})
                                .Towards(Rgb{90, 140, 180}, {0, 30}, {0, 176})
                                .Surface(Texture::Cloth, 5, 80, 0.3)
                                .Glow(0.35)
                                .Seed(131);
    // Body: wide shoulders narrowing into a swaying tail.
    f.Add(shroud)
        .Ellipse({120, 74}, 36, 24)
        .Spline({{120, 80}, {110, 120}, {124, 148}, {132, 172}}, {30, 24, 14, 3})
        .Polygon({{86, 80}, {70, 118}, {96, 110}}, 2)
        .Polygon({{154, 80}, {172, 116}, {146, 110}}, 2)
        .Blend(14)
        .Warp(4, 7)
        .Halo(6, 0.4, chill)
        .Opacity(0.85)
        .Line(0)
        .Round(20);
    // A cold light inside the chest.
    f.Add(Material(Rgb{220, 250, 255}).Glow(1))
        .Ellipse({120, 90}, 12, 20)
        .Soft(10)
        .Opacity(0.5)
        .Line(0);
    // Ragged sleeves reaching forward.
    for (const double side : {-1.0, 1.0}) {
        f.Add(shroud)
            .Spline({{120 + side * 26, 70}, {120 + side * 50, 88}, {120 + side * 64, 96}},
                    {10, 10, 12})
            .Polygon({{120 + side * 54, 96}, {120 + side * 60, 122}, {120 + side * 70, 104}}, 1.5)
            .Blend(4)
            .Warp(3, 5)
            .Halo(5, 0.3, chill)
            .Opacity(0.85)
            .Line(0)
            .Round(10);
        // Long bony fingers.
        f.Add(Material(Rgb{214, 236, 240}).Glow(0.5))
            .Ellipse({120 + side * 70, 100}, 6, 5)
            .Round(4)
            .Opacity(0.9)
            .Line(0.5);
        for (int k = 0; k < 4; ++k) {
            const Vec2 base{120 + side * (72 + k * 1.5), 98 + k * 3.0};
            f.Add(Material(Rgb{214, 236, 240}).Glow(0.5))
                .Curve({base, base + Vec2{side * 10, 2}, base + Vec2{side * 12, 12}}, 1.6, 0.6)
                .Opacity(0.9)
                .Line(0.5);
        }
    }
    // Hood and the dark hollow where a face should be.
    f.Add(shroud)
        .Ellipse({120, 44}, 24, 27)
        .Polygon({{98, 46}, {118, 8}, {142, 46}}, 6)
        .Blend(8)
        .Warp(2, 6)
        .Halo(6, 0.4, chill)
        .Opacity(0.92)
        .Line(0)
        .Round(16);
    f.Add(Material(Rgb{6, 10, 18}).Glow(1)).Ellipse({120, 50}, 15, 19).Soft(4).Line(0);
    GlowEye(f, {113, 47}, 3, 2, Rgb{170, 245, 255}, 10, false);
    GlowEye(f, {127, 47}, 3, 2, Rgb{170, 245, 255}, -10, false);
    return f;
}

Figure Divine() {
    // A winged celestial in white and gold, haloed, floating on its own light,
    // a spear of light in one hand and a blessing in the other.
    Figure f;
    const Rgb gleam{255, 226, 150};
    const Material light = Material(Rgb{255, 236, 170}).Glow(1);
    // Radiance behind it and a pool of light under the hem.
    f.Add(light).Ellipse({120, 92}, 64, 74).Soft(36).Opacity(0.35).Line(0).NoShadow();
    f.Add(light).Ellipse({120, 170}, 50, 8).Soft(8).Opacity(0.5).Line(0).NoShadow();
    const Material white = Material(Rgb{246, 244, 236})
                               .Towards(Rgb{196, 196, 210}, {0, 10}, {0, 120})
                               .Surface(Texture::Feathers, 6, 90, 0.2)
                               .Glow(0.2)
                               .Seed(141);
    const Material flight = Material(Rgb{236, 234, 228})
                                .Towards(Rgb{170, 172, 190}, {0, 10}, {0, 150})
                                .Surface(Texture::Fur, 2, 90, 0.15)
                                .Glow(0.2)
                                .Seed(142);
    for (const double side : {-1.0, 1.0}) {
        const auto at = [side](double x, double y) { return Vec2{120 + side * x, y}; };
        AddFeatherWing(
            f,
            {at(14, 64), at(50, 26), at(88, 16), Vec2{side * 0.5, 1}, Vec2{side, 0.6}, 56, 46, 14},
            flight, white);
    }
    // Halo ring behind the head.
    f.Add(Material(Rgb{255, 220, 110}).Glow(1))
        .Ellipse({120, 30}, 22, 22)
        .Cut(Shape::Ellipse({120, 30}, 18, 18))
        .Halo(6, 0.7)
        .Line(0)
        .NoShadow();
    // Hair falling behind the shoulders.
    const Material hair = Material(Rgb{230, 186, 92})
                              .Towards(Rgb{180, 130, 60}, {0, 26}, {0, 70})
                              .Surface(Texture::Fur, 1.8, 90, 0.4)
                              .Gloss(0.4, 20)
                              .Glow(0.2)
                              .Seed(144);
    f.Add(hair)
        .Ellipse({120, 38}, 16, 17)
        .Spline({{108, 40}, {104, 54}, {106, 68}}, {7, 7, 4})
        .Spline({{132, 40}, {136, 54}, {134, 68}}, {7, 7, 4})
        .Blend(5)
        .Warp(1, 3)
        .Round(10);
    // Robe flowing to the ground, gold at the hem and the waist.
    const Material robe = Material(Rgb{244, 240, 228})
                              .Towards(Rgb{180, 176, 196}, {0, 60}, {0, 176})
                              .Surface(Texture::Cloth, 4, 90, 0.35)
                              .Glow(0.15)
                              .Seed(143);
    const Material gold = Material(Rgb{226, 180, 74}).Gloss(0.6, 30).Glow(0.2);
    const int gown = f.Last() + 1;
    f.Add(robe)
        .Polygon({{104, 58},
                  {136, 58},
                  {146, 104},
                  {160, 150},
                  {164, 168},
                  {146, 164},
                  {132, 170},
                  {118, 164},
                  {104, 170},
                  {90, 164},
                  {76, 168},
                  {82, 150},
                  {94, 104}},
                 4)
        .Warp(1.2, 5)
        .Round(18);
    f.Add(gold)
        .Spline({{70, 162}, {94, 170}, {120, 166}, {146, 170}, {170, 162}}, {4, 4, 4, 4, 4})
        .Warp(1.2, 5)
        .On(gown);
    f.Add(gold).Curve({{100, 94}, {120, 100}, {140, 94}}, 2.5, 2.5).On(gown);
    // Spear of light, held upright.
    f.Add(Material(Rgb{255, 250, 210}).Glow(1))
        .Tube({156, 10}, {156, 168}, 1.8, 1.8)
        .Polygon({{156, 0}, {162, 14}, {156, 22}, {150, 14}})
        .Halo(5, 0.6, gleam)
        .Line(0.5);
    // Wide sleeves: one on the spear, one held out in blessing.
    f.Add(robe)
        .Spline({{132, 62}, {146, 78}, {154, 90}}, {8, 9, 11})
        .Spline({{108, 62}, {92, 80}, {78, 84}}, {8, 9, 11})
        .Round(8);
    const Material skin = Material(Rgb{240, 208, 178}).Gloss(0.2, 16).Glow(0.25);
    f.Add(skin).Ellipse({156, 94}, 5, 6).Ellipse({72, 82}, 6, 4.5, -20).Round(5);
    f.Add(Material(Rgb{255, 250, 220}).Glow(1)).Circle({70, 72}, 3).Halo(5, 0.8, gleam).Line(0);
    // Face with eyes closed, a fringe of hair over the brow.
    const int face = f.Last() + 1;
    f.Add(skin).Ellipse({120, 42}, 9.5, 12).Round(8);
    f.Add(Material(Rgb{120, 80, 60}))
        .Curve({{114, 42}, {116, 44}, {118, 42}}, 0.6, 0.6)
        .Curve({{122, 42}, {124, 44}, {126, 42}}, 0.6, 0.6)
        .Tube({118, 50}, {122, 50}, 0.6, 0.6)
        .On(face);
    f.Add(hair).Ellipse({120, 31}, 10, 4.5).Ellipse({113, 34}, 3, 4).Blend(3).Round(4).NoShadow();
    return f;
}

Figure Elemental() {
    // A spirit of fire: a burning body with raised arms, rising out of a whirl
    // of flame.
    Figure f;
    const Rgb ember{255, 110, 20};
    f.Add(Material(ember).Glow(1))
        .Ellipse({120, 170}, 64, 8)
        .Soft(10)
        .Opacity(0.6)
        .Line(0)
        .NoShadow();
    const auto tongue = [](Vec2 base, double width, double height, double lean) {
        return Shape::Polygon(
            {base + Vec2{-width / 2, 0}, base + Vec2{lean, -height}, base + Vec2{width / 2, 0}}, 2);
    };
    // The body twice: a deep red flame and a yellow-white one burning inside it.
    struct Layer {
        Rgb core;
        Rgb edge;
        double scale;
        double warp;
    };
    const Layer layers[] = {{Rgb{255, 170, 50}, Rgb{170, 30, 10}, 1.0, 7},
                            {Rgb{255, 252, 220}, Rgb{255, 170, 40}, 0.62, 5}};
    std::uint32_t seed = 151;
    for (const Layer& l : layers) {
        const double k = l.scale;
        Part& flame = f.Add(Material(l.core)
                                .Towards(l.edge, {0, 0}, {0, 1})
                                .Surface(Texture::Flame, 5, 0, 0.3)
                                .Glow(1)
                                .Seed(seed++));
        flame.Ellipse({120, 160}, 56 * k, 14 * k)
            .Spline({{120, 162}, {116, 122}, {120, 84}}, {18 * k, 22 * k, 28 * k})
            .Ellipse({120, 64}, 34 * k, 18 * k)
            .Spline(
                {{120 - 28 * k, 64}, {120 - 52 * k, 76}, {120 - 64 * k, 54}, {120 - 66 * k, 30}},
                {12 * k, 10 * k, 8 * k, 4 * k})
            .Spline(
                {{120 + 28 * k, 64}, {120 + 52 * k, 76}, {120 + 64 * k, 54}, {120 + 66 * k, 30}},
                {12 * k, 10 * k, 8 * k, 4 * k})
            .Ellipse({120, 36}, 17 * k, 18 * k)
            .Add(tongue({120 - 8 * k, 28}, 12 * k, 30 * k, -6))
            .Add(tongue({120 + 8 * k, 28}, 12 * k, 34 * k, 5))
            .Add(tongue({120 - 66 * k, 34}, 10 * k, 26 * k, -4))
            .Add(tongue({120 + 66 * k, 34}, 10 * k, 26 * k, 4))
            .Add(tongue({120 - 40 * k, 160}, 22 * k, 50 * k, -8))
            .Add(tongue({120 + 40 * k, 160}, 22 * k, 46 * k, 8))
            .Add(tongue({120 - 16 * k, 150}, 18 * k, 40 * k, -2))
            .Add(tongue({120 + 18 * k, 150}, 18 * k, 44 * k, 3))
            .Blend(12 * k)
            .Warp(l.warp, 7)
            .Round(20 * k)
            .Line(0)
            .NoShadow();
        if (k == 1.0) flame.Halo(6, 0.6, ember);
    }
    // A white-hot heart.
    f.Add(Material(Rgb{255, 255, 236}).Glow(1))
        .Ellipse({120, 80}, 10, 16)
        .Soft(8)
        .Opacity(0.8)
        .Line(0);
    // Eyes and mouth burn darker, like coals.
    f.Add(Material(Rgb{110, 24, 8}).Glow(1))
        .Polygon({{106, 32}, {117, 36}, {115, 39}, {107, 36}}, 0.6)
        .Polygon({{134, 32}, {123, 36}, {125, 39}, {133, 36}}, 0.6)
        .Ellipse({120, 47}, 6, 2.2)
        .Line(0);
    // Embers drifting up.
    Part& embers = f.Add(Material(Rgb{255, 220, 120}).Glow(1));
    const Vec2 sparks[] = {{66, 16},  {176, 12}, {96, 10},   {150, 6}, {38, 70},
                           {204, 80}, {70, 118}, {176, 126}, {32, 40}, {210, 48}};
    for (const Vec2& spark : sparks)
        embers.Circle(spark, 1.5);
    embers.Halo(3, 0.6, ember).Line(0);
    return f;
}

Figure Fairy() {
    // A fairy on dragonfly wings, trailing glittering dust to the floor.
    Figure f;
    const Material dust = Material(Rgb{220, 255, 200}).Glow(1);
    f.Add(dust).Ellipse({120, 172}, 30, 5).Soft(6).Opacity(0.5).Line(0).NoShadow();
    f.Add(Material(Rgb{200, 255, 190}).Glow(1))
        .Ellipse({120, 84}, 54, 54)
        .Soft(30)
        .Opacity(0.3)
        .Line(0)
        .NoShadow();
    // Four wings, clear and shimmering.
    const Material wing = Material(Rgb{190, 240, 255})
                              .Towards(Rgb{230, 170, 255}, {0, 30}, {0, 130})
                              .Gloss(0.8, 40)
                              .Glow(0.5)
                              .Seed(161);
    for (const double side : {-1.0, 1.0}) {
        f.Add(wing)
            .Ellipse({120 + side * 46, 44}, 44, 17, side * -30)
            .Opacity(0.55)
            .Halo(3, 0.3)
            .Line(0.8)
            .Round(6)
            .NoShadow();
        f.Add(wing)
            .Ellipse({120 + side * 40, 90}, 34, 13, side * 28)
            .Opacity(0.55)
            .Halo(3, 0.3)
            .Line(0.8)
            .Round(6)
            .NoShadow();
        f.Add(Material(Rgb{140, 190, 220}).Glow(0.6))
            .Tube({120 + side * 8, 62}, {120 + side * 80, 22}, 0.7, 0.4)
            .Tube({120 + side * 8, 68}, {120 + side * 68, 104}, 0.7, 0.4)
            .Opacity(0.7)
            .Line(0);
    }
    const Material skin = Material(Rgb{236, 206, 180}).Gloss(0.25, 20).Glow(0.2);
    const Material dress = Material(Rgb{120, 190, 110})
                               .Towards(Rgb{60, 130, 90}, {0, 70}, {0, 120})
                               .Surface(Texture::Cloth, 2.5, 90, 0.3)
                               .Glow(0.15)
                               .Seed(162);
    // Legs dangling, toes pointed.
    f.Add(skin)
        .Spline({{114, 110}, {110, 132}, {112, 148}}, {4.5, 3.5, 2.5})
        .Spline({{126, 110}, {132, 128}, {138, 140}}, {4.5, 3.5, 2.5})
        .Round(4);
    // Leaf dress and body.
    f.Add(dress)
        .Polygon({{112, 66},
                  {128, 66},
                  {136, 96},
                  {146, 118},
                  {130, 112},
                  {120, 122},
                  {110, 112},
                  {94, 118},
                  {104, 96}},
                 2)
        .Round(10);
    // Arms: one raised with a wand of light.
    f.Add(skin)
        .Spline({{112, 70}, {100, 84}, {104, 98}}, {3.5, 3, 2.5})
        .Spline({{128, 70}, {142, 60}, {150, 44}}, {3.5, 3, 2.5})
        .Round(3);
    f.Add(Material(Rgb{255, 250, 200}).Glow(1)).Circle({152, 38}, 4).Halo(6, 0.8).Line(0);
    // Head, a mop of hair, pointed ears.
    f.Add(skin)
        .Circle({120, 52}, 11)
        .Polygon({{110, 50}, {98, 42}, {110, 56}}, 1)
        .Polygon({{130, 50}, {142, 42}, {130, 56}}, 1)
        .Round(8);
    f.Add(Material(Rgb{240, 170, 90})
              .Surface(Texture::Fur, 1.6, 90, 0.4)
              .Gloss(0.3, 20)
              .Glow(0.2)
              .Seed(163))
        .Ellipse({120, 41}, 13, 7.5)
        .Spline({{110, 44}, {106, 56}}, {5, 3})
        .Spline({{130, 44}, {136, 58}}, {5, 3})
        .Warp(1, 2)
        .Round(8)
        .NoShadow();
    f.Add(Material(Rgb{40, 80, 70}).Glow(0.5))
        .Ellipse({116, 54}, 1.6, 2.2)
        .Ellipse({124, 54}, 1.6, 2.2)
        .Line(0);
    f.Add(Material(Rgb{200, 110, 100})).Tube({118, 59}, {122, 59}, 0.6, 0.6).Line(0);
    // Glittering dust drifting down.
    Part& sparkle = f.Add(dust);
    const Vec2 motes[] = {{126, 152}, {116, 160}, {130, 166}, {110, 170}, {122, 174}, {138, 156},
                          {104, 150}, {134, 172}, {112, 142}, {146, 146}, {98, 164},  {142, 164}};
    for (const Vec2& m : motes)
        sparkle.Circle(m, 1.5);
    sparkle.Halo(3, 0.7).Line(0);
    return f;
}

Figure Sorcerer() {
    // A lich in rotting robes: a bare skull under the hood, a staff with a
    // glowing orb and green witchfire in its other hand.
    Figure f;
    GroundShadow(f, 120, 60);
    const Material robe = Material(Rgb{70, 44, 92})
                              .Towards(Rgb{34, 22, 48}, {0, 30}, {0, 176})
                              .Surface(Texture::Cloth, 4, 90, 0.45)
                              .Seed(171);
    const Material gold =
        Material(Rgb{196, 150, 60}).Gloss(0.6, 30).Surface(Texture::Metal, 3, 0, 0.2).Seed(172);
    const Material witchfire = Material(Rgb{220, 255, 200})
                                   .Towards(Rgb{60, 200, 90}, {0, 0}, {0, 1})
                                   .Surface(Texture::Flame, 4, 0, 0.3)
                                   .Glow(1)
                                   .Seed(173);
    // Staff behind the sleeve.
    f.Add(Wood(174)).Spline({{62, 174}, {64, 100}, {60, 34}}, {3, 3, 3.5}).Round(3);
    f.Add(gold)
        .Curve({{60, 38}, {48, 30}, {54, 14}}, 2.5, 1.5)
        .Curve({{60, 38}, {72, 30}, {66, 14}}, 2.5, 1.5)
        .Round(3);
    f.Add(Material(Rgb{200, 255, 210}).Towards(Rgb{40, 180, 90}, {60, 14}, {60, 32}).Glow(1))
        .Circle({60, 24}, 8)
        .Halo(10, 0.7)
        .Line(0.6);
    // Robe to the floor, ragged hem.
    const int gown = f.Last() + 1;
    f.Add(robe)
        .Polygon({{100, 50},
                  {140, 50},
                  {160, 120},
                  {172, 170},
                  {156, 166},
                  {144, 175},
                  {130, 168},
                  {118, 176},
                  {104, 168},
                  {90, 175},
                  {80, 166},
                  {68, 170},
                  {80, 120}},
                 3)
        .Warp(1.5, 3)
        .Round(20);
    // The robe's opening down the front, trimmed in tarnished gold.
    f.Add(Material(Rgb{30, 20, 36}).Surface(Texture::Cloth, 3, 90, 0.4).Seed(177))
        .Polygon({{114, 54}, {126, 54}, {132, 176}, {108, 176}})
        .On(gown);
    f.Add(gold)
        .Tube({114, 54}, {108, 176}, 1.8, 2.2)
        .Tube({126, 54}, {132, 176}, 1.8, 2.2)
        .On(gown);
    f.Add(gold).Circle({120, 66}, 5).Round(4);
    f.Add(Material(Rgb{120, 255, 150}).Glow(1)).Circle({120, 66}, 2.6).Halo(3, 0.6).Line(0);
    // Sleeves: one holding the staff, one raised with witchfire.
    f.Add(robe)
        .Spline({{102, 60}, {80, 84}, {68, 92}}, {10, 11, 12})
        .Spline({{138, 60}, {160, 72}, {172, 64}}, {10, 11, 12})
        .Round(10);
    f.Add(Ivory(175))
        .Tube({64, 94}, {58, 90}, 2.2, 2)
        .Tube({64, 96}, {57, 97}, 2.2, 2)
        .Circle({66, 94}, 4)
        .Tube({176, 60}, {180, 52}, 2, 1.6)
        .Tube({178, 62}, {184, 56}, 2, 1.6)
        .Circle({176, 62}, 4)
        .Round(3);
    f.Add(witchfire)
        .Ellipse({182, 44}, 9, 12)
        .Polygon({{174, 44}, {182, 16}, {190, 44}}, 2)
        .Blend(5)
        .Warp(3, 4)
        .Halo(9, 0.6)
        .Line(0);
    // Hood with the skull inside, eyes burning green.
    f.Add(robe)
        .Ellipse({120, 40}, 24, 28)
        .Polygon({{98, 40}, {120, 4}, {142, 40}}, 5)
        .Blend(6)
        .Round(14);
    f.Add(Material(Rgb{10, 8, 14})).Ellipse({120, 44}, 16, 19).Soft(2).Line(0);
    const int skull = f.Last() + 1;
    f.Add(Ivory(176)).Ellipse({120, 44}, 11, 12).Ellipse({120, 54}, 7, 5).Blend(4).Round(8);
    f.Add(Material(Rgb{20, 12, 14}))
        .Ellipse({115, 44}, 3.5, 4)
        .Ellipse({125, 44}, 3.5, 4)
        .Polygon({{120, 48}, {118, 52}, {122, 52}})
        .On(skull);
    f.Add(Material(Rgb{40, 30, 26})).Tube({115, 56}, {125, 56}, 0.6, 0.6).Line(0);
    GlowEye(f, {115, 44}, 1.8, 1.8, Rgb{120, 255, 140}, 0, false);
    GlowEye(f, {125, 44}, 1.8, 1.8, Rgb{120, 255, 140}, 0, false);
    return f;
}

}  // namespace dv::art::monsters
