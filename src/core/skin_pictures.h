#pragma once

#include <filesystem>

#include "ui/skin.h"

namespace dv {

class ListEx;
class PanelEx;

// The frame pieces the lists and panels are dressed in, read from the game folder.
struct SkinPictures {
    FramePieces frame;
    bool complete = false;
    // The shading masks of the shaded backgrounds (shade.png); none: the built-in ones.
    PictureRef shadingStrip;
};

// Missing pieces leave the plain look (a rectangle border).
SkinPictures LoadSkinPictures(const std::filesystem::path& dir);

// The game's look for command lists and framed panels.
void DressList(ListEx& list, const SkinPictures& skin);
void DressPanel(PanelEx& panel, const SkinPictures& skin);

}  // namespace dv
