#include "ui/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace dv {
namespace {

// The fill as the rule says it: on every line, the pixels whose centres lie between
// successive crossings of the polygon's edges with the line through those centres.
void referenceFill(Canvas& canvas, const Rect& clip, const std::vector<Point>& pts, Color fill) {
    for (int y = clip.y; y < clip.bottom(); ++y) {
        const double cy = y + 0.5;
        std::vector<double> xs;
        for (size_t i = 0; i < pts.size(); ++i) {
            const Point& a = pts[i];
            const Point& b = pts[(i + 1) % pts.size()];
            if ((a.y <= cy && b.y > cy) || (b.y <= cy && a.y > cy))
                xs.push_back(a.x + (cy - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2) {
            const int from = std::max(static_cast<int>(std::ceil(xs[i] - 0.5)), clip.x);
            const int to =
                std::min(static_cast<int>(std::ceil(xs[i + 1] - 0.5)) - 1, clip.right() - 1);
            for (int x = from; x <= to; ++x)
                canvas.setPixel(x, y, fill);
        }
    }
}

TEST(Canvas, PolygonsFillExactlyThePixelCentresInsideThem) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(-60, 220);
    std::uniform_int_distribution<int> corners(3, 7);
    const Rect clips[] = {{0, 0, 160, 120}, {13, 9, 100, 70}};
    for (int round = 0; round < 400; ++round) {
        std::vector<Point> pts(static_cast<size_t>(corners(rng)));
        for (Point& p : pts)
            p = {coord(rng), coord(rng) / 2};
        if (round % 5 == 0) pts[1].y = pts[0].y;  // level edges
        const Rect& clip = clips[round % 2];
        Canvas fast(160, 120), slow(160, 120);
        fast.setClip(clip);
        slow.setClip(clip);
        fast.fillPolygon(pts, colors::white);
        referenceFill(slow, clip, pts, colors::white);
        ASSERT_EQ(fast.pixels(), slow.pixels()) << "round " << round;
    }
}

}  // namespace
}  // namespace dv
