#pragma once

namespace dv {

struct Game;

// The tavern's entries (menu 1): add, remove, inspect, divide the gold, back to the castle.
void ChooseTavernEntry(Game& game, int entry);

}  // namespace dv
