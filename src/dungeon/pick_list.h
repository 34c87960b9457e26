#pragma once

// A plain titled pick list over the main window, used by the dungeon until the game's
// own pick-list window takes over these choices.

#include <string>
#include <vector>

namespace dv {

struct Game;

// Shows the rows modally; the 1-based row chosen with Enter (or a click), 0 for Esc or
// Backspace or when there are no rows.
int PickFromRows(Game& game, const std::string& title, const std::vector<std::string>& rows);

}  // namespace dv
