#pragma once

#include <memory>

#include "ui/canvas.h"
#include "ui/geometry.h"

namespace dv {

// A picture held by a skinned control (background, frame piece). Empty when null or of
// zero size.
using PictureRef = std::shared_ptr<const Canvas>;

inline bool holdsPicture(const PictureRef& p) {
    return p && p->width() > 0 && p->height() > 0;
}

// The eight pieces of a picture frame: the edges are repeated along their side, the
// corners drawn last over them.
struct FramePieces {
    PictureRef topLeft, topCenter, topRight;
    PictureRef middleLeft, middleRight;
    PictureRef bottomLeft, bottomCenter, bottomRight;
};

struct FrameThickness {
    int top = 0;
    int bottom = 0;
    int left = 0;
    int right = 0;
};

// The look the skinned list and the skinned panel share: the background and the border.
struct Skin {
    Color backColor = colors::buttonFace;
    // 0 plain colour, 1..5 a copy of what lies behind darkened by shading mask 1..5,
    // 6 a copy of what lies behind, 7 the picture.
    int backStyle = 0;
    PictureRef picture;
    bool tile = false;
    bool stertch = false;  // stretching wins over tiling
    // 0 none, 1 a plain rectangle, 2 the picture frame.
    int borderStyle = 0;
    int borderWidth = 1;  // pen width of the plain rectangle
    FramePieces frame;
    // The strip of shading masks the shaded styles AND over the copy (mask n at x = 32 n);
    // the built-in strip when none is given or it is too small for the mask asked for.
    PictureRef shadingStrip;
};

// Where the contents go inside a skinned control of the given size.
struct SkinLayout {
    FrameThickness frame;  // all 0 unless the picture frame is on
    int leftMargin = 0;    // the frame's left thickness, or the control's indent
    int innerWidth = 0;
    int innerHeight = 0;
};

// The shading masks: a strip of 32x32 tiles, mask n at x = 32 n. Mask 0 keeps every
// pixel; masks 1..5 clear about 15, 30, 45, 60 and 75 percent of them in an even dither,
// so AND-ing one over a picture darkens it more or less.
constexpr int kShadingMaskSize = 32;
constexpr int kShadingMaskCount = 6;
const Canvas& shadingMasks();

// The thickness of each side of the picture frame: the largest piece on that side
// (pieces without a picture do not count).
FrameThickness frameThickness(const FramePieces& pieces);
SkinLayout skinLayout(const Skin& skin, int width, int height, int indent);

// Paints the background into the control's own surface (already sized to the control).
// `below` is the canvas the containers have already painted, `where` the control's place
// on it, for the styles that copy what lies behind the control.
void paintSkinBackground(Canvas& surface, const Skin& skin, const Canvas& below, const Rect& where);
// Paints the border: the plain rectangle in `rectColor`, or the picture frame.
void paintSkinBorder(Canvas& surface, const Skin& skin, Color rectColor);
void paintPictureFrame(Canvas& surface, const FramePieces& pieces);

}  // namespace dv
