// The pictures the picture mode of the dungeon view is drawn from.
#pragma once

#include "artgen/image.h"

namespace dv::art {

enum class PieceKind { Wall, Door };

// Piece picture n (0..4): every piece of the picture in the upper half, its
// AND-mask in the lower half (black where the piece is drawn, white where the
// view behind shows through; the picture is black there).
Image RenderPiecePicture(int n, PieceKind kind);

// The upper (ceiling) and lower (floor) backgrounds, 640 x 300 each, drawn at
// canvas rows 0 and 136.
Image RenderBackground(bool lower);

}  // namespace dv::art
