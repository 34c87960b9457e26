#include "artgen/view_layout.h"

#include <algorithm>
#include <cmath>

namespace dv::art {

namespace {
constexpr Side F = Side::Front;
constexpr Side R = Side::Right;
constexpr Side L = Side::Left;
}  // namespace

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
