#pragma once

// Checks of the battle content that the program relies on whatever else the content holds:
// the monsters it counts, the rift's encounters, the call table, a random battle on every
// floor the party walks, and monster records that fit the program's fixed names and spells.

#include <vector>

#include "content/content_check.h"
#include "content/content_set.h"

namespace dv {

std::vector<CheckProblem> checkBattleContent(const ContentSet& set);

// Floors the game enters in a dungeon (1..n), 0 for a dungeon it never enters.
int floorsInUse(int dungeon);

// The largest result of a dice roll (a die of no sides gives 1).
long mostOfRoll(long count, long sides, long bonus);

}  // namespace dv
