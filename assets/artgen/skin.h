// Skin pictures of the list and panel controls: the eight pieces of the
// bevelled frame and the strip of 32 x 32 shading masks.
#pragma once

#include <string>

#include "artgen/image.h"

namespace dv::art {

inline constexpr int kFrameThickness = 8;
inline constexpr int kShadeMaskSize = 32;
inline constexpr int kShadeMasks = 8;

enum class FramePiece {
    TopLeft,
    TopCentre,
    TopRight,
    MiddleLeft,
    MiddleRight,
    BottomLeft,
    BottomCentre,
    BottomRight
};
inline constexpr int kFramePieces = 8;

// "frame_tl.png", "frame_tc.png", ... "frame_br.png".
std::string FramePieceFileName(FramePiece piece);
// Each piece is 8 x 8; the edge pieces are constant along the edge, so they tile.
Image RenderFramePiece(FramePiece piece);

inline constexpr int kPanelTile = 64;

// A dark blue-grey brushed-metal tile for list and panel backgrounds; it
// repeats without seams in both directions.
Image RenderPanelTile();

// Mask n at x = 32 n: 0 leaves a background untouched when AND-ed over it,
// 1..6 darken it more and more (ordered dither of black dots), 7 is all black.
Image RenderShadeMasks();
// Share of black pixels in mask n (0 to 1).
double ShadeMaskCoverage(int n);

}  // namespace dv::art
