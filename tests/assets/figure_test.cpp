// The shape painter the monster pictures are drawn with: signed distances of
// its shapes, parts laid back to front, outlines, markings kept on their host,
// and transparent pictures surviving a PNG round trip.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "artgen/figure.h"
#include "artgen/sprite.h"
#include "generated_art.h"

namespace dv::art {
namespace {

struct DistanceCase {
    const char* what;
    Shape shape;
    Vec2 point;
    double expected;
};

TEST(Shapes, SignedDistancesInsideAndOut) {
    const std::vector<DistanceCase> cases = {
        {"circle centre", Shape::Circle({10, 10}, 5), {10, 10}, -5},
        {"circle outside", Shape::Circle({10, 10}, 5), {20, 10}, 5},
        {"ellipse on its edge", Shape::Ellipse({0, 0}, 8, 4), {8, 0}, 0},
        {"ellipse turned a right angle", Shape::Ellipse({0, 0}, 8, 4, 90), {0, 10}, 2},
        {"tube beside its middle", Shape::Tube({0, 0}, {20, 0}, 3, 3), {10, 5}, 2},
        {"tube past its end", Shape::Tube({0, 0}, {20, 0}, 3, 3), {26, 0}, 3},
        {"tapered tube at the thin end", Shape::Tube({0, 0}, {20, 0}, 6, 2), {20, 0}, -2},
        {"square inside", Shape::Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}}), {5, 5}, -5},
        {"square outside", Shape::Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}}), {13, 5}, 3},
        {"rounded square", Shape::Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 2), {13, 5}, 1},
        {"mirrored ellipse", Shape::Ellipse({10, 0}, 4, 2).MirroredX(0), {-10, 0}, -2},
        {"curve through its middle", Shape::Curve({{0, 0}, {10, 0}, {20, 0}}, 2, 2), {10, 0}, -2},
    };
    for (const DistanceCase& c : cases)
        EXPECT_NEAR(c.shape.Distance(c.point), c.expected, 0.05) << c.what;
}

TEST(Shapes, SplinePassesThroughItsPoints) {
    const Shape s = Shape::Spline({{0, 0}, {20, 10}, {40, 0}}, {2, 4, 2});
    EXPECT_NEAR(s.Distance({0, 0}), -2, 0.05);
    EXPECT_NEAR(s.Distance({20, 10}), -4, 0.05);
    EXPECT_NEAR(s.Distance({40, 0}), -2, 0.05);
    EXPECT_GT(s.Distance({20, -10}), 0);
}

TEST(Parts, CutsAndBlendsChangeTheOutline) {
    Part ring(Material(Rgb{100, 100, 100}));
    ring.Circle({0, 0}, 10).Cut(Shape::Circle({0, 0}, 5));
    EXPECT_GT(ring.Distance({0, 0}), 0) << "the hole";
    EXPECT_LT(ring.Distance({7.5, 0}), 0);
    Part blob(Material(Rgb{100, 100, 100}));
    blob.Circle({-6, 0}, 5).Circle({6, 0}, 5);
    const double sharp = blob.Distance({0, 4});
    blob.Blend(8);
    EXPECT_LT(blob.Distance({0, 4}), sharp) << "blended shapes fill the crease between them";
}

Figure Disc(Rgb colour) {
    Figure f;
    f.Add(Material(colour)).Circle({20, 20}, 10);
    return f;
}

TEST(Rendering, ShapeIsOpaqueOutlinedInDarkAndTheRestTransparent) {
    const RgbaImage image = RenderFigure(Disc(Rgb{200, 200, 200}), 40, 40, 3);
    EXPECT_DOUBLE_EQ(image.AlphaAt(20, 20), 1.0);
    EXPECT_DOUBLE_EQ(image.AlphaAt(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(image.AlphaAt(20, 35), 0.0);
    // Just outside the disc: the dark outline.
    EXPECT_GT(image.AlphaAt(30, 20), 0.9);
    EXPECT_LT(image.ColourAt(30, 20).r, 40);
    EXPECT_GT(image.ColourAt(20, 20).r, 80) << "the disc itself is lit";
}

TEST(Rendering, LaterPartsLieOverEarlierOnes) {
    Figure f = Disc(Rgb{200, 40, 40});
    f.Add(Material(Rgb{40, 40, 200})).Circle({20, 20}, 4);
    const RgbaImage image = RenderFigure(f, 40, 40, 3);
    EXPECT_GT(image.ColourAt(20, 20).b, image.ColourAt(20, 20).r);
    EXPECT_GT(image.ColourAt(20, 12).r, image.ColourAt(20, 12).b);
}

TEST(Rendering, MarkingsStayOnTheirHost) {
    Figure f = Disc(Rgb{200, 200, 200});
    f.Add(Material(Rgb{20, 200, 20})).Circle({30, 20}, 8).On(0);
    const RgbaImage image = RenderFigure(f, 40, 40, 3);
    EXPECT_GT(image.ColourAt(26, 20).g, image.ColourAt(26, 20).r + 40) << "painted on the disc";
    EXPECT_LT(image.AlphaAt(36, 20), 0.01) << "nothing past the disc's outline";
}

TEST(Rendering, SeeThroughPartsAndGlowLetTheBackgroundShow) {
    Figure f;
    f.Add(Material(Rgb{200, 200, 255}).Glow(1))
        .Circle({20, 20}, 8)
        .Opacity(0.5)
        .Line(0)
        .Halo(3, 0.5);
    const RgbaImage image = RenderFigure(f, 40, 40, 3);
    EXPECT_NEAR(image.AlphaAt(20, 20), 0.5, 0.01);
    EXPECT_GT(image.AlphaAt(30, 20), 0.0) << "the halo";
    EXPECT_LT(image.AlphaAt(30, 20), 0.5);
    EXPECT_DOUBLE_EQ(image.AlphaAt(0, 0), 0.0);
}

TEST(RgbaPictures, SurviveAPngRoundTrip) {
    RgbaImage image(4, 2);
    image.ColourAt(0, 0) = Rgb{255, 0, 0};
    image.AlphaAt(0, 0) = 1;
    image.ColourAt(1, 0) = Rgb{10, 200, 30};
    image.AlphaAt(1, 0) = 0.5;
    image.ColourAt(2, 0) = Rgb{90, 90, 90};  // not seen: fully transparent
    const std::string folder = testing::MakeTempFolder("dv-rgba-");
    ASSERT_FALSE(folder.empty());
    const std::string path = folder + "/round.png";
    ASSERT_TRUE(SavePng(image, path));
    PictureRgba8 back;
    ASSERT_TRUE(LoadPictureRgba(path, back));
    ASSERT_EQ(back.width, 4);
    ASSERT_EQ(back.height, 2);
    const std::vector<std::uint8_t> expected = {255, 0, 0, 255, 10, 200, 30, 128, 0, 0, 0, 0};
    EXPECT_EQ(std::vector<std::uint8_t>(back.data.begin(), back.data.begin() + 12), expected);
    EXPECT_FALSE(LoadPictureRgba(folder + "/missing.png", back));
    std::filesystem::remove_all(folder);
}

TEST(RgbaPictures, BlendOverMixesByAlphaAndClipsAtTheEdges) {
    PictureRgba8 sprite{2, 1, {200, 100, 0, 255, 200, 100, 0, 128}};
    Picture8 target{2, 1, {0, 0, 0, 0, 0, 0}};
    BlendOver(sprite, target, 0, 0);
    EXPECT_EQ(target.data, (std::vector<std::uint8_t>{200, 100, 0, 100, 50, 0}));
    Picture8 small{1, 1, {10, 10, 10}};
    BlendOver(sprite, small, 1, 0);  // entirely off to the right
    EXPECT_EQ(small.data, (std::vector<std::uint8_t>{10, 10, 10}));
    BlendOver(sprite, small, -1, 0);  // only its second pixel lands
    EXPECT_EQ(small.data, (std::vector<std::uint8_t>{105, 55, 5}));
}

}  // namespace
}  // namespace dv::art
