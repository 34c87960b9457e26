#pragma once

// Where the wall and door pieces sit in their picture files and on the 480 x 240
// picture-mode view. The view draws them in this order, far faces first so nearer
// pieces cover them; the artwork generator draws each piece to fit its place. One table
// for both, so the pictures always line up with the view.

#include <array>

namespace dv {

enum class PieceSide { Front, Right, Left };

// One drawing step: the side of a view slot, drawn from piece picture n (w0..w4 /
// d0..d4) at sourceX; the mask lies below the picture in the same file.
struct ViewPiece {
    int slot;
    PieceSide side;
    int n;
    int destX;
    int destY;
    int width;
    int height;
    int sourceX;
};

namespace view_pieces {
constexpr PieceSide F = PieceSide::Front;
constexpr PieceSide R = PieceSide::Right;
constexpr PieceSide L = PieceSide::Left;
}  // namespace view_pieces

inline constexpr std::array<ViewPiece, 34> kViewPieces = [] {
    using namespace view_pieces;
    return std::array<ViewPiece, 34>{{
        {1, F, 0, 165, 120, 30, 16, 0},     {2, F, 0, 195, 120, 30, 16, 0},
        {3, F, 0, 225, 120, 30, 16, 0},     {4, F, 0, 255, 120, 30, 16, 0},
        {5, F, 0, 285, 120, 30, 16, 0},     {1, L, 1, 90, 112, 75, 32, 0},
        {2, L, 1, 150, 112, 45, 32, 75},    {3, L, 1, 210, 112, 15, 32, 120},
        {5, R, 1, 315, 112, 75, 32, 195},   {4, R, 1, 285, 112, 45, 32, 150},
        {3, R, 1, 255, 112, 15, 32, 135},   {6, F, 1, 90, 112, 60, 32, 270},
        {7, F, 1, 150, 112, 60, 32, 270},   {8, F, 1, 210, 112, 60, 32, 270},
        {9, F, 1, 270, 112, 60, 32, 270},   {10, F, 1, 330, 112, 60, 32, 270},
        {6, L, 2, -60, 96, 150, 64, 0},     {7, L, 2, 60, 96, 90, 64, 150},
        {8, L, 2, 180, 96, 30, 64, 240},    {10, R, 2, 390, 96, 150, 64, 390},
        {9, R, 2, 330, 96, 90, 64, 300},    {8, R, 2, 270, 96, 30, 64, 270},
        {11, F, 2, 60, 96, 120, 64, 540},   {12, F, 2, 180, 96, 120, 64, 540},
        {13, F, 2, 300, 96, 120, 64, 540},  {11, L, 3, -120, 64, 180, 128, 0},
        {12, L, 3, 120, 64, 60, 128, 180},  {13, R, 3, 420, 64, 180, 128, 300},
        {12, R, 3, 300, 64, 60, 128, 240},  {14, F, 3, -120, 64, 240, 128, 480},
        {15, F, 3, 120, 64, 240, 128, 480}, {16, F, 3, 360, 64, 240, 128, 480},
        {15, L, 4, 0, 0, 120, 256, 0},      {15, R, 4, 360, 0, 120, 256, 120},
    }};
}();

}  // namespace dv
