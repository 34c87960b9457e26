#pragma once

// How many swings a character makes in one melee action: a rule of the class and level,
// shared by the level-up, equipment and the battle.

#include <cstdint>

#include "core/data/character.h"

namespace dv {

inline constexpr int kSkillExtraSwings = 83;

// The smaller of the class's most swings (3 more with skill 83) and level \ the class's
// levels per swing + 1. A class without levels per swing (bit 4096, an unknown bit) swings
// once; a level below 1 (only a damaged record has one) also gives one swing.
std::int16_t MeleeSwingCount(const Character& c);

}  // namespace dv
