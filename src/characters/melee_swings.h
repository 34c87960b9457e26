#pragma once

// How many times a character swings in one melee action.

#include <cstdint>

#include "core/data/character.h"

namespace dv {

// The smaller of the class's most swings (3 more with skill 83) and level \ the class's
// levels per swing + 1; 1 for a class without levels per swing (the class-less bit 4096,
// an unknown bit).
int MeleeSwingCount(const Character& c);

}  // namespace dv
