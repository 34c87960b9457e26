#include "artgen/figure.h"

#include <algorithm>
#include <cmath>

#include "artgen/noise.h"

namespace dv::art {

namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kFar = 1e9;
constexpr double kOutline = 1.4;  // outer line around the whole creature
constexpr double kHaloEnd = 5;    // halos end this many reaches from their part
const Rgb kInk{12, 10, 14};

double Sign(double x) {
    return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0);
}

double SMin(double a, double b, double k) {
    const double h = std::max(k - std::abs(a - b), 0.0) / k;
    return std::min(a, b) - h * h * k * 0.25;
}

double SMax(double a, double b, double k) {
    return -SMin(-a, -b, k);
}

Bounds Union(const Bounds& a, const Bounds& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

Bounds Grown(const Bounds& b, double by) {
    return {b.left - by, b.top - by, b.right + by, b.bottom + by};
}

bool Inside(const Bounds& b, Vec2 p) {
    return p.x >= b.left && p.x <= b.right && p.y >= b.top && p.y <= b.bottom;
}

// Distance from p to the box; 0 inside it.
double BoxDistance(const Bounds& b, Vec2 p) {
    const double dx = std::max({b.left - p.x, 0.0, p.x - b.right});
    const double dy = std::max({b.top - p.y, 0.0, p.y - b.bottom});
    return std::hypot(dx, dy);
}

constexpr Bounds kEmpty{kFar, kFar, -kFar, -kFar};

Vec2 CatmullRom(Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3, double t) {
    const double t2 = t * t;
    const double t3 = t2 * t;
    auto axis = [&](double a, double b, double c, double d) {
        return 0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                      (-a + 3 * b - 3 * c + d) * t3);
    };
    return {axis(p0.x, p1.x, p2.x, p3.x), axis(p0.y, p1.y, p2.y, p3.y)};
}

Vec2 Bezier(const std::vector<Vec2>& c, double t) {
    const double s = 1 - t;
    if (c.size() == 3) return c[0] * (s * s) + c[1] * (2 * s * t) + c[2] * (t * t);
    return c[0] * (s * s * s) + c[1] * (3 * s * s * t) + c[2] * (3 * s * t * t) +
           c[3] * (t * t * t);
}

}  // namespace

double Dot(Vec2 a, Vec2 b) {
    return a.x * b.x + a.y * b.y;
}

double Length(Vec2 a) {
    return std::hypot(a.x, a.y);
}

Vec2 Lerp(Vec2 a, Vec2 b, double t) {
    return a + (b - a) * t;
}

// ---- Shapes ----

Shape Shape::Circle(Vec2 centre, double radius) {
    return Ellipse(centre, radius, radius);
}

Shape Shape::Ellipse(Vec2 centre, double rx, double ry, double degrees) {
    Shape s;
    s.kind_ = Kind::Ellipse;
    s.centre_ = centre;
    s.rx_ = rx;
    s.ry_ = ry;
    s.cos_ = std::cos(degrees * kPi / 180);
    s.sin_ = std::sin(degrees * kPi / 180);
    const double ex = std::sqrt(rx * rx * s.cos_ * s.cos_ + ry * ry * s.sin_ * s.sin_);
    const double ey = std::sqrt(rx * rx * s.sin_ * s.sin_ + ry * ry * s.cos_ * s.cos_);
    s.box_ = {centre.x - ex, centre.y - ey, centre.x + ex, centre.y + ey};
    return s;
}

Shape Shape::Chain(const std::vector<Vec2>& points, const std::vector<double>& radii) {
    Shape s;
    s.kind_ = Kind::Chain;
    s.points_ = points;
    s.radii_ = radii;
    s.box_ = kEmpty;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        Segment seg;
        seg.a = points[i];
        seg.ba = points[i + 1] - points[i];
        seg.ra = radii[i];
        seg.rb = radii[i + 1];
        seg.l2 = Dot(seg.ba, seg.ba);
        seg.rr = seg.ra - seg.rb;
        seg.a2 = seg.l2 - seg.rr * seg.rr;
        const double r = std::max(seg.ra, seg.rb);
        const Vec2 b = points[i + 1];
        seg.box = {std::min(seg.a.x, b.x) - r, std::min(seg.a.y, b.y) - r,
                   std::max(seg.a.x, b.x) + r, std::max(seg.a.y, b.y) + r};
        s.box_ = Union(s.box_, seg.box);
        s.segments_.push_back(seg);
    }
    if (points.size() == 1) {
        return Circle(points[0], radii[0]);
    }
    return s;
}

Shape Shape::Tube(Vec2 a, Vec2 b, double ra, double rb) {
    return Chain({a, b}, {ra, rb});
}

Shape Shape::Spline(const std::vector<Vec2>& points, const std::vector<double>& radii) {
    constexpr int kSteps = 8;
    if (points.size() < 2) return Chain(points, radii);
    std::vector<Vec2> samples;
    std::vector<double> sampleRadii;
    const std::size_t last = points.size() - 1;
    for (std::size_t i = 0; i < last; ++i) {
        const Vec2 p0 = points[i == 0 ? 0 : i - 1];
        const Vec2 p3 = points[std::min(i + 2, last)];
        for (int k = 0; k < kSteps; ++k) {
            const double t = static_cast<double>(k) / kSteps;
            samples.push_back(CatmullRom(p0, points[i], points[i + 1], p3, t));
            sampleRadii.push_back(radii[i] + (radii[i + 1] - radii[i]) * t);
        }
    }
    samples.push_back(points[last]);
    sampleRadii.push_back(radii[last]);
    return Chain(samples, sampleRadii);
}

Shape Shape::Curve(const std::vector<Vec2>& control, double r0, double r1) {
    constexpr int kSteps = 14;
    std::vector<Vec2> samples;
    std::vector<double> radii;
    for (int k = 0; k <= kSteps; ++k) {
        const double t = static_cast<double>(k) / kSteps;
        samples.push_back(Bezier(control, t));
        radii.push_back(r0 + (r1 - r0) * t);
    }
    return Chain(samples, radii);
}

Shape Shape::Polygon(const std::vector<Vec2>& points, double rounding) {
    Shape s;
    s.kind_ = Kind::Polygon;
    s.points_ = points;
    s.rounding_ = rounding;
    s.box_ = kEmpty;
    for (const Vec2& p : points)
        s.box_ = Union(s.box_, {p.x, p.y, p.x, p.y});
    s.box_ = Grown(s.box_, rounding);
    return s;
}

Shape Shape::MirroredX(double axis) const {
    auto flip = [axis](Vec2 p) { return Vec2{2 * axis - p.x, p.y}; };
    switch (kind_) {
        case Kind::Ellipse: {
            const double degrees = std::atan2(-sin_, cos_) * 180 / kPi;
            return Ellipse(flip(centre_), rx_, ry_, degrees);
        }
        case Kind::Chain: {
            std::vector<Vec2> points;
            for (const Vec2& p : points_)
                points.push_back(flip(p));
            return Chain(points, radii_);
        }
        case Kind::Polygon: {
            std::vector<Vec2> points;
            for (auto it = points_.rbegin(); it != points_.rend(); ++it)
                points.push_back(flip(*it));
            return Polygon(points, rounding_);
        }
    }
    return *this;
}

double Shape::EllipseDistance(Vec2 p) const {
    const double dx = p.x - centre_.x;
    const double dy = p.y - centre_.y;
    const double lx = dx * cos_ + dy * sin_;
    const double ly = -dx * sin_ + dy * cos_;
    const double k0 = std::hypot(lx / rx_, ly / ry_);
    const double k1 = std::hypot(lx / (rx_ * rx_), ly / (ry_ * ry_));
    if (k1 < 1e-12) return -std::min(rx_, ry_);
    return k0 * (k0 - 1) / k1;
}

double Shape::ChainDistance(Vec2 p) const {
    double best = kFar;
    for (const Segment& s : segments_) {
        const double boxDistance = BoxDistance(s.box, p);
        if (boxDistance > 0 && boxDistance >= best) continue;
        double d;
        if (s.a2 <= 1e-9 || s.l2 <= 1e-9) {
            // One end's circle holds the other: the tube is that circle.
            d = std::min(Length(p - s.a) - s.ra, Length(p - (s.a + s.ba)) - s.rb);
        } else {
            const Vec2 pa = p - s.a;
            const double y = Dot(pa, s.ba);
            const double z = y - s.l2;
            const Vec2 xv = pa * s.l2 - s.ba * y;
            const double x2 = Dot(xv, xv);
            const double y2 = y * y * s.l2;
            const double z2 = z * z * s.l2;
            const double k = Sign(s.rr) * s.rr * s.rr * x2;
            if (Sign(z) * s.a2 * z2 > k) {
                d = std::sqrt(x2 + z2) / s.l2 - s.rb;
            } else if (Sign(y) * s.a2 * y2 < k) {
                d = std::sqrt(x2 + y2) / s.l2 - s.ra;
            } else {
                d = (std::sqrt(x2 * s.a2 / s.l2) + y * s.rr) / s.l2 - s.ra;
            }
        }
        best = std::min(best, d);
    }
    return best;
}

double Shape::PolygonDistance(Vec2 p) const {
    const std::size_t n = points_.size();
    double d = Dot(p - points_[0], p - points_[0]);
    double s = 1;
    for (std::size_t i = 0, j = n - 1; i < n; j = i, ++i) {
        const Vec2 e = points_[j] - points_[i];
        const Vec2 w = p - points_[i];
        const double along = std::clamp(Dot(w, e) / Dot(e, e), 0.0, 1.0);
        const Vec2 b = w - e * along;
        d = std::min(d, Dot(b, b));
        const bool c1 = p.y >= points_[i].y;
        const bool c2 = p.y < points_[j].y;
        const bool c3 = e.x * w.y > e.y * w.x;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
    }
    return s * std::sqrt(d) - rounding_;
}

double Shape::Distance(Vec2 p) const {
    switch (kind_) {
        case Kind::Ellipse:
            return EllipseDistance(p);
        case Kind::Chain:
            return ChainDistance(p);
        case Kind::Polygon:
            return PolygonDistance(p);
    }
    return kFar;
}

// ---- Materials ----

Material& Material::Towards(Rgb colour2, Vec2 from, Vec2 to) {
    colour2_ = colour2;
    from_ = from;
    to_ = to;
    return *this;
}

Material& Material::Surface(Texture texture, double grain, double degrees, double contrast) {
    texture_ = texture;
    grain_ = grain;
    degrees_ = degrees;
    contrast_ = contrast;
    return *this;
}

Material& Material::Gloss(double strength, double shininess) {
    gloss_ = strength;
    shininess_ = shininess;
    return *this;
}

Material& Material::Glow(double amount) {
    glow_ = amount;
    return *this;
}

Material& Material::Seed(std::uint32_t seed) {
    seed_ = seed;
    return *this;
}

// ---- Parts ----

Part& Part::Add(const Shape& shape) {
    shapes_.push_back(shape);
    return *this;
}

Part& Part::MirrorX(double axis) {
    const std::size_t count = shapes_.size();
    for (std::size_t i = 0; i < count; ++i)
        shapes_.push_back(shapes_[i].MirroredX(axis));
    return *this;
}

Part& Part::Cut(const Shape& shape) {
    cuts_.push_back(shape);
    return *this;
}

Part& Part::Blend(double reach) {
    blend_ = reach;
    return *this;
}

Part& Part::CutBlend(double reach) {
    cutBlend_ = reach;
    return *this;
}

Part& Part::Round(double depth) {
    round_ = depth;
    return *this;
}

Part& Part::Line(double width) {
    line_ = width;
    return *this;
}

Part& Part::Opacity(double alpha) {
    alpha_ = alpha;
    return *this;
}

Part& Part::Soft(double width) {
    soft_ = width;
    return *this;
}

Part& Part::Halo(double reach, double strength) {
    return Halo(reach, strength, material_.colour_);
}

Part& Part::Halo(double reach, double strength, Rgb colour) {
    haloReach_ = reach;
    haloStrength_ = strength;
    haloColour_ = colour;
    return *this;
}

Part& Part::Fade(Vec2 from, Vec2 to) {
    fade_ = true;
    fadeFrom_ = from;
    fadeTo_ = to;
    return *this;
}

Part& Part::Wisps(double amount, double scale) {
    wisps_ = amount;
    wispScale_ = scale;
    return *this;
}

Part& Part::Warp(double amount, double scale) {
    warp_ = amount;
    warpScale_ = scale;
    return *this;
}

Part& Part::On(int partIndex) {
    host_ = partIndex;
    line_ = 0;
    return *this;
}

Part& Part::NoShadow() {
    castsShadow_ = false;
    return *this;
}

Vec2 Part::Warped(Vec2 p) const {
    const std::uint32_t seed = material_.seed_ * 31U + 7U;
    const double nx = Fbm(p.x / warpScale_, p.y / warpScale_, seed, 2);
    const double ny = Fbm(p.x / warpScale_, p.y / warpScale_, seed + 101U, 2);
    return p + Vec2{nx - 0.5, ny - 0.5} * (2 * warp_);
}

double Part::Distance(Vec2 p) const {
    const Vec2 q = warp_ > 0 ? Warped(p) : p;
    double d = kFar;
    for (const Shape& shape : shapes_) {
        const double boxDistance = BoxDistance(shape.Box(), q);
        if (boxDistance > 0 && boxDistance >= d + blend_) continue;
        const double ds = shape.Distance(q);
        d = blend_ > 0 ? SMin(d, ds, blend_) : std::min(d, ds);
    }
    for (const Shape& cut : cuts_) {
        const double boxDistance = BoxDistance(cut.Box(), q);
        if (boxDistance > 0 && boxDistance >= -d + cutBlend_) continue;
        const double dc = cut.Distance(q);
        d = cutBlend_ > 0 ? SMax(d, -dc, cutBlend_) : std::max(d, -dc);
    }
    return d;
}

Bounds Part::Box() const {
    Bounds box = kEmpty;
    for (const Shape& shape : shapes_)
        box = Union(box, shape.Box());
    return Grown(box, warp_ * 1.5 + blend_ * 0.25);
}

double Part::FadeAt(Vec2 p) const {
    if (!fade_) return 1;
    const Vec2 axis = fadeTo_ - fadeFrom_;
    const double t = Dot(p - fadeFrom_, axis) / std::max(Dot(axis, axis), 1e-9);
    return 1 - SmoothStep(0, 1, t);
}

double Part::WispsAt(Vec2 p) const {
    if (wisps_ <= 0) return 1;
    const double n = Fbm(p.x / wispScale_, p.y / (wispScale_ * 2), material_.seed_ + 5U, 3);
    return 1 - wisps_ * (1 - SmoothStep(0.35, 0.62, n));
}

bool Part::Solid() const {
    return alpha_ >= 1 && soft_ <= 0 && !fade_ && wisps_ <= 0 && host_ < 0;
}

Part& Figure::Add(const Material& material) {
    parts_.emplace_back(material);
    return parts_.back();
}

// ---- Rendering ----

namespace {

struct Vec3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

Vec3 Normalised(Vec3 v) {
    const double l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (l < 1e-12) return {0, 0, 1};
    return {v.x / l, v.y / l, v.z / l};
}

double Dot3(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The party's torch: in front of the creature, above and to the left.
const Vec3 kLight = Normalised({-0.45, -0.62, 0.64});
const Vec3 kHalfway = Normalised({kLight.x, kLight.y, kLight.z + 1});
const Rgb kTorch{1.0, 0.86, 0.68};
const Rgb kAmbient{0.22, 0.21, 0.29};
// Cold light of the corridor behind, catching the right and upper edges.
const Rgb kRim{0.36, 0.46, 0.78};
constexpr double kShadowReach = 5;  // how far above-left a part's shadow falls from

double Fold(double x) {
    return 0.5 + 0.5 * std::sin(x);
}

// Relief of the texture at p in 0..1 (0.5 = flat). edge (0..1) darkens the
// tone at the edges of scales and feathers.
struct TexturePoint {
    double height = 0.5;
    double edge = 0;
};

TexturePoint Scaly(double across, double along, double width, double length, std::uint32_t seed) {
    // Rows of round scales; each row overlaps the one before it.
    const double row = std::floor(along / length);
    TexturePoint best{0.5, 1};
    for (int k = 1; k >= 0; --k) {
        const double r = row + k;
        const double shift = std::fmod(std::abs(r), 2.0) * 0.5;
        const double col = std::floor(across / width + shift);
        for (int c = -1; c <= 1; ++c) {
            const double cx = (col + c + 0.5 - shift) * width;
            const double cy = (r - 0.15) * length;
            const double dx = (across - cx) / (width * 0.62);
            const double dy = (along - cy) / (length * 1.05);
            const double d = std::hypot(dx, dy);
            if (d < 1 && along < cy + length * 0.2) {
                const double jitter =
                    Random01(static_cast<int>(col + c), static_cast<int>(r), seed);
                return {1 - d * d * 0.6 + jitter * 0.15, 0.4 * SmoothStep(0.75, 1.0, d)};
            }
        }
    }
    return best;
}

TexturePoint SampleTexture(const Material& m, Vec2 p) {
    const double rad = m.degrees_ * kPi / 180;
    const double along = p.x * std::cos(rad) + p.y * std::sin(rad);
    const double across = -p.x * std::sin(rad) + p.y * std::cos(rad);
    const double g = m.grain_;
    const std::uint32_t seed = m.seed_;
    switch (m.texture_) {
        case Texture::Smooth:
            return {};
        case Texture::Skin:
            return {Fbm(p.x / g, p.y / g, seed, 3), 0};
        case Texture::Fur: {
            // Locks of hair: short strands that bunch into tufts.
            const double tuft = Fbm(p.x / (g * 2.5), p.y / (g * 2.5), seed + 3U, 2);
            const double strands = Fbm(along / (g * 1.6) + tuft * 2, across / (g * 0.4), seed, 2);
            return {strands * 0.6 + tuft * 0.4, 0};
        }
        case Texture::Scales:
            return Scaly(across, along, g, g * 0.62, seed);
        case Texture::Feathers: {
            TexturePoint t = Scaly(across, along, g, g * 1.5, seed);
            const double shaft = std::abs(std::fmod(std::abs(across) / g + 0.5, 1.0) - 0.5);
            t.height -= 0.25 * SmoothStep(0.08, 0.0, shaft);
            t.height += 0.12 * (Fbm(along / 2, across * 2, seed + 1U, 2) - 0.5);
            return t;
        }
        case Texture::Stone: {
            const double n = Fbm(p.x / g, p.y / g, seed, 4);
            const double vein = std::abs(Fbm(p.x / (g * 2.5), p.y / (g * 2.5), seed + 9U, 3) - 0.5);
            const double crack = SmoothStep(0.035, 0.0, vein);
            return {n - crack * 0.5, crack * 0.8};
        }
        case Texture::Metal:
            return {0.5 + 0.3 * (Fbm(along / (g * 4), across / (g * 0.25), seed, 2) - 0.5), 0};
        case Texture::Bone: {
            const double n = Fbm(p.x / g, p.y / g, seed, 3);
            const double pit =
                Random01(static_cast<int>(p.x), static_cast<int>(p.y), seed) > 0.985 ? 0.25 : 0.0;
            return {n - pit, pit};
        }
        case Texture::Cloth: {
            // Soft folds that come and go along the cloth, over a faint weave.
            const double wobble = Fbm(along / (g * 6), across / (g * 3), seed, 2);
            const double folds = Fold(across / (g * 1.6) * kPi + wobble * 2 * kPi);
            const double depth = Fbm(along / (g * 5), across / (g * 5), seed + 7U, 2);
            const double weave = Fbm(p.x / (g * 0.4), p.y / (g * 0.4), seed + 9U, 1);
            return {0.5 + (folds - 0.5) * (0.3 + 0.9 * depth) + (weave - 0.5) * 0.15, 0};
        }
        case Texture::Bark: {
            const double wobble = 2.5 * Fbm(along / (g * 4), across / g, seed, 2);
            const double ridge = std::abs(std::sin(across / g * kPi + wobble));
            return {ridge, SmoothStep(0.3, 0.0, ridge) * 0.5};
        }
        case Texture::Leather: {
            const double n = Fbm(p.x / g, p.y / g, seed, 3);
            const double wear = Fbm(p.x / (g * 4), p.y / (g * 4), seed + 3U, 2);
            return {0.5 * n + 0.5 * wear, 0};
        }
        case Texture::Slime: {
            // A few bubbles caught inside.
            const int cx = static_cast<int>(std::floor(p.x / g));
            const int cy = static_cast<int>(std::floor(p.y / g));
            TexturePoint t{0.5 + 0.2 * (Fbm(p.x / (g * 2), p.y / (g * 2), seed, 2) - 0.5), 0};
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    if (Random01(cx + dx, cy + dy, seed + 1U) > 0.22) continue;
                    const double bx = (cx + dx + Random01(cx + dx, cy + dy, seed + 2U)) * g;
                    const double by = (cy + dy + Random01(cx + dx, cy + dy, seed + 3U)) * g;
                    const double br = g * (0.15 + 0.25 * Random01(cx + dx, cy + dy, seed + 4U));
                    const double d = std::hypot(p.x - bx, p.y - by) / br;
                    if (d < 1) t = {0.5 + 0.5 * std::sqrt(1 - d * d), -0.6 * SmoothStep(0.7, 1, d)};
                }
            }
            return t;
        }
        case Texture::Flame:
            // Tongues drawn out upwards.
            return {Fbm(p.x / g, p.y / (g * 3), seed, 3), 0};
    }
    return {};
}

struct Sampler {
    const Figure& figure;
    std::vector<Bounds> reach;
    std::vector<double> ds;
    double step;

    double ShadowAt(int index, Vec2 p) const {
        const Vec2 towardsLight = Vec2{kLight.x, kLight.y} * (1 / std::hypot(kLight.x, kLight.y));
        const Vec2 q = p + towardsLight * kShadowReach;
        double shadow = 0;
        for (int j = index + 1; j < figure.Count(); ++j) {
            const Part& other = figure.At(j);
            if (!other.CastsShadow() || other.Host() >= 0 || other.Alpha() < 0.5 ||
                other.SoftWidth() > 0 || other.GetMaterial().glow_ >= 0.5) {
                continue;
            }
            if (!Inside(reach[static_cast<std::size_t>(j)], q)) continue;
            shadow = std::max(shadow, Clamp01(0.5 - other.Distance(q) / 3.0));
            if (shadow >= 1) break;
        }
        return shadow;
    }

    Rgb Shade(int index, Vec2 p) const {
        const Part& part = figure.At(index);
        const int surfaceIndex = part.Host() >= 0 ? part.Host() : index;
        const Part& surface = figure.At(surfaceIndex);
        const Material& m = part.GetMaterial();
        const double sd = ds[static_cast<std::size_t>(surfaceIndex)];

        // The outline's slope, bent over as a rounded surface.
        constexpr double eps = 0.4;
        Vec2 g{surface.Distance(p + Vec2{eps, 0}) - sd, surface.Distance(p + Vec2{0, eps}) - sd};
        const double gl = Length(g);
        g = gl > 1e-9 ? g * (1 / gl) : Vec2{};
        const double depth = Clamp01(-sd / surface.RoundDepth());
        const double u = 1 - depth;
        Vec3 n{g.x * u, g.y * u, std::sqrt(std::max(0.0, 1 - u * u))};

        const TexturePoint t0 = SampleTexture(m, p);
        if (m.texture_ != Texture::Smooth && m.texture_ != Texture::Flame) {
            const double hx = SampleTexture(m, p + Vec2{eps, 0}).height;
            const double hy = SampleTexture(m, p + Vec2{0, eps}).height;
            const double bump = 1.6 * m.contrast_;
            n = Normalised(
                {n.x - bump * (hx - t0.height) / eps, n.y - bump * (hy - t0.height) / eps, n.z});
        }

        const Vec2 axis = m.to_ - m.from_;
        const double along = Clamp01(Dot(p - m.from_, axis) / std::max(Dot(axis, axis), 1e-9));
        Rgb albedo = Mix(m.colour_, m.colour2_, along);
        if (m.texture_ == Texture::Flame) {
            const double heat = Clamp01(depth * 1.3 + (t0.height - 0.5) * 1.0);
            return Mix(m.colour2_, m.colour_, heat);
        }
        albedo = albedo * ((1 + m.contrast_ * (t0.height - 0.5) * 2) * (1 - 0.6 * t0.edge));

        const double shadow = ShadowAt(index, p);
        const double lambert = Dot3(n, kLight);
        const double wrapped = Clamp01((lambert + 0.2) / 1.2) * (1 - 0.75 * shadow);
        const Rgb ambient = kAmbient * (0.8 + 0.35 * std::max(0.0, -n.y));
        const double rim =
            std::pow(1 - n.z, 2.0) * std::max(0.0, n.x * 0.75 - n.y * 0.66) * (1 - 0.5 * shadow);
        const double highlight =
            m.gloss_ * std::pow(std::max(0.0, Dot3(n, kHalfway)), m.shininess_) * (1 - shadow);

        Rgb lit;
        if (m.texture_ == Texture::Metal) {
            // Polished metal mirrors a dark floor below and the torch above.
            const double sky = SmoothStep(0.2, -0.6, n.y);
            lit = albedo * (ambient * 0.8 + kTorch * (0.35 * wrapped + 0.55 * sky * (1 - shadow)));
        } else {
            lit = albedo * (ambient + kTorch * wrapped);
        }
        lit = lit + albedo * kRim * (rim * 0.9) + Rgb{255, 238, 214} * highlight;
        return Mix(lit, albedo, m.glow_);
    }

    // Premultiplied colour and coverage of one sample.
    void Sample(Vec2 p, Rgb& colour, double& alpha) {
        const int count = figure.Count();
        for (int i = 0; i < count; ++i) {
            const auto k = static_cast<std::size_t>(i);
            ds[k] = Inside(reach[k], p) ? figure.At(i).Distance(p) : kFar;
            const int host = figure.At(i).Host();
            if (host >= 0 && host < i) ds[k] = std::max(ds[k], ds[static_cast<std::size_t>(host)]);
        }
        colour = {};
        alpha = 0;
        auto over = [&](Rgb c, double a) {
            colour = c * a + colour * (1 - a);
            alpha = a + alpha * (1 - a);
        };
        int start = -1;
        for (int i = count - 1; i >= 0; --i) {
            if (figure.At(i).Solid() && ds[static_cast<std::size_t>(i)] < -step) {
                start = i;
                break;
            }
        }
        if (start < 0) {
            double nearest = kFar;
            for (int i = 0; i < count; ++i) {
                const Part& part = figure.At(i);
                if (part.LineWidth() > 0 && part.Alpha() >= 0.5 && part.Host() < 0)
                    nearest = std::min(nearest, ds[static_cast<std::size_t>(i)]);
            }
            over(kInk, Clamp01(0.5 - (nearest - kOutline) / step));
            start = 0;
        }
        for (int i = start; i < count; ++i) {
            const double d = ds[static_cast<std::size_t>(i)];
            if (d >= kFar / 2) continue;
            const Part& part = figure.At(i);
            const double fill = part.SoftWidth() > 0
                                    ? SmoothStep(part.SoftWidth(), -part.SoftWidth(), d)
                                    : Clamp01(0.5 - d / step);
            double a = part.Alpha();
            if (a <= 0) continue;
            a *= part.FadeAt(p) * part.WispsAt(p);
            if (fill > 0) {
                Rgb c = Shade(i, p);
                if (part.LineWidth() > 0) {
                    const double line = Clamp01(0.5 + (d + part.LineWidth()) / step);
                    c = Mix(c, c * 0.15 + kInk * 0.5, line * 0.9);
                }
                over(c, fill * a);
            }
            if (part.HaloStrength() > 0 && d > 0) {
                // Falls to nothing at kHaloEnd reaches, so halos stop short of the corners.
                const double fall = (std::exp(-d / part.HaloReach()) - std::exp(-kHaloEnd)) /
                                    (1 - std::exp(-kHaloEnd));
                const double glow = part.HaloStrength() * std::max(0.0, fall) * (1 - fill) * a;
                over(part.HaloColour(), glow);
            }
        }
    }
};

}  // namespace

RgbaImage RenderFigure(const Figure& figure, int width, int height, int samples) {
    Sampler sampler{
        figure, {}, std::vector<double>(static_cast<std::size_t>(figure.Count())), 1.0 / samples};
    for (int i = 0; i < figure.Count(); ++i) {
        const Part& part = figure.At(i);
        const double margin = std::max({kOutline + 1, part.LineWidth() + 1, part.SoftWidth() + 1,
                                        part.HaloReach() * kHaloEnd + 1});
        sampler.reach.push_back(Grown(part.Box(), margin));
    }
    RgbaImage out(width, height);
    const double weight = 1.0 / (samples * samples);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Rgb sum;
            double coverage = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    Rgb c;
                    double a = 0;
                    sampler.Sample({x + (sx + 0.5) / samples, y + (sy + 0.5) / samples}, c, a);
                    sum = sum + c;
                    coverage += a;
                }
            }
            out.ColourAt(x, y) = coverage > 1e-9 ? sum * (1 / coverage) : Rgb{};
            out.AlphaAt(x, y) = coverage * weight;
        }
    }
    return out;
}

}  // namespace dv::art
