#include "ui/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "ui/font.h"

namespace dv {

namespace {

// Four pixels at a time: the fills and raster operations are most of a redraw, and the
// compiler does not vectorise these loops at every optimisation level by itself.
using Pixels4 = uint32_t __attribute__((vector_size(16)));

Pixels4 load4(const uint32_t* p) {
    Pixels4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

void store4(uint32_t* p, Pixels4 v) {
    std::memcpy(p, &v, sizeof v);
}

void fillPixels(uint32_t* p, size_t n, Color c) {
    if (c == 0) {
        std::memset(p, 0, n * sizeof(uint32_t));
        return;
    }
    const Pixels4 v = {c, c, c, c};
    size_t i = 0;
    for (; i + 4 <= n; i += 4)
        store4(p + i, v);
    for (; i < n; ++i)
        p[i] = c;
}

}  // namespace

Canvas::Canvas(int width, int height, Color fill) {
    resize(width, height, fill);
}

void Canvas::resize(int width, int height, Color fill) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), fill);
    resetClip();
}

Color Canvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return colors::black;
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void Canvas::setClip(const Rect& r) {
    clip_ = r.intersect({0, 0, width_, height_});
}
void Canvas::resetClip() {
    clip_ = {0, 0, width_, height_};
}

void Canvas::hspan(int x1, int x2, int y, Color c) {
    if (y < clip_.y || y >= clip_.bottom()) return;
    if (x1 > x2) std::swap(x1, x2);
    x1 = std::max(x1, clip_.x);
    x2 = std::min(x2, clip_.right() - 1);
    if (x1 > x2) return;
    fillPixels(
        &pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x1)],
        static_cast<size_t>(x2 - x1 + 1), c);
}

void Canvas::clear(Color c) {
    fillRect(clip_, c);
}

void Canvas::fillRect(const Rect& r, Color c) {
    Rect a = r.intersect(clip_);
    if (a.w == 0) {
        // A rectangle beside the clip still paints the clip's edge column next to it, as
        // it always has (lists rely on it to finish their gradient).
        for (int y = a.y; y < a.bottom(); ++y)
            hspan(a.x, a.x - 1, y, c);
        return;
    }
    if (a.empty()) return;
    if (a.x == 0 && a.w == width_) {
        // Whole rows are one run.
        fillPixels(&pixels_[static_cast<size_t>(a.y) * static_cast<size_t>(width_)],
                   static_cast<size_t>(a.w) * static_cast<size_t>(a.h), c);
        return;
    }
    for (int y = a.y; y < a.bottom(); ++y)
        fillPixels(&pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) +
                            static_cast<size_t>(a.x)],
                   static_cast<size_t>(a.w), c);
}

void Canvas::frameRect(int x1, int y1, int x2, int y2, Color c, int penWidth, PenStyle style) {
    line(x1, y1, x2, y1, c, penWidth, style);
    line(x2, y1, x2, y2, c, penWidth, style);
    line(x2, y2, x1, y2, c, penWidth, style);
    line(x1, y2, x1, y1, c, penWidth, style);
}

void Canvas::box(int x1, int y1, int x2, int y2, Color outline, Color fill, int penWidth,
                 PenStyle style) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    fillRect({x1, y1, x2 - x1 + 1, y2 - y1 + 1}, fill);
    if (penWidth > 0) frameRect(x1, y1, x2, y2, outline, penWidth, style);
}

void Canvas::line(int x1, int y1, int x2, int y2, Color c, int penWidth, PenStyle style) {
    // A dotted pen wider than one pixel draws solid, as desktop pens do.
    bool dotted = style == PenStyle::Dotted && penWidth <= 1;
    if (!dotted && penWidth <= 1) {
        // Level and upright lines are runs of pixels.
        if (y1 == y2) {
            hspan(x1, x2, y1, c);
            return;
        }
        if (x1 == x2) {
            if (x1 < clip_.x || x1 >= clip_.right()) return;
            const int top = std::max(std::min(y1, y2), clip_.y);
            const int bottom = std::min(std::max(y1, y2), clip_.bottom() - 1);
            for (int y = top; y <= bottom; ++y)
                pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) +
                        static_cast<size_t>(x1)] = c;
            return;
        }
    }
    int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int half = (std::max(penWidth, 1) - 1) / 2;
    int w = std::max(penWidth, 1);
    for (int step = 0;; ++step) {
        if (!dotted || step % 2 == 0) {
            if (w == 1)
                plot(x1, y1, c);
            else
                fillRect({x1 - half, y1 - half, w, w}, c);
        }
        if (x1 == x2 && y1 == y2) break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

namespace {

long long floorDiv(long long n, long long d) {  // d > 0
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

// One edge of a polygon walked down its scan lines. The polygon covers a line's pixel
// centres between its edges: an edge's first pixel on line y is
// ceil(x(y + 0.5) - 0.5), kept exactly as a whole part `x` and a remainder `r` in (-d, 0]
// of a fraction over d, so no line needs a division.
struct ScanEdge {
    int firstLine = 0, lastLine = 0;
    long long x = 0, r = 0, stepX = 0, stepR = 0, d = 1;

    void advance() {
        x += stepX;
        r += stepR;
        if (r > 0) {
            ++x;
            r -= d;
        }
    }
};

}  // namespace

void Canvas::fillPolygon(const std::vector<Point>& pts, Color fill) {
    if (pts.size() < 3) return;
    int top = pts[0].y, bottom = pts[0].y;
    for (const auto& p : pts) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    top = std::max(top, clip_.y);
    bottom = std::min(bottom, clip_.bottom() - 1);
    if (top > bottom) return;
    std::vector<ScanEdge> edges;
    edges.reserve(pts.size());
    for (size_t i = 0; i < pts.size(); ++i) {
        Point a = pts[i];
        Point b = pts[i + 1 < pts.size() ? i + 1 : 0];
        if (a.y == b.y) continue;  // a level edge crosses no line's centre
        if (a.y > b.y) std::swap(a, b);
        // Lines whose centre y + 0.5 lies in [a.y, b.y).
        ScanEdge e;
        e.firstLine = std::max(a.y, top);
        e.lastLine = std::min(b.y - 1, bottom);
        if (e.firstLine > e.lastLine) continue;
        const long long dx = static_cast<long long>(b.x) - a.x;
        const long long dy = static_cast<long long>(b.y) - a.y;
        e.d = 2 * dy;
        // x(y + 0.5) - 0.5 - a.x = ((2 (y - a.y) + 1) dx - dy) / 2dy
        const long long n = (2 * (static_cast<long long>(e.firstLine) - a.y) + 1) * dx - dy;
        const long long q = -floorDiv(-n, e.d);  // rounded up
        e.x = a.x + q;
        e.r = n - q * e.d;
        e.stepX = floorDiv(2 * dx, e.d);
        e.stepR = 2 * dx - e.stepX * e.d;
        edges.push_back(e);
    }
    std::vector<long long> xs(edges.size());
    for (int y = top; y <= bottom; ++y) {
        size_t count = 0;
        for (ScanEdge& e : edges) {
            if (y < e.firstLine || y > e.lastLine) continue;
            // Kept in order as they come: a polygon crosses a line a few times at most.
            size_t at = count++;
            while (at > 0 && xs[at - 1] > e.x) {
                xs[at] = xs[at - 1];
                --at;
            }
            xs[at] = e.x;
            e.advance();
        }
        for (size_t i = 0; i + 1 < count; i += 2) {
            const long long xa = std::max<long long>(xs[i], clip_.x);
            const long long xb = std::min<long long>(xs[i + 1] - 1, clip_.right() - 1);
            if (xa <= xb) hspan(static_cast<int>(xa), static_cast<int>(xb), y, fill);
        }
    }
}

void Canvas::polygon(const std::vector<Point>& pts, Color outline, Color fill) {
    fillPolygon(pts, fill);
    for (size_t i = 0; i < pts.size(); ++i) {
        const Point& a = pts[i];
        const Point& b = pts[(i + 1) % pts.size()];
        line(a.x, a.y, b.x, b.y, outline);
    }
}

void Canvas::roundRect(int x1, int y1, int x2, int y2, int ellipse, Color outline, Color fill,
                       bool drawOutline) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    double r = std::max(0, ellipse) / 2.0;
    r = std::min({r, (x2 - x1) / 2.0, (y2 - y1) / 2.0});
    auto inset = [&](int y) {
        double dyTop = (y1 + r) - y, dyBottom = y - (y2 - r);
        double d = std::max(dyTop, dyBottom);
        if (d <= 0) return 0;
        return static_cast<int>(std::lround(r - std::sqrt(std::max(0.0, r * r - d * d))));
    };
    for (int y = y1; y <= y2; ++y) {
        int in = inset(y);
        hspan(x1 + in, x2 - in, y, fill);
        if (drawOutline) {
            plot(x1 + in, y, outline);
            plot(x2 - in, y, outline);
        }
    }
    if (drawOutline) {
        // Top and bottom edges, including the flat parts of the corners.
        for (int y : {y1, y2})
            hspan(x1 + inset(y), x2 - inset(y), y, outline);
        for (int y = y1; y < y2; ++y) {
            int a = inset(y), b = inset(y + 1);
            if (a != b) {
                int lo = std::min(a, b), hi = std::max(a, b);
                hspan(x1 + lo, x1 + hi, y + (a > b ? 0 : 1), outline);
                hspan(x2 - hi, x2 - lo, y + (a > b ? 0 : 1), outline);
            }
        }
    }
}

void Canvas::blit(const Canvas& src, const Rect& from, int dx, int dy, RasterOp op) {
    Rect s = from.intersect({0, 0, src.width(), src.height()});
    dx += s.x - from.x;
    dy += s.y - from.y;
    Rect d = Rect{dx, dy, s.w, s.h}.intersect(clip_);
    for (int y = d.y; y < d.bottom(); ++y) {
        const uint32_t* sp =
            &src.pixels_[static_cast<size_t>(s.y + (y - dy)) * static_cast<size_t>(src.width_) +
                         static_cast<size_t>(s.x + (d.x - dx))];
        uint32_t* dp = &pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) +
                                static_cast<size_t>(d.x)];
        // Four at a time only between different canvases: within one, the areas may
        // touch closely enough that a wide read would see pixels already written.
        const int n = d.w;
        const int wideEnd = &src == this ? 0 : n - n % 4;
        int i = 0;
        switch (op) {
            case RasterOp::Copy:
                std::memmove(dp, sp, static_cast<size_t>(n) * sizeof(uint32_t));
                break;
            case RasterOp::And:
                for (; i < wideEnd; i += 4)
                    store4(dp + i, load4(dp + i) & load4(sp + i));
                for (; i < n; ++i)
                    dp[i] &= sp[i];
                break;
            case RasterOp::Xor: {
                const Pixels4 rgbMask = {0xFFFFFFu, 0xFFFFFFu, 0xFFFFFFu, 0xFFFFFFu};
                for (; i < wideEnd; i += 4)
                    store4(dp + i, (load4(dp + i) ^ load4(sp + i)) & rgbMask);
                for (; i < n; ++i)
                    dp[i] = (dp[i] ^ sp[i]) & 0xFFFFFFu;
                break;
            }
            case RasterOp::Or:
                for (; i < wideEnd; i += 4)
                    store4(dp + i, load4(dp + i) | load4(sp + i));
                for (; i < n; ++i)
                    dp[i] |= sp[i];
                break;
        }
    }
}

void Canvas::maskedBlit(const Canvas& src, const Rect& mask, const Rect& picture, int dx, int dy) {
    const Rect bounds{0, 0, src.width(), src.height()};
    const bool whole = mask.w == picture.w && mask.h == picture.h &&
                       mask.intersect(bounds) == mask && picture.intersect(bounds) == picture;
    if (!whole || &src == this) {
        // Parts outside the source clip the two differently: the two passes as they are.
        blit(src, mask, dx, dy, RasterOp::And);
        blit(src, picture, dx, dy, RasterOp::Xor);
        return;
    }
    const Rect d = Rect{dx, dy, mask.w, mask.h}.intersect(clip_);
    const Pixels4 rgbMask = {0xFFFFFFu, 0xFFFFFFu, 0xFFFFFFu, 0xFFFFFFu};
    for (int y = d.y; y < d.bottom(); ++y) {
        const size_t srcColumn = static_cast<size_t>(d.x - dx);
        const uint32_t* mp =
            &src.pixels_[static_cast<size_t>(mask.y + (y - dy)) * static_cast<size_t>(src.width_) +
                         static_cast<size_t>(mask.x) + srcColumn];
        const uint32_t* pp = &src.pixels_[static_cast<size_t>(picture.y + (y - dy)) *
                                              static_cast<size_t>(src.width_) +
                                          static_cast<size_t>(picture.x) + srcColumn];
        uint32_t* dp = &pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) +
                                static_cast<size_t>(d.x)];
        const int n = d.w;
        int i = 0;
        for (; i + 4 <= n; i += 4)
            store4(dp + i, ((load4(dp + i) & load4(mp + i)) ^ load4(pp + i)) & rgbMask);
        for (; i < n; ++i)
            dp[i] = ((dp[i] & mp[i]) ^ pp[i]) & 0xFFFFFFu;
    }
}

void Canvas::stretchBlit(const Canvas& src, const Rect& from, const Rect& to) {
    if (from.w <= 0 || from.h <= 0 || to.w <= 0 || to.h <= 0) return;
    Rect d = to.intersect(clip_);
    if (d.empty()) return;
    const bool inside = from.x >= 0 && from.y >= 0 && from.right() <= src.width_ &&
                        from.bottom() <= src.height_ && &src != this;
    if (inside && from.w == to.w && from.h == to.h) {
        blit(src, from, to.x, to.y);  // one source pixel for each: a plain copy
        return;
    }
    // The source column of every destination column, worked out once; a destination row
    // that takes the same source row as the one above it is a copy of that row.
    std::vector<int> column(static_cast<size_t>(d.w));
    for (int x = d.x; x < d.right(); ++x)
        column[static_cast<size_t>(x - d.x)] =
            from.x + static_cast<int>((static_cast<int64_t>(x - to.x) * from.w) / to.w);
    int previous = -1;
    for (int y = d.y; y < d.bottom(); ++y) {
        int sy = from.y + static_cast<int>((static_cast<int64_t>(y - to.y) * from.h) / to.h);
        uint32_t* out = &pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) +
                                 static_cast<size_t>(d.x)];
        if (y > d.y && sy == previous) {
            std::memcpy(out, out - width_, static_cast<size_t>(d.w) * sizeof(uint32_t));
            continue;
        }
        previous = sy;
        if (inside) {
            const uint32_t* row =
                &src.pixels_[static_cast<size_t>(sy) * static_cast<size_t>(src.width_)];
            for (int i = 0; i < d.w; ++i)
                out[i] = row[column[static_cast<size_t>(i)]];
        } else {
            for (int i = 0; i < d.w; ++i)
                out[i] = src.pixel(column[static_cast<size_t>(i)], sy);
        }
    }
}

int Canvas::drawText(const Font& font, int x, int y, const std::string& utf8, Color c) {
    return font.draw(*this, x, y, utf8, c);
}

}  // namespace dv
