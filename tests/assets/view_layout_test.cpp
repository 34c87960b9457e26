// The piece table must agree with the view's perspective: every piece covers
// exactly the face of its slot, and sits in the picture it is cut from.
#include <gtest/gtest.h>

#include "artgen/view_layout.h"

namespace dv::art {
namespace {

struct SlotPlace {
    int lateral;  // -2..2, right positive
    int near;     // depth boundary of the slot's near edge
};

SlotPlace PlaceOf(int slot) {
    if (slot <= 5) return {slot - 3, 3};
    if (slot <= 10) return {slot - 8, 2};
    if (slot <= 13) return {slot - 12, 1};
    return {slot - 15, 0};
}

int HalfWidth(int k) {
    return 240 >> k;
}
int HalfHeight(int k) {
    return 128 >> k;
}

TEST(PieceTable, EveryEntryCoversItsSlotFaceInTheRightPicture) {
    for (const PieceEntry& e : kPieceTable) {
        SCOPED_TRACE("slot " + std::to_string(e.slot));
        const SlotPlace p = PlaceOf(e.slot);
        const int kn = p.near;
        const int kf = p.near + 1;
        int left = 0;
        int right = 0;
        int top = 0;
        int expectedPicture = 0;
        switch (e.side) {
            case Side::Front:
                left = 240 + (2 * p.lateral - 1) * HalfWidth(kf);
                right = 240 + (2 * p.lateral + 1) * HalfWidth(kf);
                top = 128 - HalfHeight(kf);
                expectedPicture = 4 - kf;
                break;
            case Side::Left:
                ASSERT_LE(p.lateral, 0) << "a left face is only seen on the left";
                left = 240 + (2 * p.lateral - 1) * HalfWidth(kn);
                right = 240 + (2 * p.lateral - 1) * HalfWidth(kf);
                top = 128 - HalfHeight(kn);
                expectedPicture = 4 - kn;
                break;
            case Side::Right:
                ASSERT_GE(p.lateral, 0) << "a right face is only seen on the right";
                left = 240 + (2 * p.lateral + 1) * HalfWidth(kf);
                right = 240 + (2 * p.lateral + 1) * HalfWidth(kn);
                top = 128 - HalfHeight(kn);
                expectedPicture = 4 - kn;
                break;
        }
        EXPECT_EQ(e.destX, left);
        EXPECT_EQ(e.width, right - left);
        EXPECT_EQ(e.destY, top);
        EXPECT_EQ(e.height, 2 * (128 - top));
        EXPECT_EQ(e.n, expectedPicture);
        EXPECT_EQ(e.height, PieceHeight(e.n));
        EXPECT_LE(e.sourceX + e.width, PictureWidth(e.n));
    }
}

TEST(PieceTable, NearerFacesAreDrawnAfterFartherOnes) {
    int lastNear = 99;
    for (const PieceEntry& e : kPieceTable) {
        const SlotPlace p = PlaceOf(e.slot);
        const int drawnDepth = e.side == Side::Front ? p.near + 1 : p.near;
        EXPECT_LE(drawnDepth, lastNear) << "slot " << e.slot;
        lastNear = std::min(lastNear, drawnDepth);
    }
}

TEST(PieceTable, PiecesOfOnePictureDoNotOverlap) {
    for (int n = 0; n < kPieceFiles; ++n) {
        int end = 0;
        for (const PieceShape& piece : PiecesOfPicture(n)) {
            EXPECT_GE(piece.sourceX, end) << "picture " << n;
            end = piece.sourceX + piece.width;
        }
        EXPECT_EQ(end, PictureWidth(n)) << "picture " << n << " has unused columns";
    }
}

}  // namespace
}  // namespace dv::art
