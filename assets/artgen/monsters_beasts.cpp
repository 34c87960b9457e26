// Animals and their kin: 獣, 亜人, 虫, 爬虫, 鳥, 獣人, 魔獣, 竜, 水棲.
#include <cmath>

#include "artgen/monster_kit.h"

namespace dv::art::monsters {

Figure Beast() {
    // A grey wolf side on, head low and snarling.
    Figure f;
    GroundShadow(f, 118, 92);
    const Material fur = FurOf(Rgb{100, 96, 94}, Rgb{168, 158, 140}, 70, 124, 5, 11);
    const Material leg = FurOf(Rgb{120, 114, 106}, Rgb{82, 76, 72}, 110, 172, 90, 16);
    const Material farLeg = FurOf(Rgb{70, 66, 66}, Rgb{52, 48, 48}, 110, 172, 90, 12);
    // Far legs, in the body's shade.
    f.Add(farLeg)
        .Spline({{106, 108}, {110, 140}, {108, 170}}, {9, 5.5, 5})
        .Ellipse({104, 171}, 9, 4)
        .Blend(3);
    f.Add(farLeg)
        .Spline({{156, 100}, {150, 128}, {162, 150}, {156, 171}}, {13, 8, 5.5, 5})
        .Ellipse({152, 172}, 9, 4)
        .Blend(3);
    // Bushy tail swept back and down.
    f.Add(FurOf(Rgb{88, 84, 82}, Rgb{150, 140, 126}, 90, 140, 60, 13))
        .Spline({{176, 84}, {198, 88}, {212, 106}, {218, 134}}, {7, 10, 10, 3})
        .Warp(2.5, 4)
        .Round(8);
    // Body: chest, barrel and haunch melted together.
    f.Add(fur)
        .Ellipse({86, 96}, 30, 30)
        .Ellipse({126, 96}, 40, 22)
        .Ellipse({164, 92}, 24, 25)
        .Blend(18)
        .Warp(1.5, 4)
        .Round(22);
    // Near legs: a straight foreleg, a hind leg with its hock bent back.
    f.Add(leg)
        .Spline({{90, 104}, {84, 140}, {86, 170}}, {14, 7, 6})
        .Ellipse({82, 171}, 11, 5)
        .Blend(4)
        .Round(9);
    f.Add(leg)
        .Ellipse({168, 106}, 18, 24, -15)
        .Spline({{172, 116}, {186, 146}, {178, 171}}, {11, 6, 5})
        .Ellipse({174, 172}, 10, 4.5)
        .Blend(6)
        .Round(12);
    // Mane of rough fur over the neck and shoulders, melting into the coat.
    f.Add(FurOf(Rgb{90, 86, 86}, Rgb{150, 142, 128}, 60, 124, 80, 14))
        .Ellipse({80, 84}, 22, 28, -30)
        .Ellipse({96, 76}, 16, 14)
        .Blend(10)
        .Warp(5, 3)
        .Line(0)
        .Round(16);
    // Open jaws: the dark mouth, the lower jaw, then the head over them.
    f.Add(Material(Rgb{90, 20, 22})).Polygon({{52, 74}, {20, 80}, {28, 94}, {54, 86}}, 1);
    f.Add(fur).Tube({52, 82}, {24, 92}, 6, 3.5).Round(6);
    const int head = f.Last() + 1;
    f.Add(FurOf(Rgb{104, 100, 98}, Rgb{150, 142, 130}, 50, 84, 0, 17))
        .Ellipse({58, 64}, 20, 17, -8)
        .Tube({50, 68}, {22, 74}, 10, 6)
        .Blend(10)
        .Round(14);
    // Pale muzzle painted on the head.
    f.Add(FurOf(Rgb{180, 170, 154}, Rgb{150, 140, 124}, 70, 84, 0, 15))
        .Tube({46, 76}, {24, 79}, 6, 4)
        .On(head);
    // Ears.
    f.Add(fur)
        .Polygon({{60, 50}, {66, 26}, {76, 50}}, 1.5)
        .Polygon({{70, 52}, {82, 32}, {86, 56}}, 1.5);
    f.Add(Material(Rgb{120, 70, 66})).Polygon({{64, 47}, {66, 32}, {72, 47}}, 0.5).Line(0);
    // Nose and fangs.
    f.Add(Material(Rgb{20, 16, 18}).Gloss(0.6, 30)).Ellipse({22, 73}, 5, 4).Round(4);
    const Material tooth = Material(Rgb{236, 230, 212}).Gloss(0.4, 30);
    f.Add(tooth)
        .Add(Fang({30, 79}, {32, 88}, 3.5))
        .Add(Fang({44, 78}, {45, 85}, 3))
        .Add(Fang({32, 90}, {31, 82}, 3.2))
        .Line(0.5);
    // Brow ridge over a narrow, glaring eye.
    GlowEye(f, {52, 62}, 4.5, 3, Rgb{250, 190, 60}, -15, true, false);
    f.Add(FurOf(Rgb{70, 66, 66}, Rgb{70, 66, 66}, 0, 1, 0, 18))
        .Tube({44, 58}, {60, 57}, 2, 2.5)
        .On(head);
    return f;
}

Figure BeastFolk() {
    // A hulking orc in a studded leather jerkin, cleaver raised.
    Figure f;
    GroundShadow(f, 120, 62);
    const Material skin = Material(Rgb{104, 130, 66})
                              .Towards(Rgb{70, 92, 48}, {0, 30}, {0, 170})
                              .Surface(Texture::Skin, 4, 0, 0.25)
                              .Gloss(0.15, 14)
                              .Seed(31);
    const Material leather =
        Material(Rgb{106, 74, 48}).Surface(Texture::Leather, 3, 0, 0.35).Seed(32);
    const Material boot = Material(Rgb{60, 44, 34}).Surface(Texture::Leather, 3, 0, 0.3).Seed(33);
    // Legs in breeches and boots.
    for (const double side : {-1.0, 1.0}) {
        f.Add(Material(Rgb{78, 66, 58}).Surface(Texture::Cloth, 3, 90, 0.3).Seed(34))
            .Tube({120 + side * 12, 124}, {120 + side * 18, 152}, 11, 9)
            .Round(8);
        f.Add(boot)
            .Tube({120 + side * 18, 150}, {120 + side * 19, 166}, 9, 8.5)
            .Ellipse({120 + side * 22, 169}, 13, 6)
            .Blend(4)
            .Round(6);
    }
    // Free arm hanging, a heavy fist.
    f.Add(skin)
        .Tube({154, 70}, {164, 104}, 11, 9)
        .Tube({164, 104}, {160, 126}, 9, 8)
        .Blend(4)
        .Round(9);
    f.Add(skin).Ellipse({159, 130}, 10, 9).Round(8);
    // Body: a thick trunk in the jerkin, a belt and a loin flap.
    const int body = f.Last() + 1;
    f.Add(leather).Ellipse({120, 92}, 36, 34).Ellipse({120, 120}, 28, 14).Blend(14).Round(22);
    f.Add(skin).Polygon({{108, 60}, {132, 60}, {124, 84}, {116, 84}}, 3).On(body);
    for (int k = 0; k < 5; ++k) {
        const double y = 82 + k * 9.0;
        f.Add(Steel(Rgb{150, 140, 120}, 35))
            .Circle({98, y}, 1.8)
            .Circle({142, y}, 1.8)
            .Line(0.4)
            .Round(2);
    }
    f.Add(Material(Rgb{52, 36, 26}).Surface(Texture::Leather, 2, 0, 0.3).Seed(36))
        .Polygon({{86, 116}, {154, 116}, {152, 126}, {88, 126}}, 1.5)
        .Round(4);
    f.Add(Steel(Rgb{170, 150, 100}, 37))
        .Polygon({{113, 115}, {127, 115}, {127, 127}, {113, 127}}, 1)
        .Round(3);
    // Iron pauldron on the raised shoulder.
    f.Add(Steel(Rgb{110, 106, 104}, 38)).Ellipse({84, 66}, 18, 13, -20).Round(10);
    // Cleaver arm.
    f.Add(skin).Tube({84, 72}, {64, 88}, 11, 9).Tube({64, 88}, {56, 60}, 9, 8).Blend(4).Round(9);
    f.Add(Wood(39)).Tube({52, 72}, {62, 42}, 3.5, 3.5).Round(3);
    const int cleaver = f.Last() + 1;
    f.Add(Steel(Rgb{150, 146, 140}, 40))
        .Polygon({{60, 46}, {70, 14}, {40, 4}, {30, 36}}, 1.5)
        .Cut(Shape::Circle({62, 18}, 3))
        .Round(4);
    f.Add(Material(Rgb{70, 66, 64})).Tube({60, 46}, {70, 14}, 3, 3).On(cleaver);
    f.Add(Material(Rgb{110, 24, 20}).Surface(Texture::Skin, 2, 0, 0.4).Seed(41))
        .Polygon({{30, 36}, {40, 4}, {44, 6}, {38, 24}, {40, 34}})
        .Opacity(0.75)
        .Warp(1.5, 3)
        .On(cleaver);
    f.Add(skin).Ellipse({57, 60}, 9, 8).Round(7);
    // Head: heavy brow, wide jaw, long ears.
    const int head = f.Last() + 1;
    f.Add(skin)
        .Ellipse({120, 40}, 19, 17)
        .Ellipse({120, 52}, 17, 10)
        .Polygon({{104, 34}, {80, 22}, {104, 44}}, 1.5)
        .Polygon({{136, 34}, {160, 22}, {136, 44}}, 1.5)
        .Blend(5)
        .Round(12);
    f.Add(Material(Rgb{40, 32, 28}).Surface(Texture::Fur, 2, 90, 0.4).Seed(42))
        .Polygon({{110, 24}, {130, 24}, {126, 32}, {120, 28}, {114, 32}})
        .On(head);
    f.Add(Material(Rgb{70, 90, 46})).Tube({108, 36}, {132, 36}, 2.5, 2.5).On(head);
    f.Add(Material(Rgb{50, 20, 18}))
        .Polygon({{108, 53}, {132, 53}, {128, 58}, {112, 58}}, 1)
        .On(head);
    const Material tusk = Material(Rgb{232, 222, 196}).Gloss(0.3, 20);
    f.Add(tusk).Add(Fang({111, 56}, {109, 46}, 4)).Add(Fang({129, 56}, {131, 46}, 4)).Line(0.5);
    f.Add(Material(Rgb{84, 106, 54})).Ellipse({120, 45}, 4, 3).Round(3);
    GlowEye(f, {113, 40}, 3, 2.2, Rgb{255, 200, 60}, 10);
    GlowEye(f, {127, 40}, 3, 2.2, Rgb{255, 200, 60}, -10);
    return f;
}

Figure Insect() {
    // A giant spider rearing towards the party, forelegs raised.
    Figure f;
    GroundShadow(f, 120, 100, 0.55);
    const Material hair = Material(Rgb{104, 84, 94})
                              .Towards(Rgb{58, 46, 54}, {0, 60}, {0, 170})
                              .Surface(Texture::Fur, 2, 90, 0.35)
                              .Gloss(0.25, 20)
                              .Seed(51);
    const Material farHair = Material(Rgb{58, 46, 54}).Surface(Texture::Fur, 2, 90, 0.3).Seed(52);
    // Legs: hip, knee high above, foot on the ground. Far pairs first.
    struct Leg {
        Vec2 hip;
        Vec2 knee;
        Vec2 foot;
        double radius;
    };
    const Leg farLegs[] = {{{108, 96}, {70, 58}, {40, 168}, 5},
                           {{112, 100}, {86, 64}, {66, 170}, 5}};
    for (const Leg& leg : farLegs) {
        f.Add(farHair)
            .Spline({leg.hip, leg.knee, Lerp(leg.knee, leg.foot, 0.5) + Vec2{-4, 0}, leg.foot},
                    {leg.radius, leg.radius * 0.9, leg.radius * 0.7, 1.5})
            .MirrorX(120)
            .Round(4);
    }
    // Abdomen, striped with warning colours.
    const int abdomen = f.Last() + 1;
    f.Add(hair).Ellipse({120, 78}, 46, 38).Round(30);
    f.Add(Material(Rgb{180, 60, 36}).Surface(Texture::Fur, 2, 90, 0.3).Gloss(0.3, 20).Seed(53))
        .Polygon({{120, 50}, {130, 60}, {120, 68}, {110, 60}}, 1.5)
        .Polygon({{108, 74}, {132, 74}, {122, 84}, {132, 96}, {108, 96}, {118, 84}}, 1.5)
        .Ellipse({98, 66}, 4, 7, 25)
        .Ellipse({142, 66}, 4, 7, -25)
        .On(abdomen);
    const Leg nearLegs[] = {{{104, 110}, {58, 80}, {14, 172}, 6},
                            {{106, 116}, {74, 96}, {44, 176}, 6.5}};
    for (const Leg& leg : nearLegs) {
        f.Add(hair)
            .Spline({leg.hip, leg.knee, Lerp(leg.knee, leg.foot, 0.5) + Vec2{-6, 0}, leg.foot},
                    {leg.radius, leg.radius * 0.9, leg.radius * 0.7, 1.8})
            .MirrorX(120)
            .Round(5);
    }
    // Head and forelegs raised to strike.
    f.Add(hair).Ellipse({120, 120}, 26, 20).Round(16);
    f.Add(hair)
        .Spline({{108, 118}, {88, 96}, {80, 66}, {90, 44}}, {6, 5.5, 4.5, 2})
        .MirrorX(120)
        .Round(5);
    // Fangs under the head.
    const Material fang = Material(Rgb{70, 60, 64}).Gloss(0.6, 30);
    f.Add(hair).Ellipse({111, 136}, 7, 9, 10).Ellipse({129, 136}, 7, 9, -10).Round(6);
    f.Add(fang)
        .Add(Horn({110, 142}, {104, 154}, {114, 158}, 3))
        .Add(Horn({130, 142}, {136, 154}, {126, 158}, 3))
        .Line(0.6);
    // Eight eyes: two large, six small.
    const Rgb red{255, 40, 40};
    GlowEye(f, {113, 114}, 4, 4, red, 0, false);
    GlowEye(f, {127, 114}, 4, 4, red, 0, false);
    GlowEye(f, {104, 110}, 2.2, 2.2, red, 0, false);
    GlowEye(f, {136, 110}, 2.2, 2.2, red, 0, false);
    GlowEye(f, {110, 106}, 2, 2, red, 0, false);
    GlowEye(f, {130, 106}, 2, 2, red, 0, false);
    GlowEye(f, {116, 123}, 1.8, 1.8, red, 0, false);
    GlowEye(f, {124, 123}, 1.8, 1.8, red, 0, false);
    return f;
}

Figure Reptile() {
    // A hooded serpent reared up from its coils, fangs bared.
    Figure f;
    GroundShadow(f, 120, 84);
    const Material scales = Material(Rgb{136, 126, 58})
                                .Towards(Rgb{80, 84, 40}, {0, 40}, {0, 175})
                                .Surface(Texture::Scales, 6, 90, 0.22)
                                .Gloss(0.35, 22)
                                .Seed(61);
    const Material belly = Material(Rgb{218, 192, 120})
                               .Towards(Rgb{170, 146, 90}, {0, 60}, {0, 160})
                               .Surface(Texture::Scales, 8, 90, 0.2)
                               .Gloss(0.3, 20)
                               .Seed(62);
    const Material band = Material(Rgb{58, 54, 26});
    // Coils: the back loop, the tail tip, the front loop.
    f.Add(scales)
        .Spline({{70, 150}, {100, 140}, {150, 140}, {184, 152}}, {12, 14, 14, 11})
        .Round(11);
    f.Add(scales).Spline({{204, 170}, {190, 160}, {156, 154}}, {2, 7, 12}).Round(9);
    const int front = f.Last() + 1;
    f.Add(scales)
        .Spline({{60, 160}, {96, 170}, {146, 170}, {180, 160}}, {12, 15, 15, 13})
        .Round(12);
    f.Add(band)
        .Ellipse({80, 162}, 7, 4, 20)
        .Ellipse({106, 166}, 8, 4, 5)
        .Ellipse({134, 166}, 8, 4, -5)
        .Ellipse({162, 160}, 7, 4, -20)
        .Opacity(0.8)
        .On(front);
    // The neck rising in an S to the hood.
    const int neck = f.Last() + 1;
    f.Add(scales)
        .Spline({{74, 156}, {70, 126}, {98, 102}, {112, 80}, {118, 62}}, {14, 14, 13, 12, 11})
        .Round(12);
    f.Add(belly)
        .Spline({{78, 150}, {80, 126}, {104, 104}, {117, 80}, {121, 64}}, {6, 7, 7, 6, 6})
        .On(neck);
    f.Add(band).Ellipse({64, 134}, 4, 7, 10).Ellipse({86, 108}, 5, 6, 40).Opacity(0.8).On(neck);
    // Hood spread wide behind the head, pale throat down its middle.
    const int hood = f.Last() + 1;
    f.Add(scales)
        .Ellipse({120, 58}, 28, 34)
        .Cut(Shape::Ellipse({120, 104}, 18, 22))
        .CutBlend(10)
        .Round(12);
    f.Add(belly).Ellipse({120, 64}, 10, 30).On(hood);
    // Head with open jaws.
    f.Add(Material(Rgb{130, 30, 40})).Ellipse({120, 46}, 10, 10).Round(6);
    f.Add(scales).Polygon({{108, 48}, {132, 48}, {126, 58}, {114, 58}}, 3).Round(4);
    f.Add(Material(Rgb{140, 132, 64}).Surface(Texture::Scales, 4, 90, 0.2).Gloss(0.35, 22).Seed(63))
        .Ellipse({120, 32}, 16, 12)
        .Ellipse({120, 40}, 12, 5)
        .Blend(6)
        .Round(10);
    const Material tooth = Material(Rgb{240, 236, 220}).Gloss(0.4, 30);
    f.Add(tooth)
        .Add(Fang({112, 42}, {113, 52}, 2.6))
        .Add(Fang({128, 42}, {127, 52}, 2.6))
        .Line(0.5);
    f.Add(Material(Rgb{200, 40, 50}).Gloss(0.4, 20))
        .Curve({{120, 48}, {119, 56}, {121, 62}}, 1.4, 1.0)
        .Add(Fang({121, 61}, {116, 67}, 1.6))
        .Add(Fang({121, 61}, {126, 67}, 1.6))
        .Line(0.4);
    GlowEye(f, {111, 30}, 3.8, 2.6, Rgb{255, 220, 60}, 20, true, true);
    GlowEye(f, {129, 30}, 3.8, 2.6, Rgb{255, 220, 60}, -20, true, true);
    return f;
}

Figure Bird() {
    // A great eagle landing on the party, wings thrown up and talons out.
    Figure f;
    GroundShadow(f, 120, 70);
    const Material brown = Material(Rgb{116, 80, 50})
                               .Towards(Rgb{76, 52, 34}, {0, 20}, {0, 160})
                               .Surface(Texture::Feathers, 7, 90, 0.25)
                               .Seed(81);
    const Material quill = Material(Rgb{88, 62, 42})
                               .Towards(Rgb{46, 34, 26}, {0, 10}, {0, 120})
                               .Surface(Texture::Fur, 2, 90, 0.25)
                               .Seed(82);
    const Material yellow =
        Material(Rgb{220, 170, 50}).Gloss(0.35, 24).Surface(Texture::Skin, 2, 0, 0.2).Seed(83);
    for (const double side : {-1.0, 1.0}) {
        const auto at = [side](double x, double y) { return Vec2{120 + side * x, y}; };
        AddFeatherWing(
            f,
            {at(18, 74), at(54, 38), at(84, 24), Vec2{side * 0.3, 1}, Vec2{side, 0.35}, 44, 34, 15},
            quill, brown);
    }
    // Tail fan.
    f.Add(quill)
        .Tube({120, 120}, {104, 164}, 7, 6)
        .Tube({120, 120}, {120, 170}, 7, 6)
        .Tube({120, 120}, {136, 164}, 7, 6)
        .Blend(4)
        .Round(6);
    // Body and the white head.
    const int body = f.Last() + 1;
    f.Add(brown).Ellipse({120, 96}, 25, 36).Round(24);
    f.Add(Material(Rgb{150, 112, 74}).Surface(Texture::Feathers, 5, 90, 0.25).Seed(84))
        .Ellipse({120, 106}, 13, 24)
        .On(body);
    // Legs with talons gripping the ground.
    for (const double side : {-1.0, 1.0}) {
        f.Add(brown).Ellipse({120 + side * 12, 128}, 10, 12).Warp(1, 3).Round(8);
        f.Add(yellow)
            .Tube({120 + side * 12, 134}, {120 + side * 16, 164}, 4, 3.5)
            .Tube({120 + side * 16, 164}, {120 + side * 30, 170}, 3, 2.5)
            .Tube({120 + side * 16, 164}, {120 + side * 18, 172}, 3, 2.5)
            .Tube({120 + side * 16, 164}, {120 + side * 6, 171}, 3, 2.5)
            .Round(3);
        f.Add(Material(Rgb{30, 26, 24}).Gloss(0.5, 30))
            .Add(Horn({120 + side * 30, 170}, {120 + side * 35, 170}, {120 + side * 35, 176}, 1.8))
            .Add(Horn({120 + side * 18, 172}, {120 + side * 21, 174}, {120 + side * 20, 177}, 1.8))
            .Add(Horn({120 + side * 6, 171}, {120 + side * 2, 172}, {120 + side * 2, 176}, 1.8))
            .Line(0.4);
    }
    const int head = f.Last() + 1;
    f.Add(Material(Rgb{226, 220, 206})
              .Towards(Rgb{170, 160, 146}, {0, 30}, {0, 74})
              .Surface(Texture::Fur, 2, 90, 0.2)
              .Seed(85))
        .Ellipse({120, 46}, 16, 18)
        .Ellipse({120, 64}, 14, 10)
        .Blend(8)
        .Warp(1.2, 3)
        .Round(12);
    f.Add(Material(Rgb{150, 140, 124})).Tube({106, 40}, {134, 40}, 2, 2).On(head);
    f.Add(yellow)
        .Curve({{120, 44}, {124, 56}, {116, 66}}, 6, 1.5)
        .Polygon({{112, 48}, {128, 48}, {120, 58}}, 2)
        .Round(5);
    GlowEye(f, {111, 42}, 3, 2.6, Rgb{250, 180, 40});
    GlowEye(f, {129, 42}, 3, 2.6, Rgb{250, 180, 40});
    return f;
}

Figure Lycanthrope() {
    // A werewolf on two legs, hunched and clawing, shreds of clothes on it.
    Figure f;
    GroundShadow(f, 120, 64);
    const Material fur = FurOf(Rgb{112, 84, 62}, Rgb{76, 56, 42}, 40, 170, 90, 91);
    const Material pale = FurOf(Rgb{150, 128, 104}, Rgb{118, 98, 80}, 60, 120, 90, 92);
    const Material cloth = Material(Rgb{70, 60, 96}).Surface(Texture::Cloth, 3, 90, 0.4).Seed(93);
    const Material claw = Material(Rgb{226, 220, 200}).Gloss(0.4, 30);
    // Legs bent like a dog's, in torn breeches.
    for (const double side : {-1.0, 1.0}) {
        f.Add(fur)
            .Spline({{120 + side * 14, 120},
                     {120 + side * 26, 142},
                     {120 + side * 18, 158},
                     {120 + side * 22, 170}},
                    {13, 10, 7, 6})
            .Ellipse({120 + side * 26, 171}, 10, 5)
            .Blend(4)
            .Round(10);
        f.Add(cloth)
            .Polygon({{120 + side * 2, 116},
                      {120 + side * 26, 116},
                      {120 + side * 36, 142},
                      {120 + side * 28, 138},
                      {120 + side * 24, 148},
                      {120 + side * 16, 140},
                      {120 + side * 8, 146}},
                     2)
            .Warp(2, 3)
            .Round(8);
        f.Add(claw)
            .Add(Fang({120 + side * 30, 171}, {120 + side * 38, 175}, 2.4))
            .Add(Fang({120 + side * 24, 172}, {120 + side * 30, 177}, 2.4))
            .Line(0.4);
    }
    // Torso leaning forward, shaggy.
    const int body = f.Last() + 1;
    f.Add(fur)
        .Ellipse({120, 76}, 40, 30)
        .Ellipse({120, 104}, 26, 22)
        .Blend(16)
        .Warp(2, 4)
        .Round(24);
    f.Add(pale).Ellipse({120, 92}, 18, 26).On(body);
    // Arms reaching out, long clawed hands.
    for (const double side : {-1.0, 1.0}) {
        f.Add(fur)
            .Spline({{120 + side * 36, 64}, {120 + side * 56, 92}, {120 + side * 72, 104}},
                    {13, 10, 8})
            .Warp(1.5, 3)
            .Round(10);
        f.Add(fur).Ellipse({120 + side * 78, 110}, 10, 8, side * 30).Round(7);
        for (int k = 0; k < 4; ++k) {
            const Vec2 base{120 + side * (80 + k * 3.0), 112 + k * 2.0};
            f.Add(claw)
                .Add(Horn(base, base + Vec2{side * 6, 6}, base + Vec2{side * 4, 14}, 1.6))
                .Line(0.4);
        }
    }
    // Shaggy ruff, then the wolf's head turned to snarl at the party.
    f.Add(fur).Ellipse({118, 58}, 26, 18).Warp(4, 4).Round(14);
    f.Add(Material(Rgb{96, 22, 26})).Polygon({{104, 46}, {74, 52}, {80, 68}, {104, 56}}, 1);
    f.Add(fur).Tube({104, 54}, {80, 64}, 6, 3.5).Round(5);
    const int head = f.Last() + 1;
    f.Add(fur)
        .Ellipse({116, 36}, 18, 15)
        .Tube({108, 40}, {78, 48}, 10, 6)
        .Polygon({{112, 26}, {108, 2}, {124, 22}}, 1.5)
        .Polygon({{122, 24}, {132, 4}, {134, 30}}, 1.5)
        .Blend(6)
        .Warp(1, 3)
        .Round(12);
    f.Add(pale).Tube({100, 46}, {80, 51}, 5, 3.5).On(head);
    f.Add(Material(Rgb{60, 40, 32})).Tube({98, 31}, {112, 29}, 2, 2.5).On(head);
    f.Add(Material(Rgb{20, 14, 14}).Gloss(0.6, 30)).Ellipse({78, 46}, 4.5, 3.5).Round(3);
    f.Add(claw)
        .Add(Fang({86, 52}, {88, 60}, 3))
        .Add(Fang({98, 50}, {99, 57}, 2.6))
        .Add(Fang({86, 64}, {85, 57}, 2.6))
        .Line(0.5);
    GlowEye(f, {104, 34}, 4, 2.6, Rgb{255, 210, 60}, -12);
    return f;
}

Figure MagicalBeast() {
    // A griffin: an eagle's head, wings and forelegs on a lion's body.
    Figure f;
    GroundShadow(f, 124, 92);
    const Material lion = FurOf(Rgb{184, 140, 78}, Rgb{214, 182, 126}, 80, 130, 5, 191);
    const Material farLion = FurOf(Rgb{120, 90, 54}, Rgb{96, 72, 44}, 100, 172, 90, 192);
    const Material brown = Material(Rgb{120, 86, 52})
                               .Towards(Rgb{84, 58, 38}, {0, 10}, {0, 100})
                               .Surface(Texture::Feathers, 6, 90, 0.25)
                               .Seed(193);
    const Material quill = Material(Rgb{96, 70, 46})
                               .Towards(Rgb{52, 38, 28}, {0, 0}, {0, 90})
                               .Surface(Texture::Fur, 2, 90, 0.25)
                               .Seed(194);
    const Material white = Material(Rgb{232, 228, 216})
                               .Towards(Rgb{176, 168, 150}, {0, 30}, {0, 110})
                               .Surface(Texture::Fur, 2.2, 100, 0.3)
                               .Seed(195);
    const Material yellow =
        Material(Rgb{220, 172, 56}).Surface(Texture::Scales, 3, 90, 0.2).Gloss(0.35, 24).Seed(196);
    const Material claw = Material(Rgb{34, 28, 26}).Gloss(0.5, 30);
    // Far wing raised behind.
    AddFeatherWing(f, {{100, 78}, {112, 38}, {136, 12}, Vec2{0.7, 1}, Vec2{1, 0.1}, 40, 30, 12},
                   quill, brown);
    // Far legs.
    f.Add(Material(Rgb{170, 130, 44}).Surface(Texture::Scales, 3, 90, 0.2).Seed(197))
        .Spline({{86, 120}, {92, 146}, {90, 170}}, {6, 4, 3.5})
        .Round(4);
    f.Add(farLion)
        .Spline({{172, 104}, {166, 130}, {178, 150}, {172, 171}}, {13, 8, 5.5, 5})
        .Ellipse({168, 172}, 9, 4)
        .Blend(3);
    // Lion's tail with its dark tuft.
    f.Add(lion).Spline({{190, 92}, {212, 104}, {220, 130}, {214, 146}}, {5, 4, 3, 2.5}).Round(4);
    f.Add(Material(Rgb{70, 50, 32}).Surface(Texture::Fur, 2, 90, 0.5).Seed(198))
        .Ellipse({212, 150}, 6, 9, 20)
        .Warp(2, 3)
        .Round(5);
    // Body: lion's barrel and haunch, feathered breast.
    f.Add(lion).Ellipse({140, 104}, 40, 22).Ellipse({178, 100}, 24, 24).Blend(16).Round(20);
    f.Add(lion)
        .Ellipse({182, 116}, 17, 22, -15)
        .Spline({{186, 124}, {198, 150}, {190, 171}}, {11, 6, 5})
        .Ellipse({186, 172}, 10, 4.5)
        .Blend(6)
        .Round(12);
    f.Add(white).Ellipse({96, 96}, 28, 30).Warp(2, 4).Round(20);
    // Eagle's forelegs with talons.
    f.Add(white).Ellipse({100, 120}, 12, 14).Warp(1.5, 3).Round(8);
    f.Add(yellow).Spline({{100, 128}, {98, 150}, {102, 168}}, {6, 4.5, 4}).Round(4);
    f.Add(claw)
        .Add(Horn({100, 168}, {90, 168}, {88, 176}, 2))
        .Add(Horn({104, 169}, {108, 172}, {106, 177}, 2))
        .Add(Horn({98, 168}, {96, 172}, {98, 177}, 2))
        .Line(0.4);
    // Near wing, raised high.
    AddFeatherWing(f, {{128, 86}, {150, 46}, {192, 28}, Vec2{0.6, 1}, Vec2{1, 0.15}, 46, 34, 13},
                   quill, brown);
    // Head: white feathers, hooked beak, ear tufts.
    f.Add(white)
        .Ellipse({78, 62}, 18, 17)
        .Polygon({{82, 48}, {96, 30}, {94, 52}}, 1.5)
        .Spline({{84, 70}, {92, 86}}, {12, 16})
        .Blend(6)
        .Warp(1.5, 3)
        .Round(12);
    f.Add(Material(Rgb{232, 186, 60}).Gloss(0.5, 30))
        .Curve({{64, 60}, {46, 60}, {46, 76}}, 7, 1.5)
        .Round(6);
    f.Add(Material(Rgb{60, 44, 26})).Tube({58, 66}, {52, 68}, 0.8, 0.8).Line(0);
    GlowEye(f, {74, 58}, 3.6, 3, Rgb{255, 170, 40}, 0);
    return f;
}

Figure Dragon() {
    // A dragon rearing on its hind legs, wings spread, fire in its jaws.
    Figure f;
    GroundShadow(f, 124, 96, 0.6);
    const Material scale = Material(Rgb{54, 118, 104})
                               .Towards(Rgb{28, 66, 62}, {0, 20}, {0, 175})
                               .Surface(Texture::Scales, 5, 90, 0.3)
                               .Gloss(0.4, 24)
                               .Seed(201);
    const Material plates = Material(Rgb{214, 190, 120})
                                .Towards(Rgb{160, 136, 80}, {0, 60}, {0, 170})
                                .Surface(Texture::Scales, 9, 90, 0.25)
                                .Gloss(0.3, 20)
                                .Seed(202);
    const Material membrane = Material(Rgb{84, 60, 60})
                                  .Towards(Rgb{50, 36, 40}, {0, 0}, {0, 130})
                                  .Surface(Texture::Skin, 6, 0, 0.3)
                                  .Seed(203);
    const Material horn =
        Material(Rgb{214, 204, 176}).Gloss(0.4, 24).Surface(Texture::Bark, 1.5, 0, 0.2).Seed(204);
    const Material claw = Material(Rgb{230, 222, 200}).Gloss(0.4, 30);
    // Wings spread behind.
    AddBatWing(f,
               {{142, 70}, {184, 20}, {{226, 14}, {232, 48}, {224, 80}, {208, 106}}, {164, 110}, 5},
               membrane, scale);
    AddBatWing(f, {{104, 70}, {66, 24}, {{20, 14}, {10, 46}, {16, 80}, {34, 104}}, {88, 108}, 5},
               membrane, scale);
    // Tail sweeping round on the ground.
    f.Add(scale)
        .Spline({{150, 146}, {186, 164}, {214, 164}, {228, 150}, {224, 136}}, {16, 11, 8, 5, 2})
        .Round(10);
    f.Add(horn).Polygon({{222, 140}, {226, 128}, {232, 140}}, 1).Round(3);
    // Hind legs, thick thighs and clawed feet.
    for (const double side : {-1.0, 1.0}) {
        f.Add(scale)
            .Ellipse({120 + side * 28, 140}, 18, 22, side * 15)
            .Spline({{120 + side * 30, 150}, {120 + side * 38, 166}}, {10, 8})
            .Ellipse({120 + side * 40, 170}, 14, 6)
            .Blend(6)
            .Round(14);
        for (int k = 0; k < 3; ++k) {
            const Vec2 base{120 + side * (32 + k * 7.0), 172};
            f.Add(claw).Add(Fang(base, base + Vec2{side * 2 - 3 + k * 3, 6}, 3)).Line(0.4);
        }
    }
    // Body and long neck, the plated belly painted along them.
    const int body = f.Last() + 1;
    f.Add(scale)
        .Ellipse({120, 122}, 30, 36)
        .Spline({{120, 100}, {110, 74}, {116, 50}, {126, 36}}, {22, 14, 12, 11})
        .Blend(10)
        .Round(18);
    f.Add(plates)
        .Ellipse({120, 126}, 17, 30)
        .Spline({{118, 100}, {110, 74}, {116, 52}}, {12, 8, 7})
        .Blend(8)
        .On(body);
    // Spines down the back of the neck.
    Part& spines = f.Add(horn);
    const Vec2 ridge[] = {{134, 44}, {130, 60}, {128, 76}, {132, 92}};
    for (const Vec2& r : ridge)
        spines.Add(Fang(r, r + Vec2{9, -4}, 6));
    spines.Round(3);
    // Forelegs raised, claws out.
    f.Add(scale).Spline({{102, 104}, {88, 116}, {84, 104}}, {8, 6, 5}).Round(6);
    f.Add(scale).Spline({{138, 104}, {152, 116}, {156, 104}}, {8, 6, 5}).Round(6);
    f.Add(claw)
        .Add(Horn({84, 100}, {78, 96}, {76, 90}, 1.6))
        .Add(Horn({86, 100}, {84, 92}, {86, 88}, 1.6))
        .Add(Horn({156, 100}, {162, 96}, {164, 90}, 1.6))
        .Add(Horn({154, 100}, {156, 92}, {154, 88}, 1.6))
        .Line(0.4);
    // Horned head, jaws open, fire welling up behind the teeth.
    f.Add(horn)
        .Add(Horn({130, 20}, {144, 12}, {158, 6}, 4.5))
        .Add(Horn({122, 18}, {128, 6}, {140, 0}, 3.5))
        .Round(4);
    f.Add(Material(Rgb{255, 210, 90}).Glow(1))
        .Ellipse({114, 46}, 12, 6, 20)
        .Halo(6, 0.7, Rgb{255, 130, 30})
        .Line(0.5);
    f.Add(scale).Tube({132, 40}, {104, 56}, 7.5, 4.5).Round(6);
    f.Add(horn).Add(Fang({138, 38}, {150, 42}, 4)).Add(Fang({136, 44}, {146, 52}, 3.5)).Round(3);
    const int head = f.Last() + 1;
    f.Add(scale).Ellipse({130, 26}, 18, 13).Tube({128, 30}, {98, 40}, 11, 7).Blend(7).Round(12);
    f.Add(Material(Rgb{36, 70, 64})).Tube({112, 26}, {134, 20}, 2.2, 2.6).On(head);
    f.Add(Material(Rgb{20, 30, 30})).Ellipse({100, 36}, 2.2, 1.5).On(head);
    f.Add(claw)
        .Add(Fang({104, 45}, {105, 52}, 2.6))
        .Add(Fang({114, 43}, {115, 50}, 2.6))
        .Add(Fang({110, 54}, {109, 48}, 2.4))
        .Line(0.4);
    // A lick of flame escaping the jaws.
    f.Add(Material(Rgb{255, 250, 210})
              .Towards(Rgb{255, 110, 20}, {0, 0}, {0, 1})
              .Surface(Texture::Flame, 3, 0, 0.3)
              .Glow(1)
              .Seed(205))
        .Polygon({{102, 46}, {86, 44}, {70, 52}, {84, 54}, {100, 52}}, 2)
        .Warp(2.5, 3)
        .Halo(5, 0.6, Rgb{255, 120, 30})
        .Line(0)
        .NoShadow();
    GlowEye(f, {124, 22}, 4.2, 2.4, Rgb{255, 150, 40}, -20, true, true);
    return f;
}

Figure Aquatic() {
    // A great octopus heaving itself out of a puddle, arms curling.
    Figure f;
    GroundShadow(f, 120, 96, 0.5);
    f.Add(Material(Rgb{60, 90, 110}).Gloss(0.9, 40))
        .Ellipse({120, 170}, 96, 8)
        .Opacity(0.6)
        .Line(0)
        .Round(4);
    const Material flesh = Material(Rgb{176, 78, 104})
                               .Towards(Rgb{106, 42, 70}, {0, 20}, {0, 176})
                               .Surface(Texture::Skin, 4, 0, 0.35)
                               .Gloss(0.55, 30)
                               .Seed(211);
    const Material under = Material(Rgb{226, 170, 160}).Gloss(0.4, 24);
    // Arms: each a tapering curl ending on or above the floor.
    struct Arm {
        std::vector<Vec2> path;
        double root;
    };
    const Arm back[] = {
        {{{100, 100}, {70, 90}, {40, 62}, {30, 36}, {42, 26}, {50, 36}}, 10},
        {{{140, 100}, {170, 90}, {200, 62}, {210, 36}, {198, 26}, {190, 36}}, 10},
        {{{104, 120}, {76, 140}, {46, 146}, {24, 138}, {20, 124}, {30, 120}}, 11},
        {{{136, 120}, {164, 140}, {194, 146}, {216, 138}, {220, 124}, {210, 120}}, 11},
    };
    for (const Arm& arm : back) {
        std::vector<double> radii;
        for (std::size_t i = 0; i < arm.path.size(); ++i)
            radii.push_back(arm.root * (1 - 0.85 * static_cast<double>(i) /
                                                static_cast<double>(arm.path.size() - 1)));
        f.Add(flesh).Spline(arm.path, radii).Round(8);
    }
    // Body: the bulbous mantle over the head.
    const int mantle = f.Last() + 1;
    f.Add(flesh).Ellipse({120, 62}, 38, 44).Ellipse({120, 112}, 40, 22).Blend(20).Round(34);
    f.Add(Material(Rgb{120, 46, 78}))
        .Circle({100, 40}, 4)
        .Circle({136, 32}, 3)
        .Circle({142, 56}, 5)
        .Circle({98, 66}, 3)
        .Circle({120, 24}, 3.5)
        .Opacity(0.7)
        .On(mantle);
    // Front arms coiling on the floor, suckers showing.
    const Arm front[] = {
        {{{108, 124}, {96, 150}, {70, 166}, {50, 166}, {44, 154}, {54, 148}}, 12},
        {{{132, 124}, {144, 150}, {170, 166}, {190, 166}, {196, 154}, {186, 148}}, 12},
        {{{114, 128}, {110, 156}, {118, 170}, {132, 166}, {130, 156}}, 11},
    };
    for (const Arm& arm : front) {
        std::vector<double> radii;
        for (std::size_t i = 0; i < arm.path.size(); ++i)
            radii.push_back(arm.root * (1 - 0.8 * static_cast<double>(i) /
                                                static_cast<double>(arm.path.size() - 1)));
        const int limb = f.Last() + 1;
        f.Add(flesh).Spline(arm.path, radii).Round(9);
        Part& suckers = f.Add(under);
        for (std::size_t i = 1; i + 1 < arm.path.size(); ++i) {
            const Vec2 p = Lerp(arm.path[i], arm.path[i + 1], 0.5);
            suckers.Circle(p + Vec2{0, radii[i] * 0.45}, radii[i] * 0.3);
            suckers.Circle(arm.path[i] + Vec2{0, radii[i] * 0.5}, radii[i] * 0.28);
        }
        suckers.On(limb);
    }
    // Eyes with bar-shaped pupils.
    f.Add(flesh).Ellipse({98, 90}, 11, 9).Ellipse({142, 90}, 11, 9).Round(8);
    GlowEye(f, {98, 90}, 7, 6, Rgb{240, 210, 110}, 0, false);
    GlowEye(f, {142, 90}, 7, 6, Rgb{240, 210, 110}, 0, false);
    f.Add(Material(Rgb{14, 10, 12}).Glow(1))
        .Ellipse({98, 91}, 5, 1.8)
        .Ellipse({142, 91}, 5, 1.8)
        .Line(0);
    // Bubbles rising.
    f.Add(Material(Rgb{180, 220, 240}).Gloss(0.9, 40))
        .Circle({60, 100}, 3)
        .Circle({66, 86}, 2)
        .Circle({182, 104}, 2.5)
        .Circle({176, 92}, 1.8)
        .Opacity(0.5)
        .Line(0.6)
        .Round(3);
    return f;
}

}  // namespace dv::art::monsters
