// Stacks the wall and door pieces over the backgrounds exactly as the dungeon
// view's picture mode does: for every piece the AND-mask, then the picture
// XOR-ed on top. Used to check that the artwork lines up.
#pragma once

#include <array>
#include <string>

#include "artgen/image.h"

namespace dv::art {

inline constexpr int kFrontBit = 1;
inline constexpr int kRightBit = 2;
inline constexpr int kLeftBit = 8;

// One of the sixteen view slots, sides in the party's frame.
struct ViewSlot {
    int walls = 0;
    int doors = 0;
    bool dark = false;
};
using ViewSlots = std::array<ViewSlot, 17>;  // slots 1..16; entry 0 unused

struct ViewArt {
    std::array<Picture8, 5> walls;
    std::array<Picture8, 5> doors;
    Picture8 upper;
    Picture8 lower;
};

// Reads w0..w4, d0..d4, b1 and b2 from the folder; false if any is missing.
bool LoadViewArt(const std::string& folder, ViewArt& art);

// The 480 x 240 picture-mode canvas for the given slots.
Picture8 ComposeView(const ViewArt& art, const ViewSlots& slots);

// Nearest-neighbour stretch, as the view copies its canvas to the window.
Picture8 Stretch(const Picture8& source, int width, int height);

// Plain copy of a rectangle (moon frames onto the view).
void CopyRect(const Picture8& source, int sx, int sy, int width, int height, Picture8& target,
              int tx, int ty);

}  // namespace dv::art
