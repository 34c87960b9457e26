#pragma once

// Experience per level and level drain: the rules the battle, spells, items and the inn
// share.

#include <cstdint>

#include "core/data/character.h"
#include "core/data/dice.h"

namespace dv {

// The experience total a character of this level must have reached to advance to the next
// one: 0 at level 0 and below, the class's row for 1..20, a straight line above, times the
// race's factor and rounded to a whole number (halves to even). An unknown class gives 0.
double ExperienceForLevel(std::int64_t level, std::int32_t classBit, std::int32_t race);

// Removes `count` levels (never below level 1; experience set to the start of the new
// level) and takes `count` rounds of hit points and attributes, even when fewer levels were
// really lost. Shows nothing: the callers tell the player.
void DrainLevels(Character& c, int count, Rng& rng);

}  // namespace dv
