#pragma once

// The monster list and the allies' row as the battle keeps them: building a row shows the
// group's name (its true name once identified) and counts, and gives the fighters their
// between-rounds recovery.

#include <string>

namespace dv {

struct Game;

// "１　name in 18 fighters(able)" for group 1..4, in full width; copies the shown name into
// fighters 1..9 and lets them recover first.
std::string GroupRowText(Game& game, int group);
// The allies' row, the same without the group number.
std::string SummonRowText(Game& game);
// The rows of every group that still has a fighter, in group order; groupCount follows.
void RebuildMonsterRows(Game& game);

}  // namespace dv
