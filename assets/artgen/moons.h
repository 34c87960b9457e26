// The two moon strips shown in the corners of the dungeon view: sixteen 32 x 32
// frames, new moon at frame 0, full at frame 8, waning back towards new at 15.
// Frames 0..8 lie in the top row at x = 32 f, frames 9..15 in the second row at
// x = 32 f - 256.
#pragma once

#include "artgen/image.h"

namespace dv::art {

inline constexpr int kMoonFrame = 32;
inline constexpr int kMoonFrames = 16;
inline constexpr int kMoonStripWidth = 288;
inline constexpr int kMoonStripHeight = 64;

enum class Moon { Luna, Artemis };

// Top-left corner of frame f in its strip.
int MoonFrameX(int frame);
int MoonFrameY(int frame);

Image RenderMoonStrip(Moon moon);

}  // namespace dv::art
