// The wall and door pictures as the view uses them: masks black exactly under
// the face and white elsewhere, picture black where the mask is white, and a
// whole view stacked from them covers exactly the faces it should.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string>

#include "artgen/compose.h"
#include "artgen/view_layout.h"
#include "generated_art.h"

namespace dv::art {
namespace {

using testing::LoadGenerated;
using testing::Luminance;

// JPEG leaves the masks within a few levels of pure black and white, right up
// to their edges; the pictures may bleed a little colour over an edge.
constexpr int kMaskTolerance = 16;
constexpr int kTolerance = 24;
constexpr double kMaskReach = 0.1;  // pixels whose centre is this close to an edge are skipped
constexpr double kPictureReach = 1.0;
constexpr int kMargin = 2;  // for the stacked view

// Half-height of a face at depth boundary k, in canvas pixels.
double HalfHeight(int k) {
    return 128.0 / (1 << k);
}

// Whether a point of the piece (its own coordinates) lies on the face, worked
// out from the view's perspective rather than from the generator's helpers.
bool OnFace(const PieceEntry& e, double x, double y) {
    if (x < 0 || x >= e.width || y < 0 || y >= e.height) return false;
    if (e.side == Side::Front) return true;
    const int nearK = 4 - e.n;
    const double towardFar = e.side == Side::Left ? x / e.width : 1.0 - x / e.width;
    const double half = HalfHeight(nearK) + towardFar * (HalfHeight(nearK + 1) - HalfHeight(nearK));
    return std::abs(y - e.height / 2.0) <= half;
}

enum class Where { Inside, Outside, Edge };

// Inside or outside when the square of the given reach around the pixel's
// centre lies wholly on one side of the face's edges (its corners decide, as
// the face is convex).
Where Classify(const PieceEntry& e, int x, int y, double reach) {
    int inside = 0;
    int outside = 0;
    for (const double dy : {-reach, 0.0, reach}) {
        for (const double dx : {-reach, 0.0, reach}) {
            const double px = x + 0.5 + dx;
            const double py = y + 0.5 + dy;
            if (px < 0 || px >= e.width || py < 0 || py >= e.height) return Where::Edge;
            (OnFace(e, px, py) ? inside : outside) += 1;
        }
    }
    if (outside == 0) return Where::Inside;
    if (inside == 0) return Where::Outside;
    return Where::Edge;
}

bool NearBlack(const std::uint8_t* p, int tolerance) {
    return p[0] <= tolerance && p[1] <= tolerance && p[2] <= tolerance;
}
bool NearWhite(const std::uint8_t* p, int tolerance) {
    return p[0] >= 255 - tolerance && p[1] >= 255 - tolerance && p[2] >= 255 - tolerance;
}

class PiecePictures : public ::testing::TestWithParam<std::string> {};

TEST_P(PiecePictures, MaskMatchesEveryFaceAndPictureIsBlackWhereTransparent) {
    const std::string prefix = GetParam();
    for (int n = 0; n < kPieceFiles; ++n) {
        const std::string name = prefix + std::to_string(n) + ".jpg";
        SCOPED_TRACE(name);
        const Picture8 picture = LoadGenerated(name);
        ASSERT_EQ(picture.width, PictureWidth(n));
        ASSERT_EQ(picture.height, 2 * PieceHeight(n));
        for (const PieceEntry& e : kPieceTable) {
            if (e.n != n) continue;
            int badMask = 0;
            int badPicture = 0;
            double contentSum = 0;
            int contentCount = 0;
            for (int y = 0; y < e.height; ++y) {
                for (int x = 0; x < e.width; ++x) {
                    const std::uint8_t* top = picture.Pixel(e.sourceX + x, y);
                    const std::uint8_t* mask = picture.Pixel(e.sourceX + x, y + e.height);
                    const Where maskWhere = Classify(e, x, y, kMaskReach);
                    if (maskWhere == Where::Inside) {
                        badMask += NearBlack(mask, kMaskTolerance) ? 0 : 1;
                        contentSum += Luminance(top);
                        ++contentCount;
                    } else if (maskWhere == Where::Outside) {
                        badMask += NearWhite(mask, kMaskTolerance) ? 0 : 1;
                    }
                    if (Classify(e, x, y, kPictureReach) == Where::Outside) {
                        badPicture += NearBlack(top, kTolerance) ? 0 : 1;
                    }
                }
            }
            EXPECT_EQ(badMask, 0) << "piece at x " << e.sourceX;
            EXPECT_EQ(badPicture, 0) << "piece at x " << e.sourceX;
            ASSERT_GT(contentCount, 0);
            // Far pieces are dim (torchlight fades), near ones clearly lit.
            const double minimum = n == 4 ? 40 : n == 3 ? 20 : 3;
            EXPECT_GT(contentSum / contentCount, minimum) << "piece at x " << e.sourceX;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(WallsAndDoors, PiecePictures, ::testing::Values("w", "d"));

TEST(PiecePictures, DoorsDifferFromWallsOnlyWhereTheDoorIs) {
    // The door sits in the middle of the face; the outer quarter on each side is plain wall.
    const Picture8 wall = LoadGenerated("w3.jpg");
    const Picture8 door = LoadGenerated("d3.jpg");
    const int frontX = 480;
    double middle = 0;
    double edges = 0;
    for (int y = 8; y < 120; ++y) {
        for (int x = 0; x < 240; ++x) {
            const std::uint8_t* a = wall.Pixel(frontX + x, y);
            const std::uint8_t* b = door.Pixel(frontX + x, y);
            const double diff = std::abs(Luminance(a) - Luminance(b));
            if (x >= 90 && x < 150 && y > 70) middle += diff;
            if (x < 40 || x >= 200) edges += diff;
        }
    }
    EXPECT_GT(middle / (60 * 49), 10.0);
    EXPECT_LT(edges / (80 * 112), 2.0);
}

// The view stacked over a magenta background: magenta must survive exactly
// outside the faces that are drawn.
struct Scene {
    const char* name;
    std::function<ViewSlot(int slot)> slot;
};

struct SlotPlace {
    int lateral;
    int near;
};

SlotPlace PlaceOf(int slot) {
    if (slot <= 5) return {slot - 3, 3};
    if (slot <= 10) return {slot - 8, 2};
    if (slot <= 13) return {slot - 12, 1};
    return {slot - 15, 0};
}

// Whether canvas point (x, y) lies on a face the slots show: fronts of every
// slot, left faces of slots on or left of the centre line, right faces of slots
// on or right of it.
bool OnDrawnFace(const ViewSlots& slots, double x, double y) {
    for (int slot = 1; slot <= 16; ++slot) {
        const ViewSlot& s = slots[static_cast<std::size_t>(slot)];
        if (s.dark) continue;
        const int shown = s.walls | s.doors;
        const SlotPlace p = PlaceOf(slot);
        const int kn = p.near;
        const int kf = p.near + 1;
        const double hwn = 240.0 / (1 << kn);
        const double hwf = 240.0 / (1 << kf);
        const double dy = std::abs(y - 128);
        if ((shown & kFrontBit) && dy <= HalfHeight(kf) &&
            std::abs(x - (240 + 2 * p.lateral * hwf)) <= hwf) {
            return true;
        }
        for (const int sideSign : {-1, 1}) {
            const int bit = sideSign < 0 ? kLeftBit : kRightBit;
            if (!(shown & bit) || p.lateral * sideSign < 0) continue;
            const double xn = 240 + (2 * p.lateral + sideSign) * hwn;
            const double xf = 240 + (2 * p.lateral + sideSign) * hwf;
            const double t = (x - xn) / (xf - xn);
            if (t < 0 || t > 1) continue;
            if (dy <= HalfHeight(kn) + t * (HalfHeight(kf) - HalfHeight(kn))) return true;
        }
    }
    return false;
}

Picture8 Magenta(int width, int height) {
    Picture8 p{width, height, {}};
    for (int i = 0; i < width * height; ++i) {
        p.data.push_back(255);
        p.data.push_back(0);
        p.data.push_back(255);
    }
    return p;
}

bool IsMagenta(const std::uint8_t* p) {
    return p[0] >= 255 - kTolerance && p[1] <= kTolerance && p[2] >= 255 - kTolerance;
}

TEST(ComposedView, PiecesCoverExactlyTheFacesOfTheSlots) {
    ViewArt art;
    ASSERT_TRUE(LoadViewArt(testing::GeneratedFolder(), art));
    art.upper = Magenta(640, 300);
    art.lower = Magenta(640, 300);
    const std::array<Scene, 5> scenes = {{
        {"closed room",
         [](int) {
             return ViewSlot{kFrontBit | kLeftBit | kRightBit, 0, false};
         }},
        {"doors everywhere",
         [](int) {
             return ViewSlot{kFrontBit | kLeftBit | kRightBit, kFrontBit | kLeftBit | kRightBit,
                             false};
         }},
        {"open hall, far wall only",
         [](int slot) {
             return ViewSlot{slot <= 5 ? kFrontBit : 0, 0, false};
         }},
        {"long corridor",
         [](int slot) {
             const bool centre = slot == 3 || slot == 8 || slot == 12 || slot == 15;
             return ViewSlot{centre ? kLeftBit | kRightBit : 0, slot == 3 ? kFrontBit : 0, false};
         }},
        {"dark cells show nothing",
         [](int slot) {
             return ViewSlot{kFrontBit | kLeftBit | kRightBit, 0, slot % 2 == 0};
         }},
    }};
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        ViewSlots slots{};
        for (int s = 1; s <= 16; ++s)
            slots[static_cast<std::size_t>(s)] = scene.slot(s);
        const Picture8 view = ComposeView(art, slots);
        ASSERT_EQ(view.width, kViewWidth);
        ASSERT_EQ(view.height, kViewHeight);
        int leaks = 0;
        int holes = 0;
        int onFace = 0;
        for (int y = 0; y < kViewHeight; ++y) {
            for (int x = 0; x < kViewWidth; ++x) {
                int covered = 0;
                for (int dy = -kMargin; dy <= kMargin; ++dy) {
                    for (int dx = -kMargin; dx <= kMargin; ++dx) {
                        covered += OnDrawnFace(slots, x + dx + 0.5, y + dy + 0.5) ? 1 : 0;
                    }
                }
                const bool magenta = IsMagenta(view.Pixel(x, y));
                if (covered == 25) {
                    ++onFace;
                    holes += magenta ? 1 : 0;
                } else if (covered == 0) {
                    leaks += magenta ? 0 : 1;
                }
            }
        }
        EXPECT_EQ(holes, 0) << "background shows through a face";
        EXPECT_EQ(leaks, 0) << "a piece paints outside its face";
        EXPECT_GT(onFace, 0);
    }
}

}  // namespace
}  // namespace dv::art
