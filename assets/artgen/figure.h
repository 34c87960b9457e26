// Creatures drawn as stacks of shapes. A part is a union of ellipses, tapered
// tubes and polygons in one material; parts are laid back to front, shaded as
// rounded surfaces in the party's torchlight and rimmed with near-black lines,
// so the creature reads against the dark of the dungeon. Coordinates are
// pixels of the finished picture, x to the right and y down.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "artgen/image.h"
#include "artgen/sprite.h"

namespace dv::art {

struct Vec2 {
    double x = 0;
    double y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, double k) {
    return {a.x * k, a.y * k};
}
double Dot(Vec2 a, Vec2 b);
double Length(Vec2 a);
Vec2 Lerp(Vec2 a, Vec2 b, double t);

struct Bounds {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

class Shape {
  public:
    static Shape Circle(Vec2 centre, double radius);
    // degrees turns the ellipse clockwise (y points down).
    static Shape Ellipse(Vec2 centre, double rx, double ry, double degrees = 0);
    // A tube from a to b whose radius goes from ra to rb; the ends are round.
    static Shape Tube(Vec2 a, Vec2 b, double ra, double rb);
    // A smooth tube through the points; radii holds one radius per point.
    static Shape Spline(const std::vector<Vec2>& points, const std::vector<double>& radii);
    // A tube along a quadratic (three points) or cubic (four points) Bezier
    // curve, the radius going from r0 to r1.
    static Shape Curve(const std::vector<Vec2>& control, double r0, double r1);
    // rounding grows the polygon and rounds its corners.
    static Shape Polygon(const std::vector<Vec2>& points, double rounding = 0);

    // Signed distance in pixels: negative inside.
    double Distance(Vec2 p) const;
    const Bounds& Box() const { return box_; }
    Shape MirroredX(double axis) const;

  private:
    struct Segment {
        Vec2 a;
        Vec2 ba;
        double ra = 0;
        double rb = 0;
        double l2 = 0;
        double rr = 0;
        double a2 = 0;
        Bounds box;
    };
    enum class Kind { Ellipse, Chain, Polygon };

    static Shape Chain(const std::vector<Vec2>& points, const std::vector<double>& radii);
    double EllipseDistance(Vec2 p) const;
    double ChainDistance(Vec2 p) const;
    double PolygonDistance(Vec2 p) const;

    Kind kind_ = Kind::Ellipse;
    Vec2 centre_;
    double rx_ = 0;
    double ry_ = 0;
    double cos_ = 1;
    double sin_ = 0;
    std::vector<Vec2> points_;
    std::vector<double> radii_;
    std::vector<Segment> segments_;
    double rounding_ = 0;
    Bounds box_;
};

enum class Texture {
    Smooth,
    Skin,
    Fur,
    Scales,
    Feathers,
    Stone,
    Metal,
    Bone,
    Cloth,
    Bark,
    Leather,
    Slime,
    Flame,
};

class Material {
  public:
    Material() = default;
    explicit Material(Rgb colour) : colour_(colour), colour2_(colour) {}

    // A second colour reached at `to`, starting from the first at `from`.
    Material& Towards(Rgb colour2, Vec2 from, Vec2 to);
    // grain: size of the texture's features in pixels; degrees: direction of
    // fur, feathers, bark and cloth folds (0 along x, 90 along y).
    Material& Surface(Texture texture, double grain = 6, double degrees = 90,
                      double contrast = 0.3);
    Material& Gloss(double strength, double shininess = 24);
    // 1 lights itself (eyes, fire, magic) and ignores the torch.
    Material& Glow(double amount);
    Material& Seed(std::uint32_t seed);

    Rgb colour_;
    Rgb colour2_;
    Vec2 from_;
    Vec2 to_{0, 1};
    Texture texture_ = Texture::Smooth;
    double grain_ = 6;
    double degrees_ = 90;
    double contrast_ = 0.3;
    double gloss_ = 0.08;
    double shininess_ = 16;
    double glow_ = 0;
    std::uint32_t seed_ = 1;
};

class Part {
  public:
    explicit Part(const Material& material) : material_(material) {}

    Part& Add(const Shape& shape);
    Part& Circle(Vec2 centre, double radius) { return Add(Shape::Circle(centre, radius)); }
    Part& Ellipse(Vec2 centre, double rx, double ry, double degrees = 0) {
        return Add(Shape::Ellipse(centre, rx, ry, degrees));
    }
    Part& Tube(Vec2 a, Vec2 b, double ra, double rb) { return Add(Shape::Tube(a, b, ra, rb)); }
    Part& Spline(const std::vector<Vec2>& points, const std::vector<double>& radii) {
        return Add(Shape::Spline(points, radii));
    }
    Part& Curve(const std::vector<Vec2>& control, double r0, double r1) {
        return Add(Shape::Curve(control, r0, r1));
    }
    Part& Polygon(const std::vector<Vec2>& points, double rounding = 0) {
        return Add(Shape::Polygon(points, rounding));
    }
    // Adds a mirror image of every shape so far, about the vertical line x = axis.
    Part& MirrorX(double axis);
    // Takes the shape away from the part.
    Part& Cut(const Shape& shape);

    // Shapes melt into each other over this many pixels instead of meeting in a crease.
    Part& Blend(double reach);
    Part& CutBlend(double reach);
    // How far in from the edge the surface keeps curving; small values look flat.
    Part& Round(double depth);
    // Width of the dark line along the part's edge; 0 for none.
    Part& Line(double width);
    Part& Opacity(double alpha);
    // Blurs the edge over this many pixels (shadows, mist).
    Part& Soft(double width);
    // Light spilling around the part, fading over `reach` pixels; in the
    // part's own colour unless another is given.
    Part& Halo(double reach, double strength);
    Part& Halo(double reach, double strength, Rgb colour);
    // Opaque at `from`, fading out towards `to`.
    Part& Fade(Vec2 from, Vec2 to);
    // Breaks the part into wisps; amount 0..1, scale in pixels.
    Part& Wisps(double amount, double scale);
    // Wobbles the outline by up to `amount` pixels (flames, drips, rags).
    Part& Warp(double amount, double scale);
    // Paints the part onto an earlier one: it is clipped to that part and
    // shaded as its surface (markings, stripes, bellies).
    Part& On(int partIndex);
    Part& NoShadow();

    double Distance(Vec2 p) const;
    Bounds Box() const;

    const Material& GetMaterial() const { return material_; }
    double RoundDepth() const { return round_; }
    double LineWidth() const { return line_; }
    double Alpha() const { return alpha_; }
    double SoftWidth() const { return soft_; }
    double HaloReach() const { return haloReach_; }
    double HaloStrength() const { return haloStrength_; }
    const Rgb& HaloColour() const { return haloColour_; }
    double FadeAt(Vec2 p) const;
    double WispsAt(Vec2 p) const;
    int Host() const { return host_; }
    bool CastsShadow() const { return castsShadow_; }
    // Fully hides what lies behind wherever it is fully inside.
    bool Solid() const;

  private:
    Vec2 Warped(Vec2 p) const;

    Material material_;
    std::vector<Shape> shapes_;
    std::vector<Shape> cuts_;
    double blend_ = 0;
    double cutBlend_ = 0;
    double round_ = 10;
    double line_ = 0.9;
    double alpha_ = 1;
    double soft_ = 0;
    double haloReach_ = 0;
    double haloStrength_ = 0;
    Rgb haloColour_;
    bool fade_ = false;
    Vec2 fadeFrom_;
    Vec2 fadeTo_;
    double wisps_ = 0;
    double wispScale_ = 10;
    double warp_ = 0;
    double warpScale_ = 10;
    int host_ = -1;
    bool castsShadow_ = true;
};

class Figure {
  public:
    // The new part lies over every earlier one. The reference stays valid
    // while more parts are added.
    Part& Add(const Material& material);
    int Last() const { return static_cast<int>(parts_.size()) - 1; }
    int Count() const { return static_cast<int>(parts_.size()); }
    const Part& At(int index) const { return parts_[static_cast<std::size_t>(index)]; }

  private:
    std::deque<Part> parts_;
};

// Renders the figure on a transparent picture, sampling each pixel
// samples x samples times.
RgbaImage RenderFigure(const Figure& figure, int width, int height, int samples);

}  // namespace dv::art
