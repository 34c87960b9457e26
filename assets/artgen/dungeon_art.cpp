#include "artgen/dungeon_art.h"

#include <cmath>

#include "artgen/surfaces.h"
#include "artgen/view_layout.h"

namespace dv::art {

namespace {

constexpr double kSideFacing = 0.8;

Rgb FaceColour(const PieceShape& piece, PieceKind kind, double x, double y) {
    const FacePoint p = MapToFace(piece, x, y);
    const Rgb albedo = kind == PieceKind::Door ? DoorWall(p.u, p.v) : StoneWall(p.u, p.v);
    const double facing = piece.side == Side::Front ? 1.0 : kSideFacing;
    return Lit(albedo, p.depth, facing) * CornerShade(p.v);
}

// Small far pieces get more samples per pixel so their detail averages out
// instead of flickering.
int SamplesPerAxis(int n) {
    return n <= 1 ? 5 : 3;
}

void RenderPiece(Image& out, const PieceShape& piece, PieceKind kind, int samples) {
    const Rgb white{255, 255, 255};
    for (int y = 0; y < piece.height; ++y) {
        for (int x = 0; x < piece.width; ++x) {
            const int ox = piece.sourceX + x;
            // Coverage is decided at the pixel centre so the mask stays pure black or white.
            if (!Covers(piece, x + 0.5, y + 0.5)) {
                out.At(ox, y) = Rgb{};
                out.At(ox, y + piece.height) = white;
                continue;
            }
            Rgb sum;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    sum = sum + FaceColour(piece, kind, x + (sx + 0.5) / samples,
                                           y + (sy + 0.5) / samples);
                }
            }
            out.At(ox, y) = sum * (1.0 / (samples * samples));
            out.At(ox, y + piece.height) = Rgb{};
        }
    }
}

double LogDepthFraction(double depth) {
    const double cell = std::floor(std::log2(depth));
    const double start = std::exp2(cell);
    return (depth - start) / start;
}

// Ceiling above the view's centre line, floor below, both split into the same
// cells the wall pieces stand on.
Rgb BackgroundSample(double x, double y) {
    const bool ceiling = y < kViewCentreY;
    const double rise = std::abs(y - kViewCentreY);
    if (rise < 1e-6) return Rgb{};
    const double depth = kViewCentreY / rise;
    if (depth > 64) return Rgb{};
    const double lateral = (x - kViewCentreX) * depth / kViewCentreX;  // cell half-widths
    const double s = (lateral + 1) / 2;
    const double t = LogDepthFraction(std::max(depth, 1.0 / 64));
    const double distance = std::sqrt(depth * depth + 0.2 * lateral * lateral);
    if (ceiling) return Lit(CeilingStone(s, t), distance, 0.62);
    return Lit(FloorStone(s, t), distance, 0.85);
}

}  // namespace

Image RenderPiecePicture(int n, PieceKind kind) {
    const int height = PieceHeight(n);
    Image out(PictureWidth(n), height * 2, Rgb{255, 255, 255});
    for (const PieceShape& piece : PiecesOfPicture(n))
        RenderPiece(out, piece, kind, SamplesPerAxis(n));
    return out;
}

Image RenderBackground(bool lower) {
    const int top = lower ? kLowerBackgroundY : 0;
    Image out(kBackgroundWidth, kBackgroundHeight);
    for (int row = 0; row < kBackgroundHeight; ++row) {
        // Near the centre line the stones shrink fast: sample those rows finer.
        const int samples = std::abs(top + row - kViewCentreY) < 32 ? 4 : 2;
        for (int x = 0; x < kBackgroundWidth; ++x) {
            Rgb sum;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    sum = sum + BackgroundSample(x + (sx + 0.5) / samples,
                                                 top + row + (sy + 0.5) / samples);
                }
            }
            out.At(x, row) = sum * (1.0 / (samples * samples));
        }
    }
    return out;
}

}  // namespace dv::art
