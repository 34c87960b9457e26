#include "ui/window_fit.h"

#include <algorithm>

namespace dv {

namespace {

constexpr int kCanvasWidth = 640;
constexpr int kCanvasHeight = 480;

int clampLong(long value, int lowest, int highest) {
    return static_cast<int>(std::clamp<long>(value, lowest, std::max(lowest, highest)));
}

}  // namespace

WindowFit FitWindow(const WindowWish& wish, const Rect& usable) {
    WindowFit fit;
    const int areaW = std::max(1, usable.w), areaH = std::max(1, usable.h);
    fit.minWidth = std::min(kCanvasWidth, areaW);
    fit.minHeight = std::min(kCanvasHeight, areaH);
    if (wish.hasSize) {
        fit.rect.w = clampLong(wish.width, fit.minWidth, areaW);
        fit.rect.h = clampLong(wish.height, fit.minHeight, areaH);
    } else {
        const int scale = std::max(1, std::min(areaW / kCanvasWidth, areaH / kCanvasHeight));
        fit.rect.w = std::min(kCanvasWidth * scale, areaW);
        fit.rect.h = std::min(kCanvasHeight * scale, areaH);
    }
    if (wish.hasPosition) {
        fit.rect.x = clampLong(wish.x, usable.x, usable.x + areaW - fit.rect.w);
        fit.rect.y = clampLong(wish.y, usable.y, usable.y + areaH - fit.rect.h);
    } else {
        fit.rect.x = usable.x + (areaW - fit.rect.w) / 2;
        fit.rect.y = usable.y + (areaH - fit.rect.h) / 2;
    }
    return fit;
}

Rect PresentationRect(int outputWidth, int outputHeight) {
    const int w = std::max(1, outputWidth), h = std::max(1, outputHeight);
    Rect r;
    const int scale = std::min(w / kCanvasWidth, h / kCanvasHeight);
    if (scale >= 1) {
        r.w = kCanvasWidth * scale;
        r.h = kCanvasHeight * scale;
    } else if (w * kCanvasHeight <= h * kCanvasWidth) {
        // Smaller than the canvas: shrunk to the width or the height, whichever is tighter.
        r.w = w;
        r.h = w * kCanvasHeight / kCanvasWidth;
    } else {
        r.h = h;
        r.w = h * kCanvasWidth / kCanvasHeight;
    }
    r.x = (w - r.w) / 2;
    r.y = (h - r.h) / 2;
    return r;
}

}  // namespace dv
