// Draws the battle pictures of the monster types (see monster_art.h).
#pragma once

#include "artgen/figure.h"
#include "artgen/sprite.h"

namespace dv::art {

// Type t (0..21) is the type bit 2^t.
Figure MonsterFigure(int type);
RgbaImage RenderMonsterPicture(int type);

}  // namespace dv::art
