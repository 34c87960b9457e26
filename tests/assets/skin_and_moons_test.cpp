// Frame pieces join without seams, shading masks darken step by step, and the
// moons wax to full at frame 8 and wane again.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "artgen/moons.h"
#include "artgen/skin.h"
#include "generated_art.h"

namespace dv::art {
namespace {

using testing::LoadGenerated;
using testing::Luminance;

bool SamePixel(const Picture8& a, int ax, int ay, const Picture8& b, int bx, int by) {
    const std::uint8_t* p = a.Pixel(ax, ay);
    const std::uint8_t* q = b.Pixel(bx, by);
    return p[0] == q[0] && p[1] == q[1] && p[2] == q[2];
}

Picture8 Piece(FramePiece piece) {
    return LoadGenerated(FramePieceFileName(piece));
}

TEST(FramePieces, EdgesTileAndCornersContinueThem) {
    const Picture8 tl = Piece(FramePiece::TopLeft);
    const Picture8 tc = Piece(FramePiece::TopCentre);
    const Picture8 tr = Piece(FramePiece::TopRight);
    const Picture8 ml = Piece(FramePiece::MiddleLeft);
    const Picture8 mr = Piece(FramePiece::MiddleRight);
    const Picture8 bl = Piece(FramePiece::BottomLeft);
    const Picture8 bc = Piece(FramePiece::BottomCentre);
    const Picture8 br = Piece(FramePiece::BottomRight);
    const int last = kFrameThickness - 1;
    for (int i = 0; i < kFrameThickness; ++i) {
        for (int j = 0; j < kFrameThickness; ++j) {
            // Edge pieces do not change along their edge, so tiling shows no seam.
            EXPECT_TRUE(SamePixel(tc, j, i, tc, 0, i));
            EXPECT_TRUE(SamePixel(bc, j, i, bc, 0, i));
            EXPECT_TRUE(SamePixel(ml, i, j, ml, i, 0));
            EXPECT_TRUE(SamePixel(mr, i, j, mr, i, 0));
        }
        // A corner's inner column and row continue the neighbouring edges.
        EXPECT_TRUE(SamePixel(tl, last, i, tc, 0, i));
        EXPECT_TRUE(SamePixel(tl, i, last, ml, i, 0));
        EXPECT_TRUE(SamePixel(tr, 0, i, tc, 0, i));
        EXPECT_TRUE(SamePixel(tr, i, last, mr, i, 0));
        EXPECT_TRUE(SamePixel(bl, last, i, bc, 0, i));
        EXPECT_TRUE(SamePixel(bl, i, 0, ml, i, 0));
        EXPECT_TRUE(SamePixel(br, 0, i, bc, 0, i));
        EXPECT_TRUE(SamePixel(br, i, 0, mr, i, 0));
    }
    // Bevelled: the outer highlight of the top edge is lighter than the bottom edge's.
    EXPECT_GT(Luminance(tc.Pixel(0, 1)), Luminance(bc.Pixel(0, last - 1)) + 40);
}

TEST(ShadeMasks, PureBlackAndWhiteDarkeningStepByStep) {
    const Picture8 strip = LoadGenerated("shade.png");
    ASSERT_GE(strip.width, 6 * kShadeMaskSize);
    double previous = -1;
    for (int n = 0; n < strip.width / kShadeMaskSize; ++n) {
        SCOPED_TRACE("mask " + std::to_string(n));
        int black = 0;
        for (int y = 0; y < kShadeMaskSize; ++y) {
            for (int x = 0; x < kShadeMaskSize; ++x) {
                const std::uint8_t* p = strip.Pixel(n * kShadeMaskSize + x, y);
                const bool isBlack = p[0] == 0 && p[1] == 0 && p[2] == 0;
                const bool isWhite = p[0] == 255 && p[1] == 255 && p[2] == 255;
                ASSERT_TRUE(isBlack || isWhite);
                black += isBlack ? 1 : 0;
            }
        }
        const double share = black / double(kShadeMaskSize * kShadeMaskSize);
        if (n == 0) {
            EXPECT_EQ(share, 0.0) << "mask 0 leaves the background as it is";
        }
        EXPECT_GT(share, previous);
        previous = share;
        // The dots are spread out: every 4 x 4 block holds the same number.
        int firstBlock = 0;
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                firstBlock += strip.Pixel(n * kShadeMaskSize + x, y)[0] == 0 ? 1 : 0;
            }
        }
        EXPECT_EQ(firstBlock * 64, black);
    }
}

double ColumnStep(const Picture8& p, int a, int b) {
    double sum = 0;
    for (int y = 0; y < p.height; ++y)
        sum += std::abs(Luminance(p.Pixel(a, y)) - Luminance(p.Pixel(b, y)));
    return sum / p.height;
}

double RowStep(const Picture8& p, int a, int b) {
    double sum = 0;
    for (int x = 0; x < p.width; ++x)
        sum += std::abs(Luminance(p.Pixel(x, a)) - Luminance(p.Pixel(x, b)));
    return sum / p.width;
}

TEST(PanelTile, RepeatsWithoutSeams) {
    const Picture8 tile = LoadGenerated("panel.png");
    ASSERT_EQ(tile.width, kPanelTile);
    ASSERT_EQ(tile.height, kPanelTile);
    double columns = 0;
    double rows = 0;
    for (int i = 1; i < kPanelTile; ++i) {
        columns += ColumnStep(tile, i - 1, i);
        rows += RowStep(tile, i - 1, i);
    }
    columns /= kPanelTile - 1;
    rows /= kPanelTile - 1;
    // Across the wrap the step is no bigger than between any two neighbours.
    EXPECT_LE(ColumnStep(tile, kPanelTile - 1, 0), 2 * columns + 0.5);
    EXPECT_LE(RowStep(tile, kPanelTile - 1, 0), 2 * rows + 0.5);
}

struct FrameLight {
    double total = 0;
    double left = 0;
    double right = 0;
};

FrameLight MeasureFrame(const Picture8& strip, int frame) {
    FrameLight light;
    const int ox = MoonFrameX(frame);
    const int oy = MoonFrameY(frame);
    for (int y = 4; y < 28; ++y) {
        for (int x = 4; x < 28; ++x) {
            const double l = Luminance(strip.Pixel(ox + x, oy + y));
            light.total += l;
            (x < 16 ? light.left : light.right) += l;
        }
    }
    return light;
}

class MoonStrips : public ::testing::TestWithParam<std::string> {};

TEST_P(MoonStrips, WaxFromTheRightToFullAtFrameEightThenWane) {
    const Picture8 strip = LoadGenerated(GetParam());
    ASSERT_EQ(strip.width, kMoonStripWidth);
    ASSERT_EQ(strip.height, kMoonStripHeight);
    std::array<FrameLight, kMoonFrames> light;
    for (int f = 0; f < kMoonFrames; ++f)
        light[static_cast<std::size_t>(f)] = MeasureFrame(strip, f);
    for (int f = 1; f <= 8; ++f) {
        EXPECT_GT(light[f].total, light[f - 1].total) << "waxing, frame " << f;
    }
    for (int f = 9; f < kMoonFrames; ++f) {
        EXPECT_LT(light[f].total, light[f - 1].total) << "waning, frame " << f;
    }
    EXPECT_GT(light[8].total, 3 * light[0].total) << "new moon is dark, full moon bright";
    for (int f = 1; f < 8; ++f) {
        EXPECT_GT(light[f].right, light[f].left) << "waxing moon lit from the right, frame " << f;
        EXPECT_GT(light[16 - f].left, light[16 - f].right) << "waning moon lit from the left";
    }
}

INSTANTIATE_TEST_SUITE_P(BothMoons, MoonStrips, ::testing::Values("luna.png", "artemis.png"));

TEST(MoonStrips, TheTwoMoonsLookDifferent) {
    const Picture8 luna = LoadGenerated("luna.png");
    const Picture8 artemis = LoadGenerated("artemis.png");
    // Compare the full moons' colour balance: one cold, one warm.
    const std::uint8_t* a = luna.Pixel(MoonFrameX(8) + 16, 16);
    const std::uint8_t* b = artemis.Pixel(MoonFrameX(8) + 16, 16);
    EXPECT_GT(int{a[2]} - int{a[0]}, int{b[2]} - int{b[0]} + 30);
}

}  // namespace
}  // namespace dv::art
