#pragma once

#include <algorithm>
#include <cstdint>

namespace dv {

struct Point {
    int x = 0;
    int y = 0;
};

struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    int right() const { return x + w; }
    int bottom() const { return y + h; }
    bool empty() const { return w <= 0 || h <= 0; }
    bool contains(int px, int py) const {
        return px >= x && py >= y && px < right() && py < bottom();
    }
    Rect offset(int dx, int dy) const { return {x + dx, y + dy, w, h}; }
    bool operator==(const Rect& o) const = default;
    Rect intersect(const Rect& o) const {
        int l = std::max(x, o.x), t = std::max(y, o.y);
        int r = std::min(right(), o.right()), b = std::min(bottom(), o.bottom());
        return {l, t, std::max(0, r - l), std::max(0, b - t)};
    }
};

// Colours are 0xRRGGBB. The game's colour numbers put red in the low byte; use fromBgr for them.
using Color = uint32_t;

constexpr Color rgb(int r, int g, int b) {
    return (static_cast<Color>(r & 255) << 16) | (static_cast<Color>(g & 255) << 8) |
           static_cast<Color>(b & 255);
}
constexpr Color fromBgr(uint32_t bgr) {
    return rgb(static_cast<int>(bgr & 255), static_cast<int>((bgr >> 8) & 255),
               static_cast<int>((bgr >> 16) & 255));
}
constexpr int redOf(Color c) {
    return static_cast<int>((c >> 16) & 255);
}
constexpr int greenOf(Color c) {
    return static_cast<int>((c >> 8) & 255);
}
constexpr int blueOf(Color c) {
    return static_cast<int>(c & 255);
}

namespace colors {
constexpr Color black = rgb(0, 0, 0);
constexpr Color white = rgb(255, 255, 255);
// Fixed values for the desktop colours the lists and panels default to.
constexpr Color buttonFace = rgb(24, 28, 48);
constexpr Color buttonText = rgb(230, 230, 230);
constexpr Color highlight = rgb(60, 80, 150);
constexpr Color highlightText = rgb(255, 255, 255);
constexpr Color windowFrame = rgb(160, 170, 200);
constexpr Color windowBackground = rgb(16, 18, 32);
}  // namespace colors

}  // namespace dv
