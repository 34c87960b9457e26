// Where the wall and door pieces sit in their picture files and on the 480 x 240
// picture-mode canvas of the dungeon view. The view's centre is (240, 128); a
// depth boundary k (0 = the near edge of the party's own cell, 4 = the far edge
// of the farthest row) lies at distance 2^k and has half-sizes 240 / 2^k
// across and 128 / 2^k up and down.
#pragma once

#include <array>
#include <vector>

#include "dungeon/view_pieces.h"

namespace dv::art {

using Side = PieceSide;
// One drawing step of the picture mode (the view's own table).
using PieceEntry = ViewPiece;

inline constexpr int kViewWidth = 480;
inline constexpr int kViewHeight = 240;
inline constexpr int kViewCentreX = 240;
inline constexpr int kViewCentreY = 128;
inline constexpr int kPieceFiles = 5;
inline constexpr int kBackgroundWidth = 640;
inline constexpr int kBackgroundHeight = 300;
inline constexpr int kLowerBackgroundY = 136;

inline constexpr const std::array<PieceEntry, 34>& kPieceTable = kViewPieces;

// Height of one piece of picture n (the file is twice as tall: picture over mask).
int PieceHeight(int n);
int PictureWidth(int n);
// Distance of the near edge of every piece in picture n (1, 2, 4, 8 or 16).
double NearDepth(int n);

// A distinct piece inside picture n, in the piece's own pixel coordinates.
struct PieceShape {
    Side side;
    int sourceX;
    int width;
    int height;
    double nearDepth;
};

std::vector<PieceShape> PiecesOfPicture(int n);

// Whether the point lies on the face (front pieces are full rectangles, side
// pieces trapezoids whose far edge is half as tall as the near edge).
bool Covers(const PieceShape& piece, double x, double y);

// A point of a piece in face coordinates: u runs across the face (for a side
// face from its near edge to its far edge, corrected for perspective), v from the
// top of the face (0) to the floor (1); depth is the distance from the viewer.
struct FacePoint {
    double u;
    double v;
    double depth;
};

FacePoint MapToFace(const PieceShape& piece, double x, double y);

}  // namespace dv::art
