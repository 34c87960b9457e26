#include "artgen/view_layout.h"

#include <algorithm>
#include <cmath>

namespace dv::art {

namespace {
constexpr Side F = Side::Front;
constexpr Side R = Side::Right;
constexpr Side L = Side::Left;
}  // namespace

// Drawn in this order: far faces first, so nearer pieces cover them.
const std::array<PieceEntry, 34> kPieceTable = {{
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

int PieceHeight(int n) {
    return 16 << n;
}

int PictureWidth(int n) {
    static constexpr std::array<int, kPieceFiles> widths = {30, 330, 660, 720, 240};
    return widths[static_cast<std::size_t>(n)];
}

double NearDepth(int n) {
    return static_cast<double>(1 << (4 - n));
}

std::vector<PieceShape> PiecesOfPicture(int n) {
    std::vector<PieceShape> pieces;
    for (const PieceEntry& entry : kPieceTable) {
        if (entry.n != n) continue;
        const bool known = std::any_of(pieces.begin(), pieces.end(), [&](const PieceShape& p) {
            return p.sourceX == entry.sourceX;
        });
        if (!known)
            pieces.push_back({entry.side, entry.sourceX, entry.width, entry.height, NearDepth(n)});
    }
    std::sort(pieces.begin(), pieces.end(),
              [](const PieceShape& a, const PieceShape& b) { return a.sourceX < b.sourceX; });
    return pieces;
}

namespace {

// How far along a side face the point lies, 0 at the near edge and 1 at the far edge.
double FarFraction(const PieceShape& piece, double x) {
    const double t = x / piece.width;
    return piece.side == Side::Left ? t : 1.0 - t;
}

// Gap between the piece's top and the face's top edge at fraction t: a side
// face recedes to half its height over its width.
double TopInset(const PieceShape& piece, double t) {
    return piece.height * 0.25 * t;
}

}  // namespace

bool Covers(const PieceShape& piece, double x, double y) {
    if (x < 0 || x > piece.width || y < 0 || y > piece.height) return false;
    if (piece.side == Side::Front) return true;
    const double inset = TopInset(piece, FarFraction(piece, x));
    return y >= inset && y <= piece.height - inset;
}

FacePoint MapToFace(const PieceShape& piece, double x, double y) {
    if (piece.side == Side::Front) {
        return {x / piece.width, y / piece.height, piece.nearDepth};
    }
    // Screen position is linear in 1 / depth; the face runs from nearDepth to
    // twice that, so 1 / depth falls linearly from 1 / near to 1 / (2 near).
    const double t = std::clamp(FarFraction(piece, x), 0.0, 1.0);
    const double inset = TopInset(piece, t);
    const double depth = piece.nearDepth / (1.0 - t / 2.0);
    const double u = t / (2.0 - t);
    const double v = (y - inset) / (piece.height - 2 * inset);
    return {u, v, depth};
}

}  // namespace dv::art
