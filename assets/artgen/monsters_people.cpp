// Walking figures of flesh, stone and brass: 巨人, 人間, 魔法生物, 機械.
#include <cmath>

#include "artgen/monster_kit.h"

namespace dv::art::monsters {

Figure Giant() {
    // An ogre filling the corridor, a tree-trunk club over its shoulder.
    Figure f;
    GroundShadow(f, 120, 86, 0.6);
    const Material skin = Material(Rgb{168, 136, 104})
                              .Towards(Rgb{104, 84, 68}, {0, 20}, {0, 175})
                              .Surface(Texture::Skin, 5, 0, 0.3)
                              .Gloss(0.12, 12)
                              .Seed(71);
    const Material hide = Material(Rgb{92, 72, 52})
                              .Towards(Rgb{62, 48, 36}, {0, 110}, {0, 160})
                              .Surface(Texture::Fur, 2.5, 90, 0.45)
                              .Seed(72);
    // Short, thick legs.
    for (const double side : {-1.0, 1.0}) {
        f.Add(skin)
            .Tube({120 + side * 20, 132}, {120 + side * 28, 160}, 16, 13)
            .Ellipse({120 + side * 30, 168}, 18, 8)
            .Blend(6)
            .Round(12);
        for (int k = 0; k < 3; ++k)
            f.Add(skin).Circle({120 + side * (18 + k * 8.0), 171}, 4).Round(3);
    }
    // Free arm down to the knuckles.
    f.Add(skin)
        .Tube({168, 52}, {190, 92}, 18, 14)
        .Tube({190, 92}, {192, 130}, 14, 12)
        .Blend(8)
        .Round(14);
    f.Add(skin).Ellipse({192, 140}, 15, 13).Round(10);
    f.Add(Material(Rgb{120, 96, 74}))
        .Polygon({{180, 140}, {204, 140}, {200, 150}, {184, 150}}, 2)
        .On(f.Last());
    // Huge belly and chest.
    const int body = f.Last() + 1;
    f.Add(skin).Ellipse({120, 66}, 52, 32).Ellipse({120, 104}, 44, 36).Blend(20).Round(34);
    f.Add(Material(Rgb{92, 70, 56}))
        .Circle({120, 104}, 3)
        .Curve({{84, 78}, {100, 88}, {118, 80}}, 1.2, 0.6)
        .Curve({{156, 78}, {140, 88}, {122, 80}}, 1.2, 0.6)
        .Opacity(0.8)
        .On(body);
    f.Add(hide)
        .Polygon({{74, 118},
                  {166, 118},
                  {170, 146},
                  {156, 140},
                  {144, 152},
                  {130, 142},
                  {118, 154},
                  {104, 142},
                  {92, 152},
                  {82, 140},
                  {70, 146}},
                 2)
        .Warp(2, 4)
        .Round(10);
    f.Add(Material(Rgb{60, 44, 32}).Surface(Texture::Leather, 2, 0, 0.3).Seed(73))
        .Polygon({{72, 112}, {168, 112}, {168, 122}, {72, 122}}, 2)
        .Round(4);
    // Club arm: the club lies over the shoulder behind the head.
    f.Add(Wood(74))
        .Tube({64, 90}, {150, 4}, 8, 16)
        .Circle({140, 14}, 6)
        .Circle({120, 30}, 5)
        .Blend(3)
        .Round(10);
    f.Add(skin)
        .Tube({72, 52}, {48, 86}, 18, 14)
        .Tube({48, 86}, {62, 96}, 14, 12)
        .Blend(10)
        .Round(14);
    const int fist = f.Last() + 1;
    f.Add(skin).Ellipse({70, 92}, 14, 12).Round(10);
    f.Add(Material(Rgb{92, 70, 56}))
        .Tube({60, 86}, {78, 84}, 0.8, 0.8)
        .Tube({60, 93}, {80, 91}, 0.8, 0.8)
        .Tube({62, 100}, {78, 98}, 0.8, 0.8)
        .On(fist);
    // Small head sunk between the shoulders: heavy brow, underbite, tusks.
    const int head = f.Last() + 1;
    f.Add(skin).Ellipse({120, 34}, 18, 20).Ellipse({120, 46}, 20, 12).Blend(8).Round(14);
    f.Add(Material(Rgb{40, 30, 24}).Surface(Texture::Fur, 2, 90, 0.5).Seed(75))
        .Polygon({{104, 22},
                  {112, 12},
                  {118, 18},
                  {124, 10},
                  {130, 18},
                  {138, 14},
                  {136, 26},
                  {120, 20},
                  {104, 28}},
                 1)
        .Warp(1.5, 3);
    f.Add(Material(Rgb{120, 94, 74})).Tube({106, 33}, {134, 33}, 3, 3).On(head);
    // A grim underbite: the lower jaw juts out, tusks rising from it.
    f.Add(Material(Rgb{70, 26, 24})).Curve({{108, 49}, {120, 52}, {132, 49}}, 1.4, 1.4).On(head);
    f.Add(Material(Rgb{140, 110, 86})).Curve({{106, 53}, {120, 58}, {134, 53}}, 1.2, 1.2).On(head);
    const Material tusk = Material(Rgb{226, 214, 186}).Gloss(0.3, 20);
    f.Add(tusk)
        .Add(Fang({110, 52}, {108, 42}, 3.5))
        .Add(Fang({130, 52}, {132, 42}, 3.5))
        .Add(Fang({116, 52}, {116, 48}, 2))
        .Add(Fang({124, 52}, {124, 48}, 2))
        .Line(0.5);
    f.Add(skin).Ellipse({120, 42}, 4.5, 4).Round(3);
    GlowEye(f, {112, 36}, 2.6, 2, Rgb{240, 180, 70});
    GlowEye(f, {128, 36}, 2.6, 2, Rgb{240, 180, 70});
    return f;
}

Figure Human() {
    // A sellsword in leather over mail, blade drawn, buckler up, cloak behind.
    Figure f;
    GroundShadow(f, 120, 58);
    const Material skin = Material(Rgb{216, 168, 130})
                              .Towards(Rgb{176, 126, 96}, {0, 28}, {0, 56})
                              .Surface(Texture::Skin, 3, 0, 0.2)
                              .Gloss(0.15, 16)
                              .Seed(221);
    const Material leather =
        Material(Rgb{122, 84, 52}).Surface(Texture::Leather, 3, 0, 0.35).Seed(222);
    const Material mail = Material(Rgb{118, 120, 128})
                              .Surface(Texture::Scales, 2.2, 90, 0.45)
                              .Gloss(0.5, 30)
                              .Seed(223);
    const Material cloak = Material(Rgb{124, 36, 38})
                               .Towards(Rgb{70, 20, 24}, {0, 40}, {0, 160})
                               .Surface(Texture::Cloth, 5, 90, 0.4)
                               .Seed(224);
    const Material trousers =
        Material(Rgb{84, 76, 66}).Surface(Texture::Cloth, 3, 90, 0.3).Seed(225);
    const Material boot =
        Material(Rgb{66, 46, 34}).Surface(Texture::Leather, 3, 0, 0.3).Gloss(0.2, 20).Seed(226);
    const Material hairColour =
        Material(Rgb{54, 38, 28}).Surface(Texture::Fur, 1.4, 80, 0.5).Seed(235);
    // Cloak hanging behind, its hood fallen round the neck.
    f.Add(cloak)
        .Polygon({{98, 56},
                  {142, 56},
                  {158, 150},
                  {146, 146},
                  {134, 154},
                  {106, 154},
                  {94, 146},
                  {82, 150}},
                 3)
        .Warp(1.5, 4)
        .Round(14);
    // Legs in a wide stance.
    for (const double side : {-1.0, 1.0}) {
        f.Add(trousers).Tube({120 + side * 9, 110}, {120 + side * 15, 140}, 9, 7).Round(7);
        f.Add(boot)
            .Tube({120 + side * 15, 136}, {120 + side * 18, 166}, 7.5, 6.5)
            .Ellipse({120 + side * 21, 170}, 10, 5)
            .Blend(3)
            .Round(6);
        f.Add(Material(Rgb{90, 64, 44}))
            .Tube({120 + side * 11, 140}, {120 + side * 20, 140}, 2, 2)
            .Round(2);
    }
    // Mail skirt and shirt, the leather jerkin over them.
    f.Add(mail).Polygon({{102, 98}, {138, 98}, {142, 124}, {98, 124}}, 3).Round(10);
    const int body = f.Last() + 1;
    f.Add(leather)
        .Polygon({{98, 58}, {142, 58}, {138, 80}, {134, 110}, {106, 110}, {102, 80}}, 4)
        .Round(16);
    Part& lacing = f.Add(Material(Rgb{60, 40, 26}));
    lacing.Tube({120, 62}, {120, 104}, 0.9, 0.9);
    for (int k = 0; k < 5; ++k)
        lacing.Tube({117, 66.0 + k * 8}, {123, 70.0 + k * 8}, 0.7, 0.7);
    lacing.On(body);
    f.Add(Material(Rgb{50, 34, 24}).Surface(Texture::Leather, 2, 0, 0.3).Seed(227))
        .Polygon({{102, 104}, {138, 104}, {138, 112}, {102, 112}}, 1)
        .Round(3);
    f.Add(Steel(Rgb{196, 164, 90}, 228))
        .Polygon({{116, 103}, {124, 103}, {124, 113}, {116, 113}}, 0.5)
        .Round(2);
    f.Add(leather).Ellipse({133, 118}, 5, 6.5).Round(5);
    // Neck, and the fallen hood round it.
    f.Add(skin).Tube({120, 48}, {120, 60}, 6, 7).Round(5);
    f.Add(cloak).Ellipse({120, 60}, 16, 6).Cut(Shape::Ellipse({120, 58}, 8, 4)).Round(5);
    // Buckler arm: mail sleeve, leather bracer, the shield over the hand.
    f.Add(mail).Spline({{142, 62}, {152, 78}, {154, 90}}, {8, 7, 6}).Round(7);
    f.Add(leather).Tube({154, 88}, {152, 102}, 6, 5.5).Round(5);
    f.Add(Wood(229)).Circle({156, 104}, 18).Round(10);
    f.Add(Steel(Rgb{130, 126, 120}, 230))
        .Circle({156, 104}, 18)
        .Cut(Shape::Circle({156, 104}, 15))
        .Round(3)
        .Line(0.8);
    f.Add(Steel(Rgb{150, 146, 140}, 231)).Circle({156, 104}, 5.5).Round(6);
    // Sword arm, the blade angled up and across.
    f.Add(mail).Spline({{98, 62}, {88, 78}, {84, 92}}, {8, 7, 6}).Round(7);
    f.Add(leather).Tube({84, 90}, {88, 104}, 6, 5.5).Round(5);
    f.Add(Steel(Rgb{196, 196, 204}, 232))
        .Polygon({{86, 100}, {92, 103}, {52, 32}, {48, 26}, {47, 34}})
        .Round(4);
    f.Add(Material(Rgb{110, 110, 120})).Tube({88, 100}, {52, 32}, 0.5, 0.3).Line(0).Opacity(0.7);
    f.Add(Steel(Rgb{176, 146, 84}, 233)).Tube({78, 108}, {98, 96}, 2.5, 2.5).Round(3);
    f.Add(skin).Ellipse({89, 106}, 6, 5.5).Round(5);
    // Head: a weathered face, stubble, a scar across one cheek.
    f.Add(skin).Ellipse({109, 40}, 3, 4.5).Ellipse({131, 40}, 3, 4.5).Round(3);
    const int face = f.Last() + 1;
    f.Add(skin).Ellipse({120, 38}, 11, 14).Ellipse({120, 46}, 9, 7).Blend(5).Round(10);
    f.Add(Material(Rgb{90, 64, 48}).Surface(Texture::Fur, 1.2, 90, 0.5).Seed(234))
        .Ellipse({120, 48}, 11, 7)
        .Cut(Shape::Ellipse({120, 43}, 9, 5))
        .Opacity(0.35)
        .On(face);
    f.Add(hairColour)
        .Ellipse({120, 28}, 12.5, 8)
        .Ellipse({109, 32}, 3.5, 6)
        .Ellipse({131, 32}, 3.5, 6)
        .Polygon({{110, 26}, {114, 18}, {118, 24}, {124, 17}, {128, 24}, {132, 22}, {130, 30}}, 1)
        .Blend(3)
        .Warp(0.8, 2)
        .Round(6)
        .NoShadow();
    f.Add(Material(Rgb{60, 40, 30}))
        .Tube({111, 33.5}, {117, 34.5}, 1.1, 0.9)
        .Tube({129, 33.5}, {123, 34.5}, 1.1, 0.9)
        .On(face);
    f.Add(Material(Rgb{236, 230, 220}))
        .Ellipse({114.5, 37.5}, 2.8, 1.6)
        .Ellipse({125.5, 37.5}, 2.8, 1.6)
        .Line(0)
        .NoShadow();
    f.Add(Material(Rgb{60, 80, 110}))
        .Circle({115, 37.5}, 1.4)
        .Circle({126, 37.5}, 1.4)
        .Line(0)
        .NoShadow();
    f.Add(Material(Rgb{176, 120, 90})).Polygon({{120, 37}, {117.5, 44}, {122, 44}}, 0.5).On(face);
    f.Add(Material(Rgb{120, 60, 50})).Curve({{115, 48}, {120, 47}, {125, 48.5}}, 0.8, 0.8).On(face);
    f.Add(Material(Rgb{190, 110, 96})).Tube({127, 38}, {130, 46}, 0.5, 0.5).On(face);
    return f;
}

Figure Construct() {
    // A stone golem of mortared blocks, runes glowing in its chest.
    Figure f;
    GroundShadow(f, 120, 82, 0.6);
    const Material stone = Material(Rgb{132, 126, 116})
                               .Towards(Rgb{90, 86, 80}, {0, 20}, {0, 175})
                               .Surface(Texture::Stone, 6, 0, 0.45)
                               .Gloss(0.08, 10)
                               .Seed(241);
    const Material darkStone =
        Material(Rgb{100, 96, 90}).Surface(Texture::Stone, 6, 0, 0.45).Seed(242);
    const Material moss = Material(Rgb{70, 100, 46}).Surface(Texture::Fur, 1.5, 90, 0.4).Seed(243);
    const Material rune = Material(Rgb{130, 230, 255}).Glow(1);
    // Legs: two stacked blocks each.
    for (const double side : {-1.0, 1.0}) {
        const double x = 120 + side * 24;
        f.Add(darkStone)
            .Polygon({{x - 14, 126}, {x + 14, 126}, {x + 12, 150}, {x - 12, 150}}, 3)
            .Round(8);
        f.Add(stone)
            .Polygon({{x - 17, 150}, {x + 17, 150}, {x + 19, 174}, {x - 19, 174}}, 3)
            .Round(8);
    }
    // Torso: a wide block and a hip stone.
    f.Add(darkStone).Polygon({{92, 112}, {148, 112}, {144, 134}, {96, 134}}, 3).Round(10);
    const int chest = f.Last() + 1;
    f.Add(stone).Polygon({{70, 40}, {170, 40}, {158, 118}, {82, 118}}, 5).Round(26);
    // A binding sigil: a diamond round an eye, strokes running out to the limbs.
    f.Add(rune)
        .Polygon({{120, 58}, {138, 78}, {120, 98}, {102, 78}})
        .Cut(Shape::Polygon({{120, 62}, {134.5, 78}, {120, 94}, {105.5, 78}}))
        .Circle({120, 78}, 4.5)
        .Tube({120, 50}, {120, 58}, 1.3, 1.3)
        .Tube({120, 98}, {120, 108}, 1.3, 1.3)
        .Tube({138, 78}, {150, 70}, 1.3, 1.3)
        .Tube({102, 78}, {90, 70}, 1.3, 1.3)
        .Halo(4, 0.8)
        .On(chest);
    f.Add(moss).Ellipse({150, 46}, 14, 6, 10).Ellipse({86, 110}, 8, 4).Warp(2, 3).On(chest);
    // Arms: shoulder boulder, two blocks, a huge fist.
    for (const double side : {-1.0, 1.0}) {
        const double x = 120 + side * 62;
        f.Add(darkStone)
            .Polygon({{x - 12, 62}, {x + 12, 62}, {x + 14 * side, 100}, {x - 10 * side, 100}}, 3)
            .Round(8);
        f.Add(stone)
            .Polygon({{x + side * 2 - 14, 100},
                      {x + side * 2 + 14, 100},
                      {x + side * 4 + 14, 128},
                      {x + side * 4 - 14, 128}},
                     3)
            .Round(8);
        f.Add(stone).Ellipse({x + side * 6, 142}, 20, 17).Round(12);
        f.Add(Material(Rgb{80, 76, 70}))
            .Tube({x + side * 6 - 12, 140}, {x + side * 6 + 12, 140}, 0.8, 0.8)
            .Tube({x + side * 6 - 12, 148}, {x + side * 6 + 12, 148}, 0.8, 0.8)
            .On(f.Last());
        f.Add(stone).Ellipse({x - side * 2, 54}, 20, 16).Round(12);
    }
    // Head: a small block sunk between the shoulders, a glowing slit.
    const int head = f.Last() + 1;
    f.Add(stone).Polygon({{104, 12}, {136, 12}, {138, 42}, {102, 42}}, 4).Round(12);
    f.Add(Material(Rgb{20, 18, 20}))
        .Polygon({{106, 24}, {134, 24}, {132, 30}, {108, 30}}, 1)
        .On(head);
    f.Add(rune).Ellipse({113, 27}, 4, 1.8).Ellipse({127, 27}, 4, 1.8).Halo(5, 0.8).Line(0);
    return f;
}

Figure Machine() {
    // A clockwork automaton of brass: gears turning behind a glass belly,
    // one red lens for an eye and a winding key in its back.
    Figure f;
    GroundShadow(f, 120, 66);
    const Material brass =
        Material(Rgb{200, 156, 76}).Surface(Texture::Metal, 3, 0, 0.2).Gloss(0.8, 40).Seed(251);
    const Material copper =
        Material(Rgb{184, 100, 60}).Surface(Texture::Metal, 3, 0, 0.2).Gloss(0.8, 40).Seed(252);
    const Material iron = Steel(Rgb{100, 100, 106}, 253);
    // Winding key behind the body.
    f.Add(brass)
        .Tube({148, 62}, {178, 50}, 3, 3)
        .Circle({180, 49}, 4.5)
        .Ellipse({183, 38}, 6, 10, -20)
        .Ellipse({190, 57}, 6, 10, -20)
        .Blend(3)
        .Cut(Shape::Ellipse({183, 37}, 2.5, 5, -20))
        .Cut(Shape::Ellipse({191, 58}, 2.5, 5, -20))
        .Round(5);
    // Legs: pistons with ball joints, splayed feet.
    for (const double side : {-1.0, 1.0}) {
        f.Add(iron).Tube({120 + side * 16, 120}, {120 + side * 24, 146}, 4, 4).Round(4);
        f.Add(copper).Tube({120 + side * 24, 146}, {120 + side * 26, 166}, 5, 4.5).Round(4);
        f.Add(brass).Circle({120 + side * 24, 146}, 6).Round(6);
        f.Add(brass)
            .Polygon({{120 + side * 12, 166},
                      {120 + side * 40, 166},
                      {120 + side * 44, 175},
                      {120 + side * 8, 175}},
                     1.5)
            .Round(5);
    }
    // Arms: segmented, ending in pincers.
    for (const double side : {-1.0, 1.0}) {
        f.Add(iron)
            .Tube({120 + side * 40, 76}, {120 + side * 58, 98}, 4, 4)
            .Tube({120 + side * 58, 98}, {120 + side * 62, 122}, 3.5, 3.5)
            .Round(4);
        f.Add(brass).Circle({120 + side * 40, 74}, 9).Circle({120 + side * 58, 98}, 5.5).Round(6);
        f.Add(copper)
            .Add(Horn({120 + side * 60, 122}, {120 + side * 70, 128}, {120 + side * 64, 140}, 3))
            .Add(Horn({120 + side * 62, 122}, {120 + side * 54, 130}, {120 + side * 58, 140}, 3))
            .Round(3);
    }
    // Body: a brass drum with a glass window onto the works.
    f.Add(brass).Ellipse({120, 90}, 36, 40).Round(30);
    f.Add(Material(Rgb{40, 34, 28})).Circle({120, 94}, 23).Round(4).Line(1.2);
    f.Add(iron)
        .Add(Gear({112, 90}, 13, 12, 3, 0))
        .Cut(Shape::Circle({112, 90}, 3))
        .Round(4)
        .Line(0.6);
    f.Add(brass)
        .Add(Gear({130, 104}, 10, 10, 2.5, 9))
        .Cut(Shape::Circle({130, 104}, 2.5))
        .Round(4)
        .Line(0.6);
    f.Add(copper).Add(Gear({128, 80}, 7, 8, 2, 4)).Round(3).Line(0.6);
    f.Add(Material(Rgb{200, 230, 255}).Glow(1))
        .Ellipse({110, 82}, 8, 4, -35)
        .Soft(3)
        .Opacity(0.35)
        .Line(0);
    f.Add(brass).Circle({120, 94}, 24).Cut(Shape::Circle({120, 94}, 21)).Round(3).Line(0.8);
    Part& rivets = f.Add(copper);
    for (int k = 0; k < 10; ++k) {
        const double a = k * 3.14159265 / 5;
        rivets.Circle({120 + std::cos(a) * 30, 94 + std::sin(a) * 30}, 1.6);
    }
    rivets.Round(2).Line(0.4);
    // Head: a dome with one great lens, a little chimney puffing steam.
    f.Add(iron).Tube({120, 50}, {120, 40}, 6, 6).Round(4);
    f.Add(copper).Tube({134, 22}, {136, 6}, 3, 3.5).Round(3);
    f.Add(Material(Rgb{220, 220, 226}).Glow(1))
        .Circle({140, 2}, 6)
        .Circle({146, -4}, 5)
        .Soft(4)
        .Opacity(0.5)
        .Line(0)
        .NoShadow();
    f.Add(brass).Ellipse({120, 30}, 22, 16).Round(14);
    f.Add(iron).Polygon({{98, 36}, {142, 36}, {140, 42}, {100, 42}}, 1).Round(3);
    f.Add(brass).Circle({120, 28}, 10).Round(6);
    GlowEye(f, {120, 28}, 7, 7, Rgb{255, 70, 40}, 0, false);
    return f;
}

}  // namespace dv::art::monsters
