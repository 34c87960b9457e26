#pragma once

namespace dv {

struct Game;

// The training grounds' entries (menu 10): create, inspect, delete, reorder, rename,
// change class, to the outskirts.
void ChooseTrainingEntry(Game& game, int entry);

// Counts the characters, clearing every slot whose rosterId is below 1 on the way.
int CountAndTidyRoster(Game& game);

}  // namespace dv
