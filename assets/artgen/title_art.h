// The title picture: a castle gate by night, the way down into the dungeons.
// The upper middle (the title) and the bottom strip (version and loading
// lines) are kept quiet so the program's own text reads well over them.
#pragma once

#include "artgen/image.h"

namespace dv::art {

inline constexpr int kTitleWidth = 640;
inline constexpr int kTitleHeight = 480;

Image RenderTitle();

}  // namespace dv::art
