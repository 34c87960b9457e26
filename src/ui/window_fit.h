#pragma once

// Where and how large the game's window opens, and where the canvas sits in it. The
// canvas is 640x480; the window opens at the largest whole multiple of it that fits the
// usable area of its display (the screen without panels and docks), and never shrinks
// below 640x480 unless the display itself is smaller.

#include "ui/geometry.h"

namespace dv {

// What the last run left in the settings: only ever a wish.
struct WindowWish {
    bool hasPosition = false;
    long x = 0, y = 0;
    bool hasSize = false;
    long width = 0, height = 0;
};

struct WindowFit {
    Rect rect;  // the window's client area on the desktop
    int minWidth = 0, minHeight = 0;
};

// Fits a wish to a display's usable area: a stored size is kept between the minimum and
// the usable area, a stored position keeps the whole window inside it; without a stored
// size the window takes the largest whole multiple of 640x480 that fits, and without a
// position it is centred.
WindowFit FitWindow(const WindowWish& wish, const Rect& usable);

// Where the canvas is drawn in an output of this size: scaled by the largest whole
// multiple that fits (below 1x, shrunk to fit), centred, black bars around it.
Rect PresentationRect(int outputWidth, int outputHeight);

}  // namespace dv
