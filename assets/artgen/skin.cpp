#include "artgen/skin.h"

#include <algorithm>
#include <array>

#include "artgen/noise.h"

namespace dv::art {

namespace {

constexpr int kLast = kFrameThickness - 1;

// Colour at distance d from the frame's outer edge. Lit edges (top, left) catch
// the light on the outer bevel and fall into shadow on the inner one.
Rgb Profile(int d, bool lit) {
    switch (d) {
        case 0:
            return Rgb{14, 16, 24};
        case 1:
            return lit ? Rgb{152, 166, 192} : Rgb{40, 46, 62};
        case 2:
            return lit ? Rgb{112, 126, 152} : Rgb{60, 70, 90};
        case 3:
            return Rgb{86, 98, 122};
        case 4:
            return Rgb{80, 92, 116};
        case 5:
            return lit ? Rgb{50, 58, 76} : Rgb{118, 132, 158};
        case 6:
            return Rgb{20, 24, 34};
        default:
            return Rgb{44, 50, 66};
    }
}

struct Edge {
    int distance;
    bool lit;
};

// The nearer of two edges owns the pixel; on the mitre the lit edge wins on
// the outside half, which keeps the highlight continuous around the corner.
Edge Nearer(Edge a, Edge b) {
    if (a.distance != b.distance) return a.distance < b.distance ? a : b;
    return a.lit ? a : b;
}

Edge EdgeAt(FramePiece piece, int x, int y) {
    const Edge top{y, true};
    const Edge bottom{kLast - y, false};
    const Edge left{x, true};
    const Edge right{kLast - x, false};
    switch (piece) {
        case FramePiece::TopLeft:
            return Nearer(top, left);
        case FramePiece::TopCentre:
            return top;
        case FramePiece::TopRight:
            return Nearer(top, right);
        case FramePiece::MiddleLeft:
            return left;
        case FramePiece::MiddleRight:
            return right;
        case FramePiece::BottomLeft:
            return Nearer(bottom, left);
        case FramePiece::BottomCentre:
            return bottom;
        case FramePiece::BottomRight:
            return Nearer(bottom, right);
    }
    return top;
}

bool IsCorner(FramePiece piece) {
    return piece == FramePiece::TopLeft || piece == FramePiece::TopRight ||
           piece == FramePiece::BottomLeft || piece == FramePiece::BottomRight;
}

// A small rivet in the body of each corner.
void AddRivet(Image& image, FramePiece piece) {
    const bool right = piece == FramePiece::TopRight || piece == FramePiece::BottomRight;
    const bool bottom = piece == FramePiece::BottomLeft || piece == FramePiece::BottomRight;
    const int x = right ? kLast - 4 : 3;
    const int y = bottom ? kLast - 4 : 3;
    image.At(x, y) = Rgb{196, 206, 226};
    image.At(x + 1, y) = Rgb{128, 140, 164};
    image.At(x, y + 1) = Rgb{128, 140, 164};
    image.At(x + 1, y + 1) = Rgb{34, 38, 52};
}

constexpr std::array<std::array<int, 4>, 4> kBayer = {{
    {0, 8, 2, 10},
    {12, 4, 14, 6},
    {3, 11, 1, 9},
    {15, 7, 13, 5},
}};
constexpr std::array<int, kShadeMasks> kBlackCells = {0, 3, 6, 8, 10, 12, 14, 16};  // of 16

}  // namespace

std::string FramePieceFileName(FramePiece piece) {
    static constexpr std::array<const char*, kFramePieces> names = {
        "frame_tl.png", "frame_tc.png", "frame_tr.png", "frame_ml.png",
        "frame_mr.png", "frame_bl.png", "frame_bc.png", "frame_br.png"};
    return names[static_cast<std::size_t>(piece)];
}

Image RenderFramePiece(FramePiece piece) {
    Image image(kFrameThickness, kFrameThickness);
    for (int y = 0; y < kFrameThickness; ++y) {
        for (int x = 0; x < kFrameThickness; ++x) {
            const Edge edge = EdgeAt(piece, x, y);
            image.At(x, y) = Profile(edge.distance, edge.lit);
        }
    }
    if (IsCorner(piece)) AddRivet(image, piece);
    return image;
}

Image RenderPanelTile() {
    constexpr int kCells = 8;  // noise lattice cells across the tile
    constexpr double kCell = static_cast<double>(kPanelTile) / kCells;
    Image tile(kPanelTile, kPanelTile);
    for (int y = 0; y < kPanelTile; ++y) {
        for (int x = 0; x < kPanelTile; ++x) {
            const double cloud = Fbm(x / kCell, y / kCell, 401, 3, kCells, kCells) - 0.5;
            // Fine horizontal brushing: long along x, one pixel across.
            const double brush = Fbm(x / 32.0, y, 409, 2, kPanelTile / 32, kPanelTile) - 0.5;
            tile.At(x, y) = Rgb{30, 35, 48} + Rgb{1, 1.1, 1.4} * (cloud * 16 + brush * 12);
        }
    }
    return tile;
}

double ShadeMaskCoverage(int n) {
    return kBlackCells[static_cast<std::size_t>(n)] / 16.0;
}

Image RenderShadeMasks() {
    Image strip(kShadeMaskSize * kShadeMasks, kShadeMaskSize, Rgb{255, 255, 255});
    for (int n = 0; n < kShadeMasks; ++n) {
        for (int y = 0; y < kShadeMaskSize; ++y) {
            for (int x = 0; x < kShadeMaskSize; ++x) {
                const int cell =
                    kBayer[static_cast<std::size_t>(y % 4)][static_cast<std::size_t>(x % 4)];
                if (cell < kBlackCells[static_cast<std::size_t>(n)]) {
                    strip.At(n * kShadeMaskSize + x, y) = Rgb{};
                }
            }
        }
    }
    return strip;
}

}  // namespace dv::art
