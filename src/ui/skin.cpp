#include "ui/skin.h"

#include <algorithm>

namespace dv {

namespace {

// An 8x8 ordered dither: a pixel is cleared when its threshold lies below the mask's
// share, so every mask spreads its dark pixels evenly and each darker mask includes the
// dark pixels of the lighter ones.
constexpr int kBayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21},
};

Canvas makeShadingMasks() {
    Canvas strip(kShadingMaskSize * kShadingMaskCount, kShadingMaskSize, colors::white);
    for (int n = 1; n < kShadingMaskCount; ++n) {
        int darkShare = n * 64 * 15 / 100;  // of 64: 15 % per step
        for (int y = 0; y < kShadingMaskSize; ++y) {
            for (int x = 0; x < kShadingMaskSize; ++x) {
                if (kBayer[y % 8][x % 8] < darkShare)
                    strip.setPixel(n * kShadingMaskSize + x, y, colors::black);
            }
        }
    }
    return strip;
}

// Styles 1..5 name a mask; other numbers that fall to this style take the nearest one.
int maskFor(int backStyle) {
    return std::clamp(backStyle, 1, kShadingMaskCount - 1);
}

void copyBehind(Canvas& surface, const Canvas& below, const Rect& where) {
    surface.blit(below, where, 0, 0);
}

void paintPicture(Canvas& surface, const Skin& skin) {
    if (!holdsPicture(skin.picture)) return;
    const Canvas& pic = *skin.picture;
    Rect whole{0, 0, pic.width(), pic.height()};
    if (skin.stertch) {
        surface.stretchBlit(pic, whole, {0, 0, surface.width(), surface.height()});
    } else if (skin.tile) {
        for (int y = 0; y < surface.height(); y += pic.height())
            for (int x = 0; x < surface.width(); x += pic.width())
                surface.blit(pic, whole, x, y);
    } else {
        surface.blit(pic, whole, 0, 0);
    }
}

int widthOf(const PictureRef& p) {
    return holdsPicture(p) ? p->width() : 0;
}
int heightOf(const PictureRef& p) {
    return holdsPicture(p) ? p->height() : 0;
}

void put(Canvas& surface, const PictureRef& piece, int x, int y) {
    if (!holdsPicture(piece)) return;
    surface.blit(*piece, {0, 0, piece->width(), piece->height()}, x, y);
}

}  // namespace

const Canvas& shadingMasks() {
    static const Canvas strip = makeShadingMasks();
    return strip;
}

FrameThickness frameThickness(const FramePieces& p) {
    FrameThickness t;
    t.top = std::max({heightOf(p.topLeft), heightOf(p.topCenter), heightOf(p.topRight)});
    t.bottom =
        std::max({heightOf(p.bottomLeft), heightOf(p.bottomCenter), heightOf(p.bottomRight)});
    t.left = std::max({widthOf(p.topLeft), widthOf(p.middleLeft), widthOf(p.bottomLeft)});
    t.right = std::max({widthOf(p.topRight), widthOf(p.middleRight), widthOf(p.bottomRight)});
    return t;
}

SkinLayout skinLayout(const Skin& skin, int width, int height, int indent) {
    SkinLayout l;
    if (skin.borderStyle == 2) {
        l.frame = frameThickness(skin.frame);
        l.leftMargin = l.frame.left;
        l.innerWidth = width - l.frame.left - l.frame.right;
        l.innerHeight = height - l.frame.top - l.frame.bottom;
    } else {
        l.leftMargin = indent;
        l.innerWidth = width;
        l.innerHeight = height;
    }
    return l;
}

void paintSkinBackground(Canvas& surface, const Skin& skin, const Canvas& below,
                         const Rect& where) {
    surface.resetClip();
    surface.clear(skin.backColor);
    switch (skin.backStyle) {
        case 0:
            break;
        case 6:
            copyBehind(surface, below, where);
            break;
        case 7:
            paintPicture(surface, skin);
            break;
        default: {
            copyBehind(surface, below, where);
            const int n = maskFor(skin.backStyle);
            Rect mask{n * kShadingMaskSize, 0, kShadingMaskSize, kShadingMaskSize};
            const bool own = holdsPicture(skin.shadingStrip) &&
                             skin.shadingStrip->width() >= mask.right() &&
                             skin.shadingStrip->height() >= kShadingMaskSize;
            const Canvas& masks = own ? *skin.shadingStrip : shadingMasks();
            for (int y = 0; y < surface.height(); y += kShadingMaskSize)
                for (int x = 0; x < surface.width(); x += kShadingMaskSize)
                    surface.blit(masks, mask, x, y, RasterOp::And);
            break;
        }
    }
}

void paintPictureFrame(Canvas& surface, const FramePieces& p) {
    const int w = surface.width();
    const int h = surface.height();
    // Edges first, each repeated along its side; a piece without a picture is skipped.
    if (int step = widthOf(p.topCenter); step > 0)
        for (int x = 0; x < w; x += step)
            put(surface, p.topCenter, x, 0);
    if (int step = widthOf(p.bottomCenter); step > 0)
        for (int x = 0; x < w; x += step)
            put(surface, p.bottomCenter, x, h - heightOf(p.bottomCenter));
    if (int step = heightOf(p.middleLeft); step > 0)
        for (int y = 0; y < h; y += step)
            put(surface, p.middleLeft, 0, y);
    if (int step = heightOf(p.middleRight); step > 0)
        for (int y = 0; y < h; y += step)
            put(surface, p.middleRight, w - widthOf(p.middleRight), y);
    // Then the corners over them.
    put(surface, p.topLeft, 0, 0);
    put(surface, p.bottomLeft, 0, h - heightOf(p.bottomLeft));
    put(surface, p.topRight, w - widthOf(p.topRight), 0);
    put(surface, p.bottomRight, w - widthOf(p.bottomRight), h - heightOf(p.bottomRight));
}

void paintSkinBorder(Canvas& surface, const Skin& skin, Color rectColor) {
    if (skin.borderStyle == 1) {
        surface.frameRect(0, 0, surface.width() - 1, surface.height() - 1, rectColor,
                          skin.borderWidth);
    } else if (skin.borderStyle == 2) {
        paintPictureFrame(surface, skin.frame);
    }
}

}  // namespace dv
