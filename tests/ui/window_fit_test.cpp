// The window's size and place on a display, and where the canvas sits in the window.

#include "ui/window_fit.h"

#include <gtest/gtest.h>

#include <climits>

namespace dv {
namespace {

TEST(WindowFit, OpensAtTheLargestWholeMultipleThatFits) {
    struct Case {
        Rect usable;
        int w, h;
    };
    const Case cases[] = {
        {{0, 0, 1366, 740}, 640, 480},    // 1366x768 with a panel
        {{0, 0, 1024, 768}, 640, 480},    // 1024x768
        {{0, 0, 1280, 1024}, 1280, 960},  // 1280x1024
        {{0, 28, 1920, 1052}, 1280, 960}, {{0, 0, 2560, 1440}, 1920, 1440},
        {{0, 0, 600, 400}, 600, 400},  // a display smaller than the canvas
    };
    for (const Case& c : cases) {
        const WindowFit f = FitWindow({}, c.usable);
        EXPECT_EQ(f.rect.w, c.w) << c.usable.w << "x" << c.usable.h;
        EXPECT_EQ(f.rect.h, c.h) << c.usable.w << "x" << c.usable.h;
        // Centred on the usable area.
        EXPECT_EQ(f.rect.x, c.usable.x + (c.usable.w - c.w) / 2);
        EXPECT_EQ(f.rect.y, c.usable.y + (c.usable.h - c.h) / 2);
        EXPECT_EQ(f.minWidth, std::min(640, c.usable.w));
        EXPECT_EQ(f.minHeight, std::min(480, c.usable.h));
    }
}

TEST(WindowFit, AStoredSizeOrPlaceIsOnlyAWish) {
    const Rect usable{0, 0, 1366, 740};
    struct Case {
        WindowWish wish;
        Rect expected;
    };
    const Case cases[] = {
        // The size of a larger screen, or nonsense, shrinks to the usable area.
        {{true, 10, 10, true, 100000, 100000}, {0, 0, 1366, 740}},
        {{true, 10, 10, true, LONG_MAX, LONG_MIN}, {0, 10, 1366, 480}},
        // Never below 640x480.
        {{true, 10, 10, true, 200, 100}, {10, 10, 640, 480}},
        // A place off the screen brings the whole window back onto it.
        {{true, -5000, 90000, true, 800, 600}, {0, 140, 800, 600}},
        {{true, 1000, 500, true, 800, 600}, {566, 140, 800, 600}},
        // A size that fits and a place on the screen are kept.
        {{true, 100, 50, true, 700, 500}, {100, 50, 700, 500}},
    };
    for (const Case& c : cases) {
        const WindowFit f = FitWindow(c.wish, usable);
        EXPECT_EQ(f.rect, c.expected)
            << c.wish.x << "," << c.wish.y << " " << c.wish.width << "x" << c.wish.height;
    }
}

TEST(WindowFit, TheCanvasIsScaledByWholeMultiplesAndCentred) {
    struct Case {
        int w, h;
        Rect expected;
    };
    const Case cases[] = {
        {640, 480, {0, 0, 640, 480}},
        {1366, 768, {363, 144, 640, 480}},  // a full screen of 1366x768
        {1024, 768, {192, 144, 640, 480}},
        {1920, 1080, {320, 60, 1280, 960}},
        {1280, 960, {0, 0, 1280, 960}},
        {600, 400, {33, 0, 533, 400}},  // smaller than the canvas: shrunk to fit
    };
    for (const Case& c : cases)
        EXPECT_EQ(PresentationRect(c.w, c.h), c.expected) << c.w << "x" << c.h;
}

}  // namespace
}  // namespace dv
